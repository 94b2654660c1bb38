#pragma once

#include <string>

namespace vantrope {

// A circular arc: centre (MidX, MidY), angles at the centre from the x axis,
// and its two end points.
struct clsArc {
    double Radius = 0;
    double StartAngle = 0;
    double EndAngle = 0;
    double MidX = 0;
    double MidY = 0;
    double EndPointX = 0;
    double EndPointY = 0;
    double StartPointX = 0;
    double StartPointY = 0;
    std::string Name;
};

} // namespace vantrope
