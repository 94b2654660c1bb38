#include "ListView.h"

#include "Twips.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace forms {

namespace {
constexpr int keyRole = Qt::UserRole + 1;
}

ListView::ListView(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::ListView, place.name, place.index, place.container, place.tab),
      tree_(new QTreeWidget) {
    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setUniformRowHeights(true);
    tree_->setColumnCount(0);
    tree_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(tree_, &QTreeWidget::itemClicked, tree_, [this](QTreeWidgetItem* item, int) {
        const int row = tree_->indexOfTopLevelItem(item);
        runFromWindowSystem("ItemClick", [this, row] { onItemClick(row); });
    });
    QObject::connect(tree_, &QTreeWidget::itemChanged, tree_, [this](QTreeWidgetItem* item, int column) {
        if (syncing_ || column != 0 || !checkboxes_)
            return;
        const int row = tree_->indexOfTopLevelItem(item);
        runFromWindowSystem("ItemCheck", [this, row] { onItemCheck(row); });
    });
    attachWidget(tree_);
}

int ListView::addColumn(const QString& header, const QString& key, double widthTwips) {
    columnKeys_.push_back(key);
    const int column = columnCount() - 1;
    tree_->setColumnCount(columnCount());
    QTreeWidgetItem* headerItem = tree_->headerItem();
    headerItem->setText(column, header);
    if (widthTwips >= 0)
        tree_->setColumnWidth(column, twipsToPixels(widthTwips));
    return column;
}

void ListView::checkColumn(int column) const {
    if (column < 0 || column >= columnCount())
        raiseFormsError(InvalidPropertyArrayIndex);
}

QString ListView::columnHeader(int column) const {
    checkColumn(column);
    return tree_->headerItem()->text(column);
}

QString ListView::columnKey(int column) const {
    checkColumn(column);
    return columnKeys_[static_cast<std::size_t>(column)];
}

void ListView::setColumnWidth(int column, double twips) {
    checkColumn(column);
    tree_->setColumnWidth(column, twipsToPixels(twips));
}

void ListView::clearColumns() {
    columnKeys_.clear();
    tree_->setColumnCount(0);
}

QTreeWidgetItem* ListView::row(int row) const {
    if (row < 0 || row >= itemCount())
        raiseFormsError(InvalidPropertyArrayIndex);
    return tree_->topLevelItem(row);
}

int ListView::addItem(const QString& text, const QString& key) {
    if (!key.isEmpty() && findItem(key) >= 0)
        raiseFormsError(KeyNotUnique);
    const QScopedValueRollback syncingNow(syncing_, true);
    auto* item = new QTreeWidgetItem(tree_);
    item->setText(0, text);
    item->setData(0, keyRole, key);
    if (checkboxes_)
        item->setCheckState(0, Qt::Unchecked);
    return itemCount() - 1;
}

QString ListView::itemKey(int index) const { return row(index)->data(0, keyRole).toString(); }

int ListView::findItem(const QString& key) const {
    for (int i = 0; i < itemCount(); ++i)
        if (tree_->topLevelItem(i)->data(0, keyRole).toString() == key)
            return i;
    return -1;
}

QString ListView::subItem(int index, int column) const {
    checkColumn(column);
    return row(index)->text(column);
}

void ListView::setSubItem(int index, int column, const QString& text) {
    checkColumn(column);
    const QScopedValueRollback syncingNow(syncing_, true);
    row(index)->setText(column, text);
}

void ListView::removeItem(int index) { delete row(index); }

void ListView::clear() {
    const QScopedValueRollback syncingNow(syncing_, true);
    tree_->clear();
}

void ListView::setCheckboxes(bool checkboxes) {
    checkboxes_ = checkboxes;
    const QScopedValueRollback syncingNow(syncing_, true);
    for (int i = 0; i < itemCount(); ++i) {
        QTreeWidgetItem* item = tree_->topLevelItem(i);
        if (checkboxes)
            item->setCheckState(0, item->checkState(0));
        else
            item->setData(0, Qt::CheckStateRole, QVariant());
    }
}

bool ListView::isChecked(int index) const { return checkboxes_ && row(index)->checkState(0) == Qt::Checked; }

void ListView::setChecked(int index, bool checked) {
    QTreeWidgetItem* item = row(index);
    const QScopedValueRollback syncingNow(syncing_, true);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

int ListView::selectedItem() const {
    QTreeWidgetItem* current = tree_->currentItem();
    return current == nullptr || !current->isSelected() ? -1 : tree_->indexOfTopLevelItem(current);
}

void ListView::setSelectedItem(int index) {
    if (index < 0) {
        tree_->setCurrentItem(nullptr);
        tree_->clearSelection();
        return;
    }
    tree_->setCurrentItem(row(index));
}

} // namespace forms
