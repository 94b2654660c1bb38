#pragma once

#include "grid/Grid.h"

namespace gridtest {

// The shape of the results grid: a key column and three value columns, two
// fixed rows with the headers in row 0, one fixed column, merging and wrapping.
inline void shapeAsResultsGrid(grid::Grid& grid, int rows, double keyWidth, double valueWidth) {
    grid.setColumnCount(4);
    grid.setRowCount(rows);
    grid.setFixedRowCount(2);
    grid.setFixedColumnCount(1);
    grid.setMergesCells(true);
    grid.setWordWrap(true);
    grid.setColumnWidth(0, keyWidth);
    for (int column = 1; column < 4; ++column)
        grid.setColumnWidth(column, valueWidth);
    grid.setCellText(0, 0, QStringLiteral("Variable"));
    grid.setCellText(0, 1, QStringLiteral("PINION"));
    grid.setCellText(0, 2, QStringLiteral("GEAR"));
    grid.setCellText(0, 3, QStringLiteral("DESCRIPTION"));
}

} // namespace gridtest
