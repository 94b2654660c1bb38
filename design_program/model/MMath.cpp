#include "model/MMath.h"

#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace cindrel::model::MMath {

double Log10(double x) { return runtime::divide(runtime::naturalLog(x), runtime::naturalLog(10.0)); }

double InvFunctionDbl(double phi) { return runtime::checkFinite(runtime::tangent(phi) - phi); }

double InvFunction(double phi) { return InvFunctionDbl(phi); }

double ArcSin(double x) {
    const double cosine = runtime::squareRoot(1.0 - x * x);
    return std::atan(runtime::divide(x, cosine));
}

double ArcCos(double x) {
    // A cosine worked out from lengths can land a rounding step past ±1 (a
    // single-precision input, a ratio of equal radii): it is still the end
    // of its own side. Only an argument truly outside the range gives 0.
    constexpr double Rounding = 1e-6;
    if (x >= 1.0 && x <= 1.0 + Rounding)
        return 0.0;
    if (x <= -1.0 && x >= -1.0 - Rounding)
        return Pi;
    // NaN fails every comparison, so it is caught here with the
    // out-of-range arguments rather than reaching the square root.
    if (!(std::fabs(x) < 1.0))
        return 0.0;
    return std::atan(-x / std::sqrt(1.0 - x * x)) + 2.0 * std::atan(1.0);
}

double LawOfSines(double side, double angleA, double angleB) {
    return runtime::divide(runtime::checkFinite(side * std::sin(angleA)), std::sin(angleB));
}

double Deg2Rad(double degrees) { return runtime::checkFinite(degrees * Pi / 180.0); }

double Rad2Deg(double radians) { return runtime::checkFinite(radians * 180.0 / Pi); }

double DMSToDegrees(std::int32_t packed) {
    const double degrees = std::floor(packed / 10000.0);
    const double rest = packed - 10000.0 * degrees;
    const double minutes = std::floor(rest / 100.0);
    const double seconds = rest - 100.0 * minutes;
    return degrees + minutes / 60.0 + seconds / 3600.0;
}

double DMSToDegrees(double packed) { return DMSToDegrees(runtime::toInt32(packed)); }

bool IsEven(double x) {
    const double half = runtime::checkFinite(x) / 2.0;
    return runtime::intPart(half) == half;
}

double Atan2(double y, double x) {
    runtime::checkFinite(y);
    runtime::checkFinite(x);
    // A quotient that overflows still has its angle: atan(±inf) is ±π/2.
    if (x > 0.0)
        return std::atan(y / x);
    if (x < 0.0)
        return std::atan(y / x) + Pi;
    if (y > 0.0)
        return HalfPi;
    if (y < 0.0)
        return -HalfPi;
    return 0.0;
}

double Trunc(double value, std::int32_t places, runtime::ErrorReporter& reporter) {
    runtime::ResumeNext next(reporter, "MMath", "Trunc", "Resuming Next...");
    double whole = 0.0;
    double fraction = 0.0;
    std::int32_t factor = 0;
    std::int32_t scaled = 0;
    double result = 0.0;
    next([&] { whole = runtime::fixPart(value); });
    next([&] { fraction = runtime::checkFinite(value - whole); });
    next([&] { factor = runtime::toInt32(runtime::power(10.0, places)); });
    next([&] { scaled = runtime::toInt32(fraction * factor); });
    next([&] { result = runtime::checkFinite(runtime::divide(scaled, factor) + whole); });
    return result;
}

namespace {

double involuteStartValue(double inv) {
    if (inv < 0.5)
        return 1.441 * std::pow(inv, 1.0 / 3.0) - 0.366 * inv;
    return 0.471 * std::atan(inv) + 0.763407014822319;
}

} // namespace

double InverseInvolute(double inv) {
    // NaN fails the range test too and yields 0 like any argument outside (0, π].
    if (!(inv > 0.0 && inv <= Pi))
        return 0.0;
    // The Newton steps converge in at most four steps over (0, π]; the cap only
    // guards against a loop that rounding could keep alive forever.
    constexpr int stepLimit = 100;
    double previous = 0.0;
    double current = involuteStartValue(inv);
    for (int step = 0; step < stepLimit && std::fabs(current - previous) >= 1e-11; ++step) {
        previous = current;
        const double tanCurrent = std::tan(current);
        current = current + runtime::divide(inv + current - tanCurrent, tanCurrent * tanCurrent);
    }
    return runtime::checkFinite(current);
}

