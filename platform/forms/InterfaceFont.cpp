#include "InterfaceFont.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace forms {

namespace {

// 8.25 points is 11 pixels at the layouts' 96 pixels an inch.
constexpr double interfacePoints = 8.25;

} // namespace

QFont interfaceFont() {
    const QStringList faces = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")};
    QFont font(faces.front());
    font.setFamilies(faces);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(interfacePoints);
    if (faces.contains(QFontInfo(font).family()))
        return font;
    // Another face: stretched to the reference widths, within what still reads well.
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(QString::fromLatin1(referenceText));
    const double wanted = referenceTextEms * QFontInfo(font).pixelSize();
    if (width > 0) {
        const int stretch = static_cast<int>(std::lround(100 * wanted / width));
        font.setStretch(std::clamp(stretch, 75, 125));
    }
    return font;
}

} // namespace forms
