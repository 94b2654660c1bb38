#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The texts both classes store numbers, amounts and dates as, and the readers
// that turn stored texts back into them. Always a period and ISO dates,
// whatever the user's locale, so a file reads back everywhere.
namespace brimlock {

// White space as lines of INI files are trimmed of: space, tab, CR, LF, vertical tab, form feed.
bool isWhiteSpace(char c);
std::string_view trimmed(std::string_view text);

// The integer at the start of a text: leading white space, an optional sign,
// the digits that follow; 0 when there are none. None when it does not fit
// 32 bits.
std::optional<std::int32_t> leadingLong(std::string_view text);
// Whether that integer is not 0, however many digits it has.
bool leadingIntegerIsNonZero(std::string_view text);
// The number at the start of a text (blanks, sign, digits, point, exponent);
// 0 when there is none, none when it lies beyond the double range.
std::optional<double> leadingDouble(std::string_view text);

// The shortest text that reads back to exactly the same double; none for NaN and infinities.
std::optional<std::string> doubleText(double value);

// A currency amount of ten-thousandths as "-1234.5": no trailing zeros, no point when whole.
std::string currencyText(std::int64_t tenThousandths);
// The whole text as such an amount (white space around it allowed, more
// than four decimals rounded half to even); none for anything else.
std::optional<std::int64_t> parseCurrency(std::string_view text);

// A date as days from 1899-12-30 (the fraction is the time of day, counted
// forward also for days before that date) written "yyyy-mm-dd hh:mm:ss", the
// time left out at midnight; none for NaN or a date outside years 100-9999.
std::optional<std::string> dateText(double days);
// The whole text in either form; none for anything else.
std::optional<double> parseDate(std::string_view text);

} // namespace brimlock
