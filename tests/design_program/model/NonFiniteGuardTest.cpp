#include "RecordingShell.h"
#include "ReferencePairs.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_MiscVars.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace cindrel::model {
namespace {

using testing::RecordingShell;
using testsupport::errorNumberOf;

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double Largest = std::numeric_limits<double>::max();

// Everything the pair stores that a getter shows as stored: what a refused
// setter must leave as it was.
std::vector<double> storedValues(T_Set& pair)
{
    std::vector<double> values = {pair.pd(), pair.Pd_n(), pair.Psi(), pair.Phi(), pair.hp(), pair.DC_O(-1),
                                  pair.BackLash(-1, 1, 0), pair.BackLash(-1, 1, 1)};
    for (int index = 0; index < 2; ++index) {
        T_Gear& member = pair.member(index);
        const T_Hob& hob = *member.oHob;
        for (const double value :
             {member.GearFace(), member.E(), member.Mu(), member.BHN(), member.TTK_o(1, 0), member.TTK_o(1, 1),
              member.AddF(0), member.AddF(1), member.DedF(), member.EGB(0), member.EGB(1), member.Torq(),
              member.RPM(), member.Quality(), member.SAT(), member.SAC(), hob.Addendum(), hob.HobTTk(),
              hob.TipRadius(), hob.Protuberance(), hob.RackShift(false)})
            values.push_back(value);
    }
    const T_MiscVars& misc = *pair.oMiscVars;
    for (const double value : {misc.SafetyFactor(), misc.setRMS(), misc.VISCO(), misc.LPE(), misc.BulkTemp(),
                               misc.FrictCoeff()})
        values.push_back(value);
    return values;
}

// The helical reference pair with factor texts of 1, so that SAT and SAC show
// the allowables they are built from.
class GuardedPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::setUpHelicalPair(pair);
        T_AGMA1& factors = *pair.oAGMA1;
        factors.Kt("1");
        factors.Kr("1");
        for (std::int32_t k = 0; k < 2; ++k) {
            factors.Zn(k, "1");
            factors.Ch(k, "1");
            factors.Sh(k, "1");
            factors.Yn(k, "1");
            factors.SF(k, "1");
            pair.member(k).SATfromAGMA(30000);
            pair.member(k).SACfromAGMA(120000);
        }
    }

    RecordingShell shell;
    T_Set pair{shell};
};

struct Setter {
    const char* name;
    std::function<void(T_Set&, double)> set;
};

