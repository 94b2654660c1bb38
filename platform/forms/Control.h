#pragma once

#include "Event.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace forms {

class Form;

enum class ControlKind {
    Label,
    TextBox,
    CheckBox,
    OptionButton,
    ComboBox,
    CommandButton,
    Frame,
    PictureBox,
    MenuItem,
    Timer,
    TabStrip,
    ListView,
    TreeView,
    Slider,
    Toolbar,
    Grid,
    Chart,
    PrintPreview,
};

QString kindName(ControlKind kind);

// What the generic value of a control is: a text (text box, label, combo box),
// a number (check box: 0, 1, 2) or a truth value (option button).
enum class ValueKind { None, Text, Number, Boolean };

// Mouse event data; x and y in twips from the control's (or window's) top-left.
struct MouseEventArgs {
    int button = 0;
    int shift = 0;
    double x = 0;
    double y = 0;
};

// What every control of a window has: its name and index within its array,
// its window and container, geometry in twips, the common properties, the
// saved mark (DataField), the changed flag and the generic value.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    ControlKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    // Index within the control array; -1 for a control that is not in an array.
    int index() const { return index_; }
    bool isArrayMember() const { return index_ >= 0; }
    // "txtNumTeeth(1)" or "txtDP", for messages.
    QString displayName() const;
    Form& form() const { return form_; }
    // The Frame, PictureBox or TabStrip holding the control; null for the window.
    Control* container() const { return container_; }
    int containerTab() const { return containerTab_; }
    // The Qt widget standing for the control; null for menu items and timers.
    QWidget* widget() const { return widget_; }
    bool wasLoadedAtRunTime() const { return loadedAtRunTime_; }

    virtual bool enabled() const;
    virtual void setEnabled(bool enabled);
    // The control's own visibility, whatever its window or container shows.
    virtual bool visible() const;
    virtual void setVisible(bool visible);

    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double left, double top);
    void move(double left, double top, double width, double height);

    int tabIndex() const;
    void setTabIndex(int position);
    QString toolTipText() const { return toolTipText_; }
    void setToolTipText(const QString& text);
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    QFont font() const;
    void setFont(const QFont& font);
    QColor foreColor() const;
    void setForeColor(const QColor& color);
    QColor backColor() const;
    void setBackColor(const QColor& color);
    int helpContextId() const { return helpContextId_; }
    void setHelpContextId(int id) { helpContextId_ = id; }

    // A non-empty DataField marks a control whose value is saved in design files.
    QString dataField() const { return dataField_; }
    void setDataField(const QString& field) { dataField_ = field; }
    bool isSaved() const { return !dataField_.isEmpty(); }

    // Set whenever the value changes, by the user or by code, until cleared.
    bool isChanged() const { return changed_; }
    void clearChanged() { changed_ = false; }

    virtual ValueKind valueKind() const { return ValueKind::None; }
    // The generic value: Text of a text box or combo box, Caption of a label,
    // Value of a check box (int) or option button (bool).
    virtual QVariant value() const;
    // Sets the generic value as code would, raising the control's own events.
    // A value the control cannot take raises run-time error 13 or 380 and
    // leaves the control as it was.
    virtual void setValue(const QVariant& value);

    // Gives the control the input focus; raises run-time error 5 when the
    // control, its container or its window is hidden or disabled.
    void setFocus();
    // Stacking among the controls of the same container: Front draws the
    // control over its siblings, Back under them. Nothing for a control
    // without a widget.
    enum class ZOrder { Front, Back };
    void setZOrder(ZOrder position);
    bool hasFocus() const;
    void refresh();

    // Lets files be dropped on the control (onFilesDropped).
    void setAcceptFiles(bool accept);
    bool acceptsFiles() const { return acceptFiles_; }

    Event<> onGotFocus;
    Event<> onLostFocus;
    Event<int&, int> onKeyDown; // key code (set 0 to swallow), shift state
    Event<int&, int> onKeyUp;
    Event<int&> onKeyPress;     // character code (set 0 to swallow)
    Event<const MouseEventArgs&> onMouseDown;
    Event<const MouseEventArgs&> onMouseUp;
    Event<const MouseEventArgs&> onMouseMove;
    Event<> onClick;
    Event<> onDblClick;
    Event<const QStringList&> onFilesDropped;

    // The widget that children placed on this control live in, for the given
    // tab (tab strips); null when the control holds no children.
    virtual QWidget* childArea(int tab) const;
    // Whether a mouse click on the control raises onClick by itself (labels,
    // frames, picture boxes); other controls raise it from their value.
    virtual bool clickComesFromMouse() const { return false; }
    // The widget that takes key and focus events (a combo box's edit field).
    virtual QWidget* keyTarget() const { return widget_; }

protected:
    Control(Form& form, ControlKind kind, const QString& name, int index, Control* container, int containerTab);

    // Places the widget in its container (or the window's client area) and
    // routes its events through the window.
    void attachWidget(QWidget* widget);
    void markChanged() { changed_ = true; }
    QWidget* parentArea() const;
    static double toDouble(const QVariant& value);

private:
    friend class Form;
    void applyGeometry();

    Form& form_;
    ControlKind kind_;
    QString name_;
    int index_;
    Control* container_;
    int containerTab_;
    QPointer<QWidget> widget_;
    bool loadedAtRunTime_ = false;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    QString toolTipText_;
    QString tag_;
    QString dataField_;
    int helpContextId_ = 0;
    bool changed_ = false;
    bool acceptFiles_ = false;
    bool ownEnabled_ = true;
    bool ownVisible_ = true;
};

} // namespace forms
