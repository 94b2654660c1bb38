#pragma once

#include "GridData.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>

namespace grid {

// One of the four panes of a grid seen as a table model: the cells from a
// first row and a first column on, up to (not including) an end row and end
// column. The counts it reports change only through publish(), so the views
// see every change of shape at once, as one reset.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using FontOf = std::function<QFont(const CellFormat& format)>;

    GridModel(const GridData& data, FontOf fontOf, QObject* parent = nullptr);

    void publish(int firstRow, int endRow, int firstColumn, int endColumn);
    int firstRow() const { return firstRow_; }
    int firstColumn() const { return firstColumn_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const GridData& data_;
    FontOf fontOf_;
    int firstRow_ = 0, rows_ = 0, firstColumn_ = 0, columns_ = 0;
};

} // namespace grid
