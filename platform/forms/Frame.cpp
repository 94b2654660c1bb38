#include "Frame.h"

#include "AccessKey.h"

namespace forms {

Frame::Frame(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::Frame, place.name, place.index, place.container, place.tab), box_(new QGroupBox) {
    box_->setFocusPolicy(Qt::NoFocus);
    attachWidget(box_);
}

void Frame::setCaption(const QString& caption) {
    caption_ = caption;
    box_->setTitle(toQtMnemonic(caption));
}

void Frame::setBorder(bool border) {
    border_ = border;
    box_->setFlat(!border);
    box_->setStyleSheet(border ? QString() : QStringLiteral("QGroupBox { border: 0px; margin: 0px; padding: 0px; }"));
}

QWidget* Frame::childArea(int) const { return box_; }

} // namespace forms
