#include "results/TableRun.h"

#include "design_program/shell/RecordingRunLog.h"
#include "runtime/CheckedMath.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace cindrel::results {
namespace {

using namespace ResultRow;

struct TableRunTest : ::testing::Test {
    RecordingRunLog log;
    TableRun run{"#,##0.000", log};

    std::string errorNumbers() const
    {
        std::string numbers;
        for (const auto& error : log.errors)
            numbers += error.errorNumber + " ";
        return numbers;
    }
};

TEST_F(TableRunTest, RadiusFormFromTheSetting)
{
    struct Case {
        std::int32_t setting;
        std::int16_t factor;
        const char* suffix;
    };
    for (const Case& c : {Case{0, 1, " (radius)"}, Case{1, 1, " (radius)"}, Case{2, 2, " (diameter)"},
                          Case{3, 1, " (radius)"}}) {
        TableRun fresh("#,##0.000", log);
        fresh.readRadiusForm([&] { return c.setting; });
        EXPECT_EQ(fresh.radiusFactor(), c.factor) << c.setting;
        EXPECT_EQ(fresh.radiusSuffix(), c.suffix) << c.setting;
        EXPECT_DOUBLE_EQ(fresh.radius(1.25, 25.4), 1.25 * 25.4 * c.factor);
    }
    EXPECT_TRUE(log.errors.empty());
}

TEST_F(TableRunTest, FailedSettingReadsGiveRadiiAndSpurAndOneReportEach)
{
    run.readRadiusForm([]() -> std::int32_t { runtime::raise(runtime::DeviceIOError); });
    run.readHelical([]() -> double { runtime::raise(runtime::Overflow); });
    EXPECT_EQ(run.radiusFactor(), 1);
    EXPECT_EQ(run.radiusSuffix(), " (radius)");
    EXPECT_FALSE(run.helical());
    ASSERT_EQ(log.errors.size(), 2u);
    EXPECT_EQ(log.errors[0].module, "StateNavigator");
    EXPECT_EQ(log.errors[0].routine, "GetString");
    EXPECT_EQ(log.errors[0].errorNumber, "57");
    EXPECT_EQ(log.errors[0].description, "Device I/O error");
    EXPECT_EQ(log.errors[0].other, "");
    EXPECT_EQ(log.errors[1].errorNumber, "6");
}

TEST_F(TableRunTest, AnyHelixAngleButExactlyZeroIsHelical)
{
    for (const double psi : {0.0, 1e-9, -1e-9, 0.5}) {
        TableRun fresh("#,##0.000", log);
        fresh.readHelical([&] { return psi; });
        EXPECT_EQ(fresh.helical(), psi != 0.0) << psi;
    }
}

TEST_F(TableRunTest, RowsOfTheThreeKinds)
{
    run.size(2);
    run.setRow(-1);
    run.nextRow();
    run.pairRow("N", std::int32_t{20}, [] { return std::int32_t{41}; }, "Number of teeth");
    run.nextRow();
    run.setValueRow("Ratio", [&] { return run.format(41.0 / 20.0); }, "Gear ratio");
    run.nextRow();
    run.textRow("Mods", "Teeth NOT modified");
    ASSERT_TRUE(log.errors.empty()) << errorNumbers();

    const ResultTable& table = run.table();
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.at(0, Key), Cell(std::string("N")));
    EXPECT_EQ(table.at(0, PinionValue), Cell(20.0));
    EXPECT_EQ(table.at(0, GearValue), Cell(41.0));
    EXPECT_EQ(table.at(0, RowKind), Cell(RowKindPair));
    EXPECT_EQ(table.at(1, PinionValue), Cell(std::string("2.050")));
    EXPECT_EQ(table.at(1, GearValue), Cell(std::string("2.050")));
    EXPECT_EQ(table.at(1, Description), Cell(std::string("Gear ratio")));
    EXPECT_EQ(table.at(1, RowKind), Cell(RowKindSetValue));
    for (const int column : {PinionValue, GearValue, Description})
        EXPECT_EQ(table.at(2, column), Cell(std::string("Teeth NOT modified")));
    EXPECT_EQ(table.at(2, RowKind), Cell(RowKindText));
    for (const int mask : {RedMask, BoldMask, ItalicMask})
        EXPECT_EQ(table.at(2, mask), Cell(std::int16_t{0}));
}

