#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string_view>

namespace vantrope {

// A pen as made: style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot;
// other numbers are kept as given), width in pixels (0 the thinnest) and
// colour as red + 256 green + 65536 blue.
struct Pen {
    std::int32_t style = 0;
    std::int32_t width = 0;
    std::int32_t color = 0;
    bool operator==(const Pen&) const = default;
};

using PenHandle = std::int32_t;

// The pens of a run. Pens belong to no device: one made once is selected into
// the window and the printer alike. Handle 0 is never given out.
class PenTable {
public:
    PenHandle CreatePen(std::int32_t style, std::int32_t width, std::int32_t color);
    // False for a handle that is not a live pen.
    bool DeleteObject(PenHandle handle);
    const Pen* find(PenHandle handle) const;
    std::size_t liveCount() const { return pens_.size(); }

private:
    std::map<PenHandle, Pen> pens_;
    PenHandle next_ = 1;
};

struct DevicePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const DevicePoint&) const = default;
};

struct TextSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct DeviceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

// A drawing surface in integer pixels, x to the right and y downward: the
// drawing window, the printer page, an image, or a recording fake in tests.
// The selected pen stays selected until another is selected; a handle that
// names no live pen draws with the thinnest black pen.
class DrawDevice {
public:
    explicit DrawDevice(const PenTable& pens) : pens_(pens) {}
    virtual ~DrawDevice() = default;

    // Returns the pen selected before.
    virtual PenHandle SelectObject(PenHandle pen) = 0;
    virtual void MoveToEx(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
    virtual void Polyline(std::span<const DevicePoint> points) = 0;
    // The outline of the ellipse in the box; the inside is left as it is.
    virtual void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
    virtual void SetTextColor(std::int32_t color) = 0;
    virtual TextSize GetTextExtentPoint32A(std::string_view text) = 0;
    // Left-aligned, at the top of the box, on one line.
    virtual void DrawTextA(std::string_view text, DeviceRect box) = 0;

    const PenTable& pens() const { return pens_; }

private:
    const PenTable& pens_;
};

} // namespace vantrope
