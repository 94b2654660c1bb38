#include "agma/DynamicFactor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace cindrel::agma {
namespace {

// Worked by hand and in a separate calculation: B = 0.25 · 6^0.667 = 0.82597,
// A = 50 + 56 (1 − B) = 59.7454, ((A + √801.1) / A)^B = 1.3776; with the
// exponent 2/3 it would be 1.3771.
TEST(DynamicFactor, PublishedValueAtAccuracyLevel11) {
    EXPECT_NEAR(dynamicFactorValue(11, 801.1), 1.3776, 0.00005);
    EXPECT_NEAR(maxPitchLineVelocity(11), std::pow(59.7454 + 3, 2), 0.01);
    // 801.1 ft/min is 801.1 rpm on a pitch diameter of 12/π inch.
    const KvOutcome kv = dynamicFactor(1, 3, "801.1", "3.81971840");
    EXPECT_EQ(kv.kv, "1.38");
}

TEST(DynamicFactor, LowerQualityOfTheTwoAndTheLimits) {
    // Av 10: vt = 1000 · π · 5 / 12 = 1309 ft/min, B = 0.7314, A = 65.04,
    // Kv 1.382; vt,max = (65.04 + 4)² = 4767, n,max = 4767 · 12 / (π · 5) = 3642.
    for (const auto& [pinion, gear] : {std::pair{2, 4}, std::pair{4, 2}}) {
        const KvOutcome kv = dynamicFactor(pinion, gear, "1000", "5");
        EXPECT_EQ(kv.kv, "1.38");
        EXPECT_EQ(kv.maxPitchLineVelocity, "4767");
        EXPECT_EQ(kv.maxPinionSpeed, "3642");
    }
    // Av 5: B = 0, so Kv is 1 at any speed; vt,max = (106 + 9)².
    const KvOutcome accurate = dynamicFactor(7, 7, "1,000", "5.0*");
    EXPECT_EQ(accurate.kv, "1.00");
    EXPECT_EQ(accurate.maxPitchLineVelocity, "13225");
    EXPECT_EQ(accurate.maxPinionSpeed, "10103");
    EXPECT_EQ(dynamicFactor(0, 0, "0", "5").kv, "1.00");
}

TEST(DynamicFactor, MissingQualityKeepsEverythingBadInputsEmptyTheLimits) {
    for (const auto& [pinion, gear] : {std::pair{-1, 3}, std::pair{3, -1}, std::pair{-1, -1}}) {
        const KvOutcome kv = dynamicFactor(pinion, gear, "1000", "5");
        EXPECT_FALSE(kv.kv || kv.maxPitchLineVelocity || kv.maxPinionSpeed);
    }
    struct Case {
        const char* speed;
        const char* diameter;
    };
    for (const Case& c : {Case{"1000", "0"}, Case{"1000", "-5"}, Case{"1000", ""}, Case{"-1", "5"},
                          Case{"1e308", "1e308"}}) {
        const KvOutcome kv = dynamicFactor(2, 2, c.speed, c.diameter);
        EXPECT_EQ(kv.kv, std::nullopt) << c.speed << " " << c.diameter;
        EXPECT_EQ(kv.maxPitchLineVelocity, "");
        EXPECT_EQ(kv.maxPinionSpeed, "");
    }
    // Never read by their first digits: while a box holds no number no Kv
    // stands beside it (1,8 rpm was a Kv of 1 rpm).
    for (const Case& c : {Case{"1,8", "5"}, Case{"1,", "5"}, Case{"1000", "4,5"}, Case{"1000", "5 in"},
                          Case{"1e400", "5"}}) {
        const KvOutcome kv = dynamicFactor(2, 2, c.speed, c.diameter);
        EXPECT_EQ(kv.kv, "") << c.speed << " " << c.diameter;
        EXPECT_EQ(kv.maxPitchLineVelocity, "");
        EXPECT_EQ(kv.maxPinionSpeed, "");
    }
    // No quality chosen: the Kv was typed, not worked from the speed.
    const KvOutcome typed = dynamicFactor(-1, -1, "1,8", "5");
    EXPECT_FALSE(typed.kv || typed.maxPitchLineVelocity || typed.maxPinionSpeed);
}

TEST(DynamicFactor, RecordedPositionsReachTheKvList) {
    EXPECT_EQ(kvPositionForRecorded("-1"), -1);
    EXPECT_EQ(kvPositionForRecorded("0"), 0);
    EXPECT_EQ(kvPositionForRecorded("7"), 7); // quality number 12: "very accurate gearing"
    EXPECT_EQ(KvQualityItems[7], "very accurate gearing");
    for (const char* kept : {"8", "10", "2.5", "", "\"5lblComboQuality\"", "-2"})
        EXPECT_EQ(kvPositionForRecorded(kept), std::nullopt) << kept;
}

// mB = t/h to two decimals; Kb = 1.6 ln(2.242 / mB) up to mB 1.2, else 1.0.
// Worked separately: 1.6 ln(2.242/1.2) = 1.0001, ln(2.242/0.89) = 0.92392,
// ln(2.242/0.44) = 1.62835, ln(2.242/0.5) = 1.50053, ln(2.242e9) = 21.5306.
TEST(RimThicknessFactor, BackupRatioAndKb) {
    struct Case {
        const char* wholeDepth;
        const char* rim;
        const char* mB;
        const char* kb;
    };
    const Case cases[] = {
        {"2.25", "2.7", "1.2", "1.00"},   {"2.25", "2.0", "0.89", "1.48"}, {"2.25", "1.0", "0.44", "2.61"},
        {"2.25", "3.0", "1.33", "1.0"},   {"1.2", "0.6", "0.5", "2.40"},   {"0.5", "0.001", "0", "34.45"},
        {"2.25", "2.702", "1.2", "1.00"}, {"57.15 mm", "68.58 mm", "1.2", "1.00"},
        {"1", "1,000", "1000", "1.0"},
        {"0", "2.7", "", ""},             {"2.25", "0", "", ""},           {"-2.25", "2.7", "", ""},
        {"2.25", "-2.7", "", ""},         {"", "2.7", "", ""},             {"1e-320", "1e300", "", ""},
    };
    for (const Case& c : cases) {
        const RimThicknessOutcome kb = rimThicknessFactor(c.wholeDepth, c.rim);
        EXPECT_EQ(kb.backupRatio, c.mB) << c.wholeDepth << " / " << c.rim;
        EXPECT_EQ(kb.kb, c.kb) << c.wholeDepth << " / " << c.rim;
    }
}

} // namespace
} // namespace cindrel::agma
