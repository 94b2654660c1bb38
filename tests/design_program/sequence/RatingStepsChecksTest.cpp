#include "RatingStepsFixture.h"

#include "model/T_Gear.h"
#include "model/T_MiscVars.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace cindrel::sequence {
namespace {

using namespace testing;

struct CheckCase {
    const char* name;
    std::string_view step;
    std::function<void(RatingStepsFixture&)> change;
    std::vector<int> messages;
    std::string_view reached;
    int agmaInputMode = 5;
    bool metric = false;
};

void box(RatingStepsFixture& f, const char* name, const char* value, int index = -1) { f.set(name, value, index); }

// One Next on the step after the change: the messages in order and the step it stands on.
TEST(RatingStepsChecks, MessagesInOrderAndTheStepReached)
{
    using namespace steps;
    const std::vector<CheckCase> cases = {
        {"factors typed", AgmaOnMain, [](auto& f) { box(f, "txtKV", "1.0*"); }, {}, HorsepowerAndCP},
        {"an empty factor", AgmaOnMain, [](auto& f) { box(f, "txtKs", ""); }, {3013}, AgmaOnMain},
        {"a negative factor", AgmaOnMain, [](auto& f) { box(f, "txtZn", "-0.9", 1); }, {3013}, AgmaOnMain},
        {"a factor without a number", AgmaOnMain, [](auto& f) { box(f, "txtCf", "n/a"); }, {3013}, AgmaOnMain},
        {"500,000 psi on the load step", HorsepowerAndCP, [](auto& f) { box(f, "txtYoungsModulus", "500000", 0); },
         {}, ScoringInputs},
        {"the lowest modulus on the load step", HorsepowerAndCP,
         [](auto& f) { box(f, "txtYoungsModulus", "100000", 1); }, {}, ScoringInputs},
        {"below the lowest modulus", HorsepowerAndCP, [](auto& f) { box(f, "txtYoungsModulus", "99999", 0); },
         {3018}, HorsepowerAndCP},
        {"the highest modulus", HorsepowerAndCP, [](auto& f) { box(f, "txtYoungsModulus", "80000000", 0); }, {},
         ScoringInputs},
        {"above the highest gear modulus", HorsepowerAndCP,
         [](auto& f) { box(f, "txtYoungsModulus", "80000001", 1); }, {3019}, HorsepowerAndCP},
        {"a gear Poisson's ratio of 0.7", HorsepowerAndCP, [](auto& f) { box(f, "txtPoissonRatio", "0.7", 1); },
         {3021}, HorsepowerAndCP},
        {"the pinion's ratio first", HorsepowerAndCP,
         [](auto& f) {
             box(f, "txtPoissonRatio", "0.05", 0);
             box(f, "txtPoissonRatio", "0.7", 1);
         },
         {3020}, HorsepowerAndCP},
        {"ratios at the bounds", HorsepowerAndCP,
         [](auto& f) {
             box(f, "txtPoissonRatio", "0.1", 0);
             box(f, "txtPoissonRatio", "0.6", 1);
         },
         {}, ScoringInputs},
        {"power 0", HorsepowerAndCP, [](auto& f) { box(f, "txtPowerInput1", "0"); }, {3012}, HorsepowerAndCP},
        {"speed 0", HorsepowerAndCP, [](auto& f) { box(f, "txtPowerInput2", "0"); }, {3012}, HorsepowerAndCP},
        {"a negative power", HorsepowerAndCP, [](auto& f) { box(f, "txtPowerInput1", "-5"); }, {3012},
         HorsepowerAndCP},
        {"500,000 psi in the factors window", AgmaFactors,
         [](auto& f) { f.Oset.oPinion->aaModulus_Elasticity(500000); }, {3018}, AgmaFactors, 8},
        {"a zero factor in the factors window", AgmaFactors,
         [](auto& f) { f.controls.setValue(agmaControl("txtSh", 1), "0"); }, {3013}, AgmaFactors, 8},
        {"the factors window passes", AgmaFactors, [](auto&) {}, {}, HorsepowerAndCP, 8},
        {"viscosity 5000", ScoringInputs, [](auto& f) { box(f, "txtLubeViscosity", "5000"); }, {}, ScoringGraphs},
        {"viscosity 5000.1", ScoringInputs, [](auto& f) { box(f, "txtLubeViscosity", "5000.1"); }, {3042},
         ScoringInputs},
        {"viscosity 0", ScoringInputs, [](auto& f) { box(f, "txtLubeViscosity", "0"); }, {3043}, ScoringInputs},
        {"roughness 3", ScoringInputs, [](auto& f) { box(f, "txtSurfaceFinish", "3"); }, {}, ScoringGraphs},
        {"roughness 200", ScoringInputs, [](auto& f) { box(f, "txtSurfaceFinish", "200"); }, {}, ScoringGraphs},
        {"roughness 2.9", ScoringInputs, [](auto& f) { box(f, "txtSurfaceFinish", "2.9"); }, {3044},
         ScoringInputs},
        {"roughness 200.1", ScoringInputs, [](auto& f) { box(f, "txtSurfaceFinish", "200.1"); }, {3044},
         ScoringInputs},
        // 4.6 / 0.023091 = 199.21 microinch RMS; 4.62 / 0.023091 = 200.08.
        {"metric 4.6 Ra", ScoringInputs, [](auto& f) { box(f, "txtSurfaceFinish", "4.6"); }, {}, ScoringGraphs, 5,
         true},
        {"metric 4.62 Ra", ScoringInputs, [](auto& f) { box(f, "txtSurfaceFinish", "4.62"); }, {4144},
         ScoringInputs, 5, true},
        // 2.9 microinch RMS typed as 2.9 x 0.023091 Ra.
        {"metric 2.9 microinch", ScoringInputs, [](auto& f) { box(f, "txtSurfaceFinish", "0.0669639"); }, {4144},
         ScoringInputs, 5, true},
    };
    for (const CheckCase& c : cases) {
        RatingStepsFixture f;
        if (c.metric)
            f.useMetric();
        f.start(c.agmaInputMode);
        ASSERT_TRUE(f.nextTo(c.step)) << c.name << ": " << f.current();
        c.change(f);
        if (c.step == steps::AgmaFactors)
            f.controls.click(agmaControl("cmdNext"));
        else
            f.next();
        EXPECT_EQ(f.messageNumbers(), c.messages) << c.name;
        EXPECT_EQ(f.current(), c.reached) << c.name;
        EXPECT_TRUE(f.runLog.errors.empty()) << c.name << ": " << f.runLog.errors.front().description;
    }
}

// The modulus messages name the bounds the step holds, in the unit typed:
// 1e5 psi on the load step, 1e6 psi in the factors window, 8e7 psi above;
// in MPa each times 0.00689476 (100,000 psi = 689.5 MPa, 1e6 psi =
// 6,894.8 MPa, 8e7 psi = 551,580.7 MPa, steel's 3e7 psi = 206,842.8 MPa).
TEST(RatingStepsChecks, ModulusMessagesNameTheBoundsInTheUnitsShown)
{
    using namespace steps;
    const struct {
        const char* name;
        std::string_view step;
        std::function<void(RatingStepsFixture&)> change;
        int agmaInputMode;
        bool metric;
        int number;
        const char* text;
    } cases[] = {
        {"pinion 99,999 psi on the load step", HorsepowerAndCP, [](auto& f) { box(f, "txtYoungsModulus", "99999", 0); },
         5, false, 3018,
         "The pinion modulus of elasticity is out of bounds; acceptable values are from 100,000 to 80,000,000 psi "
         "(steel about 30,000,000 psi)"},
        {"gear 600 MPa on the load step", HorsepowerAndCP, [](auto& f) { box(f, "txtYoungsModulus", "600", 1); }, 5,
         true, 3019,
         "The gear modulus of elasticity is out of bounds; acceptable values are from 689.5 to 551,580.7 MPa "
         "(steel about 206,842.8 MPa)"},
        {"pinion 500,000 psi in the factors window", AgmaFactors,
         [](auto& f) { f.Oset.oPinion->aaModulus_Elasticity(500000); }, 8, false, 3018,
         "The pinion modulus of elasticity is out of bounds; acceptable values are from 1,000,000 to 80,000,000 psi "
         "(steel about 30,000,000 psi)"},
        // 700 MPa passed the old text's "700 < E" but is 101,526 psi: refused here.
        {"gear 700 MPa in the factors window", AgmaFactors,
         [](auto& f) { f.Oset.oGear->aaModulus_Elasticity(700 / 0.00689475908677537); }, 8, true, 3019,
         "The gear modulus of elasticity is out of bounds; acceptable values are from 6,894.8 to 551,580.7 MPa "
         "(steel about 206,842.8 MPa)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RatingStepsFixture f;
        if (c.metric)
            f.useMetric();
        f.start(c.agmaInputMode);
        ASSERT_TRUE(f.nextTo(c.step)) << f.current();
        c.change(f);
        if (c.step == AgmaFactors)
            f.controls.click(agmaControl("cmdNext"));
        else
            f.next();
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].first, c.number);
        EXPECT_EQ(f.messages.shown[0].second, c.text);
        EXPECT_EQ(f.current(), c.step);
    }
}

