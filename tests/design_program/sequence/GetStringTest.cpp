#include "SequenceFakes.h"

#include "resources/ResourceStrings.h"
#include "results/TableRun.h"

#include <gtest/gtest.h>

namespace cindrel::sequence {
namespace {

using namespace testing;
using results::Cell;
using results::TableRun;
using namespace results::ResultRow;

struct GetStringTest : ::testing::Test, SequenceFixture {
    StepHandlers handlers;

    void onTable(std::string_view step, std::function<void(TableRun&)> build)
    {
        StepHandler handler;
        handler.table = [build](T_StateNavigator&, T_State&, TableRun& run, bool&) { build(run); };
        handlers.set(step, handler);
    }

    const results::ResultTable& tableOf(std::string_view step)
    {
        const auto& table = navigator->state(step).StateString;
        if (!table)
            throw std::logic_error("no table");
        return *table;
    }
    std::string cell(std::string_view step, int row, int column)
    {
        return results::cellText(tableOf(step).at(row, column), nullptr);
    }
    // Accepts "Main Inputs" again, from wherever the sequence stands.
    void acceptMainInputs()
    {
        while (current() != "Main Inputs")
            current() == "Startup Screen" ? next() : previous();
        next();
    }
};

TEST_F(GetStringTest, NumberFormatReadForEveryTable)
{
    onTable("Main Inputs", [](TableRun& run) {
        run.size(0);
        run.setRow(0);
        run.cell(PinionValue, [&] { return run.format(1234.5); });
    });
    start(std::move(handlers));
    const std::pair<int, const char*> cases[] = {
        {1, "1,234.5"}, {2, "1,234.50"},  {3, "1,234.500"}, {4, "1,234.5000"}, {5, "1,234.50000"},
        {6, "1234.5"},  {7, "1234.50"},   {8, "1234.500"},  {9, "1234.5000"},  {10, "1234.50000"},
        {0, "1,234.500"}, {11, "1,234.500"},
    };
    for (const auto& [choice, shown] : cases) {
        settings.formatChoice = choice;
        acceptMainInputs();
        EXPECT_EQ(cell("Main Inputs", 0, PinionValue), shown) << choice;
    }
}

TEST_F(GetStringTest, RadiusRowsInTheChosenForm)
{
    onTable("Main Inputs", [this](TableRun& run) {
        run.size(0);
        run.setRow(0);
        run.pairRow(
            "Rb", [&] { return run.format(run.radius(1.5, units.LengthFactor())); },
            [&] { return run.format(run.radius(3.25, units.LengthFactor())); },
            [&] { return units.LengthUnits() + resources::ResourceStrings(4000) + run.radiusSuffix(); });
    });
    start(std::move(handlers));
    struct Case {
        std::int32_t setting;
        const char* pinion;
        const char* gear;
        const char* description;
    };
    for (const Case& c : {Case{0, "1.500", "3.250", "(in) Base  (radius)"}, Case{1, "1.500", "3.250", "(in) Base  (radius)"},
                          Case{2, "3.000", "6.500", "(in) Base  (diameter)"}, Case{3, "1.500", "3.250", "(in) Base  (radius)"}}) {
        settings.diamRad = c.setting;
        acceptMainInputs();
        EXPECT_EQ(cell("Main Inputs", 0, PinionValue), c.pinion) << c.setting;
        EXPECT_EQ(cell("Main Inputs", 0, GearValue), c.gear) << c.setting;
        EXPECT_EQ(cell("Main Inputs", 0, Description), c.description) << c.setting;
    }
    EXPECT_TRUE(runLog.errors.empty());

    settings.diamRad = 2;
    settings.failDiamRad = true;
    acceptMainInputs();
    EXPECT_EQ(cell("Main Inputs", 0, Description), "(in) Base  (radius)");
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].routine, "GetString");
}

TEST_F(GetStringTest, AnyHelixAngleButZeroGivesTheHelicalTable)
{
    onTable("Main Inputs", [](TableRun& run) {
        run.size(run.helical() ? 15 : 8);
    });
    start(std::move(handlers));
    for (const auto& [psi, rows] : {std::pair{0.0, 9}, std::pair{1e-9, 16}, std::pair{0.0, 9}}) {
        Oset.aaHelixAngle(psi);
        acceptMainInputs();
        EXPECT_EQ(tableOf("Main Inputs").rowCount(), rows) << psi;
    }
}

