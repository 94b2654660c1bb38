#pragma once

#include "Control.h"
#include "Event.h"
#include "FormsError.h"

#include "runtime/RuntimeError.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QEventLoop;
class QKeyEvent;
class QMenuBar;
class QMouseEvent;
class QShortcutEvent;

namespace forms {

class Forms;
class FormWindow;
class Label;
class MenuItem;
class CommandButton;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };
enum class UnloadReason { FormControlMenu = 0, Code = 1, AppWindows = 2, TaskManager = 3, MdiForm = 4, FormOwner = 5 };
enum class Modality { Modeless = 0, Modal = 1 };

// Where a new control goes: its name, its index within a control array (-1
// for none), and its container (null for the window) with the container's tab.
struct ControlPlace {
    QString name;
    int index = -1;
    Control* container = nullptr;
    int tab = -1;
};

// One window. It is loaded on first use (hidden), its builder creating the
// controls and connecting the handlers; unloading destroys the controls and
// the next use loads it afresh. Touching a property of an unloaded window
// loads it, as every window of the program is one shared instance.
class Form : public QObject {
    Q_OBJECT
public:
    using Builder = std::function<void(Form&)>;

    explicit Form(const QString& name, Builder builder = {}, Forms* registry = nullptr);
    ~Form() override;

    const QString& name() const { return name_; }
    bool isLoaded() const { return loaded_; }
    void load();
    // Asks QueryUnload and Unload, which may cancel (result false); then hides
    // the window and destroys its controls.
    bool unload(UnloadReason reason = UnloadReason::Code);

    QString caption();
    void setCaption(const QString& caption);

