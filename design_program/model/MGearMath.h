#pragma once

#include <cstdint>

// Turns inspection measurements back into the normal circular tooth thickness
// at the standard pitch diameter. Pitch and pressure angle are transverse.
namespace cindrel::model::MGearMath {

// From a span (base tangent length) over teethSpanned teeth of an external
// gear. Failing steps are skipped; raises nothing.
double TThkFromSpan(std::int32_t teeth, double transverseDiametralPitch,
                    double transversePressureAngle, double spanMeasurement,
                    std::int32_t teethSpanned, double helixAngle);

// From a measurement over two pins (external gear) or between two pins
// (internal gear, betweenPins true). A zero pitch raises error 11; a
// measurement that admits no solution (pin centres inside the base circle,
// a pin-centre diameter not above 0) gives 0.
double TThkFromPins(std::int32_t teeth, double transverseDiametralPitch,
                    double transversePressureAngle, double helixAngle, double measurement,
                    double pinDiameter, bool betweenPins);

} // namespace cindrel::model::MGearMath
