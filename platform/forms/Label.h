#pragma once

#include "Control.h"
#include "Form.h"

#include <QLabel>

namespace forms {

// A caption. Its Change event runs at once whenever the caption really
// changes, whoever changes it; writing the caption it holds runs nothing.
class Label : public Control {
public:
    Label(Form& form, const ControlPlace& place);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    Qt::Alignment alignment() const;
    void setAlignment(Qt::Alignment alignment);
    void setWordWrap(bool wrap);
    // With a transparent back style the container shows through.
    void setTransparent(bool transparent);
    void setBorder(bool border);

    ValueKind valueKind() const override { return ValueKind::Text; }
    QVariant value() const override { return caption_; }
    void setValue(const QVariant& value) override;
    bool clickComesFromMouse() const override { return true; }

    Event<> onChange;

private:
    QLabel* label_;
    QString caption_;
};

} // namespace forms
