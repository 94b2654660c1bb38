#include "runtime/NumberFormat.h"
#include "runtime/RuntimeError.h"

#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <limits>

using namespace runtime;
using testsupport::errorNumberOf;

namespace {

struct FormatCase {
    const char* pattern;
    double value;
    const char* text;
};

void expectFormats(const FormatCase* begin, const FormatCase* end) {
    for (auto c = begin; c != end; ++c)
        EXPECT_EQ(formatNumber(c->value, c->pattern), c->text) << '"' << c->pattern << "\" of " << c->value;
}

} // namespace

TEST(FormatNumber, ZeroPlacesAlwaysShowADigit) {
    const FormatCase cases[] = {
        {"0", 0, "0"},          {"0", 2.5, "3"},           {"0", -2.5, "-3"},          {"0", 0.5, "1"},
        {"0", 1.5, "2"},        {"0", -0.4, "0"},          {"0", 123456789, "123456789"},
        {"0", 1e20, "100000000000000000000"},
        {"0.0", 0.05, "0.1"},   {"0.0", -0.04, "0.0"},     {"0.00", 0.125, "0.13"},    {"0.00", 2.675, "2.68"},
        {"0.00", 1.005, "1.01"}, {"0.00", -0.005, "-0.01"}, {"0.00", -0.0049, "0.00"}, {"0.000", 9.9996, "10.000"},
        {"0.000", 0, "0.000"},  {"0.000", -1.2345, "-1.235"}, {"0.0000", 1.0 / 3, "0.3333"},
        {"00", 5, "05"},        {"00", 0, "00"},           {"00", 123, "123"},         {"00", -7, "-07"},
        {"000000", 123, "000123"},
    };
    expectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatNumber, HashPlacesShowOnlySignificantDigits) {
    const FormatCase cases[] = {
        {"#", 0, ""},              {"#", 0.4, ""},          {"#", -0.4, ""},          {"#", 7, "7"},
        {"#", -7.5, "-8"},         {"#.####", 0.25, ".25"}, {"#.####", 2, "2."},      {"#.####", 0, "."},
        {"#.####", -0.25, "-.25"}, {"#.####", 0.00004, "."}, {"#.####", 1.23456, "1.2346"},
        {"#.000", 0.45, ".450"},   {"#.000", 0, ".000"},    {"#.000", -0.0004, ".000"}, {"#.000", 12.3456, "12.346"},
        {"##.00", 0.5, ".50"},     {"##.00", 123.456, "123.46"},
        {"##.####", 3.14159, "3.1416"},
        {"#0.00", 0.5, "0.50"},    {"#0.00", -0.001, "0.00"}, {"###", 0, ""},           {"###", 1234.5, "1235"},
        {"#.#", 12, "12."},        {"#.0", 0.5, ".5"},      {"0.#####", 0.5, "0.5"},  {"0.#####", 2, "2."},
    };
    expectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatNumber, CommaGroupsThousands) {
    const FormatCase cases[] = {
        {"###,###", 1234567, "1,234,567"},    {"###,###", 0, ""},          {"###,###", 999, "999"},
        {"###,###", 1000, "1,000"},           {"###,###,###", 123456789, "123,456,789"},
        {"###,###,###", -1234, "-1,234"},     {"#,##0.000", 999.9996, "1,000.000"},
        {"#,##0.000", 1234.5, "1,234.500"},   {"#,##0.000", 0, "0.000"},   {"#,##0.000", -0.0004, "0.000"},
        {"#,##0.000", 1e10, "10,000,000,000.000"},
        {"#,##0.00", -1234567.891, "-1,234,567.89"}, {"#,##0.00", 0.005, "0.01"},
    };
    expectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatNumber, ScientificHasTwoDecimalsAndASignedExponent) {
    const FormatCase cases[] = {
        {"Scientific", 30000000, "3.00E+07"}, {"Scientific", 0.00012345, "1.23E-04"}, {"Scientific", 0, "0.00E+00"},
        {"Scientific", -30000000, "-3.00E+07"}, {"Scientific", 1e7, "1.00E+07"},   {"Scientific", 9.995e7, "1.00E+08"},
        {"Scientific", 1.5, "1.50E+00"},      {"Scientific", 1e-100, "1.00E-100"},  {"Scientific", -0.0, "0.00E+00"},
        {"0.000E-00", 12345, "1.235E04"},     {"0.0E+0", 0.05, "5.0E-2"},
    };
    expectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatNumber, NamedAndEmptyPatterns) {
    const FormatCase cases[] = {
        {"", 0.5, "0.5"},       {"General Number", 20, "20"}, {"Fixed", 1234.567, "1234.57"},
        {"Standard", 1234.567, "1,234.57"},
    };
    expectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatNumber, OtherCharactersAreCopied) {
    EXPECT_EQ(formatNumber(12.5, "0.0 in"), "12.5 in");
    EXPECT_EQ(formatNumber(0.5, "(#.00)"), "(.50)");
}

TEST(FormatNumber, NonFiniteIsOverflow) {
    EXPECT_EQ(errorNumberOf([] { formatNumber(std::numeric_limits<double>::infinity(), "0.00"); }), Overflow);
    EXPECT_EQ(errorNumberOf([] { formatNumber(std::numeric_limits<double>::quiet_NaN(), "Scientific"); }), Overflow);
}

TEST(ShowsNumber, TrueOnlyForTheTextThePatternWrites) {
    // 30e6 psi in MPa is 206,842.72: "2.07E+05" stands for it, "207000" does not.
    EXPECT_TRUE(showsNumber("2.07E+05", 206842.72, "Scientific"));
    EXPECT_TRUE(showsNumber(" 2.07E+05\t", 206842.72, "Scientific"));
    EXPECT_FALSE(showsNumber("207000", 206842.72, "Scientific"));
    EXPECT_FALSE(showsNumber("2.07E+5", 206842.72, "Scientific"));
    EXPECT_TRUE(showsNumber("0.1571", 0.15707963, "0.0000"));
    EXPECT_FALSE(showsNumber("0.1570", 0.15707963, "0.0000"));
    EXPECT_FALSE(showsNumber("", 0, "0.0000"));
    EXPECT_FALSE(showsNumber("inf", std::numeric_limits<double>::infinity(), "0.0000"));
    EXPECT_FALSE(showsNumber("nan", std::numeric_limits<double>::quiet_NaN(), "Scientific"));
}
