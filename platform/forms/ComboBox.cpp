#include "ComboBox.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace forms {

namespace {

// A combo whose current text is a little too wide for it shows that text in
// a narrowed face (down to 85 % of the window font's width) rather than
// cutting it off; one that fits shows the window's font unchanged.
class FittingCombo : public QComboBox {
public:
    FittingCombo() {
        QObject::connect(this, &QComboBox::currentTextChanged, this, [this] { refit(); });
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QComboBox::resizeEvent(event);
        refit();
    }
    void changeEvent(QEvent* event) override {
        QComboBox::changeEvent(event);
        if (event->type() == QEvent::ParentChange || event->type() == QEvent::StyleChange ||
            event->type() == QEvent::FontChange)
            refit();
    }

private:
    void refit() {
        if (refitting_)
            return;
        const QScopedValueRollback refittingNow(refitting_, true);
        const QFont base = parentWidget() != nullptr ? parentWidget()->font() : QApplication::font();
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const int room = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this).width() -
                         (isEditable() ? 4 : 0);
        const int needed = QFontMetrics(base).horizontalAdvance(currentText());
        if (needed <= room || room <= 0) {
            if (testAttribute(Qt::WA_SetFont))
                setFont(QFont());
        } else {
            const int baseStretch = base.stretch() > 0 ? base.stretch() : 100;
            const int least = baseStretch * 85 / 100;
            int stretch = std::max(least, baseStretch * room / needed);
            QFont narrowed = base;
            // Rounding of glyph advances: narrow a step further until it fits.
            for (narrowed.setStretch(stretch); stretch > least && QFontMetrics(narrowed).horizontalAdvance(currentText()) > room;
                 narrowed.setStretch(--stretch)) {
            }
            setFont(narrowed);
        }
    }

    bool refitting_ = false;
};

} // namespace

ComboBox::ComboBox(Form& form, const ControlPlace& place, ComboStyle style)
    : Control(form, ControlKind::ComboBox, place.name, place.index, place.container, place.tab),
      combo_(new FittingCombo), style_(style) {
    combo_->setFocusPolicy(Qt::StrongFocus);
    combo_->setEditable(style == ComboStyle::DropdownCombo);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(combo_, &QComboBox::activated, combo_, [this](int position) { userChose(position); });
    if (QLineEdit* edit = combo_->lineEdit())
        QObject::connect(edit, &QLineEdit::textEdited, combo_, [this](const QString& text) { userTyped(text); });
    attachWidget(combo_);
}

QWidget* ComboBox::keyTarget() const {
    if (combo_->lineEdit() != nullptr)
        return combo_->lineEdit();
    return combo_;
}

void ComboBox::checkPosition(int position) const {
    if (position < 0 || position >= listCount())
        raiseFormsError(InvalidPropertyArrayIndex);
}

QString ComboBox::list(int position) const {
    checkPosition(position);
    return items_[static_cast<std::size_t>(position)].text;
}

void ComboBox::setList(int position, const QString& text) {
    checkPosition(position);
    items_[static_cast<std::size_t>(position)].text = text;
    {
        const QScopedValueRollback syncingNow(syncing_, true);
        combo_->setItemText(position, text);
    }
    showSelection();
}

void ComboBox::addItem(const QString& text, int position) {
    if (position < -1 || position > listCount())
        raiseFormsError(InvalidPropertyValue);
    const int at = position < 0 ? listCount() : position;
    items_.insert(items_.begin() + at, Item{text, 0});
    if (listIndex_ >= at)
        ++listIndex_;
    {
        const QScopedValueRollback syncingNow(syncing_, true);
        combo_->insertItem(at, text);
    }
    showSelection();
}

void ComboBox::removeItem(int position) {
    if (position < 0 || position >= listCount())
        runtime::raise(runtime::InvalidProcedureCall);
    items_.erase(items_.begin() + position);
    if (listIndex_ == position)
        listIndex_ = -1;
    else if (listIndex_ > position)
        --listIndex_;
    {
        const QScopedValueRollback syncingNow(syncing_, true);
        combo_->removeItem(position);
    }
    showSelection();
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    {
        const QScopedValueRollback syncingNow(syncing_, true);
        combo_->clear();
    }
    if (style_ == ComboStyle::DropdownCombo)
        editText_.clear();
    showSelection();
}

int ComboBox::itemData(int position) const {
    checkPosition(position);
    return items_[static_cast<std::size_t>(position)].data;
}

void ComboBox::setItemData(int position, int data) {
    checkPosition(position);
    items_[static_cast<std::size_t>(position)].data = data;
}

void ComboBox::showSelection() {
    // Qt selects the first item of a list by itself; the kept index rules.
    const QSignalBlocker blocker(combo_);
    combo_->setCurrentIndex(listIndex_);
    if (combo_->lineEdit() != nullptr)
        combo_->lineEdit()->setText(text());
}

void ComboBox::setListIndex(int position) {
    if (position < -1 || position >= listCount())
        raiseFormsError(InvalidPropertyValue);
    if (position == listIndex_)
        return;
    listIndex_ = position;
    // A combo's text follows its selection; no selection leaves an empty box.
    if (style_ == ComboStyle::DropdownCombo)
        editText_ = position >= 0 ? items_[static_cast<std::size_t>(position)].text : QString();
    showSelection();
    markChanged();
    onClick();
}

QString ComboBox::text() const {
    if (style_ == ComboStyle::DropdownCombo)
        return editText_;
    return listIndex_ >= 0 ? items_[static_cast<std::size_t>(listIndex_)].text : QString();
}

void ComboBox::setText(const QString& text) {
    if (style_ == ComboStyle::DropdownList) {
        if (text.isEmpty() && listIndex_ < 0)
            return;
        const auto it = std::find_if(items_.begin(), items_.end(),
                                     [&](const Item& item) { return item.text.compare(text, Qt::CaseInsensitive) == 0; });
        if (it == items_.end())
            raiseFormsError(PropertyReadOnly);
        setListIndex(static_cast<int>(it - items_.begin()));
        return;
    }
    if (text == editText_)
        return;
    editText_ = text;
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.text == text; });
    listIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    showSelection();
    markChanged();
    onChange();
}

void ComboBox::userChose(int position) {
    if (syncing_)
        return;
    runFromWindowSystem("Click", [this, position] { setListIndex(position); });
}

void ComboBox::userTyped(const QString& text) {
    if (syncing_ || text == editText_)
        return;
    editText_ = text;
    listIndex_ = -1;
    markChanged();
    runFromWindowSystem("Change", [this] { onChange(); });
}

void ComboBox::setValue(const QVariant& value) {
    if (!value.canConvert<QString>())
        runtime::raise(runtime::TypeMismatch);
    setText(value.toString());
}

} // namespace forms
