#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"

#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace forms;

// A window with one control of each value kind, counting their events.
struct EventWindow {
    Form form{QStringLiteral("frmEvents")};
    Label& label = form.add<Label>({QStringLiteral("lblMode")});
    TextBox& text = form.add<TextBox>({QStringLiteral("txtValue")});
    CheckBox& check = form.add<CheckBox>({QStringLiteral("chkMetric")});
    ComboBox& combo = form.add<ComboBox>({QStringLiteral("cmbPlane")});
    Frame& frame = form.add<Frame>({QStringLiteral("fraMesh")});
    OptionButton& optA = form.add<OptionButton>({QStringLiteral("optMesh"), 0});
    OptionButton& optB = form.add<OptionButton>({QStringLiteral("optMesh"), 1});
    OptionButton& inFrame = form.add<OptionButton>({QStringLiteral("optFramed"), -1, &frame});
    std::vector<std::string> log;

    EventWindow() {
        label.setCaption(QStringLiteral("0"));
        combo.addItem(QStringLiteral("Normal"));
        combo.addItem(QStringLiteral("Transverse"));
        inFrame.setSelected(true);
        label.onChange.connect([this] { log.push_back("lblMode_Change"); });
        text.onChange.connect([this] { log.push_back("txtValue_Change"); });
        check.onClick.connect([this] { log.push_back("chkMetric_Click"); });
        combo.onClick.connect([this] { log.push_back("cmbPlane_Click"); });
        optA.onClick.connect([this] { log.push_back("optMesh_Click(0)"); });
        optB.onClick.connect([this] { log.push_back("optMesh_Click(1)"); });
        inFrame.onClick.connect([this] { log.push_back("optFramed_Click"); });
    }
};

struct EventCase {
    const char* name;
    std::function<void(EventWindow&)> act;
    std::vector<std::string> expected;
};

TEST(EventRules, CodeWritesRaiseTheControlsOwnEventsOnlyOnRealChange) {
    const std::vector<EventCase> cases = {
        {"label new caption", [](EventWindow& w) { w.label.setCaption("1"); }, {"lblMode_Change"}},
        {"label same caption", [](EventWindow& w) { w.label.setCaption("0"); }, {}},
        {"text from code", [](EventWindow& w) { w.text.setText("20"); }, {"txtValue_Change"}},
        {"text unchanged", [](EventWindow& w) { w.text.setText(""); }, {}},
        {"check box ticked", [](EventWindow& w) { w.check.setCheckValue(1); }, {"chkMetric_Click"}},
        {"check box grayed", [](EventWindow& w) { w.check.setCheckValue(2); }, {"chkMetric_Click"}},
        {"check box unchanged", [](EventWindow& w) { w.check.setCheckValue(0); }, {}},
        {"combo list index", [](EventWindow& w) { w.combo.setListIndex(1); }, {"cmbPlane_Click"}},
        {"combo unchanged", [](EventWindow& w) { w.combo.setListIndex(-1); }, {}},
        {"combo by text", [](EventWindow& w) { w.combo.setText("transverse"); }, {"cmbPlane_Click"}},
        {"option selected", [](EventWindow& w) { w.optA.setSelected(true); }, {"optMesh_Click(0)"}},
        {"option cleared", [](EventWindow& w) { w.inFrame.setSelected(false); }, {}},
        {"option already selected", [](EventWindow& w) { w.inFrame.setSelected(true); }, {}},
        {"generic label value", [](EventWindow& w) { w.label.setValue(QStringLiteral("2")); }, {"lblMode_Change"}},
        {"generic check value", [](EventWindow& w) { w.check.setValue(QStringLiteral("1")); }, {"chkMetric_Click"}},
        {"generic option value", [](EventWindow& w) { w.optB.setValue(QStringLiteral("#TRUE#")); }, {"optMesh_Click(1)"}},
    };
    for (const EventCase& c : cases) {
        EventWindow window;
        c.act(window);
        EXPECT_EQ(window.log, c.expected) << c.name;
    }
}

TEST(EventRules, OptionButtonsAreExclusiveWithinTheirContainerOnly) {
    EventWindow w;
    w.optA.setSelected(true);
    w.optB.setSelected(true);
    EXPECT_FALSE(w.optA.isSelected());
    EXPECT_TRUE(w.optB.isSelected());
    EXPECT_TRUE(w.inFrame.isSelected()) << "the frame holds a group of its own";
}