std::vector<Setter> everySetterTakingANumber()
{
    std::vector<Setter> setters = {
        {"aaPressureAngle transverse", [](T_Set& p, double v) { p.aaPressureAngle(1, v); }},
        {"aaPressureAngle normal", [](T_Set& p, double v) { p.aaPressureAngle(0, v); }},
        {"aaHelixAngle", [](T_Set& p, double v) { p.aaHelixAngle(v); }},
        {"aaEffectiveFaceWidth", [](T_Set& p, double v) { p.aaEffectiveFaceWidth(v); }},
        {"aaOperatingCenterDistance ratio", [](T_Set& p, double v) { p.aaOperatingCenterDistance(-1, v); }},
        {"aaOperatingCenterDistance inch", [](T_Set& p, double v) { p.aaOperatingCenterDistance(0, v); }},
        {"aaHorsePower", [](T_Set& p, double v) { p.aaHorsePower(false, v); }},
        {"aaHorsePower coupled", [](T_Set& p, double v) { p.aaHorsePower(true, v); }},
        {"aaDiametralPitch transverse", [](T_Set& p, double v) { p.aaDiametralPitch(1, v); }},
        {"aaDiametralPitch normal", [](T_Set& p, double v) { p.aaDiametralPitch(0, v); }},
        {"aaBackLash", [](T_Set& p, double v) { p.aaBackLash(1, v); }},
        {"aaSafetyFactor", [](T_Set& p, double v) { p.oMiscVars->aaSafetyFactor(v); }},
        {"aaSetRoughness", [](T_Set& p, double v) { p.oMiscVars->aaSetRoughness(v); }},
        {"aaViscosity", [](T_Set& p, double v) { p.oMiscVars->aaViscosity(v); }},
        {"aaLubePressExponent", [](T_Set& p, double v) { p.oMiscVars->aaLubePressExponent(v); }},
        {"aaBulkTemperatureF", [](T_Set& p, double v) { p.oMiscVars->aaBulkTemperatureF(v); }},
        {"aaFrictCoeff", [](T_Set& p, double v) { p.oMiscVars->aaFrictCoeff(v); }},
    };
    const std::vector<Setter> memberSetters = {
        {"aaFaceWidth", [](T_Set& p, double v) { p.oPinion->aaFaceWidth(v); }},
        {"aaModulus_Elasticity", [](T_Set& p, double v) { p.oPinion->aaModulus_Elasticity(v); }},
        {"aaPoissons_Ratio", [](T_Set& p, double v) { p.oPinion->aaPoissons_Ratio(v); }},
        {"aaHardnessBrinell", [](T_Set& p, double v) { p.oPinion->aaHardnessBrinell(v); }},
        {"aaToothThickness actual", [](T_Set& p, double v) { p.oPinion->aaToothThickness(1, 0, 1, 0, 0, v); }},
        {"aaToothThickness percent", [](T_Set& p, double v) { p.oPinion->aaToothThickness(0, 0, 1, 0, 0, v); }},
        {"aaToothThickness rack shift", [](T_Set& p, double v) { p.oGear->aaToothThickness(4, 1, 1, 0, 0, v); }},
        {"aaAddendumFactor", [](T_Set& p, double v) { p.oPinion->aaAddendumFactor(1, v); }},
        {"aaAddendumRadius", [](T_Set& p, double v) { p.oGear->aaAddendumRadius(0, v); }},
        {"aaWholeDepthFactor", [](T_Set& p, double v) { p.oPinion->aaWholeDepthFactor(v); }},
        {"aaDedendumFactor", [](T_Set& p, double v) { p.oPinion->aaDedendumFactor(v); }},
        {"aaRootRadius", [](T_Set& p, double v) { p.oGear->aaRootRadius(v); }},
        {"aaEdgeBreak", [](T_Set& p, double v) { p.oPinion->aaEdgeBreak(0, v); }},
        {"aaBendingStressAllowable", [](T_Set& p, double v) { p.oPinion->aaBendingStressAllowable(v); }},
        {"aaContactStressAllowable", [](T_Set& p, double v) { p.oPinion->aaContactStressAllowable(v); }},
        {"aaTorque", [](T_Set& p, double v) { p.oPinion->aaTorque(false, v); }},
        {"aaTorque coupled", [](T_Set& p, double v) { p.oGear->aaTorque(true, v); }},
        {"aaSpeed", [](T_Set& p, double v) { p.oGear->aaSpeed(false, v); }},
        {"aaSpeed coupled", [](T_Set& p, double v) { p.oPinion->aaSpeed(true, v); }},
        {"SATfromAGMA", [](T_Set& p, double v) { p.oPinion->SATfromAGMA(v); }},
        {"SACfromAGMA", [](T_Set& p, double v) { p.oGear->SACfromAGMA(v); }},
        {"Quality", [](T_Set& p, double v) { p.oPinion->Quality(v); }},
        {"T_Hob.Addendum", [](T_Set& p, double v) { p.oPinion->oHob->Addendum(v); }},
        {"T_Hob.HobTTk", [](T_Set& p, double v) { p.oPinion->oHob->HobTTk(v); }},
        {"T_Hob.PhiHob", [](T_Set& p, double v) { p.oPinion->oHob->PhiHob(v); }},
        {"T_Hob.TipRadius", [](T_Set& p, double v) { p.oPinion->oHob->TipRadius(v); }},
        {"T_Hob.HobHalfFlat", [](T_Set& p, double v) { p.oPinion->oHob->HobHalfFlat(v); }},
        {"T_Hob.Protuberance", [](T_Set& p, double v) { p.oGear->oHob->Protuberance(v); }},
        {"T_Hob.RackShift", [](T_Set& p, double v) { p.oGear->oHob->RackShift(false, v); }},
    };
    setters.insert(setters.end(), memberSetters.begin(), memberSetters.end());
    return setters;
}

TEST_F(GuardedPair, EverySetterRefusesANumberThatIsNotFiniteAndChangesNothing)
{
    const std::vector<double> before = storedValues(pair);
    for (const Setter& setter : everySetterTakingANumber()) {
        for (const double bad : {Infinity, -Infinity, NotANumber}) {
            EXPECT_EQ(errorNumberOf([&] { setter.set(pair, bad); }), runtime::Overflow)
                << setter.name << " of " << bad;
            EXPECT_EQ(storedValues(pair), before) << setter.name << " of " << bad;
        }
    }
}

