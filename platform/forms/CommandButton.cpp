#include "CommandButton.h"

#include "AccessKey.h"

namespace forms {

CommandButton::CommandButton(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::CommandButton, place.name, place.index, place.container, place.tab),
      button_(new QPushButton) {
    button_->setFocusPolicy(Qt::StrongFocus);
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_,
                     [this] { runFromWindowSystem("Click", [this] { onClick(); }); });
    attachWidget(button_);
}

CommandButton::~CommandButton() {
    form().setDefaultButton(this, false);
    form().setCancelButton(this, false);
}

void CommandButton::setCaption(const QString& caption) {
    caption_ = caption;
    button_->setText(toQtMnemonic(caption));
}

void CommandButton::setDefault(bool isDefault) {
    default_ = isDefault;
    button_->setDefault(isDefault);
    form().setDefaultButton(this, isDefault);
}

void CommandButton::setCancel(bool isCancel) {
    cancel_ = isCancel;
    form().setCancelButton(this, isCancel);
}

void CommandButton::click() { onClick(); }

} // namespace forms
