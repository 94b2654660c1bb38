#include "ResultsShape.h"

#include "grid/Grid.h"

#include "forms/Form.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

using grid::Grid;

bool isRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }

int redPixelsIn(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += isRed(image.pixel(x, y)) ? 1 : 0;
    return count;
}

QImage region(const QImage& image, const QRect& area) { return image.copy(area); }

// A filled grid grabbed as shown: rows of 360 twips (24 pixels), a fixed
// column of 1500 twips (100 pixels), value columns of 3000 twips, in a
// 1-pixel frame.
class FilledGrid : public ::testing::Test {
protected:
    void SetUp() override {
        form.move(0, 0, 9000, 6000);
        grid.move(0, 0, 7500, 4500); // 500 by 300 pixels
        gridtest::shapeAsResultsGrid(grid, 2, 1500, 3000);
        for (int i = 0; i < 120; ++i)
            grid.appendRow({QStringLiteral("K%1").arg(i), QStringLiteral("%1").arg(i), QStringLiteral("%1").arg(2 * i),
                            QStringLiteral("in")});
        for (int row = 0; row < grid.rowCount(); ++row)
            grid.setRowHeight(row, 360);
        ASSERT_EQ(grid.rowHeight(0), 360) << "taller than a line of the default font";
        // A red, bold cell of block letters in the first body row.
        grid.setCellText(2, 1, QStringLiteral("MMMMMMMM"));
        grid.setCellForeColor(2, 1, QColor(255, 0, 0));
        grid.setCellBold(2, 1, true);
        grid.setCurrentColumn(1);
        grid.setCurrentRow(2);
        form.show();
        QCoreApplication::processEvents();
    }

    QTableView& body() { return *static_cast<QTableView*>(grid.keyTarget()); }

    const QRect fixedRows{1, 1, 498, 48};
    const QRect fixedColumn{1, 49, 100, 200};
    const QRect redCell{101, 49, 200, 24};
    forms::Form form{QStringLiteral("frmScreenOutput")};
    Grid& grid = form.add<Grid>({QStringLiteral("grdOutputs")});
};

TEST_F(FilledGrid, RedCellShowsRedAndNothingElseIsRedWithTheFocusOnIt) {
    QApplication::setActiveWindow(form.window());
    body().clearFocus();
    const QImage unfocused = grid.grab();
    body().setFocus();
    ASSERT_TRUE(body().hasFocus());
    const QImage image = grid.grab();
    EXPECT_NE(region(image, redCell), region(unfocused, redCell)) << "a focus frame on the current cell";
    ASSERT_EQ(image.size(), QSize(500, 300));
    EXPECT_GT(redPixelsIn(image, redCell), 20);
    EXPECT_EQ(redPixelsIn(image, QRect(0, 0, 500, 300)), redPixelsIn(image, redCell));
    const QColor highlight = body().palette().color(QPalette::Highlight);
    int highlighted = 0;
    for (int x = redCell.left(); x <= redCell.right(); ++x)
        highlighted += image.pixelColor(x, redCell.center().y()) == highlight ? 1 : 0;
    EXPECT_EQ(highlighted, 0) << "the current cell is framed, not highlighted";
}

TEST_F(FilledGrid, FixedRowsStayWhileScrollingDownAndTheFixedColumnWhileScrollingRight) {
    const QImage before = grid.grab();
    grid.setTopRow(60);
    const QImage down = grid.grab();
    EXPECT_EQ(region(down, fixedRows), region(before, fixedRows));
    EXPECT_NE(region(down, fixedColumn), region(before, fixedColumn));
    EXPECT_EQ(redPixelsIn(down, QRect(0, 0, 500, 300)), 0) << "the red row scrolled away";

    grid.setTopRow(2);
    const QImage top = grid.grab();
    EXPECT_EQ(top, before);
    QScrollBar* side = body().horizontalScrollBar();
    ASSERT_GT(side->maximum(), 0) << "three 200-pixel columns are wider than the body";
    side->setValue(side->maximum());
    const QImage right = grid.grab();
    EXPECT_EQ(region(right, fixedColumn), region(before, fixedColumn));
    EXPECT_NE(region(right, QRect(101, 1, 398, 48)), region(before, QRect(101, 1, 398, 48)))
        << "the fixed rows scroll sideways with the body";
    EXPECT_EQ(redPixelsIn(right, redCell), 0);
}