TEST(RatingStepsChecks, EveryAcceptanceRunsTheAnalysesAgainOnOneChart)
{
    RatingStepsFixture f;
    f.start();
    ASSERT_TRUE(f.nextTo(steps::ScoringInputs));
    EXPECT_EQ(f.navigator->pobjChart, nullptr);
    f.next();
    ASSERT_EQ(f.current(), steps::ScoringGraphs);
    const analyses::T_Chart* chart = f.navigator->pobjChart.get();
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(chart->ScoreData() && chart->ShearData() && chart->DeflectionData());
    const analyses::ScoringTable thin = *chart->ScoreData();
    const analyses::ScoringExtremes thinMaxima = *f.navigator->ScoringMaxValues;

    // A thicker oil gives a thicker film: the second run's tables replace the first's.
    f.previous();
    f.set("txtLubeViscosity", "300");
    f.next();
    ASSERT_EQ(f.current(), steps::ScoringGraphs);
    EXPECT_EQ(f.navigator->pobjChart.get(), chart);
    EXPECT_GT((*chart->ScoreData())(13, 7), thin(13, 7));
    EXPECT_GT(std::get<double>((*f.navigator->ScoringMaxValues)(4, 0)), std::get<double>(thinMaxima(4, 0)));
    // A Next on the last step changes nothing.
    f.next();
    EXPECT_EQ(f.current(), steps::ScoringGraphs);
}

