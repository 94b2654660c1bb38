#pragma once

#include "Control.h"
#include "Form.h"

#include <QCheckBox>

namespace forms {

namespace CheckValue {
inline constexpr int Unchecked = 0, Checked = 1, Grayed = 2;
}

// A check box: Value 0 unchecked, 1 checked, 2 grayed. Click runs whenever the
// value changes, by the user or by code; an unchanged write runs nothing.
class CheckBox : public Control {
public:
    CheckBox(Form& form, const ControlPlace& place);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    int checkValue() const { return value_; }
    // Values other than 0, 1 and 2 raise run-time error 380.
    void setCheckValue(int value);

    ValueKind valueKind() const override { return ValueKind::Number; }
    QVariant value() const override { return value_; }
    void setValue(const QVariant& value) override;

private:
    class Box;
    void userClicked();

    Box* box_;
    QString caption_;
    int value_ = CheckValue::Unchecked;
};

} // namespace forms
