#pragma once

#include <string>
#include <string_view>

// Numbers read from texts and numbers turned into texts without a pattern.
// Always a period as decimal separator, whatever the user's locale, so that
// texts in files and on the clipboard read back everywhere.
namespace runtime {

// The number at the start of a text: optional blanks, an optional sign,
// digits with an optional point, and an exponent (e or E, optional sign,
// digits; an "e" without digits is not part of it). 0 when the text does not
// begin with a number ("abc", "", "-", "."). Overflow beyond the double range.
//   leadingNumber(" -1.5e3x") == -1500, leadingNumber("1.0*") == 1
double leadingNumber(std::string_view text);

// True when the whole text, blanks around it allowed, is one such number
// within the double range.
bool isNumeric(std::string_view text);

// The number that the whole text is: TypeMismatch when it is not one,
// Overflow when it lies beyond the double range.
double toNumber(std::string_view text);

// The general form of a number in a text: the shortest text with up to 15
// significant digits (7 for single precision), no trailing zeros, no trailing
// point, "-" only for a negative value (never "-0"), a zero before the point
// below 1 ("0.5", "-0.25"), and exponent form ("1E-05", "1.5E+20") below
// 0.0001 and from the magnitude where the integer digits exceed the
// significant ones (1E+15 for doubles, 1E+07 for singles).
// The leading zero follows the plain number text that the tolerance tables
// show ("0.4"); every other number text of the program uses the same form.
// Overflow for infinities and NaN.
std::string numberText(double value);
std::string singleText(float value);

} // namespace runtime
