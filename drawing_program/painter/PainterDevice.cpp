#include "painter/PainterDevice.h"

#include <QFontMetrics>

#include <algorithm>
#include <QPainter>
#include <QPolygon>

namespace vantrope {

QColor colorFromNumber(std::int32_t color)
{
    auto bits = static_cast<std::uint32_t>(color);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

namespace {

Qt::PenStyle penStyle(std::int32_t style)
{
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QString textOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PainterDevice::PainterDevice(QPainter& painter, const PenTable& pens) : DrawDevice(pens), painter_(painter)
{
    painter_.setBrush(Qt::NoBrush);
    applyPen();
}

void PainterDevice::applyPen()
{
    const Pen* pen = pens().find(selected_);
    Pen used = pen ? *pen : Pen{};
    // Widths beyond a page are not drawable; negative ones mean the thinnest.
    int width = std::clamp(used.width, 0, 1000);
    QPen qpen(colorFromNumber(used.color), width, penStyle(used.style));
    qpen.setCosmetic(width == 0);
    painter_.setPen(qpen);
}

PenHandle PainterDevice::SelectObject(PenHandle pen)
{
    PenHandle previous = selected_;
    selected_ = pen;
    applyPen();
    return previous;
}

void PainterDevice::MoveToEx(std::int32_t x, std::int32_t y)
{
    currentX_ = x;
    currentY_ = y;
}

void PainterDevice::LineTo(std::int32_t x, std::int32_t y)
{
    painter_.drawLine(currentX_, currentY_, x, y);
    currentX_ = x;
    currentY_ = y;
}

void PainterDevice::Polyline(std::span<const DevicePoint> points)
{
    if (points.size() < 2)
        return;
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    painter_.drawPolyline(polygon);
}

void PainterDevice::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    painter_.setBrush(Qt::NoBrush);
    // The box excludes its right and bottom edges; Qt's outline covers
    // left to left + width, so the width given is one less.
    int width = std::max(right - left - 1, 0);
    int height = std::max(bottom - top - 1, 0);
    painter_.drawEllipse(QRect(left, top, width, height));
}

void PainterDevice::SetTextColor(std::int32_t color)
{
    textColor_ = colorFromNumber(color);
}

TextSize PainterDevice::GetTextExtentPoint32A(std::string_view text)
{
    QFontMetrics metrics(painter_.font());
    return {metrics.horizontalAdvance(textOf(text)), metrics.height()};
}

void PainterDevice::DrawTextA(std::string_view text, DeviceRect box)
{
    if (text.empty())
        return;
    QPen kept = painter_.pen();
    painter_.setPen(textColor_);
    painter_.drawText(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, textOf(text));
    painter_.setPen(kept);
}

} // namespace vantrope
