#pragma once

#include "runtime/CheckedMath.h"

#include <cmath>

// Arithmetic shared by the three analyses.
namespace cindrel::analyses {

// The π of the analyses' formulas.
inline constexpr double Pi = 3.14159265358979;

// A constant the analyses hold in single precision, widened to double
// (0.1047192 is 0.10471919924020767).
constexpr double single(float value) { return static_cast<double>(value); }

// A value compared in single precision.
inline float asSingle(double value) { return static_cast<float>(value); }

using runtime::checkFinite;
using runtime::divide;
using runtime::power;
using runtime::squareRoot;

inline double cosine(double x) { return std::cos(checkFinite(x)); }
inline double sine(double x) { return std::sin(checkFinite(x)); }
inline double arcTangent(double x) { return std::atan(checkFinite(x)); }

} // namespace cindrel::analyses
