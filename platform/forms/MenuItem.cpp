#include "MenuItem.h"

#include "AccessKey.h"

#include <QMenuBar>

namespace forms {

MenuItem::MenuItem(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::MenuItem, place.name, place.index, place.container, place.tab),
      parent_(dynamic_cast<MenuItem*>(place.container)) {
    if (place.container != nullptr && parent_ == nullptr)
        raiseFormsError(InvalidPropertyValue);
    action_ = new QAction(form.window());
    QObject::connect(action_, &QAction::triggered, action_, [this] { runFromWindowSystem("Click", [this] { onClick(); }); });
    insertIntoHost();
    applyState();
}

MenuItem::~MenuItem() { detach(); }

QWidget* MenuItem::hostWidget() {
    if (parent_ != nullptr)
        return parent_->ensureSubmenu();
    return form().menuBar();
}

void MenuItem::insertIntoHost() {
    QWidget* host = hostWidget();
    QAction* before = nullptr;
    if (isArrayMember()) {
        // After the last member of the same array standing in this menu.
        const QList<QAction*> actions = host->actions();
        qsizetype last = -1;
        for (Control* control : form().controls()) {
            auto* sibling = dynamic_cast<MenuItem*>(control);
            if (sibling == nullptr || sibling == this || sibling->name() != name() || sibling->parent_ != parent_)
                continue;
            last = std::max(last, actions.indexOf(sibling->action()));
        }
        if (last >= 0 && last + 1 < actions.size())
            before = actions[last + 1];
    }
    host->insertAction(before, action_);
}

QMenu* MenuItem::ensureSubmenu() {
    if (submenu_ != nullptr)
        return submenu_;
    submenu_ = new QMenu(form().window());
    QObject::connect(submenu_, &QMenu::aboutToShow, submenu_, [this] { runFromWindowSystem("Click", [this] { onClick(); }); });
    QWidget* host = hostWidget();
    QAction* old = action_;
    host->insertAction(old, submenu_->menuAction());
    host->removeAction(old);
    delete old;
    action_ = submenu_->menuAction();
    applyState();
    return submenu_;
}

void MenuItem::applyState() {
    if (action_ == nullptr)
        return;
    // A separator keeps no text: a style may draw a separator's text as a
    // section title, which would show the "-" itself.
    action_->setSeparator(isSeparator());
    action_->setText(isSeparator() ? QString() : toQtMnemonic(caption_));
    action_->setShortcut(shortcut_);
    action_->setCheckable(checked_ || action_->isCheckable());
    action_->setChecked(checked_);
    action_->setEnabled(enabled_);
    action_->setVisible(visible_);
    if (submenu_ != nullptr)
        submenu_->setTitle(toQtMnemonic(caption_));
}

void MenuItem::setCaption(const QString& caption) {
    caption_ = caption;
    applyState();
}

void MenuItem::setShortcut(const QKeySequence& shortcut) {
    shortcut_ = shortcut;
    applyState();
}

void MenuItem::setChecked(bool checked) {
    checked_ = checked;
    applyState();
}

void MenuItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    applyState();
}

void MenuItem::setVisible(bool visible) {
    visible_ = visible;
    applyState();
    if (parent_ == nullptr)
        form().updateMenuBarVisibility();
}

void MenuItem::click() { onClick(); }

void MenuItem::detach() {
    if (submenu_ != nullptr)
        delete submenu_.data();
    else if (action_ != nullptr)
        delete action_.data();
}

} // namespace forms
