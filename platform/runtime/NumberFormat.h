#pragma once

#include <string>
#include <string_view>

namespace runtime {

// A number shown by a picture pattern, as captions, boxes and results tables
// show it:
//   "0"  a digit always shown;  "#"  a digit shown only when significant
//        (no leading zeros, no trailing decimal zeros: "#" shows 0 as "");
//   "."  the decimal point, shown even with no digit after it
//        ("#.####" shows 0.25 as ".25" and 2 as "2.");
//   ","  anywhere in the integer part: digits grouped by thousands;
//   "E+" / "E-" (or "e+" / "e-") after the mantissa: exponent form with the
//        exponent's sign always / only when negative, "0"s after it giving
//        its least number of digits ("0.00E+00").
// The named pattern "Scientific" is "0.00E+00", "Fixed" is "0.00",
// "Standard" is "#,##0.00"; "General Number" and the empty pattern give the
// general form (numberText). Any other character is copied: those before the
// first digit place in front of the number, the rest after it.
// Rounding is to the pattern's last digit, half away from zero, on the
// decimal value the number reads as (0.125 → "0.13" with "0.00"). All integer
// digits are shown. A minus sign leads a negative value unless it rounds to
// zero. Point and comma whatever the locale. Overflow for infinities and NaN.
std::string formatNumber(double value, std::string_view pattern);

// True when `text`, blanks around it aside, is `value` as formatNumber writes
// it in `pattern`: a box left as the program wrote it, whose value is the one
// it was written from rather than its rounded text read back. False for a
// value the pattern cannot write (infinities, NaN).
bool showsNumber(std::string_view text, double value, std::string_view pattern);

} // namespace runtime
