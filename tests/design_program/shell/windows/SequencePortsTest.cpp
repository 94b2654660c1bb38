#include "shell/SequencePorts.h"

#include "design_program/shell/RecordingRunLog.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Forms.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/TabStrip.h"
#include "forms/TextBox.h"
#include "registry/Store.h"
#include "shell/Clipboard.h"
#include "shell/UnitSystem.h"
#include "shell/clsRegisty.h"
#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using cindrel::sequence::ControlId;
using cindrel::shell::FormControls;
using forms::ControlKind;
using testsupport::errorNumberOf;

// A small window of each kind of control the sequence reads and writes, and a
// second window that is declared but never loaded.
class FormControlsTest : public ::testing::Test {
protected:
    FormControlsTest()
    {
        windows.define(QStringLiteral("frmSteps"), [](forms::Form& form) {
            forms::buildLayout(form, layout);
        });
        windows.define(QStringLiteral("frmOther"), [](forms::Form& form) {
            forms::buildControl(form, {.kind = ControlKind::TextBox, .name = QStringLiteral("txtAway")});
        });
        windows[QStringLiteral("frmSteps")].load();
    }

    static ControlId id(const char* name, int index = -1) { return {"frmSteps", name, index}; }
    forms::Form& steps() { return windows[QStringLiteral("frmSteps")]; }

    static inline const std::vector<forms::ControlSpec> layout = {
        {.kind = ControlKind::MenuItem, .name = QStringLiteral("mnuDraw"), .caption = QStringLiteral("&Draw")},
        {.kind = ControlKind::TextBox, .name = QStringLiteral("txtNumTeeth"), .index = 0, .caption = QStringLiteral("21")},
        {.kind = ControlKind::TextBox, .name = QStringLiteral("txtNumTeeth"), .index = 1, .caption = QStringLiteral("43")},
        {.kind = ControlKind::Label, .name = QStringLiteral("lblMaterial"), .index = 1, .caption = QStringLiteral("\u00B0 steel")},
        {.kind = ControlKind::CheckBox, .name = QStringLiteral("chkAGMA"), .value = 2},
        {.kind = ControlKind::OptionButton, .name = QStringLiteral("optModifiedProfiles"), .index = 0, .value = 1},
        {.kind = ControlKind::OptionButton, .name = QStringLiteral("optModifiedProfiles"), .index = 1},
        {.kind = ControlKind::CommandButton, .name = QStringLiteral("cmdNext"), .caption = QStringLiteral("&Next")},
        {.kind = ControlKind::PictureBox, .name = QStringLiteral("picStates"), .index = 3, .visible = false},
    };

    forms::Forms windows;
    FormControls controls{windows};
};

TEST_F(FormControlsTest, ValuesReadAsTheSequenceSpellsThem)
{
    const std::pair<ControlId, std::string> cases[] = {
        {id("txtNumTeeth", 0), "21"},
        {id("txtNumTeeth", 1), "43"},
        {id("lblMaterial", 1), "\xC2\xB0 steel"},
        {id("chkAGMA"), "2"},
        {id("optModifiedProfiles", 0), "True"},
        {id("optModifiedProfiles", 1), "False"},
    };
    for (const auto& [control, expected] : cases)
        EXPECT_EQ(controls.value(control), expected) << control.name << "(" << control.index << ")";
}

TEST_F(FormControlsTest, ValuesWrittenAsTextReachTheControlsAndRunTheirEvents)
{
    int checkClicks = 0;
    int optionClicks = 0;
    steps().get<forms::CheckBox>(QStringLiteral("chkAGMA")).onClick.connect([&] { ++checkClicks; });
    steps().get<forms::OptionButton>(QStringLiteral("optModifiedProfiles"), 1).onClick.connect([&] { ++optionClicks; });

    controls.setValue(id("txtNumTeeth", 1), "\xC2\xB0 57");
    controls.setValue(id("chkAGMA"), "1");
    controls.setValue(id("optModifiedProfiles", 1), "True");

    EXPECT_EQ(steps().get<forms::TextBox>(QStringLiteral("txtNumTeeth"), 1).text(), QStringLiteral("\u00B0 57"));
    EXPECT_EQ(steps().get<forms::CheckBox>(QStringLiteral("chkAGMA")).checkValue(), 1);
    EXPECT_EQ(checkClicks, 1);
    EXPECT_EQ(optionClicks, 1);
    EXPECT_EQ(controls.value(id("optModifiedProfiles", 0)), "False") << "the group's other option clears";
    EXPECT_EQ(controls.value(id("optModifiedProfiles", 1)), "True");
}

TEST_F(FormControlsTest, AValueAControlCannotTakeRaisesAndLeavesItAsItWas)
{
    EXPECT_EQ(errorNumberOf([&] { controls.setValue(id("chkAGMA"), "3"); }), forms::InvalidPropertyValue);
    EXPECT_EQ(errorNumberOf([&] { controls.setValue(id("chkAGMA"), "yes"); }), runtime::TypeMismatch);
    EXPECT_EQ(controls.value(id("chkAGMA")), "2");
    EXPECT_EQ(errorNumberOf([&] { controls.value(id("cmdNext")); }), forms::NotSupported);
    EXPECT_EQ(errorNumberOf([&] { controls.setValue(id("cmdNext"), "1"); }), forms::NotSupported);
}

