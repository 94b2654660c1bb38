#include "ValueText.h"

#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace brimlock {

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The sign and digits of the leading integer, white space skipped.
struct LeadingInteger {
    bool negative = false;
    std::string_view digits;
};

LeadingInteger leadingInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    LeadingInteger result;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        result.negative = text[i++] == '-';
    const std::size_t first = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    result.digits = text.substr(first, i - first);
    return result;
}

constexpr std::int64_t DaysFrom1970To1899_12_30 = -25569;
constexpr double FirstDay = -657434;  // 0100-01-01
constexpr double LastDay = 2958465;   // 9999-12-31

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void civilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

unsigned daysInMonth(std::int64_t year, unsigned month)
{
    static constexpr unsigned lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

// Exactly `count` digits at `position`.
bool readDigits(std::string_view text, std::size_t position, std::size_t count, unsigned& value)
{
    if (position + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = position; i < position + count; ++i) {
        if (!isDigit(text[i]))
            return false;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return true;
}

} // namespace

std::optional<std::int32_t> leadingLong(std::string_view text)
{
    const LeadingInteger integer = leadingInteger(text);
    std::int64_t magnitude = 0;
    for (const char digit : integer.digits) {
        magnitude = magnitude * 10 + (digit - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            return std::nullopt;
    }
    const std::int64_t value = integer.negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

bool leadingIntegerIsNonZero(std::string_view text)
{
    for (const char digit : leadingInteger(text).digits)
        if (digit != '0')
            return true;
    return false;
}

std::optional<double> leadingDouble(std::string_view text)
{
    try {
        return runtime::leadingNumber(text);
    } catch (const runtime::RuntimeError&) {
        return std::nullopt; // beyond the double range
    }
}

std::optional<std::string> doubleText(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc())
        return std::nullopt;
    return std::string(buffer, end);
}

std::string currencyText(std::int64_t tenThousandths)
{
    // Unsigned, so that the most negative amount has a magnitude too.
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(tenThousandths) : static_cast<std::uint64_t>(tenThousandths);
    std::string text = negative ? "-" : "";
    text.append(std::to_string(magnitude / 10000));
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(fraction));
        std::string decimals(digits);
        while (decimals.back() == '0')
            decimals.pop_back();
        text += "." + decimals;
    }
    return text;
}

std::optional<std::int64_t> parseCurrency(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && decimals.empty())
        return std::nullopt;
    for (const std::string_view part : {whole, decimals})
        for (const char c : part)
            if (!isDigit(c))
                return std::nullopt;
    // Magnitude in ten-thousandths, unsigned so that the most negative amount fits.
    constexpr std::uint64_t limit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    auto append = [&](unsigned digit) {
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
        return true;
    };
    for (const char c : whole)
        if (!append(static_cast<unsigned>(c - '0')))
            return std::nullopt;
    for (std::size_t i = 0; i < 4; ++i)
        if (!append(i < decimals.size() ? static_cast<unsigned>(decimals[i] - '0') : 0))
            return std::nullopt;
    if (decimals.size() > 4) {
        const std::string_view rest = decimals.substr(4);
        const bool aboveHalf = rest.front() > '5' || (rest.front() == '5' && rest.find_first_not_of('0', 1) != std::string_view::npos);
        const bool exactlyHalf = rest.front() == '5' && !aboveHalf;
        if (aboveHalf || (exactlyHalf && magnitude % 2 == 1)) {
            if (magnitude == limit)
                return std::nullopt;
            ++magnitude;
        }
    }
    if (!negative && magnitude >= limit)
        return std::nullopt;
    return negative ? static_cast<std::int64_t>(std::uint64_t{0} - magnitude) : static_cast<std::int64_t>(magnitude);
}

std::optional<std::string> dateText(double days)
{
    if (!(days > FirstDay - 1 && days < LastDay + 1))
        return std::nullopt;
    // The whole days count towards zero; the fraction is the time of that day either way.
    double whole = std::trunc(days);
    std::int64_t seconds = std::llround(std::fabs(days - whole) * 86400.0);
    std::int64_t day = static_cast<std::int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    if (day > static_cast<std::int64_t>(LastDay))
        return std::nullopt;
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned dayOfMonth = 0;
    civilFromDays(day + DaysFrom1970To1899_12_30, year, month, dayOfMonth);
    char buffer[32];
    if (seconds == 0)
        std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(year), month, dayOfMonth);
    else
        std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(year), month, dayOfMonth,
                      static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return std::string(buffer);
}

std::optional<double> parseDate(std::string_view text)
{
    text = trimmed(text);
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!readDigits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !readDigits(text, 5, 2, month) ||
        text[7] != '-' || !readDigits(text, 8, 2, day))
        return std::nullopt;
    if (text.size() != 10) {
        if (text.size() != 19 || text[10] != ' ' || !readDigits(text, 11, 2, hour) || text[13] != ':' ||
            !readDigits(text, 14, 2, minute) || text[16] != ':' || !readDigits(text, 17, 2, second))
            return std::nullopt;
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return std::nullopt;
    const double serial = static_cast<double>(daysFromCivil(year, month, day) - DaysFrom1970To1899_12_30);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return serial < 0 ? serial - time : serial + time;
}

} // namespace brimlock
