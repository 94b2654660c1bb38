#include "design_program/analyses/RecordingChart.h"

#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace cindrel::analyses {
namespace {

using testing::RecordingHost;

// Roll angle 10 + r degrees; column c of row r holds 100 c + r, the gear's
// sliding (column 9) -r; key points at rows 3, 7, 11, 19 and 24. Rows 1 and
// 26 hold values no graph may show.
ScoringTable scoringTable()
{
    ScoringTable S;
    for (int r = 1; r <= 26; ++r) {
        S(r, 1) = 10 + r;
        for (int c = 2; c <= 7; ++c)
            S(r, c) = 100 * c + r;
        S(r, 9) = -r;
    }
    int mark = 1;
    for (int r : {3, 7, 11, 19, 24})
        S(r, 8) = mark++;
    for (int c = 1; c <= 9; ++c) {
        S(1, c) = 9999;
        S(26, c) = 9999;
    }
    return S;
}

// Depth 0.001 i inch; the shear stress peaks at 60000.4 psi at i = 20 and
// again at i = 30; the hardness rises to 353 at i = 53.
SubShearTable shearTable()
{
    SubShearTable T;
    for (int i = 1; i <= 53; ++i) {
        T(i, 1) = 0.001 * i;
        T(i, 2) = 40000 + 10 * i;
        T(i, 3) = 300 + i;
    }
    T(20, 2) = 60000.4;
    T(30, 2) = 60000.4;
    return T;
}

// Roll angle i degrees; column c holds c i / 10000 inch; the gear's value
// at point 3 is missing.
DeflectionTable deflectionTable()
{
    DeflectionTable V;
    for (int i = 1; i <= 26; ++i) {
        V(i, 0) = i;
        for (int c = 5; c <= 8; ++c)
            V(i, c) = c * i / 10000.0;
    }
    V(3, 6) = T_Chart::MissingValue;
    return V;
}

class Chart : public ::testing::Test {
protected:
    RecordingHost::Shared host;
    std::unique_ptr<T_Chart> chart;

