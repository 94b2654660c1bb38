#include "drawing/mAPI_draw.h"

#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"

#include <exception>
#include <string>

namespace vantrope {

namespace {

std::int32_t pixel(double value)
{
    return runtime::toInt32(value);
}

void circle(DrawDevice& hDC, double X, double Y, double Radius)
{
    hDC.Ellipse(pixel(X - Radius), pixel(Y - Radius), pixel(X + Radius), pixel(Y + Radius));
}

} // namespace

template <typename Work>
void mAPI_draw::guarded(std::string_view routine, Work&& work)
{
    runtime::reportingNumberedOrMemoryErrors(log_, "mAPI_draw", routine, std::forward<Work>(work));
}

void mAPI_draw::DrawLine(DrawDevice& hDC, double OffsetX, double OffsetY, double X1, double Y1, double X2, double Y2,
                         double Scale, PenHandle Pen)
{
    guarded("DrawLine", [&] {
        hDC.SelectObject(Pen);
        hDC.MoveToEx(pixel(X1 * Scale + OffsetX), pixel(Y1 * Scale + OffsetY));
        hDC.LineTo(pixel(X2 * Scale + OffsetX), pixel(Y2 * Scale + OffsetY));
    });
}

void mAPI_draw::DrawCircle(DrawDevice& hDC, double X, double Y, double Radius, PenHandle Pen)
{
    guarded("DrawCircle", [&] {
        hDC.SelectObject(Pen);
        circle(hDC, X, Y, Radius);
    });
}

void mAPI_draw::DrawPenCircle(DrawDevice& hDC, double X, double Y, double Radius, std::int32_t Color, PenTable& pens)
{
    PenHandle pen = 0;
    guarded("DrawCircle", [&] {
        pen = pens.CreatePen(0, 2, Color);
        hDC.SelectObject(pen);
        circle(hDC, X, Y, Radius);
    });
    // The pen is released even when the circle failed, so none leaks.
    if (pen != 0)
        pens.DeleteObject(pen);
}

void mAPI_draw::DrawPolyLine(DrawDevice& hDC, const PointArray& Points, double Scale, double OffsetX, double OffsetY,
                             std::int32_t Count, std::int32_t Column, PenHandle Pen)
{
    guarded("DrawPolyLine", [&] {
        if (Count == 0)
            Count = static_cast<std::int32_t>(Points.size());
        // The array has two columns: x in Column, y in the next.
        if (Count < 0 || static_cast<std::size_t>(Count) > Points.size() || Column != 0)
            runtime::raise(runtime::SubscriptOutOfRange);
        std::vector<DevicePoint> device(static_cast<std::size_t>(Count));
        for (std::size_t i = 0; i < device.size(); ++i)
            device[i] = {pixel(Points[i][0] * Scale + OffsetX), pixel(Points[i][1] * Scale + OffsetY)};
        hDC.SelectObject(Pen);
        hDC.Polyline(device);
    });
}

void mAPI_draw::SetText(DrawDevice& hDC, double X, double Y, std::string_view Text, std::int32_t Color)
{
    guarded("SetText", [&] {
        TextSize size = hDC.GetTextExtentPoint32A(Text);
        std::int32_t left = pixel(X);
        std::int32_t bottom = pixel(Y);
        DeviceRect box{left, bottom - size.height, left + size.width, bottom};
        hDC.SetTextColor(Color);
        hDC.DrawTextA(Text, box);
    });
}

} // namespace vantrope
