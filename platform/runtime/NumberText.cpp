#include "NumberText.h"

#include "DecimalDigits.h"
#include "RuntimeError.h"

#include <charconv>
#include <climits>
#include <string>

namespace runtime {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct ScannedNumber {
    bool found = false;
    bool overflow = false;
    double value = 0.0;
    std::size_t end = 0; // one past the last character of the number
};

// The decimal exponent of the first significant digit of mantissa × 10^exponent,
// used only to tell an overflow from an underflow.
long long leadingExponent(std::string_view mantissa, long long exponent) {
    const std::size_t point = mantissa.find('.');
    const std::size_t integerEnd = point == std::string_view::npos ? mantissa.size() : point;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.' || mantissa[i] == '0')
            continue;
        const long long position = i < integerEnd ? static_cast<long long>(integerEnd - i - 1)
                                                  : -static_cast<long long>(i - integerEnd);
        return position + exponent;
    }
    return LLONG_MIN / 2; // all zeros
}

ScannedNumber scanNumber(std::string_view text, std::size_t start) {
    ScannedNumber result;
    std::size_t i = start;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t mantissaStart = i;
    std::size_t digitCount = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        ++digitCount;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            ++digitCount;
    if (digitCount == 0)
        return result;
    const std::string_view mantissa = text.substr(mantissaStart, i - mantissaStart);

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
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
    normalized.append(mantissa);
    normalized += 'e';
    normalized += std::to_string(exponent);
    double value = 0.0;
    const auto parsed = std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Out of range: too large is an error, too small is zero.
        if (leadingExponent(mantissa, exponent) > 0)
            result.overflow = true;
        else
            value = 0.0;
    }
    result.value = value == 0.0 ? 0.0 : value; // no negative zero
    return result;
}

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

ScannedNumber scanWholeText(std::string_view text) {
    ScannedNumber number = scanNumber(text, skipBlanks(text, 0));
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
    const ScannedNumber number = scanNumber(text, skipBlanks(text, 0));
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

} // namespace runtime
