#include "RatingStepsFixture.h"

#include "model/Flags.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"

#include <gtest/gtest.h>

namespace cindrel::sequence {
namespace {

using namespace testing;

struct RatingStepsReadingTest : ::testing::Test, RatingStepsFixture {
    // Stands the sequence on the step, its panel as the fixture set it.
    void reach(std::string_view step)
    {
        start();
        ASSERT_TRUE(nextTo(step)) << current();
    }
    const model::T_Gear& pinion() const { return *Oset.oPinion; }
};

// T = 63025.4 P / n: 10 hp at 1000 rpm is 630.254 lb-in on the pinion, and
// the 40-tooth gear turns at 500 rpm under 1260.508 lb-in.
struct LoadCase {
    const char* name;
    const char* mode;
    const char* input1;
    const char* input2;
};

TEST_F(RatingStepsReadingTest, EachLoadModeDerivesTheQuantityNotGiven)
{
    const LoadCase cases[] = {
        {"power and torque", "0", "10", "630.254"},
        {"power and speed", "1", "10", "1000"},
        {"speed and torque", "2", "1000", "630.254"},
    };
    for (const LoadCase& c : cases) {
        reach(steps::HorsepowerAndCP);
        set("lblPowerHowInput", c.mode);
        set("txtPowerInput1", c.input1);
        set("txtPowerInput2", c.input2);
        next();
        EXPECT_EQ(current(), steps::ScoringInputs) << c.name;
        EXPECT_NEAR(pinion().Torq(), 630.254, 1e-3) << c.name;
        EXPECT_NEAR(pinion().RPM(), 1000, 1e-3) << c.name;
        EXPECT_NEAR(Oset.hp(), 10, 1e-5) << c.name;
        EXPECT_NEAR(Oset.oGear->RPM(), 500, 1e-3) << c.name;
        EXPECT_NEAR(Oset.oGear->Torq(), 1260.508, 2e-3) << c.name;
        EXPECT_NEAR(std::stod(get(agmaControl("txtInps", 0))), 1000, 1e-3) << c.name;
    }
}

TEST_F(RatingStepsReadingTest, PowerAndSpeedGiveTheTorqueExactly)
{
    reach(steps::HorsepowerAndCP);
    set("txtPowerInput2", "1000");
    next();
    EXPECT_NEAR(pinion().Torq(), 630.254, 1e-9);
    EXPECT_EQ(get(agmaControl("txtInps", 0)), "1000");
}

TEST_F(RatingStepsReadingTest, MetricDividesTorqueModuliAndPowerByTheirFactors)
{
    useMetric();
    reach(steps::HorsepowerAndCP);
    // 630.254 lb-in x 0.1129848 = 71.2091 N-m; 30e6 psi x 0.00689476 = 206842.77 MPa.
    set("lblPowerHowInput", "2");
    set("txtPowerInput1", "1000");
    set("txtPowerInput2", "71.20911");
    set("txtYoungsModulus", "206842.77", 0);
    next();
    EXPECT_NEAR(pinion().RPM(), 1000, 1e-9);
    EXPECT_NEAR(pinion().Torq(), 630.254, 1e-3);
    EXPECT_NEAR(pinion().E(), 30e6, 1);
    // Power 7.457 kW over 0.7457 is 10 hp.
    set("lblPowerHowInput", "1");
    set("txtPowerInput1", "7.457");
    set("txtPowerInput2", "1000");
    previous();
    next();
    EXPECT_NEAR(Oset.hp(), 10, 1e-5);
    EXPECT_NEAR(pinion().Torq(), 630.254, 1e-3);
}

// The AGMA factors window hands the pair its material's modulus, 30e6 psi,
// and shows it on the main window in three digits: 2.07E+05 MPa in metric
// units (30e6 x 0.00689476 = 206842.77). Left as shown, the modulus stays the
// material's; typed, it is what was typed. Cp = sqrt(E / (2 pi (1 - 0.3^2)))
// = sqrt(30e6 / 5.717699) = 2290.604 psi^0.5, x sqrt(0.00689476) = 190.200
// MPa^0.5; 207000 MPa would be 30,022,804 psi and give 190.272.
TEST_F(RatingStepsReadingTest, AModulusLeftAsTheFactorsWindowShowedItKeepsItsValue)
{
    struct Case {
        const char* name;
        bool metric;
        const char* shown;
        double modulus;
    };
    const Case cases[] = {
        // English first: metric units, once chosen, stay.
        {"English, as shown", false, "3.00E+07", 30e6},
        {"English, typed", false, "2.9E+07", 29e6},
        {"metric, as shown", true, "2.07E+05", 30e6},
        {"metric, with blanks", true, " 2.07E+05 ", 30e6},
        {"metric, typed", true, "207000", 207000 / 0.00689475908677537},
        {"metric, typed in another form", true, "2.070E+05", 207000 / 0.00689475908677537},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.metric)
            useMetric();
        reach(steps::HorsepowerAndCP);
        for (int member : {0, 1}) {
            Oset.member(member).aaModulus_Elasticity(30e6);
            Oset.member(member).aaPoissons_Ratio(0.3);
            set("txtPoissonRatio", "0.3", member);
            set("txtYoungsModulus", c.shown, member);
        }
        next();
        ASSERT_EQ(current(), steps::ScoringInputs);
        EXPECT_EQ(pinion().E(), c.modulus);
        EXPECT_EQ(Oset.oGear->E(), c.modulus);
        if (c.modulus == 30e6) {
            EXPECT_NEAR(Oset.CCP(), 2290.604, 5e-4);
        }
    }
}

TEST_F(RatingStepsReadingTest, AnUnknownLoadModeSetsNoLoadYetTellsTheFactorsWindowTheSpeed)
{
    reach(steps::HorsepowerAndCP);
    set("lblPowerHowInput", "3");
    set("txtPowerInput1", "99");
    set("txtPowerInput2", "99");
    set("txtPoissonRatio", "0.29", 1);
    next();
    EXPECT_EQ(pinion().RPM(), 1750);
    EXPECT_EQ(Oset.hp(), 10);
    EXPECT_EQ(Oset.oGear->Mu(), 0.29);
    EXPECT_EQ(get(agmaControl("txtInps", 0)), "1750");
}

TEST_F(RatingStepsReadingTest, FactorTextsReachThePairAsTypedAndThePinionHardnessRatioIsOne)
{
    reach(steps::AgmaOnMain);
    // As an earlier pass through the AGMA factors window left them.
    navigator->All4Horsepowers = AllowablePowers{};
    set("txtSAC", "26.2 HP", 0);
    set("txtSAT", "52.3 HP", 1);
    controls.setVisible(mainControl("fraAGMA_HPs"), true);
    set("txtKV", "1.0*");
    set("txtKm", "1.3 measured");
    set("txtCh", "1.07");
    set("txtZn", "0.95*", 1);
    set("txtSf", "1.2", 0);
    next();
    const model::T_AGMA1& factors = *Oset.oAGMA1;
    EXPECT_EQ(factors.Kv(), "1.0*");
    EXPECT_EQ(factors.Km(), "1.3 measured");
    EXPECT_EQ(factors.Ch(0), "1");
    EXPECT_EQ(factors.Ch(1), "1.07");
    EXPECT_EQ(factors.Zn(1), "0.95*");
    EXPECT_EQ(factors.SF(0), "1.2");
    EXPECT_FALSE(navigator->All4Horsepowers.has_value());
    EXPECT_EQ(get(mainControl("txtSAC", 0)), "") << "the window's powers no longer hold";
    EXPECT_EQ(get(mainControl("txtSAT", 1)), "");
    EXPECT_FALSE(controls.visible(mainControl("fraAGMA_HPs")));
    EXPECT_TRUE(controls.enabled(mainControl("txtSurfaceFinish")));
}

TEST_F(RatingStepsReadingTest, LubricationInputsInEitherUnitSystem)
{
    reach(steps::ScoringInputs);
    set("txtLubeTemp", "50");
    set("lblModifiedProfiles", "1");
    set("lblPinionDriving", "0");
    set("lblSubShear", "1");
    set("txtSurfaceFinish", "30");
    set("txtLubeViscosity", "300");
    set("txtFrictionCoeff", "0.05");
    set("txtSafetyFactorSS", "1.5");
    next();
    const model::T_MiscVars& misc = *Oset.oMiscVars;
    EXPECT_EQ(misc.BulkTemp(), 50);
    EXPECT_EQ(misc.Modified(), model::True);
    EXPECT_EQ(misc.PinDriv(), 0);
    EXPECT_EQ(misc.CalculateFC(), model::True);
    EXPECT_EQ(misc.setRMS(), 30);
    EXPECT_EQ(misc.VISCO(), 300);
    EXPECT_EQ(misc.FrictCoeff(), 0.05);
    EXPECT_EQ(misc.SafetyFactor(), 1.5);
    EXPECT_EQ(misc.LPE(), 0.00008);

    RatingStepsFixture metric;
    metric.useMetric();
    metric.start();
    ASSERT_TRUE(metric.nextTo(steps::ScoringInputs));
    metric.set("txtLubeTemp", "50");
    metric.set("txtSurfaceFinish", "1.0");
    metric.next();
    // 1.8 x 50 + 32 = 122 degrees F; 1.0 micrometre Ra over 0.023091.
    EXPECT_EQ(metric.Oset.oMiscVars->BulkTemp(), 122);
    EXPECT_NEAR(metric.Oset.oMiscVars->setRMS(), 43.30691, 1e-5);
}

TEST_F(RatingStepsReadingTest, AnEmptyFrictionModeCaptionStopsTheReadingThere)
{
    reach(steps::ScoringInputs);
    set("txtLubeTemp", "140");
    set("lblSubShear", "");
    set("txtFrictionCoeff", "0.09");
    next();
    EXPECT_EQ(current(), steps::ScoringInputs);
    EXPECT_EQ(Oset.oMiscVars->BulkTemp(), 140);
    EXPECT_EQ(Oset.oMiscVars->FrictCoeff(), 0.06);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].second.find("Error 13 in step \"Scoring and SubShear Inputs\""), std::string::npos)
        << messages.shown[0].second;
}

} // namespace
} // namespace cindrel::sequence
