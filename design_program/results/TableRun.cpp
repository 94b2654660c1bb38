#include "results/TableRun.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/RuntimeError.h"

namespace cindrel::results {

TableRun::TableRun(std::string numberFormat, runtime::ErrorReporter& reporter)
    : next_(reporter, "StateNavigator", "GetString"), numberFormat_(std::move(numberFormat))
{
}

void TableRun::readRadiusForm(const std::function<std::int32_t()>& diamRad)
{
    next_([&] {
        if (diamRad() == 2) {
            radiusFactor_ = 2;
            radiusSuffix_ = " (diameter)";
        }
    });
}

void TableRun::readHelical(const std::function<double()>& helixAngle)
{
    next_([&] { helical_ = helixAngle() != 0.0; });
}

void TableRun::size(int lastRow)
{
    next_([&] { table_.emplace(lastRow + 1); });
}

void TableRun::setRow(int row)
{
    next_([&] { row_ = runtime::toInt16(row); });
}

void TableRun::nextRow()
{
    next_([&] { row_ = runtime::toInt16(static_cast<double>(row_) + 1.0); });
}

void TableRun::copyCell(int from, int to)
{
    next_([&] {
        if (!table_)
            runtime::raise(runtime::SubscriptOutOfRange);
        Cell value = table_->at(row_, from);
        table_->set(row_, to, std::move(value));
    });
}

void TableRun::store(int column, Cell value)
{
    if (!table_)
        runtime::raise(runtime::SubscriptOutOfRange);
    table_->set(row_, column, std::move(value));
}

void TableRun::kindAndMasks(std::int16_t kind)
{
    cell(ResultRow::RowKind, kind);
    cell(ResultRow::RedMask, std::int16_t{0});
    cell(ResultRow::BoldMask, std::int16_t{0});
    cell(ResultRow::ItalicMask, std::int16_t{0});
}

std::string TableRun::format(double value) const { return runtime::formatNumber(value, numberFormat_); }

std::string TableRun::format(double value, std::string_view pattern) { return runtime::formatNumber(value, pattern); }

double TableRun::radius(double value, double lengthFactor) const
{
    return runtime::checkFinite(value * lengthFactor * radiusFactor_);
}

const ResultTable& TableRun::table() const
{
    if (!table_)
        runtime::raise(runtime::SubscriptOutOfRange);
    return *table_;
}

ResultTable TableRun::takeTable()
{
    if (!table_)
        runtime::raise(runtime::SubscriptOutOfRange);
    ResultTable table = std::move(*table_);
    table_.reset();
    return table;
}

} // namespace cindrel::results
