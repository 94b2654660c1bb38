#include "design_program/shell/windows/WalkedProgram.h"

#include "agma/frmHeatTreatTypes.h"
#include "forms/Forms.h"
#include "forms/MenuItem.h"
#include "shell/clsRegisty.h"
#include "shell/RunNotes.h"
#include "support/ScreenSizes.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

using testsupport::expectWhollyOnScreen;

// Raises of the program's windows, in order.
struct RaiseLog : QObject {
    std::vector<const QObject*> raised;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ZOrderChange && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            raised.push_back(watched);
        return false;
    }
    int lastRaise(const QWidget* window) const
    {
        const auto at = std::find(raised.rbegin(), raised.rend(), window);
        return at == raised.rend() ? -1 : static_cast<int>(raised.rend() - at);
    }
};

// Every window a user can open, opened the way the user opens it, from the
// disclaimer to the manufacturing outputs and the preview, with the run
// notes shown. With `storedElsewhere` every window has a place stored from a
// larger screen or another monitor layout.
class OnScreen : public WalkedProgram, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        testsupport::expectScreenOfTheSizeAsked();
        const std::filesystem::path shipped = std::filesystem::path(CINDREL_DEFAULT_DESIGN).parent_path();
        for (const char* list : {"PinsE.dat", "PinsM.dat"})
            std::filesystem::copy_file(shipped / list, programFolder() / list);
        std::filesystem::current_path(folder.path());
        if (GetParam())
            storePlacesFromElsewhere();
    }

    void storePlacesFromElsewhere()
    {
        cindrel::shell::RunNotes quiet;
        cindrel::shell::clsRegisty settings(quiet, *store, "");
        const cindrel::shell::WindowPlacement places[] = {
            {30000, 2000, 9000, 8000, 0},   // on a monitor right of this one
            {-20000, -6000, 9000, 8000, 0}, // above and left of it
            {600, 900, 28000, 21000, 0},    // from a screen larger than this one
            {14000, 10000, 9000, 8000, 0},  // off the right and bottom of a small one
        };
        int next = 0;
        for (const char* name : {"frmMain", "frmMisc", "frmAGMA", "frmMFGOutputs", "frmScreenOutput", "frmPrintPreview",
                                 "frmRunNotes", "frmHardnessConverter", "frmOptions", "frmAbout", "frmHeatTreatTypes"})
            settings.SaveWindowPosition(name, places[next++ % std::size(places)]);
    }

    void click(const char* menu)
    {
        main().get<forms::MenuItem>(QString::fromLatin1(menu)).click();
        QCoreApplication::processEvents();
    }

    // A modal window, checked while it is open.
    void checkModal(const char* name, const char* menu)
    {
        bool seen = false;
        QTimer::singleShot(0, [this, name, &seen] {
            forms::Form& modal = window(name);
            expectWhollyOnScreen(modal);
            seen = true;
            modal.hide();
        });
        click(menu);
        EXPECT_TRUE(seen) << name;
    }

    // Every window shown now.
    void checkShown()
    {
        for (forms::Form* form : startup->windows().loaded())
            if (form->visible())
                expectWhollyOnScreen(*form);
    }
};

TEST_P(OnScreen, EveryWindowOpensWithItsFrameWithinTheScreen)
{
    RaiseLog raises;
    qApp->installEventFilter(&raises);
    startup->Main();
    forms::Form& disclaimer = window("frmDisclaimer");
    expectWhollyOnScreen(disclaimer);
    disclaimer.get<forms::CheckBox>(QStringLiteral("chkDebugMode")).setCheckValue(1);
    disclaimer.get<forms::CommandButton>(QStringLiteral("cmdAgree"), 1).click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(main().visible());
    forms::Form& runLog = window("frmMisc");
    ASSERT_TRUE(runLog.visible()) << "the run notes are shown";
    EXPECT_GT(raises.lastRaise(runLog.window()), raises.lastRaise(main().window()))
        << "the run notes stay in front of the main window shown after them";
    checkShown();

    next();
    ASSERT_EQ(current(), "Main Inputs");
    main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(0);
    press(main(), "cmdFinished");
    checkShown();

    click("mnuMFGOutputs");
    forms::Form& manufacturing = window("frmMFGOutputs");
    expectWhollyOnScreen(manufacturing);
    manufacturing.get<forms::CommandButton>(QStringLiteral("cmdMoveDefaults")).click();
    manufacturing.get<forms::MenuItem>(QStringLiteral("mnuPrintPreview")).click();
    expectWhollyOnScreen(manufacturing);
    manufacturing.get<forms::MenuItem>(QStringLiteral("mnuExit")).click();
    ASSERT_TRUE(main().visible());

    click("mnuFilePrintPreview");
    expectWhollyOnScreen(window("frmPrintPreview"));
    click("mnuWindowRunningTotals");
    expectWhollyOnScreen(window("frmScreenOutput"));

    click("mnuWindowNotes");
    forms::Form& notes = window("frmRunNotes");
    expectWhollyOnScreen(notes);
    EXPECT_EQ(notes.window()->windowHandle()->transientParent(), main().window()->windowHandle())
        << "the notes open over the main window";
    main().show();
    EXPECT_GT(raises.lastRaise(notes.window()), raises.lastRaise(main().window()));

    click("mnuConvertHardness");
    expectWhollyOnScreen(window("frmHardnessConverter"));
    window("frmAGMA").show();
    expectWhollyOnScreen(window("frmAGMA"));
    cindrel::agma::frmHeatTreatTypes::show(startup->windows());
    expectWhollyOnScreen(window("frmHeatTreatTypes"));
    checkModal("frmAbout", "mnuHelpAbout");
    checkModal("frmOptions", "mnuOptionsPreferences");
    checkShown();
    qApp->removeEventFilter(&raises);
}

INSTANTIATE_TEST_SUITE_P(StoredPlaces, OnScreen, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "StoredFromElsewhere" : "FirstRun"; });

TEST(SmallScreens, EveryWindowOfTheDesignProgramOpensWithinA1024x768And800x600Screen)
{
    testsupport::runOnScreenOfSize("StoredPlaces/OnScreen.*", 1024, 768);
    testsupport::runOnScreenOfSize("StoredPlaces/OnScreen.*", 800, 600);
}

} // namespace
