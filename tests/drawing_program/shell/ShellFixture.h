#pragma once

#include "drawing_program/DrawingFakes.h"
#include "messages/frmMessage.h"
#include "shell/Startup.h"
#include "shell/frmGears.h"
#include "shell/frmInputs.h"

#include "dialogs/DialogProvider.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "forms/CheckBox.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/Slider.h"
#include "forms/TextBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace vantropetest {

inline void settle()
{
    QCoreApplication::processEvents();
}

// The drawing program started standalone on an in-memory settings store,
// without its trace file, dialogs answered by script.
struct ShellTest : ::testing::Test {
    MemoryStore store;
    dialogs::ScriptedDialogProvider dialogProvider;
    dialogs::ScopedDialogProvider scopedProvider{dialogProvider};
    int endings = 0;
    std::unique_ptr<vantrope::Startup> startup;

    // Without the inputs file and window positions the window keeps its
    // design size and Open and Save do nothing.
    explicit ShellTest(bool withFilesAndPositions = true) : withFilesAndPositions_(withFilesAndPositions)
    {
        store.values[{"Vantrope", "Logged", "Logged"}] = std::string(1, '0'); // not a literal: GCC 12 warns falsely (-Wrestrict) once this is inlined
        start();
    }

    void start()
    {
        startup = std::make_unique<vantrope::Startup>(store, [this](int) { ++endings; });
        // No printer, whatever the machine has: the window keeps its size.
        startup->shellServices.PrinterPage = [] { return std::optional<QSizeF>(); };
        if (!withFilesAndPositions_) {
            startup->shellServices.FormPosition = nullptr;
            startup->shellServices.OpenInputsFile = nullptr;
            startup->shellServices.SaveInputsFile = nullptr;
        }
        startup->Main();
        settle();
    }

    vantrope::frmGears& gears() { return startup->gears(); }
    vantrope::frmInputs& inputs() { return startup->inputs(); }
    forms::MenuItem& menu(const char* name, int index = -1) { return gears().menu(name, index); }
    forms::Form& dialog() { return inputs().form(); }
    forms::TextBox& box(const char* name, int index = -1)
    {
        return dialog().get<forms::TextBox>(QString::fromLatin1(name), index);
    }
    forms::CheckBox& check(const char* name, int index = -1)
    {
        return dialog().get<forms::CheckBox>(QString::fromLatin1(name), index);
    }
    forms::OptionButton& meshButton(int index)
    {
        return dialog().get<forms::OptionButton>(QStringLiteral("optMesh"), index);
    }
    forms::Slider& slider() { return dialog().get<forms::Slider>(QStringLiteral("sldSlider")); }
    QString caption(const char* label) { return dialog().get<forms::Label>(QString::fromLatin1(label)).caption(); }

    // The first click in the drawing window makes the inputs dialog the source.
    void firstClick()
    {
        startup->OmeshMaster->Click();
        settle();
    }

    int count(const QImage& image, QColor colour) const
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }

    bool withFilesAndPositions_;

    void saveArtefact(const QImage& image, const char* name)
    {
        QDir().mkpath(VANTROPE_ARTEFACTS);
        ASSERT_TRUE(image.save(QString(VANTROPE_ARTEFACTS) + "/" + name));
    }
};

} // namespace vantropetest