TEST_F(FormControlsTest, EnabledAndVisibleAreTheControlsOwn)
{
    EXPECT_FALSE(controls.visible(id("picStates", 3)));
    controls.setVisible(id("picStates", 3), true);
    EXPECT_TRUE(steps().find(QStringLiteral("picStates"), 3)->visible());
    EXPECT_FALSE(steps().visible()) << "the window itself stays hidden";
    EXPECT_TRUE(controls.visible(id("picStates", 3)));

    controls.setVisible(id("mnuDraw"), false);
    EXPECT_FALSE(steps().get<forms::MenuItem>(QStringLiteral("mnuDraw")).visible());

    controls.setEnabled(id("txtNumTeeth", 0), false);
    EXPECT_FALSE(controls.enabled(id("txtNumTeeth", 0)));
    EXPECT_TRUE(controls.enabled(id("txtNumTeeth", 1)));
}

TEST_F(FormControlsTest, AControlThatDoesNotExistRaisesNamingIt)
{
    const ControlId missing[] = {
        id("txtNowhere"),
        id("txtNumTeeth", 2),
        id("txtNumTeeth"),     // an array member asked for without its index
        id("chkAGMA", 0),      // a plain control asked for as an array member
        {"frmOther", "txtAway", -1}, // its window is not loaded
        {"frmNowhere", "txtAway", -1},
        {"frmSteps", "", -1},  // a window is no control
    };
    for (const ControlId& control : missing) {
        try {
            controls.setVisible(control, true);
            ADD_FAILURE() << control.window << "." << control.name << " was found";
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), cindrel::sequence::ControlMissing);
            EXPECT_THAT(error.description(), ::testing::HasSubstr(control.window + (control.name.empty() ? "" : "." + control.name)));
        }
    }
    EXPECT_FALSE(windows.isLoaded(QStringLiteral("frmOther"))) << "asking for a control loads no window";
}

TEST_F(FormControlsTest, WindowsShowAndMoveByName)
{
    controls.setWindowVisible("frmSteps", true);
    EXPECT_TRUE(steps().visible());
    EXPECT_TRUE(controls.windowVisible("frmSteps"));
    controls.setWindowLeft("frmSteps", 1500);
    controls.setWindowTop("frmSteps", 3000);
    EXPECT_EQ(steps().left(), 1500);
    EXPECT_EQ(steps().top(), 3000);
    EXPECT_EQ(controls.windowLeft("frmSteps"), 1500);
    EXPECT_EQ(controls.windowTop("frmSteps"), 3000);
    controls.setWindowVisible("frmSteps", false);
    EXPECT_FALSE(steps().visible());

    EXPECT_FALSE(controls.windowVisible("frmOther")) << "declared, not loaded";
    EXPECT_EQ(errorNumberOf([&] { controls.windowVisible("frmNowhere"); }), cindrel::sequence::ControlMissing);
    EXPECT_EQ(errorNumberOf([&] { controls.setWindowTop("frmNowhere", 0); }), cindrel::sequence::ControlMissing);
}

TEST_F(FormControlsTest, ABindingCallsItsHandlerOnEveryClickUntilReleased)
{
    int nexts = 0;
    int draws = 0;
    auto next = controls.bindClick(id("cmdNext"), [&] { ++nexts; });
    auto draw = controls.bindClick(id("mnuDraw"), [&] { ++draws; });
    auto& button = steps().get<forms::CommandButton>(QStringLiteral("cmdNext"));
    button.click();
    button.click();
    steps().get<forms::MenuItem>(QStringLiteral("mnuDraw")).click();
    EXPECT_EQ(nexts, 2);
    EXPECT_EQ(draws, 1);

    next.reset();
    draw.reset();
    button.click();
    steps().get<forms::MenuItem>(QStringLiteral("mnuDraw")).click();
    EXPECT_EQ(nexts, 2);
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(errorNumberOf([&] { controls.bindClick(id("cmdNowhere"), [] {}); }), cindrel::sequence::ControlMissing);
}

TEST_F(FormControlsTest, ABindingReleasedDuringAClickDoesNotRunForIt)
{
    int calls = 0;
    std::unique_ptr<cindrel::sequence::Binding> binding;
    auto& button = steps().get<forms::CommandButton>(QStringLiteral("cmdNext"));
    button.onClick.connect([&] { binding.reset(); });
    binding = controls.bindClick(id("cmdNext"), [&] { ++calls; });
    button.click();
    EXPECT_EQ(calls, 0);
}

