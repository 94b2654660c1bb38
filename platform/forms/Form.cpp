#include "Form.h"

#include "AccessKey.h"
#include "CommandButton.h"
#include "FormWindow.h"
#include "Forms.h"
#include "KeyCodes.h"
#include "Label.h"
#include "MenuItem.h"
#include "TextBox.h"
#include "Twips.h"
#include "runtime/ScopeExit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QWindow>

#include <algorithm>

namespace forms {

namespace {

// Holds the widgets and controls of an unloaded window until the event loop
// is back where the unload was asked for, so that a handler which unloads its
// own window returns safely.
class RetiredParts : public QObject {
public:
    std::vector<std::unique_ptr<Control>> controls;
    std::unique_ptr<QWidget> window;

    ~RetiredParts() override { destroyControls(controls); }

    static void destroyControls(std::vector<std::unique_ptr<Control>>& controls) {
        for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
            if (QWidget* widget = (*it)->widget()) {
                widget->blockSignals(true);
                delete widget;
            }
        }
        controls.clear();
    }
};

constexpr int defaultWidthPixels = 320;
constexpr int defaultHeightPixels = 240;

} // namespace

Form::Form(const QString& name, Builder builder, Forms* registry)
    : name_(name), builder_(std::move(builder)), registry_(registry) {}

Form::~Form() {
    destroyNow();
    for (const QPointer<QObject>& retired : retired_)
        delete retired.data();
}

void Form::ensureLoaded() {
    if (!loaded_ && !unloading_ && !tearingDown_)
        load();
}

void Form::load() {
    if (loaded_)
        return;
    keepAltCharactersFromTyping();
    loaded_ = true;
    loading_ = true;
    shownSinceLoad_ = false;
    state_ = WindowState::Normal;
    window_ = std::make_unique<FormWindow>(*this);
    window_->setObjectName(name_);
    window_->resize(defaultWidthPixels, defaultHeightPixels);
    left_ = top_ = 0;
    width_ = pixelsToTwips(defaultWidthPixels);
    height_ = pixelsToTwips(defaultHeightPixels);
    lastReportedSize_ = window_->size();
    window_->installEventFilter(this);
    window_->client()->installEventFilter(this);
    setCaption(caption_.isNull() ? name_ : caption_);
    if (registry_ != nullptr)
        registry_->noteLoaded(*this);
    auto done = runtime::onScopeExit([this] { loading_ = false; });
    if (builder_)
        builder_(*this);
    onLoad();
}

bool Form::unload(UnloadReason reason) {
    if (!loaded_ || unloading_)
        return true;
    bool cancel = false;
    onQueryUnload(cancel, reason);
    if (cancel || !loaded_)
        return !loaded_;
    onUnload(cancel);
    if (cancel || !loaded_)
        return !loaded_;
    unloading_ = true;
    auto unloaded = runtime::onScopeExit([this] { unloading_ = false; });
    window_->hide();
    quitModalLoops();
    retire();
    return true;
}

void Form::retire() {
    tearingDown_ = true;
    auto tornDown = runtime::onScopeExit([this] { tearingDown_ = false; });
    watched_.clear();
    auto* parts = new RetiredParts;
    parts->controls = std::move(controls_);
    window_->removeEventFilter(this);
    window_->client()->removeEventFilter(this);
    parts->window = std::move(window_);
    controls_.clear();
    lookup_.clear();
    factories_.clear();
    tabOrder_.clear();
    defaultButton_ = cancelButton_ = nullptr;
    focusedControl_ = nullptr;
    loaded_ = false;
    if (registry_ != nullptr)
        registry_->noteUnloaded(*this);
    std::erase_if(retired_, [](const QPointer<QObject>& p) { return p.isNull(); });
    retired_.emplace_back(parts);
    parts->deleteLater();
}

void Form::destroyNow() {
    tearingDown_ = true;
    auto tornDown = runtime::onScopeExit([this] { tearingDown_ = false; });
    watched_.clear();
    quitModalLoops();
    RetiredParts::destroyControls(controls_);
    lookup_.clear();
    factories_.clear();
    tabOrder_.clear();
    focusedControl_ = nullptr;
    window_.reset();
    if (loaded_ && registry_ != nullptr)
        registry_->noteUnloaded(*this);
    loaded_ = false;
}

