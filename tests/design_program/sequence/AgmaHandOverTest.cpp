#include "ProportionsFixture.h"

#include "sequence/AgmaHandOver.h"

#include "model/T_Gear.h"

#include <gtest/gtest.h>

namespace cindrel::sequence {
namespace {

using namespace testing;

struct AgmaHandOverTest : ::testing::Test, ProportionsFixture {
    AgmaHandOverTest() { startSteps(); }
};

TEST(StoredJFactor, ThreeDecimalsThroughSinglePrecision)
{
    struct Case {
        double jay;
        float stored;
    };
    // "#.000" shows .400, .387, .500, -999.000; the failure value of the J
    // routines survives as itself.
    for (const Case& c : {Case{0.4, 0.4f}, Case{0.38712, 0.387f}, Case{0.3875, 0.388f}, Case{0.0004, 0.0f},
                          Case{-0.5, -0.5f}, Case{-999, -999.0f}, Case{1234.5678, 1234.568f}}) {
        EXPECT_EQ(storedJFactor(c.jay), static_cast<double>(c.stored)) << c.jay;
    }
    try {
        storedJFactor(1e39);
        FAIL() << "beyond single precision";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), runtime::Overflow);
    }
}

TEST(TakenIFactor, ThreeDecimalsWithGrouping)
{
    EXPECT_EQ(takenIFactor(0.09492712), 0.095);
    EXPECT_EQ(takenIFactor(0.0014), 0.001);
    EXPECT_EQ(takenIFactor(-0.0180961), -0.018);
    EXPECT_EQ(takenIFactor(1234.5678), 1234.568);
}

TEST_F(AgmaHandOverTest, StoreJFactorsKeepsTheModelsJRounded)
{
    const double pinionJay = Oset.oPinion->Jay();
    const double gearJay = Oset.oGear->Jay();
    navigator->StoreJFactors();
    EXPECT_EQ(navigator->JFactors[0], storedJFactor(pinionJay));
    EXPECT_EQ(navigator->JFactors[1], storedJFactor(gearJay));
    // The 20/40 spur pair at Pd 10 with full circular fillets: J 0.385 and 0.440.
    EXPECT_NEAR(navigator->JFactors[0], 0.385, 1e-7);
    EXPECT_NEAR(navigator->JFactors[1], 0.440, 1e-7);
}

TEST_F(AgmaHandOverTest, FillAgmaFormWritesTheFactorsAndDimensions)
{
    // 20/41 teeth: ratio 2.05. The pinion's operating pitch radius is the
    // centre distance x 20 / 61, here 1.2346 in: the diameter shown is twice
    // the rounded radius, 2 x 1.235 = 2.47 (not 2.469).
    Oset.oGear->aaNumberOfTeeth(41);
    Oset.aaOperatingCenterDistance(0, 1.2346 * 61 / 20);
    ASSERT_NEAR(Oset.oPinion->Rp_o(), 1.2346, 1e-12);
    navigator->IFactor = 0.1;
    navigator->JFactors = {storedJFactor(0.4), storedJFactor(0.38712)};
    controls.setWindowLeft("frmMain", 1200);
    controls.setWindowTop("frmMain", 900);
    agmaWindow.stopTheEvents = true;
    navigator->state("AGMA Factors").PrintVariables = false;

    navigator->FillAgmaForm();

    EXPECT_EQ(agma("txtEye"), "0.1");
    EXPECT_EQ(agma("txtJay", 0), "0.4");
    EXPECT_EQ(agma("txtJay", 1), "0.387");
    EXPECT_EQ(agma("txtInps", 0), ""); // the pinion speed is the load step's
    EXPECT_EQ(agma("txtInps", 1), "1.000");
    EXPECT_EQ(agma("txtInps", 2), "2.47");
    EXPECT_EQ(agma("txtInps", 3), "10.000");
    EXPECT_EQ(agma("txtInps", 4), "2.050");
    EXPECT_FALSE(agmaWindow.stopTheEvents);
    EXPECT_EQ(controls.windowLeft("frmAGMA"), 1200);
    EXPECT_EQ(controls.windowTop("frmAGMA"), 900);
    EXPECT_EQ(agmaWindow.tab, 0);
    EXPECT_TRUE(navigator->state("AGMA Factors").PrintVariables);
}

