#include "ResultsShape.h"

#include "grid/Grid.h"

#include "forms/Form.h"
#include "forms/Layout.h"

#include "support/ErrorCapture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using grid::Grid;
using testsupport::errorNumberOf;

// A grid laid out as the results grid: a key column and three value columns,
// two fixed rows and one fixed column, in a shown window.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form.move(0, 0, 9000, 6000);
        grid.move(0, 0, widthTwips, heightTwips);
        gridtest::shapeAsResultsGrid(grid, 3, 1500, 1500);
        scrolls = 0;
        grid.onScroll.connect([this] { ++scrolls; });
    }

    void show() {
        form.show();
        QCoreApplication::processEvents();
    }

    void appendRows(int count, double heightTwips = 0) {
        for (int i = 0; i < count; ++i) {
            const int row = grid.appendRow({QStringLiteral("K%1").arg(i), QStringLiteral("P%1").arg(i),
                                            QStringLiteral("G%1").arg(i), QStringLiteral("row %1").arg(i)});
            if (heightTwips > 0)
                grid.setRowHeight(row, heightTwips);
        }
    }

    QTableView& body() { return *static_cast<QTableView*>(grid.keyTarget()); }

    static constexpr double widthTwips = 6000;
    static constexpr double heightTwips = 3000;
    forms::Form form{QStringLiteral("frmScreenOutput")};
    Grid& grid = form.add<Grid>({QStringLiteral("grdOutputs")});
    int scrolls = 0;
};

TEST_F(GridFixture, ColumnWidthsReadBackExactlyAsSetInTwips) {
    for (const double twips : {1210.0, 1650.0, 1375.0, 5040.0, 0.0, 1100.5}) {
        grid.setColumnWidth(3, twips);
        EXPECT_EQ(grid.columnWidth(3), twips);
    }
    grid.setColumnWidth(1, 1210); // 80.67 pixels
    show();
    EXPECT_EQ(body().columnWidth(0), 81);
    EXPECT_EQ(errorNumberOf([&] { grid.setColumnWidth(4, 100); }), 381);
}

TEST_F(GridFixture, RowsGrowToTheirWrappedTextWithinMergedCells) {
    const double oneLine = grid.rowHeight(0);
    const QString heading = QStringLiteral("Tooth Thickness and Backlash");
    ASSERT_GT(QFontMetrics(grid.font()).horizontalAdvance(heading), 100) << "wider than one column";
    const int row = grid.appendRow({QString(), heading, heading, heading});
    EXPECT_GT(grid.rowHeight(row), oneLine) << "one column of 100 pixels wraps it";
    grid.setRowMerged(row, true);
    EXPECT_EQ(grid.rowHeight(row), oneLine) << "three merged columns hold it on one line";
    grid.setRowMerged(row, false);
    grid.setWordWrap(false);
    EXPECT_EQ(grid.rowHeight(row), oneLine);
    grid.setWordWrap(true);
    for (int column = 1; column < 4; ++column)
        grid.setColumnWidth(column, 6000);
    EXPECT_EQ(grid.rowHeight(row), oneLine) << "wider columns hold it";

    grid.setRowHeight(row, 900);
    EXPECT_EQ(grid.rowHeight(row), 900) << "a least height taller than the text";
    QFont large = grid.font();
    large.setPointSize(large.pointSize() * 2);
    grid.setFont(large);
    EXPECT_GT(grid.rowHeight(0), oneLine * 1.5) << "a larger font makes taller rows";
}