QString Form::caption() {
    ensureLoaded();
    return caption_;
}

void Form::setCaption(const QString& caption) {
    ensureLoaded();
    caption_ = caption;
    // The title bar shows "&" as typed; only the window title's placeholder
    // mark needs escaping.
    QString title = caption;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[[*]]"));
    window_->setWindowTitle(title);
}

double Form::left() {
    ensureLoaded();
    if (state_ == WindowState::Minimized)
        return left_;
    return keptTwips(left_, window_->framePosition().x());
}

double Form::top() {
    ensureLoaded();
    if (state_ == WindowState::Minimized)
        return top_;
    return keptTwips(top_, window_->framePosition().y());
}

double Form::width() {
    ensureLoaded();
    if (state_ == WindowState::Minimized)
        return width_;
    return keptTwips(width_, window_->frameGeometry().width());
}

double Form::height() {
    ensureLoaded();
    if (state_ == WindowState::Minimized)
        return height_;
    return keptTwips(height_, window_->frameGeometry().height());
}

void Form::setLeft(double twips) { move(twips, top()); }
void Form::setTop(double twips) { move(left(), twips); }
void Form::setWidth(double twips) { move(left(), top(), twips, height()); }
void Form::setHeight(double twips) { move(left(), top(), width(), twips); }

void Form::move(double left, double top) { move(left, top, width(), height()); }

void Form::move(double left, double top, double width, double height) {
    ensureLoaded();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    // A minimised or maximised window keeps the bounds for its return to normal.
    if (state_ == WindowState::Normal)
        applyNormalBounds();
}

void Form::applyNormalBounds() {
    const QRect frame = window_->frameGeometry();
    const QRect inner = window_->geometry();
    const int extraWidth = frame.width() - inner.width();
    const int extraHeight = frame.height() - inner.height();
    window_->moveFrame({twipsToPixels(left_), twipsToPixels(top_)});
    window_->resize(std::max(0, twipsToPixels(width_) - extraWidth), std::max(0, twipsToPixels(height_) - extraHeight));
    // Code may move a shown window; never off the screen.
    if (window_->isVisible())
        window_->keepOnScreen();
    window_->layoutClient();
    noteSizeMaybeChanged();
}

QSizeF Form::frameExtra() {
    ensureLoaded();
    return {pixelsToTwips(window_->frameGeometry().width() - window_->geometry().width()),
            pixelsToTwips(window_->frameGeometry().height() - window_->geometry().height())};
}

double Form::scaleWidth() {
    const double outer = width();
    return outer - frameExtra().width();
}

double Form::scaleHeight() {
    const double outer = height();
    return outer - frameExtra().height() - pixelsToTwips(window_->menuBarHeight());
}

WindowState Form::windowState() {
    ensureLoaded();
    return state_;
}

void Form::setWindowState(WindowState state) {
    ensureLoaded();
    if (state == state_)
        return;
    if (state_ == WindowState::Normal) {
        left_ = left();
        top_ = top();
        width_ = width();
        height_ = height();
    }
    state_ = state;
    {
        // One Resize for the change of state, however many sizes it passes through.
        applyingState_ = true;
        auto applied = runtime::onScopeExit([this] { applyingState_ = false; });
        switch (state) {
        case WindowState::Normal:
            window_->setWindowState(Qt::WindowNoState);
            applyNormalBounds();
            break;
        case WindowState::Minimized: window_->setWindowState(Qt::WindowMinimized); break;
        case WindowState::Maximized: window_->setWindowState(Qt::WindowMaximized); break;
        }
    }
    lastReportedSize_ = window_->size();
    onResize();
}

bool Form::visible() { return loaded_ && window_->isVisible(); }

void Form::setVisible(bool visible) {
    if (visible)
        show();
    else
        hide();
}

