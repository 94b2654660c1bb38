#include "Control.h"

#include "Form.h"
#include "FormsError.h"
#include "Twips.h"

#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QPalette>

namespace forms {

QString kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: return QStringLiteral("Label");
    case ControlKind::TextBox: return QStringLiteral("TextBox");
    case ControlKind::CheckBox: return QStringLiteral("CheckBox");
    case ControlKind::OptionButton: return QStringLiteral("OptionButton");
    case ControlKind::ComboBox: return QStringLiteral("ComboBox");
    case ControlKind::CommandButton: return QStringLiteral("CommandButton");
    case ControlKind::Frame: return QStringLiteral("Frame");
    case ControlKind::PictureBox: return QStringLiteral("PictureBox");
    case ControlKind::MenuItem: return QStringLiteral("Menu");
    case ControlKind::Timer: return QStringLiteral("Timer");
    case ControlKind::TabStrip: return QStringLiteral("TabStrip");
    case ControlKind::ListView: return QStringLiteral("ListView");
    case ControlKind::TreeView: return QStringLiteral("TreeView");
    case ControlKind::Slider: return QStringLiteral("Slider");
    case ControlKind::Toolbar: return QStringLiteral("Toolbar");
    case ControlKind::Grid: return QStringLiteral("Grid");
    case ControlKind::Chart: return QStringLiteral("Chart");
    case ControlKind::PrintPreview: return QStringLiteral("PrintPreview");
    }
    return QString();
}

Control::Control(Form& form, ControlKind kind, const QString& name, int index, Control* container, int containerTab)
    : form_(form), kind_(kind), name_(name), index_(index < 0 ? -1 : index), container_(container),
      containerTab_(containerTab) {}

Control::~Control() = default;

QString Control::displayName() const {
    return isArrayMember() ? QStringLiteral("%1(%2)").arg(name_).arg(index_) : name_;
}

QWidget* Control::parentArea() const {
    if (container_ == nullptr)
        return form_.clientArea();
    QWidget* area = container_->childArea(containerTab_);
    if (area == nullptr)
        raiseFormsError(InvalidPropertyValue);
    return area;
}

void Control::attachWidget(QWidget* widget) {
    widget_ = widget;
    widget->setParent(parentArea());
    widget->setObjectName(displayName());
    widget->setMouseTracking(true);
    form_.watch(widget, this);
    if (QWidget* target = keyTarget(); target != nullptr && target != widget) {
        target->setMouseTracking(true);
        form_.watch(target, this);
    }
    widget->setVisible(true);
}

bool Control::enabled() const { return ownEnabled_; }

void Control::setEnabled(bool enabled) {
    ownEnabled_ = enabled;
    if (widget_ != nullptr)
        widget_->setEnabled(enabled);
}

bool Control::visible() const { return ownVisible_; }

void Control::setVisible(bool visible) {
    ownVisible_ = visible;
    if (widget_ != nullptr)
        widget_->setVisible(visible);
}

double Control::left() const { return widget_ != nullptr ? keptTwips(left_, widget_->x()) : left_; }
double Control::top() const { return widget_ != nullptr ? keptTwips(top_, widget_->y()) : top_; }
double Control::width() const { return widget_ != nullptr ? keptTwips(width_, widget_->width()) : width_; }
double Control::height() const { return widget_ != nullptr ? keptTwips(height_, widget_->height()) : height_; }

void Control::setLeft(double twips) { move(twips, top(), width(), height()); }
void Control::setTop(double twips) { move(left(), twips, width(), height()); }
void Control::setWidth(double twips) { move(left(), top(), twips, height()); }
void Control::setHeight(double twips) { move(left(), top(), width(), twips); }
void Control::move(double left, double top) { move(left, top, width(), height()); }

void Control::move(double left, double top, double width, double height) {
    // Sizes below zero are refused as the platform refuses them; positions may
    // be negative (a control partly outside its container).
    if (width < 0 || height < 0)
        raiseFormsError(InvalidPropertyValue);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

void Control::applyGeometry() {
    if (widget_ == nullptr)
        return;
    widget_->setGeometry(twipsToPixels(left_), twipsToPixels(top_), twipsToPixels(width_), twipsToPixels(height_));
}

int Control::tabIndex() const { return form_.tabPositionOf(this); }
void Control::setTabIndex(int position) { form_.setTabPosition(this, position); }

void Control::setToolTipText(const QString& text) {
    toolTipText_ = text;
    if (widget_ != nullptr)
        widget_->setToolTip(text);
}

QFont Control::font() const { return widget_ != nullptr ? widget_->font() : QApplication::font(); }

void Control::setFont(const QFont& font) {
    if (widget_ != nullptr)
        widget_->setFont(font);
}

QColor Control::foreColor() const {
    return widget_ != nullptr ? widget_->palette().color(widget_->foregroundRole()) : QColor();
}

void Control::setForeColor(const QColor& color) {
    if (widget_ == nullptr)
        return;
    QPalette palette = widget_->palette();
    palette.setColor(widget_->foregroundRole(), color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget_->setPalette(palette);
}

QColor Control::backColor() const {
    return widget_ != nullptr ? widget_->palette().color(widget_->backgroundRole()) : QColor();
}

void Control::setBackColor(const QColor& color) {
    if (widget_ == nullptr)
        return;
    QPalette palette = widget_->palette();
    palette.setColor(widget_->backgroundRole(), color);
    palette.setColor(QPalette::Base, color);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
}

QVariant Control::value() const { return QVariant(); }

void Control::setValue(const QVariant&) { raiseFormsError(NotSupported); }

void Control::setZOrder(ZOrder position) {
    if (widget_ == nullptr)
        return;
    if (position == ZOrder::Front)
        widget_->raise();
    else
        widget_->lower();
}

void Control::setFocus() {
    QWidget* target = keyTarget();
    if (target == nullptr || !target->isVisible() || !target->isEnabled() || target->focusPolicy() == Qt::NoFocus)
        runtime::raise(runtime::InvalidProcedureCall);
    target->setFocus(Qt::OtherFocusReason);
}

bool Control::hasFocus() const {
    QWidget* target = keyTarget();
    return target != nullptr && target->hasFocus();
}

void Control::refresh() {
    if (widget_ != nullptr)
        widget_->update();
}

void Control::setAcceptFiles(bool accept) {
    acceptFiles_ = accept;
    if (widget_ != nullptr)
        widget_->setAcceptDrops(accept);
}

QWidget* Control::childArea(int) const { return nullptr; }

double Control::toDouble(const QVariant& value) {
    bool ok = false;
    double number = 0;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    if (value.typeId() == QMetaType::QString)
        number = value.toString().trimmed().toDouble(&ok);
    else
        number = value.toDouble(&ok);
    if (!ok)
        runtime::raise(runtime::TypeMismatch);
    return number;
}

} // namespace forms
