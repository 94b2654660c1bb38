#include "runtime/CheckedMath.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

using namespace runtime;

using testsupport::errorNumberOf;

TEST(CheckedMath, DivisionByZeroIsError11) {
    EXPECT_EQ(errorNumberOf([] { divide(1.0, 0.0); }), DivisionByZero);
    EXPECT_EQ(errorNumberOf([] { divide(-1e-300, 0.0); }), DivisionByZero);
    EXPECT_EQ(errorNumberOf([] { divide(1.0, -0.0); }), DivisionByZero);
    EXPECT_DOUBLE_EQ(divide(1.0, 4.0), 0.25);
}

TEST(CheckedMath, ZeroByZeroIsOverflow) {
    EXPECT_EQ(errorNumberOf([] { divide(0.0, 0.0); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { divide(-0.0, 0.0); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { divide(0.0, -0.0); }), Overflow);
}

TEST(CheckedMath, QuotientTooLargeIsOverflow) {
    EXPECT_EQ(errorNumberOf([] { divide(std::numeric_limits<double>::max(), 0.5); }), Overflow);
}

TEST(CheckedMath, DomainErrorsAreError5) {
    EXPECT_EQ(errorNumberOf([] { squareRoot(-1e-300); }), InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { naturalLog(0.0); }), InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { naturalLog(-2.0); }), InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { power(-8.0, 1.0 / 3.0); }), InvalidProcedureCall);
    EXPECT_DOUBLE_EQ(power(-2.0, 3.0), -8.0);
    EXPECT_DOUBLE_EQ(squareRoot(0.0), 0.0);
}

TEST(CheckedMath, ZeroToNegativePowerIsDivisionByZero) {
    EXPECT_EQ(errorNumberOf([] { power(0.0, -1.0); }), DivisionByZero);
}

