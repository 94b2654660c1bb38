#include "TreeView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>

#include <functional>

namespace forms {

namespace {
constexpr int keyRole = Qt::UserRole + 1;

// The tree's widget, telling which node a key chose: the node a key made
// current (arrows, Home, End, the page keys, a typed letter), or the current
// node on Enter or Space, when it is then the selected node. A mouse click
// chooses through itemClicked alone.
class KeyedTree : public QTreeWidget {
public:
    std::function<void(QTreeWidgetItem*)> onChosenByKey;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QPointer<KeyedTree> alive(this);
        QTreeWidgetItem* before = currentItem();
        QTreeWidget::keyPressEvent(event);
        if (alive.isNull() || !onChosenByKey)
            return;
        QTreeWidgetItem* after = currentItem();
        const int key = event->key();
        const bool pick = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        if (after != nullptr && after->isSelected() && (after != before || pick))
            onChosenByKey(after);
    }
};

} // namespace

TreeView::TreeView(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::TreeView, place.name, place.index, place.container, place.tab),
      tree_(new KeyedTree) {
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setFocusPolicy(Qt::StrongFocus);
    const auto raiseNodeClick = [this](QTreeWidgetItem* item) {
        const QString key = keyOf(item);
        runFromWindowSystem("NodeClick", [this, key] { onNodeClick(key); });
    };
    QObject::connect(tree_, &QTreeWidget::itemClicked, tree_,
                     [raiseNodeClick](QTreeWidgetItem* item, int) { raiseNodeClick(item); });
    static_cast<KeyedTree*>(tree_)->onChosenByKey = raiseNodeClick;
    attachWidget(tree_);
}

QTreeWidgetItem* TreeView::node(const QString& key) const {
    QTreeWidgetItem* item = byKey_.value(key);
    if (item == nullptr)
        raiseFormsError(ElementNotFound);
    return item;
}

QString TreeView::keyOf(const QTreeWidgetItem* item) const {
    return item == nullptr ? QString() : item->data(0, keyRole).toString();
}

void TreeView::addNode(const QString& relativeKey, Relationship relationship, const QString& key, const QString& text) {
    if (!key.isEmpty() && byKey_.contains(key))
        raiseFormsError(KeyNotUnique);
    QTreeWidgetItem* relative = relativeKey.isEmpty() ? nullptr : node(relativeKey);
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setData(0, keyRole, key);
    if (relative != nullptr && relationship == Relationship::Child) {
        relative->addChild(item);
    } else {
        QTreeWidgetItem* parent = relative != nullptr ? relative->parent() : nullptr;
        const int count = parent != nullptr ? parent->childCount() : tree_->topLevelItemCount();
        int at = count;
        if (relative != nullptr) {
            const int place = parent != nullptr ? parent->indexOfChild(relative) : tree_->indexOfTopLevelItem(relative);
            if (relationship == Relationship::First)
                at = 0;
            else if (relationship == Relationship::Next)
                at = place + 1;
            else if (relationship == Relationship::Previous)
                at = place;
        }
        if (parent != nullptr)
            parent->insertChild(at, item);
        else
            tree_->insertTopLevelItem(at, item);
    }
    if (!key.isEmpty())
        byKey_.insert(key, item);
    order_.push_back(item);
}

void TreeView::forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
    byKey_.remove(keyOf(item));
    std::erase(order_, item);
}

void TreeView::removeNode(const QString& key) {
    QTreeWidgetItem* item = node(key);
    forget(item);
    delete item;
}

void TreeView::clear() {
    byKey_.clear();
    order_.clear();
    tree_->clear();
}

void TreeView::setSorted(bool sorted) {
    tree_->setSortingEnabled(false);
    if (sorted)
        tree_->sortItems(0, Qt::AscendingOrder);
    tree_->setSortingEnabled(sorted);
    tree_->header()->setSortIndicatorShown(false);
}

QString TreeView::nodeKey(int position) const {
    if (position < 0 || position >= nodeCount())
        runtime::raise(runtime::SubscriptOutOfRange);
    return keyOf(order_[static_cast<std::size_t>(position)]);
}

QString TreeView::text(const QString& key) const { return node(key)->text(0); }
void TreeView::setText(const QString& key, const QString& text) { node(key)->setText(0, text); }
QString TreeView::parentKey(const QString& key) const { return keyOf(node(key)->parent()); }

std::vector<QString> TreeView::childKeys(const QString& key) const {
    const QTreeWidgetItem* item = node(key);
    std::vector<QString> keys;
    for (int i = 0; i < item->childCount(); ++i)
        keys.push_back(keyOf(item->child(i)));
    return keys;
}

int TreeView::childCount(const QString& key) const { return node(key)->childCount(); }

QString TreeView::fullPath(const QString& key) const {
    QStringList texts;
    for (const QTreeWidgetItem* item = node(key); item != nullptr; item = item->parent())
        texts.prepend(item->text(0));
    return texts.join(separator_);
}

bool TreeView::isExpanded(const QString& key) const { return node(key)->isExpanded(); }
void TreeView::setExpanded(const QString& key, bool expanded) { node(key)->setExpanded(expanded); }

QString TreeView::selectedKey() const {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    return selected.isEmpty() ? QString() : keyOf(selected.first());
}

void TreeView::select(const QString& key) {
    QTreeWidgetItem* item = node(key);
    const QSignalBlocker blocker(tree_);
    tree_->setCurrentItem(item);
    item->setSelected(true);
}

void TreeView::ensureVisible(const QString& key) {
    QTreeWidgetItem* item = node(key);
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent())
        parent->setExpanded(true);
    tree_->scrollToItem(item);
}

} // namespace forms
