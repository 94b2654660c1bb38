#include "ShellFixture.h"

#include "shell/frmSettings.h"
#include "support/TextFit.h"

#include <string>
#include <vector>

using namespace vantropetest;

namespace {

// The drawing program's windows as a user meets them: each text a control
// shows must fit the control, measured by the control's own font. The
// layouts place and size every control in twips; a text that does not fit
// is cut off on screen.
struct WindowTexts : ShellTest {
    void look(forms::Form& form, const std::string& where)
    {
        settle();
        ASSERT_TRUE(form.visible()) << form.name().toStdString() << " at " << where;
        for (textfit::Cut cut : textfit::cutTexts(form)) {
            cut.control += " (" + where + ")";
            cuts.push_back(cut);
        }
    }

    std::vector<textfit::Cut> cuts;
};

TEST_F(WindowTexts, TheDrawingInputsAndSettingsWindowsShowTheirTextsWhole)
{
    firstClick();
    look(gears().form(), "drawing");

    // Each mesh the dialog offers, with an addendum of four decimals and a
    // whole part, as a hand-over brings them.
    for (int mesh = 0; mesh <= 2; ++mesh) {
        if (!meshButton(mesh).enabled())
            continue;
        meshButton(mesh).setValue(true);
        for (int member : {2, 3})
            box("txtAdd", member).setText(QStringLiteral("1.0871"));
        look(dialog(), "inputs, mesh " + std::to_string(mesh));
    }

    menu("mnuSettings").click();
    forms::Form& settings = startup->settingsDialog().form();
    for (const char* page : {"mnu1", "mnu2", "mnu3"}) {
        settings.get<forms::MenuItem>(QString::fromLatin1(page)).click();
        look(settings, std::string("settings ") + page);
    }

    EXPECT_TRUE(cuts.empty()) << textfit::describe(cuts);
}

} // namespace
