#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace cindrel::model {
namespace {

using testing::PairInputs;
using testing::RecordingShell;

void expectClose(double actual, double expected, const char* what, const char* field) {
    EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected)) << what << " " << field;
}

// Expected values were worked out apart from the model, from the pair's
// inputs alone: lowest contact radius and single-tooth-contact roll from the
// line of action, the load point and load angle, then the fillet placement
// (Ri <- Ri - diff, tolerance 1e-6), the 1000-point Lewis search with
// atan/hypot per point, and Kf, Y, J with the 14.5..20 degree exponents.
TEST(JFactorFullCircularTest, FilletPlacementAndCriticalSectionAreRight) {
    struct Case {
        const char* what;
        PairInputs inputs;
        int member;
        double Rtangent, rH, rTC, rRf, XKF, YK;
        double J; // 0: not checked (depends on the helical load sharing)
    };
    const Case cases[] = {
        // Pinion: RLC 0.9439065 lies so low that the second step reaches the base
        // circle without fitting; the tooth-base fallback is used and Rtangent
        // keeps the base radius cos 20 deg of that last step.
        {"spur pinion", testing::spurPairInputs(), 0, 0.939692620785909, 0.0923189658453163, 0.186226571805795,
         0.0594222396299801, 1.80761531378006, 0.695183873374394, 0.384586182731897},
        // Gear: converges in 5 steps (diff 5.9e-7).
        {"spur gear", testing::spurPairInputs(), 1, 1.91694039560779, 0.0993206815000212, 0.208542320705291,
         0.0531026405812824, 1.89427816855897, 0.833275680644127, 0.439890874780035},
        // Ring gear (IntExt -1): RLC 3.0861601, root 3.125, tip 2.92.
        {"internal ring gear", testing::internalPairInputs(), 1, 3.09951891600774, 0.0976226865330507,
         0.249866791635886, 0.043176974858965, 2.16627558035179, 1.26534097260151, 0.58410895828684},
        // Virtual gear of 27.74 teeth, tip-loaded; Ch 1.2866 from w = 5.236 deg.
        // Rtangent is moved back to the real gear by Rp_s - sRp.
        {"helical pinion", testing::helicalPairInputs(), 0, 1.5222769369056, 0.216334241304518, 0.23777822053042,
         0.069756600868966, 1.43417793071687, 0.540331460179133, 0},
    };
    for (const Case& c : cases) {
        RecordingShell shell;
        T_Set pair(shell);
        testing::setUpPair(pair, c.inputs);
        T_Gear& gear = pair.member(c.member);
        const double J = gear.FullCircularFilletJFactor();
        const T_StressVars& s = gear.oStress;
        expectClose(s.Rtangent, c.Rtangent, c.what, "Rtangent");
        expectClose(s.rH, c.rH, c.what, "rH");
        expectClose(s.rTC, c.rTC, c.what, "rTC");
        expectClose(s.rRf, c.rRf, c.what, "rRf");
        expectClose(s.XKF, c.XKF, c.what, "XKF");
        expectClose(s.YK, c.YK, c.what, "YK");
        if (c.J != 0)
            expectClose(J, c.J, c.what, "J");
        EXPECT_EQ(J, s.XJ) << c.what;
        EXPECT_EQ(s.Done, -1) << c.what;
        EXPECT_TRUE(shell.errors.empty()) << c.what;
    }
}

// 24/49 teeth, 17.5 deg, dedendum 1.157, pinion thinned by 0.006: the
// placement oscillates (diff changes sign each step, shrinking ~4% a step)
// and has not settled after 100 steps, with Ri 1.1459 still above the base
// radius 1.1445. A fillet placed at the tooth base there would not meet the
// involute, so no J is rated.
TEST(JFactorFullCircularTest, PlacementThatDoesNotSettleIsReportedAndGivesNoJ) {
    RecordingShell shell;
    shell.csv = true;
    T_Set pair(shell);
    PairInputs in;
    in.pinionTeeth = 24;
    in.gearTeeth = 49;
    in.normalPressureAngleDegrees = 17.5;
    in.dedendumFactor = 1.157;
    testing::setUpPair(pair, in);
    T_Gear& pinion = *pair.oPinion;
    for (std::int32_t limit = 0; limit < 2; ++limit)
        pinion.aaToothThickness(1, limit, 1, 0, 0, MMath::Pi / 20 - 0.006);

    EXPECT_EQ(pinion.FullCircularFilletJFactor(), 0);
    const T_StressVars& s = pinion.oStress;
    EXPECT_EQ(s.XJ, 0);
    EXPECT_EQ(s.XKF, 0);
    EXPECT_EQ(s.YK, 0);
    EXPECT_EQ(s.Done, 0);
    expectClose(s.Rtangent, 1.1459328051959, "not settled", "Rtangent");
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_EQ(shell.errors[0].module, "T_Gear");
    EXPECT_EQ(shell.errors[0].routine, "FullCircularFillerJFactor");

    const std::string& trace = shell.files.at("/designs/pair_Pinion_FRR_Stress.csv");
    EXPECT_THAT(trace, ::testing::HasSubstr("\r\n100,"));
    EXPECT_THAT(trace, ::testing::EndsWith("\"failed to converge the fillet within 100 steps, no J computed\"\r\n"));
}

} // namespace
} // namespace cindrel::model
