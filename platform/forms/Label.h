#pragma once

#include "Control.h"
#include "Form.h"

#include <QLabel>
#include <QPointer>

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
    // The control the label's access key moves the focus to: the one that
    // follows it in the window's order. A caption's access key (a letter or
    // digit) is shown underlined and acts once the label has one.
    void setNext(QWidget* next);
    QWidget* next() const { return next_; }

    ValueKind valueKind() const override { return ValueKind::Text; }
    QVariant value() const override { return caption_; }
    void setValue(const QVariant& value) override;
    bool clickComesFromMouse() const override { return true; }

    Event<> onChange;

private:
    void showCaption();

    QLabel* label_;
    QPointer<QWidget> next_;
    QString caption_;
};

} // namespace forms