TEST_F(TableRunTest, WritePastTheLastRowIsReportedOnceAndSkipped)
{
    run.size(0);
    run.setRow(0);
    run.cell(Key, "Face");
    run.nextRow();
    run.cell(Key, "PSI");
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0].errorNumber, "9");
    EXPECT_EQ(log.errors[0].description, "Subscript out of range");
    EXPECT_EQ(run.table().rowCount(), 1);
    EXPECT_EQ(run.table().at(0, Key), Cell(std::string("Face")));
}

TEST_F(TableRunTest, FailingValueLeavesItsCellAndTheCopiesEmpty)
{
    run.size(0);
    run.setRow(0);
    run.setValueRow("Mod", [&] { return run.format(runtime::divide(25.4, 0.0)); }, "Transverse standard module");
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0].errorNumber, "11");
    const ResultTable& table = run.table();
    EXPECT_EQ(table.at(0, Key), Cell(std::string("Mod")));
    EXPECT_EQ(table.at(0, PinionValue), Cell());
    EXPECT_EQ(table.at(0, GearValue), Cell());
    EXPECT_EQ(table.at(0, Description), Cell(std::string("Transverse standard module")));
}

TEST_F(TableRunTest, NonFiniteValueFailsItsStatement)
{
    const double infinity = std::numeric_limits<double>::infinity();
    run.size(0);
    run.setRow(0);
    run.cell(PinionValue, infinity);
    run.cell(GearValue, [&] { return run.format(std::nan("")); });
    run.cell(Description, [&] { return TableRun::format(infinity, "0.000"); });
    EXPECT_EQ(errorNumbers(), "6 6 6 ");
    for (const int column : {PinionValue, GearValue, Description})
        EXPECT_EQ(run.table().at(0, column), Cell());
}

TEST_F(TableRunTest, FailingConditionRunsItsThenBranch)
{
    EXPECT_TRUE(run.condition([]() -> bool { runtime::raise(runtime::DivisionByZero); }));
    EXPECT_FALSE(run.condition([] { return false; }));
    EXPECT_EQ(errorNumbers(), "11 ");
}

TEST_F(TableRunTest, RowCounterOverflowsAt32767)
{
    run.setRow(32766);
    run.nextRow();
    EXPECT_EQ(run.row(), 32767);
    run.nextRow();
    EXPECT_EQ(run.row(), 32767);
    EXPECT_EQ(errorNumbers(), "6 ");
}

TEST_F(TableRunTest, SizingEmptiesTheTable)
{
    run.size(3);
    run.setRow(0);
    run.cell(Key, "Km");
    run.size(1);
    EXPECT_EQ(run.table().rowCount(), 2);
    EXPECT_EQ(run.table().at(0, Key), Cell());
    EXPECT_FALSE(TableRun("0.0", log).hasTable());
}

TEST(CellText, EveryKindOfCell)
{
    const CaptionReader caption = [](const LabelRef& label) { return label.name + "#" + std::to_string(label.index); };
    EXPECT_EQ(cellText(Cell(), caption), "");
    EXPECT_EQ(cellText(Cell(std::string("1,234.500")), caption), "1,234.500");
    EXPECT_EQ(cellText(Cell(std::int16_t{20}), caption), "20");
    EXPECT_EQ(cellText(Cell(20.0), caption), "20");
    EXPECT_EQ(cellText(Cell(0.5), caption), "0.5");
    EXPECT_EQ(cellText(Cell(-2.5e-5), caption), "-2.5E-05");
    EXPECT_EQ(cellText(Cell(LabelRef{"frmMain", "lblMaterial", 1}), caption), "lblMaterial#1");
    EXPECT_EQ(cellText(Cell(LabelRef{"frmMain", "lblMaterial", 1}), nullptr), "");
}

} // namespace
} // namespace cindrel::results
