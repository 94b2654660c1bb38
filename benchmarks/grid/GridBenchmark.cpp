// A whole fill of a results grid: about 120 rows of 8 columns with every
// cell formatted, the column widths set, merged rows, the row heights
// measured and the views laid out and shown.
#include "grid/Grid.h"

#include "forms/Form.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int columns = 8;
constexpr int rows = 120;
constexpr double widths[columns] = {1210, 1650, 1650, 1650, 1650, 1650, 1650, 3960};

void fill(grid::Grid& grid) {
    grid.setVisible(false);
    grid.clear();
    grid.setColumnCount(columns);
    grid.setRowCount(3);
    grid.setFixedRowCount(2);
    grid.setFixedColumnCount(1);
    grid.setMergesCells(true);
    grid.setWordWrap(true);
    for (int column = 0; column < columns; ++column)
        grid.setColumnWidth(column, widths[column]);
    for (int column = 0; column < columns; ++column) {
        grid.setCellText(0, column, QStringLiteral("Header %1").arg(column));
        grid.setCellBold(0, column, true);
        grid.setCellAlignment(0, column, Qt::AlignHCenter | Qt::AlignBottom);
    }
    grid.setRowMerged(1, true);
    QStringList texts;
    for (int row = 0; row < rows; ++row) {
        texts.clear();
        const bool heading = row % 15 == 0;
        texts << QStringLiteral("Key_%1").arg(row);
        for (int column = 1; column < columns; ++column)
            texts << (heading ? QStringLiteral("Section heading %1").arg(row / 15)
                              : QString::number(row * 0.0625 + column, 'f', 4));
        texts.last() = heading ? texts.last() : QStringLiteral("in, description of the quantity in this row");
        const int added = grid.appendRow(texts);
        grid.setCurrentRow(added);
        grid.setRowMerged(added, heading || row % 4 == 1);
        for (int column = 0; column < columns; ++column) {
            grid.setCellAlignment(added, column, column == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
            grid.setCellForeColor(added, column, (row + column) % 5 == 0 ? Qt::red : Qt::black);
            grid.setCellBold(added, column, heading || (row + column) % 7 == 0);
            grid.setCellItalic(added, column, (row + column) % 11 == 0);
        }
        if (heading)
            grid.setTopRow(added);
    }
    // The description column takes what the window leaves, as after a resize:
    // every row is measured again.
    static bool wider = false;
    wider = !wider;
    grid.setColumnWidth(columns - 1, widths[columns - 1] + (wider ? 30 : 15));
    double total = 0;
    for (int row = 0; row < grid.rowCount(); ++row)
        total += grid.rowHeight(row);
    benchmark::DoNotOptimize(total);
    grid.setVisible(true);
    QCoreApplication::processEvents();
}

// The fill and the layout of the views; with the window shown, also the
// repaint that follows in the event loop.
void fillGrid(benchmark::State& state, bool shown) {
    forms::Form form(QStringLiteral("frmScreenOutput"));
    form.move(0, 0, 12000, 9000);
    auto& grid = form.add<grid::Grid>({QStringLiteral("grdOutputs")});
    grid.move(45, 450, 11500, 8000);
    if (shown)
        form.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        fill(grid);
    state.counters["rows"] = grid.rowCount();
}

void BM_FillResultsGrid(benchmark::State& state) { fillGrid(state, false); }
void BM_FillAndPaintResultsGrid(benchmark::State& state) { fillGrid(state, true); }
BENCHMARK(BM_FillResultsGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillAndPaintResultsGrid)->Unit(benchmark::kMillisecond);

} // namespace
