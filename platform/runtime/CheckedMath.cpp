#include "CheckedMath.h"

#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace runtime {

double naturalLog(double x) {
    if (!(x > 0.0))
        raise(InvalidProcedureCall);
    return checkFinite(std::log(x));
}

double power(double base, double exponent) {
    if (base < 0.0 && exponent != std::trunc(exponent))
        raise(InvalidProcedureCall);
    if (base == 0.0 && exponent < 0.0)
        raise(DivisionByZero);
    return checkFinite(std::pow(base, exponent));
}

double exponential(double x) { return checkFinite(std::exp(x)); }

double roundHalfEven(double x) { return std::nearbyint(x); } // default rounding mode: to nearest, ties to even

namespace {
template <typename Int>
Int toInteger(double x) {
    if (std::isnan(x))
        raise(Overflow);
    const double rounded = roundHalfEven(x);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        raise(Overflow);
    return static_cast<Int>(rounded);
}
} // namespace

std::int16_t toInt16(double x) { return toInteger<std::int16_t>(x); }
std::int32_t toInt32(double x) { return toInteger<std::int32_t>(x); }

double fixPart(double x) { return std::trunc(checkFinite(x)); }
double intPart(double x) { return std::floor(checkFinite(x)); }

} // namespace runtime
