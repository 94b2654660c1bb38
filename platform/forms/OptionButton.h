#pragma once

#include "Control.h"
#include "Form.h"

#include <QRadioButton>

namespace forms {

// An option button, exclusive within its container (frame, picture box, tab
// or the window). Setting it from code raises Click as a user's choice does;
// selecting the one already selected raises nothing. Code may also clear it,
// leaving no option of the group selected.
class OptionButton : public Control {
public:
    OptionButton(Form& form, const ControlPlace& place);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    ValueKind valueKind() const override { return ValueKind::Boolean; }
    QVariant value() const override { return selected_; }
    void setValue(const QVariant& value) override;

private:
    class Button;
    void clearSiblings();
    void showSelected(bool selected);

    Button* button_;
    QString caption_;
    bool selected_ = false;
};

} // namespace forms
