#pragma once

#include "drawing/mAPI_draw.h"
#include "geometry/ElementServices.h"

#include <cstdint>

namespace vantrope {

// One drawn tooth: its own copy of the outline, turned in place by every
// angle it is given, drawn with the pen of its element's option.
class clsTooth {
public:
    explicit clsTooth(ElementServices& services) : services_(services) {}

    void PointsArray(std::int32_t Incs, const vantrope::PointArray& Pts);
    void ScreenVars(double MidX, double MidY, double ScaleFactor, DrawDevice* Device_Form, std::int32_t Element);

    double ToothAngle() const { return toothAngle_; }
    // Turns the points clockwise by InpAngle (in the element frame, y up)
    // and draws them when the option's draw flag is set.
    void ToothAngle(double InpAngle);

    const vantrope::PointArray& points() const { return pts_; }

private:
    ElementServices& services_;
    std::int32_t incs_ = 0;
    vantrope::PointArray pts_;
    double matrix_[2][2] = {{1, 0}, {0, 1}};
    DrawDevice* device_ = nullptr;
    double midX_ = 0;
    double midY_ = 0;
    double scaleFactor_ = 0;
    std::int32_t element_ = 0;
    double toothAngle_ = 0;
};

} // namespace vantrope