void Form::show(Modality modality, Form* owner) {
    ensureLoaded();
    if (modality == Modality::Modal && window_->isVisible())
        raiseFormsError(FormAlreadyDisplayed);
    if (owner != nullptr && owner != this) {
        owner_ = owner;
        owner->ensureLoaded();
    }
    // An owner not yet loaded takes this window in front when it is shown.
    if (owner_ != nullptr && owner_->loaded_) {
        window_->keepInFrontOf(*owner_->window_);
    }
    if (modality == Modality::Modal)
        window_->setWindowModality(Qt::ApplicationModal);
    // A stored place from another screen, or a size larger than this one,
    // opens on the screen; placed again once the window's own frame is known.
    if (state_ == WindowState::Normal)
        window_->keepOnScreen();
    switch (state_) {
    case WindowState::Normal:
        window_->show();
        window_->keepOnScreen();
        break;
    case WindowState::Minimized: window_->showMinimized(); break;
    case WindowState::Maximized: window_->showMaximized(); break;
    }
    window_->raise();
    window_->activateWindow();
    if (registry_ != nullptr) {
        for (Form* owned : registry_->loaded())
            if (owned != this && owned->owner_ == this && owned->window_->isVisible())
                owned->window_->raise();
    }
    if (modality == Modality::Modeless)
        return;
    QEventLoop loop;
    modalLoops_.push_back(&loop);
    // A handler run by the loop may destroy this window object itself.
    const QPointer<Form> alive(this);
    loop.exec(QEventLoop::DialogExec);
    if (alive.isNull())
        return;
    std::erase(modalLoops_, &loop);
    if (loaded_ && !window_->isVisible())
        window_->setWindowModality(Qt::NonModal);
}

void Form::keepInFrontOf(Form* owner) { owner_ = owner != this ? owner : nullptr; }

void Form::hide() {
    if (!loaded_)
        return;
    window_->hide();
    quitModalLoops();
}

void Form::quitModalLoops() {
    for (QEventLoop* loop : modalLoops_)
        loop->quit();
}

bool Form::enabled() {
    ensureLoaded();
    return window_->isEnabled();
}

void Form::setEnabled(bool enabled) {
    ensureLoaded();
    window_->setEnabled(enabled);
}

void Form::setAcceptFiles(bool accept) {
    ensureLoaded();
    acceptFiles_ = accept;
    window_->setAcceptDrops(accept);
}

// Control names are told apart regardless of letter case, as the windows'
// code spells one control several ways ("txtKB", "txtKb").
QString Form::lookupName(const QString& name) {
    return name.toLower();
}

void Form::checkFreePlace(const ControlPlace& place) {
    if (place.name.isEmpty())
        raiseFormsError(InvalidPropertyValue);
    const QString key = lookupName(place.name);
    if (lookup_.contains({key, place.index}))
        raiseFormsError(ObjectAlreadyLoaded);
    // A name is either one control or an array, never both.
    const auto other = lookup_.lower_bound({key, -1});
    if (other != lookup_.end() && other->first.first == key && (other->first.second < 0) != (place.index < 0))
        raiseFormsError(ObjectNotAnArray);
}

void Form::registerControl(std::unique_ptr<Control> control) {
    Control* raw = control.get();
    lookup_[{lookupName(raw->name()), raw->index()}] = raw;
    if (raw->widget() != nullptr && raw->widget()->focusPolicy() != Qt::NoFocus) {
        tabOrder_.push_back(raw);
        // The labels since the last control that takes the focus lead to
        // this one: their access keys move the focus here.
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            if (const QWidget* widget = (*it)->widget(); widget != nullptr && widget->focusPolicy() != Qt::NoFocus)
                break;
            if (auto* label = dynamic_cast<Label*>(it->get()); label != nullptr && label->next() == nullptr)
                label->setNext(raw->widget());
        }
    }
    controls_.push_back(std::move(control));
    applyTabOrder();
    if (raw->kind() == ControlKind::MenuItem)
        updateMenuBarVisibility();
}

Control* Form::find(const QString& name, int index) {
    ensureLoaded();
    const auto it = lookup_.find({lookupName(name), index});
    return it == lookup_.end() ? nullptr : it->second;
}

std::vector<Control*> Form::controls() {
    ensureLoaded();
    std::vector<Control*> result;
    result.reserve(controls_.size());
    for (const auto& control : controls_)
        result.push_back(control.get());
    return result;
}

std::vector<Control*> Form::savedControls() {
    std::vector<Control*> result;
    for (Control* control : controls())
        if (control->isSaved())
            result.push_back(control);
    return result;
}