TEST_F(GridFixture, TopRowIsClampedToWhatTheBodyCanScrollTo) {
    grid.clear();
    for (int column = 0; column < 4; ++column)
        grid.setColumnWidth(column, 1350); // no side scroll bar
    appendRows(100, 450);                  // 30 pixels a row
    for (int row : {0, 1})
        grid.setRowHeight(row, 450);
    // 400 by 200 pixels less a 1-pixel frame: the body is 138 pixels high
    // below the two fixed rows, so the last 4 rows fill it.
    const int last = grid.rowCount() - 1;
    ASSERT_EQ(last, 102);
    const int highestTop = last - 3;
    struct Case {
        int asked, top;
    };
    for (const Case& c : {Case{40, 40}, Case{0, 2}, Case{1, 2}, Case{last, highestTop}, Case{highestTop - 1, highestTop - 1}}) {
        grid.setTopRow(c.asked);
        EXPECT_EQ(grid.topRow(), c.top) << "asked " << c.asked;
    }
    grid.setTopRow(last + 10);
    EXPECT_EQ(grid.topRow(), highestTop);
    grid.setTopRow(-5);
    EXPECT_EQ(grid.topRow(), 2);
    show();
    grid.setTopRow(last);
    EXPECT_EQ(grid.topRow(), highestTop);
    QCoreApplication::processEvents();
    EXPECT_EQ(body().verticalScrollBar()->value(), highestTop - 2) << "the views agree";
    EXPECT_EQ(body().verticalScrollBar()->maximum(), highestTop - 2);
}

TEST_F(GridFixture, ScrollEventOnEveryChangeOfTheTopRowByCodeOrUser) {
    appendRows(200);
    show();
    grid.setTopRow(50);
    grid.setTopRow(50);
    EXPECT_EQ(scrolls, 1) << "no change, no event";
    grid.setTopRow(0);
    EXPECT_EQ(grid.topRow(), 2);
    EXPECT_EQ(scrolls, 2);

    body().verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.topRow(), 3);
    EXPECT_EQ(scrolls, 3);

    const auto turnWheel = [](QWidget* target) {
        QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    };
    turnWheel(body().viewport());
    const int afterWheel = grid.topRow();
    EXPECT_GT(afterWheel, 3);
    EXPECT_EQ(scrolls, 4);
    QWidget* keys = grid.widget()->childAt(QPoint(20, 80));
    ASSERT_NE(keys, nullptr);
    ASSERT_NE(keys, body().viewport());
    turnWheel(keys);
    EXPECT_GT(grid.topRow(), afterWheel) << "the wheel over the fixed column scrolls the body";
    EXPECT_EQ(scrolls, 5);

    grid.setRowCount(3); // the rows that held the top row are gone
    EXPECT_EQ(grid.topRow(), 2);
    EXPECT_EQ(scrolls, 6);
}

TEST_F(GridFixture, KeysMoveTheCurrentCellAndScrollIt) {
    appendRows(200);
    show();
    grid.setCurrentColumn(1);
    grid.setCurrentRow(150);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.topRow(), 2) << "setting the current cell from code does not scroll";
    EXPECT_EQ(scrolls, 0);
    grid.setTopRow(150);
    body().setFocus();
    QTest::keyClick(&body(), Qt::Key_Up);
    QTest::keyClick(&body(), Qt::Key_Right);
    EXPECT_EQ(grid.currentRow(), 149);
    EXPECT_EQ(grid.currentColumn(), 2);
    EXPECT_EQ(grid.topRow(), 149) << "moving above the top row scrolls";
    EXPECT_EQ(scrolls, 2);
    EXPECT_EQ(errorNumberOf([&] { grid.setCurrentRow(203); }), 381);
    EXPECT_EQ(errorNumberOf([&] { grid.setCurrentColumn(-1); }), 381);
}

