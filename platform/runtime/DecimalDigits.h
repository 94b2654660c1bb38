#pragma once

#include <string>

namespace runtime {

// A finite number as decimal digits, the common ground of number texts and
// format patterns: both round the decimal value that the user sees, not the
// binary one, so 0.125 rounds to 0.13 and 2.675 to 2.68.
struct DecimalDigits {
    bool negative = false;
    // Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    // Digits before the decimal point: the value is 0.digits × 10^pointPosition.
    int pointPosition = 0;

    bool isZero() const noexcept { return digits.empty(); }

    // Shortest digits that read back as the same value; Overflow for inf/NaN.
    static DecimalDigits of(double value);
    static DecimalDigits of(float value);

    // Rounding half away from zero to a number of decimals or of significant
    // digits; a carry can add a digit in front (9.99 → 10.0).
    void roundToDecimals(int decimals);
    void roundToSignificant(int count);

    // The digit at a decimal position: 0 is the first digit after the point,
    // -1 the units, and so on; '0' outside the stored digits.
    char digitAfterPoint(int position) const;
    // The integer part's digits, "" for a value below 1.
    std::string integerDigits() const;

private:
    void keepLeadingDigits(int count);
};

} // namespace runtime
