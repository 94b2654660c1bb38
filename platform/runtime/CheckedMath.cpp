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

namespace {

// The exact result of 64-bit arithmetic on two narrower numbers, checked
// against the range of the width.
template <typename Int>
Int fitted(std::int64_t exact) {
    if (exact < std::numeric_limits<Int>::min() || exact > std::numeric_limits<Int>::max())
        raise(Overflow);
    return static_cast<Int>(exact);
}

template <typename Int>
Int checkedQuotient(Int a, Int b) {
    if (b == 0)
        raise(DivisionByZero);
    return fitted<Int>(static_cast<std::int64_t>(a) / b);
}

template <typename Int>
Int checkedRemainder(Int a, Int b) {
    if (b == 0)
        raise(DivisionByZero);
    return static_cast<Int>(static_cast<std::int64_t>(a) % b); // the minimum % -1 is 0, not a trap
}

} // namespace

std::int16_t add16(std::int16_t a, std::int16_t b) { return fitted<std::int16_t>(std::int64_t{a} + b); }
std::int16_t subtract16(std::int16_t a, std::int16_t b) { return fitted<std::int16_t>(std::int64_t{a} - b); }
std::int16_t multiply16(std::int16_t a, std::int16_t b) { return fitted<std::int16_t>(std::int64_t{a} * b); }
std::int16_t quotient16(std::int16_t a, std::int16_t b) { return checkedQuotient(a, b); }
std::int16_t remainder16(std::int16_t a, std::int16_t b) { return checkedRemainder(a, b); }
std::int32_t add32(std::int32_t a, std::int32_t b) { return fitted<std::int32_t>(std::int64_t{a} + b); }
std::int32_t subtract32(std::int32_t a, std::int32_t b) { return fitted<std::int32_t>(std::int64_t{a} - b); }
std::int32_t multiply32(std::int32_t a, std::int32_t b) { return fitted<std::int32_t>(std::int64_t{a} * b); }
std::int32_t quotient32(std::int32_t a, std::int32_t b) { return checkedQuotient(a, b); }
std::int32_t remainder32(std::int32_t a, std::int32_t b) { return checkedRemainder(a, b); }

double fixPart(double x) { return std::trunc(checkFinite(x)); }
double intPart(double x) { return std::floor(checkFinite(x)); }

} // namespace runtime
