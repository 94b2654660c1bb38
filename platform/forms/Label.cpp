#include "Label.h"

#include "AccessKey.h"

namespace forms {

Label::Label(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::Label, place.name, place.index, place.container, place.tab), label_(new QLabel) {
    label_->setTextFormat(Qt::PlainText);
    label_->setFocusPolicy(Qt::NoFocus);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A caption wider than its label goes on at the next line, as the
    // layouts' labels were drawn; lines beyond the label's height are cut.
    label_->setWordWrap(true);
    attachWidget(label_);
}

void Label::setCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    showCaption();
    markChanged();
    onChange();
}

void Label::setNext(QWidget* next) {
    next_ = next;
    showCaption();
}

void Label::showCaption() {
    // Only a label with a control to hand the focus to takes its access key;
    // any other shows its caption bare, as does one whose "&" stands before
    // no letter or digit (a name shown, "R & D"), which would take a key of
    // no use.
    const bool keyed = !next_.isNull() && accessKey(caption_).isLetterOrNumber();
    // Captions change often (results shown); the shortcut is made anew only
    // when the key comes or goes.
    if (QWidget* buddy = keyed ? next_.data() : nullptr; buddy != label_->buddy())
        label_->setBuddy(buddy);
    label_->setText(keyed ? toQtMnemonic(caption_) : displayedCaption(caption_));
}

Qt::Alignment Label::alignment() const { return label_->alignment(); }
void Label::setAlignment(Qt::Alignment alignment) { label_->setAlignment(alignment); }
void Label::setWordWrap(bool wrap) { label_->setWordWrap(wrap); }

void Label::setTransparent(bool transparent) {
    label_->setAutoFillBackground(!transparent);
}

void Label::setBorder(bool border) { label_->setFrameStyle(border ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame); }

void Label::setValue(const QVariant& value) {
    if (!value.canConvert<QString>())
        runtime::raise(runtime::TypeMismatch);
    setCaption(value.toString());
}

} // namespace forms
