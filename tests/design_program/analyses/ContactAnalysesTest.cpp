#include "AnalysesShell.h"

#include "analyses/T_Deflections.h"
#include "analyses/T_Scoring.h"
#include "analyses/T_SubShear.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

namespace cindrel::analyses {
namespace {

TEST(ContactAnalyses, ThePairCreatesTheRealAnalysesWithTheSameNotes) {
    testing::AnalysedPair analysed;
    const std::vector<std::string> expected{
        "Setting gear classes", "T_scoring initializing", "initializing T_SubShear",
        "Set T_Gear 2X, T_Scoring, T_Subshear, T_AGMA1, T_MiscVars, T_Deflections"};
    EXPECT_EQ(analysed.shell.notes, expected);
    EXPECT_EQ(&scoringOf(analysed.pair), analysed.pair.oScoring.get());
    EXPECT_EQ(&subShearOf(analysed.pair), analysed.pair.oSubShear.get());
    EXPECT_EQ(&deflectionOf(analysed.pair), analysed.pair.oDeflection.get());
    EXPECT_FALSE(scoringOf(analysed.pair).MaxValues().has_value());
    EXPECT_FALSE(subShearOf(analysed.pair).MaxValues().has_value());
    EXPECT_EQ(deflectionOf(analysed.pair).DeflectionArray(), DeflectionTable{});
}

TEST(ContactAnalyses, APairBuiltWithStandInsHasNoAnalysisToReach) {
    model::testing::RecordingShell shell;
    model::T_Set pair(shell);
    using testsupport::errorNumberOf;
    EXPECT_EQ(errorNumberOf([&] { scoringOf(pair); }), runtime::ObjectVariableNotSet);
    EXPECT_EQ(errorNumberOf([&] { subShearOf(pair); }), runtime::ObjectVariableNotSet);
    EXPECT_EQ(errorNumberOf([&] { deflectionOf(pair); }), runtime::ObjectVariableNotSet);
}

TEST(ContactAnalyses, TheDeflectionRunGoesOutToThePairAndBack) {
    testing::AnalysedPair analysed;
    model::testing::setUpSpurPair(analysed.pair);
    // The pair hands its values to its own analysis, which keeps the table.
    analysed.pair.MorvetianDeflection();
    const DeflectionTable& table = deflectionOf(analysed.pair).DeflectionArray();
    EXPECT_NEAR(table(11, 4), 4.31356003969483, 1e-9);
    EXPECT_NEAR(deflectionOf(analysed.pair).RHOP()[1], analysed.pair.C(1), 1e-15);
    EXPECT_NEAR(deflectionOf(analysed.pair).RHOG()[0], analysed.pair.C(6), 1e-15);
    // Without the dumps: those come with DeflectionsData.
    EXPECT_TRUE(analysed.shell.files.empty());
}

} // namespace
} // namespace cindrel::analyses
