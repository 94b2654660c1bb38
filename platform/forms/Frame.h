#pragma once

#include "Control.h"
#include "Form.h"

#include <QGroupBox>

namespace forms {

// A captioned container; its option buttons form one group. Without a border
// it is an invisible holder of controls.
class Frame : public Control {
public:
    Frame(Form& form, const ControlPlace& place);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool border() const { return border_; }
    void setBorder(bool border);

    QWidget* childArea(int tab) const override;
    bool clickComesFromMouse() const override { return true; }

private:
    QGroupBox* box_;
    QString caption_;
    bool border_ = true;
};

} // namespace forms
