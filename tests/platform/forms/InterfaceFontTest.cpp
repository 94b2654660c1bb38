#include "forms/Form.h"
#include "forms/InterfaceFont.h"
#include "forms/Label.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <numeric>

namespace {

using namespace forms;

// Helvetica's published advances, in thousandths of an em, of the letters of
// "etaoin shrdlu" (the faces the layouts were drawn for share them).
double helveticaEmsOfReferenceText() {
    const int advances[] = {556, 278, 556, 556, 222, 556, 278, 500, 556, 333, 556, 222, 556};
    return std::accumulate(std::begin(advances), std::end(advances), 0) / 1000.0;
}

TEST(InterfaceFont, ControlsShowTheLayoutsEightPointFaceAtItsWidths) {
    Form form(QStringLiteral("frmMain"));
    auto& label = form.add<Label>({QStringLiteral("lblStandardOCD")});
    const QFont font = label.widget()->font();
    // 8.25 points at 96 pixels an inch.
    EXPECT_EQ(QFontInfo(font).pixelSize(), 11);
    const double width = QFontMetricsF(font).horizontalAdvance(QStringLiteral("etaoin shrdlu"));
    const double expected = helveticaEmsOfReferenceText() * 11;
    EXPECT_NEAR(width, expected, expected * 0.05) << QFontInfo(font).family().toStdString();
}

TEST(InterfaceFont, AControlsOwnFontStays) {
    Form form(QStringLiteral("frmAGMA"));
    auto& label = form.add<Label>({QStringLiteral("lblKoHeading")});
    QFont own(QStringLiteral("DejaVu Sans Mono"));
    own.setPointSize(12);
    label.setFont(own);
    form.show();
    EXPECT_EQ(label.widget()->font().pointSize(), 12);
    EXPECT_EQ(label.widget()->font().family(), own.family());
    form.hide();
}

} // namespace
