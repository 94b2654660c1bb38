#include "agma/AllowablePower.h"

#include <gtest/gtest.h>

#include <string>

namespace cindrel::agma {
namespace {

// Expected powers are worked by hand from the AGMA rating equations
//   Pac = np·F·I/(126000·Ko·Kv·Ks·Km·Cf) · (d·sac·Zn·Ch/(Cp·Sh·Kt·Kr))²
//   Pat = np·d·F·J·sat·Yn/(126000·Ko·Kv·Pd·Ks·Km·Kb·SF·Kt·Kr)
// and rounded to three significant figures.

PowerInputs allOnes() {
    PowerInputs in;
    for (std::string* s : {&in.Ko, &in.Kv, &in.Ks, &in.Km, &in.Cf, &in.Kt, &in.Kr})
        *s = "1";
    for (auto* a : {&in.Zn, &in.Ch, &in.Sh, &in.Yn, &in.Kb, &in.SF})
        *a = {"1", "1"};
    return in;
}

// A spur pair: 126000·1.25·1.38·1.371 = 297986.85; pinion Pac
// 360/297986.85 · (4·125700·0.95/2291)² = 52.516; gear Pac with Ch 1.01 59.359;
// Pat 181389600/1489934.25 = 121.74 and, with J 0.40, 139.14.
PowerInputs spurPair() {
    PowerInputs in = allOnes();
    in.np = "1800";
    in.F = "2";
    in.d = "4";
    in.Pd = "5";
    in.I = "0.1";
    in.J = {"0.3500", "0.4000"};
    in.Ko = "1.25";
    in.Kv = "1.38*"; // a typed factor counts with its number
    in.Km = "1.371";
    in.Zn = {"0.95", "1.0*"};
    in.Ch = {"1", "1.01"};
    in.SAC = {"125,700", "125,700"};
    in.SAT = {"35,990", "35,990"};
    in.Cp = "2291";
    return in;
}

// Both members alike: Pac 1000·5·0.11/126000 · (12·100000/2300)² = 1188.2,
// Pat 1000·12·5·0.40·30000/(126000·2) = 2857.1.
PowerInputs evenPair() {
    PowerInputs in = allOnes();
    in.np = "1000";
    in.F = "5";
    in.d = "12";
    in.Pd = "2";
    in.I = "0.11";
    in.J = {"0.40", "0.40"};
    in.SAC = {"100000", "100000"};
    in.SAT = {"30000", "30000"};
    in.Cp = "2300";
    return in;
}

TEST(AllowablePower, GoldenPairs) {
    struct Case {
        const char* name;
        PowerInputs inputs;
        std::array<float, 4> power;
        std::array<const char*, 4> caption;
        int lowest;
    };
    PowerInputs slow = evenPair();
    slow.np = "0.5"; // 1188.2·0.0005 = 0.5941, 2857.1·0.0005 = 1.4286
    PowerInputs strongSurface = evenPair();
    strongSurface.SAC = {"1000000", "1000000"}; // Pac 118823; the two Pat tie
    PowerInputs groupedSac = evenPair();
    groupedSac.SAC = {"95,000", "100000"}; // 1188.2·0.95² = 1072.4
    // The Set Inputs as whole numbers, grouping and a mark set aside: a face
    // of 1.5 is three quarters of the spur pair's powers (52.516·0.75 =
    // 39.387, 59.359·0.75 = 44.519, 121.74·0.75 = 91.305, 139.14·0.75 = 104.36).
    PowerInputs narrowFace = spurPair();
    narrowFace.F = "1.5";
    PowerInputs groupedSpeed = spurPair();
    groupedSpeed.np = "1,800";
    groupedSpeed.d = "4.0*";
    const Case cases[] = {
        {"spur", spurPair(), {52.5f, 59.4f, 122, 139}, {"52.5 hp", "59.4 hp", "122 hp", "139 hp"}, PinionPac},
        {"face 1.5", narrowFace, {39.4f, 44.5f, 91.3f, 104}, {"39.4 hp", "44.5 hp", "91.3 hp", "104 hp"}, PinionPac},
        {"grouped speed", groupedSpeed, {52.5f, 59.4f, 122, 139}, {"52.5 hp", "59.4 hp", "122 hp", "139 hp"},
         PinionPac},
        {"even", evenPair(), {1190, 1190, 2860, 2860}, {"1190 hp", "1190 hp", "2860 hp", "2860 hp"}, PinionPac},
        {"slow", slow, {0.594f, 0.594f, 1.43f, 1.43f}, {"0.594 hp", "0.594 hp", "1.43 hp", "1.43 hp"}, PinionPac},
        {"bending tie", strongSurface, {119000, 119000, 2860, 2860}, {"119000 hp", "119000 hp", "2860 hp", "2860 hp"},
         PinionPat},
        {"grouped SAC", groupedSac, {1070, 1190, 2860, 2860}, {"1070 hp", "1190 hp", "2860 hp", "2860 hp"}, PinionPac},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PowerResult result = allowablePower(c.inputs);
        ASSERT_TRUE(result.ok());
        const AllowablePowers& p = *result.powers;
        for (int k = 0; k < 4; ++k) {
            EXPECT_FLOAT_EQ(p.power[static_cast<std::size_t>(k)], c.power[static_cast<std::size_t>(k)]) << k;
            EXPECT_EQ(p.caption(k), c.caption[static_cast<std::size_t>(k)]) << k;
        }
        EXPECT_EQ(p.lowest, c.lowest);
        EXPECT_EQ(p.lowestPower(), p.power[static_cast<std::size_t>(c.lowest)]);
        const auto table = p.table();
        EXPECT_EQ(table[0].key, "PAC");
        EXPECT_EQ(table[0].description, "Allowable Pitting Power");
        EXPECT_EQ(table[1].key, "PAT");
        EXPECT_EQ(table[1].description, "Allowable Bending Power");
        EXPECT_FLOAT_EQ(static_cast<float>(table[0].gear), c.power[GearPac]);
        EXPECT_FLOAT_EQ(static_cast<float>(table[1].pinion), c.power[PinionPat]);
    }
}

// What other units are converted from: the powers as worked out, before the
// three-figure rounding (the spur pair's 52.516, 59.359, 121.74 and 139.14 hp).
TEST(AllowablePower, KeepsThePowersBeforeRounding) {
    const PowerResult result = allowablePower(spurPair());
    ASSERT_TRUE(result.ok());
    const AllowablePowers& p = *result.powers;
    const std::array<double, 4> worked = {52.516, 59.359, 121.74, 139.14};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(p.unrounded[k], worked[k], 0.01) << k;
    const auto table = p.table();
    EXPECT_NEAR(table[0].pinionUnrounded, 52.516, 0.01);
    EXPECT_NEAR(table[0].gearUnrounded, 59.359, 0.01);
    EXPECT_NEAR(table[1].pinionUnrounded, 121.74, 0.01);
    EXPECT_NEAR(table[1].gearUnrounded, 139.14, 0.01);
}

TEST(AllowablePower, GearLimitsWhenItsFactorsAreWorse) {
    PowerInputs in = evenPair();
    in.Sh = {"1", "1.1"}; // gear Pac 1188.2/1.21 = 982.0
    const PowerResult result = allowablePower(in);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.powers->lowest, GearPac);
    EXPECT_FLOAT_EQ(result.powers->lowestPower(), 982);
    in = evenPair();
    in.Kb = {"1", "2"}; // gear Pat 1428.6 is still above both Pac
    in.SAT = {"30000", "10000"}; // gear Pat 2857.1/2/3 = 476.2
    EXPECT_EQ(allowablePower(in).powers->lowest, GearPat);
}

TEST(AllowablePower, FirstInputAtFaultIsNamed) {
    struct Case {
        const char* name;
        void (*spoil)(PowerInputs&);
        PowerBox fault;
    };
    const Case cases[] = {
        {"empty Cp", [](PowerInputs& in) { in.Cp = ""; }, {"txtCP"}},
        {"Cp with a unit", [](PowerInputs& in) { in.Cp = "2291 psi"; }, {"txtCP"}},
        {"Kv 0", [](PowerInputs& in) { in.Kv = "0"; }, {"txtKV"}},
        {"J 0", [](PowerInputs& in) { in.J[1] = "0"; }, {"txtJay", 1}},
        // Two negatives would multiply to a positive power: the first stops it.
        {"two negatives", [](PowerInputs& in) { in.Ko = "-1.25"; in.Km = "-1.371"; }, {"txtKo"}},
        {"negative SAT", [](PowerInputs& in) { in.SAT[0] = "-30000"; }, {"txtSAT", 0}},
        {"SAC without digits", [](PowerInputs& in) { in.SAC[1] = "psi"; }, {"txtSAC", 1}},
        {"SAC with two points", [](PowerInputs& in) { in.SAC[0] = "1.2.3"; }, {"txtSAC", 0}},
        // Never read by their digits: no 17,000 psi, no Ko of 1.
        {"SAC with a letter", [](PowerInputs& in) { in.SAC[1] = "17x000"; }, {"txtSAC", 1}},
        {"SAT with a unit", [](PowerInputs& in) { in.SAT[0] = "35,990 psi"; }, {"txtSAT", 0}},
        {"Ko with a letter", [](PowerInputs& in) { in.Ko = "1x25"; }, {"txtKo"}},
        {"no speed", [](PowerInputs& in) { in.np = "abc"; }, {"txtInps", 0}},
        {"no pitch", [](PowerInputs& in) { in.Pd = ""; }, {"txtInps", 3}},
        // The Set Inputs are never read by their first digits: no face of 1.
        {"speed 1,8", [](PowerInputs& in) { in.np = "1,8"; }, {"txtInps", 0}},
        {"face 1,5", [](PowerInputs& in) { in.F = "1,5"; }, {"txtInps", 1}},
        {"diameter 4,5", [](PowerInputs& in) { in.d = "4,5"; }, {"txtInps", 2}},
        {"pitch 5,5", [](PowerInputs& in) { in.Pd = "5,5"; }, {"txtInps", 3}},
        {"diameter with a unit", [](PowerInputs& in) { in.d = "4 in"; }, {"txtInps", 2}},
        {"Yn 0 on the gear", [](PowerInputs& in) { in.Yn[1] = "0*"; }, {"txtYn", 1}},
        {"Sf beyond range", [](PowerInputs& in) { in.SF[0] = "1e999"; }, {"txtSf", 0}},
        {"power beyond single range", [](PowerInputs& in) { in.np = "1e300"; }, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PowerInputs in = spurPair();
        c.spoil(in);
        const PowerResult result = allowablePower(in);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.fault, c.fault);
    }
}

TEST(AllowablePower, StressNumberIsTheWholeText) {
    EXPECT_EQ(stressNumber("125,700*"), 125700);
    EXPECT_EQ(stressNumber("1.5e3"), 1500);
    EXPECT_EQ(stressNumber("0"), 0);
    for (const char* text : {"", "95,000 psi", "17x000", "-30000", "1..2", "-3"})
        EXPECT_EQ(stressNumber(text), std::nullopt) << text;
}

} // namespace
} // namespace cindrel::agma
