#pragma once

#include <string>
#include <string_view>

// Numbers read from texts and numbers turned into texts without a pattern.
// Always a period as decimal separator, whatever the user's locale, so that
// texts in files and on the clipboard read back everywhere.
namespace runtime {

// The number at the start of a text, as a box value reads it. Blanks, tabs
// and line feeds are skipped wherever they stand ("1 2.5" is 12.5). Then an
// optional sign, digits with an optional point, and an exponent (e, E, d or
// D, optional sign, digits; a mark without digits is not part of it); or &H
// and hexadecimal digits, &O and octal digits, a value up to &HFFFF being a
// 16-bit number and one up to &HFFFFFFFF a 32-bit number (&HFFFF is -1,
// &H10000 is 65536, &HFFFFFFFF is -1). 0 when the text does not begin with
// a number ("abc", "", "-", ".", "&HG"). Overflow beyond the double range or
// beyond 32 hexadecimal or octal bits.
//   leadingNumber(" -1.5e3x") == -1500, leadingNumber("1.0*") == 1
double leadingNumber(std::string_view text);

// True when the whole text, blanks around it allowed, is one number within
// the double range: as for leadingNumber, but with no blanks inside, and
// with grouping commas allowed among the integer digits after the first
// ("1,500.000", as "#,##0.000" writes it).
bool isNumeric(std::string_view text);

// The number that the whole text is (the form of isNumeric): TypeMismatch
// when it is not one, Overflow when it lies beyond the double range.
// Both readers take the text numberText gives the largest double,
// "1.79769313486232E+308", and anything up to it, as the largest double.
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

// numberText with a leading blank in place of the sign when the value is not
// negative (" 2.5", "-2.5", " 0"), as the language's Str writes a number.
std::string numberTextWithSignSpace(double value);

} // namespace runtime
