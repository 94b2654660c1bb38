#include "NumberFormat.h"

#include "DecimalDigits.h"
#include "NumberText.h"
#include "RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace runtime {

namespace {

bool isPlaceholder(char c) { return c == '0' || c == '#'; }

// A digit section of a pattern (integer part, decimals or exponent).
struct DigitPlaces {
    int count = 0;
    int zeroPlaces = 0; // integer part: places from the leftmost "0" on; decimals: up to the last "0"
};

struct Pattern {
    std::string prefix;
    std::string suffix;
    DigitPlaces integer;
    DigitPlaces decimals;
    bool hasPoint = false;
    bool grouping = false;
    bool scientific = false;
    bool exponentSignAlways = false;
    std::string exponentLetter;
    int exponentDigits = 0;
};

Pattern parsePattern(std::string_view text) {
    Pattern pattern;
    bool numberStarted = false;
    bool inDecimals = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool exponentHere = (c == 'E' || c == 'e') && i + 1 < text.size() &&
                                  (text[i + 1] == '+' || text[i + 1] == '-') && numberStarted &&
                                  !pattern.scientific;
        if (exponentHere) {
            pattern.scientific = true;
            pattern.exponentLetter = std::string(1, c);
            pattern.exponentSignAlways = text[i + 1] == '+';
            for (i += 2; i < text.size() && isPlaceholder(text[i]); ++i)
                ++pattern.exponentDigits;
            pattern.suffix.append(text.substr(i));
            break;
        }
        if (isPlaceholder(c) && !inDecimals) {
            numberStarted = true;
            ++pattern.integer.count;
            if (c == '0' && pattern.integer.zeroPlaces == 0)
                pattern.integer.zeroPlaces = 1;
            else if (pattern.integer.zeroPlaces > 0)
                ++pattern.integer.zeroPlaces;
        } else if (isPlaceholder(c)) {
            ++pattern.decimals.count;
            if (c == '0')
                pattern.decimals.zeroPlaces = pattern.decimals.count;
        } else if (c == '.' && !inDecimals) {
            numberStarted = true;
            inDecimals = true;
            pattern.hasPoint = true;
        } else if (c == ',' && !inDecimals) {
            pattern.grouping = true;
        } else if (numberStarted) {
            pattern.suffix += c;
        } else {
            pattern.prefix += c;
        }
    }
    return pattern;
}

std::string groupByThousands(const std::string& digits) {
    std::string grouped;
    const std::size_t size = digits.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0 && (size - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string integerText(std::string digits, const Pattern& pattern) {
    const auto least = static_cast<std::size_t>(pattern.integer.zeroPlaces);
    if (digits.size() < least)
        digits.insert(0, least - digits.size(), '0');
    return pattern.grouping ? groupByThousands(digits) : digits;
}

// The decimals of the pattern: trailing zeros dropped down to the last "0" place.
std::string decimalsText(const DecimalDigits& number, const Pattern& pattern) {
    std::string decimals;
    for (int k = 0; k < pattern.decimals.count; ++k)
        decimals += number.digitAfterPoint(k);
    while (static_cast<int>(decimals.size()) > pattern.decimals.zeroPlaces && decimals.back() == '0')
        decimals.pop_back();
    return decimals;
}

std::string numberPart(const DecimalDigits& number, const Pattern& pattern) {
    std::string text = integerText(number.integerDigits(), pattern);
    if (pattern.hasPoint)
        text += '.';
    return text + decimalsText(number, pattern);
}

std::string fixedText(double value, const Pattern& pattern) {
    DecimalDigits number = DecimalDigits::of(value);
    number.roundToDecimals(pattern.decimals.count);
    const bool negative = number.negative && !number.isZero();
    return (negative ? "-" : "") + pattern.prefix + numberPart(number, pattern) + pattern.suffix;
}

std::string scientificText(double value, const Pattern& pattern) {
    DecimalDigits number = DecimalDigits::of(value);
    const int integerPlaces = std::max(pattern.integer.count, 1);
    number.roundToSignificant(integerPlaces + pattern.decimals.count);
    int exponent = 0;
    if (!number.isZero()) {
        exponent = number.pointPosition - integerPlaces;
        number.pointPosition = integerPlaces;
    }
    const bool negative = number.negative && !number.isZero();

    Pattern mantissa = pattern;
    mantissa.integer.zeroPlaces = std::max(pattern.integer.zeroPlaces, 1);
    std::string text = (negative ? "-" : "") + pattern.prefix + numberPart(number, mantissa);
    text += pattern.exponentLetter;
    if (exponent < 0)
        text += '-';
    else if (pattern.exponentSignAlways)
        text += '+';
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < pattern.exponentDigits)
        digits.insert(0, static_cast<std::size_t>(pattern.exponentDigits) - digits.size(), '0');
    return text + digits + pattern.suffix;
}

std::string_view namedPattern(std::string_view pattern) {
    if (pattern == "Scientific")
        return "0.00E+00";
    if (pattern == "Fixed")
        return "0.00";
    if (pattern == "Standard")
        return "#,##0.00";
    return pattern;
}

} // namespace

std::string formatNumber(double value, std::string_view patternText) {
    if (!std::isfinite(value))
        raise(Overflow);
    if (patternText.empty() || patternText == "General Number")
        return numberText(value);
    const Pattern pattern = parsePattern(namedPattern(patternText));
    return pattern.scientific ? scientificText(value, pattern) : fixedText(value, pattern);
}

bool showsNumber(std::string_view text, double value, std::string_view pattern) {
    if (!std::isfinite(value))
        return false;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1) == formatNumber(value, pattern);
}

} // namespace runtime
