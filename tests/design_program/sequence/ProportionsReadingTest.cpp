#include "ProportionsFixture.h"

#include "model/T_Gear.h"
#include "model/T_Hob.h"

#include <gtest/gtest.h>

namespace cindrel::sequence {
namespace {

using namespace testing;
using model::testing::PairInputs;

struct ProportionsReadingTest : ::testing::Test, ProportionsFixture {
    const model::T_Gear& pinion() const { return *Oset.oPinion; }
    const model::T_Gear& gear() const { return *Oset.oGear; }
};

// English display, the fixture's 20/40 pair at Pd 10: the pinion's pitch
// radius is 1.0 in, a factor is inches x 10.
TEST_F(ProportionsReadingTest, AddendumLimitsByEachForm)
{
    struct Case {
        const char* form;
        const char* typed;
        double maximum, minimum;
    };
    // A tolerance of 0.02 in is 0.2 as a factor; a tip diameter takes half.
    // Unknown forms set neither limit (the pair's 1.0 stays).
    for (const Case& c : {Case{"0", "1.1", 1.1, 0.9}, Case{"1", "0.11", 1.1, 0.9}, Case{"2", "1.11", 1.1, 0.9},
                          Case{"3", "2.22", 1.1, 1.0}, Case{"4", "9", 1.0, 1.0}, Case{"0.5", "9", 1.0, 1.0}}) {
        model::testing::setUpSpurPair(Oset);
        startSteps();
        set("lblODHowInput", c.form, 0);
        set("txtODDim", c.typed, 0);
        set("TxtAddTol", "0.02", 0);
        read("Tooth Proportions");
        EXPECT_NEAR(pinion().AddF(1), c.maximum, 1e-12) << c.form;
        EXPECT_NEAR(pinion().AddF(0), c.minimum, 1e-12) << c.form;
    }
}

TEST_F(ProportionsReadingTest, MetricTipDiameterTakesHalfTheTolerance)
{
    // Module 2 (Pd 12.7), 24 teeth: pitch diameter 48 mm. A tip diameter of
    // 52 mm is an addendum of 2 mm, factor 2 / 25.4 x 12.7 = 1.0; the
    // tolerance of 0.2 mm is a factor of 0.1, half of which comes off.
    PairInputs in;
    in.pinionTeeth = 24;
    in.gearTeeth = 48;
    in.normalDiametralPitch = 12.7;
    model::testing::setUpPair(Oset, in);
    metric = true;
    startSteps();
    set("lblODHowInput", "3", 0);
    set("txtODDim", "52", 0);
    set("TxtAddTol", "0.2", 0);
    read("Tooth Proportions");
    EXPECT_NEAR(pinion().AddF(1), 1.0, 1e-12);
    EXPECT_NEAR(pinion().AddF(0), 0.95, 1e-12);
    EXPECT_NEAR(pinion().Ro(0, 1, 1) * 25.4, 26.0, 1e-10);
}

TEST_F(ProportionsReadingTest, DepthByEachFormGivesOneState)
{
    // Addendum factor 1: whole depth factor 2.25 = dedendum factor 1.25 =
    // 0.225 in whole depth = 0.125 in dedendum = root radius 0.875 in
    // (diameter 1.75 in) on the pinion's 1.0 in pitch radius.
    struct Case {
        const char* form;
        const char* typed;
    };
    for (const Case& c : {Case{"0", "2.25"}, Case{"1", "1.25"}, Case{"2", "0.225"}, Case{"3", "0.125"},
                          Case{"4", "0.875"}, Case{"5", "1.75"}}) {
        model::testing::setUpSpurPair(Oset);
        Oset.oPinion->aaDedendumFactor(9);
        startSteps();
        set("lblWholeDepthHowInput", c.form, 0);
        set("txtWholeDepth", c.typed, 0);
        read("Tooth Proportions");
        EXPECT_NEAR(pinion().DedF(), 1.25, 1e-12) << c.form;
        EXPECT_NEAR(pinion().RR(1), 0.875, 1e-12) << c.form;
    }
    // An unknown form keeps the depth the pair has.
    Oset.oPinion->aaDedendumFactor(9);
    set("lblWholeDepthHowInput", "6", 0);
    read("Tooth Proportions");
    EXPECT_EQ(pinion().DedF(), 9);
}

TEST_F(ProportionsReadingTest, MetricRootRadiusAndDiameterGiveOneState)
{
    metric = true;
    startSteps();
    set("lblWholeDepthHowInput", "4", 1);
    set("txtWholeDepth", "47.625", 1); // 1.875 in: the gear's dedendum factor 1.25
    read("Tooth Proportions");
    const double byRadius = gear().DedF();
    set("lblWholeDepthHowInput", "5", 1);
    set("txtWholeDepth", "95.25", 1);
    read("Tooth Proportions");
    EXPECT_NEAR(byRadius, 1.25, 1e-12);
    EXPECT_DOUBLE_EQ(gear().DedF(), byRadius);
}

TEST_F(ProportionsReadingTest, FilletKindsDecideTheHobSteps)
{
    struct Case {
        const char* pinion;
        const char* gear;
        std::int32_t pinionKind, gearKind, hobMode;
    };
    // Any kind but the full circular fillet (0) is hobbed, as the J routines
    // take it: a kind of 2 from a design file cannot leave a stale mode.
    for (const Case& c : {Case{"0", "0", 0, 0, 0}, Case{"1", "0", 1, 0, 1}, Case{"0", "1", 0, 1, 2},
                          Case{"1", "1", 1, 1, 3}, Case{"2", "0", 2, 0, 1}, Case{"0", "2.5", 0, 2, 2},
                          Case{"0.5", "0", 0, 0, 0}}) {
        startSteps();
        navigator->HobMode = 3 - c.hobMode; // a stale mode to be replaced
        set("lblFilletType", c.pinion, 0);
        set("lblFilletType", c.gear, 1);
        read("Tooth Proportions");
        EXPECT_EQ(pinion().FilletRadius(), c.pinionKind) << c.pinion << "/" << c.gear;
        EXPECT_EQ(gear().FilletRadius(), c.gearKind) << c.pinion << "/" << c.gear;
        EXPECT_EQ(navigator->HobMode, c.hobMode) << c.pinion << "/" << c.gear;
    }
}

TEST_F(ProportionsReadingTest, AgmaCheckBoxChoosesTheFactorsWindow)
{
    startSteps();
    for (const auto& [box, mode] : {std::pair{"1", 8}, std::pair{"0", 5}, std::pair{"2", 5}}) {
        set("chkAGMA", box);
        read("Tooth Proportions");
        EXPECT_EQ(navigator->AgmaInputMode, mode) << box;
    }
}

TEST_F(ProportionsReadingTest, WholeDepthsReachTheAgmaWindowWithItsHandlersHeldOff)
{
    // Whole depth factors 2.25 and 2.5 at Pd 10: 0.225 and 0.25 in, 5.715
    // and 6.35 mm.
    set("txtWholeDepth", "2.5", 1);
    for (const bool metricDisplay : {false, true}) {
        metric = metricDisplay;
        startSteps();
        watched.agmaWrites.clear();
        read("Tooth Proportions");
        ASSERT_EQ(watched.agmaWrites.size(), 2u);
        EXPECT_EQ(watched.agmaWrites[0].control, (ControlId{"frmAGMA", "txtKBin", 0}));
        EXPECT_EQ(watched.agmaWrites[1].control, (ControlId{"frmAGMA", "txtKBin", 2}));
        EXPECT_EQ(agma("txtKBin", 0), metricDisplay ? "5.715" : "0.225");
        EXPECT_EQ(agma("txtKBin", 2), metricDisplay ? "6.35" : "0.25");
        EXPECT_TRUE(watched.agmaWrites[0].eventsStopped);
        EXPECT_TRUE(watched.agmaWrites[1].eventsStopped);
        EXPECT_FALSE(agmaWindow.stopTheEvents);
    }
}

TEST_F(ProportionsReadingTest, AFailedWholeDepthWriteLetsTheAgmaWindowReactAgain)
{
    startSteps();
    controls.remove({"frmAGMA", "txtKBin", 2});
    set("chkAGMA", "1");
    next();
    next();
    next();
    next();
    ASSERT_EQ(current(), "Tooth Proportions");
    next();
    EXPECT_EQ(current(), "Tooth Proportions");
    EXPECT_FALSE(agmaWindow.stopTheEvents);
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].routine, "LetStateInputs");
    EXPECT_EQ(runLog.errors[0].errorNumber, std::to_string(ControlMissing));
    // What was read before the write stays; the modes after it were not set.
    EXPECT_EQ(agma("txtKBin", 0), "0.225");
    EXPECT_EQ(navigator->AgmaInputMode, 0);
}

