#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace runtime;
using testsupport::errorNumberOf;

TEST(LeadingNumber, TakesTheNumberAtTheStart) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},          {"abc", 0},      {" -1.5e3x", -1500}, {"1.0*", 1},     {"+.5", 0.5},
        {"1e", 1},        {"1e+", 1},      {"1E-2", 0.01},      {"-", 0},        {".", 0},
        {"1.2.3", 1.2},   {"  \t42 ", 42}, {"5.", 5},           {"-0", 0},       {"0.0001", 0.0001},
        {"2.5 in", 2.5},  {"x12", 0},      {"1e-400", 0},       {"007", 7},      {"12,345", 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(LeadingNumber, SkipsBlanksTabsAndLineFeedsAnywhere) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {" 1615 198th Street N.E.", 1615198}, {"1 2", 12},        {"- 5", -5},       {"1 . 5", 1.5},
        {"1\t2\n3", 123},                     {"2 e 3", 2000},    {"1e -2", 0.01},   {"\n\n7", 7},
        {"+ .5", 0.5},                         {"1\r2", 1},        {"\r5", 0},        {"12 ,345", 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(LeadingNumber, DMarksAnExponentAsEDoes) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1D3", 1000}, {"1d3", 1000}, {"2.5D-1", 0.25}, {"-4d+2", -400}, {"1D", 1}, {"1D+", 1}, {"3Dx", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(LeadingNumber, HexadecimalAndOctalWrapAtSixteenAndThirtyTwoBits) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"&HFF", 255},         {"&hff", 255},          {"&H7FFF", 32767},       {"&H8000", -32768},
        {"&HFFFF", -1},        {"&H10000", 65536},     {"&H7FFFFFFF", 2147483647}, {"&H80000000", -2147483648.0},
        {"&HFFFFFFFF", -1},    {"&H0000FFFF", -1},     {"&HFFx", 255},          {"&H F F", 255},
        {"&O17", 15},          {"&o777", 511},         {"&O177777", -1},        {"&O200000", 65536},
        {"&O37777777777", -1}, {"&O8", 0},             {"&H", 0},               {"&HG", 0},
        {"&", 0},              {"&17", 0},             {"-&H10", 0},            {"&O18", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(LeadingNumber, HexadecimalBeyondThirtyTwoBitsIsOverflow) {
    EXPECT_EQ(errorNumberOf([] { leadingNumber("&H100000000"); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { leadingNumber("&O40000000000"); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { leadingNumber("&HFFFFFFFFFFFFFFFFFFFF"); }), Overflow);
}

TEST(LeadingNumber, NegativeZeroIsPlainZero) {
    EXPECT_FALSE(std::signbit(leadingNumber("-0.0")));
}

TEST(LeadingNumber, BeyondDoubleIsOverflow) {
    EXPECT_EQ(errorNumberOf([] { leadingNumber("1e309"); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { leadingNumber("-2e99999999999999999999"); }), Overflow);
    EXPECT_EQ(leadingNumber("0e99999"), 0);
    EXPECT_EQ(leadingNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(NumberReaders, TheLargestDoubleAsNumberTextWritesItReadsBack) {
    constexpr double largest = std::numeric_limits<double>::max();
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1.79769313486232E+308", largest},  {"-1.79769313486232E+308", -largest},
        {"1.797693134862320E+308", largest}, {"179769313486232E+294", largest},
        {"0.179769313486232E+309", largest}, {"1.7976931348623158E+308", largest},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
        EXPECT_EQ(toNumber(c.text), c.value) << c.text;
        EXPECT_TRUE(isNumeric(c.text)) << c.text;
    }
    for (const char* beyond : {"1.797693134862321E+308", "1.79769313486233E+308", "1.8E+308", "1E+309"}) {
        EXPECT_EQ(errorNumberOf([&] { leadingNumber(beyond); }), Overflow) << beyond;
        EXPECT_EQ(errorNumberOf([&] { toNumber(beyond); }), Overflow) << beyond;
        EXPECT_FALSE(isNumeric(beyond)) << beyond;
    }
    EXPECT_EQ(toNumber(numberText(largest)), largest);
    EXPECT_EQ(toNumber(numberText(-largest)), -largest);
}

TEST(IsNumeric, TheWholeTextMustBeOneNumber) {
    const struct {
        const char* text;
        bool numeric;
    } cases[] = {
        {"1", true},     {" 1.5 ", true}, {"+.5", true},  {"-1e-3", true}, {"5.", true},
        {"", false},     {" ", false},    {"abc", false}, {"1e", false},   {"1.2.3", false},
        {"-", false},    {".", false},    {"1.0*", false}, {"1 2", false}, {"1e400", false},
        {"1,500.000", true}, {"-12,345,678.5", true}, {"1,5", true},  {" 1,000 ", true}, {"1D2", true},
        {"&HFF", true},  {",5", false},   {"1.5,0", false}, {"1e1,0", false}, {"-,5", false},
        {"1 ,000", false}, {"&H", false}, {"&HFFFFFFFFF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isNumeric(c.text), c.numeric) << '"' << c.text << '"';
}

TEST(ToNumber, RaisesTypeMismatchOrOverflow) {
    EXPECT_EQ(toNumber(" 2.25 "), 2.25);
    EXPECT_EQ(errorNumberOf([] { toNumber("2.25x"); }), TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { toNumber(""); }), TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { toNumber("1e999"); }), Overflow);
}

TEST(ToNumber, ReadsTheGroupingCommasThatFormatsWrite) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1,500.000", 1500},  {"-1,500.000", -1500}, {"12,345,678", 12345678}, {"1,234.5e1", 12345},
        {" 2,000 ", 2000},    {"1,5", 15},            {"0,001", 1},             {"1,", 1},
        {"2.5D1", 25},        {"&HFFFF", -1},         {"&O10", 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toNumber(c.text), c.value) << '"' << c.text << '"';
    for (const char* text : {",5", "1.5,0", "1e1,0", "1,500.000x", ",", "1 000", "1,500 .0"})
        EXPECT_EQ(errorNumberOf([&] { toNumber(text); }), TypeMismatch) << '"' << text << '"';
}

TEST(NumberText, GeneralFormOfDoubles) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {20, "20"},
        {-3, "-3"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {0.4, "0.4"},
        {7.6, "7.6"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-2.0 / 3, "-0.666666666666667"},
        {0.0001, "0.0001"},
        {0.00009, "9E-05"},
        {1e-5, "1E-05"},
        {-1.25e-7, "-1.25E-07"},
        {8e-5, "8E-05"},
        {1e14, "100000000000000"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {1e16, "1E+16"},
        {1.5e20, "1.5E+20"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {9999999999999999.0, "1E+16"},
        {1e100, "1E+100"},
        {1e-300, "1E-300"},
        {50.012001037597656, "50.0120010375977"},
        {3.14159265358979, "3.14159265358979"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.value;
}

TEST(NumberText, SinglesShowSevenDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.1f, "0.1"},          {1.0f / 3, "0.3333333"}, {50.012f, "50.012"},        {1234567.0f, "1234567"},
        {12345678.0f, "1.234568E+07"}, {1e7f, "1E+07"},  {-0.0f, "0"},               {0.0001f, "0.0001"},
        {0.00009f, "9E-05"},    {-2.5f, "-2.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(singleText(c.value), c.text) << c.value;
}

TEST(NumberText, RoundTripsThroughLeadingNumberWithinFifteenDigits) {
    for (const double value : {0.1, -7.25, 1e-5, 6.02214076e23, 123456.789, 2.675})
        EXPECT_EQ(leadingNumber(numberText(value)), value) << value;
}

TEST(NumberText, SignSpaceFormLeadsANumberNotNegativeWithABlank) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, " 0"}, {-0.0, " 0"}, {2.5, " 2.5"}, {-2.5, "-2.5"}, {0.5, " 0.5"}, {1e-5, " 1E-05"}, {-1e20, "-1E+20"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberTextWithSignSpace(c.value), c.text) << c.value;
    EXPECT_EQ(errorNumberOf([] { numberTextWithSignSpace(std::numeric_limits<double>::infinity()); }), Overflow);
}

TEST(NumberText, NonFiniteIsOverflow) {
    EXPECT_EQ(errorNumberOf([] { numberText(std::numeric_limits<double>::infinity()); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { numberText(std::numeric_limits<double>::quiet_NaN()); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { singleText(std::numeric_limits<float>::infinity()); }), Overflow);
}