TEST(CheckedMath, InfiniteResultsAreOverflow) {
    EXPECT_EQ(errorNumberOf([] { power(10.0, 400.0); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { exponential(1000.0); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { checkFinite(std::numeric_limits<double>::quiet_NaN()); }), Overflow);
}

TEST(CheckedMath, HalvesRoundToEven) {
    const struct {
        double in, out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}

TEST(CheckedMath, IntegerConversionsOverflowAtTheLimits) {
    EXPECT_EQ(toInt16(32767.0), 32767);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.0), -32768);
    EXPECT_EQ(toInt16(-32768.5), -32768); // ties to even
    EXPECT_EQ(toInt16(0.5), 0);
    EXPECT_EQ(errorNumberOf([] { toInt16(32767.5); }), Overflow); // rounds to 32768
    EXPECT_EQ(errorNumberOf([] { toInt16(-32769.0); }), Overflow);
    EXPECT_EQ(toInt32(2147483647.0), INT32_MAX);
    EXPECT_EQ(toInt32(-2147483648.0), INT32_MIN);
    EXPECT_EQ(errorNumberOf([] { toInt32(2147483647.5); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { toInt32(-2147483649.0); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { toInt32(std::numeric_limits<double>::quiet_NaN()); }), Overflow);
}

TEST(CheckedMath, HalvesToEvenAtTheIntegerLimits) {
    EXPECT_EQ(toInt16(32766.5), 32766);
    EXPECT_EQ(toInt16(-32767.5), -32768);
    EXPECT_EQ(errorNumberOf([] { toInt16(-32768.6); }), Overflow);
    EXPECT_EQ(toInt32(2147483646.5), 2147483646);
    EXPECT_EQ(toInt32(-2147483648.5), INT32_MIN);
    EXPECT_EQ(errorNumberOf([] { toInt32(-2147483648.6); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { toInt16(std::numeric_limits<double>::infinity()); }), Overflow);
}

TEST(RuntimeErrors, CarryTheirStandardDescriptions) {
    const struct {
        int number;
        const char* description;
    } cases[] = {
        {TypeMismatch, "Type mismatch"},
        {InputPastEndOfFile, "Input past end of file"},
        {UnsupportedValueType, "Unsupported value type"},
        {CancelError, "Cancel was selected."},
        {4242, "Application-defined or object-defined error"},
    };
    for (const auto& c : cases) {
        const RuntimeError error(c.number);
        EXPECT_EQ(error.number(), c.number);
        EXPECT_EQ(error.description(), c.description);
        EXPECT_STREQ(error.what(), c.description);
    }
}

TEST(CheckedMath, TangentNearHalfPiIsLargeButFinite) {
    // π/2 is no double, so the tangent there is a large finite number, never an error.
    const double halfPi = 1.570796326794895;
    EXPECT_GT(std::fabs(tangent(halfPi)), 1e14);
    EXPECT_GT(tangent(std::nextafter(halfPi, 0.0)), 1e14);
    EXPECT_DOUBLE_EQ(tangent(0.7853981633974483), 1.0);
    EXPECT_EQ(errorNumberOf([] { tangent(std::numeric_limits<double>::infinity()); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { tangent(std::numeric_limits<double>::quiet_NaN()); }), Overflow);
}

TEST(CheckedMath, FixDropsTheFractionAndIntFloors) {
    const struct {
        double in, fix, floor;
    } cases[] = {{1.5, 1, 1}, {-1.5, -1, -2}, {-0.25, 0, -1}, {7, 7, 7}, {-7, -7, -7}};
    for (const auto& c : cases) {
        EXPECT_EQ(fixPart(c.in), c.fix) << c.in;
        EXPECT_EQ(intPart(c.in), c.floor) << c.in;
    }
    EXPECT_EQ(errorNumberOf([] { fixPart(std::numeric_limits<double>::quiet_NaN()); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { intPart(std::numeric_limits<double>::infinity()); }), Overflow);
}

namespace {

constexpr std::int16_t Max16 = INT16_MAX;
constexpr std::int16_t Min16 = INT16_MIN;
constexpr std::int32_t Max32 = INT32_MAX;
constexpr std::int32_t Min32 = INT32_MIN;

} // namespace

TEST(IntegerArithmetic, SixteenBitResultsWithinRange) {
    EXPECT_EQ(add16(Max16 - 1, 1), Max16);
    EXPECT_EQ(add16(Min16, Max16), -1);
    EXPECT_EQ(subtract16(Min16 + 1, 1), Min16);
    EXPECT_EQ(multiply16(-128, 256), Min16);
    EXPECT_EQ(multiply16(181, 181), 32761);
    EXPECT_EQ(quotient16(-7, 2), -3);
    EXPECT_EQ(quotient16(Min16, 1), Min16);
    EXPECT_EQ(remainder16(-7, 2), -1);
    EXPECT_EQ(remainder16(7, -2), 1);
    EXPECT_EQ(remainder16(Min16, -1), 0);
}

TEST(IntegerArithmetic, SixteenBitOverflowIsError6) {
    EXPECT_EQ(errorNumberOf([] { add16(Max16, 1); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { add16(Min16, -1); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { subtract16(Min16, 1); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { subtract16(0, Min16); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { multiply16(182, 181); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { multiply16(Min16, -1); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { quotient16(Min16, -1); }), Overflow);
}

TEST(IntegerArithmetic, ThirtyTwoBitResultsWithinRange) {
    EXPECT_EQ(add32(Max32 - 1, 1), Max32);
    EXPECT_EQ(subtract32(Min32 + 1, 1), Min32);
    EXPECT_EQ(multiply32(-65536, 32768), Min32);
    EXPECT_EQ(multiply32(46340, 46340), 2147395600);
    EXPECT_EQ(quotient32(-2147483647, 2), -1073741823);
    EXPECT_EQ(remainder32(-2147483647, 2), -1);
    EXPECT_EQ(remainder32(Min32, -1), 0);
}

TEST(IntegerArithmetic, ThirtyTwoBitOverflowIsError6) {
    EXPECT_EQ(errorNumberOf([] { add32(Max32, 1); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { subtract32(Min32, 1); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { multiply32(46341, 46341); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { multiply32(Min32, -1); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { quotient32(Min32, -1); }), Overflow);
}

TEST(IntegerArithmetic, DivisionByZeroIsError11) {
    EXPECT_EQ(errorNumberOf([] { quotient16(1, 0); }), DivisionByZero);
    EXPECT_EQ(errorNumberOf([] { remainder16(0, 0); }), DivisionByZero);
    EXPECT_EQ(errorNumberOf([] { quotient32(0, 0); }), DivisionByZero);
    EXPECT_EQ(errorNumberOf([] { remainder32(Min32, 0); }), DivisionByZero);
}
