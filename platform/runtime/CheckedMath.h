#pragma once

#include "RuntimeError.h"

#include <cmath>
#include <cstdint>

// Arithmetic that raises the numbered run-time error where the computation has
// no value: no infinity or NaN ever stands in for an error.
namespace runtime {

// Returns x when finite; Overflow otherwise. Guards results of plain arithmetic.
// Inline: the model calls it on nearly every step of every getter.
inline double checkFinite(double x) {
    if (!std::isfinite(x)) [[unlikely]]
        raise(Overflow);
    return x;
}

// a / b; DivisionByZero when b is 0, but Overflow for 0 / 0 as the language
// has it; Overflow when the quotient is not finite.
inline double divide(double a, double b) {
    if (b == 0.0) [[unlikely]]
        raise(a == 0.0 || std::isnan(a) ? Overflow : DivisionByZero);
    return checkFinite(a / b);
}

// √x; InvalidProcedureCall for x < 0.
inline double squareRoot(double x) {
    if (x < 0.0 || std::isnan(x)) [[unlikely]]
        raise(InvalidProcedureCall);
    return checkFinite(std::sqrt(x));
}

// ln x; InvalidProcedureCall for x ≤ 0.
double naturalLog(double x);

// base^exponent; InvalidProcedureCall for a negative base with a fractional
// exponent, DivisionByZero for 0 to a negative power, Overflow when too large.
double power(double base, double exponent);

// tan x; Overflow where the result is not finite.
inline double tangent(double x) { return checkFinite(std::tan(checkFinite(x))); }

// exp x; Overflow when too large.
double exponential(double x);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double x);

// Conversions to 16- and 32-bit integers: halves to the even neighbour,
// Overflow outside the range (and for NaN).
std::int16_t toInt16(double x);
std::int32_t toInt32(double x);

// The whole part toward zero (Fix) and the largest whole number not above x (Int).
double fixPart(double x);
double intPart(double x);

// 16-bit and 32-bit whole-number arithmetic: Overflow when the result does
// not fit the width. The quotients truncate toward zero and the remainder
// takes the sign of the dividend (-7 \ 2 is -3, -7 Mod 2 is -1); both raise
// DivisionByZero for a zero divisor.
std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t subtract16(std::int16_t a, std::int16_t b);
std::int16_t multiply16(std::int16_t a, std::int16_t b);
std::int16_t quotient16(std::int16_t a, std::int16_t b);
std::int16_t remainder16(std::int16_t a, std::int16_t b);
std::int32_t add32(std::int32_t a, std::int32_t b);
std::int32_t subtract32(std::int32_t a, std::int32_t b);
std::int32_t multiply32(std::int32_t a, std::int32_t b);
std::int32_t quotient32(std::int32_t a, std::int32_t b);
std::int32_t remainder32(std::int32_t a, std::int32_t b);

} // namespace runtime
