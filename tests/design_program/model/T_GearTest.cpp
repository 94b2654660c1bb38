#include "model/T_Gear.h"

#include "RecordingShell.h"
#include "ReferencePairs.h"
#include "model/T_AGMA1.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using cindrel::model::T_Gear;
using cindrel::model::T_Set;
using cindrel::model::testing::RecordingShell;

namespace {

constexpr double Pi = 3.14159265358979;
constexpr double Tol = 5e-7;

double degrees(double value) { return value * Pi / 180.0; }

using testsupport::errorNumberOf;

// Standard proportions: addendum 1/Pd_n, dedendum 1.25/Pd_n, thickness π/(2 Pd)
// at the operating circle for both limits.
void giveStandardTeeth(T_Gear& member, double operatingThickness) {
    for (int limit = 0; limit < 2; ++limit) {
        member.aaToothThickness(1, limit, 0, 1, 0, operatingThickness);
        member.aaAddendumFactor(limit, 1.0);
    }
    member.aaDedendumFactor(1.25);
    member.aaFaceWidth(1.0);
}

void setUpBarePair(T_Set& set, int pinionTeeth, int gearTeeth, int meshKind, double centerRatio) {
    set.oPinion->aaNumberOfTeeth(pinionTeeth);
    set.oGear->aaNumberOfTeeth(gearTeeth);
    set.aaHelixAngle(0.0);
    set.aaDiametralPitch(1, 10.0);
    set.aaPressureAngle(1, degrees(20.0));
    set.aaInternal_External(meshKind);
    set.aaOperatingCenterDistance(-1, centerRatio);
}

// The 20/40 spur pair at diametral pitch 10 and 20°, external, standard
// center distance 3.0, standard proportions, no edge break, thickness π/20,
// pinion at 1750 rpm, 10 hp.
class T_GearSpurPair : public ::testing::Test {
protected:
    void SetUp() override { cindrel::model::testing::setUpSpurPair(set); }

    void stopLoads() {
        pinion.aaSpeed(false, 0.0);
        gear.aaSpeed(false, 0.0);
        pinion.aaTorque(false, 0.0);
        gear.aaTorque(false, 0.0);
    }

    RecordingShell shell;
    T_Set set{shell};
    T_Gear& pinion = *set.oPinion;
    T_Gear& gear = *set.oGear;
};

struct Case {
    std::string what;
    std::function<double()> actual;
    double expected;
};

void expectCases(const std::vector<Case>& cases, double tolerance = Tol) {
    for (const Case& c : cases)
        EXPECT_NEAR(c.actual(), c.expected, tolerance) << c.what;
}

} // namespace

// ---- creation and identity ----

TEST(T_GearCreation, NewMembersAreSteelWithoutGeometry) {
    RecordingShell shell;
    T_Set set(shell);
    for (int index = 0; index < 2; ++index) {
        const T_Gear& member = set.member(index);
        EXPECT_EQ(member.E(), 30000000.0);
        EXPECT_EQ(member.Mu(), 0.3);
        EXPECT_EQ(member.N(), 0.0);
        EXPECT_EQ(member.IntExt, 0); // until the pair's mesh kind is set
        EXPECT_EQ(member.Rp_s(), 0.0); // the pair's pitch is still 0
        EXPECT_EQ(member.ArrayIndex(), index);
        EXPECT_NE(member.oHob, nullptr);
    }
    EXPECT_EQ(set.oPinion->Name(), "Pinion");
    EXPECT_EQ(set.oGear->Name(), "Gear");
    EXPECT_EQ(&set.oPinion->otherGear(), set.oGear.get());
    EXPECT_EQ(&set.oGear->otherGear(), set.oPinion.get());
    EXPECT_TRUE(shell.errors.empty());
}

TEST(T_GearCreation, MeshKindIsStoredAndAnyValueButPlusOrMinusOneIsShown) {
    const struct {
        std::int32_t kind;
        bool shown;
    } cases[] = {{1, false}, {-1, false}, {0, true}, {2, true}, {-3, true}};
    for (const auto& c : cases) {
        RecordingShell shell;
        T_Set set(shell);
        set.oGear->localInternal_External(c.kind);
        EXPECT_EQ(set.oGear->IntExt, c.kind);
        EXPECT_TRUE(shell.boxes.empty());
        ASSERT_EQ(shell.messages.size(), c.shown ? 1u : 0u) << c.kind;
        if (c.shown) {
            EXPECT_EQ(shell.messages[0], "error in IntExt, (intext=" + std::to_string(c.kind) + ")");
        }
    }
}

TEST(T_GearCreation, PairSetsGearKindAndKeepsPinionExternal) {
    RecordingShell shell;
    T_Set set(shell);
    set.aaInternal_External(-1);
    EXPECT_EQ(set.oPinion->IntExt, 1);
    EXPECT_EQ(set.oGear->IntExt, -1);
}

// ---- radii ----

TEST_F(T_GearSpurPair, Radii) {
    expectCases({
        {"pinion Rp_s = 20 / (2 * 10)", [&] { return pinion.Rp_s(); }, 1.0},
        {"pinion Rb = cos 20°", [&] { return pinion.Rb(); }, 0.9396926},
        {"pinion Rp_o at ratio 1", [&] { return pinion.Rp_o(); }, 1.0},
        {"gear Rp_s = 40 / 20", [&] { return gear.Rp_s(); }, 2.0},
        {"gear Rb = 2 cos 20°", [&] { return gear.Rb(); }, 1.8793852},
        {"gear Rp_o", [&] { return gear.Rp_o(); }, 2.0},
    });
}