std::vector<int> Form::arrayIndexes(const QString& name) {
    ensureLoaded();
    std::vector<int> result;
    const QString key = lookupName(name);
    for (auto it = lookup_.lower_bound({key, 0}); it != lookup_.end() && it->first.first == key; ++it)
        result.push_back(it->first.second);
    return result;
}

Control& Form::loadArrayMember(const QString& name, int index) {
    const std::vector<int> members = arrayIndexes(name);
    if (members.empty())
        raiseFormsError(find(name) != nullptr ? ObjectNotAnArray : ControlArrayElementMissing);
    if (index < 0)
        raiseFormsError(InvalidPropertyArrayIndex);
    if (lookup_.contains({lookupName(name), index}))
        raiseFormsError(ObjectAlreadyLoaded);
    Control& model = *lookup_.at({lookupName(name), members.front()});
    // The new member takes the array's own spelling of the name.
    const ControlPlace place{model.name(), index, model.container(), model.containerTab()};
    std::unique_ptr<Control> created = factories_.at(&model)(*this, place);
    Control& result = *created;
    result.loadedAtRunTime_ = true;
    factories_[&result] = factories_.at(&model);
    result.move(model.left(), model.top(), model.width(), model.height());
    result.setFont(model.font());
    result.setEnabled(model.enabled());
    result.setToolTipText(model.toolTipText());
    result.setTag(model.tag());
    result.setDataField(model.dataField());
    result.setHelpContextId(model.helpContextId());
    // New members start hidden, except menu items, which appear where the
    // array stands in its menu.
    result.setVisible(model.kind() == ControlKind::MenuItem ? model.visible() : false);
    registerControl(std::move(created));
    return result;
}

void Form::unloadArrayMember(const QString& name, int index) {
    Control* control = find(name, index);
    if (control == nullptr || index < 0)
        raiseFormsError(ControlArrayElementMissing);
    if (!control->wasLoadedAtRunTime())
        raiseFormsError(CantUnloadDesignTimeControl);
    removeControl(control);
}

void Form::removeControl(Control* control) {
    if (focusedControl_ == control)
        focusedControl_ = nullptr;
    lookup_.erase({lookupName(control->name()), control->index()});
    factories_.erase(control);
    std::erase(tabOrder_, control);
    for (auto it = watched_.begin(); it != watched_.end();) {
        if (it.value() == control)
            it = watched_.erase(it);
        else
            ++it;
    }
    const auto owned = std::find_if(controls_.begin(), controls_.end(),
                                    [control](const auto& c) { return c.get() == control; });
    auto* parts = new RetiredParts;
    parts->controls.push_back(std::move(*owned));
    controls_.erase(owned);
    if (QWidget* widget = control->widget())
        widget->hide();
    if (auto* menu = dynamic_cast<MenuItem*>(control))
        menu->detach();
    retired_.emplace_back(parts);
    parts->deleteLater();
}

void Form::popupMenu(MenuItem& menu) {
    ensureLoaded();
    if (QMenu* popup = menu.submenu())
        popup->exec(QCursor::pos());
}

Control* Form::activeControl() {
    if (!loaded_)
        return nullptr;
    for (QObject* object = QApplication::focusWidget(); object != nullptr; object = object->parent())
        if (Control* control = watched_.value(object))
            return control;
    return nullptr;
}

QWidget* Form::window() {
    ensureLoaded();
    return window_.get();
}

QWidget* Form::clientArea() {
    ensureLoaded();
    return window_->client();
}

QMenuBar* Form::menuBar() {
    ensureLoaded();
    return window_->menuBar();
}

void Form::watch(QWidget* widget, Control* control) {
    watched_.insert(widget, control);
    widget->installEventFilter(this);
}

int Form::tabPositionOf(const Control* control) const {
    const auto it = std::find(tabOrder_.begin(), tabOrder_.end(), control);
    return it == tabOrder_.end() ? 0 : static_cast<int>(it - tabOrder_.begin());
}

void Form::setTabPosition(Control* control, int position) {
    if (position < 0)
        raiseFormsError(InvalidPropertyValue);
    std::erase(tabOrder_, control);
    const auto at = std::min<std::size_t>(static_cast<std::size_t>(position), tabOrder_.size());
    tabOrder_.insert(tabOrder_.begin() + static_cast<std::ptrdiff_t>(at), control);
    applyTabOrder();
}

