#pragma once

#include "Control.h"
#include "Form.h"

#include <QTreeWidget>

namespace forms {

// A list in report form: columns with headers and keys, rows with sub-items,
// optional check boxes. Rows and columns are numbered from 0; a row's
// sub-item 0 is its own text.
class ListView : public Control {
public:
    ListView(Form& form, const ControlPlace& place);

    int addColumn(const QString& header, const QString& key = QString(), double widthTwips = -1);
    int columnCount() const { return static_cast<int>(columnKeys_.size()); }
    QString columnHeader(int column) const;
    QString columnKey(int column) const;
    void setColumnWidth(int column, double twips);
    void clearColumns();

    // A key already used raises run-time error 35602.
    int addItem(const QString& text, const QString& key = QString());
    int itemCount() const { return tree_->topLevelItemCount(); }
    QString itemKey(int row) const;
    // The row holding a key; -1 when none.
    int findItem(const QString& key) const;
    QString subItem(int row, int column) const;
    void setSubItem(int row, int column, const QString& text);
    void removeItem(int row);
    void clear();

    void setCheckboxes(bool checkboxes);
    bool checkboxes() const { return checkboxes_; }
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // -1 when no row is selected.
    int selectedItem() const;
    void setSelectedItem(int row);

    Event<int> onItemClick;
    Event<int> onItemCheck;

private:
    QTreeWidgetItem* row(int row) const;
    void checkColumn(int column) const;

    QTreeWidget* tree_;
    std::vector<QString> columnKeys_;
    bool checkboxes_ = false;
    bool syncing_ = false;
};

} // namespace forms
