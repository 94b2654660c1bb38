#include "agma/AGMA_Materials.h"
#include "agma/HardnessRatio.h"

#include "agma/MaterialFile.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace cindrel::agma {
namespace {

// Cp = √(1 / (π ((1 − μ0²)/E0 + (1 − μ1²)/E1))), worked separately:
// steel on steel (30e6 psi, 0.3) 2290.6, the published 2300 of the AGMA
// table rounded; at 0.31 2298.3; steel (0.31) on iron (26e6, 0.21) 2181.4.
TEST(ElasticCoefficient, SteelAndIron) {
    EXPECT_EQ(elasticCoefficient({"30000000", "30000000"}, {"0.3", "0.3"}), "2291");
    EXPECT_EQ(elasticCoefficient({"30,000,000", "30,000,000"}, {"0.310", "0.310"}), "2298");
    EXPECT_EQ(elasticCoefficient({"30,000,000", "26,000,000"}, {"0.310", "0.210"}), "2181");
}

TEST(ElasticCoefficient, EmptyUnlessModuliArePositiveAndRatiosBetweenZeroAndOne) {
    struct Case {
        const char* e0;
        const char* e1;
        const char* mu0;
        const char* mu1;
    };
    const Case cases[] = {
        {"30000000", "30000000", "0", "0.3"},  {"30000000", "30000000", "0.3", "1"},
        {"30000000", "30000000", "0.3", "1.2"}, {"30000000", "30000000", "-0.3", "0.3"},
        {"0", "30000000", "0.3", "0.3"},       {"30000000", "", "0.3", "0.3"},
        {"-30000000", "30000000", "0.3", "0.3"}, {"1e400", "30000000", "0.3", "0.3"},
        {"1e300", "30000000", "0.3", "0.3"},
        // Never a modulus or ratio read by its first digits.
        {"30000000", "17x000", "0.3", "0.3"},   {"30000000", "30000000", "0.3x", "0.3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(elasticCoefficient({c.e0, c.e1}, {c.mu0, c.mu1}), "") << c.e0 << " " << c.e1 << " " << c.mu0
                                                                        << " " << c.mu1;
}

class HardnessRatio : public ::testing::Test {
protected:
    TemporaryFolder folder;
    MaterialsTable table = AGMA_Materials(folder.path()).Materials().table;

    // changed: the member whose hardness box changed, the one checked.
    std::optional<std::string> ch(int pinionRow, int gearRow, const char* pinionHb, const char* gearHb,
                                  const char* finish, const char* ratio, int changed = 1) {
        const MaterialRecord pinion = table.record(pinionRow);
        const MaterialRecord gear = table.record(gearRow);
        return hardnessRatioFactor(
            {chApplies(&pinion, &gear), {pinionHb, gearHb}, finish, ratio, {&pinion, &gear}, changed});
    }
};

constexpr int ThroughHardened = 3, FlameHardened = 8, Carburized = 21, Nitrided = 31, GrayIron = 55;

TEST_F(HardnessRatio, AppliesToAThroughHardenedGearWithASteelPinion) {
    for (int pinion : {ThroughHardened, FlameHardened, Carburized, Nitrided}) {
        const MaterialRecord p = table.record(pinion);
        const MaterialRecord g = table.record(ThroughHardened);
        EXPECT_TRUE(chApplies(&p, &g)) << pinion;
        EXPECT_FALSE(chApplies(&g, &p) && pinion != ThroughHardened) << pinion;
    }
    const MaterialRecord iron = table.record(GrayIron);
    const MaterialRecord steel = table.record(ThroughHardened);
    EXPECT_FALSE(chApplies(&iron, &steel));
    EXPECT_FALSE(chApplies(nullptr, &steel));
    EXPECT_FALSE(chApplies(&steel, nullptr));
}

// Through-hardened pinion: A = 0.00898 r − 0.00829 from r 1.2 to 1.7, 0.00698
// above, 0 below; Ch = (mG − 1) A + 1. Worked by hand: r 1.5, A 0.00518,
// mG 3: 1.01036; r 2.0, mG 4: 1.02094; r 1.1: 1.
TEST_F(HardnessRatio, ThroughHardenedPinion) {
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "300", "200", "32", "3"), "1.01");
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "400", "200", "32", "4"), "1.02");
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "330", "300", "32", "3"), "1.00");
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "360", "200", "32", "21"), "1.14");  // r 1.8: 20 · 0.00698
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "340", "200", "32", "21"), "1.14");  // r 1.7: 20 · 0.00698
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "240", "200", "32", "21"), "1.05");  // r 1.2: 20 · 0.00248
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "400", "200", "32", "0"), "1.0"); // .99, below 1
}

