#include "MaterialsTable.h"

#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

namespace cindrel::agma {

namespace {
const std::string emptyText;
}

const std::string& MaterialRecord::text(int column) const { return table_->fieldOrEmpty(row_, column); }

double MaterialRecord::number(int column) const { return runtime::leadingNumber(text(column)); }

const std::string& MaterialsTable::fieldOrEmpty(int row, int column) const {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    if (column < 0)
        return sources_[static_cast<std::size_t>(r.source)];
    if (static_cast<std::size_t>(column) >= r.fields.size())
        return emptyText;
    return r.fields[static_cast<std::size_t>(column)];
}

const std::string& MaterialsTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < -1 || column > lastColumn_)
        runtime::raise(runtime::SubscriptOutOfRange);
    return fieldOrEmpty(row, column);
}

MaterialRecord MaterialsTable::record(int row) const {
    if (row < 0 || row >= rowCount())
        runtime::raise(runtime::SubscriptOutOfRange);
    return MaterialRecord(*this, row);
}

int MaterialsTable::addSource(std::string key) {
    sources_.push_back(std::move(key));
    return static_cast<int>(sources_.size()) - 1;
}

void MaterialsTable::addRow(int source, std::vector<std::string> fields) {
    const int last = static_cast<int>(fields.size()) - 1;
    if (last > lastColumn_)
        lastColumn_ = last;
    rows_.push_back({source, std::move(fields)});
}

} // namespace cindrel::agma
