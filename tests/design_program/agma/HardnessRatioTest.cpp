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
    };
    for (const Case& c : cases)
        EXPECT_EQ(elasticCoefficient({c.e0, c.e1}, {c.mu0, c.mu1}), "") << c.e0 << " " << c.e1 << " " << c.mu0
                                                                        << " " << c.mu1;
}

class HardnessRatio : public ::testing::Test {
protected:
    TemporaryFolder folder;
    MaterialsTable table = AGMA_Materials(folder.path()).Materials().table;

    std::optional<std::string> ch(int pinionRow, int gearRow, const char* pinionHb, const char* gearHb,
                                  const char* finish, const char* ratio) {
        const MaterialRecord pinion = table.record(pinionRow);
        const MaterialRecord gear = table.record(gearRow);
        return hardnessRatioFactor({chApplies(&pinion, &gear), {pinionHb, gearHb}, finish, ratio, {&pinion, &gear}});
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

// Surface-hardened pinion: B = 0.00075 e^(−0.0112 Ra), Ch = (450 − HBG) B + 1.
// Worked by hand: Ra 16, B 0.00062695, HBG 300: 1.0940; HBG 500: 0.9687.
TEST_F(HardnessRatio, SurfaceHardenedPinion) {
    EXPECT_EQ(ch(Carburized, ThroughHardened, "600", "300", "16", "3"), "1.09");
    EXPECT_EQ(ch(Carburized, ThroughHardened, "600", "500", "16", "3"), "1.0");
    // A carburized pinion's range is 55 to 64 HRC, 561.2 to 719.4 BHN.
    EXPECT_EQ(ch(Carburized, ThroughHardened, "562", "300", "16", "3"), "1.09");
    EXPECT_EQ(ch(Carburized, ThroughHardened, "561", "300", "16", "3"), "1.0");
    EXPECT_EQ(ch(Carburized, ThroughHardened, "720", "300", "16", "3"), "1.0");
    // The surface values of the flame hardened rows (481 BHN) lie below their
    // own 50 HRC (488.8 BHN): no gain, the safe side.
    EXPECT_EQ(ch(FlameHardened, ThroughHardened, "481", "300", "16", "3"), "1.0");
    EXPECT_EQ(ch(FlameHardened, ThroughHardened, "489", "300", "16", "3"), "1.09");
    // A nitrided pinion within its range but softer than 463 BHN gains nothing:
    // unchecked it would give (450 − 200) B + 1 = 1.16.
    EXPECT_EQ(ch(Nitrided, ThroughHardened, "300", "200", "16", "3"), "1.0");
}

TEST_F(HardnessRatio, BothMembersRangesEveryRun) {
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "700", "200", "32", "3"), "1.0");
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "300", "90", "32", "3"), "1.0");
    EXPECT_EQ(ch(ThroughHardened, ThroughHardened, "300", "200", "0", "3"), "1.0");   // no finish
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
    const MaterialRecord p = user.record(0), g = user.record(1);
    EXPECT_EQ(hardnessRatioFactor({true, {"1000", "200"}, "32", "3", {&p, &g}}), "1.01"); // r 5: 2 · 0.00698
    EXPECT_EQ(hardnessRatioFactor({true, {"1000", "260"}, "32", "3", {&p, &g}}), "1.0");
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