// The ratio counts only as a whole number. r 1.8, A 0.00698, worked by hand:
// mG 3.5: 1.01745 → 1.02; mG 3: 1.01396 → 1.01. "3,5" is no ratio of 3, and
// no Ch is worked from it: the box is emptied. A surface-hardened pinion's Ch
// does not use the ratio.
TEST_F(HardnessRatio, TheRatioIsReadWhole) {
    struct Case {
        const char* ratio;
        const char* expected;
    };
    const Case cases[] = {{"3.5", "1.02"}, {"3.5*", "1.02"}, {"3", "1.01"}, {"3,5", ""}, {"3,", ""}, {"3.5:1", ""}, {"", "1.0"}};
    for (const Case& c : cases)
        EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "360", "200", "32", c.ratio), c.expected) << c.ratio;
    EXPECT_EQ(ch(Carburized, ThroughHardened, "600", "300", "16", "3,5"), "1.09");
}

// Surface-hardened pinion: B = 0.00075 e^(−0.0112 Ra), Ch = (450 − HBG) B + 1.
// Worked by hand: Ra 16, B 0.00062695, HBG 300: 1.0940; HBG 500: 0.9687.
TEST_F(HardnessRatio, SurfaceHardenedPinion) {
    for (int changed : {0, 1}) {
        SCOPED_TRACE(changed);
        EXPECT_EQ(ch(Carburized, ThroughHardened, "600", "300", "16", "3", changed), "1.09");
        EXPECT_EQ(ch(Carburized, ThroughHardened, "600", "500", "16", "3", changed), "1.0");
        // Softer than 463 BHN (48 HRC) the pinion gains nothing: unchecked,
        // a nitrided pinion of 437 BHN would give (450 − 300) B + 1 = 1.09.
        EXPECT_EQ(ch(Nitrided, ThroughHardened, "437", "300", "16", "3", changed), "1.0");
        EXPECT_EQ(ch(Nitrided, ThroughHardened, "463", "300", "16", "3", changed), "1.09");
    }
    // A carburized grade 1 pinion's range is 55 to 64 HRC: 561.2 to 719.4 BHN
    // by the conversion formula, from 560 BHN by the hardness chart.
    EXPECT_EQ(ch(Carburized, ThroughHardened, "560", "300", "16", "3", 0), "1.09");
    EXPECT_EQ(ch(Carburized, ThroughHardened, "559", "300", "16", "3", 0), "1.0");
    EXPECT_EQ(ch(Carburized, ThroughHardened, "720", "300", "16", "3", 0), "1.0");
}