TEST_F(GridFixture, CellFormatsReadBack) {
    const int row = grid.appendRow({"Rp_s", "1.5", "2.5", "in"});
    grid.setCellAlignment(row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid.setCellForeColor(row, 1, QColor(255, 0, 0));
    grid.setCellBold(row, 2, true);
    grid.setCellItalic(row, 3, true);
    EXPECT_EQ(grid.cellAlignment(row, 0), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(grid.cellForeColor(row, 1), QColor(255, 0, 0));
    EXPECT_EQ(grid.cellForeColor(row, 2), QColor(0, 0, 0)) << "black unless set";
    EXPECT_TRUE(grid.cellBold(row, 2));
    EXPECT_FALSE(grid.cellItalic(row, 2));
    EXPECT_TRUE(grid.cellItalic(row, 3));
    grid.clear();
    EXPECT_FALSE(grid.cellBold(row, 2));
    EXPECT_EQ(grid.cellForeColor(row, 1), QColor(0, 0, 0));
    EXPECT_EQ(grid.rowCount(), 4);
}

TEST_F(GridFixture, ACellsFontSizeIsItsOwnAndSizesItsRow) {
    QFont font = grid.font();
    font.setPointSizeF(9);
    grid.setFont(font);
    const int small = grid.appendRow({"DESCRIPTION", "PINION"});
    const int large = grid.appendRow({"DESCRIPTION", "PINION"});
    grid.setCellFontSize(large, 1, 18);
    EXPECT_EQ(grid.cellFontSize(large, 1), 18);
    EXPECT_EQ(grid.cellFontSize(large, 0), 9) << "a cell without a size of its own takes the grid's";
    show();
    EXPECT_GT(grid.rowHeight(large), grid.rowHeight(small) * 1.5) << "a row is as tall as its largest text";

    for (double wrong : {0.0, -12.0, 2049.0, std::nan("")})
        EXPECT_EQ(errorNumberOf([&] { grid.setCellFontSize(large, 1, wrong); }), 380) << wrong;
    EXPECT_EQ(grid.cellFontSize(large, 1), 18) << "a refused size leaves the cell as it was";
    EXPECT_EQ(errorNumberOf([&] { grid.setCellFontSize(grid.rowCount(), 0, 12); }), 381);

    grid.clear();
    EXPECT_EQ(grid.cellFontSize(large, 1), 9);
}

TEST_F(GridFixture, AFillOfSomeHundredRowsShowsAndScrolls) {
    for (int i = 0; i < 400; ++i) {
        const bool text = i % 7 == 0;
        const QString value = QStringLiteral("%1").arg(i * 0.125);
        const int row = grid.appendRow({QStringLiteral("Key%1").arg(i), value, text ? value : QStringLiteral("x"),
                                        text ? value : QStringLiteral("in, a description long enough to wrap")});
        grid.setRowMerged(row, text);
        for (int column = 0; column < 4; ++column) {
            grid.setCellForeColor(row, column, (i >> column) & 1 ? Qt::red : Qt::black);
            grid.setCellBold(row, column, (i >> (column + 1)) & 1);
        }
        grid.setCurrentRow(row);
    }
    grid.setTopRow(300);
    show();
    EXPECT_EQ(grid.rowCount(), 403);
    EXPECT_EQ(grid.topRow(), 300);
    EXPECT_EQ(grid.cellText(402, 0), QStringLiteral("Key399"));
    EXPECT_EQ(body().columnSpan(71, 0), 3) << "row 73, a merged text row, is row 71 of the body";
    EXPECT_EQ(body().columnSpan(72, 0), 1);
    EXPECT_FALSE(grid.grab().isNull());
    grid.setTopRow(402);
    EXPECT_LT(grid.topRow(), 402);

    // Refilled while hidden, as a fill builds its sections: the views show
    // the new rows and top row once the grid shows again.
    ASSERT_EQ(body().columnSpan(1, 0), 3);
    grid.setVisible(false);
    grid.clear();
    grid.setRowCount(3);
    appendRows(30);
    grid.setTopRow(20);
    grid.setVisible(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(body().model()->rowCount(), 31);
    EXPECT_GE(grid.topRow(), 2);
    EXPECT_LE(grid.topRow(), 20);
    EXPECT_EQ(body().verticalScrollBar()->value(), grid.topRow() - 2);
    EXPECT_EQ(body().columnSpan(1, 0), 1) << "no merge survives the refill";
}

TEST(GridLayouts, ATableRowOfKindGridBuildsAGrid) {
    grid::registerGridKind();
    forms::Form form(QStringLiteral("frmScreenOutput"));
    const forms::ControlSpec spec{
        .kind = forms::ControlKind::Grid, .name = "grdOutputs", .left = 45, .top = 450, .width = 7000, .height = 4000};
    auto& built = forms::buildControl(form, spec);
    EXPECT_EQ(&form.get<Grid>(QStringLiteral("grdOutputs")), &built);
    EXPECT_EQ(built.width(), 7000);
}

} // namespace