void Form::applyTabOrder() {
    QWidget* previous = nullptr;
    for (Control* control : tabOrder_) {
        QWidget* widget = control->widget();
        if (widget == nullptr)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void Form::updateMenuBarVisibility() {
    if (!loaded_ || !window_->hasMenuBar())
        return;
    bool any = false;
    for (const auto& control : controls_) {
        auto* menu = dynamic_cast<MenuItem*>(control.get());
        if (menu != nullptr && menu->container() == nullptr && menu->visible())
            any = true;
    }
    window_->setMenuBarShown(any);
    noteSizeMaybeChanged();
}

void Form::setDefaultButton(CommandButton* button, bool isDefault) {
    if (isDefault)
        defaultButton_ = button;
    else if (defaultButton_ == button)
        defaultButton_ = nullptr;
}

void Form::setCancelButton(CommandButton* button, bool isCancel) {
    if (isCancel)
        cancelButton_ = button;
    else if (cancelButton_ == button)
        cancelButton_ = nullptr;
}

int Form::menuBarHeight() const { return window_ ? window_->menuBarHeight() : 0; }

void Form::layoutClient() { window_->layoutClient(); }

void Form::noteSizeMaybeChanged() {
    if (window_->size() == lastReportedSize_)
        return;
    lastReportedSize_ = window_->size();
    if (!applyingState_)
        onResize();
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (tearingDown_ || !loaded_)
        return false;
    // A redispatched event is seen once; but the focus moves it causes (Tab,
    // Shift+Tab, an arrow on a button, a click handler's SetFocus) come as
    // events of their own, and count as the user's.
    const bool focusEvent = event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut;
    if (redispatching_ && !focusEvent)
        return false;
    const bool isWindow = watched == window_.get() || watched == window_->client();
    Control* control = watched_.value(watched);
    if (!isWindow && control == nullptr)
        return false;
    // The window's own mouse events are those of its client area; keys reach
    // the window widget itself.
    const bool mouseEvent = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                            event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::MouseMove;
    if (isWindow && mouseEvent && watched != window_->client())
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (control != nullptr && gainsFocus(control, static_cast<QFocusEvent*>(event)->reason()))
            runFromWindowSystem("GotFocus", [control] { control->onGotFocus(); });
        return false;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (control == nullptr || !losesFocus(control, reason))
            return false;
        QWidget* goingTo = QApplication::focusWidget();
        runFromWindowSystem("LostFocus", [control] { control->onLostFocus(); });
        // A LostFocus handler that keeps the focus refuses the press that
        // moved it: the button pressed does not click. The press follows its
        // focus move at once; a refusal not used by it is dropped.
        if (reason == Qt::MouseFocusReason && goingTo != nullptr && QApplication::focusWidget() != goingTo &&
            qobject_cast<QAbstractButton*>(goingTo) != nullptr) {
            refusedPress_ = goingTo;
            QMetaObject::invokeMethod(this, [this] { refusedPress_.clear(); }, Qt::QueuedConnection);
        }
        return false;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return handleKey(control, watched, static_cast<QKeyEvent*>(event));
    case QEvent::Shortcut:
        return control != nullptr && watched == control->widget() &&
               handleAccessKey(control, static_cast<QShortcutEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return handleMouse(control, watched, static_cast<QMouseEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return handleDrop(control, event);
    default: return false;
    }
}

// A control's focus events follow the focus between the controls of its
// window: opening a menu or switching to another window and back leaves the
// control's focus as it is, while the first focus of a shown window counts.
// Each GotFocus is followed by one LostFocus before the next GotFocus: a
// control of several widgets (a combo box and its edit field) raises each
// once, and a LostFocus handler that takes the focus back leaves the control
// the focus was going to without either event.
bool Form::gainsFocus(Control* control, Qt::FocusReason reason) {
    if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason || control == focusedControl_)
        return false;
    focusedControl_ = control;
    return true;
}

bool Form::losesFocus(Control* control, Qt::FocusReason reason) {
    if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    if (control != focusedControl_)
        return false;
    focusedControl_ = nullptr;
    return true;
}

bool Form::redispatch(QObject* target, QEvent* event) {
    // The event goes on to its widget once, past every control around it, so
    // that only the control it was meant for sees it.
    if (!loaded_)
        return true;
    const bool outer = redispatching_;
    redispatching_ = true;
    auto reset = runtime::onScopeExit([this, outer] { redispatching_ = outer; });
    QCoreApplication::sendEvent(target, event);
    event->accept();
    return true;
}

bool Form::handleKey(Control* control, QObject* target, QKeyEvent* event) {
    const int shift = shiftStateFromQt(event->modifiers());
    int keyCode = keyCodeFromQt(event->key(), event->modifiers());
    const bool press = event->type() == QEvent::KeyPress;
    bool swallowed = false;
    QString replacement;
    const QPointer<QObject> alive(target);
    runFromWindowSystem(press ? "KeyDown" : "KeyUp", [&] {
        auto& formEvent = press ? onKeyDown : onKeyUp;
        if (keyCode != 0 && (keyPreview_ || control == nullptr))
            formEvent(keyCode, shift);
        if (keyCode != 0 && control != nullptr && loaded_)
            (press ? control->onKeyDown : control->onKeyUp)(keyCode, shift);
        if (event->key() != 0 && keyCode == 0 && keyCodeFromQt(event->key(), event->modifiers()) != 0)
            swallowed = true;
        if (!press || swallowed || event->text().size() != 1 || !loaded_)
            return;
        int character = event->text().at(0).unicode();
        const int typed = character;
        if (keyPreview_ || control == nullptr)
            onKeyPress(character);
        if (character != 0 && control != nullptr && loaded_)
            control->onKeyPress(character);
        if (character == 0)
            swallowed = true;
        else if (character != typed)
            replacement = QString(QChar(character));
    });
    if (!loaded_ || alive.isNull() || swallowed)
        return true;
    if (press && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const bool buttonHasFocus = control != nullptr && control->kind() == ControlKind::CommandButton;
        const auto* textBox = dynamic_cast<TextBox*>(control);
        const bool multiLine = textBox != nullptr && textBox->multiLine();
        CommandButton* button = nullptr;
        // Enter presses the focused button, as Space does; elsewhere the default one.
        if (enter && buttonHasFocus)
            button = static_cast<CommandButton*>(control);
        else if (enter && !multiLine)
            button = defaultButton_;
        else if (event->key() == Qt::Key_Escape)
            button = cancelButton_;
        if (button != nullptr && button->enabled() && button->visible()) {
            runFromWindowSystem("Click", [button] { button->click(); });
            return true;
        }
    }
    if (press && event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier && window_->menuBarShown() &&
        activateMenuBarByKeys(window_->menuBar()))
        return true;
    if (control == nullptr)
        return false;
    if (!replacement.isEmpty()) {
        QKeyEvent changed(event->type(), 0, event->modifiers(), replacement, event->isAutoRepeat(), event->count());
        return redispatch(target, &changed);
    }
    return redispatch(target, event);
}

// An access key acts as a click: the focus moves to the button first, so the
// control left runs its LostFocus, and the button clicks only if it then holds
// the focus, enabled and shown.
bool Form::handleAccessKey(Control* control, QShortcutEvent* event) {
    if (auto* label = dynamic_cast<Label*>(control)) {
        focusAfterLabel(*label);
        return true;
    }
    auto* button = qobject_cast<QAbstractButton*>(control->widget());
    if (button == nullptr || event->isAmbiguous())
        return false;
    const QPointer<QAbstractButton> alive(button);
    if (!button->hasFocus() && button->isEnabled() && button->isVisible())
        button->setFocus(Qt::ShortcutFocusReason);
    if (!loaded_ || alive.isNull() || !button->hasFocus() || !button->isEnabled() || !button->isVisible())
        return true;
    button->click();
    return true;
}

// A label's access key moves the focus to the control that follows it, or,
// when that one is disabled or hidden, to the next one in the tab order
// that can take it. Nothing is clicked.
void Form::focusAfterLabel(const Label& label) {
    // A label out of sight (on a hidden page or frame) has no key to press.
    if (!label.widget()->isVisible())
        return;
    const Control* next = watched_.value(label.next());
    auto it = std::find(tabOrder_.begin(), tabOrder_.end(), next);
    for (; it != tabOrder_.end(); ++it) {
        QWidget* widget = (*it)->widget();
        if (widget != nullptr && widget->isEnabled() && widget->isVisible()) {
            widget->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

bool Form::handleMouse(Control* control, QObject* target, QMouseEvent* event) {
    QWidget* origin = control != nullptr ? control->widget() : window_->client();
    auto* targetWidget = qobject_cast<QWidget*>(target);
    if (origin == nullptr || targetWidget == nullptr)
        return false;
    const QPoint at = targetWidget->mapTo(targetWidget->window(), event->position().toPoint());
    const QPoint local = origin->mapFrom(origin->window(), at);
    MouseEventArgs args;
    args.shift = shiftStateFromQt(event->modifiers());
    args.button = mouseButtonsFromQt(event->type() == QEvent::MouseMove ? event->buttons() : Qt::MouseButtons(event->button()));
    args.x = pixelsToTwips(local.x());
    args.y = pixelsToTwips(local.y());
    const bool inside = origin->rect().contains(local);
    runFromWindowSystem("Mouse", [&] {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            (control != nullptr ? control->onMouseDown : onMouseDown)(args);
            break;
        case QEvent::MouseButtonRelease:
            (control != nullptr ? control->onMouseUp : onMouseUp)(args);
            if (event->button() == Qt::LeftButton && inside && loaded_) {
                if (control == nullptr)
                    onClick();
                else if (control->clickComesFromMouse())
                    control->onClick();
            }
            break;
        case QEvent::MouseButtonDblClick:
            if (control != nullptr)
                control->onDblClick();
            break;
        default:
            (control != nullptr ? control->onMouseMove : onMouseMove)(args);
            break;
        }
    });
    if (control == nullptr)
        return false;
    if (event->type() == QEvent::MouseButtonPress && !refusedPress_.isNull()) {
        const bool refused = refusedPress_ == target;
        refusedPress_.clear();
        if (refused)
            return true;
    }
    return redispatch(target, event);
}

bool Form::handleDrop(Control* control, QEvent* event) {
    const bool accepts = control != nullptr ? control->acceptsFiles() : acceptFiles_;
    if (!accepts)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    if (data == nullptr || !data->hasUrls()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() != QEvent::Drop)
        return true;
    QStringList paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return true;
    runFromWindowSystem("OLEDragDrop", [&] {
        if (control != nullptr)
            control->onFilesDropped(paths);
        else
            onFilesDropped(paths);
    });
    return true;
}

void Form::windowClosedByUser() {
    runFromWindowSystem("QueryUnload", [this] { unload(UnloadReason::FormControlMenu); });
}

void Form::windowStateChangedBySystem() {
    if (tearingDown_ || !window_)
        return;
    const Qt::WindowStates qtState = window_->windowState();
    WindowState state = WindowState::Normal;
    if (qtState.testFlag(Qt::WindowMinimized))
        state = WindowState::Minimized;
    else if (qtState.testFlag(Qt::WindowMaximized) || qtState.testFlag(Qt::WindowFullScreen))
        state = WindowState::Maximized;
    if (state == state_)
        return;
    if (state_ == WindowState::Normal) {
        // Keep the bounds the window returns to when set back to normal.
        const QRect normal = window_->normalFrameGeometry();
        left_ = keptTwips(left_, normal.x());
        top_ = keptTwips(top_, normal.y());
        width_ = keptTwips(width_, normal.width());
        height_ = keptTwips(height_, normal.height());
    }
    state_ = state;
    runFromWindowSystem("Resize", [this] { onResize(); });
}

void Form::windowActivationChanged(bool active) {
    if (tearingDown_ || !loaded_)
        return;
    runFromWindowSystem(active ? "Activate" : "Deactivate", [this, active] { (active ? onActivate : onDeactivate)(); });
}

void Form::windowResized() {
    if (tearingDown_ || !loaded_ || loading_)
        return;
    runFromWindowSystem("Resize", [this] { noteSizeMaybeChanged(); });
}

void Form::windowHidden() { quitModalLoops(); }

void Form::windowShown() {
    // A window is first laid out when it is first shown.
    if (shownSinceLoad_ || !loaded_)
        return;
    shownSinceLoad_ = true;
    lastReportedSize_ = window_->size();
    runFromWindowSystem("Resize", [this] { onResize(); });
}

} // namespace forms
