#pragma once

#include "drawing/DrawDevice.h"

#include <QColor>

class QPainter;

namespace vantrope {

// A colour number (red + 256 green + 65536 blue) as a QColor.
QColor colorFromNumber(std::int32_t color);

// The drawing device on an active QPainter. The painter's own pen and
// brush are replaced by the device's; outlines are drawn with no brush.
class PainterDevice : public DrawDevice {
public:
    PainterDevice(QPainter& painter, const PenTable& pens);

    PenHandle SelectObject(PenHandle pen) override;
    void MoveToEx(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Polyline(std::span<const DevicePoint> points) override;
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void SetTextColor(std::int32_t color) override;
    TextSize GetTextExtentPoint32A(std::string_view text) override;
    void DrawTextA(std::string_view text, DeviceRect box) override;

    QPainter& painter() const { return painter_; }

private:
    void applyPen();

    QPainter& painter_;
    PenHandle selected_ = 0;
    QColor textColor_ = Qt::black;
    std::int32_t currentX_ = 0;
    std::int32_t currentY_ = 0;
};

} // namespace vantrope
