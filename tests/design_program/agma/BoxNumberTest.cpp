#include "agma/BoxNumber.h"

#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace cindrel::agma {
namespace {

TEST(BoxNumber, GroupingCommasBelongToTheNumber) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"40,000 BHN", 40000},     {"10,000,000", 10000000}, {"7,001*", 7001},
        {"30,000,000", 30000000},  {"-1,234.5", -1234.5},    {"1234,567", 1234},
        {"1,5", 1},                {"1,2345", 1},            {"12,34", 12},
        {"1.234,567", 1.234},      {"1,000e2", 100000},      {",500", 0},
        {"1.0*", 1},               {"", 0},                  {"abc", 0},
        {"300", 300},              {"2,000, 3", 2000},       {"1e3,000", 1000},
        // Decimal commas are no grouping, whatever digits follow them.
        {"0,350", 0},              {"0,100", 0},             {"0,500", 0},
        {"0,350*", 0},             {"012,345", 12},          {"1,234,56", 1},
        {"1,234,5678", 1},         {"12,345,678", 12345678}, {"1,234", 1234},
        {"0", 0},                  {"1,234.5,678", 1234.5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(boxNumber(c.text), c.expected) << '"' << c.text << '"';
}

// A box's whole text: a number once grouping commas and the override mark
// are set aside, as the program's other boxes read numbers; never its digits.
TEST(BoxNumber, AWholeTextIsANumberOrNone) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1.0*", 1},           {"125,700", 125700},     {"1.0", 1},           {"125,700*", 125700},
        {"30,000,000", 3e7},   {"-3", -3},              {"1e5", 100000},      {" 2.5 ", 2.5},
        {"1.0* ", 1},          {".5", 0.5},             {"17x000", std::nullopt}, {"", std::nullopt},
        {"*", std::nullopt},   {"1.0**", std::nullopt}, {"*1.0", std::nullopt}, {"1 000", std::nullopt},
        {"1,5", std::nullopt}, {"1,2345", std::nullopt}, {",500", std::nullopt}, {"1.234,567", std::nullopt},
        {"95,000 psi", std::nullopt}, {"1.2.3", std::nullopt}, {"-", std::nullopt}, {"Err", std::nullopt},
        {"1e400", std::nullopt}, {"0,350", std::nullopt}, {"0,350*", std::nullopt},
        {"1234,567", std::nullopt}, {"0,500", std::nullopt}, {"012,345", std::nullopt},
        {"1,234,56", std::nullopt}, {"1,234.5", 1234.5}, {"12,345,678*", 12345678},
        {"1,234,", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wholeBoxNumber(c.text), c.expected) << '"' << c.text << '"';
}

// Every length of the first group and of a later one, with and without a
// leading 0: only 1 to 3 digits not led by 0, then groups of exactly 3, are
// grouped; anything else is no number read whole and its first digits led.
TEST(BoxNumber, OnlyTrueGroupsOfEveryLengthGroup) {
    for (const char lead : {'1', '0'})
        for (int first = 1; first <= 6; ++first)
            for (int later = 1; later <= 5; ++later) {
                const std::string head = lead + std::string(static_cast<std::size_t>(first - 1), '2');
                const std::string text = head + "," + std::string(static_cast<std::size_t>(later), '3') + "*";
                const bool grouped = lead != '0' && first <= 3 && later == 3;
                const double joined = std::stod(head + std::string(static_cast<std::size_t>(later), '3'));
                const std::optional<double> whole = wholeBoxNumber(text);
                EXPECT_EQ(whole, grouped ? std::optional<double>(joined) : std::nullopt) << text;
                EXPECT_EQ(boxNumber(text), grouped ? joined : std::stod(head)) << text;
            }
}

TEST(BoxNumber, OverflowIsAnError) {
    EXPECT_EQ(testsupport::errorNumberOf([] { boxNumber("1e400"); }), runtime::Overflow);
}

TEST(BoxNumber, TheMarkIsATrailingStar) {
    EXPECT_TRUE(carriesMark("1.0*"));
    EXPECT_TRUE(carriesMark("*"));
    EXPECT_FALSE(carriesMark("1.0* "));
    EXPECT_FALSE(carriesMark("*1.0"));
    EXPECT_FALSE(carriesMark(""));
}

} // namespace
} // namespace cindrel::agma