    void create() { chart = std::make_unique<T_Chart>(std::make_unique<RecordingHost>(host)); }
    void createWithData()
    {
        create();
        chart->ScoreData(scoringTable());
        chart->ShearData(shearTable());
        chart->DeflectionData(deflectionTable());
    }
    testing::RecordingSurface& surface() { return host.surface; }
    std::vector<std::string> labelTexts()
    {
        std::vector<std::string> texts;
        for (const ChartLabel& label : surface().labels)
            texts.push_back(label.text);
        return texts;
    }
};

TEST_F(Chart, CreationLogsAndBindsTheSevenButtonsInOrder)
{
    create();
    EXPECT_EQ(host.runNotes, std::vector<std::string>{"initializing T_Chart"});
    EXPECT_EQ(host.boundButtons, (std::vector<std::string>{"cmdGraphTemp", "cmdGraphSlide", "cmdGraphFilm", "cmdGraphLoad",
                                                           "cmdGraphShear", "cmdGraphBHN", "cmdGraphDeflection"}));
    EXPECT_EQ(chart->GraphMode(), 0);
    EXPECT_EQ(chart->fs(), 0);
    chart.reset();
    EXPECT_TRUE(host.handlers.empty());
}

TEST_F(Chart, FirstLaunchDrawsTheFlashTemperatureGraph)
{
    createWithData();
    host.fontSize = 12;
    chart->LaunchChart();
    EXPECT_EQ(chart->GraphMode(), 6);
    EXPECT_EQ(chart->fs(), 12);
    EXPECT_EQ(surface().header.text, "Temperature (\xC2\xB0" "F) ");
    EXPECT_EQ(surface().repaints, 1);
    EXPECT_FALSE(surface().held);
    EXPECT_EQ(host.runNotes.back(), "done with the scoring graphs.");
}

TEST_F(Chart, EachButtonDrawsItsGraphAndLaunchRedrawsIt)
{
    struct Case {
        const char* button;
        int mode;
        const char* header;
    };
    const std::vector<Case> cases{
        {"cmdGraphSlide", 4, "Specific Sliding (Slip Ratio)"},
        {"cmdGraphLoad", 5, "Tangential Load Distribution (lb) "},
        {"cmdGraphTemp", 6, "Temperature (\xC2\xB0" "F) "},
        {"cmdGraphFilm", 7, "Specific Film Thickness(FilmThickness / (RMS) )"},
        {"cmdGraphShear", 2, "Subsurface Shear Stress (psi) "},
        {"cmdGraphBHN", 3, "Required Hardness"},
        {"cmdGraphDeflection", 8, "Tooth Deflection (in) "},
    };
    createWithData();
    chart->LaunchChart();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        surface().header = {};
        host.click(c.button);
        EXPECT_EQ(chart->GraphMode(), c.mode);
        EXPECT_EQ(surface().header.text, c.header);
        surface().header = {};
        chart->LaunchChart();
        EXPECT_EQ(chart->GraphMode(), c.mode);
        EXPECT_EQ(surface().header.text, c.header);
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Chart, ScoringGraphsPlotRowsTwoToTwentyFiveOfTheirColumn)
{
    createWithData();
    host.fontSize = 12;
    chart->LaunchChart();
    for (auto [button, m] : std::vector<std::pair<const char*, int>>{
             {"cmdGraphLoad", 5}, {"cmdGraphTemp", 6}, {"cmdGraphFilm", 7}, {"cmdGraphSlide", 4}}) {
        SCOPED_TRACE(m);
        surface().ys.clear();
        host.click(button);
        EXPECT_EQ(surface().pointCount, 24);
        EXPECT_EQ(surface().seriesCount, m == 4 ? 2 : 1);
        // Point p shows row p + 1.
        EXPECT_EQ(surface().xs.at(1), 12);
        EXPECT_EQ(surface().xs.at(24), 35);
        EXPECT_EQ(surface().ys.at({1, 1}), 100 * m + 2);
        EXPECT_EQ(surface().ys.at({1, 24}), 100 * m + 25);
        for (const auto& [at, value] : surface().ys)
            EXPECT_NE(value, 9999);
        EXPECT_EQ(surface().axisTitles.at(ChartAxis::X), "Roll Angle of Pinion\xC2\xB0");
        EXPECT_EQ(surface().axisTitles.at(ChartAxis::Y), "");
        EXPECT_EQ(surface().axisFontSizes.at(ChartAxis::X), 11);
        EXPECT_EQ(surface().axisFontSizes.at(ChartAxis::Y), 11);
        EXPECT_EQ(surface().header.fontSize, 12);
        EXPECT_TRUE(surface().header.bold);
        EXPECT_EQ(surface().seriesStyles.at(1).lineWidth, 2);
        // Key points are marked tall on both series, the rest by a small symbol.
        EXPECT_EQ(surface().pointStyles.at({1, 2}), (ChartPointStyle{ChartSymbol::KeyPoint, Black, 60}));
        EXPECT_EQ(surface().pointStyles.at({2, 23}), (ChartPointStyle{ChartSymbol::KeyPoint, Black, 60}));
        EXPECT_EQ(surface().pointStyles.at({1, 1}), (ChartPointStyle{ChartSymbol::Disc, Black, 6}));
        EXPECT_EQ(surface().pointStyles.at({2, 1}), (ChartPointStyle{ChartSymbol::Square, Black, 6}));

        ASSERT_EQ(surface().labels.size(), m == 4 ? 7u : 5u);
        const std::vector<int> keyRows{3, 7, 11, 19, 24};
        const std::vector<std::string> keyTexts{"The_LC", "LPSTC", "PitchCircle", "HPSTC", "The_OD"};
        for (std::size_t k = 0; k < 5; ++k) {
            const ChartLabel& label = surface().labels[k];
            EXPECT_EQ(label.text, keyTexts[k]);
            EXPECT_EQ(label.x, 10 + keyRows[k]);
            EXPECT_EQ(label.y, 100 * m + keyRows[k]);
            EXPECT_EQ(label.fontSize, 11);
            EXPECT_EQ(label.offset, 10);
            EXPECT_TRUE(label.connected);
        }
    }
    // The sliding graph: the gear's curve is column 9, both curves named.
    EXPECT_EQ(surface().ys.at({2, 1}), -2);
    EXPECT_EQ(surface().ys.at({2, 24}), -25);
    EXPECT_EQ(surface().labels[5], (ChartLabel{"Pinion", 14, 404, ChartAnchor::East, true, 20, 12}));
    EXPECT_EQ(surface().labels[6], (ChartLabel{"Gear", 34, -24, ChartAnchor::West, true, 20, 12}));
}

TEST_F(Chart, SingleToothContactBeyondThePitchPointSwapsTheMiddleLabels)
{
    createWithData();
    host.lpstc = 0.5;
    host.pitchRollAngle = 0.4;
    chart->LaunchChart();
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"The_LC", "PitchCircle", "LPSTC", "HPSTC", "The_OD"}));
    // Equal angles count as not in order too.
    host.lpstc = 0.4;
    chart->LaunchChart();
    EXPECT_EQ(labelTexts()[1], "PitchCircle");
}

