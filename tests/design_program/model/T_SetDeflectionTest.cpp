#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

namespace cindrel::model {
namespace {

using testing::RecordingShell;

// The 20/60 internal pair with a wider ring gear, equal edge breaks on both
// members and limits that differ, so that every limit index shows.
struct MorvetianDeflectionTest : ::testing::Test {
    RecordingShell shell;
    T_Set pair{shell};

    void SetUp() override {
        testing::PairInputs in = testing::internalPairInputs();
        in.gearFace = 1.25;
        testing::setUpPair(pair, in);
        const double addendum[2][2] = {{0.95, 1.0}, {0.75, 0.8}};
        const double thickness[2][2] = {{0.150, 0.155}, {0.152, 0.157}};
        for (int member = 0; member < 2; ++member)
            for (std::int32_t limit = 0; limit < 2; ++limit) {
                pair.member(member).aaAddendumFactor(limit, addendum[member][limit]);
                pair.member(member).aaToothThickness(1, limit, 1, 0, 0, thickness[member][limit]);
                pair.member(member).aaEdgeBreak(limit, limit == 0 ? 0.005 : 0.01);
            }
    }
};

TEST_F(MorvetianDeflectionTest, HandsTheTwentyValuesInOrderOnce) {
    pair.MorvetianDeflection();
    ASSERT_EQ(shell.deflectionLoads.size(), 1u);
    const auto& call = shell.deflectionLoads[0];
    // Worked by hand: Pd 10, 20 degrees, standard centre distance 2.0;
    // Rb = Rp cos 20°; whole depth (AddF(1) + 1.25) / 10.
    const double expected[19] = {
        20, 60,
        1.0, 3.0,                 // operating pitch radii at the standard centre
        0.349065850398866,        // 20 degrees
        0.150, 0.152,             // thickness at limit 0
        0.875,                    // 1.0 + 0.1 - 0.225
        3.13,                     // internal: 3.0 - 0.075 + 0.205
        1.085,                    // 1.0 + (0.095 - 0.01)
        2.935,                    // 3.0 - (0.075 - 0.01)
        0,                        // spur
        2.0,
        0.01,                     // equal edge breaks pass that value
        360.145142857143,         // 10 hp x 63025.4 / 1750 rpm
        1.0, 1.25,                // wider gear passes both faces unchanged
        0.577214946809067,        // sqrt(1.085^2 - Rb^2) / Rb
        0.14119053291562,         // (sqrt(2.935^2 - RbG^2) - 2 sin 20°) / RbP
    };
    for (int i = 0; i < 19; ++i)
        EXPECT_NEAR(call.values[i], expected[i], 1e-12) << "value " << i + 1;
    EXPECT_EQ(call.intExt, -1);
}

TEST_F(MorvetianDeflectionTest, TheLargerEdgeBreakOfEitherMemberPasses) {
    pair.oGear->aaEdgeBreak(1, 0.02);
    pair.MorvetianDeflection();
    pair.oGear->aaEdgeBreak(1, 0.01);
    pair.oPinion->aaEdgeBreak(1, 0.03);
    pair.MorvetianDeflection();
    ASSERT_EQ(shell.deflectionLoads.size(), 2u);
    EXPECT_EQ(shell.deflectionLoads[0].values[13], 0.02);
    EXPECT_EQ(shell.deflectionLoads[1].values[13], 0.03);
}

TEST_F(MorvetianDeflectionTest, AFailingGetterPassesToTheCallerAndHandsNothingOver) {
    pair.aaDiametralPitch(0, 0);
    EXPECT_NE(testsupport::errorNumberOf([&] { pair.MorvetianDeflection(); }), 0);
    EXPECT_TRUE(shell.deflectionLoads.empty());
}

TEST(AnalysisStandIns, ThePairBuiltWithoutAFactoryIgnoresTheHandOver) {
    // A shell that keeps the default factory.
    struct PlainShell : RecordingShell {
        AnalysisFactory& analysisFactory() override { return AnalysisFactory::inert(); }
    } shell;
    T_Set pair(shell);
    testing::setUpSpurPair(pair);
    EXPECT_NO_THROW(pair.MorvetianDeflection());
    EXPECT_EQ(shell.notes[1], "T_scoring initializing");
    EXPECT_EQ(shell.notes[2], "initializing T_SubShear");
}

} // namespace
} // namespace cindrel::model