// A hidden row takes no room and shows nothing: the rows below move up
// directly under the rows above, so no row is hidden under a fixed row.
TEST_F(FilledGrid, AHiddenRowTakesNoRoomAndTheRowsBelowMoveUp) {
    grid.setCellText(1, 1, QStringLiteral("MMMMMMMM"));
    grid.setCellForeColor(1, 1, QColor(255, 0, 0));
    const QRect underHeaders{101, 25, 200, 24};
    ASSERT_GT(redPixelsIn(grid.grab(), underHeaders), 20) << "the fixed row's red text";
    const int redOfFixedRow = redPixelsIn(grid.grab(), QRect(0, 0, 500, 300)) - redPixelsIn(grid.grab(), redCell);

    grid.setRowHidden(1, true);
    const QImage hidden = grid.grab();
    EXPECT_EQ(grid.rowHeight(1), 0);
    EXPECT_EQ(grid.topRow(), 2);
    EXPECT_EQ(redPixelsIn(hidden, QRect(0, 0, 500, 300)), redPixelsIn(hidden, underHeaders))
        << "only the top row's red text, right under the headers";
    EXPECT_EQ(redPixelsIn(hidden, underHeaders), redPixelsIn(grid.grab(), underHeaders));
    EXPECT_GT(redPixelsIn(hidden, underHeaders), 20);
    grid.setTopRow(3);
    EXPECT_EQ(redPixelsIn(grid.grab(), QRect(0, 0, 500, 300)), 0) << "scrolled by one row, not hidden under the headers";

    grid.setTopRow(2);
    grid.setRowHidden(1, false);
    EXPECT_EQ(grid.rowHeight(1), 360);
    EXPECT_GT(redPixelsIn(grid.grab(), redCell), 20) << "back below the fixed row";
    EXPECT_EQ(redPixelsIn(grid.grab(), QRect(0, 0, 500, 300)) - redPixelsIn(grid.grab(), redCell), redOfFixedRow);

    // A scrolling row hidden: the row after it takes its place.
    grid.setRowHidden(2, true);
    EXPECT_EQ(redPixelsIn(grid.grab(), QRect(0, 0, 500, 300)), redOfFixedRow);
    EXPECT_EQ(grid.cellText(2, 1), QStringLiteral("MMMMMMMM")) << "hidden, not emptied";
    grid.clear();
    EXPECT_FALSE(grid.rowHidden(2)) << "a cleared grid shows every row";
}

// Scrolled to the end, the top row still shows whole right under the fixed
// rows and the last row shows whole at the bottom: the 24-pixel rows do not
// divide the body's height, which must not shift them by part of a row.
TEST_F(FilledGrid, ScrolledToTheEndTheTopRowShowsWholeUnderTheFixedRows) {
    for (const int top : {1000, 60, 1000}) {
        SCOPED_TRACE(top);
        grid.setTopRow(top);
        grid.grab();
        QCoreApplication::processEvents();
        const int shown = grid.topRow();
        EXPECT_EQ(body().rowViewportPosition(shown - 2), 0);
        EXPECT_EQ(body().rowAt(0), shown - 2);
        if (top == 1000) {
            const int last = grid.rowCount() - 1;
            EXPECT_EQ(body().rowViewportPosition(last - 2) + 24, body().viewport()->height())
                << "the body ends with the last row";
            EXPECT_EQ(body().rowAt(body().viewport()->height() - 1), last - 2);
        }
    }
    EXPECT_EQ(grid.topRow(), 113) << "rows 113 to 121, nine of 24 pixels, fit whole in the body";
}

TEST_F(FilledGrid, MergedCellTakesItsLeftmostCellsFormatInFixedAndScrollingRows) {
    for (const int row : {1, 3}) {
        SCOPED_TRACE(row);
        for (int column = 1; column < 4; ++column) {
            grid.setCellText(row, column, QStringLiteral("MMMM"));
            grid.setCellAlignment(row, column, Qt::AlignCenter);
        }
        grid.setCellForeColor(row, 1, QColor(255, 0, 0));
        const int top = 1 + 24 * row;
        const QRect wholeRow(101, top, 398, 24);
        const QRect leftHalfOfFirst(101, top, 100, 24);
        const QImage unmerged = grid.grab();
        const int red = redPixelsIn(unmerged, wholeRow);
        EXPECT_GT(redPixelsIn(unmerged, leftHalfOfFirst), 0) << "centred in its own cell";
        grid.setRowMerged(row, true);
        const QImage merged = grid.grab();
        EXPECT_EQ(redPixelsIn(merged, wholeRow), red) << "one text, red, drawn once";
        EXPECT_EQ(redPixelsIn(merged, leftHalfOfFirst), 0) << "centred in the merged cell";
        grid.setCellAlignment(row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        EXPECT_GT(redPixelsIn(grid.grab(), leftHalfOfFirst), 0) << "the leftmost cell's alignment";
    }
}

} // namespace
