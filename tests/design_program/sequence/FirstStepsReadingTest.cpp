#include "FirstStepsFixture.h"

#include "model/T_Gear.h"
#include "model/T_Set.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cindrel::sequence {
namespace {

using namespace testing;

constexpr double Degree = 3.14159265358979 / 180;

struct FirstStepsReadingTest : ::testing::Test, FirstStepsFixture {
    FirstStepsReadingTest() { startSteps(); }

    // Reads the three steps in order, as the sequence does.
    void readAll()
    {
        read("Main Inputs");
        read("Center Distance");
        read("Tooth Thickness");
    }
    double limit(int member, int which) const { return Oset.member(member).TTK_o(1, which); }
};

TEST_F(FirstStepsReadingTest, TeethAreWholeNumbersHalvesToEven)
{
    const std::pair<const char*, double> cases[] = {
        {"17.5", 18}, {"16.5", 16}, {"abc", 0}, {"", 0}, {"  24 teeth", 24}, {"-3", -3},
    };
    for (const auto& [typed, teeth] : cases) {
        set("txtNumTeeth", typed, 0);
        read("Main Inputs");
        EXPECT_EQ(Oset.oPinion->N(), teeth) << typed;
    }
}

TEST_F(FirstStepsReadingTest, HelixAngleByOrientationAndMode)
{
    struct Case {
        const char* orientation;
        const char* mode;
        const char* degrees;
        const char* radians;
        const char* packed;
        double psi;
    };
    const Case cases[] = {
        {"1", "0", "15", "", "0", 15 * Degree},
        {"1", "1", "", "0.25", "0", 0.25},
        {"1", "2", "", "", "153000", 15.5 * Degree}, // 15 degrees 30 minutes
        {"1", "2", "", "", "203045", (20 + 30.0 / 60 + 45.0 / 3600) * Degree},
        {"2", "1", "", "0.3", "0", 0.3},  // herringbone reads as helical
        {"0", "0", "15", "0.25", "153000", 0}, // spur whatever the boxes hold
        {"1", "3", "15", "0.25", "153000", 0.1}, // no such mode: the angle the pair had
    };
    for (const Case& c : cases) {
        Oset.aaHelixAngle(0.1);
        set("lblToothOrient", c.orientation);
        set("lblHAHowMeasured", c.mode);
        set("txtHelixAngleDEG", c.degrees);
        set("txtHelixAngleRAD", c.radians);
        set("lblHelixAngleDMS", c.packed);
        read("Main Inputs");
        EXPECT_NEAR(Oset.Psi(), c.psi, 1e-12) << c.orientation << " " << c.mode;
    }
}

TEST_F(FirstStepsReadingTest, PressureAngleAndPitchInTheirPlanes)
{
    // Helix 15 degrees: tan 20 / cos 15 = 0.3639702 / 0.9659258 = 0.3768105,
    // atan = 20.646896 degrees transverse; Pd 10 normal is 10 cos 15 = 9.659258 transverse.
    set("lblToothOrient", "1");
    set("txtHelixAngleDEG", "15");
    struct Case {
        const char* paPlane;
        const char* paMode;
        const char* degrees;
        const char* radians;
        const char* packed;
        const char* dpPlane;
        double phi;
        double pd;
        double pdNormal;
    };
    const Case cases[] = {
        {"0", "0", "20", "", "0", "0", 20.646896 * Degree, 9.659258, 10},
        {"1", "0", "20", "", "0", "1", 20 * Degree, 10, 10.352762},
        {"1", "1", "", "0.35", "0", "1", 0.35, 10, 10.352762},
        {"1", "2", "", "", "203000", "1", 20.5 * Degree, 10, 10.352762},
    };
    for (const Case& c : cases) {
        set("lblPAPlane", c.paPlane);
        set("lblPAHowMeasured", c.paMode);
        set("txtPADeg", c.degrees);
        set("txtPARad", c.radians);
        set("lblPADMS", c.packed);
        set("lblDPPlane", c.dpPlane);
        read("Main Inputs");
        EXPECT_NEAR(Oset.Phi(), c.phi, 1e-7) << c.paPlane << c.paMode;
        EXPECT_NEAR(Oset.pd(), c.pd, 1e-6) << c.dpPlane;
        EXPECT_NEAR(Oset.Pd_n(), c.pdNormal, 1e-6) << c.dpPlane;
    }
}

TEST_F(FirstStepsReadingTest, HobPressureAnglesTakeTheNormalAngleEvenWhenItIsNotRead)
{
    read("Main Inputs");
    EXPECT_EQ(get("txtHobPA", 0), "20.");
    EXPECT_EQ(get("txtHobPA", 1), "20.");

    // Mode 3 sets no angle: the boxes still receive the angle the pair has.
    set("lblPAHowMeasured", "3");
    set("txtPADeg", "25");
    set("txtHobPA", "14.5", 0);
    read("Main Inputs");
    EXPECT_NEAR(Oset.Phi(), 20 * Degree, 1e-12);
    EXPECT_EQ(get("txtHobPA", 0), "20.");
    EXPECT_EQ(get("txtHobPA", 1), "20.");

    // A helical pair given transverse: the normal angle, to four decimals.
    // atan(tan 20 cos 15) = atan(0.3639702 * 0.9659258) = atan(0.3515680) = 19.3701 degrees.
    set("lblPAHowMeasured", "0");
    set("txtPADeg", "20");
    set("lblPAPlane", "1");
    set("lblToothOrient", "1");
    set("txtHelixAngleDEG", "15");
    read("Main Inputs");
    EXPECT_EQ(get("txtHobPA", 0), "19.3701");
}

TEST_F(FirstStepsReadingTest, MetricModuleGivesThePitchAndNoModuleKeepsIt)
{
    metric = true;
    startSteps();
    set("txtDP", "2");
    set("txtFaceWidth", "25.4", 0);
    read("Main Inputs");
    EXPECT_DOUBLE_EQ(Oset.pd(), 12.7); // 25.4 / 2
    EXPECT_DOUBLE_EQ(Oset.oPinion->GearFace(), 1.0);
    for (const char* none : {"", "0", "mm"}) {
        set("txtDP", none);
        read("Main Inputs");
        EXPECT_DOUBLE_EQ(Oset.pd(), 12.7) << none;
    }
}

TEST_F(FirstStepsReadingTest, CentreDistanceByItsThreeModes)
{
    // 20/40 at Pd 10: standard centre distance (20 + 40) / 20 = 3 in.
    struct Case {
        bool metric;
        const char* dp;
        const char* mode;
        const char* typed;
        double expected;
    };
    const Case cases[] = {
        {false, "10", "0", "9", 3.0},
        {false, "10", "1", "3.1", 3.1},
        {false, "10", "2", "0.05", 3.05},
        {true, "2.54", "2", "-0.1", 3.0 - 0.1 / 25.4}, // module 2.54 mm is Pd 10
        {true, "2.54", "1", "77", 77 / 25.4},
    };
    for (const Case& c : cases) {
        metric = c.metric;
        startSteps();
        set("txtDP", c.dp);
        set("lblOCDHowInput", c.mode);
        set("txtOCD", c.typed);
        read("Main Inputs");
        read("Center Distance");
        EXPECT_NEAR(Oset.DC_O(0), c.expected, 1e-12) << c.mode << " " << c.typed;
    }
    // No such mode: the ratio stays as it was.
    set("lblOCDHowInput", "7");
    read("Center Distance");
    EXPECT_NEAR(Oset.DC_O(-1), 77 / 25.4 / 3.0, 1e-12);
}

TEST_F(FirstStepsReadingTest, ActualThicknessInItsForms)
{
    // Chordal, normal, at the standard radius (all unticked), spur at the
    // standard centre distance, pinion pitch radius 1 in:
    // 2 R asin(0.157 / 2R) = 2 asin(0.0785) = 0.1571617 in.
    const double circular = 0.15716169;
    struct Case {
        const char* ticked;
        const char* minimum;
        const char* maximum;
        double expectedMinimum;
        double expectedMaximum;
    };
    const Case cases[] = {
        {"0", "0.157", "0.157", circular, circular},
        {"0", "0.157", "", circular, circular},
        {"0", "", "0.157", circular, circular},
        {"0", "0.157", " ", circular, circular}, // a blank is no empty box: 0, then raised to the minimum
        {"1", "0.152", "0.150", 0.152, 0.152},   // reversed: both the larger
        {"2", "0.150", "0.155", 0.150, 0.155},   // any value but 0 is ticked
    };
    for (const Case& c : cases) {
        for (const char* box : {"chkCircularTThk", "chkTThkTransverse", "chkTThkOperating"})
            set(box, c.ticked, 0);
        set("txtMinTThk", c.minimum, 0);
        set("txtMaxTThk", c.maximum, 0);
        readAll();
        EXPECT_NEAR(limit(0, 0), c.expectedMinimum, 1e-7) << c.minimum << "|" << c.maximum;
        EXPECT_NEAR(limit(0, 1), c.expectedMaximum, 1e-7) << c.minimum << "|" << c.maximum;
    }
}

TEST_F(FirstStepsReadingTest, PinAndSpanBoxesFilledAndSwapped)
{
    // Over pins of 0.1728 in on the 20-tooth pinion (D 2, Db 1.879385):
    // inv(phi_p) = t / D + inv 20 + dp / Db - pi / N; M = Db / cos(phi_p) + dp
    // gives 2.2226757 for t = 0.150 and 2.2342727 for t = 0.155.
    // Span over 3 teeth: Db ((k - 1) pi / N + t / D + inv 20) gives 0.7593913
    // for t = 0.150 and 0.7640897 for t = 0.155.
    struct Case {
        const char* mode;
        const char* minimumBox;
        const char* maximumBox;
        const char* typedMinimum;
        const char* typedMaximum;
        const char* shownMinimum;
        const char* shownMaximum;
        double expectedMinimum;
        double expectedMaximum;
    };
    const Case cases[] = {
        {"2", "txtMinPinMeas", "txtMaxPinMeas", "", "2.2342727", "2.2342727", "2.2342727", 0.155, 0.155},
        {"2", "txtMinPinMeas", "txtMaxPinMeas", "2.2226757", "", "2.2226757", "2.2226757", 0.150, 0.150},
        {"2", "txtMinPinMeas", "txtMaxPinMeas", "2.2342727in", "2.2226757", "2.2226757", "2.2342727", 0.150, 0.155},
        {"3", "txtMinBlockMeas", "txtMaxBlockMeas", "0.7593913", "", "0.7593913", "0.7593913", 0.150, 0.150},
        {"3", "txtMinBlockMeas", "txtMaxBlockMeas", "0.7640897", "0.7593913", "0.7593913", "0.7640897", 0.150, 0.155},
    };
    set("txtPinDia", "0.1728", 0);
    set("txtNumTeethMeas", "3", 0);
    for (const Case& c : cases) {
        set("lblTThkHowInput", c.mode, 0);
        set(c.minimumBox, c.typedMinimum, 0);
        set(c.maximumBox, c.typedMaximum, 0);
        readAll();
        EXPECT_EQ(get(c.minimumBox, 0), c.shownMinimum) << c.typedMinimum << "|" << c.typedMaximum;
        EXPECT_EQ(get(c.maximumBox, 0), c.shownMaximum) << c.typedMinimum << "|" << c.typedMaximum;
        EXPECT_NEAR(limit(0, 0), c.expectedMinimum, 2e-6) << c.typedMinimum << "|" << c.typedMaximum;
        EXPECT_NEAR(limit(0, 1), c.expectedMaximum, 2e-6) << c.typedMinimum << "|" << c.typedMaximum;
    }
}

TEST_F(FirstStepsReadingTest, InternalGearBetweenPinsSmallerMeasurementIsTheThickerTooth)
{
    // Ring gear of 60 teeth at Pd 10 (D 6, Db 5.638156), pins 0.1728 in:
    // inv(phi_p) = inv 20 + (pi D / N - t) / D - dp / Db; M = Db / cos(phi_p) - dp
    // gives 5.7709290 for t = 0.150 and 5.7559123 for t = 0.155.
    set("txtNumTeeth", "60", 1);
    set("lblMeshOption", "-1");
    set("lblTThkHowInput", "2", 1);
    set("txtPinDia", "0.1728", 1);
    set("txtMinPinMeas", "5.7559123", 1);
    set("txtMaxPinMeas", "5.7709290", 1);
    readAll();
    EXPECT_NEAR(limit(1, 0), 0.150, 2e-6);
    EXPECT_NEAR(limit(1, 1), 0.155, 2e-6);

    // A mesh sign not yet chosen is measured and assigned as internal: the
    // limits come out apart, not both raised to the thicker one.
    set("lblMeshOption", "0");
    readAll();
    EXPECT_EQ(Oset.oGear->IntExt, 0);
    EXPECT_LT(limit(1, 0), limit(1, 1));
}

TEST_F(FirstStepsReadingTest, BacklashBoxesSwappedAndKeptOnlyForThePercentage)
{
    // Pd 10 at the standard centre distance: PC_o = pi / 10 = 0.3141593.
    // Percentage 50: minimum (0.3141593 - 0.006) / 2 = 0.1540796, maximum
    // (0.3141593 - 0.002) / 2 = 0.1560796.
    // Coefficient 0.25: (pi/2 + 2 * 0.25 * tan 20) / 10 = 0.1752781, less
    // half the backlash of the other limit: 0.1722781 and 0.1742781.
    struct Case {
        const char* pinionMode;
        const char* gearMode;
        double minimum;
        double maximum;
        bool backlashKept;
    };
    const Case cases[] = {
        {"0", "0", 0.1540796, 0.1560796, true},
        {"4", "4", 0.1722781, 0.1742781, false},
        {"0", "1", 0.1540796, 0.1560796, false}, // the gear's mode clears what the pinion used
    };
    set("txtAddendumMod", "0.25", 0);
    set("txtAddendumMod", "0.25", 1);
    for (const Case& c : cases) {
        set("txtMinBL", "6e-3");
        set("txtMaxBL", "0.002 in");
        set("lblTThkHowInput", c.pinionMode, 0);
        set("lblTThkHowInput", c.gearMode, 1);
        readAll();
        EXPECT_EQ(get("txtMinBL"), "0.002 in");
        EXPECT_EQ(get("txtMaxBL"), "0.006");
        EXPECT_NEAR(limit(0, 0), c.minimum, 1e-7) << c.pinionMode << c.gearMode;
        EXPECT_NEAR(limit(0, 1), c.maximum, 1e-7) << c.pinionMode << c.gearMode;
        EXPECT_EQ(Oset.BackLash(1, 1, 0), c.backlashKept ? 0.002 : 0.0);
        EXPECT_EQ(Oset.BackLash(1, 1, 1), c.backlashKept ? 0.006 : 0.0);
    }
}

TEST_F(FirstStepsReadingTest, UnknownModeLeavesNoThicknessButReadsTheEdgeBreak)
{
    readAll();
    set("lblTThkHowInput", "5", 0);
    set("txtMinEdgeBreak", "0.01", 0);
    set("txtMaxEdgeBreak", "", 0);
    set("txtMinEdgeBreak", "", 1);
    set("txtMaxEdgeBreak", "0.5 mm", 1);
    metric = true;
    startSteps();
    read("Tooth Thickness");
    EXPECT_EQ(limit(0, 0), 0);
    EXPECT_EQ(limit(0, 1), 0);
    EXPECT_DOUBLE_EQ(Oset.oPinion->EGB(0), 0.01 / 25.4);
    EXPECT_DOUBLE_EQ(Oset.oPinion->EGB(1), 0.01 / 25.4);
    EXPECT_DOUBLE_EQ(Oset.oGear->EGB(0), 0.5 / 25.4);
    EXPECT_DOUBLE_EQ(Oset.oGear->EGB(1), 0.5 / 25.4);
}

TEST_F(FirstStepsReadingTest, StandardHobButtonRereadsTheThicknessOnAnyStep)
{
    read("Main Inputs");
    read("Center Distance");
    set("txtMinTThk", "0.151", 0);
    set("txtMaxTThk", "0.153", 0);
    navigator->LetTTKandTTProps();
    EXPECT_EQ(current(), "Startup Screen");
    EXPECT_DOUBLE_EQ(limit(0, 0), 0.151);
    EXPECT_DOUBLE_EQ(limit(0, 1), 0.153);

    // A failing reading is logged, not shown.
    set("chkCircularTThk", "0", 0);
    set("txtMaxTThk", "2.5", 0);
    navigator->LetTTKandTTProps();
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].routine, "LetStateInputs");
    EXPECT_EQ(limit(0, 1), 0);
}

