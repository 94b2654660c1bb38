#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace cindrel::model {
namespace {

using testing::RecordingShell;

constexpr double Degree = 3.14159265358979 / 180;

// The number of the run-time error that call raises; 0 when it raises none.
using testsupport::errorNumberOf;

struct T_SetPairTest : ::testing::Test {
    RecordingShell shell;
    T_Set pair{shell};
};

TEST(T_SetCreation, WritesItsNotesAroundTheOwnedObjectsAndLinksTheMembers) {
    RecordingShell shell;
    T_Set pair(shell);
    const std::vector<std::string> expected{
        "Setting gear classes", "T_scoring initializing", "initializing T_SubShear",
        "Set T_Gear 2X, T_Scoring, T_Subshear, T_AGMA1, T_MiscVars, T_Deflections"};
    EXPECT_EQ(shell.notes, expected);
    EXPECT_EQ(pair.oPinion->Name(), "Pinion");
    EXPECT_EQ(pair.oGear->Name(), "Gear");
    EXPECT_EQ(pair.oPinion->ArrayIndex(), 0);
    EXPECT_EQ(pair.oGear->ArrayIndex(), 1);
    EXPECT_EQ(&pair.oPinion->otherGear(), pair.oGear.get());
    EXPECT_EQ(&pair.oGear->otherGear(), pair.oPinion.get());
    EXPECT_EQ(&pair.member(0), pair.oPinion.get());
    EXPECT_EQ(&pair.member(1), pair.oGear.get());
    EXPECT_NE(pair.oAGMA1, nullptr);
    EXPECT_NE(pair.oMiscVars, nullptr);
    EXPECT_NE(pair.oDeflection, nullptr);
    EXPECT_TRUE(shell.boxes.empty());
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(T_SetPairTest, MemberIndexOutsidePinionAndGearIsASubscriptError) {
    EXPECT_EQ(errorNumberOf([&] { pair.member(2); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { pair.member(-1); }), runtime::SubscriptOutOfRange);
}

TEST_F(T_SetPairTest, FreshPairHoldsZerosAndOperatingValuesRaiseUntilTheGeometryIsSet) {
    EXPECT_EQ(pair.pd(), 0);
    EXPECT_EQ(pair.Pd_n(), 0);
    EXPECT_EQ(pair.Psi(), 0);
    EXPECT_EQ(pair.Phi(), 0);
    EXPECT_EQ(pair.IntExt(), 0);
    EXPECT_EQ(pair.hp(), 0);
    EXPECT_EQ(pair.MakeJPGs(), 0);
    EXPECT_EQ(pair.Virtual(), 0);
    // Zero base radii over a zero centre distance: 0 / 0 is an overflow.
    EXPECT_EQ(errorNumberOf([&] { pair.Phi_o(); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { pair.Pd_o(); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { pair.Pd_on(); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { pair.PC_s(); }), runtime::DivisionByZero);
}

TEST_F(T_SetPairTest, StoredFlagsComeBack) {
    pair.aaMakeJPGs(-1);
    pair.aaVirtual_OrReal(-1);
    pair.aaEffectiveFaceWidth(3);
    pair.aaTTKHowEntered(2);
    EXPECT_EQ(pair.MakeJPGs(), -1);
    EXPECT_EQ(pair.Virtual(), -1);
}

struct NormalPlaneCase {
    double helixDegrees;
    double expectedTransversePressureDegrees; // atan(tan 20 / cos psi)
    double expectedTransversePitch;           // 10 cos psi
};

class T_SetNormalPlane : public T_SetPairTest, public ::testing::WithParamInterface<NormalPlaneCase> {};

TEST_P(T_SetNormalPlane, TransverseValuesFollowTheStoredHelixAngleAndConvertBack) {
    const NormalPlaneCase c = GetParam();
    pair.aaHelixAngle(c.helixDegrees * Degree);
    pair.aaPressureAngle(0, 20 * Degree);
    pair.aaDiametralPitch(0, 10);
    EXPECT_NEAR(pair.Phi() / Degree, c.expectedTransversePressureDegrees, 1e-6);
    EXPECT_NEAR(pair.Phi_n() / Degree, 20, 1e-9);
    EXPECT_NEAR(pair.pd(), c.expectedTransversePitch, 1e-6);
    EXPECT_DOUBLE_EQ(pair.Pd_n(), 10);

    pair.aaDiametralPitch(1, c.expectedTransversePitch);
    EXPECT_NEAR(pair.Pd_n(), 10, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(HelixAngles, T_SetNormalPlane,
                         ::testing::Values(NormalPlaneCase{0, 20, 10},
                                           NormalPlaneCase{20, 21.1728322, 9.3969262},
                                           NormalPlaneCase{30, 22.7958773, 8.6602540}),
                         [](const auto& info) {
                             return "Helix" + std::to_string(static_cast<int>(info.param.helixDegrees)) + "Degrees";
                         });

TEST_F(T_SetPairTest, NormalPlaneInputReadsTheHelixAngleStoredAtThatMoment) {
    pair.aaDiametralPitch(0, 10);
    pair.aaPressureAngle(0, 20 * Degree);
    pair.aaHelixAngle(30 * Degree);
    EXPECT_DOUBLE_EQ(pair.pd(), 10);
    EXPECT_NEAR(pair.Phi() / Degree, 20, 1e-9);
}

TEST_F(T_SetPairTest, TransverseInputIsStoredAsGiven) {
    pair.aaHelixAngle(30 * Degree);
    pair.aaPressureAngle(1, 25 * Degree);
    EXPECT_DOUBLE_EQ(pair.Phi(), 25 * Degree);
}

TEST_F(T_SetPairTest, NormalPlaneSettersAtARightHelixAngleRaiseAndKeepTheOldValues) {
    pair.aaDiametralPitch(1, 6);
    pair.aaPressureAngle(1, 20 * Degree);
    pair.aaHelixAngle(90 * Degree);
    EXPECT_EQ(errorNumberOf([&] { pair.aaPressureAngle(0, 20 * Degree); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { pair.aaDiametralPitch(1, 10); }), runtime::DivisionByZero);
    EXPECT_DOUBLE_EQ(pair.Phi(), 20 * Degree);
    EXPECT_DOUBLE_EQ(pair.pd(), 6);
    EXPECT_DOUBLE_EQ(pair.Pd_n(), 6);
}

TEST_F(T_SetPairTest, CentreDistanceRatioFollowsLaterChangesOfTheStandardDistance) {
    testing::setUpSpurPair(pair);
    pair.aaOperatingCenterDistance(0, 3.0); // equal to DC_s = (20 + 40) / 20
    EXPECT_NEAR(pair.DC_O(1), 1, 1e-12);
    pair.oGear->aaNumberOfTeeth(50);
    EXPECT_NEAR(pair.DC_s(), 3.5, 1e-12);
    EXPECT_NEAR(pair.DC_O(0), 3.5, 1e-12);

    pair.aaOperatingCenterDistance(-1, 1.02); // a plain factor
    EXPECT_DOUBLE_EQ(pair.DC_O(-1), 1.02);
    EXPECT_NEAR(pair.DC_O(0), 3.57, 1e-12);

    // Only -1 means a factor; 1 is a distance in inches like 0: 3.64 / 3.5.
    pair.aaOperatingCenterDistance(1, 3.64);
    EXPECT_NEAR(pair.DC_O(1), 1.04, 1e-12);
}

TEST_F(T_SetPairTest, InternalMeshMakesOnlyTheGearInternal) {
    pair.aaInternal_External(-1);
    EXPECT_EQ(pair.IntExt(), -1);
    EXPECT_EQ(pair.oPinion->IntExt, 1);
    EXPECT_EQ(pair.oGear->IntExt, -1);
    pair.aaInternal_External(1);
    EXPECT_EQ(pair.oGear->IntExt, 1);
}

TEST_F(T_SetPairTest, FaceIsTheNarrowerMember) {
    struct Case {
        double pinion, gear, face;
    };
    for (const Case c : {Case{1.0, 0.8, 0.8}, Case{0.8, 1.0, 0.8}, Case{1.2, 1.2, 1.2}}) {
        pair.oPinion->aaFaceWidth(c.pinion);
        pair.oGear->aaFaceWidth(c.gear);
        EXPECT_DOUBLE_EQ(pair.Face(), c.face) << c.pinion << " / " << c.gear;
    }
}

TEST_F(T_SetPairTest, AnglesOfTheHelicalReferencePair) {
    testing::setUpHelicalPair(pair);
    // Hand values: phi = atan(tan 20 / cos 15) = 20.6468965, psi_b =
    // atan(tan 15 cos phi) = 14.0760954; at the standard centre phi_o = phi,
    // psi_o = psi, phi_on = phi_n = 20.
    EXPECT_NEAR(pair.Phi() / Degree, 20.6468965, 1e-6);
    EXPECT_NEAR(pair.Psi_b() / Degree, 14.0760954, 1e-6);
    EXPECT_NEAR(pair.Phi_o() / Degree, 20.6468965, 1e-6);
    EXPECT_NEAR(pair.Psi_O() / Degree, 15, 1e-6);
    EXPECT_NEAR(pair.Phi_on() / Degree, 20, 1e-6);
    EXPECT_NEAR(pair.Pd_o(), 7.72740661, 1e-7);
    EXPECT_NEAR(pair.Pd_on(), 8, 1e-7);
}

TEST_F(T_SetPairTest, OperatingPressureAngleOfBaseRadiiThatDoNotFitIsZero) {
    testing::setUpSpurPair(pair);
    pair.aaOperatingCenterDistance(-1, 0.5); // base radii sum exceeds the distance
    EXPECT_EQ(pair.Phi_o(), 0);
}

// --- power, torque and speed ---------------------------------------------

struct T_SetPowerTest : T_SetPairTest {
    void SetUp() override {
        pair.oPinion->aaNumberOfTeeth(20);
        pair.oGear->aaNumberOfTeeth(40);
    }
};

TEST_F(T_SetPowerTest, CoupledPowerSetsBothTorquesFromTheSpeeds) {
    pair.oPinion->aaSpeed(true, 1750); // gear 875 rpm
    pair.aaHorsePower(true, 10);
    // 10 x 63025.4 / 1750 and / 875
    EXPECT_NEAR(pair.oPinion->Torq(), 360.145143, 1e-6);
    EXPECT_NEAR(pair.oGear->Torq(), 720.290286, 1e-6);
    EXPECT_DOUBLE_EQ(pair.hp(), 10);
}

TEST_F(T_SetPowerTest, UncoupledPowerIsOnlyStored) {
    pair.oPinion->aaSpeed(true, 1750);
    pair.aaHorsePower(false, 10);
    EXPECT_DOUBLE_EQ(pair.hp(), 10);
    EXPECT_EQ(pair.oPinion->Torq(), 0);
    EXPECT_EQ(pair.oGear->Torq(), 0);
}

TEST_F(T_SetPowerTest, CoupledZeroPowerClearsOnlyThePinionTorque) {
    pair.oPinion->aaTorque(false, 100);
    pair.oGear->aaTorque(false, 200);
    pair.aaHorsePower(true, 0);
    EXPECT_EQ(pair.hp(), 0);
    EXPECT_EQ(pair.oPinion->Torq(), 0);
    EXPECT_EQ(pair.oGear->Torq(), 200);
}

TEST_F(T_SetPowerTest, CoupledPowerWithoutPinionSpeedIsOnlyStored) {
    pair.aaHorsePower(true, 10);
    EXPECT_DOUBLE_EQ(pair.hp(), 10);
    EXPECT_EQ(pair.oPinion->Torq(), 0);
}

TEST_F(T_SetPowerTest, GearAtRestRaisesDivisionWithNothingChanged) {
    pair.oPinion->aaSpeed(false, 1750);
    pair.oPinion->aaTorque(false, 50);
    pair.aaHorsePower(false, 3);
    EXPECT_EQ(errorNumberOf([&] { pair.aaHorsePower(true, 10); }), runtime::DivisionByZero);
    EXPECT_DOUBLE_EQ(pair.hp(), 3);
    EXPECT_DOUBLE_EQ(pair.oPinion->Torq(), 50);
    EXPECT_EQ(pair.oGear->Torq(), 0);
}

} // namespace
} // namespace cindrel::model
