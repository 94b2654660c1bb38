#include "RecordingShell.h"
#include "ReferencePairs.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"

#include <gtest/gtest.h>

// The branches that turn on the internal-external sign or on a limit index,
// each with values worked out apart from the model: the formulas and their
// numbers stand in the comments (inv x = tan x − x, angles in radians,
// π = 3.14159265358979 as the model's).
namespace cindrel::model {
namespace {

using testing::RecordingShell;

constexpr double Tolerance = 1e-9;

// The internal 20/60 spur pair of the reference pairs, at pitch 10 and 20°:
// pinion Rp 1, Rb = cos 20° = 0.939692620785908, addendum 0.1; ring gear
// Rp 3, Rb = 2.819077862357725, addendum 0.08 inward; centre distance 2,
// L = 2 sin 20° = 0.684040286651338 between the base tangent points.
struct InternalPair : ::testing::Test {
    void SetUp() override { testing::setUpInternalPair(pair); }

    RecordingShell shell;
    T_Set pair{shell};
    T_Gear& pinion = *pair.oPinion;
    T_Gear& ring = *pair.oGear;
};

TEST(SignAndLimitBranches, AHelicalInternalGearLoadsItsVirtualToothWithTheInternalSigns)
{
    // The ring gear of the internal pair with a 15° helix (normal pitch 10,
    // normal pressure angle φn 20°), its virtual spur gear loaded at the tip:
    //   Sn = 60 / cos³15° = 66.57633995617417; sRp = Sn / 20 = 3.3288169978087083;
    //   sRb = sRp cos φn = 3.128064768787545;
    //   sRo = sRp + IntExt (AddF/Pd_n − EGB) = 3.3288169978 − 0.08 = 3.2488169978087083;
    //   sRR = sRp − IntExt DedF/Pd_n = 3.3288169978 + 0.125 = 3.4538169978087083;
    //   sPhi_o = acos(sRb / sRo) = 0.27349813536669004; sTTo = π/20 (TTK_on at
    //   the standard centre distance), sInvPhi = inv φn (Phi_on = φn there);
    //   ta = IntExt 2 sRo (sTTo/(2 sRp) + inv φn − inv sPhi_o) = −0.204471155292903;
    //   α = ta / (2 sRo) = −0.03146855538967208;
    //   sPhi_lp = acos(sRb/sRo) − IntExt α = 0.24202957997701796;
    //   sRL = sRo (cos α − tan sPhi_lp sin α) = 3.2724431466982074.
    testing::PairInputs inputs = testing::internalPairInputs();
    inputs.helixAngleDegrees = 15;
    RecordingShell shell;
    T_Set pair(shell);
    testing::setUpPair(pair, inputs);
    T_Gear& ring = *pair.oGear;
    ring.FullCircularFilletJFactor();
    const T_StressVars& s = ring.oStress;
    EXPECT_EQ(s.VoR, "Virtual");
    EXPECT_NEAR(s.sRo, 3.2488169978087083, Tolerance);
    EXPECT_NEAR(s.sRR, 3.4538169978087083, Tolerance);
    EXPECT_NEAR(s.sPhi_lp, 0.24202957997701796, Tolerance);
    EXPECT_NEAR(s.sRL, 3.2724431466982074, Tolerance);
}

TEST_F(InternalPair, EyeLPSTakesTheDifferenceOfTheCurvatures)
{
    // Pinion, lowest point of single contact: The_od(0) = √(1.1² − Rb_p²)/Rb_p
    //   = 0.608517823101732; The_lc(0) = IntExt (L − Rb_g θg)/Rb_p with the
    //   ring's tip roll angle θg = √(2.92² − Rb_g²)/Rb_g: 0.08195405516808703;
    //   LPSTC(0) = max(0.6085178 − 2π/20, 0.0819541) = 0.294358557742753.
    // Ring, highest point of single contact (internal: no tip branch):
    //   The_lc(0) = (L − IntExt Rb_p The_od_p)/Rb_g = 0.4454860972113786;
    //   HPSTC = The_lc(0) + IntExt 2π/60 = 0.34076634209171897.
    // ρ1 = Rb_p 0.2943586 = 0.27660656457604776, ρ2 = Rb_g 0.3407663 = 0.9606468512273846;
    // I = ρ1 ρ2 / (IntExt ρ1 + ρ2) cos 20° / (2 Rp_o) = 0.18251576658770138
    // (with the external sign it would be 0.1009074904949585).
    EXPECT_NEAR(pinion.LPSTC(0), 0.294358557742753, Tolerance);
    EXPECT_NEAR(ring.HPSTC(1), 0.34076634209171897, Tolerance);
    EXPECT_NEAR(pair.EyeLPS(), 0.18251576658770138, Tolerance);
}

TEST_F(InternalPair, FormClearanceOfTheRingGearIsMeasuredOutward)
{
    // R_lc(0) = Rb_g / cos(atan The_lc(1)), The_lc(1) = (L + Rb_p The_od_p(1))/Rb_g
    //   = 0.4454860972113786 (no edge breaks, so both limits alike):
    //   R_lc(0) = √(Rb_g² + (Rb_g 0.4454861)²) = 3.086160125489991.
    // With the fillet meeting the involute at 3.1 (outside it, as in a ring gear):
    //   TIFF = (R_lc(0) − Rtangent) IntExt = (3.0861601 − 3.1)(−1) = 0.013839874510009231.
    ring.oStress.Rtangent = 3.1;
    EXPECT_NEAR(ring.R_lc(0), 3.086160125489991, Tolerance);
    EXPECT_NEAR(ring.TIFF(), 0.013839874510009231, Tolerance);
}

TEST(SignAndLimitBranches, TipRollAngleTakesTheEdgeBreakOfTheOtherLimit)
{
    // The spur pinion (Rp 1, Rb = cos 20°, addendum 0.1 at both limits) with
    // edge breaks 0.005 (limit 0) and 0.02 (limit 1). The_od(i, −1) uses the
    // addendum of limit i and the edge break of the other limit:
    //   The_od(0, −1): Ro = 1 + 0.1 − 0.02 = 1.08,  √(1.08² − Rb²)/Rb = 0.5664963020020912;
    //   The_od(1, −1): Ro = 1 + 0.1 − 0.005 = 1.095, √(1.095² − Rb²)/Rb = 0.5982182170788576;
    //   The_od(0, 0): no edge break, Ro = 1.1: 0.608517823101732.
    RecordingShell shell;
    T_Set pair(shell);
    testing::setUpSpurPair(pair);
    T_Gear& pinion = *pair.oPinion;
    pinion.aaEdgeBreak(0, 0.005);
    pinion.aaEdgeBreak(1, 0.02);
    EXPECT_NEAR(pinion.The_od(0, -1), 0.5664963020020912, Tolerance);
    EXPECT_NEAR(pinion.The_od(1, -1), 0.5982182170788576, Tolerance);
    EXPECT_NEAR(pinion.The_od(0, 0), 0.608517823101732, Tolerance);
}

TEST(SignAndLimitBranches, HobThicknessAwayFromTheStandardCentreDistanceCarriesTheInvolutes)
{
    // The spur 20/40 pair at 1.02 times its standard centre distance of 3:
    //   φo = acos((Rb_p + Rb_g) / 3.06) = acos(3 cos 20° / 3.06) = 0.39946995133143504;
    //   pinion Rp_o = Rb_p / cos φo = 1.02.
    // A hob 0.15 thick: t = 2 Rp_o ((PC_sn − T)/(2 Rp_s cos ψ) + inv φ − inv φo)
    //   = 2.04 ((π/10 − 0.15)/2 + inv 20° − inv φo) = 0.1515422287636182
    //   (with the involutes the other way round: 0.18334267256869893).
    RecordingShell shell;
    T_Set pair(shell);
    testing::setUpSpurPair(pair);
    pair.aaOperatingCenterDistance(-1, 1.02);
    T_Hob& hob = *pair.oPinion->oHob;
    hob.HobTTk(0.15);
    EXPECT_NEAR(pair.Phi_o(), 0.39946995133143504, Tolerance);
    EXPECT_NEAR(pair.oPinion->Rp_o(), 1.02, Tolerance);
    EXPECT_NEAR(hob.TTKfromHobTTH(), 0.1515422287636182, Tolerance);
}

// The gear of the spur 20/40 pair, cut by the standard hob and loaded at its
// highest point of single contact, below a pinion whose addendum factor is
// raised until that point sinks to the fillet. The load radius, normalised to
// pitch 1 (C6 = 30 sin 20° = 10.2606043, PB·P = π cos 20° = 2.9521314,
// r_nb = 20 cos 20° = 18.7938524, Sn/nn = (π/2)/40 = 0.0392699):
//   mate addendum 5.5: C1 = C6 − √(15.5² − 9.3969262²) = −2.0661056,
//     tanW = (2.9521314 − 2.0661056)/r_nb = 0.0471444,
//     Phi_nL = tanW − tan 20° + 20° − Sn/nn = −0.0070298, RnL = r_nb / cos Phi_nL = 18.79432;
//   mate addendum 6: C1 = C6 − √(16² − 9.3969262²) = −2.6892134, tanW = 0.0139896,
//     Phi_nL = −0.0401847, RnL = 18.80904.
// The root circle lies at 20 − 1.25 = 18.75: both loads act at the bottom of
// the flank. At 5.5 the critical fillet point still lies below the load
// (a Lewis height just above 0); at 6 the point the iteration settles on lies
// above it, and the section is refused: J is −999, nothing is recorded.
TEST(SignAndLimitBranches, AgmaRefusesACriticalPointAtOrAboveTheLoad)
{
    const auto gearOfPair = [](T_Set& pair, double mateAddendum) -> T_Gear& {
        testing::setUpSpurPair(pair);
        for (std::int32_t limit = 0; limit < 2; ++limit)
            pair.oPinion->aaAddendumFactor(limit, mateAddendum);
        T_Gear& gear = *pair.oGear;
        gear.aaFilletRadius(1);
        gear.oHob->SetDefaultHob(1);
        return gear;
    };

    RecordingShell shell;
    T_Set justAbove(shell);
    T_Gear& rated = gearOfPair(justAbove, 5.5);
    const double j = rated.AGMA_JFactor(0);
    EXPECT_GT(j, 0);
    EXPECT_EQ(rated.oStress.XJ, j);
    EXPECT_EQ(rated.oStress.Source, "AGMA Routine");

    T_Set below(shell);
    T_Gear& refused = gearOfPair(below, 6);
    refused.oStress.XJ = 0.25;
    shell.csv = true;
    EXPECT_EQ(refused.AGMA_JFactor(0), -999);
    EXPECT_EQ(refused.oStress.XJ, 0.25);
    EXPECT_EQ(refused.oStress.Done, 0);
    EXPECT_EQ(refused.oStress.Source, "");
    EXPECT_TRUE(shell.files.empty()) << "no trace for a refused section";
    EXPECT_TRUE(shell.errors.empty()) << "the iteration settled: the section itself was refused";
}

} // namespace
} // namespace cindrel::model
