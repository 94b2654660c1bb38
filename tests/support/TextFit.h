#pragma once

#include "forms/Form.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

#include <string>
#include <vector>

// Whether the texts a window shows fit their controls, measured as the
// controls draw them: by each control's own font and the room its style
// leaves for text. Only controls that show count (a hidden panel or another
// tab's page does not), and only texts a user reads there: captions of
// labels, buttons, check boxes and option buttons, a combo's current text and
// a one-line text box's text.
namespace textfit {

struct Cut {
    std::string control; // "frmMain.lblStandardOCD"
    std::string text;
    int needed = 0; // pixels wide (or high, for a wrapped label) the text needs
    int room = 0;   // pixels the control gives it
};

inline std::string describe(const std::vector<Cut>& cuts)
{
    std::string text;
    for (const Cut& cut : cuts)
        text += "  " + cut.control + " \"" + cut.text + "\": needs " + std::to_string(cut.needed) + " px, has " +
                std::to_string(cut.room) + "\n";
    return text;
}

namespace detail {

// A caption as drawn: "&&" is an ampersand, a lone "&" marks the access key.
inline QString shownCaption(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// Width of the widest line and height of all lines, unwrapped.
inline QSize linesSize(const QFontMetrics& metrics, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return {width, static_cast<int>(lines.size()) * metrics.height()};
}

// spare: pixels the text must leave free in each direction.
inline void check(std::vector<Cut>& cuts, const forms::Control& control, const QString& text, QSize needed,
                  QSize room, int spare)
{
    if (text.trimmed().isEmpty())
        return;
    const QString name = control.form().name() + QLatin1Char('.') + control.displayName();
    if (needed.width() + spare > room.width())
        cuts.push_back({name.toStdString(), text.toStdString(), needed.width() + spare, room.width()});
    else if (needed.height() + spare > room.height())
        cuts.push_back({name.toStdString(), text.toStdString(), needed.height() + spare, room.height()});
}

inline void checkLabel(std::vector<Cut>& cuts, const forms::Control& control, const QLabel& label, int spare)
{
    const QFontMetrics metrics(label.font());
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    const QString text = label.text();
    if (label.wordWrap()) {
        // Wrapped, the lines must fit in height, and no word may be wider than the label.
        const QRect used = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                                static_cast<int>(label.alignment()) | Qt::TextWordWrap, text);
        check(cuts, control, text, used.size(), room.size(), spare);
    } else {
        check(cuts, control, text, linesSize(metrics, text), room.size(), spare);
    }
}

inline void checkButton(std::vector<Cut>& cuts, const forms::Control& control, const QAbstractButton& button,
                        int spare)
{
    QStyleOptionButton style;
    style.initFrom(&button);
    style.text = button.text();
    style.icon = button.icon();
    style.iconSize = button.iconSize();
    const QFontMetrics metrics(button.font());
    const QString text = shownCaption(button.text());
    QRect room;
    const bool box = qobject_cast<const QCheckBox*>(&button) != nullptr;
    const bool circle = qobject_cast<const QRadioButton*>(&button) != nullptr;
    if (box || circle) {
        room = button.style()->subElementRect(box ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents,
                                              &style, &button);
        if (room.width() <= 0)
            return; // only as wide as its box or circle: drawn to show no caption
    } else {
        room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &style, &button);
        // The style keeps a margin on each side of a push button's caption.
        const int margin = button.style()->pixelMetric(QStyle::PM_ButtonMargin, &style, &button);
        room.adjust(margin / 2, 0, -margin / 2, 0);
    }
    check(cuts, control, text, linesSize(metrics, text), room.size(), spare);
}

inline void checkCombo(std::vector<Cut>& cuts, const forms::Control& control, const QComboBox& combo, int spare)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    option.currentText = combo.currentText();
    const QRect room = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    const QFontMetrics metrics(combo.font());
    // An editable combo's text is a line edit, with its own small margin.
    const int margin = combo.isEditable() ? 4 : 0;
    check(cuts, control, combo.currentText(), QSize(metrics.horizontalAdvance(combo.currentText()) + margin, 0),
          QSize(room.width(), room.height()), spare);
}

inline void checkLine(std::vector<Cut>& cuts, const forms::Control& control, const QLineEdit& line, int spare)
{
    QStyleOptionFrame option;
    option.initFrom(&line);
    option.lineWidth = line.hasFrame() ? line.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &line) : 0;
    QRect room = line.style()->subElementRect(QStyle::SE_LineEditContents, &option, &line);
    const QMargins margins = line.textMargins();
    room = room.marginsRemoved(margins);
    // A line edit keeps two pixels free on each side of its text.
    constexpr int lineEditMargin = 2;
    room.adjust(lineEditMargin, 0, -lineEditMargin, 0);
    const QFontMetrics metrics(line.font());
    check(cuts, control, line.text(), QSize(metrics.horizontalAdvance(line.text()), metrics.height()), room.size(),
          spare);
}

} // namespace detail

// Adds the control's text when it shows and does not fit, with spare pixels
// left free in each direction.
inline void checkControl(std::vector<Cut>& cuts, const forms::Control& control, int spare = 0)
{
    const QWidget* widget = control.widget();
    if (widget == nullptr || !widget->isVisible())
        return;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        detail::checkLabel(cuts, control, *label, spare);
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        detail::checkButton(cuts, control, *button, spare);
    else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        detail::checkCombo(cuts, control, *combo, spare);
    else if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        detail::checkLine(cuts, control, *line, spare);
}

// The texts of a shown window that do not fit their controls.
inline std::vector<Cut> cutTexts(forms::Form& form)
{
    std::vector<Cut> cuts;
    for (forms::Control* control : form.controls())
        checkControl(cuts, *control);
    return cuts;
}

} // namespace textfit