// Every surface-hardened steel of the table, at its own surface hardness,
// against a 300 HB through-hardened gear, ratio 3, Ra 16: 1.0940 worked by
// hand, shown 1.09; the nitrided steels of 83.5 and 84.5 HR15N (437 and 460
// BHN) lie below the 463 BHN from which the gain applies.
TEST_F(HardnessRatio, EachSurfaceHardenedSteelAtItsOwnHardness) {
    struct Case {
        int row;
        const char* surface; // column 18 of the row, BHN
        const char* ch;
    };
    const Case cases[] = {
        {8, "481", "1.09"},  {9, "543", "1.09"},  {11, "481", "1.09"}, {12, "543", "1.09"}, {15, "481", "1.09"},
        {16, "543", "1.09"}, {18, "481", "1.09"}, {19, "543", "1.09"}, {21, "560", "1.09"}, {22, "613", "1.09"},
        {23, "613", "1.09"}, {27, "437", "1.0"},  {28, "437", "1.0"},  {29, "437", "1.0"},  {31, "460", "1.0"},
        {32, "460", "1.0"},  {33, "460", "1.0"},  {36, "534", "1.09"}, {37, "614", "1.09"}, {39, "534", "1.09"},
        {40, "614", "1.09"}, {42, "534", "1.09"}, {43, "614", "1.09"}, {45, "614", "1.09"}, {46, "614", "1.09"},
        {47, "614", "1.09"}, {49, "614", "1.09"}, {50, "614", "1.09"}, {51, "614", "1.09"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(table.cell(c.row, MaterialColumn::SurfaceHardness), c.surface) << c.row;
        for (int changed : {0, 1})
            EXPECT_EQ(ch(c.row, ThroughHardened, c.surface, "300", "16", "3", changed), c.ch)
                << c.row << " changed " << changed;
    }
}

// Only the member whose hardness changed is checked against its range.
TEST_F(HardnessRatio, TheChangedMembersRange) {
    struct Case {
        const char* pinion;
        const char* gear;
        int changed;
        const char* ch;
    };
    // Through hardened 100 to 650 BHN. r 700/200 and 300/90 lie above 1.7:
    // (3 − 1) 0.00698 + 1 = 1.01396.
    const Case cases[] = {
        {"700", "200", 0, "1.0"}, {"700", "200", 1, "1.01"}, {"300", "90", 1, "1.0"},
        {"300", "90", 0, "1.01"}, {"650", "200", 0, "1.01"}, {"300", "100", 1, "1.01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ch(ThroughHardened, ThroughHardened, c.pinion, c.gear, "32", "3", c.changed), c.ch)
            << c.pinion << "/" << c.gear << " changed " << c.changed;
    // A flame-hardened pinion's bound is 50 HRC; one softer than that is refused
    // when its own box changed.
    EXPECT_EQ(ch(FlameHardened, ThroughHardened, "470", "300", "16", "3", 0), "1.0");
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "300", "200", "0", "3"), "1.0");       // no finish
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "300", "0", "32", "3"), std::nullopt); // no gear hardness
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "1e400", "200", "32", "3"), "1.0");
    const MaterialRecord steel = table.record(ThroughHardened);
    EXPECT_EQ(hardnessRatioFactor({false, {"300", "200"}, "32", "3", {&steel, &steel}}), std::nullopt);
}

TEST_F(HardnessRatio, EmptyOrZeroBoundsAreNone) {
    MaterialsTable user;
    const int source = user.addSource("user.tbl");
    user.addRow(source, splitMaterialFields("0,,,p,Through Hardened steel,,,,,,,,,,,,0,,,BHN"));
    user.addRow(source, splitMaterialFields("1,,,g,Through Hardened steel,,,,,,,,,,,,,250,,BHN"));
    user.addRow(source, splitMaterialFields("2,,,n,Nitrided steel,,,,,,,,,,,,270,340,600,BHN Core hardness"));
    const MaterialRecord p = user.record(0), g = user.record(1), n = user.record(2);
    EXPECT_EQ(hardnessRatioFactor({true, {"1000", "200"}, "32", "3", {&p, &g}, 0}), "1.01"); // r 5: 2 · 0.00698
    EXPECT_EQ(hardnessRatioFactor({true, {"1000", "200"}, "32", "3", {&p, &g}, 1}), "1.01");
    EXPECT_EQ(hardnessRatioFactor({true, {"1000", "260"}, "32", "3", {&p, &g}, 1}), "1.0");
    // A core hardness range does not bound the surface: (450 − 200) B(32) + 1 = 1.13.
    EXPECT_EQ(hardnessRatioFactor({true, {"600", "200"}, "32", "3", {&n, &g}, 0}), "1.13");
}

TEST_F(HardnessRatio, ARoughFinishGivesNoGainAtOnce) {
    const MaterialRecord iron = table.record(GrayIron);
    const MaterialRecord steel = table.record(ThroughHardened);
    EXPECT_EQ(hardnessRatioFactorForFinish({false, {"", ""}, "65", "3", {&iron, &steel}}), "1.0");
    EXPECT_EQ(hardnessRatioFactorForFinish({false, {"", ""}, "64", "3", {&iron, &steel}}), std::nullopt);
    EXPECT_EQ(hardnessRatioFactorForFinish({true, {"600", "300"}, "64", "3", {&steel, &steel}}), "1.01");
    const MaterialRecord carburized = table.record(Carburized);
    // B at Ra 64: 0.00075 e^(-0.7168) = 0.000366; 150 B + 1 = 1.055.
    EXPECT_EQ(hardnessRatioFactorForFinish({true, {"600", "300"}, "64", "3", {&carburized, &steel}}), "1.05");
}

} // namespace
} // namespace cindrel::agma