TEST_F(GuardedPair, CoupledLoadsChangeTogetherOrNotAtAll)
{
    T_Gear& pinion = *pair.oPinion;
    T_Gear& gear = *pair.oGear;
    // The gear stands while the pair keeps its power: a torque given to it
    // then works out its speed as well.
    gear.aaSpeed(false, 0);
    const std::vector<double> before = storedValues(pair);

    // A mate without teeth makes the coupled value x / 0 after the member's
    // own value would have been stored.
    gear.aaNumberOfTeeth(0);
    EXPECT_EQ(errorNumberOf([&] { pinion.aaSpeed(true, 900); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { gear.aaTorque(true, 500); }), runtime::DivisionByZero);
    gear.aaNumberOfTeeth(50);
    pinion.aaNumberOfTeeth(0);
    EXPECT_EQ(errorNumberOf([&] { pinion.aaTorque(true, 500); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { gear.aaSpeed(true, 600); }), runtime::DivisionByZero);
    pinion.aaNumberOfTeeth(25);
    // The mate's torque overflows.
    EXPECT_EQ(errorNumberOf([&] { pinion.aaTorque(true, Largest); }), runtime::Overflow);
    // Both torques are stored, then the speed that the power asks of so small
    // a torque overflows.
    EXPECT_EQ(errorNumberOf([&] { gear.aaTorque(true, 1e-303); }), runtime::Overflow);
    EXPECT_EQ(storedValues(pair), before);
}

TEST_F(GuardedPair, TheDefaultHobChangesWholeOrNotAtAll)
{
    T_Hob& hob = *pair.oPinion->oHob;
    hob.Addendum(0.2);
    hob.HobTTk(0.3);
    hob.TipRadius(0.04);
    hob.Protuberance(0.001);
    // A centre distance of 0 has no operating pressure angle: the thickness
    // both options need fails after the first value is stored.
    pair.aaOperatingCenterDistance(-1, 0);
    for (const std::int32_t option : {0, 1}) {
        EXPECT_NE(errorNumberOf([&] { hob.SetDefaultHob(option); }), 0) << option;
        EXPECT_EQ(hob.Addendum(), 0.2) << option;
        EXPECT_EQ(hob.HobTTk(), 0.3) << option;
        EXPECT_EQ(hob.TipRadius(), 0.04) << option;
        EXPECT_EQ(hob.Protuberance(), 0.001) << option;
    }
}

// Inputs that are finite but whose results are not: each getter raises 6.
// The pitch is 1, so that factors are lengths (addendum = AddF, in inch);
// the pinion has radius 10, the gear 20, the centre distance is 30.
TEST(GuardedGetters, OverflowingResultsRaise6)
{
    const struct {
        const char* name;
        std::function<void(T_Set&)> inputs;
        std::function<double(T_Set&)> getter;
    } cases[] = {
        {"WDF: AddF(1) + DedF = 2e308", [](T_Set& p) { p.oPinion->aaAddendumFactor(1, 1e308); p.oPinion->aaDedendumFactor(1e308); },
         [](T_Set& p) { return p.oPinion->WDF(); }},
        {"Ro: addendum 1e308 less an edge break of -1e308", [](T_Set& p) { p.oPinion->aaAddendumFactor(0, 1e308); p.oPinion->aaEdgeBreak(1, -1e308); },
         [](T_Set& p) { return p.oPinion->Ro(-1, 1, 0); }},
        {"RR(0): 10 + 1e308 - (-1e308)",
         [](T_Set& p) { p.oPinion->aaAddendumFactor(0, 1e308); p.oPinion->aaAddendumFactor(1, -1e308); p.oPinion->aaDedendumFactor(0); },
         [](T_Set& p) { return p.oPinion->RR(0); }},
        {"Clearance: 30 - (21 - 1e308) - (10 - 1e308)",
         [](T_Set& p) { p.oPinion->aaAddendumFactor(0, -1e308); p.oGear->aaDedendumFactor(1e308); },
         [](T_Set& p) { return p.oPinion->Clearance(); }},
        {"ClearanceRoRb: a tip of 10 - 1e308 - 1e308",
         [](T_Set& p) { p.oPinion->aaAddendumFactor(1, -1e308); p.oPinion->aaEdgeBreak(0, 1e308); },
         [](T_Set& p) { return p.oPinion->ClearanceRoRb(0); }},
        {"Phi_l of an infinite roll angle", [](T_Set&) {}, [](T_Set& p) { return p.oPinion->Phi_l(Infinity); }},
        {"Phi_l of NaN", [](T_Set&) {}, [](T_Set& p) { return p.oGear->Phi_l(NotANumber); }},
        {"Lmin: twice a face of 1e308 (contact ratio between 2 and 3)",
         [](T_Set& p) {
             for (int i = 0; i < 2; ++i) {
                 p.member(i).aaAddendumFactor(0, 1.6);
                 p.member(i).aaAddendumFactor(1, 1.6);
                 p.member(i).aaFaceWidth(1e308);
             }
         },
         [](T_Set& p) { return p.Lmin(); }},
        {"adefTTH: a pitch of 1e307 less a thickness of -1.79e308",
         [](T_Set& p) {
             p.aaDiametralPitch(1, 3e-307);
             p.aaOperatingCenterDistance(-1, 1);
             p.oPinion->aaToothThickness(1, 0, 0, 1, 0, -1.79e308);
         },
         [](T_Set& p) { return p.oPinion->oHob->adefTTH(); }},
    };
    for (const auto& c : cases) {
        RecordingShell shell;
        T_Set pair(shell);
        testing::PairInputs inputs = testing::spurPairInputs();
        inputs.normalDiametralPitch = 1;
        testing::setUpPair(pair, inputs);
        c.inputs(pair);
        double result = 0;
        EXPECT_EQ(errorNumberOf([&] { result = c.getter(pair); }), runtime::Overflow) << c.name << ": " << result;
    }
}

// ---- no getter ever hands back an infinity or NaN ----

struct Getter {
    std::string name;
    std::function<double(T_Set&)> get;
};

struct MemberGetter {
    std::string name;
    std::function<double(T_Gear&)> get;
};

std::vector<Getter> everyGetter()
{
    std::vector<Getter> getters = {
        {"Pd_o", [](T_Set& p) { return p.Pd_o(); }},         {"Pd_on", [](T_Set& p) { return p.Pd_on(); }},
        {"Face", [](T_Set& p) { return p.Face(); }},         {"Psi_b", [](T_Set& p) { return p.Psi_b(); }},
        {"Psi_O", [](T_Set& p) { return p.Psi_O(); }},       {"Phi_n", [](T_Set& p) { return p.Phi_n(); }},
        {"Phi_o", [](T_Set& p) { return p.Phi_o(); }},       {"Phi_on", [](T_Set& p) { return p.Phi_on(); }},
        {"DC_s", [](T_Set& p) { return p.DC_s(); }},         {"DC_O(0)", [](T_Set& p) { return p.DC_O(0); }},
        {"PC_s", [](T_Set& p) { return p.PC_s(); }},         {"PC_sn", [](T_Set& p) { return p.PC_sn(); }},
        {"PC_o", [](T_Set& p) { return p.PC_o(); }},         {"PC_on", [](T_Set& p) { return p.PC_on(); }},
        {"BackLash(0,1,0)", [](T_Set& p) { return p.BackLash(0, 1, 0); }},
        {"BackLash(0,0,1)", [](T_Set& p) { return p.BackLash(0, 0, 1); }},
        {"AddModCoeffSum", [](T_Set& p) { return p.AddModCoeffSum(0); }},
        {"SumX", [](T_Set& p) { return p.SumX(); }},         {"PB", [](T_Set& p) { return p.PB(); }},
        {"PN", [](T_Set& p) { return p.PN(); }},             {"Px", [](T_Set& p) { return p.Px(); }},
        {"Mf", [](T_Set& p) { return p.Mf(); }},             {"CCP", [](T_Set& p) { return p.CCP(); }},
        {"Z", [](T_Set& p) { return p.Z(); }},               {"MP", [](T_Set& p) { return p.MP(); }},
        {"Lmin", [](T_Set& p) { return p.Lmin(); }},         {"Mn", [](T_Set& p) { return p.Mn(); }},
        {"Ch", [](T_Set& p) { return p.Ch(); }},             {"RM", [](T_Set& p) { return p.RM(); }},
        {"Rho(1)", [](T_Set& p) { return p.Rho(1); }},       {"Rho(2)", [](T_Set& p) { return p.Rho(2); }},
        {"Rho_m(1)", [](T_Set& p) { return p.Rho_m(1); }},   {"Rho_m(2)", [](T_Set& p) { return p.Rho_m(2); }},
        {"C_Psi", [](T_Set& p) { return p.C_Psi(); }},       {"EyeP", [](T_Set& p) { return p.EyeP(); }},
        {"EyeLPS", [](T_Set& p) { return p.EyeLPS(); }},     {"EyeHel", [](T_Set& p) { return p.EyeHel(); }},
        {"EyeAGMA", [](T_Set& p) { return p.EyeAGMA(); }},
        {"SCP", [](T_Set& p) { double eye = 0; return p.SCP(eye); }},
        {"RadialForce", [](T_Set& p) { return p.RadialForce(); }},
        {"AxialThrust", [](T_Set& p) { return p.AxialThrust(); }},
    };
    for (std::int16_t index = 1; index <= 6; ++index)
        getters.push_back({"C(" + std::to_string(index) + ")", [index](T_Set& p) { return p.C(index); }});
    const std::vector<MemberGetter> memberGetters = {
        {"Rp_s", [](T_Gear& g) { return g.Rp_s(); }},
        {"Rb", [](T_Gear& g) { return g.Rb(); }},
        {"Rp_o", [](T_Gear& g) { return g.Rp_o(); }},
        {"TTK_o(0,1)", [](T_Gear& g) { return g.TTK_o(0, 1); }},
        {"TTK_on", [](T_Gear& g) { return g.TTK_on(0); }},
        {"TTK_s", [](T_Gear& g) { return g.TTK_s(0); }},
        {"TTK_sn", [](T_Gear& g) { return g.TTK_sn(1); }},
        {"TTK_b", [](T_Gear& g) { return g.TTK_b(0); }},
        {"TTK_bn", [](T_Gear& g) { return g.TTK_bn(1); }},
        {"TTK_RackshiftCoeff", [](T_Gear& g) { return g.TTK_RackshiftCoeff(); }},
        {"Addendum", [](T_Gear& g) { return g.Addendum(0); }},
        {"Dedendum", [](T_Gear& g) { return g.Dedendum(); }},
        {"WDF", [](T_Gear& g) { return g.WDF(); }},
        {"WD", [](T_Gear& g) { return g.WD(); }},
        {"Ro(-1,1,0)", [](T_Gear& g) { return g.Ro(-1, 1, 0); }},
        {"Ro(0,0,1)", [](T_Gear& g) { return g.Ro(0, 0, 1); }},
        {"RR(0)", [](T_Gear& g) { return g.RR(0); }},
        {"RR(1)", [](T_Gear& g) { return g.RR(1); }},
        {"FeetPerMinute", [](T_Gear& g) { return g.FeetPerMinute(); }},
        {"WT", [](T_Gear& g) { return g.WT(); }},
        {"ALPHA", [](T_Gear& g) { return g.ALPHA(); }},
        {"Phi_l(0)", [](T_Gear& g) { return g.Phi_l(0); }},
        {"Phi_l(0.3)", [](T_Gear& g) { return g.Phi_l(0.3); }},
        {"RL", [](T_Gear& g) { return g.RL(); }},
        {"HPSTC", [](T_Gear& g) { return g.HPSTC(1); }},
        {"LPSTC", [](T_Gear& g) { return g.LPSTC(0); }},
        {"The_od", [](T_Gear& g) { return g.The_od(0, -1); }},
        {"The_lc", [](T_Gear& g) { return g.The_lc(0); }},
        {"R_lc", [](T_Gear& g) { return g.R_lc(0); }},
        {"RadiusFromRollAngle", [](T_Gear& g) { return g.RadiusFromRollAngle(0.5); }},
        {"RollAngleFromRadius", [](T_Gear& g) { return g.RollAngleFromRadius(1e300); }},
        {"The_p", [](T_Gear& g) { return g.The_p(); }},
        {"Pang", [](T_Gear& g) { return g.Pang(); }},
        {"RLC", [](T_Gear& g) { return g.RLC(); }},
        {"Clearance", [](T_Gear& g) { return g.Clearance(); }},
        {"ClearanceRoRb", [](T_Gear& g) { return g.ClearanceRoRb(0); }},
        {"TopLand", [](T_Gear& g) { return g.TopLand(-1); }},
        {"SAC", [](T_Gear& g) { return g.SAC(); }},
        {"SAT", [](T_Gear& g) { return g.SAT(); }},
        {"SB", [](T_Gear& g) { return g.SB(0.4); }},
        {"TIFF", [](T_Gear& g) { return g.TIFF(); }},
        {"LewisHeighHCR", [](T_Gear& g) { return g.LewisHeighHCR(); }},
        {"T_Hob.PhiHob", [](T_Gear& g) { return g.oHob->PhiHob(); }},
        {"T_Hob.Tip2Flank", [](T_Gear& g) { return g.oHob->Tip2Flank(); }},
        {"T_Hob.HobHalfFlat", [](T_Gear& g) { return g.oHob->HobHalfFlat(); }},
        {"T_Hob.adefTTH", [](T_Gear& g) { return g.oHob->adefTTH(); }},
        {"T_Hob.adefEdgeRadius", [](T_Gear& g) { return g.oHob->adefEdgeRadius(); }},
        {"T_Hob.adefAddendum", [](T_Gear& g) { return g.oHob->adefAddendum(); }},
        {"T_Hob.BAHFromProtuberance", [](T_Gear& g) { return g.oHob->BAHFromProtuberance(); }},
        {"T_Hob.TTKfromHobTTH", [](T_Gear& g) { return g.oHob->TTKfromHobTTH(); }},
        {"T_Hob.RRfromHobAddend", [](T_Gear& g) { return g.oHob->RRfromHobAddend(); }},
        {"T_Hob.RackShift", [](T_Gear& g) { return g.oHob->RackShift(true); }},
    };
    for (int index = 0; index < 2; ++index)
        for (const MemberGetter& getter : memberGetters)
            getters.push_back({(index == 0 ? "pinion " : "gear ") + getter.name,
                               [index, get = getter.get](T_Set& p) { return get(p.member(index)); }});
    return getters;
}

// The numbers the inputs are drawn from: ordinary ones, and the extremes of the double range.
constexpr double Extremes[] = {0,     1,     -1,    0.35,   1.2,     20,     2e-300, -2e-300,
                               1e150, -1e150, 1e300, -1e300, 1.7e308, -1.7e308, Largest, -Largest};

// Sets one input of the pair to a number drawn from Extremes; an input that
// the model refuses leaves the pair as it was.
void setRandomInput(T_Set& pair, std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> pick(0, std::size(Extremes) - 1);
    const double v = Extremes[pick(random)];
    T_Gear& member = pair.member(static_cast<int>(random() % 2));
    const std::int32_t limit = static_cast<std::int32_t>(random() % 2);
    const std::function<void()> inputs[] = {
        [&] { member.aaNumberOfTeeth(static_cast<std::int32_t>(std::fmod(std::fabs(v), 2147483647.0))); },
        [&] { pair.aaDiametralPitch(static_cast<std::int16_t>(limit), v); },
        [&] { pair.aaPressureAngle(1, v); },
        [&] { pair.aaHelixAngle(v); },
        [&] { pair.aaOperatingCenterDistance(-1, v); },
        [&] { member.aaFaceWidth(v); },
        [&] { member.aaAddendumFactor(limit, v); },
        [&] { member.aaDedendumFactor(v); },
        [&] { member.aaEdgeBreak(limit, v); },
        [&] { member.aaToothThickness(1, limit, 0, 1, 0, v); },
        [&] { pair.aaBackLash(limit, v); },
        [&] { member.aaTorque(false, v); },
        [&] { member.aaSpeed(false, v); },
        [&] { member.aaModulus_Elasticity(v); },
        [&] { member.aaPoissons_Ratio(v); },
        [&] { member.oHob->Addendum(v); },
        [&] { member.oHob->HobTTk(v); },
        [&] { member.oHob->TipRadius(v); },
        [&] { member.oHob->Protuberance(v); },
    };
    try {
        inputs[random() % std::size(inputs)]();
    } catch (const runtime::RuntimeError&) {
    }
}

TEST(GuardedGetters, NoGetterHandsBackAnInfinityOrNaNWhateverTheInputs)
{
    constexpr int Designs = 2000;
    constexpr int InputsPerDesign = 5;
    const std::vector<Getter> getters = everyGetter();
    std::mt19937 random(20240518);
    for (int design = 0; design < Designs; ++design) {
        RecordingShell shell;
        T_Set pair(shell);
        testing::setUpPair(pair, design % 2 ? testing::helicalPairInputs() : testing::internalPairInputs());
        for (int i = 0; i < InputsPerDesign; ++i)
            setRandomInput(pair, random);
        for (const Getter& getter : getters) {
            try {
                const double value = getter.get(pair);
                EXPECT_TRUE(std::isfinite(value)) << getter.name << " of design " << design << " gave " << value;
            } catch (const runtime::RuntimeError&) {
                // A numbered error is the answer where there is no value.
            }
        }
    }
}

} // namespace
} // namespace cindrel::model