TEST_F(Chart, FontSizeTenGivesThinLinesAndTheFontSizeChangesOnlyAtLaunch)
{
    createWithData();
    chart->LaunchChart();
    EXPECT_EQ(surface().seriesStyles.at(1).lineWidth, 1);
    EXPECT_EQ(surface().axisFontSizes.at(ChartAxis::X), 9);
    host.fontSize = 14;
    host.click("cmdGraphShear");
    EXPECT_EQ(surface().header.fontSize, 10);
    EXPECT_EQ(surface().labels.at(0).fontSize, 8);
    chart->LaunchChart();
    EXPECT_EQ(surface().header.fontSize, 14);
    EXPECT_EQ(surface().labels.at(0).fontSize, 12);
    EXPECT_EQ(surface().seriesStyles.at(1).lineWidth, 2);
}

TEST_F(Chart, AnyStoredFontSizeIsPassedOnWithoutOverflow)
{
    createWithData();
    for (std::int32_t size : {std::numeric_limits<std::int32_t>::min(), -5, 0, std::numeric_limits<std::int32_t>::max()}) {
        SCOPED_TRACE(size);
        host.fontSize = size;
        chart->LaunchChart();
        EXPECT_EQ(surface().header.fontSize, size);
        chart->cmdDeflection_click();
        chart->cmdSubShear_click();
        EXPECT_LE(surface().labels.at(0).fontSize, size);
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Chart, ShearGraphAnnotatesTheShallowerOfEqualMaxima)
{
    createWithData();
    host.fontSize = 12;
    chart->LaunchChart();
    host.click("cmdGraphShear");
    EXPECT_EQ(surface().pointCount, 53);
    EXPECT_EQ(surface().xs.at(53), 0.053);
    EXPECT_EQ(surface().ys.at({1, 20}), 60000.4);
    EXPECT_EQ(surface().axisTitles.at(ChartAxis::X), "Sub-Surface Depth(in) ");
    EXPECT_EQ(surface().pointStyles.at({1, 7}), (ChartPointStyle{ChartSymbol::Disc, Black, 5}));
    ASSERT_EQ(surface().labels.size(), 1u);
    const ChartLabel& label = surface().labels[0];
    // 60000.4 in single precision rounds to 60000; the depth 0.02 shows as 0.02.
    EXPECT_EQ(label.text, "max stress =60000(psi) , at: 0.02(in) \r\nrequired hardness =353 BHN");
    EXPECT_FLOAT_EQ(static_cast<float>(label.x), 0.02f);
    EXPECT_FLOAT_EQ(static_cast<float>(label.y), 60000.4f);
    EXPECT_EQ(label.anchor, ChartAnchor::East);
    EXPECT_EQ(label.offset, 40);
    EXPECT_EQ(label.fontSize, 10);
    EXPECT_EQ(host.runNotes.back(), "done with the subshear graphs.");
}

TEST_F(Chart, HardnessGraphAnnotatesItsGreatestHardness)
{
    host.units = testing::metricChartUnits();
    createWithData();
    chart->LaunchChart();
    host.click("cmdGraphBHN");
    EXPECT_EQ(surface().ys.at({1, 53}), 353);
    // The depth 0.053 shows as it arrives, with the display unit's label.
    EXPECT_EQ(surface().labels.at(0).text, "required hardness =353 BHN, at: 0.053(mm) ");
    EXPECT_EQ(surface().axisTitles.at(ChartAxis::X), "Sub-Surface Depth(mm) ");
    host.click("cmdGraphShear");
    EXPECT_EQ(surface().header.text, "Subsurface Shear Stress (MPa) ");
}

TEST_F(Chart, SubsurfaceCurveWithNothingAboveZeroIsAnnotatedAtTheOrigin)
{
    create();
    SubShearTable flat;
    for (int i = 1; i <= 53; ++i)
        flat(i, 1) = 0.001 * i;
    chart->ShearData(flat);
    EXPECT_NO_THROW(chart->cmdBHN_click());
    EXPECT_EQ(surface().labels.at(0).text, "required hardness = BHN, at: 0.(in) ");
    EXPECT_EQ(surface().labels.at(0).x, 0);
    EXPECT_EQ(surface().labels.at(0).y, 0);
}

TEST_F(Chart, ValuesThatAreNotFiniteArePlottedButNeverAnnotated)
{
    createWithData();
    SubShearTable T = shearTable();
    T(5, 2) = std::numeric_limits<double>::infinity();
    T(6, 2) = std::numeric_limits<double>::quiet_NaN();
    T(7, 3) = std::numeric_limits<double>::infinity();
    T(20, 1) = std::numeric_limits<double>::quiet_NaN();
    chart->ShearData(T);
    ScoringTable S = scoringTable();
    S(5, 6) = std::numeric_limits<double>::quiet_NaN();
    chart->ScoreData(S);
    chart->LaunchChart();
    EXPECT_TRUE(std::isnan(surface().ys.at({1, 4})));
    host.click("cmdGraphShear");
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(std::isinf(surface().ys.at({1, 5})));
    // Row 20 has no depth: the peak of row 30 is annotated.
    EXPECT_EQ(surface().labels.at(0).text, "max stress =60000(psi) , at: 0.03(in) \r\nrequired hardness =353 BHN");
}

TEST_F(Chart, DeflectionGraphPlotsTheFourDeflectionsAndMarksTheKeyPoints)
{
    createWithData();
    host.fontSize = 12;
    chart->LaunchChart();
    host.click("cmdGraphDeflection");
    const auto& s = surface();
    EXPECT_EQ(s.seriesCount, 5);
    EXPECT_EQ(s.pointCount, 26);
    EXPECT_EQ(s.missing, -12345);
    EXPECT_EQ(s.seriesStyleResets, 1);
    EXPECT_EQ(s.axisTitles.at(ChartAxis::X), "Roll Angle of Pinion (\xC2\xB0)");
    EXPECT_EQ(s.axisFontSizes.at(ChartAxis::Y), 11);
    EXPECT_EQ(s.xs.at(26), 26);
    // Point 16 of the pinion: 5 x 16 / 10000 inch.
    EXPECT_DOUBLE_EQ(s.ys.at({1, 16}), 0.008);
    EXPECT_DOUBLE_EQ(s.ys.at({4, 26}), 0.0208);
    EXPECT_EQ(s.ys.at({2, 3}), -12345);
    EXPECT_TRUE(s.seriesStyles.at(4).lineShown);
    EXPECT_FALSE(s.seriesStyles.at(5).lineShown);
    EXPECT_EQ(s.seriesStyles.at(1).lineWidth, 2);

    // Y runs from 0.0005 (series 1 point 1) to 0.0208 (series 4 point 26).
    const double Ym = (0.0005 + 0.0208) / 2;
    for (int i = 1; i <= 21; ++i)
        EXPECT_EQ(s.ys.at({5, i}), -12345);
    for (int i = 22; i <= 26; ++i) {
        EXPECT_DOUBLE_EQ(s.ys.at({5, i}), Ym);
        EXPECT_EQ(s.pointStyles.at({5, i}), (ChartPointStyle{ChartSymbol::KeyPoint, Black, 230}));
    }
    ASSERT_EQ(s.labels.size(), 9u);
    const std::vector<std::pair<std::string, int>> keys{
        {"The_LC", 125}, {"LPSTC", 140}, {"PitchCircle", 125}, {"HPSTC", 140}, {"The_OD", 125}};
    for (std::size_t k = 0; k < keys.size(); ++k) {
        EXPECT_EQ(s.labels[k].text, keys[k].first);
        EXPECT_EQ(s.labels[k].x, 22 + static_cast<double>(k));
        EXPECT_DOUBLE_EQ(s.labels[k].y, Ym);
        EXPECT_EQ(s.labels[k].offset, keys[k].second);
        EXPECT_EQ(s.labels[k].anchor, ChartAnchor::North);
        EXPECT_EQ(s.labels[k].fontSize, 10);
    }
    EXPECT_EQ(s.labels[5].text, "Pinion");
    EXPECT_DOUBLE_EQ(s.labels[5].y, 0.008);
    EXPECT_EQ(s.labels[6].text, "Gear");
    EXPECT_EQ(s.labels[6].x, 5);
    EXPECT_DOUBLE_EQ(s.labels[6].y, 0.003);
    EXPECT_EQ(s.labels[7].text, "Hertz");
    EXPECT_DOUBLE_EQ(s.labels[7].y, 0.0014);
    EXPECT_EQ(s.labels[8], (ChartLabel{"Total Deflection", 12, s.labels[8].y, ChartAnchor::North, true, 15, 10}));
    EXPECT_DOUBLE_EQ(s.labels[8].y, 0.0096);
    EXPECT_EQ(s.header.text, "Tooth Deflection (in) ");
    EXPECT_EQ(host.runNotes.back(), "done with the scoring graphs.");
}

TEST_F(Chart, MetricDeflectionsAreInMillimetresAndMissingOnesStayMissing)
{
    createWithData();
    host.units = testing::metricChartUnits();
    chart->LaunchChart();
    chart->cmdDeflection_click();
    // 0.008 in x 25.4 = 0.2032 mm.
    EXPECT_DOUBLE_EQ(surface().ys.at({1, 16}), 0.2032);
    EXPECT_DOUBLE_EQ(surface().ys.at({3, 2}), 0.0014 * 25.4);
    EXPECT_EQ(surface().ys.at({2, 3}), -12345);
    EXPECT_EQ(surface().header.text, "Tooth Deflection (mm) ");
    EXPECT_EQ(surface().header.fontSize, 10);
}

TEST_F(Chart, MetricScoringHeadersCarryTheMetricLabels)
{
    host.units = testing::metricChartUnits();
    createWithData();
    chart->LaunchChart();
    EXPECT_EQ(surface().header.text, "Temperature (\xC2\xB0" "C) ");
    chart->cmdLoad_click();
    EXPECT_EQ(surface().header.text, "Tangential Load Distribution (N) ");
    chart->cmdFilm_click();
    EXPECT_EQ(surface().header.text, "Specific Film Thickness(FilmThickness / (Ra) )");
}

// The scoring and subsurface tables hold the units of their run; the
// deflections are converted when drawn.
TEST_F(Chart, AUnitSwitchAfterTheRunKeepsTheRunsLabelsOnTheTablesItDidNotConvert)
{
    createWithData();
    chart->LaunchChart();
    host.units = testing::metricChartUnits();
    chart->cmdTemp_click();
    EXPECT_EQ(surface().header.text, "Temperature (\xC2\xB0" "F) ");
    chart->cmdSubShear_click();
    EXPECT_EQ(surface().header.text, "Subsurface Shear Stress (psi) ");
    chart->cmdDeflection_click();
    EXPECT_EQ(surface().header.text, "Tooth Deflection (mm) ");
    EXPECT_DOUBLE_EQ(surface().ys.at({1, 16}), 0.2032);
    // The next run brings the new units.
    chart->ShearData(shearTable());
    chart->cmdSubShear_click();
    EXPECT_EQ(surface().header.text, "Subsurface Shear Stress (MPa) ");
}

TEST_F(Chart, InternalGearIsHeadedAsNotEvaluatedAndStillPlotted)
{
    createWithData();
    host.gearIntExt = -1;
    chart->LaunchChart();
    chart->cmdDeflection_click();
    EXPECT_EQ(surface().header.text, "Routines cannot evaluate internal gear");
    EXPECT_DOUBLE_EQ(surface().ys.at({1, 16}), 0.008);
    // The scoring graphs draw an internal pair like an external one.
    chart->cmdTemp_click();
    EXPECT_EQ(surface().header.text, "Temperature (\xC2\xB0" "F) ");
}

TEST_F(Chart, TheReportsSequenceLeavesTheDeflectionGraph)
{
    createWithData();
    chart->LaunchChart();
    chart->cmdTemp_click();
    chart->cmdSlide_click();
    chart->cmdFilm_click();
    chart->cmdLoad_click();
    chart->cmdSubShear_click();
    chart->cmdDeflection_click();
    EXPECT_EQ(chart->GraphMode(), 8);
    surface().header = {};
    chart->LaunchChart();
    EXPECT_EQ(surface().header.text, "Tooth Deflection (in) ");
}

TEST_F(Chart, AGraphWithoutItsTableFailsToTheCallerAndKeepsTheMode)
{
    create();
    chart->ShearData(shearTable());
    try {
        chart->LaunchChart();
        FAIL() << "expected a run-time error";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), runtime::TypeMismatch);
    }
    EXPECT_EQ(chart->GraphMode(), 0);
    EXPECT_EQ(surface().repaints, 0);

    chart->cmdSubShear_click();
    EXPECT_EQ(chart->GraphMode(), 2);
    // From a button the failure is reported, never thrown into the event loop.
    EXPECT_NO_THROW(host.click("cmdGraphDeflection"));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].rfind("cmdDeflection_click 13 ", 0), 0u);
    EXPECT_EQ(chart->GraphMode(), 2);
}

