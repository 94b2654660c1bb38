#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <vector>

namespace printing {

// How a piece of text is printed.
struct TextStyle {
    QString family = QStringLiteral("Arial");
    double points = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = Qt::black;

    bool operator==(const TextStyle&) const = default;
};

// The font of a style, sized in twips (a pixel size of points x 20), so that
// its metrics measure in twips whatever device the text ends on.
QFont twipsFont(const TextStyle& style);

struct TextRun {
    QString text;
    TextStyle style;

    bool operator==(const TextRun&) const = default;
};

// Splits a text carrying the markup subset into runs of one style each.
// A group "{\b\i\ul\fs24 text}" changes the style for its text: \b bold,
// \i italic, \ul underline, \fsN N half points; "\b0", "\i0" and "\ul0" turn
// a mark off again, and groups nest. One blank after the control words
// belongs to them. "\{", "\}" and "\\" stand for the character. Anything
// else is text as it stands: a brace not opening a group of control words,
// a closing brace with no group open, an unknown control word (dropped with
// its digits) and an unclosed group (it runs to the end). Adjacent runs of
// one style are joined; empty runs are left out.
std::vector<TextRun> parseRichText(const QString& text, const TextStyle& base);

// The text of the runs without their markup.
QString plainText(const std::vector<TextRun>& runs);

} // namespace printing
