#include "SequenceFakes.h"

#include "results/TableRun.h"
#include "sequence/ClipboardText.h"

#include <gtest/gtest.h>

namespace cindrel::sequence {
namespace {

using namespace testing;
using results::TableRun;
using namespace results::ResultRow;

// Each step's table: one row keyed by the step's short name and one row left empty.
StepHandler twoRowTable(std::string key)
{
    StepHandler handler;
    handler.table = [key](T_StateNavigator&, T_State&, TableRun& run, bool&) {
        run.size(1);
        run.setRow(0);
        run.pairRow(key, "1.000", "2.000", "(in) " + key);
    };
    return handler;
}

struct ClipboardTest : ::testing::Test, SequenceFixture {
    void startWithTables()
    {
        StepHandlers handlers;
        handlers.set("Main Inputs", twoRowTable("MI"))
            .set("Center Distance", twoRowTable("CD"))
            .set("Tooth Thickness", twoRowTable("TT"))
            .set("Tooth Proportions", twoRowTable("TP"));
        start(std::move(handlers));
        navigator->AgmaInputMode = 5;
    }
};

TEST_F(ClipboardTest, EmptyUntilTwoStepsAreDoneThenThePathsTables)
{
    startWithTables();
    next();
    EXPECT_EQ(clipboard.clears, 1);
    EXPECT_FALSE(clipboard.text.has_value());
    next();
    EXPECT_EQ(clipboard.clears, 2);
    EXPECT_FALSE(clipboard.text.has_value());
    EXPECT_EQ(clipboard.sets, 0);

    next();
    EXPECT_EQ(clipboard.text, "MI,1.000,2.000,(in) MI\r\n"
                              ",,,\r\n"
                              "CD,1.000,2.000,(in) CD\r\n"
                              ",,,\r\n");
    EXPECT_TRUE(runLog.errors.empty());
}

TEST_F(ClipboardTest, OnlyThePathAfterGoingBackTwoAndForwardOne)
{
    startWithTables();
    for (int i = 0; i < 4; ++i)
        next();
    ASSERT_EQ(current(), "Tooth Proportions");
    previous();
    previous();
    next();
    EXPECT_EQ(current(), "Tooth Thickness");
    EXPECT_EQ(clipboard.text, "MI,1.000,2.000,(in) MI\r\n,,,\r\nCD,1.000,2.000,(in) CD\r\n,,,\r\n");
}

TEST_F(ClipboardTest, StepWithoutATableAddsNothing)
{
    StepHandlers handlers;
    handlers.set("Main Inputs", twoRowTable("MI")).set("Tooth Thickness", twoRowTable("TT"));
    start(std::move(handlers));
    for (int i = 0; i < 4; ++i)
        next();
    EXPECT_EQ(clipboard.text, "MI,1.000,2.000,(in) MI\r\n,,,\r\nTT,1.000,2.000,(in) TT\r\n,,,\r\n");
    EXPECT_TRUE(runLog.errors.empty());
}

TEST_F(ClipboardTest, FailingClearOrSetIsReportedAndTheNextGoesOn)
{
    startWithTables();
    next();
    next();
    clipboard.failClear = true;
    next();
    EXPECT_EQ(current(), "Tooth Thickness");
    EXPECT_EQ(clipboard.sets, 1); // the new text still reaches it
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].module, "StateNavigator");
    EXPECT_EQ(runLog.errors[0].routine, "OutputToClipBoard");
    EXPECT_EQ(runLog.errors[0].errorNumber, "521");
    EXPECT_EQ(runLog.errors[0].description, "Can't open Clipboard");
    EXPECT_EQ(runLog.errors[0].other, "");

    clipboard.failClear = false;
    clipboard.failSet = true;
    const std::size_t fills = outputs.fills.size();
    next();
    EXPECT_EQ(current(), "Tooth Proportions");
    EXPECT_EQ(outputs.fills.size(), fills + 1);
    EXPECT_FALSE(clipboard.text.has_value());
    ASSERT_EQ(runLog.errors.size(), 2u);
    EXPECT_EQ(runLog.errors[1].routine, "OutputToClipBoard");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClipboardTest, LabelCellsShowTheCaptionWhenRead)
{
    const ControlId material{"frmMain", "lblMaterial", 0};
    controls.add(material, "Steel, through hardened");
    StepHandlers handlers;
    StepHandler labelTable;
    labelTable.table = [](T_StateNavigator&, T_State&, TableRun& run, bool&) {
        run.size(0);
        run.setRow(0);
        run.textRow("Pinion", results::LabelRef{"frmMain", "lblMaterial", 0});
    };
    handlers.set("Main Inputs", labelTable);
    start(std::move(handlers));
    navigator->AgmaInputMode = 5;
    next();
    next();
    next();
    EXPECT_EQ(clipboard.text, "Pinion,\"Steel, through hardened\",\"Steel, through hardened\","
                              "\"Steel, through hardened\"\r\n");

    controls.setValue(material, "AISI 4340");
    next();
    EXPECT_EQ(clipboard.text, "Pinion,AISI 4340,AISI 4340,AISI 4340\r\n");

    controls.remove(material);
    next();
    EXPECT_EQ(clipboard.text, "Pinion,,,\r\n");
}

TEST(ClipboardField, QuotedOnlyWhereASpreadsheetWouldSplitIt)
{
    EXPECT_EQ(clipboardField("1,234.500"), "\"1,234.500\"");
    EXPECT_EQ(clipboardField("Radial force (separating force)"), "Radial force (separating force)");
    EXPECT_EQ(clipboardField("a \"quoted\" word"), "\"a \"\"quoted\"\" word\"");
    EXPECT_EQ(clipboardField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(clipboardField("(in) Base  (radius)"), "(in) Base  (radius)");
    EXPECT_EQ(clipboardField(""), "");
}

TEST(ClipboardText, WalkEndsAtAStepAlreadyPassed)
{
    T_State first;
    T_State second;
    results::ResultTable table(1);
    table.set(0, Key, std::string("Z"));
    first.StateString = table;
    second.StateString = table;
    first.NextState = &second;
    second.NextState = &first;
    EXPECT_EQ(clipboardText(&first, nullptr), "Z,,,\r\nZ,,,\r\n");
    EXPECT_EQ(clipboardText(nullptr, nullptr), "");
}

} // namespace
} // namespace cindrel::sequence