TEST(EventRules, LabelChangeRunsNestedAndAtOnce) {
    Form form(QStringLiteral("frmNested"));
    auto& first = form.add<Label>({QStringLiteral("lblTThkHowInput"), 0});
    auto& second = form.add<Label>({QStringLiteral("lblTThkHowInput"), 1});
    std::vector<std::string> log;
    // Choosing method 0 for one member sets the other's to 0, which writes
    // back into the first: the nesting ends because nothing changes any more.
    auto rule = [&](Label& self, Label& other, const char* name) {
        log.push_back(std::string("enter ") + name);
        if (self.caption() == QStringLiteral("0"))
            other.setCaption(QStringLiteral("0"));
        log.push_back(std::string("leave ") + name);
    };
    first.setCaption(QStringLiteral("3"));
    second.setCaption(QStringLiteral("3"));
    first.onChange.connect([&] { rule(first, second, "0"); });
    second.onChange.connect([&] { rule(second, first, "1"); });

    first.setCaption(QStringLiteral("0"));

    EXPECT_EQ(log, (std::vector<std::string>{"enter 0", "enter 1", "leave 1", "leave 0"}));
    EXPECT_EQ(second.caption(), QStringLiteral("0"));
}

TEST(EventRules, LabelChangeHandlerMaySetItsOwnCaption) {
    Form form(QStringLiteral("frmSelf"));
    auto& label = form.add<Label>({QStringLiteral("lblDiamRad")});
    std::vector<QString> seen;
    label.onChange.connect([&] {
        seen.push_back(label.caption());
        if (label.caption() == QStringLiteral("0"))
            label.setCaption(QStringLiteral("1"));
    });
    label.setCaption(QStringLiteral("0"));
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("0"), QStringLiteral("1")}));
    EXPECT_EQ(label.caption(), QStringLiteral("1"));
}

TEST(EventRules, ErrorsOfAHandlerReachTheCodeThatChangedTheValue) {
    EventWindow w;
    w.label.onChange.connect([&] { w.combo.setListIndex(7); });
    try {
        w.label.setCaption(QStringLiteral("7"));
        FAIL() << "no error raised";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), 380);
    }
    EXPECT_EQ(w.label.caption(), QStringLiteral("7"));
}

TEST(EventRules, ComboSelectionAndListChanges) {
    EventWindow w;
    EXPECT_EQ(w.combo.listIndex(), -1) << "adding items selects nothing";
    w.combo.setListIndex(1);
    w.combo.addItem(QStringLiteral("Axial"), 0);
    EXPECT_EQ(w.combo.listIndex(), 2);
    EXPECT_EQ(w.combo.text(), QStringLiteral("Transverse"));
    w.combo.removeItem(2);
    EXPECT_EQ(w.combo.listIndex(), -1);
    w.combo.setItemData(0, 42);
    EXPECT_EQ(w.combo.itemData(0), 42);
    w.log.clear();
    w.combo.clear();
    EXPECT_EQ(w.combo.listCount(), 0);
    EXPECT_TRUE(w.log.empty()) << "clearing the list raises no click";
    for (int bad : {-2, 0}) {
        try {
            w.combo.setListIndex(bad);
            ADD_FAILURE() << bad;
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), 380);
        }
    }
}

TEST(EventRules, AComboWithNothingSelectedShowsNoText) {
    Form form(QStringLiteral("frmMFGOutputs"));
    auto& hand = form.add<ComboBox>({QStringLiteral("cmbHelixHand"), 0}, ComboStyle::DropdownCombo);
    hand.addItem(QStringLiteral("Right"));
    hand.addItem(QStringLiteral("Left"));
    int clicks = 0;
    hand.onClick.connect([&] { ++clicks; });
    hand.setListIndex(1);
    EXPECT_EQ(hand.text(), QStringLiteral("Left"));
    hand.setListIndex(-1);
    EXPECT_EQ(hand.text(), QString());
    EXPECT_EQ(clicks, 2);
}

TEST(EventRules, ChangedFlagFollowsEveryValueChange) {
    EventWindow w;
    for (Control* control : w.form.controls())
        control->clearChanged();
    w.label.setCaption(QStringLiteral("0"));
    EXPECT_FALSE(w.label.isChanged()) << "an unchanged write changes nothing";
    w.label.setCaption(QStringLiteral("5"));
    w.text.setText(QStringLiteral("x"));
    w.optA.setSelected(true);
    EXPECT_TRUE(w.label.isChanged());
    EXPECT_TRUE(w.text.isChanged());
    EXPECT_TRUE(w.optA.isChanged());
    EXPECT_FALSE(w.check.isChanged());
    w.label.clearChanged();
    EXPECT_FALSE(w.label.isChanged());
}

} // namespace