TEST_F(FormControlsTest, ABindingOutlivesItsControlSafely)
{
    int calls = 0;
    auto next = controls.bindClick(id("cmdNext"), [&] { ++calls; });
    auto draw = controls.bindClick(id("mnuDraw"), [&] { ++calls; });
    ASSERT_TRUE(steps().unload());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the retired controls go
    next.reset();
    draw.reset();

    // The window loads afresh with new controls; the old bindings are gone.
    steps().load();
    steps().get<forms::CommandButton>(QStringLiteral("cmdNext")).click();
    EXPECT_EQ(calls, 0);
    auto again = controls.bindClick(id("cmdNext"), [&] { ++calls; });
    steps().get<forms::CommandButton>(QStringLiteral("cmdNext")).click();
    EXPECT_EQ(calls, 1);
}

TEST(MessageBoxesTest, ShowsTheTextWithOKAloneAndTheProgramsTitle)
{
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider scoped(dialogs);
    dialogs.answerMessageBox(dialogs::ButtonOK);
    cindrel::shell::MessageBoxes messages;
    messages.show(2027, "Number of teeth  \xC2\xB0 ");
    const auto shown = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Number of teeth  \u00B0 "));
    EXPECT_EQ(shown[0].title, QStringLiteral("Cindrel"));
    EXPECT_EQ(shown[0].buttonSet, dialogs::OKOnly);
}

TEST(SystemClipboardTest, HoldsTheTextSetAndNothingOnceCleared)
{
    cindrel::shell::SystemClipboard clipboard;
    clipboard.setText("Np,21,43,(in) Teeth \xC2\xB0\r\n");
    EXPECT_EQ(shellservices::clipboardText(), QStringLiteral("Np,21,43,(in) Teeth \u00B0\r\n"));
    clipboard.clear();
    EXPECT_TRUE(shellservices::clipboardText().isEmpty());
}

TEST(StoredSettingsTest, ReadTheStoredChoicesAtEveryCall)
{
    TemporaryFolder folder;
    registry::Store store(folder.file("registry.sqlite3"));
    RecordingRunLog log;
    cindrel::shell::clsRegisty registy(log, store, folder.path().string());
    cindrel::shell::StoredSettings settings(registy);

    EXPECT_EQ(settings.DecimalPrecision2(0), "#,##0.000") << "choice 3 when none is stored";
    EXPECT_EQ(settings.DiamRad(), 1);
    registy.DecimalPrecision("7");
    registy.DiamRad(2);
    EXPECT_EQ(settings.DecimalPrecision2(0), "#0.00");
    EXPECT_EQ(settings.DecimalPrecision2(10), "#0.00000");
    EXPECT_EQ(settings.DiamRad(), 2);
}

TEST(DisplayUnitsTest, FollowTheUnitSystemAsItSwitches)
{
    cindrel::shell::UnitSystem system;
    system.set(false);
    const cindrel::shell::DisplayUnits units(system);
    EXPECT_FALSE(units.MetricUnits());
    EXPECT_EQ(units.LengthUnits(), "(in) ");
    EXPECT_EQ(units.TempUnits(), "(\xC2\xB0" "F) ");
    system.set(true);
    EXPECT_TRUE(units.MetricUnits());
    EXPECT_EQ(units.LengthFactor(), 25.4);
    EXPECT_EQ(units.PressureFactor(), 0.00689475908677537);
    EXPECT_EQ(units.ForceFactor(), 4.44822);
    EXPECT_EQ(units.PowerUnits(), "(kW) ");
    EXPECT_EQ(units.VelocityUnits(), "meter/sec ");
}

} // namespace

namespace {

TEST(AgmaWindowPortTest, SelectsATabAsAUserDoesAndPassesTheEventStopOn)
{
    forms::Forms windows;
    std::vector<bool> stops;
    cindrel::shell::AgmaWindowPort port(windows, [&](bool stop) { stops.push_back(stop); });
    EXPECT_EQ(errorNumberOf([&] { port.selectTab(0); }), cindrel::sequence::ControlMissing);

    windows.define(QStringLiteral("frmAGMA"), [](forms::Form& form) {
        forms::buildControl(form, {.kind = ControlKind::TabStrip, .name = QStringLiteral("tabMain"),
                                   .items = {QStringLiteral("Set Inputs"), QStringLiteral("Kv"), QStringLiteral("Kb")}});
    });
    auto& tabs = windows[QStringLiteral("frmAGMA")].get<forms::TabStrip>(QStringLiteral("tabMain"));
    tabs.setSelectedTab(2);
    std::vector<int> left;
    tabs.onTabClick.connect([&](int before) { left.push_back(before); });

    port.selectTab(0);
    EXPECT_EQ(tabs.selectedTab(), 0);
    EXPECT_THAT(left, ::testing::ElementsAre(2)) << "the window's tab handler ran";
    EXPECT_EQ(errorNumberOf([&] { port.selectTab(3); }), forms::InvalidPropertyValue);
    EXPECT_EQ(tabs.selectedTab(), 0);

    port.setStopTheEvents(true);
    port.setStopTheEvents(false);
    EXPECT_THAT(stops, ::testing::ElementsAre(true, false));
}

} // namespace
