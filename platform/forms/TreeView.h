#pragma once

#include "Control.h"
#include "Form.h"

#include <QHash>
#include <QTreeWidget>

#include <vector>

namespace forms {

// A tree of nodes found by key. Nodes are added relative to another node (as
// its child, or beside it) or at the top; the top level may be sorted by text.
// A missing relative or node raises run-time error 35601, a key used twice 35602.
class TreeView : public Control {
public:
    enum class Relationship { First = 0, Last = 1, Next = 2, Previous = 3, Child = 4 };

    TreeView(Form& form, const ControlPlace& place);

    // An empty relative key adds at the top level.
    void addNode(const QString& relativeKey, Relationship relationship, const QString& key, const QString& text);
    void removeNode(const QString& key);
    void clear();
    void setSorted(bool sorted);

    // Nodes in the order they were added.
    int nodeCount() const { return static_cast<int>(order_.size()); }
    QString nodeKey(int position) const;
    bool hasNode(const QString& key) const { return byKey_.contains(key); }
    QString text(const QString& key) const;
    void setText(const QString& key, const QString& text);
    // Empty for a top-level node.
    QString parentKey(const QString& key) const;
    std::vector<QString> childKeys(const QString& key) const;
    int childCount(const QString& key) const;
    // The texts from the top down to the node, joined by the path separator.
    QString fullPath(const QString& key) const;
    void setPathSeparator(const QString& separator) { separator_ = separator; }

    bool isExpanded(const QString& key) const;
    void setExpanded(const QString& key, bool expanded);
    // Selecting from code raises no NodeClick. Empty when nothing is selected.
    QString selectedKey() const;
    void select(const QString& key);
    void ensureVisible(const QString& key);

    Event<const QString&> onNodeClick;

private:
    QTreeWidgetItem* node(const QString& key) const;
    QString keyOf(const QTreeWidgetItem* item) const;
    void forget(QTreeWidgetItem* item);

    QTreeWidget* tree_;
    QHash<QString, QTreeWidgetItem*> byKey_;
    std::vector<QTreeWidgetItem*> order_;
    QString separator_ = QStringLiteral("\\");
};

} // namespace forms
