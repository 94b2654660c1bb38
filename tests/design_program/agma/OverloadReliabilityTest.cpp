#include "agma/OverloadReliability.h"

#include <gtest/gtest.h>

#include <optional>

namespace cindrel::agma {
namespace {

// Kr of the AGMA 2001 reliability table: 0.9999 1.50, 0.999 1.25, 0.99 1.00,
// 0.90 0.85, 0.50 0.70.
TEST(OverloadReliability, ReliabilityOptionsArePublishedOnes) {
    const char* published[][2] = {{"10,000", "1.5"}, {"1,000", "1.25"}, {"100", "1.0"}, {"10", "0.85"}, {"2", "0.7"}};
    for (std::size_t i = 0; i < ReliabilityOptions.size(); ++i) {
        EXPECT_EQ(ReliabilityOptions[i].caption, published[i][0]);
        EXPECT_EQ(ReliabilityOptions[i].factor, published[i][1]);
        EXPECT_EQ(reliabilityOptionFor(ReliabilityOptions[i].factor), static_cast<int>(i)); // each finds itself
    }
    EXPECT_EQ(ReliabilityNoteOption, 4);
}

TEST(OverloadReliability, TypedKrChoosesItsOption) {
    struct Case {
        const char* typed;
        int option;
    };
    const Case cases[] = {{"2", 0},    {"1.49", 1}, {"1.3*", 1}, {"1.24", 2}, {"1", 2},  {"0.99", 3},
                          {"0.85", 3}, {"0.8", 4},  {"0", 4},    {"", 4},     {"x", 4},  {"1e400", 4}};
    for (const Case& c : cases)
        EXPECT_EQ(reliabilityOptionFor(c.typed), c.option) << c.typed;
}

TEST(OverloadReliability, TypedKoChoosesItsOptionOrNone) {
    struct Case {
        const char* typed;
        std::optional<int> option;
    };
    const Case cases[] = {{"1.3", 2},   {"1.25", 2}, {"1.2", 0}, {"1.0*", 0}, {"1.5", 3},     {"1.74", 3},
                          {"1.75", 5},  {"1.99", 5}, {"2", 6},   {"3", 6},    {"0.9", std::nullopt},
                          {"", std::nullopt}, {"1e400", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(overloadOptionFor(c.typed), c.option) << c.typed;
    // Options of the same value: the typed value finds the later one, so
    // a click must record its own index again.
    EXPECT_EQ(overloadOptionFor(OverloadOptions[1].factor), 2);
    EXPECT_EQ(overloadOptionFor(OverloadOptions[4].factor), 5);
    EXPECT_EQ(OverloadOptions[6].caption, "heavy shock       heavy shock");
    EXPECT_EQ(OverloadOptions[6].factor, "2.0");
}

} // namespace
} // namespace cindrel::agma
