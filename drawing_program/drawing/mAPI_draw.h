#pragma once

#include "drawing/DrawDevice.h"
#include "runtime/ErrorReporter.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vantrope {

// Rows of (x, y).
using PointArray = std::vector<std::array<double, 2>>;

// The scaled primitives everything is drawn with. Coordinates are rounded to
// whole pixels, halves to even. Each primitive reports its own failures (a
// coordinate beyond the pixel range or not a number, a row past the array)
// as module "mAPI_draw" and draws nothing further.
class mAPI_draw {
public:
    explicit mAPI_draw(runtime::ErrorReporter& log) : log_(log) {}

    void DrawLine(DrawDevice& hDC, double OffsetX, double OffsetY, double X1, double Y1, double X2, double Y2,
                  double Scale, PenHandle Pen);
    void DrawCircle(DrawDevice& hDC, double X, double Y, double Radius, PenHandle Pen);
    // A solid pen of width 2 in Color, made and deleted around the circle.
    void DrawPenCircle(DrawDevice& hDC, double X, double Y, double Radius, std::int32_t Color, PenTable& pens);
    // Count 0 draws every row. Column is the column of x; y is the next one.
    void DrawPolyLine(DrawDevice& hDC, const PointArray& Points, double Scale, double OffsetX, double OffsetY,
                      std::int32_t Count, std::int32_t Column, PenHandle Pen);
    // The text's lower left corner on (X, Y); the text colour stays set.
    void SetText(DrawDevice& hDC, double X, double Y, std::string_view Text, std::int32_t Color);

private:
    template <typename Work>
    void guarded(std::string_view routine, Work&& work);

    runtime::ErrorReporter& log_;
};

} // namespace vantrope