// A failed factor goes over as the mark, never as a number the window would
// rate with; an I the getter has not yet worked out (0, never taken) is no failure.
TEST_F(AgmaHandOverTest, FillAgmaFormMarksFailedFactors)
{
    struct Case {
        std::array<double, 2> jay;
        double eye;
        bool taken;
        const char* pinionJ;
        const char* gearJ;
        const char* I;
    };
    const Case cases[] = {
        {{-999, 0.44}, 0.095, true, "failed", "0.44", "0.095"},
        {{0.385, 0}, 0.001, true, "0.385", "failed", "failed"},
        {{0.385, 0.44}, -0.018, true, "0.385", "0.44", "failed"},
        {{0.385, 0.44}, 0, true, "0.385", "0.44", "failed"},
        {{0.385, 0.44}, 0.002, true, "0.385", "0.44", "0.002"},
    };
    for (const Case& c : cases) {
        navigator->JFactors = c.jay;
        navigator->IFactor = c.eye;
        navigator->IFactorTaken = c.taken;
        navigator->FillAgmaForm();
        EXPECT_EQ(agma("txtJay", 0), c.pinionJ) << c.jay[0];
        EXPECT_EQ(agma("txtJay", 1), c.gearJ) << c.jay[1];
        EXPECT_EQ(agma("txtEye"), c.I) << c.eye;
    }
}

TEST(FailedMembersText, NamesEachFailedMember)
{
    EXPECT_EQ(failedMembersText({true, false}, "J"), "Pinion J factor failed");
    EXPECT_EQ(failedMembersText({false, true}, "J"), "Gear J factor failed");
    EXPECT_EQ(failedMembersText({true, true}, "J"), "Pinion and Gear J factors failed");
    EXPECT_EQ(failedMembersText({false, false}, "J"), "");
    EXPECT_EQ(jFactorText(0.4), "0.400");
    for (double failed : {0.0, -999.0})
        EXPECT_EQ(jFactorText(failed), "failed");
}

TEST_F(AgmaHandOverTest, PitchAndFaceBelowOneShowWithoutALeadingZero)
{
    // Pd 0.5 (a large pair) and face 0.5: "#.000" writes .500.
    model::testing::PairInputs in;
    in.normalDiametralPitch = 0.5;
    in.pinionFace = 0.5;
    in.gearFace = 0.5;
    model::testing::setUpPair(Oset, in);
    navigator->FillAgmaForm();
    EXPECT_EQ(agma("txtInps", 1), ".500");
    EXPECT_EQ(agma("txtInps", 3), ".500");
    EXPECT_EQ(agma("txtInps", 2), "40"); // 2 x 20.000
}

TEST_F(AgmaHandOverTest, ChoosingTheFactorsWindowFillsItBeforeTheStepIsAccepted)
{
    set("chkAGMA", "1");
    nextUntil("AGMA Factors");
    ASSERT_EQ(current(), "AGMA Factors");
    // I and J of the pair as the check of "Tooth Proportions" took them.
    EXPECT_EQ(agma("txtEye"), "0.095");
    EXPECT_EQ(agma("txtJay", 0), "0.385");
    EXPECT_EQ(agma("txtJay", 1), "0.44");
    EXPECT_EQ(agma("txtInps", 4), "2.000");
    EXPECT_EQ(agmaWindow.tab, 0);
    EXPECT_TRUE(controls.windowVisible("frmAGMA"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AgmaHandOverTest, AFailingHandOverKeepsTheStep)
{
    set("chkAGMA", "1");
    controls.remove({"frmAGMA", "txtJay", 1});
    nextUntil("AGMA Factors");
    EXPECT_EQ(current(), "Tooth Proportions");
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].routine, "FutureState");
    EXPECT_FALSE(controls.windowVisible("frmAGMA"));
}

} // namespace
} // namespace cindrel::sequence
