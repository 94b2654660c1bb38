#pragma once

#include "Control.h"
#include "Form.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>

class QMenuBar;

namespace forms {

// A menu command or a menu: a top-level item (no container) stands on the
// menu bar, an item whose container is another MenuItem stands in that menu.
// The caption "-" is a separator. Members of a menu array loaded at run time
// appear right after the array's last member.
class MenuItem : public Control {
public:
    MenuItem(Form& form, const ControlPlace& place);
    ~MenuItem() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QKeySequence shortcut() const { return shortcut_; }
    void setShortcut(const QKeySequence& shortcut);
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    bool visible() const override { return visible_; }
    void setVisible(bool visible) override;
    bool isSeparator() const { return caption_ == QStringLiteral("-"); }

    // Runs the item's Click, as choosing it does.
    void click();
    // The popup of a menu that holds items; null for a plain command.
    QMenu* submenu() const { return submenu_; }
    QAction* action() const { return action_; }
    MenuItem* parentMenu() const { return parent_; }

    // Layer internals.
    QMenu* ensureSubmenu();
    void detach();

private:
    QWidget* hostWidget();
    void insertIntoHost();
    void applyState();

    MenuItem* parent_;
    QPointer<QAction> action_;
    QPointer<QMenu> submenu_;
    QString caption_;
    QKeySequence shortcut_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
};

// F10: the bar's first item is highlighted (a menu opens); the arrows move
// along the bar and through the menus, Enter chooses, Escape leaves. The focus
// stays where it was. False when the bar has nothing to choose.
bool activateMenuBarByKeys(QMenuBar* bar);

} // namespace forms