struct HobCase {
    bool metric;
    const char* normalised; // lblHobNormalVsActual
    double addendum, tipRadius, thickness, protuberance;
};

TEST_F(ProportionsReadingTest, HobDimensionsNormalisedOrActual)
{
    // Pd_n 4. Typed: addendum 1.25, edge radius 0.3, thickness 1.5707963267949,
    // protuberance 0.1. Normalised, English: v / 4 in; metric (for a module
    // of 1): v / 25.4 / (4 / 25.4) = v / 4 in as well. Actual: v in, or v / 25.4 in.
    const double thickness = 1.5707963267949;
    for (const HobCase& c : {HobCase{false, "0", 0.3125, 0.075, thickness / 4, 0.025},
                             HobCase{false, "1", 1.25, 0.3, thickness, 0.1},
                             HobCase{true, "0", 0.3125, 0.075, thickness / 4, 0.025},
                             HobCase{true, "1", 1.25 / 25.4, 0.3 / 25.4, thickness / 25.4, 0.1 / 25.4}}) {
        PairInputs in;
        in.normalDiametralPitch = 4;
        model::testing::setUpPair(Oset, in);
        metric = c.metric;
        startSteps();
        for (const char* step : {"Pinion Hob", "Gear Hob"}) {
            const int i = std::string(step) == "Pinion Hob" ? 0 : 1;
            set("lblHobNormalVsActual", c.normalised, i);
            set("txtHobAddendum", "1.25", i);
            set("txtHobProtuberance", "0.1", i);
            read(step);
            const model::T_Hob& hob = *Oset.member(i).oHob;
            SCOPED_TRACE(std::string(step) + (c.metric ? " metric " : " English ") + c.normalised);
            EXPECT_NEAR(hob.Addendum(), c.addendum, 1e-14);
            EXPECT_NEAR(hob.TipRadius(), c.tipRadius, 1e-14);
            EXPECT_NEAR(hob.HobTTk(), c.thickness, 1e-13);
            EXPECT_NEAR(hob.Protuberance(), c.protuberance, 1e-14);
        }
    }
}

TEST_F(ProportionsReadingTest, EachHobStepReadsItsOwnMembersHob)
{
    startSteps();
    set("txtHobAddendum", "1.5", 0);
    set("txtHobAddendum", "2.5", 1);
    read("Gear Hob");
    EXPECT_EQ(Oset.oPinion->oHob->Addendum(), 0);
    EXPECT_NEAR(Oset.oGear->oHob->Addendum(), 0.25, 1e-15);
    read("Pinion Hob");
    EXPECT_NEAR(Oset.oPinion->oHob->Addendum(), 0.15, 1e-15);
}

TEST_F(ProportionsReadingTest, NormalisedHobWithoutAPitchEndsTheReading)
{
    startSteps();
    read("Pinion Hob");
    const double before = Oset.oPinion->oHob->Addendum();
    Oset.aaDiametralPitch(0, 0);
    set("txtHobAddendum", "3", 0);
    try {
        read("Pinion Hob");
        FAIL() << "no error";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), runtime::DivisionByZero);
    }
    EXPECT_EQ(Oset.oPinion->oHob->Addendum(), before);
}

} // namespace
} // namespace cindrel::sequence
