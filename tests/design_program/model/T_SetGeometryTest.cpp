#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace cindrel::model {
namespace {

using testing::PairInputs;
using testing::RecordingShell;

using testsupport::errorNumberOf;

// Expected geometry worked out by hand from the textbook formulas for each
// reference pair (standard centre distance, so phi_o = phi):
//   C6 = DC sin phi_o, C5 = sqrt(Ro_p^2 - Rb_p^2),
//   C1 = (C6 - sqrt(Ro_g^2 - Rb_g^2)) IntExt, C2 = C5 - PB, C4 = C1 + PB,
//   C3 = C6 / (N_g/N_p + IntExt), PB = Rb_p 2 pi / N_p, MP = (C5 - C1) / PB.
struct GeometryCase {
    const char* name;
    PairInputs inputs;
    double DC_s, PB, PN, C1, C2, C3, C4, C5, C6, Z, MP, Px, Mf, Lmin, Mn, Ch, RM, PC_s, PC_sn;
};

const GeometryCase geometryCases[] = {
    {"spur", testing::spurPairInputs(), 3.0, 0.295213143, 0.295213143, 0.0890913196, 0.276606565,
     0.342020143, 0.384304463, 0.571819708, 1.02606043, 0.482728388, 1.63518596, 0, 0, 1.0, 1, 1, 1.0,
     0.314159265, 0.314159265},
    // Pd = 8 cos 15 = 7.72740661; Mf = tan 15 Pd F / pi = 1.318 > 1, so
    // Lmin = (Z F / PB - na nr Px) / cos psi_b with na = .60394, nr = .31815.
    {"helical", testing::helicalPairInputs(), 4.8528571, 0.380439674, 0.369016429, 0.25314572, 0.482907712,
     0.570384916, 0.633585394, 0.863347387, 1.71115475, 0.610201667, 1.60393804, 1.51727274, 1.31815457,
     3.00661669, 0.665199526, 1.28659685, 1.61761903, 0.406552005, 0.392699082},
    // Ring gear tip Ro_g = 3 - 0.08; C3 = C6 / (3 - 1).
    {"internal", testing::internalPairInputs(), 2.0, 0.295213143, 0.295213143, 0.0770116209, 0.276606565,
     0.342020143, 0.372224764, 0.571819708, 0.684040287, 0.494808087, 1.67610453, 0, 0, 1.0, 1, 1, 1.01,
     0.314159265, 0.314159265},
};

class T_SetReferenceGeometry : public ::testing::TestWithParam<GeometryCase> {
protected:
    RecordingShell shell;
    T_Set pair{shell};
};

TEST_P(T_SetReferenceGeometry, MatchesHandValues) {
    const GeometryCase& c = GetParam();
    testing::setUpPair(pair, c.inputs);
    constexpr double tol = 2e-7;
    EXPECT_NEAR(pair.DC_s(), c.DC_s, tol);
    EXPECT_NEAR(pair.DC_O(0), c.DC_s, tol);
    EXPECT_NEAR(pair.PB(), c.PB, tol);
    EXPECT_NEAR(pair.PN(), c.PN, tol);
    const double points[] = {c.C1, c.C2, c.C3, c.C4, c.C5, c.C6};
    for (std::int16_t index = 1; index <= 6; ++index)
        EXPECT_NEAR(pair.C(index), points[index - 1], tol) << "C" << index;
    EXPECT_NEAR(pair.Z(), c.Z, tol);
    EXPECT_NEAR(pair.Z(), pair.C(5) - pair.C(1), 1e-12);
    EXPECT_NEAR(pair.MP(), c.MP, tol);
    EXPECT_NEAR(pair.Px(), c.Px, tol);
    EXPECT_NEAR(pair.Mf(), c.Mf, tol);
    EXPECT_NEAR(pair.Lmin(), c.Lmin, tol);
    EXPECT_NEAR(pair.Mn(), c.Mn, tol);
    EXPECT_NEAR(pair.Ch(), c.Ch, tol);
    EXPECT_NEAR(pair.RM(), c.RM, tol);
    EXPECT_NEAR(pair.PC_s(), c.PC_s, tol);
    EXPECT_NEAR(pair.PC_sn(), c.PC_sn, tol);
    EXPECT_NEAR(pair.PC_o(), c.PC_s, tol);
    EXPECT_NEAR(pair.PC_on(), c.PC_sn, tol);
    // Two steel members: sqrt(1 / (pi 2 (1 - 0.09) / 30e6)).
    EXPECT_NEAR(pair.CCP(), 2290.60391, 1e-5);
    // No addendum modification at the standard centre distance.
    EXPECT_NEAR(pair.AddModCoeffSum(0), 0, 1e-9);
    EXPECT_TRUE(shell.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Pairs, T_SetReferenceGeometry, ::testing::ValuesIn(geometryCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct T_SetGeometryTest : ::testing::Test {
    RecordingShell shell;
    T_Set pair{shell};
};

TEST_F(T_SetGeometryTest, StandardCentreDistanceNeverZero) {
    EXPECT_DOUBLE_EQ(pair.DC_s(), 1e-07);
    pair.aaDiametralPitch(1, 10);
    EXPECT_DOUBLE_EQ(pair.DC_s(), 1e-07);
}

TEST_F(T_SetGeometryTest, PointIndexOutsideOneToSixIsZeroWithoutABox) {
    testing::setUpSpurPair(pair);
    EXPECT_EQ(pair.C(0), 0);
    EXPECT_EQ(pair.C(7), 0);
    EXPECT_TRUE(shell.boxes.empty());
}

TEST_F(T_SetGeometryTest, NegativePointShowsItsBoxAndStillReturnsTheDistance) {
    // A full-depth ring gear on a 20-tooth pinion reaches past the pinion's
    // base-circle tangent point: C1 = sqrt(3.1^2 - Rb_g^2) - C6 = -0.0037462.
    PairInputs in = testing::internalPairInputs();
    in.gearAddendumFactor = 1.0;
    testing::setUpPair(pair, in);
    EXPECT_NEAR(pair.C(1), -0.0037462282, 1e-9);
    ASSERT_EQ(shell.boxes.size(), 1u);
    EXPECT_EQ(shell.boxes[0].title, "FATAL ERROR");
    EXPECT_EQ(shell.boxes[0].text, "length of line of action, C(1) is negative do not continue");
}

TEST_F(T_SetGeometryTest, TipInsideItsBaseCircleRaisesInvalidArgument) {
    PairInputs in = testing::spurPairInputs();
    in.pinionAddendumFactor = -1.0; // Ro_p = 0.9 < Rb_p = 0.9397
    testing::setUpPair(pair, in);
    EXPECT_EQ(errorNumberOf([&] { pair.C(5); }), runtime::InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { pair.Z(); }), runtime::InvalidProcedureCall);
}

TEST_F(T_SetGeometryTest, SpurMinimumContactLengthStepsWithTheContactRatio) {
    // 14.5 degrees, N : 2N teeth, long addenda; MP from Z / PB by hand.
    // No length is defined from a ratio of 3 on: 0.
    struct Case {
        std::int32_t pinionTeeth;
        double addendumFactor, contactRatio, Lmin;
    };
    for (const Case c : {Case{40, 1.2, 2.52229491, 2.0}, Case{100, 1.5, 3.45309627, 0.0}}) {
        RecordingShell localShell;
        T_Set local(localShell);
        PairInputs in = testing::spurPairInputs();
        in.pinionTeeth = c.pinionTeeth;
        in.gearTeeth = 2 * c.pinionTeeth;
        in.normalPressureAngleDegrees = 14.5;
        in.pinionAddendumFactor = c.addendumFactor;
        in.gearAddendumFactor = c.addendumFactor;
        testing::setUpPair(local, in);
        EXPECT_NEAR(local.MP(), c.contactRatio, 1e-7) << c.pinionTeeth;
        EXPECT_DOUBLE_EQ(local.Lmin(), c.Lmin) << c.pinionTeeth;
        EXPECT_EQ(local.Mn(), 1) << c.pinionTeeth;
    }
}

TEST_F(T_SetGeometryTest, HelicalMinimumContactLengthWithTheComplementaryFractions) {
    // Face 1.0: Mf = 0.659, na = 0.604; 1 - na < nr, so k = 1 and the
    // subtracted term is (1 - na)(1 - nr) Px.
    PairInputs in = testing::helicalPairInputs();
    in.pinionFace = 1.0;
    in.gearFace = 1.0;
    testing::setUpPair(pair, in);
    EXPECT_NEAR(pair.Lmin(), 1.44237537, 2e-7);
    EXPECT_EQ(pair.Mn(), 1); // Mf <= 1
}

TEST_F(T_SetGeometryTest, AddendumModificationAtAWiderCentreDistance) {
    testing::setUpSpurPair(pair);
    pair.aaOperatingCenterDistance(-1, 1.01);
    // phi_o = acos(3 cos 20 / 3.03) = 21.5045073 deg;
    // (inv phi_o - inv 20) 10 x 3 / tan 20
    EXPECT_NEAR(pair.Phi_o() * 180 / 3.14159265358979, 21.5045073, 1e-6);
    EXPECT_NEAR(pair.AddModCoeffSum(0), 0.310946732, 1e-8);
    EXPECT_NEAR(pair.SumX(), 0.0310946732, 1e-9);
}

TEST_F(T_SetGeometryTest, EnteredBacklashLimits) {
    pair.aaBackLash(0, 0.004);
    pair.aaBackLash(1, 0.008);
    EXPECT_DOUBLE_EQ(pair.BackLash(-1, 1, 0), 0.004);
    EXPECT_DOUBLE_EQ(pair.BackLash(-1, 0, 1), 0.008);
    EXPECT_EQ(errorNumberOf([&] { pair.BackLash(-1, 1, 2); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { pair.aaBackLash(2, 0.1); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { pair.aaBackLash(-1, 0.1); }), runtime::SubscriptOutOfRange);
}

TEST_F(T_SetGeometryTest, BacklashFromThicknessTakesTheOppositeLimit) {
    struct Case {
        PairInputs inputs;
        std::int32_t normTrans, backlashLimit;
        double expected;
    };
    // Thickness limit 0 is 0.150 (0.190 helical), limit 1 is 0.155 (0.200),
    // both members, operating transverse. Transverse: PC_o - 2 t; normal:
    // PC_on - 2 cos psi t with PC_o = pi / 10 and PC_on = pi / 8.
    const Case cases[] = {
        {testing::spurPairInputs(), 1, 1, 0.314159265 - 0.300},
        {testing::spurPairInputs(), 1, 0, 0.314159265 - 0.310},
        {testing::spurPairInputs(), 0, 1, 0.314159265 - 0.300},
        {testing::helicalPairInputs(), 0, 1, 0.025647268},
        {testing::helicalPairInputs(), 0, 0, 0.006328751},
    };
    for (const Case& c : cases) {
        RecordingShell localShell;
        T_Set local(localShell);
        testing::setUpPair(local, c.inputs);
        const bool helical = c.inputs.helixAngleDegrees != 0;
        for (int index = 0; index < 2; ++index) {
            local.member(index).aaToothThickness(1, 0, 0, 1, 0, helical ? 0.190 : 0.150);
            local.member(index).aaToothThickness(1, 1, 0, 1, 0, helical ? 0.200 : 0.155);
        }
        EXPECT_NEAR(local.BackLash(0, c.normTrans, c.backlashLimit), c.expected, 1e-8)
            << "normTrans " << c.normTrans << " limit " << c.backlashLimit;
    }
}

TEST_F(T_SetGeometryTest, ZeroGeometryRaisesInsteadOfInfinity) {
    EXPECT_EQ(errorNumberOf([&] { pair.PC_sn(); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { pair.PN(); }), runtime::DivisionByZero);
    pair.aaHelixAngle(0.2);
    EXPECT_EQ(errorNumberOf([&] { pair.Px(); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { pair.AddModCoeffSum(0); }), runtime::Overflow); // 0 / 0
}

} // namespace
} // namespace cindrel::model
