// The override mark on the shown window: typed factors take it on leaving
// their box, values written by code and mere clicks never do.
#include "AgmaWindowFixture.h"

#include "agma/BoxNumber.h"

#include <QApplication>
#include <QTest>

class AgmaOverrideMark : public AgmaWindowTest {
protected:
    void SetUp() override { showWithMaterials(rows::ThroughHardenedGrade1, rows::ThroughHardenedGrade1); }
    void showTab(int tab)
    {
        tabs().setSelectedTab(tab);
        settle();
    }
    void focusOn(const char* name, int index = -1)
    {
        try {
            form().find(q(name), index)->setFocus();
        } catch (const std::exception&) {
            ADD_FAILURE() << name << "(" << index << ") cannot take the focus";
        }
        settle();
    }
    // Replaces the box's text as the user does: into the box, select all, type.
    void typeInto(const char* name, int index, const std::string& value)
    {
        focusOn(name, index);
        QWidget* target = box(name, index).keyTarget();
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(target, QString::fromStdString(value));
        settle();
    }
};

TEST_F(AgmaOverrideMark, EachTypedFactorIsMarkedOnLeaving)
{
    struct Case {
        int tab;
        const char* name;
        int index;
        const char* typed;
        const char* leaveTo;
        int leaveIndex;
        const char* after;
    };
    const Case cases[] = {
        {1, "txtSAC", 0, "120000", "txtSAT", 0, "120000*"},
        {1, "txtSAT", 1, "30000", "txtSAC", 1, "30000*"},
        {2, "txtKV", -1, "1.3", "cmbKV", 0, "1.3*"},
        {3, "txtKb", 0, "1.2", "txtKBin", 0, "1.2*"},
        {5, "txtKo", -1, "1.4", "txtKr", -1, "1.4*"},
        {5, "txtKr", -1, "1.1", "txtKo", -1, "1.1*"},
        {6, "txtYn", 1, "0.9", "txtYn", 0, "0.9*"},
        {6, "txtZn", 0, "0.95", "txtZn", 1, "0.95*"},
        {7, "txtCh", 1, "1.02", "txtSh", 0, "1.02*"},
        {7, "txtCf", -1, "1.1", "txtSh", 0, "1.1*"},
        {7, "txtSh", 0, "1.2", "txtSf", 0, "1.2"}, // not a marked factor
        {5, "txtKs", -1, "1.1", "txtKo", -1, "1.1"},
        {5, "txtKt", -1, "1.2", "txtKo", -1, "1.2"},
        {7, "txtCh", 0, "1.05*", "txtSh", 0, "1.05*"}, // no second mark
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + std::to_string(c.index));
        showTab(c.tab);
        if (c.tab == 1) // the material page edits one member at a time
            form().get<forms::CommandButton>(q("cmdPoG"), c.index).click();
        if (c.tab == 7) // the Ch frame shows for the pairs whose hardness ratio counts
            form().find(q("fraCh"), -1)->setVisible(true);
        typeInto(c.name, c.index, c.typed);
        focusOn(c.leaveTo, c.leaveIndex);
        EXPECT_EQ(text(c.name, c.index), c.after);
    }
}

TEST_F(AgmaOverrideMark, TypedKmStandsAlone)
{
    showTab(4);
    check("chkCE").setCheckValue(1);
    check("chkCMC").setCheckValue(1);
    option("optGearStyle", 2).setSelected(true);
    type("txtKmSpan", "10");
    type("txtKmOffset", "1");
    typeInto("txtKm", -1, "1.25");
    focusOn("txtKmSpan");
    EXPECT_EQ(text("txtKm"), "1.25*");
    EXPECT_EQ(check("chkCE").checkValue(), 0);
    EXPECT_EQ(check("chkCMC").checkValue(), 0);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(option("optGearStyle", k).isSelected()) << k;
    EXPECT_EQ(text("txtKmOffset"), "");
    EXPECT_EQ(text("txtKmSpan"), "");
}

TEST_F(AgmaOverrideMark, ClicksNeverFreezeCalculatedValues)
{
    showTab(4);
    // The calculator writes Km, whose change records its own tag.
    option("optGearStyle", 1).setSelected(true);
    settle();
    const std::string calculated = text("txtKm");
    ASSERT_EQ(agma->state().LastChange, "txtKm");
    focusOn("txtKm");
    focusOn("txtKmSpan");
    EXPECT_EQ(text("txtKm"), calculated);
    EXPECT_TRUE(option("optGearStyle", 1).isSelected());

    // Typing in one member's Zn leaves the other, only clicked, unmarked.
    showTab(6);
    typeInto("txtZn", 1, "0.9");
    focusOn("txtZn", 0);
    focusOn("txtYn", 0);
    EXPECT_EQ(text("txtZn", 1), "0.9*");
    EXPECT_FALSE(cindrel::agma::carriesMark(text("txtZn", 0)));
}