std::optional<double> HRCtoBHN(double hrc) {
    if (!(hrc >= 32.0 && hrc <= 65.0))
        return std::nullopt;
    return 122.98 * std::exp(0.0276 * hrc);
}

std::optional<double> BHNtoHRC(double hb) {
    if (!(hb >= 300.0 && hb <= 750.0))
        return std::nullopt;
    return 36.092 * std::log(hb) - 173.54;
}

double CelsiusToFahrenheit(double c) { return runtime::checkFinite(1.8 * c + 32.0); }

double FahrenheitToCelsius(double f) { return runtime::checkFinite((f - 32.0) / 1.8); }

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A text of digits with at most one point (and at least one digit) as a
// double; anything else is a type mismatch, a value beyond the double range
// an overflow.
double parseDigitsAndPoint(std::string_view digits) {
    const auto points = std::count(digits.begin(), digits.end(), '.');
    const bool hasDigit = std::any_of(digits.begin(), digits.end(), isDigit);
    if (!hasDigit || points > 1)
        runtime::raise(runtime::TypeMismatch);
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Out of range with a nonzero whole part is too large; otherwise too small to matter.
        const std::string_view wholePart = digits.substr(0, digits.find('.'));
        if (wholePart.find_first_not_of('0') != std::string_view::npos)
            runtime::raise(runtime::Overflow);
        return 0.0;
    }
    if (error != std::errc() || end != digits.data() + digits.size())
        runtime::raise(runtime::TypeMismatch);
    return value;
}

} // namespace

double NumberFromDigits(const std::string& text) {
    if (text.empty())
        return 0.0;
    std::string kept;
    for (char c : text)
        if (isDigit(c) || c == '.')
            kept.push_back(c);
    return parseDigitsAndPoint(kept);
}

namespace {

// The whole number written by digits, times 10^exponent.
double readScaledDigits(const std::string& digits, int exponent) {
    const std::string text = digits + "e" + std::to_string(exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// x > 0 written with `decimals` decimals and read back: x is first taken to
// fifteen significant digits, as a number shown in text is, and the last kept
// digit then rounds half away from zero.
double roundThroughDecimalText(double x, int decimals) {
    constexpr int significantDigits = 15;
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    // text is "d.dddddddddddddde±xx"
    const std::size_t exponentAt = text.find('e');
    std::string digits;
    digits.push_back(text[0]);
    digits.append(text.substr(2, exponentAt - 2));
    int exponent = 0;
    std::from_chars(text.data() + exponentAt + 1 + (text[exponentAt + 1] == '+'), text.data() + text.size(),
                    exponent);

    // Digit i stands for 10^(exponent − i); keep those down to 10^(−decimals).
    const long keep = static_cast<long>(exponent) + decimals + 1;
    if (keep >= significantDigits)
        return readScaledDigits(digits, exponent - significantDigits + 1);
    if (keep < 0)
        return 0.0;
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    if (digits[static_cast<std::size_t>(keep)] >= '5') {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9')
            kept[--i] = '0';
        if (i == 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i - 1];
    }
    if (kept.empty())
        return 0.0;
    return readScaledDigits(kept, -decimals);
}

} // namespace

double RoundSignificant(double value, double digits) {
    const double scale = runtime::power(10.0, runtime::intPart(Log10(value)) + 1.0);
    const std::int32_t decimals = runtime::toInt32(digits);
    if (decimals < 0)
        runtime::raise(runtime::InvalidProcedureCall);
    const double mantissa = runtime::divide(value, scale);
    // Beyond about 30 decimals the fifteen significant digits are all kept anyway.
    const int shownDecimals = decimals > 30 ? 30 : static_cast<int>(decimals);
    return runtime::checkFinite(scale * roundThroughDecimalText(mantissa, shownDecimals));
}

double ConvertedPower(double rounded, double unrounded, double factor) {
    const double converted = (unrounded > 0 ? unrounded : rounded) * factor;
    if (!(converted > 0))
        return converted;
    return RoundSignificant(converted, 3);
}

} // namespace cindrel::model::MMath
