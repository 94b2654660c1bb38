#include "grid/GridData.h"

#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using grid::GridData;
using grid::MergedRun;
using testsupport::errorNumberOf;

GridData fourColumns(int fixedColumns = 1) {
    GridData data;
    data.setColumnCount(4);
    data.setFixedColumnCount(fixedColumns);
    return data;
}

TEST(GridData, AppendedRowsKeepEachTextInItsCell) {
    GridData data = fourColumns();
    data.appendRow({"Rp_s", "1.5\t(in)", "3.0"});
    data.appendRow({"a", "b", "c", "d", "beyond the last column"});
    EXPECT_EQ(data.rowCount(), 2);
    EXPECT_EQ(data.text(0, 1), QStringLiteral("1.5\t(in)"));
    EXPECT_EQ(data.text(0, 2), QStringLiteral("3.0"));
    EXPECT_EQ(data.text(0, 3), QString());
    EXPECT_EQ(data.text(1, 3), QStringLiteral("d"));
}

TEST(GridData, ClearEmptiesCellsFormatsAndMarksButKeepsShapeAndWidths) {
    GridData data = fourColumns();
    data.setRowCount(3);
    data.setFixedRowCount(2);
    data.setColumnWidth(3, 3960);
    data.setText(2, 1, QStringLiteral("x"));
    data.formatForChange(2, 1).bold = true;
    data.setRowMerged(2, true);
    data.clear();
    EXPECT_EQ(data.rowCount(), 3);
    EXPECT_EQ(data.fixedRowCount(), 2);
    EXPECT_EQ(data.columnWidth(3), 3960);
    EXPECT_EQ(data.text(2, 1), QString());
    EXPECT_FALSE(data.format(2, 1).bold);
    EXPECT_FALSE(data.isRowMerged(2));
}

TEST(GridData, ColumnCountChangeKeepsTheCellsThatRemain) {
    GridData data = fourColumns();
    data.appendRow({"k", "p", "g", "d"});
    data.setColumnCount(2);
    data.setColumnCount(3);
    EXPECT_EQ(data.text(0, 1), QStringLiteral("p"));
    EXPECT_EQ(data.text(0, 2), QString());
    EXPECT_EQ(data.columnWidth(2), GridData::defaultColumnWidth);
}

TEST(GridData, BadAddressesAndCountsAreRefused) {
    GridData data = fourColumns();
    data.setRowCount(3);
    data.setFixedRowCount(2);
    EXPECT_EQ(errorNumberOf([&] { data.text(3, 0); }), 381);
    EXPECT_EQ(errorNumberOf([&] { data.setText(0, 4, "x"); }), 381);
    EXPECT_EQ(errorNumberOf([&] { data.setText(-1, 0, "x"); }), 381);
    EXPECT_EQ(errorNumberOf([&] { data.setRowCount(1); }), 380) << "fewer rows than fixed rows";
    EXPECT_EQ(errorNumberOf([&] { data.setFixedRowCount(4); }), 380);
    EXPECT_EQ(errorNumberOf([&] { data.setRowCount(-1); }), 380);
    EXPECT_EQ(errorNumberOf([&] { data.setRowCount(2'000'000'000); }), 380);
    EXPECT_EQ(errorNumberOf([&] { data.setColumnWidth(0, -1); }), 380);
    EXPECT_EQ(data.rowCount(), 3);
}

TEST(GridData, MergedRunsOfEqualAdjacentTextsInMarkedRowsOnly) {
    struct Case {
        QStringList texts;
        bool marked;
        std::vector<MergedRun> runs;
    };
    const std::vector<Case> cases = {
        {{"", "Main Inputs", "Main Inputs", "Main Inputs"}, true, {{1, 3}}},
        {{"Rp_s", "1.5", "1.5", "in, pitch radius"}, true, {{1, 2}}},
        {{"Rp_s", "1.5", "1.5", "in, pitch radius"}, false, {}},
        {{"x", "x", "x", "d"}, true, {{1, 2}}}, // the key column never joins the values
        {{"k", "a", "b", "b"}, true, {{2, 2}}},
        {{"k", "a", "b", "c"}, true, {}},
        {{"", "", "", ""}, true, {{1, 3}}},
    };
    for (const Case& c : cases) {
        GridData data = fourColumns();
        const int row = data.appendRow(c.texts);
        data.setRowMerged(row, c.marked);
        EXPECT_EQ(data.mergedRuns(row), c.runs) << c.texts.join(QLatin1Char('|')).toStdString();
    }
    GridData noFixed = fourColumns(0);
    noFixed.setRowMerged(noFixed.appendRow({"x", "x", "y", "y"}), true);
    EXPECT_EQ(noFixed.mergedRuns(0), (std::vector<MergedRun>{{0, 2}, {2, 2}}));
}

} // namespace
