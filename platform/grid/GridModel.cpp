#include "GridModel.h"

#include <QBrush>

namespace grid {

GridModel::GridModel(const GridData& data, FontOf fontOf, QObject* parent)
    : QAbstractTableModel(parent), data_(data), fontOf_(std::move(fontOf)) {}

void GridModel::publish(int firstRow, int endRow, int firstColumn, int endColumn) {
    beginResetModel();
    firstRow_ = firstRow;
    rows_ = std::max(0, endRow - firstRow);
    firstColumn_ = firstColumn;
    columns_ = std::max(0, endColumn - firstColumn);
    endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    const int row = firstRow_ + index.row();
    const int column = firstColumn_ + index.column();
    // Between a change of shape and its publication the views may still ask
    // for cells that are gone.
    if (!index.isValid() || row >= data_.rowCount() || column >= data_.columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole: return data_.text(row, column);
    case Qt::TextAlignmentRole: return QVariant::fromValue(data_.format(row, column).alignment);
    case Qt::ForegroundRole: {
        const QColor& color = data_.format(row, column).foreColor;
        return QBrush(color.isValid() ? color : QColor(Qt::black));
    }
    case Qt::FontRole: {
        return fontOf_(data_.format(row, column));
    }
    default: return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

} // namespace grid
