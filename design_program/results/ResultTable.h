#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

// A step's results table: rows of eight cells, one quantity a row.
namespace cindrel::results {

// A label of a window, named by its window, name and array index (-1 when
// it is not in an array). A cell holding it shows the label's caption at the
// time the cell is read.
struct LabelRef {
    std::string window;
    std::string name;
    int index = -1;

    friend bool operator==(const LabelRef&, const LabelRef&) = default;
};

// One cell: empty, a text, a 16-bit integer, a double (always finite) or a label.
using Cell = std::variant<std::monostate, std::string, std::int16_t, double, LabelRef>;

// The columns of a row.
namespace ResultRow {
inline constexpr int Key = 0;
inline constexpr int PinionValue = 1;
inline constexpr int GearValue = 2;
inline constexpr int Description = 3;
inline constexpr int RowKind = 4;
inline constexpr int RedMask = 5;
inline constexpr int BoldMask = 6;
inline constexpr int ItalicMask = 7;
inline constexpr int ColumnCount = 8;
} // namespace ResultRow

// Row kinds.
inline constexpr std::int16_t RowKindPair = 0;      // separate pinion and gear values
inline constexpr std::int16_t RowKindSetValue = 1;  // one value of the pair, columns 1 and 2 alike
inline constexpr std::int16_t RowKindText = 7;      // one text in columns 1, 2 and 3

// Column bits of the red, bold and italic masks.
inline constexpr std::int16_t ColumnBitKey = 8;
inline constexpr std::int16_t ColumnBitPinion = 4;
inline constexpr std::int16_t ColumnBitGear = 2;
inline constexpr std::int16_t ColumnBitDescription = 1;
inline constexpr std::int16_t ColumnBitAll = 15;

// Rows 0 to lastRow() by ResultRow::ColumnCount columns, every cell empty when sized.
class ResultTable {
public:
    // A table of rowCount rows (at least one).
    explicit ResultTable(int rowCount);

    int rowCount() const { return static_cast<int>(cells_.size() / ResultRow::ColumnCount); }
    int lastRow() const { return rowCount() - 1; }

    // The cell; SubscriptOutOfRange outside the table.
    const Cell& at(int row, int column) const;
    // Stores a cell; SubscriptOutOfRange outside the table, Overflow for a
    // double that is not finite. The table is unchanged when it raises.
    void set(int row, int column, Cell value);

    friend bool operator==(const ResultTable&, const ResultTable&) = default;

private:
    std::size_t offset(int row, int column) const;

    std::vector<Cell> cells_;
};

// Reads the caption of a label cell; "" when the label is gone.
using CaptionReader = std::function<std::string(const LabelRef&)>;

// A cell as text, as every reader shows it: a text as it is, a number in the
// general number form ("20", "0.5"), an empty cell as "", a label as its caption.
std::string cellText(const Cell& cell, const CaptionReader& caption);

} // namespace cindrel::results
