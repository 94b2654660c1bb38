#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/T_AGMA1.h"
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

// Hand values for the reference pairs. d = 2 Rp_o,p; Wt = T_p / Rp_o,p;
// sc = CCP sqrt(Wt / (d F I)) with every factor 1 and CCP = 2290.60391.
//   EyeP = Rb_p tan phi_o Rb_g / (IntExt Rb_p + Rb_g) cos phi_o / d
//   EyeHel = cos phi_o sin phi_o / 2 mG / (mG + IntExt) / Mn
//   EyeAGMA = cos phi_o Cpsi^2 / ((IntExt / rho2 + 1 / rho1) d Mn)
// Spur: rho1 = C2, rho2 = C6 - C2. Helical (Mf > 1): rho1 = sqrt(RM^2 - Rb_p^2).
struct PittingCase {
    const char* name;
    PairInputs inputs;
    double rho1, rho2, rhoM1, rhoM2, cPsi, eyeP, eyeHel, eyeAGMA, scp, sHelical, sAGMA, radial, axial;
};

const PittingCase pittingCases[] = {
    {"spur", testing::spurPairInputs(), 0.276606565, 0.749453865, 0.342020143, 0.684040287, 1, 0.107131268,
     0.107131268, 0.0949271119, 93910.8253, 93910.8253, 99765.1009, 131.082112, 0},
    {"helical", testing::helicalPairInputs(), 0.570384916, 1.14076983, 0.570384916, 1.14076983, 1,
     0.109986713, 0.165343944, 0.165343944, 77358.9967, 63093.8159, 63093.8159, 305.858261, 217.495651},
    {"internal", testing::internalPairInputs(), 0.276606565, 0.960646851, 0.370240163, 1.05428045, 1,
     0.241045354, 0.241045354, 0.182515767, 62607.2168, 62607.2168, 71948.8053, 131.082112, 0},
};

class T_SetReferencePitting : public ::testing::TestWithParam<PittingCase> {
protected:
    void SetUp() override {
        shell.orientation = GetParam().inputs.helixAngleDegrees == 0 ? 0 : 1;
        testing::setUpPair(pair, GetParam().inputs);
    }
    RecordingShell shell;
    T_Set pair{shell};
};

