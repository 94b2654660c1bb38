#include "TextBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace forms {

namespace {

QString toWindowsLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString toDisplayedLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

TextBox::TextBox(Form& form, const ControlPlace& place, TextBoxLines lines)
    : Control(form, ControlKind::TextBox, place.name, place.index, place.container, place.tab) {
    QWidget* widget = nullptr;
    if (lines == TextBoxLines::Multi) {
        plain_ = new QPlainTextEdit;
        plain_->setTabChangesFocus(true);
        plain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        plain_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QObject::connect(plain_, &QPlainTextEdit::textChanged, plain_, [this] { typedTextChanged(); });
        widget = plain_;
    } else {
        line_ = new QLineEdit;
        QObject::connect(line_, &QLineEdit::textChanged, line_, [this] { typedTextChanged(); });
        widget = line_;
    }
    widget->setFocusPolicy(Qt::StrongFocus);
    attachWidget(widget);
    onGotFocus.connect([this] { typedSinceFocus_ = false; });
}

QWidget* TextBox::keyTarget() const {
    if (plain_ != nullptr)
        return plain_;
    return line_;
}

QString TextBox::widgetText() const {
    return plain_ != nullptr ? toWindowsLineBreaks(plain_->toPlainText()) : line_->text();
}

QString TextBox::limited(const QString& text) const {
    return maxLength_ > 0 && text.size() > maxLength_ ? text.left(maxLength_) : text;
}

void TextBox::showText(const QString& text) {
    const QScopedValueRollback settingNow(settingFromCode_, true);
    if (plain_ != nullptr)
        plain_->setPlainText(toDisplayedLineBreaks(text));
    else
        line_->setText(text);
}

void TextBox::setText(const QString& text) {
    const QString wanted = limited(text);
    if (wanted == text_)
        return;
    text_ = wanted;
    showText(wanted);
    markChanged();
    onChange();
}

void TextBox::typedTextChanged() {
    if (settingFromCode_)
        return;
    QString typed = widgetText();
    if (plain_ != nullptr && maxLength_ > 0 && typed.size() > maxLength_) {
        // A multi-line box has no length limit of its own: cut what was typed.
        typed = typed.left(maxLength_);
        showText(typed);
        plain_->moveCursor(QTextCursor::End);
    }
    // The text shown may differ from the text kept only in its line breaks.
    if (toDisplayedLineBreaks(typed) == toDisplayedLineBreaks(text_) && plain_ != nullptr)
        return;
    if (typed == text_)
        return;
    text_ = typed;
    typedSinceFocus_ = true;
    markChanged();
    runFromWindowSystem("Change", [this] { onChange(); });
}

void TextBox::setLocked(bool locked) {
    locked_ = locked;
    if (plain_ != nullptr)
        plain_->setReadOnly(locked);
    else
        line_->setReadOnly(locked);
}

void TextBox::setMaxLength(int length) {
    if (length < 0)
        raiseFormsError(InvalidPropertyValue);
    maxLength_ = length;
    if (line_ != nullptr)
        line_->setMaxLength(length == 0 ? 32767 : length);
}

void TextBox::setAlignment(Qt::Alignment alignment) {
    if (line_ != nullptr)
        line_->setAlignment(alignment);
}

void TextBox::setScrollBars(bool horizontal, bool vertical) {
    if (plain_ == nullptr)
        return;
    plain_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    plain_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    plain_->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

// Selections count characters of the text as kept, CR LF being two.
namespace {

int shownPosition(const QString& kept, int position) {
    return position - static_cast<int>(kept.left(position).count(QStringLiteral("\r\n")));
}

int keptPosition(const QString& kept, int shown) {
    int position = 0;
    int seen = 0;
    while (position < kept.size() && seen < shown) {
        if (kept.mid(position, 2) == QStringLiteral("\r\n"))
            position += 2;
        else
            ++position;
        ++seen;
    }
    return position;
}

} // namespace

int TextBox::selStart() const {
    if (line_ != nullptr)
        return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    return keptPosition(text_, plain_->textCursor().selectionStart());
}

int TextBox::selLength() const {
    if (line_ != nullptr)
        return static_cast<int>(line_->selectedText().size());
    const QTextCursor cursor = plain_->textCursor();
    return keptPosition(text_, cursor.selectionEnd()) - keptPosition(text_, cursor.selectionStart());
}

QString TextBox::selText() const { return text_.mid(selStart(), selLength()); }

void TextBox::select(int start, int length) {
    start = std::clamp(start, 0, static_cast<int>(text_.size()));
    length = std::clamp(length, 0, static_cast<int>(text_.size()) - start);
    if (line_ != nullptr) {
        line_->setSelection(start, length);
        if (length == 0)
            line_->setCursorPosition(start);
        return;
    }
    QTextCursor cursor = plain_->textCursor();
    cursor.setPosition(shownPosition(text_, start));
    cursor.setPosition(shownPosition(text_, start + length), QTextCursor::KeepAnchor);
    plain_->setTextCursor(cursor);
}

void TextBox::setSelStart(int start) {
    if (start < 0)
        raiseFormsError(InvalidPropertyValue);
    select(start, 0);
}

void TextBox::setSelLength(int length) {
    if (length < 0)
        raiseFormsError(InvalidPropertyValue);
    select(selStart(), length);
}

void TextBox::setSelText(const QString& text) {
    const int start = selStart();
    QString changed = text_;
    changed.replace(start, selLength(), text);
    setText(changed);
    select(start + static_cast<int>(text.size()), 0);
}

void TextBox::setValue(const QVariant& value) {
    if (!value.canConvert<QString>())
        runtime::raise(runtime::TypeMismatch);
    setText(value.toString());
}

} // namespace forms
