#include "DecimalDigits.h"

#include "RuntimeError.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace runtime {

namespace {

// Reads the scientific text of to_chars ("-1.2345e+02") into digits.
DecimalDigits fromScientific(std::string_view text) {
    DecimalDigits result;
    std::size_t i = 0;
    if (text[i] == '-') {
        result.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i)
        if (text[i] != '.')
            result.digits.push_back(text[i]);
    const int exponent = std::atoi(std::string(text.substr(i + 1)).c_str());
    result.pointPosition = exponent + 1;
    while (!result.digits.empty() && result.digits.back() == '0')
        result.digits.pop_back();
    if (result.digits.empty())
        result.pointPosition = 0;
    return result;
}

template <typename Real>
DecimalDigits shortest(Real value) {
    if (!std::isfinite(value))
        raise(Overflow);
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return fromScientific(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)));
}

} // namespace

DecimalDigits DecimalDigits::of(double value) { return shortest(value); }
DecimalDigits DecimalDigits::of(float value) { return shortest(value); }

void DecimalDigits::keepLeadingDigits(int count) {
    if (count >= static_cast<int>(digits.size()))
        return;
    if (count < 0) {
        digits.clear();
        pointPosition = 0;
        return;
    }
    const bool roundUp = digits[static_cast<std::size_t>(count)] >= '5';
    digits.resize(static_cast<std::size_t>(count));
    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++pointPosition;
        } else {
            ++digits[i - 1];
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty())
        pointPosition = 0;
}

void DecimalDigits::roundToDecimals(int decimals) { keepLeadingDigits(pointPosition + decimals); }

void DecimalDigits::roundToSignificant(int count) { keepLeadingDigits(count); }

char DecimalDigits::digitAfterPoint(int position) const {
    const int index = pointPosition + position;
    if (index < 0 || index >= static_cast<int>(digits.size()))
        return '0';
    return digits[static_cast<std::size_t>(index)];
}

std::string DecimalDigits::integerDigits() const {
    if (pointPosition <= 0)
        return {};
    std::string result = digits.substr(0, static_cast<std::size_t>(pointPosition));
    result.append(static_cast<std::size_t>(pointPosition) - result.size(), '0');
    return result;
}

} // namespace runtime