TEST_P(T_SetReferencePitting, MatchesHandValues) {
    const PittingCase& c = GetParam();
    EXPECT_NEAR(pair.Rho(1), c.rho1, 2e-7);
    EXPECT_NEAR(pair.Rho(2), c.rho2, 2e-7);
    EXPECT_NEAR(pair.Rho(0), c.rho2, 2e-7); // any value but 1 is the gear
    EXPECT_NEAR(pair.Rho_m(1), c.rhoM1, 2e-7);
    EXPECT_NEAR(pair.Rho_m(2), c.rhoM2, 2e-7);
    EXPECT_NEAR(pair.C_Psi(), c.cPsi, 1e-9);
    EXPECT_NEAR(pair.EyeP(), c.eyeP, 1e-8);
    EXPECT_NEAR(pair.EyeHel(), c.eyeHel, 1e-8);
    EXPECT_NEAR(pair.EyeAGMA(), c.eyeAGMA, 1e-8);
    double eye = 0;
    EXPECT_NEAR(pair.SCP(eye), c.scp, 0.01);
    eye = 0;
    EXPECT_NEAR(pair.SHelical(eye), c.sHelical, 0.01);
    eye = 0;
    EXPECT_NEAR(pair.SAGMA(eye), c.sAGMA, 0.01);
    EXPECT_NEAR(pair.RadialForce(), c.radial, 1e-5);
    EXPECT_NEAR(pair.AxialThrust(), c.axial, 1e-5);
    EXPECT_TRUE(shell.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Pairs, T_SetReferencePitting, ::testing::ValuesIn(pittingCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct T_SetPittingTest : ::testing::Test {
    RecordingShell shell;
    T_Set pair{shell};
};

TEST_F(T_SetPittingTest, LowestPointFactorOfTheSpurPairAndTheStressWrittenBack) {
    testing::setUpSpurPair(pair);
    // rho1 = Rb_p LPSTC = C2 and rho2 = Rb_g HPSTC = C6 - C2 for this pair,
    // so the factor equals the AGMA form: 0.0949271119.
    EXPECT_NEAR(pair.EyeLPS(), 0.0949271119, 1e-8);
    double eye = 0;
    EXPECT_NEAR(pair.SCLPS(eye), 99765.1009, 0.01);
    EXPECT_NEAR(eye, 0.0949271119, 1e-8);

    eye = 0.1; // used as given: 2290.60391 sqrt(360.145143 / (2 x 1 x 0.1))
    EXPECT_NEAR(pair.SCLPS(eye), 97201.6820, 0.01);
    EXPECT_DOUBLE_EQ(eye, 0.1);
}

TEST_F(T_SetPittingTest, FactorTextsEnterTheStressByTheirLeadingNumber) {
    testing::setUpSpurPair(pair);
    double eye = 0.1;
    pair.oAGMA1->Ko("1.0*");
    EXPECT_NEAR(pair.SCP(eye), 97201.6820, 0.01);
    pair.oAGMA1->Km("1.44*");
    pair.oAGMA1->Kv("2.25");
    EXPECT_NEAR(pair.SCP(eye), 174963.0276, 0.01);
    pair.oAGMA1->Cf("none"); // no leading number counts 0
    EXPECT_EQ(pair.SCP(eye), 0);
}

TEST_F(T_SetPittingTest, ZeroFactorInTheStressRaisesDivision) {
    testing::setUpSpurPair(pair);
    pair.aaOperatingCenterDistance(-1, 0.5); // base circles overlap: phi_o = 0
    double eye = 0;
    EXPECT_EQ(errorNumberOf([&] { pair.SCP(eye); }), runtime::DivisionByZero);
}

TEST_F(T_SetPittingTest, AxialThrustReadsTheToothOrientation) {
    testing::setUpHelicalPair(pair);
    shell.orientation = 2; // herringbone
    EXPECT_EQ(pair.AxialThrust(), 0);
    EXPECT_NEAR(pair.RadialForce(), 305.858261, 1e-5);
    shell.orientation = 1;
    EXPECT_NEAR(pair.AxialThrust(), 217.495651, 1e-5);
}

TEST_F(T_SetPittingTest, InternalPairUsesTheRatioLessOne) {
    testing::setUpInternalPair(pair);
    // mG = 3: cos 20 sin 20 / 2 x 3 / (3 - 1)
    const double expected = std::cos(20 * 3.14159265358979 / 180) * std::sin(20 * 3.14159265358979 / 180) / 2 * 1.5;
    EXPECT_NEAR(pair.EyeP(), expected, 1e-9);
    EXPECT_NEAR(pair.EyeHel(), expected, 1e-9);
}

TEST_F(T_SetPittingTest, HelicalOverlapFactorBelowUnitAxialRatio) {
    PairInputs in = testing::helicalPairInputs();
    in.pinionFace = 1.0;
    in.gearFace = 1.0;
    testing::setUpPair(pair, in);
    // Mf = 0.659: sqrt(1 - Mf (1 - rm1 rm2 Z / (r1 r2 PN))) with r1 = C2 =
    // 0.482907712, r2 = 1.22824703, rm1 = 0.570384916, rm2 = 1.14076983.
    EXPECT_NEAR(pair.C_Psi(), 1.23955923, 1e-7);
    EXPECT_NEAR(pair.EyeAGMA(), 0.154048897, 1e-8);
    EXPECT_TRUE(shell.boxes.empty());
}

// --- the fatal boxes --------------------------------------------------------

using Boxes = std::vector<RecordingShell::Box>;

TEST_F(T_SetPittingTest, PinionMeanRadiusInsideBaseCircle) {
    // Helical pair with Mf > 1, a stub pinion (addendum 0.2 / Pd_n) and a
    // long gear addendum (2.0 / Pd_n): RM = 1.5051 < Rb_p = 1.5137.
    PairInputs in = testing::helicalPairInputs();
    in.pinionAddendumFactor = 0.2;
    in.gearAddendumFactor = 2.0;
    testing::setUpPair(pair, in);
    const std::string rhoText =
        "Rho(1), Mean radius of pinion smaller than base radius\nReturn to previous state and change change gearset";

    EXPECT_EQ(pair.Rho(1), 0);
    ASSERT_EQ(shell.boxes.size(), 1u);
    EXPECT_EQ(shell.boxes[0].title, "FATAL ERROR");
    EXPECT_EQ(shell.boxes[0].text, rhoText);

    shell.boxes.clear();
    EXPECT_EQ(pair.Rho_m(1), 0);
    ASSERT_EQ(shell.boxes.size(), 1u);
    EXPECT_EQ(shell.boxes[0].title, "FATAL ERROR");
    EXPECT_EQ(shell.boxes[0].text, "Rho_m(1), Mean radius of pinion smaller than base radius");

    shell.boxes.clear();
    EXPECT_EQ(pair.EyeAGMA(), 0);
    ASSERT_EQ(shell.boxes.size(), 3u);
    EXPECT_EQ(shell.boxes[0].text, rhoText);
    EXPECT_EQ(shell.boxes[1].text, rhoText);
    EXPECT_EQ(shell.boxes[2].title, "FATAL ERROR");
    EXPECT_EQ(shell.boxes[2].text,
              "Rho(1) or Rho(2) or both are zero, fatal error in the I 'EyeAGMA' factor routine");
}

TEST_F(T_SetPittingTest, NegativePinionCurvatureInTheOverlapFactor) {
    // Face 1.0 (Mf = 0.659) and a pinion addendum of -0.5 / Pd_n:
    // C5 = 0.35648 < PB = 0.38044, so C2 and Rho(1) are negative.
    PairInputs in = testing::helicalPairInputs();
    in.pinionFace = 1.0;
    in.gearFace = 1.0;
    in.pinionAddendumFactor = -0.5;
    testing::setUpPair(pair, in);
    EXPECT_EQ(pair.C_Psi(), 0);
    ASSERT_EQ(shell.boxes.size(), 2u);
    EXPECT_EQ(shell.boxes[0].title, "FATAL ERROR");
    EXPECT_EQ(shell.boxes[0].text, "length of line of action, C(2) is negative do not continue");
    EXPECT_EQ(shell.boxes[1].title, "Fatal Error");
    EXPECT_EQ(shell.boxes[1].text, "Radius of Curvature of Pinion is negative\nGo to previous state and change gearset");
}

TEST_F(T_SetPittingTest, NegativeGearCurvatureInTheOverlapFactor) {
    // A pinion addendum of 8 / Pd_n puts C2 = 1.7552 beyond C6 = 1.7112.
    PairInputs in = testing::helicalPairInputs();
    in.pinionFace = 1.0;
    in.gearFace = 1.0;
    in.pinionAddendumFactor = 8.0;
    testing::setUpPair(pair, in);
    EXPECT_EQ(pair.C_Psi(), 0);
    ASSERT_EQ(shell.boxes.size(), 1u);
    EXPECT_EQ(shell.boxes[0].title, "Fatal Error");
    EXPECT_EQ(shell.boxes[0].text, "Radius of Curvature of gear is negative\nGo to previous state and change gearset");
}

} // namespace
} // namespace cindrel::model
