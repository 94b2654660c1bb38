#pragma once

#include "Control.h"
#include "Form.h"

class QLineEdit;
class QPlainTextEdit;

namespace forms {

enum class TextBoxLines { Single, Multi };

// An input box, single- or multi-line (fixed when created). Change runs when
// the text really changes, typed or set by code. A multi-line box reads its
// line breaks as CR LF, and code may write either form.
class TextBox : public Control {
public:
    TextBox(Form& form, const ControlPlace& place, TextBoxLines lines = TextBoxLines::Single);

    QString text() const { return text_; }
    void setText(const QString& text);
    bool multiLine() const { return plain_ != nullptr; }
    bool locked() const { return locked_; }
    void setLocked(bool locked);
    // 0: no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);
    void setAlignment(Qt::Alignment alignment);
    void setScrollBars(bool horizontal, bool vertical);

    int selStart() const;
    int selLength() const;
    QString selText() const;
    void setSelStart(int start);
    void setSelLength(int length);
    // Replaces the selection (or inserts at the caret).
    void setSelText(const QString& text);

    ValueKind valueKind() const override { return ValueKind::Text; }
    QVariant value() const override { return text_; }
    void setValue(const QVariant& value) override;
    QWidget* keyTarget() const override;

    // Whether the user changed the text since the box last got the focus (a
    // write by code never counts).
    bool typedSinceFocus() const { return typedSinceFocus_; }

    Event<> onChange;

private:
    void typedTextChanged();
    QString widgetText() const;
    void showText(const QString& text);
    void select(int start, int length);
    QString limited(const QString& text) const;

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
    QString text_;
    bool locked_ = false;
    int maxLength_ = 0;
    bool settingFromCode_ = false;
    bool typedSinceFocus_ = false;
};

} // namespace forms
