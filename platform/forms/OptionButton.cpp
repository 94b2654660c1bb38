#include "OptionButton.h"

#include "AccessKey.h"

namespace forms {

// The group is kept by the control; the user's click only ever selects.
class OptionButton::Button : public QRadioButton {
public:
    explicit Button(OptionButton& owner) : owner_(owner) { setAutoExclusive(false); }

protected:
    void nextCheckState() override {
        runFromWindowSystem("Click", [this] { owner_.setSelected(true); });
        setChecked(owner_.isSelected());
    }

private:
    OptionButton& owner_;
};

OptionButton::OptionButton(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::OptionButton, place.name, place.index, place.container, place.tab),
      button_(new Button(*this)) {
    button_->setFocusPolicy(Qt::StrongFocus);
    attachWidget(button_);
}

void OptionButton::setCaption(const QString& caption) {
    caption_ = caption;
    button_->setText(toQtMnemonic(caption));
}

void OptionButton::showSelected(bool selected) {
    const QSignalBlocker blocker(button_);
    button_->setChecked(selected);
}

void OptionButton::clearSiblings() {
    for (Control* control : form().controls()) {
        auto* other = dynamic_cast<OptionButton*>(control);
        if (other == nullptr || other == this || !other->selected_)
            continue;
        if (other->container() != container() || other->containerTab() != containerTab())
            continue;
        other->selected_ = false;
        other->showSelected(false);
        other->markChanged();
    }
}

void OptionButton::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    showSelected(selected);
    markChanged();
    if (!selected)
        return;
    clearSiblings();
    onClick();
}

void OptionButton::setValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("#TRUE#"), Qt::CaseInsensitive) == 0 ||
            text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) {
            setSelected(true);
            return;
        }
        if (text.compare(QStringLiteral("#FALSE#"), Qt::CaseInsensitive) == 0 ||
            text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) {
            setSelected(false);
            return;
        }
    }
    setSelected(toDouble(value) != 0);
}

} // namespace forms
