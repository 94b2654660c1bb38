#include "MenuItem.h"

#include "AccessKey.h"

#include <QApplication>
#include <QKeyEvent>
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

namespace {

bool choosable(const QAction* action) {
    return action->isVisible() && action->isEnabled() && !action->isSeparator();
}

// While a bar is active from the keyboard with no menu open, its keys are
// taken here: the bar itself takes no focus, so the keys would reach the
// focused control. An open menu handles its own keys, and hands Left and
// Right to the bar. The mode ends when the bar has no active item left (a
// command chosen, Escape in it), when its window goes inactive, or at a click.
class MenuBarKeys : public QObject {
public:
    explicit MenuBarKeys(QMenuBar* bar) : QObject(bar), bar_(bar) { qApp->installEventFilter(this); }

    static MenuBarKeys* of(QMenuBar* bar) {
        for (QObject* child : bar->children())
            if (auto* keys = dynamic_cast<MenuBarKeys*>(child))
                return keys;
        return nullptr;
    }

    bool start() {
        QAction* first = step(nullptr, +1);
        if (first == nullptr)
            return false;
        bar_->setActiveAction(first);
        return true;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride &&
            type != QEvent::MouseButtonPress)
            return false;
        if (bar_.isNull() || bar_->activeAction() == nullptr || !bar_->isVisible() || !bar_->window()->isActiveWindow()) {
            finish();
            return false;
        }
        if (QApplication::activePopupWidget() != nullptr)
            return false;
        if (type == QEvent::MouseButtonPress) {
            leave();
            return false;
        }
        if (passing_)
            return false;
        // Taken here, so no shortcut of the window acts on it.
        event->accept();
        if (type != QEvent::KeyPress)
            return true;
        QAction* current = bar_->activeAction();
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (QAction* next = step(current, key->key() == Qt::Key_Left ? -1 : +1))
                show(next);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (current->menu() != nullptr)
                show(current);
            else if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) {
                leave();
                current->trigger();
            }
            return true;
        case Qt::Key_Escape:
        case Qt::Key_F10:
        case Qt::Key_Alt:
            leave();
            return true;
        default:
            // A letter goes to the item it is the access key of.
            if (key->text().size() == 1)
                for (QAction* action : bar_->actions())
                    if (choosable(action) && accessKey(action->text()) == key->text().at(0).toUpper()) {
                        show(action);
                        break;
                    }
            return true;
        }
    }

private:
    // The next choosable item of the bar from the given one, round the end.
    QAction* step(QAction* from, int direction) const {
        const QList<QAction*> actions = bar_->actions();
        const auto count = actions.size();
        qsizetype at = from == nullptr ? (direction > 0 ? -1 : count) : actions.indexOf(from);
        for (qsizetype n = 0; n < count; ++n) {
            at = (at + direction + count) % count;
            if (choosable(actions[at]))
                return actions[at];
        }
        return nullptr;
    }
    // Highlights an item; a menu opens, its first command highlighted.
    void show(QAction* action) {
        bar_->setActiveAction(nullptr);
        bar_->setActiveAction(action);
        if (QMenu* menu = action->menu()) {
            for (QAction* item : menu->actions())
                if (choosable(item)) {
                    menu->setActiveAction(item);
                    break;
                }
        }
    }
    void leave() {
        if (!bar_.isNull()) {
            // A bar left in its own keyboard mode (Escape in one of its menus)
            // holds the focus; its own Escape gives it back.
            if (bar_->hasFocus()) {
                passing_ = true;
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(bar_, &escape);
                passing_ = false;
            }
            bar_->setActiveAction(nullptr);
        }
        finish();
    }
    void finish() {
        qApp->removeEventFilter(this);
        // Found no more by the next F10, whatever is left of this event.
        setParent(nullptr);
        deleteLater();
    }

    QPointer<QMenuBar> bar_;
    bool passing_ = false;
};

} // namespace

bool activateMenuBarByKeys(QMenuBar* bar) {
    if (bar == nullptr || !bar->isVisible() || !bar->window()->isActiveWindow())
        return false;
    MenuBarKeys* keys = MenuBarKeys::of(bar);
    if (keys == nullptr)
        keys = new MenuBarKeys(bar);
    if (keys->start())
        return true;
    delete keys;
    return false;
}

} // namespace forms
