#include "shell/CanvasDevice.h"

namespace vantrope {

CanvasDevice::CanvasDevice(const PenTable& pens, Target target) : DrawDevice(pens), target_(std::move(target)) {}

CanvasDevice::~CanvasDevice()
{
    finish();
}

PainterDevice* CanvasDevice::open()
{
    if (device_)
        return device_.get();
    QImage* image = target_ ? target_() : nullptr;
    if (!image || image->isNull())
        return nullptr;
    painter_ = std::make_unique<QPainter>(image);
    painter_->setFont(font_);
    device_ = std::make_unique<PainterDevice>(*painter_, pens());
    device_->SelectObject(selected_);
    device_->SetTextColor(textColor_);
    device_->MoveToEx(currentX_, currentY_);
    return device_.get();
}

void CanvasDevice::finish()
{
    device_.reset();
    painter_.reset();
}

void CanvasDevice::fill(const QColor& colour)
{
    finish();
    if (QImage* image = target_ ? target_() : nullptr)
        image->fill(colour);
}

PenHandle CanvasDevice::SelectObject(PenHandle pen)
{
    const PenHandle previous = selected_;
    selected_ = pen;
    if (device_)
        device_->SelectObject(pen);
    return previous;
}

void CanvasDevice::MoveToEx(std::int32_t x, std::int32_t y)
{
    currentX_ = x;
    currentY_ = y;
    if (PainterDevice* d = open())
        d->MoveToEx(x, y);
}

void CanvasDevice::LineTo(std::int32_t x, std::int32_t y)
{
    if (PainterDevice* d = open())
        d->LineTo(x, y);
    currentX_ = x;
    currentY_ = y;
}

void CanvasDevice::Polyline(std::span<const DevicePoint> points)
{
    if (PainterDevice* d = open())
        d->Polyline(points);
}

void CanvasDevice::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    if (PainterDevice* d = open())
        d->Ellipse(left, top, right, bottom);
}

void CanvasDevice::SetTextColor(std::int32_t color)
{
    textColor_ = color;
    if (device_)
        device_->SetTextColor(color);
}

TextSize CanvasDevice::GetTextExtentPoint32A(std::string_view text)
{
    if (PainterDevice* d = open())
        return d->GetTextExtentPoint32A(text);
    return {};
}

void CanvasDevice::DrawTextA(std::string_view text, DeviceRect box)
{
    if (PainterDevice* d = open())
        d->DrawTextA(text, box);
}

} // namespace vantrope
