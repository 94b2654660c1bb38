#include "results/ResultTable.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"


namespace cindrel::results {

ResultTable::ResultTable(int rowCount)
{
    if (rowCount < 1)
        runtime::raise(runtime::SubscriptOutOfRange);
    cells_.resize(static_cast<std::size_t>(rowCount) * ResultRow::ColumnCount);
}

std::size_t ResultTable::offset(int row, int column) const
{
    if (row < 0 || row > lastRow() || column < 0 || column >= ResultRow::ColumnCount)
        runtime::raise(runtime::SubscriptOutOfRange);
    return static_cast<std::size_t>(row) * ResultRow::ColumnCount + static_cast<std::size_t>(column);
}

const Cell& ResultTable::at(int row, int column) const { return cells_[offset(row, column)]; }

void ResultTable::set(int row, int column, Cell value)
{
    const std::size_t at = offset(row, column);
    if (const double* number = std::get_if<double>(&value))
        runtime::checkFinite(*number);
    cells_[at] = std::move(value);
}

std::string cellText(const Cell& cell, const CaptionReader& caption)
{
    struct Visitor {
        const CaptionReader& caption;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(std::int16_t number) const { return runtime::numberText(number); }
        std::string operator()(double number) const { return runtime::numberText(number); }
        std::string operator()(const LabelRef& label) const { return caption ? caption(label) : std::string(); }
    };
    return std::visit(Visitor{caption}, cell);
}

} // namespace cindrel::results
