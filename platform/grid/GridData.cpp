#include "GridData.h"

#include "forms/FormsError.h"

#include <algorithm>

namespace grid {

namespace {
// Far beyond any table of results, small enough that a damaged count cannot
// exhaust memory.
constexpr long long maximumCells = 4'000'000;
} // namespace

void GridData::checkRow(int row) const {
    if (row < 0 || row >= rows_)
        forms::raiseFormsError(forms::InvalidPropertyArrayIndex);
}

void GridData::checkColumn(int column) const {
    if (column < 0 || column >= columns_)
        forms::raiseFormsError(forms::InvalidPropertyArrayIndex);
}

void GridData::checkCell(int row, int column) const {
    checkRow(row);
    checkColumn(column);
}

void GridData::setRowCount(int rows) {
    if (rows < fixedRows_ || static_cast<long long>(rows) * std::max(columns_, 1) > maximumCells)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_));
    rowInfo_.resize(static_cast<std::size_t>(rows));
    rows_ = rows;
}

void GridData::setColumnCount(int columns) {
    if (columns < fixedColumns_ || static_cast<long long>(columns) * std::max(rows_, 1) > maximumCells)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    if (columns == columns_)
        return;
    std::vector<Cell> cells(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns));
    const int kept = std::min(columns, columns_);
    for (int row = 0; row < rows_; ++row)
        for (int column = 0; column < kept; ++column)
            cells[static_cast<std::size_t>(row * columns + column)] = std::move(cell(row, column));
    cells_ = std::move(cells);
    widths_.resize(static_cast<std::size_t>(columns), defaultColumnWidth);
    columns_ = columns;
}

void GridData::setFixedRowCount(int rows) {
    if (rows < 0 || rows > rows_)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    fixedRows_ = rows;
}

void GridData::setFixedColumnCount(int columns) {
    if (columns < 0 || columns > columns_)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    fixedColumns_ = columns;
}

void GridData::clear() {
    std::fill(cells_.begin(), cells_.end(), Cell{});
    for (Row& row : rowInfo_) {
        row.merged = false;
        row.hidden = false;
    }
}

int GridData::appendRow(const QStringList& texts) {
    setRowCount(rows_ + 1);
    const int row = rows_ - 1;
    const int count = std::min(static_cast<int>(texts.size()), columns_);
    for (int column = 0; column < count; ++column)
        cell(row, column).text = texts[column];
    return row;
}

const QString& GridData::text(int row, int column) const {
    checkCell(row, column);
    return cell(row, column).text;
}

void GridData::setText(int row, int column, const QString& text) {
    checkCell(row, column);
    cell(row, column).text = text;
}

const CellFormat& GridData::format(int row, int column) const {
    checkCell(row, column);
    return cell(row, column).format;
}

CellFormat& GridData::formatForChange(int row, int column) {
    checkCell(row, column);
    return cell(row, column).format;
}

bool GridData::isRowMerged(int row) const {
    checkRow(row);
    return rowInfo_[static_cast<std::size_t>(row)].merged;
}

void GridData::setRowMerged(int row, bool merged) {
    checkRow(row);
    rowInfo_[static_cast<std::size_t>(row)].merged = merged;
}

bool GridData::isRowHidden(int row) const {
    checkRow(row);
    return rowInfo_[static_cast<std::size_t>(row)].hidden;
}

void GridData::setRowHidden(int row, bool hidden) {
    checkRow(row);
    rowInfo_[static_cast<std::size_t>(row)].hidden = hidden;
}

std::vector<MergedRun> GridData::mergedRuns(int row) const {
    std::vector<MergedRun> runs;
    if (!isRowMerged(row))
        return runs;
    int start = 0;
    for (int column = 1; column <= columns_; ++column) {
        const bool runGoesOn = column < columns_ && column != fixedColumns_ &&
                               cell(row, column).text == cell(row, start).text;
        if (runGoesOn)
            continue;
        if (column - start >= 2)
            runs.push_back({start, column - start});
        start = column;
    }
    return runs;
}

double GridData::columnWidth(int column) const {
    checkColumn(column);
    return widths_[static_cast<std::size_t>(column)];
}

void GridData::setColumnWidth(int column, double twips) {
    checkColumn(column);
    if (!(twips >= 0) || twips > 1e7)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    widths_[static_cast<std::size_t>(column)] = twips;
}

double GridData::rowMinimumHeight(int row) const {
    checkRow(row);
    return rowInfo_[static_cast<std::size_t>(row)].minimumHeight;
}

void GridData::setRowMinimumHeight(int row, double twips) {
    checkRow(row);
    if (!(twips >= 0) || twips > 1e7)
        forms::raiseFormsError(forms::InvalidPropertyValue);
    rowInfo_[static_cast<std::size_t>(row)].minimumHeight = twips;
}

} // namespace grid
