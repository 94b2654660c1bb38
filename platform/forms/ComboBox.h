#pragma once

#include "Control.h"
#include "Form.h"

#include <QComboBox>

namespace forms {

enum class ComboStyle { DropdownCombo = 0, DropdownList = 2 };

// A combo box: a drop-down list, or a drop-down combo whose text can be typed.
// ListIndex -1 is no selection. Setting ListIndex from code raises Click as a
// user's choice does; an unchanged write raises nothing.
class ComboBox : public Control {
public:
    ComboBox(Form& form, const ControlPlace& place, ComboStyle style = ComboStyle::DropdownList);

    ComboStyle style() const { return style_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    // The item at a position; raises run-time error 381 outside the list.
    QString list(int position) const;
    void setList(int position, const QString& text);
    // Adds at the end, or before the given position.
    void addItem(const QString& text, int position = -1);
    void removeItem(int position);
    void clear();
    int itemData(int position) const;
    void setItemData(int position, int data);

    int listIndex() const { return listIndex_; }
    // -1 to listCount-1; anything else raises run-time error 380.
    void setListIndex(int position);
    // A list's Text is its selected item; a combo's is the text in its box.
    QString text() const;
    // On a list, the text must name an item (run-time error 383 otherwise).
    void setText(const QString& text);

    ValueKind valueKind() const override { return ValueKind::Text; }
    QVariant value() const override { return text(); }
    void setValue(const QVariant& value) override;
    QWidget* keyTarget() const override;

    Event<> onChange; // the typed text of a drop-down combo changed

private:
    struct Item {
        QString text;
        int data = 0;
    };
    void checkPosition(int position) const;
    void showSelection();
    void userChose(int position);
    void userTyped(const QString& text);

    QComboBox* combo_;
    ComboStyle style_;
    std::vector<Item> items_;
    int listIndex_ = -1;
    QString editText_;
    bool syncing_ = false;
};

} // namespace forms