TEST(RatingStepsChecks, AFailingAnalysisKeepsTheStepAndItsEarlierResults)
{
    RatingStepsFixture f;
    f.start();
    ASSERT_TRUE(f.nextTo(steps::ScoringInputs));
    f.next();
    const analyses::ScoringExtremes before = *f.navigator->ScoringMaxValues;
    const analyses::ScoringTable scores = *f.navigator->pobjChart->ScoreData();
    f.previous();
    f.Oset.oPinion->aaFaceWidth(0);
    f.next();
    EXPECT_EQ(f.current(), steps::ScoringInputs);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].second.rfind("Error ", 0), 0u) << f.messages.shown[0].second;
    EXPECT_EQ(f.runLog.errors.size(), 1u);
    EXPECT_FALSE(f.navigator->StateCollection().Exists(steps::ScoringInputs));
    // The chart and the maxima keep the last complete run.
    EXPECT_EQ(*f.navigator->ScoringMaxValues, before);
    EXPECT_EQ(*f.navigator->pobjChart->ScoreData(), scores);
}

} // namespace
} // namespace cindrel::sequence

namespace cindrel::sequence {
namespace {

using namespace testing;

TEST(RatingStepsFinish, StopsOnTheFactorsWindowOrRunsToTheLastStep)
{
    RatingStepsFixture window;
    window.start(8);
    window.controls.click(mainControl("cmdFinished"));
    EXPECT_EQ(window.current(), steps::AgmaFactors);
    EXPECT_FALSE(window.controls.windowVisible("frmMain"));
    EXPECT_TRUE(window.controls.windowVisible("frmAGMA"));
    // The window's Next goes on; Finish then runs to the end.
    window.controls.click(agmaControl("cmdNext"));
    window.controls.click(mainControl("cmdFinished"));
    EXPECT_EQ(window.current(), steps::ScoringGraphs);
    EXPECT_TRUE(window.controls.windowVisible("frmMain"));

    RatingStepsFixture main;
    main.start(5);
    main.controls.click(mainControl("cmdFinished"));
    EXPECT_EQ(main.current(), steps::ScoringGraphs);
    EXPECT_TRUE(main.messages.shown.empty());
    EXPECT_NE(main.navigator->pobjChart, nullptr);
}

} // namespace
} // namespace cindrel::sequence
