#include "NumberText.h"

#include "DecimalDigits.h"
#include "RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <limits>
#include <string>

namespace runtime {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
// What a box value skips wherever it stands: blanks, tabs and line feeds.
bool isSkippedInBoxValue(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isExponentMark(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// The value of a digit in a radix, or -1.
int digitValue(char c, int radix) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < radix ? value : -1;
}

struct ScannedNumber {
    bool found = false;
    bool overflow = false;
    double value = 0.0;
    std::size_t end = 0; // one past the last character of the number
};

// The significant digits of a mantissa ("0012.500" gives "125") and the
// decimal exponent of the first of them, mantissa × 10^exponent being the
// number; no digits for zero.
struct Significand {
    std::string digits;
    long long leadingExponent = 0;
};

Significand significandOf(std::string_view mantissa, long long exponent) {
    const std::size_t point = mantissa.find('.');
    const std::size_t integerEnd = point == std::string_view::npos ? mantissa.size() : point;
    Significand result;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        const char c = mantissa[i];
        if (c == '.' || (c == '0' && result.digits.empty()))
            continue;
        if (result.digits.empty())
            result.leadingExponent = (i < integerEnd ? static_cast<long long>(integerEnd - i - 1)
                                                     : -static_cast<long long>(i - integerEnd)) +
                                     exponent;
        result.digits.push_back(c);
    }
    while (!result.digits.empty() && result.digits.back() == '0')
        result.digits.pop_back();
    return result;
}

// True when a number too large for a double is no more than the largest
// double written with 15 significant digits (1.79769313486232E+308), the
// text that numberText gives it: such a text reads back as the largest double.
bool isLargestDoubleText(const Significand& number) {
    constexpr std::string_view LargestDigits = "179769313486232";
    constexpr long long LargestExponent = 308;
    if (number.leadingExponent != LargestExponent)
        return number.leadingExponent < LargestExponent;
    std::string digits = number.digits;
    std::string largest(LargestDigits);
    const std::size_t length = std::max(digits.size(), largest.size());
    digits.resize(length, '0');
    largest.resize(length, '0');
    return digits <= largest;
}

// &H (hexadecimal) or &O (octal) digits at text[start], '&' included. A
// value that fits 16 bits is a 16-bit number and one that fits 32 bits a
// 32-bit number, each wrapping into the negative from its top bit (&HFFFF is
// -1, &H10000 is 65536, &HFFFFFFFF is -1); beyond 32 bits is an overflow.
ScannedNumber scanRadixNumber(std::string_view text, std::size_t start) {
    ScannedNumber result;
    std::size_t i = start + 1;
    if (i >= text.size())
        return result;
    const char mark = text[i];
    const int radix = (mark == 'h' || mark == 'H') ? 16 : (mark == 'o' || mark == 'O') ? 8 : 0;
    if (radix == 0)
        return result;
    std::uint64_t value = 0;
    const std::size_t digitsStart = ++i;
    for (int digit = 0; i < text.size() && (digit = digitValue(text[i], radix)) >= 0; ++i) {
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            result.overflow = true; // and stays: further digits only make it larger
        if (result.overflow)
            value = 0x100000000u;
    }
    if (i == digitsStart)
        return result;
    result.found = true;
    result.end = i;
    if (value <= 0xFFFFu)
        result.value = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    else if (!result.overflow)
        result.value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return result;
}

// A decimal number at text[start]: an optional sign, digits with an optional
// point, and an exponent (e, E, d or D, an optional sign, digits; a mark
// without digits is not part of it). With grouping, commas may stand among
// the integer digits after the first one ("1,500.000").
ScannedNumber scanDecimalNumber(std::string_view text, std::size_t start, bool grouping) {
    ScannedNumber result;
    std::size_t i = start;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::string mantissa;
    std::size_t digitCount = 0;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            mantissa.push_back(text[i]);
            ++digitCount;
        } else if (!(grouping && text[i] == ',' && digitCount > 0)) {
            break;
        }
    }
    if (i < text.size() && text[i] == '.') {
        mantissa.push_back('.');
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            mantissa.push_back(text[i]);
            ++digitCount;
        }
    }
    if (digitCount == 0)
        return result;

    long long exponent = 0;
    if (i < text.size() && isExponentMark(text[i])) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponentNegative = text[j++] == '-';
        if (j < text.size() && isDigit(text[j])) {
            for (; j < text.size() && isDigit(text[j]); ++j)
                if (exponent < 100000000) // saturate: far beyond any double
                    exponent = exponent * 10 + (text[j] - '0');
            if (exponentNegative)
                exponent = -exponent;
            i = j;
        }
    }
    result.found = true;
    result.end = i;

    std::string normalized = negative ? "-" : "";
    normalized.append(mantissa).append("e").append(std::to_string(exponent));
    double value = 0.0;
    const auto parsed = std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        const Significand significand = significandOf(mantissa, exponent);
        // Out of range: too small is zero, too large an error unless it is
        // the largest double as its 15-digit text shows it.
        if (significand.leadingExponent <= 0)
            value = 0.0;
        else if (isLargestDoubleText(significand))
            value = negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
        else
            result.overflow = true;
    }
    result.value = value == 0.0 ? 0.0 : value; // no negative zero
    return result;
}