    double left();
    double top();
    double width();
    double height();
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double left, double top);
    void move(double left, double top, double width, double height);
    // Inner (client) size, below the menu bar.
    double scaleWidth();
    double scaleHeight();
    // What the window system adds around the window (title bar, borders), in
    // twips; nothing until the window has been shown with its frame. A size
    // kept for the next load is kept without it: a window is sized before it
    // is shown, when its frame is not yet known, so a size kept with the frame
    // would grow by it at every load.
    QSizeF frameExtra();

    WindowState windowState();
    void setWindowState(WindowState state);

    bool visible();
    void setVisible(bool visible);
    // A modal show returns when the window is hidden or unloaded; showing a
    // visible window modally raises run-time error 400.
    void show(Modality modality = Modality::Modeless, Form* owner = nullptr);
    // Keeps this window in front of `owner` (none when null): it is shown over
    // its owner, and raised again whenever its owner is shown after it. An
    // owner given to show is kept the same way.
    void keepInFrontOf(Form* owner);
    void hide();
    bool enabled();
    void setEnabled(bool enabled);

    // With key preview on, the window sees key events before the focused control.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool preview) { keyPreview_ = preview; }
    void setAcceptFiles(bool accept);

    // Creates a control. Members of an array share the name and differ by index.
    template <typename T, typename... Args>
    T& add(const ControlPlace& place, Args... args) {
        ensureLoaded();
        checkFreePlace(place);
        auto control = std::unique_ptr<T>(new T(*this, place, args...));
        T& result = *control;
        factories_[&result] = [args...](Form& form, const ControlPlace& newPlace) -> std::unique_ptr<Control> {
            return std::unique_ptr<Control>(new T(form, newPlace, args...));
        };
        registerControl(std::move(control));
        return result;
    }

    // (name, index) -> control; null when the window has none such. Index -1
    // names a control that is not in an array.
    Control* find(const QString& name, int index = -1);
    // As find, typed; raises run-time error 340 when missing, 13 on another kind.
    template <typename T>
    T& get(const QString& name, int index = -1) {
        Control* control = find(name, index);
        if (control == nullptr)
            raiseFormsError(ControlArrayElementMissing);
        T* typed = dynamic_cast<T*>(control);
        if (typed == nullptr)
            runtime::raise(runtime::TypeMismatch);
        return *typed;
    }
    // Every control in creation order (members loaded at run time last).
    std::vector<Control*> controls();
    // The controls with a non-empty DataField, in creation order.
    std::vector<Control*> savedControls();
    // The indexes of an array's members, ascending; empty when there is none.
    std::vector<int> arrayIndexes(const QString& name);
    // Loads a new member of a control array, copied from its lowest member
    // (hidden, except menu items).
    Control& loadArrayMember(const QString& name, int index);
    void unloadArrayMember(const QString& name, int index);

    // Shows a menu as a popup at the mouse, even a hidden one; returns when it closes.
    void popupMenu(MenuItem& menu);

    // The control with the focus on this window, null when none.
    Control* activeControl();

    QWidget* window();
    QWidget* clientArea();
    QMenuBar* menuBar();

    Event<> onLoad;
    Event<> onActivate;
    Event<> onDeactivate;
    Event<> onResize;
    Event<bool&, UnloadReason> onQueryUnload;
    Event<bool&> onUnload;
    Event<const MouseEventArgs&> onMouseDown;
    Event<const MouseEventArgs&> onMouseUp;
    Event<const MouseEventArgs&> onMouseMove;
    Event<> onClick;
    Event<int&, int> onKeyDown;
    Event<int&, int> onKeyUp;
    Event<int&> onKeyPress;
    Event<const QStringList&> onFilesDropped;

    // Layer internals used by the controls.
    void watch(QWidget* widget, Control* control);
    int tabPositionOf(const Control* control) const;
    void setTabPosition(Control* control, int position);
    void updateMenuBarVisibility();
    void setDefaultButton(CommandButton* button, bool isDefault);
    void setCancelButton(CommandButton* button, bool isCancel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class FormWindow;
    using Factory = std::function<std::unique_ptr<Control>(Form&, const ControlPlace&)>;

    void ensureLoaded();
    void checkFreePlace(const ControlPlace& place);
    static QString lookupName(const QString& name);
    void registerControl(std::unique_ptr<Control> control);
    void removeControl(Control* control);
    void retire();
    void destroyNow();
    void applyTabOrder();
    void quitModalLoops();
    void layoutClient();
    void noteSizeMaybeChanged();
    void applyNormalBounds();
    int menuBarHeight() const;

    bool handleKey(Control* control, QObject* target, QKeyEvent* event);
    bool handleAccessKey(Control* control, QShortcutEvent* event);
    void focusAfterLabel(const Label& label);
    bool handleMouse(Control* control, QObject* target, QMouseEvent* event);
    bool handleDrop(Control* control, QEvent* event);
    bool redispatch(QObject* target, QEvent* event);
    bool gainsFocus(Control* control, Qt::FocusReason reason);
    bool losesFocus(Control* control, Qt::FocusReason reason);
    void windowClosedByUser();
    void windowStateChangedBySystem();
    void windowActivationChanged(bool active);
    void windowResized();
    void windowHidden();
    void windowShown();

    QString name_;
    Builder builder_;
    Forms* registry_;
    bool loaded_ = false;
    bool loading_ = false;
    bool unloading_ = false;
    bool tearingDown_ = false;
    bool redispatching_ = false;
    bool keyPreview_ = false;
    bool acceptFiles_ = false;
    bool shownSinceLoad_ = false;
    bool applyingState_ = false;

    std::unique_ptr<FormWindow> window_;
    std::vector<std::unique_ptr<Control>> controls_;
    // Keyed by the lower-case name and the index.
    std::map<std::pair<QString, int>, Control*> lookup_;
    std::map<const Control*, Factory> factories_;
    std::vector<Control*> tabOrder_;
    QHash<QObject*, Control*> watched_;
    std::vector<QPointer<QObject>> retired_;
    std::vector<QEventLoop*> modalLoops_;
    CommandButton* defaultButton_ = nullptr;
    CommandButton* cancelButton_ = nullptr;
    // Compared only, never followed: the control whose GotFocus ran last.
    const Control* focusedControl_ = nullptr;
    // A button whose press moved the focus, taken back by the LostFocus of
    // the control left: that press does not reach it.
    QPointer<QWidget> refusedPress_;

    QPointer<Form> owner_;
    QString caption_;
    WindowState state_ = WindowState::Normal;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    QSize lastReportedSize_;
};

} // namespace forms