TEST_F(FirstStepsReadingTest, StepsWithoutInputsReadNothing)
{
    for (const auto step : {steps::StartupScreen, steps::AgmaFactors, steps::ScoringGraphs}) {
        const StepHandler* handler = readers.find(step);
        EXPECT_TRUE(handler == nullptr || !handler->read) << step;
    }
    // "Startup Screen" needs no control at all.
    controls.remove(mainControl("txtNumTeeth", 0));
    next();
    EXPECT_EQ(current(), "Main Inputs");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FirstStepsReadingTest, UnusableValueEndsTheReadingWithWhatCameBefore)
{
    nextUntil("Tooth Proportions");
    ASSERT_EQ(current(), "Tooth Proportions");
    previous();
    previous();
    previous();
    ASSERT_EQ(current(), "Main Inputs");

    // A count beyond the 32-bit range: the pinion read before it stays.
    set("txtNumTeeth", "22", 0);
    set("txtNumTeeth", "1e12", 1);
    next();
    EXPECT_EQ(current(), "Main Inputs");
    EXPECT_EQ(Oset.oPinion->N(), 22);
    EXPECT_EQ(Oset.oGear->N(), 40);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].second, "Error 6 in step \"Main Inputs\": Overflow");

    // A chord longer than the pitch diameter (2 in): no thickness is stored.
    set("txtNumTeeth", "40", 1);
    nextUntil("Tooth Thickness");
    ASSERT_EQ(current(), "Tooth Thickness");
    set("chkCircularTThk", "0", 0);
    set("txtMaxTThk", "2.5", 0);
    next();
    EXPECT_EQ(current(), "Tooth Thickness");
    EXPECT_EQ(limit(0, 0), 0);
    EXPECT_EQ(limit(0, 1), 0);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].second.rfind("Error 5 in step \"Tooth Thickness\"", 0), 0u) << messages.shown[1].second;
}

} // namespace
} // namespace cindrel::sequence