TEST_F(GetStringTest, StartupScreenBuildsNoTableAndStillClearsTheClipboard)
{
    onTable("Main Inputs", [](TableRun& run) { run.size(0); });
    start(std::move(handlers));
    clipboard.text = "from another program";
    next();
    EXPECT_FALSE(navigator->state("Startup Screen").StateString.has_value());
    EXPECT_FALSE(clipboard.text.has_value());
    EXPECT_EQ(clipboard.clears, 1);
}

TEST_F(GetStringTest, TableLeftAsItWasWhenTheBranchSizesNone)
{
    bool build = true;
    onTable("Main Inputs", [&build](TableRun& run) {
        if (build)
            run.size(4);
    });
    start(std::move(handlers));
    acceptMainInputs();
    build = false;
    acceptMainInputs();
    EXPECT_EQ(tableOf("Main Inputs").rowCount(), 5);
}

TEST_F(GetStringTest, EveryRunStartsWithFailFalse)
{
    std::vector<bool> seen;
    StepHandler handler;
    handler.table = [&seen](T_StateNavigator&, T_State&, TableRun& run, bool& Fail) {
        seen.push_back(Fail);
        run.size(0);
    };
    handlers.set("Tooth Proportions", handler);
    start(std::move(handlers));
    bool Fail = true;
    navigator->GetString(navigator->state("Tooth Proportions"), Fail);
    EXPECT_EQ(seen, std::vector<bool>{false});
    EXPECT_FALSE(Fail);
    EXPECT_TRUE(navigator->state("Tooth Proportions").StateString.has_value());
}

TEST_F(GetStringTest, ErrorEscapingTheBranchIsReportedOnceAndTheTableStored)
{
    onTable("Main Inputs", [](TableRun& run) {
        run.size(1);
        run.setRow(0);
        run.cell(Key, "N");
        runtime::raise(runtime::ObjectVariableNotSet);
    });
    onTable("Center Distance", [](TableRun& run) { run.size(0); });
    start(std::move(handlers));
    next();
    next();
    next();
    EXPECT_EQ(current(), "Tooth Thickness");
    EXPECT_EQ(cell("Main Inputs", 0, Key), "N");
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].routine, "GetString");
    EXPECT_EQ(runLog.errors[0].errorNumber, "91");
    EXPECT_EQ(clipboard.text, "N,,,\r\n,,,\r\n,,,\r\n");
}

// A hob table rebuilds "Tooth Proportions" with a complete run of its own,
// which refreshes the clipboard too.
TEST_F(GetStringTest, NestedRunRebuildsAndWritesTheClipboardTwice)
{
    onTable("Tooth Proportions", [](TableRun& run) {
        run.size(0);
        run.setRow(0);
        run.cell(Key, "RO");
        run.cell(PinionValue, [&] { return run.format(2.5); });
    });
    StepHandler pinionHob;
    pinionHob.table = [](T_StateNavigator& navigator, T_State&, TableRun& run, bool&) {
        run.size(0);
        run.setRow(0);
        run.cell(Key, "HobAdd");
        bool innerFail = false;
        navigator.GetString(navigator.state("Tooth Proportions"), innerFail);
        run.cell(PinionValue, [&] { return run.format(1.25); });
    };
    handlers.set("Pinion Hob", pinionHob);
    start(std::move(handlers));
    navigator->HobMode = 1;
    navigator->AgmaInputMode = 5;
    for (int i = 0; i < 5; ++i)
        next();
    ASSERT_EQ(current(), "Pinion Hob");
    EXPECT_EQ(cell("Tooth Proportions", 0, PinionValue), "2.500");

    settings.formatChoice = 7;
    const int sets = clipboard.sets;
    next();
    EXPECT_EQ(current(), "Agma on Main");
    EXPECT_EQ(clipboard.sets, sets + 2);
    EXPECT_EQ(cell("Tooth Proportions", 0, PinionValue), "2.50");
    EXPECT_EQ(cell("Pinion Hob", 0, PinionValue), "1.25");
    EXPECT_EQ(clipboard.text, "RO,2.50,,\r\nHobAdd,1.25,,\r\n");
    EXPECT_EQ(settings.formatReads, 7);
}

} // namespace
} // namespace cindrel::sequence
