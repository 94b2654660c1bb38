#include "OutputsFixture.h"

#include "design_program/sequence/FirstStepsFixture.h"

namespace outputstest {
namespace {

using cindrel::sequence::NavigatorPorts;
using cindrel::sequence::T_StateNavigator;
using Buttons = std::vector<std::string>;

// The real navigator on the first three steps, its outputs port on the grid.
class NavigatorFill : public OutputsWindowTest {
protected:
    void SetUp() override
    {
        OutputsWindowTest::SetUp();
        start();
        navigator = std::make_unique<T_StateNavigator>(NavigatorPorts{sequence.Oset, sequence.controls, sequence.messages,
                                                                      sequence.clipboard, sequence.settings,
                                                                      sequence.units, sequence.runLog, *outputs,
                                                                      sequence.agmaWindow},
                                                       cindrel::sequence::designSteps());
        host.steps = &navigator->StateCollection();
    }
    void TearDown() override
    {
        navigator.reset();
        host.steps = nullptr;
        OutputsWindowTest::TearDown();
    }
    void next() { sequence.controls.click(cindrel::sequence::testing::mainControl("cmdNext")); }
    void previous() { sequence.controls.click(cindrel::sequence::testing::mainControl("cmdPrevious")); }
    std::string rowOne() { return grid().cellText(1, 1).toStdString(); }

    cindrel::sequence::testing::FirstStepsFixture sequence;
    std::unique_ptr<T_StateNavigator> navigator;
};

TEST_F(NavigatorFill, NextAndPreviousRefillWhileAutoUpdateIsOn)
{
    next();
    EXPECT_TRUE(grid().visible());
    EXPECT_EQ(grid().rowCount(), 3) << "only the start step is done";
    next();
    next();
    ASSERT_EQ(navigator->StateCollection().Count(), 3);
    const T_State& mainInputs = *navigator->StateCollection().find("Main Inputs");
    const T_State& centerDistance = *navigator->StateCollection().find("Center Distance");
    EXPECT_EQ(mainInputs.GridStartRow, 2);
    EXPECT_EQ(centerDistance.GridStartRow, mainInputs.GridEndRow + 1);
    EXPECT_EQ(grid().cellText(centerDistance.GridStartRow, 1), "Center Distance");
    EXPECT_EQ(grid().cellText(3, 0), "N");
    EXPECT_EQ(rowOne(), grid().topRow() >= centerDistance.GridStartRow ? "Center Distance" : "Main Inputs");
    EXPECT_EQ(shownButtons(), (Buttons{"btnCloseWindow", "btnMainInputs", "btnCenterDistance"}));

    previous();
    EXPECT_EQ(navigator->StateCollection().Count(), 2);
    EXPECT_EQ(grid().rowCount(), centerDistance.GridStartRow) << "the Center Distance section is gone";
    EXPECT_EQ(shownButtons(), (Buttons{"btnCloseWindow", "btnMainInputs"}));
}

TEST_F(NavigatorFill, WithAutoUpdateOffNextHidesTheGridAndUpdateBringsItBack)
{
    next();
    next();
    menu("mnuOptionsAutoUpdate").click();
    next();
    EXPECT_FALSE(grid().visible());
    EXPECT_EQ(shownButtons(), (Buttons{"btnCloseWindow", "btnUpdateOutputs"}));
    menu("mnuUpdateOutputs").click();
    EXPECT_TRUE(grid().visible());
    const T_State& centerDistance = *navigator->StateCollection().find("Center Distance");
    EXPECT_EQ(grid().cellText(centerDistance.GridStartRow, 1), "Center Distance");
    EXPECT_EQ(shownButtons(), (Buttons{"btnCloseWindow", "btnUpdateOutputs", "btnMainInputs", "btnCenterDistance"}));
}

TEST_F(NavigatorFill, BeginNewHidesTheGridAndRestoresAutoUpdateWithoutARefill)
{
    next();
    next();
    next();
    navigator->BeginNew();
    EXPECT_EQ(navigator->StateCollection().Count(), 0);
    EXPECT_TRUE(outputs->AutoUpdate());
    EXPECT_FALSE(grid().visible());
    EXPECT_TRUE(menu("mnuOptionsAutoUpdate").checked());
    next();
    EXPECT_TRUE(grid().visible());
    EXPECT_EQ(grid().rowCount(), 3);
}

} // namespace
} // namespace outputstest
