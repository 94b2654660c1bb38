#pragma once

#include "drawing/DrawDevice.h"
#include "painter/PainterDevice.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>

namespace vantrope {

// The drawing device on a kept image (the drawing window's canvas). A
// painter is opened on the image at the first primitive and closed by
// finish(), so a whole drawing goes through one painter; the selected pen
// and text colour carry over from one drawing to the next.
class CanvasDevice : public DrawDevice {
public:
    using Target = std::function<QImage*()>;

    CanvasDevice(const PenTable& pens, Target target);
    ~CanvasDevice() override;

    void setFont(const QFont& font) { font_ = font; }
    // Closes the painter; call before the image is shown, resized or replaced.
    void finish();
    // Fills the image with the colour.
    void fill(const QColor& colour);

    PenHandle SelectObject(PenHandle pen) override;
    void MoveToEx(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Polyline(std::span<const DevicePoint> points) override;
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    void SetTextColor(std::int32_t color) override;
    TextSize GetTextExtentPoint32A(std::string_view text) override;
    void DrawTextA(std::string_view text, DeviceRect box) override;

private:
    // The painter device, opened when needed; null when there is no image.
    PainterDevice* open();

    Target target_;
    QFont font_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PainterDevice> device_;
    PenHandle selected_ = 0;
    std::int32_t textColor_ = 0;
    std::int32_t currentX_ = 0;
    std::int32_t currentY_ = 0;
};

} // namespace vantrope