TEST(T_GearRadii, PitchRadiusOverflowIsReportedAndGivesZero) {
    RecordingShell shell;
    T_Set set(shell);
    set.oPinion->aaNumberOfTeeth(20);
    set.aaDiametralPitch(1, 1e-320); // 20 / 2e-320 is beyond the double range
    EXPECT_EQ(set.oPinion->Rp_s(), 0.0);
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_EQ(shell.errors[0].module, "T_Gear");
    EXPECT_EQ(shell.errors[0].routine, "Rp_s");
    EXPECT_EQ(shell.errors[0].number, "6");
    EXPECT_EQ(shell.errors[0].other, "");
}

TEST(T_GearRadii, ZeroGeometryRaisesInsteadOfInfinity) {
    RecordingShell shell;
    T_Set set(shell);
    T_Gear& pinion = *set.oPinion;
    EXPECT_EQ(errorNumberOf([&] { pinion.Pang(); }), runtime::DivisionByZero);
    // 0 / 0 is an overflow.
    EXPECT_EQ(errorNumberOf([&] { pinion.Addendum(0); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { pinion.WD(); }), runtime::Overflow);

    // With teeth and pitch but no thickness, a zero percent of a zero sum.
    setUpBarePair(set, 20, 40, 1, 1.0);
    EXPECT_EQ(errorNumberOf([&] { pinion.TTK_o(0, 0); }), runtime::Overflow);
}

// ---- tooth thickness ----

TEST_F(T_GearSpurPair, ThicknessForms) {
    // inv 20° = tan 20° − 20° = 0.0149044; spur, so ψ = ψb = 0 and normal = transverse.
    // TTK_b = 2 Rb (t / (2 Rp_o) + inv φo): pinion 2·0.9396926·(0.0785398 + 0.0149044) = 0.1756177,
    // gear 2·1.8793852·(0.0392699 + 0.0149044) = 0.2036287.
    const double t = Pi / 20.0;
    expectCases({
        {"pinion TTK_o(1, 0)", [&] { return pinion.TTK_o(1, 0); }, t},
        {"pinion TTK_o(1, 1)", [&] { return pinion.TTK_o(1, 1); }, t},
        {"pinion TTK_on", [&] { return pinion.TTK_on(0); }, t},
        {"pinion TTK_s at standard distance", [&] { return pinion.TTK_s(1); }, t},
        {"pinion TTK_sn", [&] { return pinion.TTK_sn(0); }, t},
        {"pinion TTK_b", [&] { return pinion.TTK_b(0); }, 0.1756177},
        {"pinion TTK_bn", [&] { return pinion.TTK_bn(1); }, 0.1756177},
        {"gear TTK_b", [&] { return gear.TTK_b(0); }, 0.2036287},
        {"half the pitch is no rack shift", [&] { return pinion.TTK_RackshiftCoeff(); }, 0.0},
        {"percent of both minimum thicknesses", [&] { return pinion.TTK_o(0, 0); }, 50.0},
    });
}

TEST_F(T_GearSpurPair, PercentThicknessSharesThePitchLessTheOtherBacklash) {
    set.aaBackLash(0, 0.002);
    set.aaBackLash(1, 0.006);
    pinion.aaToothThickness(0, 7, 0, 1, 0, 50.0); // the limit argument is ignored
    gear.aaToothThickness(0, 0, 0, 1, 0, 50.0);
    // t(0) = (π/10 − 0.006) · 50 / 100 = 0.1540796; t(1) = (π/10 − 0.002) / 2 = 0.1560796.
    // Percent divides by both minima, π/10 − 0.006 = 0.3081593: 0.1560796 / 0.3081593 = 50.64902 %.
    expectCases({
        {"t(0)", [&] { return pinion.TTK_o(1, 0); }, 0.1540796},
        {"t(1)", [&] { return pinion.TTK_o(1, 1); }, 0.1560796},
        {"TTK_o(0, 0)", [&] { return pinion.TTK_o(0, 0); }, 50.0},
        {"TTK_o(0, 1)", [&] { return pinion.TTK_o(0, 1); }, 50.64902},
    }, 5e-6);
}

TEST_F(T_GearSpurPair, RackShiftCoefficientBecomesThicknessAndBack) {
    pinion.aaToothThickness(4, 0, 0, 1, 0, 0.5);
    // (π/2 + 2 · 0.5 · tan 20°) / 10 = (1.5707963 + 0.3639702) / 10, no backlash.
    EXPECT_NEAR(pinion.TTK_o(1, 0), 0.1934767, Tol);
    EXPECT_NEAR(pinion.TTK_RackshiftCoeff(), 0.5, 1e-9);
}

TEST_F(T_GearSpurPair, RackShiftTakesHalfTheBacklashOfTheOtherLimit) {
    set.aaBackLash(0, 0.002);
    set.aaBackLash(1, 0.006);
    pinion.aaToothThickness(4, 0, 0, 1, 0, 0.5);
    pinion.aaToothThickness(4, 1, 0, 1, 0, 0.5);
    // Minimum takes the maximum backlash: 0.1934767 − 0.006/2; maximum: 0.1934767 − 0.002/2.
    EXPECT_NEAR(pinion.TTK_o(1, 0), 0.1904767, Tol);
    EXPECT_NEAR(pinion.TTK_o(1, 1), 0.1924767, Tol);
}

TEST_F(T_GearSpurPair, ChordalThicknessBecomesTheArcFirst) {
    // Chord 2 sin(π/40) = 0.1569182 at Rp_s = 1: arc π/20.
    pinion.aaToothThickness(1, 0, 1, 1, 1, 0.1569182);
    EXPECT_NEAR(pinion.TTK_o(1, 0), Pi / 20.0, Tol);
}

TEST(T_GearThickness, OpenedCenterDistanceCarriesStandardThicknessAlongTheInvolute) {
    RecordingShell shell;
    T_Set set(shell);
    setUpBarePair(set, 20, 20, 1, 1.02);
    T_Gear& pinion = *set.oPinion;
    pinion.aaToothThickness(1, 1, 1, 1, 0, Pi / 20.0);
    // cos φo = 2 Rb / 2.04 → φo = 22.88794°, Rp_o = 1.02;
    // t = 2 · 1.02 · (π/40 + inv 20° − inv φo) = 0.1443210;
    // TTK_b = 2 Rb (t / 2.04 + inv φo) = 0.1756177, the base thickness is unchanged.
    expectCases({
        {"Rp_o", [&] { return pinion.Rp_o(); }, 1.02},
        {"t(1)", [&] { return pinion.TTK_o(1, 1); }, 0.1443210},
        {"TTK_s(1)", [&] { return pinion.TTK_s(1); }, Pi / 20.0},
        {"TTK_b(1)", [&] { return pinion.TTK_b(1); }, 0.1756177},
    });

    // Here Rp_o = 1.02 differs from Rp_s = 1, which tells the two radii apart.
    // Rack shift 0 with the maximum backlash 0.006 on the minimum thickness:
    // π/20 − 0.006 · (1 / 1.02) / 2 = 0.1541385 at the standard circle, carried: 0.1413210.
    // A chord of 0.15 at the operating circle: 2.04 asin(0.15 / 2.04) = 0.1501355;
    // at the standard circle 2 asin(0.075) = 0.1500704, carried: 0.1372436.
    set.aaBackLash(1, 0.006);
    pinion.aaSpeed(false, 1000.0);
    pinion.aaTorque(false, 102.0);
    expectCases({
        {"rack shift less backlash", [&] { pinion.aaToothThickness(4, 0, 0, 1, 0, 0.0); return pinion.TTK_o(1, 0); },
         0.1413210},
        {"chord at Rp_o", [&] { pinion.aaToothThickness(1, 0, 0, 1, 1, 0.15); return pinion.TTK_o(1, 0); }, 0.1501355},
        {"chord at Rp_s", [&] { pinion.aaToothThickness(1, 0, 1, 1, 1, 0.15); return pinion.TTK_o(1, 0); }, 0.1372436},
        {"The_p = tan φo", [&] { return pinion.The_p(); }, 0.4221686},
        {"FeetPerMinute = 1000 · 2π · 1.02 / 12", [&] { return pinion.FeetPerMinute(); }, 534.0708},
        {"WT = 102 / 1.02", [&] { return pinion.WT(); }, 100.0},
    }, 5e-5);
}

TEST(T_GearThickness, InternalGearTakesTheInvoluteWithTheOppositeSign) {
    RecordingShell shell;
    T_Set set(shell);
    setUpBarePair(set, 20, 60, -1, 1.02);
    T_Gear& gear = *set.oGear;
    gear.aaToothThickness(1, 1, 1, 1, 0, Pi / 20.0);
    // C = 2.04, cos φo = (2.8190779 − 0.9396926) / 2.04: φo = 22.88794°, Rp_o = 3.06;
    // t = 2 · 3.06 · (π/20 / 6 − inv 20° + inv φo) = 0.2079219;
    // TTK_b = 2 · 2.8190779 · (t / 6.12 − inv φo) = 0.0635733.
    expectCases({
        {"Rp_o", [&] { return gear.Rp_o(); }, 3.06},
        {"t(1)", [&] { return gear.TTK_o(1, 1); }, 0.2079219},
        {"TTK_s(1)", [&] { return gear.TTK_s(1); }, Pi / 20.0},
        {"TTK_b(1)", [&] { return gear.TTK_b(1); }, 0.0635733},
    });
}

TEST(T_GearThickness, HelicalNormalThickness) {
    RecordingShell shell;
    T_Set set(shell);
    T_Gear& pinion = *set.oPinion;
    pinion.aaNumberOfTeeth(20);
    set.oGear->aaNumberOfTeeth(20);
    set.aaHelixAngle(degrees(30.0));
    set.aaDiametralPitch(0, 10.0);
    set.aaPressureAngle(0, degrees(20.0));
    set.aaInternal_External(1);
    set.aaOperatingCenterDistance(-1, 1.0);
    pinion.aaToothThickness(1, 0, 1, 0, 0, Pi / 20.0);
    // Pd = 10 cos 30° = 8.660254, Rp_s = 1.1547005, φ = atan(tan 20° / cos 30°) = 22.79588°,
    // Rb = 1.0645081; transverse thickness π/20 / cos 30° = 0.1813799;
    // TTK_b = 2 Rb (0.1813799 / 2.3094011 + inv φ) = 0.2149313; ψb = 28.02432°, TTK_bn = 0.1897302.
    expectCases({
        {"Rp_s", [&] { return pinion.Rp_s(); }, 1.1547005},
        {"Rb", [&] { return pinion.Rb(); }, 1.0645081},
        {"stored transverse", [&] { return pinion.TTK_o(1, 0); }, 0.1813799},
        {"TTK_on", [&] { return pinion.TTK_on(0); }, Pi / 20.0},
        {"TTK_sn", [&] { return pinion.TTK_sn(0); }, Pi / 20.0},
        {"TTK_b", [&] { return pinion.TTK_b(0); }, 0.2149313},
        {"TTK_bn", [&] { return pinion.TTK_bn(0); }, 0.1897302},
        {"no rack shift", [&] { return pinion.TTK_RackshiftCoeff(); }, 0.0},
    });

    // TopLand: Ro = 1.1547005 + 0.1, width 2 Ro (t / (2 Rp_o) + inv φ − inv acos(Rb / Ro)) · cos 30°.
    // A normal chord of 0.15 becomes its arc on the transverse radius, then the
    // transverse thickness: 2 · 1.1547005 · asin(0.15 / 2.3094011) / cos 30° = 0.1733271.
    pinion.aaAddendumFactor(0, 1.0);
    pinion.aaAddendumFactor(1, 1.0);
    EXPECT_NEAR(pinion.TopLand(0), 0.0757583, Tol);
    pinion.aaToothThickness(1, 1, 1, 0, 1, 0.15);
    EXPECT_NEAR(pinion.TTK_o(1, 1), 0.1733271, Tol);
}

TEST_F(T_GearSpurPair, ThicknessModesAndLimitsOutsideTheTable) {
    EXPECT_EQ(pinion.TTK_o(2, 0), 0.0);
    EXPECT_EQ(pinion.TTK_o(-1, 1), 0.0);
    EXPECT_EQ(errorNumberOf([&] { pinion.TTK_o(1, 2); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { pinion.aaToothThickness(1, 2, 0, 1, 0, 0.2); }),
              runtime::SubscriptOutOfRange);

    pinion.aaToothThickness(2, 0, 0, 1, 0, 0.2);
    pinion.aaToothThickness(3, 1, 0, 1, 0, 0.2);
    EXPECT_NEAR(pinion.TTK_o(1, 0), Pi / 20.0, 1e-12);
    EXPECT_NEAR(pinion.TTK_o(1, 1), Pi / 20.0, 1e-12);
}

TEST_F(T_GearSpurPair, ChordLongerThanTheDiameterFailsAndKeepsTheStoredThickness) {
    EXPECT_NE(errorNumberOf([&] { pinion.aaToothThickness(1, 0, 1, 1, 1, 2.5); }), 0);
    EXPECT_NEAR(pinion.TTK_o(1, 0), Pi / 20.0, 1e-12);
}

// ---- proportions ----

TEST_F(T_GearSpurPair, Proportions) {
    pinion.aaAddendumFactor(0, 0.9);
    pinion.aaEdgeBreak(0, 0.005);
    pinion.aaEdgeBreak(1, 0.01);
    // Ro = Rp_s + AddF / Pd_n (− EGB): with AddF(0) 0.9 and EGB(1) 0.01: 1 + 0.09 − 0.01.
    // RR(i) = Rp_s + AddF(i)/10 − (AddF(1) + 1.25)/10: RR(1) = 0.875, RR(0) = 0.865.
    expectCases({
        {"AddF(0)", [&] { return pinion.AddF(0); }, 0.9},
        {"Addendum(1)", [&] { return pinion.Addendum(1); }, 0.1},
        {"DedF", [&] { return pinion.DedF(); }, 1.25},
        {"Dedendum", [&] { return pinion.Dedendum(); }, 0.125},
        {"WDF from the maximum addendum", [&] { return pinion.WDF(); }, 2.25},
        {"WD", [&] { return pinion.WD(); }, 0.225},
        {"EGB(1)", [&] { return pinion.EGB(1); }, 0.01},
        {"Ro(-1, 1, 0)", [&] { return pinion.Ro(-1, 1, 0); }, 1.08},
        {"Ro(-1, 0, 1)", [&] { return pinion.Ro(-1, 0, 1); }, 1.095},
        {"Ro(0, 1, 0) keeps the edge", [&] { return pinion.Ro(0, 1, 0); }, 1.09},
        {"Ro(1, 1, 0) keeps the edge: only -1 is true", [&] { return pinion.Ro(1, 1, 0); }, 1.09},
        {"Ro(2, 1, 0) keeps the edge", [&] { return pinion.Ro(2, 1, 0); }, 1.09},
        {"RR(1)", [&] { return pinion.RR(1); }, 0.875},
        {"RR(0)", [&] { return pinion.RR(0); }, 0.865},
        {"gear RR(1) = 2 − 0.125", [&] { return gear.RR(1); }, 1.875},
    });
}

TEST_F(T_GearSpurPair, EnteredRadiiBecomeFactors) {
    pinion.aaAddendumRadius(0, 0.95); // inside the pitch circle: −|0.95 − 1| · 10
    pinion.aaAddendumRadius(1, 1.12); // +|1.12 − 1| · 10
    EXPECT_NEAR(pinion.AddF(0), -0.5, 1e-12);
    EXPECT_NEAR(pinion.AddF(1), 1.2, 1e-12);

    pinion.aaRootRadius(0.875); // (1 − 0.875) · 10
    EXPECT_NEAR(pinion.DedF(), 1.25, 1e-12);

    pinion.aaWholeDepthFactor(2.0); // |2.0 − AddF(1)| = 0.8
    EXPECT_NEAR(pinion.DedF(), 0.8, 1e-12);
    pinion.aaWholeDepthFactor(0.5); // the absolute value: |0.5 − 1.2|
    EXPECT_NEAR(pinion.DedF(), 0.7, 1e-12);
}

TEST(T_GearProportions, InternalGearRadiiLieOnTheOtherSide) {
    RecordingShell shell;
    T_Set set(shell);
    setUpBarePair(set, 20, 40, -1, 1.0);
    T_Gear& gear = *set.oGear;
    gear.aaRootRadius(2.125); // (2.125 − 2) · 10
    EXPECT_NEAR(gear.DedF(), 1.25, 1e-12);
    gear.aaAddendumRadius(0, 1.9); // tip inside: the right side for an internal gear
    gear.aaAddendumRadius(1, 2.05);
    EXPECT_NEAR(gear.AddF(0), 1.0, 1e-12);
    EXPECT_NEAR(gear.AddF(1), -0.5, 1e-12);
    // Internal tip and root: Ro = 2 − AddF/10; RR(1) = 2 − Addendum(0) + WD = 2 − 0.1 + (−0.05 + 0.125).
    EXPECT_NEAR(gear.Ro(0, 1, 0), 1.9, 1e-12);
    EXPECT_NEAR(gear.RR(1), 1.975, 1e-12);
}

TEST_F(T_GearSpurPair, LimitIndexOutsideZeroAndOneIsASubscriptError) {
    const std::vector<std::pair<std::string, std::function<void()>>> calls = {
        {"AddF", [&] { pinion.AddF(2); }},
        {"Addendum", [&] { pinion.Addendum(-1); }},
        {"EGB", [&] { pinion.EGB(2); }},
        {"aaAddendumFactor", [&] { pinion.aaAddendumFactor(2, 1.0); }},
        {"aaAddendumRadius", [&] { pinion.aaAddendumRadius(-1, 1.1); }},
        {"aaEdgeBreak", [&] { pinion.aaEdgeBreak(2, 0.01); }},
        {"Ro", [&] { pinion.Ro(-1, 2, 0); }},
        {"RR", [&] { pinion.RR(2); }},
        {"The_od", [&] { pinion.The_od(2, -1); }},
        {"ClearanceRoRb", [&] { pinion.ClearanceRoRb(2); }},
    };
    for (const auto& [what, call] : calls)
        EXPECT_EQ(errorNumberOf(call), runtime::SubscriptOutOfRange) << what;
}

// ---- roll angles, load point, clearances ----

TEST_F(T_GearSpurPair, RollAnglesAlongTheLineOfAction) {
    // θ(r) = √(r² − Rb²) / Rb. Pinion tip 1.1: √(1.21 − 0.8830222) / 0.9396926 = 0.6085178;
    // gear tip 2.1: √(4.41 − 3.5320889) / 1.8793852 = 0.4985509.
    // L = 3 sin 20° = 1.0260604; pinion θlc = (L − 1.8793852 · 0.4985509) / 0.9396926 = 0.0948090,
    // gear θlc = (L − 0.9396926 · 0.6085178) / 1.8793852 = 0.2416964.
    // LPSTC = θod − 2π/N; HPSTC = θlc + 2π/N (0.3141593 pinion, 0.1570796 gear).
    expectCases({
        {"pinion The_od", [&] { return pinion.The_od(0, -1); }, 0.6085178},
        {"pinion The_lc", [&] { return pinion.The_lc(0); }, 0.0948090},
        {"pinion LPSTC", [&] { return pinion.LPSTC(0); }, 0.2943586},
        {"pinion HPSTC(0)", [&] { return pinion.HPSTC(0); }, 0.4089683},
        {"pinion HPSTC(1)", [&] { return pinion.HPSTC(1); }, 0.4089683},
        {"pinion The_p = tan 20°", [&] { return pinion.The_p(); }, 0.3639702},
        {"pinion R_lc(1) = Rb √(1 + θlc²)", [&] { return pinion.R_lc(1); }, 0.9439065},
        {"pinion RLC", [&] { return pinion.RLC(); }, 0.9439065},
        {"pinion Pang", [&] { return pinion.Pang(); }, 0.3141593},
        {"gear The_od", [&] { return gear.The_od(0, -1); }, 0.4985509},
        {"gear The_lc", [&] { return gear.The_lc(0); }, 0.2416964},
        {"gear LPSTC", [&] { return gear.LPSTC(0); }, 0.3414712},
        {"gear HPSTC", [&] { return gear.HPSTC(0); }, 0.3987761},
        {"gear R_lc(1) = 1.8793852 √(1 + 0.2416964²)", [&] { return gear.R_lc(1); }, 1.9335003},
    });
}

TEST(T_GearRollAngles, InternalPairAlongTheLineOfAction) {
    RecordingShell shell;
    T_Set set(shell);
    cindrel::model::testing::setUpInternalPair(set);
    const T_Gear& pinion = *set.oPinion;
    const T_Gear& gear = *set.oGear;
    // 20/60 at Pd 10, 20°, C = 2, L = 2 sin 20° = 0.6840403; ring tip 3 − 0.08 = 2.92.
    // Gear θod = √(2.92² − 2.8190779²) / 2.8190779 = 0.2699648.
    // Pinion θlc = −(L − 2.8190779 · 0.2699648) / 0.9396926 = 0.0819541;
    // gear θlc = (L + 0.9396926 · 0.6085178) / 2.8190779 = 0.4454861.
    // Gear LPSTC = θod + 2π/60 = 0.3746846 (no raise for an internal member),
    // gear HPSTC = θlc − 2π/60 = 0.3407663; pinion HPSTC = θlc + 2π/20 = 0.3961133.
    // Gear α = π/20 / 6 − (inv 20° − inv(atan 0.3407663)) = 0.0236166, φl = atan 0.3407663 + α,
    // RL = Rb / cos(atan 0.3407663) · (cos α + sin α tan φl) = 3.0032664;
    // TopLand = 2 · 2.92 · (π/20 / 6 − (inv 20° − inv acos(Rb / 2.92))) = 0.1025582.
    expectCases({
        {"gear The_od", [&] { return gear.The_od(0, -1); }, 0.2699648},
        {"pinion The_lc", [&] { return pinion.The_lc(0); }, 0.0819541},
        {"gear The_lc", [&] { return gear.The_lc(0); }, 0.4454861},
        {"pinion LPSTC", [&] { return pinion.LPSTC(0); }, 0.2943586},
        {"gear LPSTC", [&] { return gear.LPSTC(0); }, 0.3746846},
        {"pinion HPSTC", [&] { return pinion.HPSTC(1); }, 0.3961133},
        {"gear HPSTC", [&] { return gear.HPSTC(1); }, 0.3407663},
        {"gear ALPHA", [&] { return gear.ALPHA(); }, 0.0236166},
        {"gear Phi_l(0)", [&] { return gear.Phi_l(0.0); }, 0.3520419},
        {"gear RL", [&] { return gear.RL(); }, 3.0032664},
        {"gear TopLand", [&] { return gear.TopLand(0); }, 0.1025582},
        {"gear R_lc(1)", [&] { return gear.R_lc(1); }, 3.0861601},
        {"gear RR(1) = 3 − 0.08 + 0.205", [&] { return gear.RR(1); }, 3.125},
    });
}

TEST_F(T_GearSpurPair, RadiusAndRollAngleConvertBothWays) {
    EXPECT_EQ(pinion.RollAngleFromRadius(pinion.Rb()), 0.0);
    EXPECT_EQ(pinion.RollAngleFromRadius(0.5), 0.0); // inside the base circle
    EXPECT_NEAR(pinion.RollAngleFromRadius(1.1), 0.6085178, Tol);
    EXPECT_NEAR(pinion.RadiusFromRollAngle(0.6085178), 1.1, Tol);
    EXPECT_NEAR(pinion.RadiusFromRollAngle(0.0), pinion.Rb(), 1e-12);
}

TEST_F(T_GearSpurPair, LowestSingleContactNeverBelowTheStartOfContact) {
    // Addenda of 0.2 give a contact ratio below 1: the pinion's tip less one
    // angular pitch lies below its start of contact.
    gear.aaAddendumFactor(0, 0.2);
    gear.aaAddendumFactor(1, 0.2);
    pinion.aaAddendumFactor(0, 0.2);
    pinion.aaAddendumFactor(1, 0.2);
    EXPECT_LT(pinion.The_od(0, -1) - pinion.Pang(), pinion.The_lc(0));
    EXPECT_DOUBLE_EQ(pinion.LPSTC(0), pinion.The_lc(0));
    // The mate's single contact reaches its start: this member's tip is the highest point.
    EXPECT_DOUBLE_EQ(pinion.HPSTC(1), pinion.The_od(0, -1));
}

TEST_F(T_GearSpurPair, HighestSingleContactFollowsItsLimitWhileTheLoadPointStaysAtTheMinimum) {
    // Minimum addenda 0.9 (pinion) and 0.8 (gear), maxima 1.0: limit 0 puts
    // both tips low, tips 1.09 and 2.08; limit 1 is the standard pair.
    pinion.aaAddendumFactor(0, 0.9);
    gear.aaAddendumFactor(0, 0.8);
    // HPSTC(0): pinion (L − Rb_g θ(2.08)) / Rb_p + 2π/20 = 0.4576308,
    // gear (L − Rb_p θ(1.09)) / Rb_g + 2π/40 = 0.4091418.
    // The load point is that of limit 0: α = π/40 + inv 20° − inv(atan 0.4576308)
    // = 0.0649950, φl = atan 0.4576308 − α = 0.3641866,
    // RL = Rb / cos(atan 0.4576308) · (cos α − sin α tan φl) = 1.0056493;
    // I = ρ1 ρ2 / (ρ1 + ρ2) cos 20° / 2 with ρ1 = Rb_p LPSTC(0) (0.2736271) and
    // ρ2 = Rb_g HPSTC(0) of the gear: 0.0905352.
    expectCases({
        {"pinion HPSTC(0)", [&] { return pinion.HPSTC(0); }, 0.4576308},
        {"pinion HPSTC(1)", [&] { return pinion.HPSTC(1); }, 0.4089683},
        {"gear HPSTC(0)", [&] { return gear.HPSTC(0); }, 0.4091418},
        {"gear HPSTC(1)", [&] { return gear.HPSTC(1); }, 0.3987761},
        {"ALPHA", [&] { return pinion.ALPHA(); }, 0.0649950},
        {"Phi_l(0)", [&] { return pinion.Phi_l(0.0); }, 0.3641866},
        {"RL", [&] { return pinion.RL(); }, 1.0056493},
        {"EyeLPS", [&] { return set.EyeLPS(); }, 0.0905352},
    });

    // Addenda of 0.2 at limit 0 only: the contact ratio falls below 1 there,
    // so that limit's highest point is the tip (θ(1.02) = 0.4221686 and
    // θ(2.02) = 0.3940014) while limit 1 keeps the start of contact plus a pitch.
    pinion.aaAddendumFactor(0, 0.2);
    gear.aaAddendumFactor(0, 0.2);
    expectCases({
        {"pinion HPSTC(0) at the tip", [&] { return pinion.HPSTC(0); }, 0.4221686},
        {"gear HPSTC(0) at the tip", [&] { return gear.HPSTC(0); }, 0.3940014},
        {"pinion HPSTC(1)", [&] { return pinion.HPSTC(1); }, 0.4089683},
        {"gear HPSTC(1)", [&] { return gear.HPSTC(1); }, 0.3987761},
    });
    EXPECT_EQ(errorNumberOf([&] { pinion.HPSTC(2); }), runtime::SubscriptOutOfRange);
}

TEST_F(T_GearSpurPair, LoadPoint) {
    // α = π/40 + inv 20° − inv(atan 0.4089683) = 0.0726896;
    // φl = atan 0.4089683 − α = 0.3155241 (18.07820°);
    // RL = Rb / cos(atan 0.4089683) · (cos α − sin α tan φl) = 0.9884906.
    expectCases({
        {"ALPHA", [&] { return pinion.ALPHA(); }, 0.0726896},
        {"Phi_l(0)", [&] { return pinion.Phi_l(0.0); }, 0.3155241},
        {"Phi_l(0.05) = atan 0.4089683 − 0.05", [&] { return pinion.Phi_l(0.05); }, 0.3382137},
        {"RL", [&] { return pinion.RL(); }, 0.9884906},
    });
}

TEST_F(T_GearSpurPair, ClearancesAndTopLand) {
    // Clearance = C − mate RR(1) − Ro = 3 − 1.875 − 1.1 = 0.025 (0.25 / Pd).
    // ClearanceRoRb = Rb √(1 + (C6/Rb)²) − Ro(−1, 0, 1) with C6 = 3 sin 20° = 1.0260604:
    // pinion √(0.8830222 + 1.0528000) − 1.1 = 0.2913383; gear √(3.5320889 + 1.0528000) − 2.1 = 0.0412354.
    // TopLand = 2 Ro (π/40 + inv 20° − inv(acos(Rb/Ro))) = 0.0694880 for the pinion.
    expectCases({
        {"pinion Clearance", [&] { return pinion.Clearance(); }, 0.025},
        {"gear Clearance", [&] { return gear.Clearance(); }, 0.025},
        {"pinion ClearanceRoRb(0)", [&] { return pinion.ClearanceRoRb(0); }, 0.2913383},
        {"gear ClearanceRoRb(0)", [&] { return gear.ClearanceRoRb(0); }, 0.0412354},
        {"pinion TopLand", [&] { return pinion.TopLand(0); }, 0.0694880},
        {"gear TopLand", [&] { return gear.TopLand(0); }, 0.0760664},
    });
    pinion.aaEdgeBreak(1, 0.005);
    EXPECT_NEAR(pinion.TopLand(-1), 0.0694880 - 0.01, Tol);
    EXPECT_NEAR(pinion.TopLand(0), 0.0694880, Tol);
    // The edge break of limit 0 shortens the tip of ClearanceRoRb(0) only by itself.
    pinion.aaEdgeBreak(0, 0.002);
    EXPECT_NEAR(pinion.ClearanceRoRb(0), 0.2913383 + 0.002, Tol);
}

TEST(T_GearClearance, InternalPair) {
    RecordingShell shell;
    T_Set set(shell);
    setUpBarePair(set, 20, 60, -1, 1.0);
    T_Gear& pinion = *set.oPinion;
    T_Gear& gear = *set.oGear;
    giveStandardTeeth(pinion, Pi / 20.0);
    giveStandardTeeth(gear, Pi / 20.0);
    // C = 3 − 1 = 2; gear tip 3 − 0.1 = 2.9, gear root RR(1) = 3 − 0.1 + 0.225 = 3.125.
    // Pinion: 3.125 − 2 − 1.1; gear: 2.9 − 0.875 − 2.
    // Gear ClearanceRoRb: C6 = 2 sin 20° = 0.6840403, r = √(Rb_g² + C6²) = 2.9008811,
    // (r − 2.9) · (−1) = −0.0008811: the tip reaches past the pinion's tangent point.
    EXPECT_NEAR(pinion.Clearance(), 0.025, 1e-9);
    EXPECT_NEAR(gear.Clearance(), 0.025, 1e-9);
    EXPECT_EQ(pinion.ClearanceRoRb(0), 0.0);
    EXPECT_NEAR(gear.ClearanceRoRb(0), -0.0008811, Tol);
    gear.LetName("Ring");
    EXPECT_EQ(gear.Clearance(), 0.0);
}

TEST_F(T_GearSpurPair, TipInsideTheBaseCircleFailsInsteadOfGivingNaN) {
    pinion.aaAddendumFactor(0, -1.0); // tip 0.9 < Rb 0.9396926
    EXPECT_EQ(errorNumberOf([&] { pinion.The_od(0, -1); }), runtime::InvalidProcedureCall);
    // The top land takes the tip pressure angle as 0 there: 2 · 0.9 · (0.0785398 + 0.0149044).
    EXPECT_NEAR(pinion.TopLand(0), 0.1681996, Tol);
}

// ---- loads ----

TEST_F(T_GearSpurPair, TorqueCouplesTheMateAndThePower) {
    stopLoads();
    pinion.aaSpeed(true, 1750.0);
    EXPECT_EQ(gear.RPM(), 875.0); // 1750 · 20 / 40
    pinion.aaTorque(true, 360.1451);
    // Gear 360.1451 · 40 / 20; power 1750 · 360.1451 / 63025.4 = 9.9999988 hp.
    EXPECT_NEAR(gear.Torq(), 720.2902, 1e-9);
    EXPECT_NEAR(set.hp(), 10.0, 5e-6);
    // FeetPerMinute = 1750 · 2π · 1 / 12; WT = 360.1451 / 1.
    EXPECT_NEAR(pinion.FeetPerMinute(), 916.2979, 5e-5);
    EXPECT_NEAR(pinion.WT(), 360.1451, 1e-9);
    EXPECT_NEAR(gear.WT(), 360.1451, 1e-9);
}

TEST_F(T_GearSpurPair, TorqueWithoutSpeedTakesTheSpeedFromThePower) {
    stopLoads();
    set.aaHorsePower(false, 10.0);
    pinion.aaTorque(true, 360.1451428571);
    // Speed 10 · 63025.4 / 360.1451428571 = 1750; the gear follows at 875 and 720.29 in-lb.
    EXPECT_NEAR(pinion.RPM(), 1750.0, 1e-6);
    EXPECT_NEAR(gear.RPM(), 875.0, 1e-6);
    EXPECT_NEAR(gear.Torq(), 720.2902857, 1e-6);
    EXPECT_NEAR(set.hp(), 10.0, 1e-12);
}

TEST_F(T_GearSpurPair, SpeedSetsBothTorquesFromThePower) {
    stopLoads();
    set.aaHorsePower(false, 10.0);
    pinion.aaSpeed(true, 1750.0);
    // 10 · 63025.4 / 1750 = 360.1451429; 10 · 63025.4 / 875 = 720.2902857.
    EXPECT_NEAR(pinion.Torq(), 360.1451429, 1e-6);
    EXPECT_NEAR(gear.Torq(), 720.2902857, 1e-6);
    EXPECT_NEAR(set.hp(), 10.0, 1e-12);
}

TEST_F(T_GearSpurPair, UncoupledSettersLeaveTheMateAlone) {
    stopLoads();
    pinion.aaSpeed(false, 1750.0);
    pinion.aaTorque(false, 100.0);
    EXPECT_EQ(gear.RPM(), 0.0);
    EXPECT_EQ(gear.Torq(), 0.0);
    EXPECT_EQ(set.hp(), 0.0);
}

TEST_F(T_GearSpurPair, ZeroTorqueClearsThePowerEvenWithoutCoupling) {
    set.aaHorsePower(false, 10.0);
    pinion.aaTorque(false, 0.0);
    EXPECT_EQ(set.hp(), 0.0);
}

TEST(T_GearLoads, CouplingWithoutTeethFailsAndChangesNothing) {
    RecordingShell shell;
    T_Set set(shell);
    T_Gear& pinion = *set.oPinion;
    T_Gear& gear = *set.oGear;
    pinion.aaTorque(false, 5.0);
    gear.aaSpeed(false, 7.0);
    // The mate's value is 100 * 0 / 0: an overflow, and every load stays as it was.
    EXPECT_EQ(errorNumberOf([&] { pinion.aaTorque(true, 100.0); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { pinion.aaSpeed(true, 1000.0); }), runtime::Overflow);
    EXPECT_EQ(pinion.Torq(), 5.0);
    EXPECT_EQ(pinion.RPM(), 0.0);
    EXPECT_EQ(gear.Torq(), 0.0);
    EXPECT_EQ(gear.RPM(), 7.0);
    EXPECT_EQ(set.hp(), 0.0);
}

// ---- allowables ----

TEST_F(T_GearSpurPair, AllowableStressesReadTheFactorTextsByTheirLeadingNumber) {
    pinion.SACfromAGMA(150000.0);
    pinion.SATfromAGMA(40000.0);
    gear.SACfromAGMA(120000.0);
    EXPECT_EQ(pinion.SAC(), 150000.0);
    EXPECT_EQ(pinion.SAT(), 40000.0);

    cindrel::model::T_AGMA1& factors = *set.oAGMA1;
    factors.Zn(0, "1.25*");
    factors.SF(0, "1.25*");
    factors.Kr("0.8 (99%)");
    EXPECT_NEAR(pinion.SAC(), 150000.0 * 1.25 / 0.8, 1e-6); // Zn at the pinion's index only
    EXPECT_NEAR(pinion.SAT(), 40000.0 / (1.25 * 0.8), 1e-6);
    EXPECT_NEAR(gear.SAC(), 120000.0 / 0.8, 1e-6);

    factors.Kt("none");
    EXPECT_EQ(errorNumberOf([&] { pinion.SAC(); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { pinion.SAT(); }), runtime::DivisionByZero);
}
