#pragma once

#include "Control.h"
#include "Form.h"

#include <QPushButton>

namespace forms {

// A push button. Default: Enter on the window presses it (unless the focus is
// on another button or in a multi-line box); Cancel: Escape presses it.
class CommandButton : public Control {
public:
    CommandButton(Form& form, const ControlPlace& place);
    ~CommandButton() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool isDefault() const { return default_; }
    void setDefault(bool isDefault);
    bool isCancel() const { return cancel_; }
    void setCancel(bool isCancel);
    // Presses the button from code: runs Click.
    void click();

private:
    QPushButton* button_;
    QString caption_;
    bool default_ = false;
    bool cancel_ = false;
};

} // namespace forms
