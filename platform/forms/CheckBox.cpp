#include "CheckBox.h"

#include "AccessKey.h"

#include <cmath>

namespace forms {

// A user's click ticks an unticked or grayed box and clears a ticked one; the
// control, not Qt's tristate cycle, decides the new value.
class CheckBox::Box : public QCheckBox {
public:
    explicit Box(CheckBox& owner) : owner_(owner) { setTristate(true); }

protected:
    void nextCheckState() override { owner_.userClicked(); }

private:
    CheckBox& owner_;
};

CheckBox::CheckBox(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::CheckBox, place.name, place.index, place.container, place.tab), box_(new Box(*this)) {
    box_->setFocusPolicy(Qt::StrongFocus);
    attachWidget(box_);
}

void CheckBox::setCaption(const QString& caption) {
    caption_ = caption;
    box_->setText(toQtMnemonic(caption));
}

void CheckBox::setCheckValue(int value) {
    if (value < CheckValue::Unchecked || value > CheckValue::Grayed)
        raiseFormsError(InvalidPropertyValue);
    if (value == value_)
        return;
    value_ = value;
    box_->setCheckState(value == CheckValue::Checked  ? Qt::Checked
                        : value == CheckValue::Grayed ? Qt::PartiallyChecked
                                                      : Qt::Unchecked);
    markChanged();
    onClick();
}

void CheckBox::userClicked() {
    const int next = value_ == CheckValue::Checked ? CheckValue::Unchecked : CheckValue::Checked;
    runFromWindowSystem("Click", [this, next] { setCheckValue(next); });
}

void CheckBox::setValue(const QVariant& value) {
    // A number or a text holding one ("1"); an empty text is no value.
    const double number = toDouble(value);
    if (number != std::floor(number))
        raiseFormsError(InvalidPropertyValue);
    setCheckValue(static_cast<int>(number));
}

} // namespace forms
