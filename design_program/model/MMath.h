#pragma once

#include "runtime/ErrorReporter.h"

#include <cstdint>
#include <optional>
#include <string>

// General mathematics of the gear model: involutes, arc functions, angle,
// hardness and temperature conversions, rounding and number reading. No state.
// Where a routine has no value it raises a numbered runtime::RuntimeError;
// no routine ever returns an infinity or a NaN.
namespace cindrel::model::MMath {

// The π of every model formula: fifteen significant digits, not the double's.
inline constexpr double Pi = 3.14159265358979;
inline constexpr double HalfPi = Pi / 2;

// ln x / ln 10; error 5 for x <= 0.
double Log10(double x);

// The involute tan φ − φ.
double InvFunctionDbl(double phi);
double InvFunction(double phi);

// atan(x / √(1 − x²)); error 11 at |x| = 1, error 5 for |x| > 1.
double ArcSin(double x);

// Never fails: 0 at 1, π at −1, also for an argument past either end by no
// more than 1e-6 (rounding); 0 further outside [−1, 1] and for NaN.
double ArcCos(double x);

// side · sin(angleA) / sin(angleB); error 11 when sin(angleB) is 0.
double LawOfSines(double side, double angleA, double angleB);

double Deg2Rad(double degrees);
double Rad2Deg(double radians);

// Decimal degrees of an angle packed as the digits DDMMSS (203000 is 20.5).
// Minutes and seconds of 60 or more are taken as they stand.
double DMSToDegrees(std::int32_t packed);
// The same for a packed angle held as a number: error 6 beyond the 32-bit range.
double DMSToDegrees(double packed);

// True when x/2 is a whole number.
bool IsEven(double x);

// Angle of (x, y), y first: for x < 0 it lies between π/2 and 3π/2.
double Atan2(double y, double x);

// value with its fraction rounded to places decimals, the scaled fraction
// rounding half to even (2.125 → 2.12, 3.5 with 0 places → 3). Each failing
// step is reported to reporter as module "MMath", routine "Trunc", and the
// routine goes on; a NaN value yields 0.
double Trunc(double value, std::int32_t places, runtime::ErrorReporter& reporter);

// The angle φ with tan φ − φ = inv; 0 for inv <= 0 and for inv > π.
double InverseInvolute(double inv);

// Hardness conversions; no value outside 32..65 HRC and 300..750 HB.
std::optional<double> HRCtoBHN(double hrc);
std::optional<double> BHNtoHRC(double hb);

double CelsiusToFahrenheit(double c);
double FahrenheitToCelsius(double f);

// The number formed by the digits and points of text, every other character
// (signs included) dropped; 0 for an empty text. Error 13 when no digit
// remains or two points do.
double NumberFromDigits(const std::string& text);

// value rounded to digits significant figures (123.456, 2 → 120);
// error 5 for value <= 0 or negative digits.
double RoundSignificant(double value, double digits);

// A horsepower shown in other units (kW): converted from the power worked
// out, not from its rounding, and given the three figures the horsepower
// shows (20.126 hp shown as 20.1 is 15.0 kW, not 14.99). `rounded` stands in
// where the power worked out is not known (0); a power of 0 or less is
// returned as converted.
double ConvertedPower(double rounded, double unrounded, double factor);

} // namespace cindrel::model::MMath
