#include "design_program/shell/windows/WalkedProgram.h"

#include "chart/Chart.h"
#include "forms/CheckBox.h"
#include "sequence/T_StateNavigator.h"

#include <QImage>

#include <gmock/gmock.h>

#include <filesystem>
#include <string>

namespace {

using ::testing::IsEmpty;

// The real program finished from its main inputs: the graphs step shows the
// analyses' graphs on the main window's chart, one per button.
class GraphsWalk : public WalkedProgram {
protected:
    chart::Chart& chartControl() { return main().get<chart::Chart>(QStringLiteral("Chart2D1")); }
    std::string header() { return chartControl().model().header.toStdString(); }

    void finishFromMainInputs()
    {
        next();
        ASSERT_EQ(current(), "Main Inputs");
        main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(0);
        press(main(), "cmdFinished");
        ASSERT_EQ(current(), "Scoring and SubShear Graphs");
    }

    // For a look by eye, beside the test run.
    void keep(const QImage& image, const std::string& name)
    {
        const std::filesystem::path folder = runFolder / "chart-artefacts";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(image.save(QString::fromStdString((folder / (name + ".png")).string())));
    }

    // The folder the test was started in.
    const std::filesystem::path runFolder = std::filesystem::current_path();
};

// Ink inside the plot: dark pixels away from the edges of the image.
int inkOf(const QImage& image)
{
    int ink = 0;
    for (int y = image.height() / 5; y < image.height() * 4 / 5; ++y)
        for (int x = image.width() / 5; x < image.width() * 4 / 5; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

TEST_F(GraphsWalk, FinishShowsTheTemperatureGraphAndEachButtonSwitchesIt)
{
    finishFromMainInputs();
    const chart::Chart& chart = chartControl();
    EXPECT_TRUE(shows(chart));
    EXPECT_EQ(header(), "Temperature (\xC2\xB0" "F) ");
    EXPECT_EQ(chart.model().pointCount(), 24);
    EXPECT_EQ(navigator().pobjChart->GraphMode(), 6);
    EXPECT_FALSE(chart.repaintHeld());
    keep(chart.grab(), "temperature");

    struct Case {
        const char* button;
        int mode;
        const char* header;
        int series;
        int points;
    };
    for (const Case& c : {
             Case{"cmdGraphSlide", 4, "Specific Sliding (Slip Ratio)", 2, 24},
             Case{"cmdGraphFilm", 7, "Specific Film Thickness(FilmThickness / (RMS) )", 1, 24},
             Case{"cmdGraphLoad", 5, "Tangential Load Distribution (lb) ", 1, 24},
             Case{"cmdGraphShear", 2, "Subsurface Shear Stress (psi) ", 1, 53},
             Case{"cmdGraphBHN", 3, "Required Hardness", 1, 53},
             Case{"cmdGraphDeflection", 8, "Tooth Deflection (in) ", 5, 26},
             Case{"cmdGraphTemp", 6, "Temperature (\xC2\xB0" "F) ", 1, 24},
         }) {
        SCOPED_TRACE(c.button);
        const QImage before = chart.grab();
        press(main(), c.button);
        EXPECT_EQ(navigator().pobjChart->GraphMode(), c.mode);
        EXPECT_EQ(header(), c.header);
        EXPECT_EQ(chart.model().seriesCount(), c.series);
        EXPECT_EQ(chart.model().pointCount(), c.points);
        const QImage after = chart.grab();
        EXPECT_NE(after, before);
        EXPECT_GT(inkOf(after), 100);
        keep(after, std::string(c.button).substr(8));
    }
    EXPECT_THAT(dialogs.requests(), IsEmpty());
}

// A unit switch shows in the next graph drawn.
TEST_F(GraphsWalk, MetricDeflectionsShowInMillimetres)
{
    finishFromMainInputs();
    main().get<forms::CheckBox>(QStringLiteral("chkMetricUnits")).setCheckValue(1);
    press(main(), "cmdGraphDeflection");
    EXPECT_EQ(header(), "Tooth Deflection (mm) ");
    // The pinion's deflection at point 16 is the analysis' inch value times 25.4.
    const auto& inches = navigator().pobjChart->DeflectionData();
    ASSERT_TRUE(inches.has_value());
    EXPECT_DOUBLE_EQ(chartControl().model().y(1, 16), (*inches)(16, 5) * 25.4);
    keep(chartControl().grab(), "Deflection-metric");
    // The stresses were worked out in psi and keep their label until the next run.
    press(main(), "cmdGraphShear");
    EXPECT_EQ(header(), "Subsurface Shear Stress (psi) ");
}

} // namespace
