#include "frmHeatTreatTypes.h"

#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"

#include <QPainter>
#include <QPainterPath>

namespace cindrel::agma {

namespace {

QString q(const char* text) { return QString::fromLatin1(text); }

// One tooth between two root fillets, in a 100 × 100 box, tip up.
QPainterPath toothOutline() {
    QPainterPath tooth;
    tooth.moveTo(0, 92);
    tooth.quadTo(18, 92, 22, 80); // root fillet
    tooth.lineTo(38, 12);         // flank
    tooth.quadTo(50, 6, 62, 12);  // tip
    tooth.lineTo(78, 80);
    tooth.quadTo(82, 92, 100, 92);
    return tooth;
}

// The hardened case: along flanks and roots (type A) or along the flanks
// only, fading out above the root (type B); depth grows with `depth` 0..2.
void paintPattern(QPainter& painter, const QRectF& area, bool roots, int depth) {
    painter.fillRect(area, Qt::white);
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(area.width() / 100.0, area.height() / 100.0);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = toothOutline();
    QPainterPath body = outline;
    body.lineTo(100, 100);
    body.lineTo(0, 100);
    body.closeSubpath();
    painter.fillPath(body, QColor(0xd9, 0xd9, 0xd9));
    painter.setClipPath(body);
    QPen hardened(QColor(0xb0, 0x30, 0x20));
    hardened.setWidthF(6 + 5 * depth);
    painter.setPen(hardened);
    if (roots) {
        painter.drawPath(outline);
    } else {
        QPainterPath flanks;
        flanks.moveTo(26, 68);
        flanks.lineTo(38, 12);
        flanks.quadTo(50, 6, 62, 12);
        flanks.lineTo(74, 68);
        painter.drawPath(flanks);
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawPath(outline);
    painter.restore();
}

} // namespace

void frmHeatTreatTypes::define(forms::Forms& windows) {
    if (!windows.isDefined(WindowName))
        windows.define(WindowName, [](forms::Form& form) { build(form); });
}

void frmHeatTreatTypes::show(forms::Forms& windows) {
    define(windows);
    windows[WindowName].show(forms::Modality::Modeless, nullptr);
}

void frmHeatTreatTypes::build(forms::Form& form) {
    form.setCaption(QStringLiteral("Heat Treat Types"));
    form.move(0, 0, 6300, 4500);
    static const char* const captions[] = {"Type A, Flanks and Roots of teeth are hardened.",
                                           "Type B, Only the flanks of the teeth are hardened."};
    static const char* const pictures[] = {"imgFlank", "imgSpin"};
    for (int type : {0, 1}) {
        const double top = 120 + type * 2040;
        auto& caption = form.add<forms::Label>({q("lblType"), type});
        caption.setCaption(q(captions[type]));
        caption.move(120, top, 6000, 300);
        for (int k = 0; k < 3; ++k) {
            auto& picture = form.add<forms::PictureBox>({q(pictures[type]), k});
            picture.move(120 + k * 2040, top + 360, 1800, 1560);
            const bool roots = type == 0;
            picture.setPainter([&picture, roots, k](QPainter& painter) {
                paintPattern(painter, QRectF(0, 0, picture.widget()->width(), picture.widget()->height()), roots, k);
            });
        }
    }
}

} // namespace cindrel::agma
