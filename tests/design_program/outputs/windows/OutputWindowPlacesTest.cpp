#include "design_program/shell/windows/WalkedProgram.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace {

// The results grid and the preview keep the place and size a user gives them,
// closed and opened again and over several runs of the program: the size kept
// is the window's own, without the frame the window system adds round it.
class OutputWindowPlaces : public WalkedProgram {
protected:
    void restart()
    {
        startup->ShutDown();
        startup.reset();
        startup = std::make_unique<cindrel::shell::Startup>(*store, [this](int code) { exitCodes.push_back(code); });
        answerDisclaimer(true, false);
    }
    forms::Form& opened(const char* name)
    {
        forms::Form& form = window(name);
        form.show();
        QCoreApplication::processEvents();
        return form;
    }
    static QRect inner(forms::Form& form) { return form.window()->geometry(); }
    cindrel::shell::WindowPlacement stored(const char* name)
    {
        return startup->gobjRegisty()->GetWindowPosition(name, {0, 0, -1, -1, 0});
    }
};

TEST_F(OutputWindowPlaces, TheSizeAUserGivesStaysTheSameOverEveryCloseAndRun)
{
    for (const char* name : {"frmScreenOutput", "frmPrintPreview"}) {
        SCOPED_TRACE(name);
        forms::Form& form = opened(name);
        // The frame is what the window would grow by; without one nothing could show it.
        ASSERT_GT(form.frameExtra().width(), 0);
        ASSERT_GT(form.frameExtra().height(), 0);
        form.window()->setGeometry(120, 90, 600, 540);
        QCoreApplication::processEvents();
    }
    for (int round = 1; round <= 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        if (round % 2 == 0) {
            restart();
        } else {
            for (const char* name : {"frmScreenOutput", "frmPrintPreview"})
                window(name).unload();
        }
        for (const char* name : {"frmScreenOutput", "frmPrintPreview"}) {
            SCOPED_TRACE(name);
            forms::Form& form = opened(name);
            EXPECT_EQ(inner(form), QRect(120, 90, 600, 540));
            EXPECT_EQ(stored(name).width, 600 * 15);
            EXPECT_EQ(stored(name).height, 540 * 15);
        }
    }
}

} // namespace
