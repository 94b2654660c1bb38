#pragma once

#include "runtime/RuntimeError.h"

#include <array>
#include <cstddef>
#include <string>
#include <variant>

namespace cindrel::analyses {

// A fixed-size table of numbers that keeps the numbering its rows and
// columns have in the analyses (rows 1 to 26, columns 1 to 9 ...). An index
// outside raises error 9 (subscript out of range).
template <int FirstRow, int LastRow, int FirstColumn, int LastColumn>
class NumberTable {
public:
    static constexpr int firstRow = FirstRow, lastRow = LastRow;
    static constexpr int firstColumn = FirstColumn, lastColumn = LastColumn;

    double& operator()(int row, int column) { return cells_[slot(row, column)]; }
    double operator()(int row, int column) const { return cells_[slot(row, column)]; }

    void fill(double value) { cells_.fill(value); }
    friend bool operator==(const NumberTable&, const NumberTable&) = default;

private:
    static constexpr int rows = LastRow - FirstRow + 1;
    static constexpr int columns = LastColumn - FirstColumn + 1;

    static std::size_t slot(int row, int column) {
        if (row < FirstRow || row > LastRow || column < FirstColumn || column > LastColumn) [[unlikely]]
            runtime::raise(runtime::SubscriptOutOfRange);
        return static_cast<std::size_t>((row - FirstRow) * columns + (column - FirstColumn));
    }

    std::array<double, rows * columns> cells_{};
};

// One cell of an extremes table: nothing, a number or a text.
using Cell = std::variant<std::monostate, double, std::string>;

inline bool hasValue(const Cell& cell) { return !std::holds_alternative<std::monostate>(cell); }

// A small table of cells numbered from 0; an index outside raises error 9.
template <int Rows, int Columns>
class CellTable {
public:
    static constexpr int rows = Rows, columns = Columns;

    Cell& operator()(int row, int column) { return cells_[slot(row, column)]; }
    const Cell& operator()(int row, int column) const { return cells_[slot(row, column)]; }

    friend bool operator==(const CellTable&, const CellTable&) = default;

private:
    static std::size_t slot(int row, int column) {
        if (row < 0 || row >= Rows || column < 0 || column >= Columns) [[unlikely]]
            runtime::raise(runtime::SubscriptOutOfRange);
        return static_cast<std::size_t>(row * Columns + column);
    }

    std::array<Cell, Rows * Columns> cells_{};
};

} // namespace cindrel::analyses
