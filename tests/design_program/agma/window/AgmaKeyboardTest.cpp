// The AGMA window used from the keyboard alone: a box left by Tab or
// Shift+Tab runs the same leaving checks as one left by a click.
#include "AgmaWindowFixture.h"

#include <QApplication>
#include <QTest>

class AgmaKeyboard : public AgmaWindowTest {
protected:
    void SetUp() override { showWithMaterials(rows::ThroughHardenedGrade1, rows::ThroughHardenedGrade1); }
    // Into the box, everything selected, the value typed, then the key that leaves.
    void typeAndLeave(int tab, const char* name, int index, const char* value, Qt::KeyboardModifiers leaving)
    {
        tabs().setSelectedTab(tab);
        settle();
        box(name, index).setFocus();
        settle();
        QWidget* target = box(name, index).keyTarget();
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(target, QString::fromLatin1(value));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, leaving);
        settle();
    }
};

TEST_F(AgmaKeyboard, TabAndShiftTabMarkATypedFactor)
{
    struct Case {
        int tab;
        const char* name;
        int index;
        const char* typed;
        Qt::KeyboardModifiers leaving;
        const char* after;
    };
    const Case cases[] = {
        {6, "txtZn", 1, "1.3", Qt::NoModifier, "1.3*"},
        {6, "txtYn", 0, "0.9", Qt::ShiftModifier, "0.9*"},
        {2, "txtKV", -1, "1.3", Qt::NoModifier, "1.3*"},
        {5, "txtKo", -1, "1.4", Qt::ShiftModifier, "1.4*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + std::to_string(c.index));
        typeAndLeave(c.tab, c.name, c.index, c.typed, c.leaving);
        EXPECT_EQ(text(c.name, c.index), c.after);
        EXPECT_FALSE(box(c.name, c.index).hasFocus()) << "the key moved on";
    }
}

TEST_F(AgmaKeyboard, AZnTypedAndLeftByTabSurvivesTheOtherMembersConservativeTick)
{
    typeAndLeave(6, "txtZn", 1, "1.3", Qt::NoModifier);
    ASSERT_EQ(text("txtZn", 1), "1.3*");
    ASSERT_TRUE(visible("chkConservative", 0));
    check("chkConservative", 0).setCheckValue(1);
    EXPECT_EQ(text("txtZn", 1), "1.3*");
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(AgmaKeyboard, TooFewContactsLeftByTabAreToldAndKeepTheFocus)
{
    for (const int member : {0, 1}) {
        SCOPED_TRACE(member);
        const std::size_t before = messageCount();
        typeAndLeave(6, "txtContacts", member, "0", member == 0 ? Qt::NoModifier : Qt::ShiftModifier);
        ASSERT_EQ(messageCount(), before + 1);
        EXPECT_EQ(lastMessage(),
                  std::string("Set ") + (member == 0 ? "pinion" : "Gear") + " contacts per revolution greater than 1");
        EXPECT_TRUE(box("txtContacts", member).hasFocus());
        type("txtContacts", member, "1");
    }
}
