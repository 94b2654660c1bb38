#include "model/MMath.h"

#include "RecordingShell.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace cindrel::model {
namespace {

using testing::RecordingShell;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
const double QuarterPi = std::atan(1.0);

using testsupport::errorNumberOf;

TEST(MMathTest, PiIsTheFifteenDigitConstant) {
    EXPECT_EQ(MMath::Pi, 3.14159265358979);
    EXPECT_EQ(MMath::HalfPi, 1.570796326794895);
    EXPECT_EQ(MMath::Deg2Rad(180), MMath::Pi);
    EXPECT_EQ(MMath::Rad2Deg(MMath::Pi), 180);
    EXPECT_NEAR(MMath::Deg2Rad(20), 0.3490658503988659, 1e-15);
}

TEST(MMathTest, ArcCosEndsAndOutsideArguments) {
    struct Case { double x, expected; };
    // Past an end by rounding only is that end; further out is 0 on both sides.
    const Case cases[] = {
        {1, 0}, {-1, MMath::Pi}, {1.0000001, 0}, {-1.0000001, MMath::Pi},
        {std::nextafter(-1.0, -2.0), MMath::Pi}, {-1.0000009, MMath::Pi}, {-1.00001, 0}, {-1.5, 0}, {1.00001, 0},
        {std::nextafter(-1.0, 0.0), std::acos(std::nextafter(-1.0, 0.0))},
        {0, 2 * QuarterPi}, {0.5, std::acos(0.5)}, {-0.5, std::acos(-0.5)}, {NaN, 0}, {Inf, 0}, {-Inf, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(MMath::ArcCos(c.x), c.expected, 1e-14) << "x = " << c.x;
}

TEST(MMathTest, ArcSinValuesAndErrors) {
    EXPECT_NEAR(MMath::ArcSin(0.5), std::asin(0.5), 1e-15);
    EXPECT_NEAR(MMath::ArcSin(-0.5), -std::asin(0.5), 1e-15);
    struct Case { double x; int error; };
    const Case cases[] = {
        {1, runtime::DivisionByZero}, {-1, runtime::DivisionByZero},
        {1.5, runtime::InvalidProcedureCall}, {NaN, runtime::InvalidProcedureCall},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorNumberOf([&] { MMath::ArcSin(c.x); }), c.error) << "x = " << c.x;
}

TEST(MMathTest, LawOfSines) {
    EXPECT_NEAR(MMath::LawOfSines(2, MMath::Deg2Rad(30), MMath::HalfPi), 1, 1e-14);
    EXPECT_EQ(errorNumberOf([] { MMath::LawOfSines(2, 1, 0); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([] { MMath::LawOfSines(2, NaN, 1); }), runtime::Overflow);
}

TEST(MMathTest, Log10AndItsDomain) {
    EXPECT_NEAR(MMath::Log10(1000), 3, 1e-14);
    EXPECT_NEAR(MMath::Log10(0.01), -2, 1e-14);
    for (double x : {0.0, -1.0, NaN})
        EXPECT_EQ(errorNumberOf([&] { MMath::Log10(x); }), runtime::InvalidProcedureCall) << x;
}

TEST(MMathTest, RoundSignificant) {
    struct Case { double value, digits, expected; };
    const Case cases[] = {
        {123.456, 2, 120}, {0.0123456, 2, 0.012}, {123.456, 4, 123.5},
        {12.5, 2, 13},      // a half rounds away from zero, as shown in text
        {0.285, 2, 0.29},   // the text's fifteen digits decide, not the binary tail
        {999.7, 2, 1000},   // the carry runs into a new digit
        {1000, 2, 1000},    {567, 0, 1000}, {123, 0, 0},
        {123.456, 40, 123.456},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(MMath::RoundSignificant(c.value, c.digits), c.expected, 1e-12 * c.expected)
            << c.value << " to " << c.digits;
    for (double value : {0.0, -5.0, NaN})
        EXPECT_EQ(errorNumberOf([&] { MMath::RoundSignificant(value, 2); }), runtime::InvalidProcedureCall)
            << value;
    EXPECT_EQ(errorNumberOf([] { MMath::RoundSignificant(12, -1); }), runtime::InvalidProcedureCall);
}

TEST(MMathTest, ConvertedPowerComesFromThePowerWorkedOut) {
    struct Case { double rounded, unrounded, factor, expected; };
    const Case cases[] = {
        {20.1, 20.126, 0.7457, 15.0},   // 20.126 × 0.7457 = 15.008; 20.1 × 0.7457 would be 14.99
        {13.4, 13.449, 0.7457, 10.0},   // 10.029; the rounded 13.4 would give 9.99
        {100, 0, 0.7457, 74.6},         // unknown: the rounded power stands in
        {0, 0, 0.7457, 0},              // no power: no rounding of 0
    };
    for (const Case& c : cases)
        EXPECT_NEAR(MMath::ConvertedPower(c.rounded, c.unrounded, c.factor), c.expected, 1e-12) << c.unrounded;
}

TEST(MMathTest, InvolutePairGivesTheAngleBack) {
    const double twenty = MMath::Deg2Rad(20);
    EXPECT_NEAR(MMath::InvFunction(twenty), 0.014904383867336446, 1e-16);
    EXPECT_NEAR(MMath::InverseInvolute(MMath::InvFunctionDbl(twenty)), twenty, 1e-11);
    EXPECT_NEAR(MMath::InverseInvolute(MMath::Pi), 1.35181680, 1e-8);
    // Both start values, across the whole range that the routine serves.
    for (double inv = 1e-6; inv < MMath::Pi; inv *= 1.7)
        EXPECT_NEAR(MMath::InvFunction(MMath::InverseInvolute(inv)), inv, 1e-12 * std::max(1.0, inv)) << inv;
}

TEST(MMathTest, InverseInvoluteOutsideItsRangeIsZero) {
    for (double inv : {0.0, -1.0, 3.2, NaN, Inf, -Inf})
        EXPECT_EQ(MMath::InverseInvolute(inv), 0) << inv;
    // A vanishing involute still converges, to a vanishing angle.
    const double tiny = MMath::InverseInvolute(std::numeric_limits<double>::denorm_min());
    EXPECT_GT(tiny, 0);
    EXPECT_LT(tiny, 1e-100);
}

TEST(MMathTest, TruncRoundsTheScaledFractionHalfToEven) {
    struct Case { double value; std::int32_t places; double expected; };
    const Case cases[] = {
        {2.125, 2, 2.12}, {2.375, 2, 2.38}, {-1.375, 2, -1.38}, {3.5, 0, 3}, {4.5, 0, 4},
        {3.51, 0, 4},     {1.25, 1, 1.2},   {1.35, 1, 1.4},     {0.38694, 4, 0.3869},
        {-7, 3, -7},      {1e12 + 0.25, 1, 1e12 + 0.2},
    };
    for (const Case& c : cases) {
        RecordingShell shell;
        EXPECT_DOUBLE_EQ(MMath::Trunc(c.value, c.places, shell), c.expected) << c.value << ", " << c.places;
        EXPECT_TRUE(shell.errors.empty());
    }
}

TEST(MMathTest, TruncReportsEachFailingStepAndGoesOn) {
    struct Case { double value; std::int32_t places; std::vector<std::string> numbers; };
    const Case cases[] = {
        {NaN, 2, {"6", "6"}},  // whole and fraction fail, the rest rounds 0
        {Inf, 2, {"6", "6"}},
        {2.5, 10, {"6", "6"}},   // 10^10 is no 32-bit integer: the factor stays 0, and 0 / 0 overflows
        {2.5, -1, {"6"}},        // 10^-1 converts to 0
    };
    for (const Case& c : cases) {
        RecordingShell shell;
        EXPECT_EQ(MMath::Trunc(c.value, c.places, shell), 0) << c.value << ", " << c.places;
        std::vector<std::string> numbers;
        for (const RecordingShell::Error& error : shell.errors) {
            EXPECT_EQ(error.module, "MMath");
            EXPECT_EQ(error.routine, "Trunc");
            EXPECT_EQ(error.description, runtime::errorDescription(std::stoi(error.number)));
            EXPECT_EQ(error.other, "Resuming Next...");
            numbers.push_back(error.number);
        }
        EXPECT_EQ(numbers, c.numbers) << c.value << ", " << c.places;
    }
}

TEST(MMathTest, DMSToDegreesUnpacksDegreesMinutesSeconds) {
    struct Case { std::int32_t packed; double expected; };
    const Case cases[] = {
        {203000, 20.5}, {142959, 14 + 29 / 60.0 + 59 / 3600.0}, {207500, 21.25}, {0, 0}, {2500, 0.4166666666666667},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(MMath::DMSToDegrees(c.packed), c.expected, 1e-12) << c.packed;
    EXPECT_NEAR(MMath::DMSToDegrees(142959.0), 14.499722222222222, 1e-12);
    EXPECT_EQ(errorNumberOf([] { MMath::DMSToDegrees(3e9); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([] { MMath::DMSToDegrees(NaN); }), runtime::Overflow);
}

TEST(MMathTest, IsEven) {
    for (double x : {0.0, 2.0, 40.0, -4.0})
        EXPECT_TRUE(MMath::IsEven(x)) << x;
    for (double x : {1.0, 21.0, -3.0, 2.5})
        EXPECT_FALSE(MMath::IsEven(x)) << x;
}

TEST(MMathTest, Atan2InEveryQuadrantAndOnTheAxes) {
    struct Case { double y, x, expected; };
    const Case cases[] = {
        {1, 1, QuarterPi},       {1, -1, 3 * QuarterPi}, {-1, -1, 5 * QuarterPi}, {-1, 1, -QuarterPi},
        {0, 0, 0},               {1, 0, MMath::HalfPi},  {-1, 0, -MMath::HalfPi},  {0, -1, MMath::Pi},
        {0, 2, 0},               {1e308, 1e-10, 2 * QuarterPi},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(MMath::Atan2(c.y, c.x), c.expected, 1e-14) << c.y << ", " << c.x;
    EXPECT_NE(errorNumberOf([] { MMath::Atan2(NaN, 1); }), 0);
}

TEST(MMathTest, HardnessConversionsIncludeTheirEnds) {
    EXPECT_DOUBLE_EQ(MMath::HRCtoBHN(32).value(), 122.98 * std::exp(0.8832));
    EXPECT_DOUBLE_EQ(MMath::HRCtoBHN(65).value(), 122.98 * std::exp(0.0276 * 65));
    EXPECT_DOUBLE_EQ(MMath::BHNtoHRC(300).value(), 36.092 * std::log(300.0) - 173.54);
    EXPECT_DOUBLE_EQ(MMath::BHNtoHRC(750).value(), 36.092 * std::log(750.0) - 173.54);
    for (double hrc : {31.9, 65.1, NaN})
        EXPECT_FALSE(MMath::HRCtoBHN(hrc).has_value()) << hrc;
    for (double hb : {299.9, 751.0, NaN})
        EXPECT_FALSE(MMath::BHNtoHRC(hb).has_value()) << hb;
}

TEST(MMathTest, Temperatures) {
    EXPECT_DOUBLE_EQ(MMath::CelsiusToFahrenheit(100), 212);
    EXPECT_DOUBLE_EQ(MMath::CelsiusToFahrenheit(-40), -40);
    EXPECT_DOUBLE_EQ(MMath::FahrenheitToCelsius(212), 100);
    EXPECT_EQ(errorNumberOf([] { MMath::FahrenheitToCelsius(NaN); }), runtime::Overflow);
}

TEST(MMathTest, NumberFromDigitsKeepsDigitsAndPoints) {
    struct Case { std::string text; double expected; };
    const Case cases[] = {
        {"", 0}, {"1.0*", 1}, {"-3", 3}, {"1,250.5", 1250.5}, {" .5 in", 0.5}, {"7.", 7}, {"0.85", 0.85},
        {"0." + std::string(400, '0') + "1", 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(MMath::NumberFromDigits(c.text), c.expected) << '"' << c.text << '"';
}

TEST(MMathTest, NumberFromDigitsErrors) {
    struct Case { std::string text; int error; };
    const Case cases[] = {
        {"abc", runtime::TypeMismatch}, {"1.2.3", runtime::TypeMismatch}, {".", runtime::TypeMismatch},
        {"-", runtime::TypeMismatch},   {std::string(400, '9'), runtime::Overflow},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorNumberOf([&] { MMath::NumberFromDigits(c.text); }), c.error) << '"' << c.text << '"';
}

} // namespace
} // namespace cindrel::model