ScannedNumber scanNumber(std::string_view text, std::size_t start, bool grouping) {
    if (start < text.size() && text[start] == '&')
        return scanRadixNumber(text, start);
    return scanDecimalNumber(text, start, grouping);
}

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

ScannedNumber scanWholeText(std::string_view text) {
    ScannedNumber number = scanNumber(text, skipBlanks(text, 0), true);
    if (number.found && skipBlanks(text, number.end) != text.size())
        number.found = false;
    return number;
}

std::string exponentText(int exponent) {
    std::string text = exponent < 0 ? "E-" : "E+";
    const std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (digits.size() < 2)
        text += '0';
    return text + digits;
}

std::string generalText(DecimalDigits number, int significantDigits) {
    number.roundToSignificant(significantDigits);
    if (number.isZero())
        return "0";
    std::string text = number.negative ? "-" : "";
    const std::string& digits = number.digits;
    const int size = static_cast<int>(digits.size());
    const int exponent = number.pointPosition - 1;
    if (exponent < -4 || exponent >= significantDigits) {
        text += digits[0];
        if (size > 1)
            text.append(".").append(digits, 1);
        return text + exponentText(exponent);
    }
    if (number.pointPosition <= 0)
        return text.append("0.").append(static_cast<std::size_t>(-number.pointPosition), '0').append(digits);
    if (number.pointPosition >= size)
        return text.append(digits).append(static_cast<std::size_t>(number.pointPosition - size), '0');
    const auto point = static_cast<std::size_t>(number.pointPosition);
    return text.append(digits, 0, point).append(".").append(digits, point);
}

} // namespace

double leadingNumber(std::string_view text) {
    std::string kept(text);
    std::erase_if(kept, isSkippedInBoxValue);
    const ScannedNumber number = scanNumber(kept, 0, false);
    if (number.overflow)
        raise(Overflow);
    return number.value;
}

bool isNumeric(std::string_view text) {
    const ScannedNumber number = scanWholeText(text);
    return number.found && !number.overflow;
}

double toNumber(std::string_view text) {
    const ScannedNumber number = scanWholeText(text);
    if (!number.found)
        raise(TypeMismatch);
    if (number.overflow)
        raise(Overflow);
    return number.value;
}

std::string numberText(double value) { return generalText(DecimalDigits::of(value), 15); }

std::string singleText(float value) { return generalText(DecimalDigits::of(value), 7); }

std::string numberTextWithSignSpace(double value) {
    std::string text = numberText(value);
    if (text.front() != '-')
        text.insert(text.begin(), ' ');
    return text;
}

} // namespace runtime