TEST_F(Chart, AGraphFailingOnTheControlStaysHeldUntilAGraphIsComplete)
{
    createWithData();
    chart->LaunchChart();
    surface().failOnHeader = true;
    EXPECT_THROW(chart->cmdDeflection_click(), runtime::RuntimeError);
    EXPECT_TRUE(surface().held);
    EXPECT_EQ(chart->GraphMode(), 6);
    host.click("cmdGraphShear");
    EXPECT_EQ(host.errors.size(), 1u);
    surface().failOnHeader = false;
    chart->LaunchChart();
    EXPECT_FALSE(surface().held);
    EXPECT_EQ(chart->GraphMode(), 6);
}

TEST_F(Chart, APairReadingThatFailsFromAButtonIsReported)
{
    class FailingHost : public RecordingHost {
    public:
        using RecordingHost::RecordingHost;
        double pinionLPSTC() override { runtime::raise(runtime::ObjectVariableNotSet); }
    };
    chart = std::make_unique<T_Chart>(std::make_unique<FailingHost>(host));
    chart->ScoreData(scoringTable());
    EXPECT_NO_THROW(host.click("cmdGraphFilm"));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].rfind("cmdFilm_click 91 ", 0), 0u);
    EXPECT_EQ(chart->GraphMode(), 0);
}

} // namespace
} // namespace cindrel::analyses
