#include "EndInView.h"
#include "ResultsShape.h"

#include "grid/Grid.h"

#include "forms/Form.h"

#include <QApplication>
#include <QTableView>

#include <gtest/gtest.h>

#include <set>

namespace {

using grid::Grid;
using gridtest::EndBy;

// A grid shaped as the results grid, its rows of one and two lines in
// sections, each opened by a merged heading row. As the results window does,
// the fixed heading row stands aside while a section's own heading is the
// top row, so the fixed rows change height as the grid scrolls.
class GridEnd : public ::testing::Test {
protected:
    void SetUp() override {
        form.move(0, 0, 12000, 15000);
        gridtest::shapeAsResultsGrid(grid, 2, 1500, 1500);
        const QString twoLines = QStringLiteral("pounds per square inch");
        for (int i = 0; i < 40; ++i) {
            if (i % 7 == 0) {
                const QString heading = QStringLiteral("Section %1").arg(i / 7);
                const int row = grid.appendRow({QString(), heading, heading, heading});
                grid.setRowMerged(row, true);
                headings.insert(row);
                continue;
            }
            grid.appendRow({QStringLiteral("K%1").arg(i), QStringLiteral("%1").arg(i), QStringLiteral("%1").arg(2 * i),
                            i % 3 == 1 || i % 5 == 0 ? twoLines : QStringLiteral("in")});
        }
        for (int column = 1; column < 4; ++column)
            grid.setCellText(1, column, QStringLiteral("Section 0"));
        grid.onScroll.connect([this] {
            if (headingStandsAside)
                grid.setRowHidden(1, headings.contains(grid.topRow()));
        });
        form.show();
        QCoreApplication::processEvents();
        std::set<double> heights;
        for (int row = 2; row < grid.rowCount(); ++row)
            heights.insert(grid.rowHeight(row));
        ASSERT_EQ(heights.size(), 2U) << "rows of one and of two lines";
        ASSERT_GT(*heights.rbegin(), *heights.begin() * 1.5);
    }

    // Every height of the grid, one pixel apart, from a body of a row or two
    // to one that shows all but a few rows.
    void expectEndInViewAtEveryHeight(EndBy way, bool lastRowCurrent = false) {
        int faults = 0;
        for (int pixels = 130; pixels <= 450; ++pixels) {
            grid.move(0, 0, 6000, pixels * 15);
            grid.setTopRow(0);
            // As the results window leaves it: the current cell in the fixed
            // column, none in the body; or the last row's, scrolled out of view.
            grid.setCurrentColumn(lastRowCurrent ? 1 : 0);
            grid.setCurrentRow(lastRowCurrent ? grid.rowCount() - 1 : 2);
            QCoreApplication::processEvents();
            ASSERT_EQ(grid.topRow(), 2);
            gridtest::reachEnd(grid, way);
            const std::string fault = gridtest::endFault(grid, way == EndBy::Keys || way == EndBy::PageDown);
            if (!fault.empty() && ++faults <= 5)
                ADD_FAILURE() << gridtest::nameOf(way) << ", grid " << pixels << " px high: " << fault;
        }
        EXPECT_EQ(faults, 0) << gridtest::nameOf(way);
    }

    forms::Form form{QStringLiteral("frmScreenOutput")};
    Grid& grid = form.add<Grid>({QStringLiteral("grdOutputs")});
    std::set<int> headings;
    bool headingStandsAside = true;
};

TEST_F(GridEnd, TheLastRowShowsWholeAtTheEndHoweverItIsReached) {
    for (EndBy way : {EndBy::Keys, EndBy::PageDown, EndBy::Wheel, EndBy::ScrollBar, EndBy::TopRowPastEnd})
        expectEndInViewAtEveryHeight(way);
}

TEST_F(GridEnd, FixedRowsOfOneHeightShowTheEndAsWell) {
    headingStandsAside = false;
    for (EndBy way : {EndBy::Keys, EndBy::PageDown, EndBy::Wheel, EndBy::ScrollBar, EndBy::TopRowPastEnd})
        expectEndInViewAtEveryHeight(way);
}

TEST_F(GridEnd, CtrlEndShowsTheLastRowWhenItIsAlreadyCurrent) {
    expectEndInViewAtEveryHeight(EndBy::Keys, true);
}

TEST_F(GridEnd, AGridMadeTallerTakesInTheRowsAboveOnlyWhenItWouldShowRoomBelowTheLast) {
    headingStandsAside = false;
    QTableView& body = gridtest::bodyOf(grid);
    grid.move(0, 0, 6000, 200 * 15);
    grid.setTopRow(10);
    QCoreApplication::processEvents();
    grid.move(0, 0, 6000, 300 * 15);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.topRow(), 10) << "short of the end the top row stays";

    // At the end, and a row short of it: either way the taller grid ends
    // with the last row at its bottom.
    for (int shortOfEnd : {0, 1}) {
        grid.move(0, 0, 6000, 200 * 15);
        grid.setTopRow(1000);
        QCoreApplication::processEvents();
        const int top = grid.topRow() - shortOfEnd;
        grid.setTopRow(top);
        QCoreApplication::processEvents();
        grid.move(0, 0, 6000, 400 * 15);
        QCoreApplication::processEvents();
        EXPECT_LT(grid.topRow(), top) << shortOfEnd;
        EXPECT_EQ(gridtest::endFault(grid), "") << shortOfEnd;
        const int lastBottom = body.visualRect(body.model()->index(body.model()->rowCount() - 1, 0)).bottom();
        const int rowAbove = static_cast<int>(grid.rowHeight(grid.topRow() - 1) / 15);
        EXPECT_LT(body.viewport()->rect().bottom() - lastBottom, rowAbove) << "no room left for the row above";
    }
}

} // namespace
