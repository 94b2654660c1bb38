#include "chart/Chart.h"
#include "chart/ChartPainter.h"

#include "forms/Layout.h"
#include "runtime/RuntimeError.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace chart {
namespace {

TEST(NiceScale, TakesInTheDataWithRoundTicks)
{
    struct Case {
        double low, high;
        Scale expected;
    };
    const std::vector<Case> cases{
        {0.0005, 0.0208, {0, 0.025, 0.005}}, // rough step 0.00406 rounds up to 0.005
        {12, 35, {10, 35, 5}},
        {-25, 404, {-100, 500, 100}},
        {2, 2, {1.8, 2.2, 0.1}},    // one value: 10 % around it
        {0, 0, {-1, 1, 0.5}},
        {-1e308, 1e308, {-1e308, 1e308, 5e307}}, // a span beyond the greatest number
        {-7, -3, {-7, -3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.low);
        const Scale scale = niceScale(c.low, c.high);
        EXPECT_NEAR(scale.minimum, c.expected.minimum, 1e-12);
        EXPECT_NEAR(scale.maximum, c.expected.maximum, 1e-12);
        EXPECT_NEAR(scale.step, c.expected.step, 1e-12);
    }
}

TEST(NiceScale, NothingToTakeInGivesZeroToOne)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [low, high] : std::vector<std::pair<double, double>>{{inf, -inf}, {1, 0}, {std::nan(""), 1}}) {
        const Scale scale = niceScale(low, high);
        EXPECT_EQ(scale.minimum, 0);
        EXPECT_EQ(scale.maximum, 1);
    }
}

TEST(ChartModel, MissingAndInfiniteValuesTakeNoPartInTheScale)
{
    ChartModel model;
    model.setSeriesCount(2);
    model.setPointCount(3);
    for (int p = 1; p <= 3; ++p)
        model.setX(p, p);
    model.setY(1, 1, 2);
    model.setY(1, 2, -12345);
    model.setY(1, 3, std::numeric_limits<double>::infinity());
    model.setY(2, 1, 4);
    model.setY(2, 2, std::nan(""));
    // series 2, point 3 never set: missing.
    model.setMissingValue(-12345);
    const Scale y = model.scale(Axis::Y);
    EXPECT_EQ(y.minimum, 2);
    EXPECT_EQ(y.maximum, 4);
    model.setMissingValue(std::nullopt);
    // -12345 to 4 in steps of 2500.
    EXPECT_EQ(model.scale(Axis::Y).minimum, -12500);
}

TEST(ChartModel, IndexesOutsideTheCountsRaiseSubscriptErrors)
{
    ChartModel model;
    model.setSeriesCount(1);
    model.setPointCount(2);
    for (auto call : std::vector<std::function<void()>>{
             [&] { model.setX(0, 1); }, [&] { model.setX(3, 1); }, [&] { model.setY(2, 1, 1); },
             [&] { (void)model.y(1, 3); }, [&] { model.setPointStyle(0, 1, {}); }}) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), runtime::SubscriptOutOfRange);
        }
    }
    EXPECT_THROW(model.setPointCount(-1), runtime::RuntimeError);
    // Shrinking and growing keeps what stays and leaves new points missing.
    model.setY(1, 1, 7);
    model.setPointCount(4);
    EXPECT_EQ(model.y(1, 1), 7);
    EXPECT_TRUE(model.isMissing(model.y(1, 4)));
}

// A flat line at y = 5 over x = 0..10 with the point at x = 5 missing;
// a second series without line or symbols holds the Y scale at 0..10.
ChartModel flatLine(bool withLine)
{
    ChartModel model;
    model.setSeriesCount(2);
    model.setPointCount(11);
    for (int p = 1; p <= 11; ++p) {
        model.setX(p, p - 1);
        model.setY(1, p, withLine && p != 6 ? 5 : std::nan(""));
    }
    model.setY(2, 1, 0);
    model.setY(2, 11, 10);
    SeriesStyle line;
    line.lineWidth = 2;
    line.symbol = Symbol::None;
    model.setSeriesStyle(1, line);
    SeriesStyle hidden = line;
    hidden.lineShown = false;
    model.setSeriesStyle(2, hidden);
    return model;
}

QImage render(const ChartModel& model, QSize size = {500, 300})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintChart(painter, QRectF(image.rect()), model);
    return image;
}

bool dark(QRgb pixel) { return qGray(pixel) < 128; }

TEST(ChartPainting, InkLiesOnTheLineAndBreaksAtTheMissingPoint)
{
    const QImage with = render(flatLine(true));
    const QImage without = render(flatLine(false));
    int left = with.width(), right = -1, topmost = with.height(), lowest = -1;
    std::vector<int> inkPerColumn(static_cast<std::size_t>(with.width()));
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (dark(with.pixel(x, y)) && !dark(without.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                topmost = std::min(topmost, y);
                lowest = std::max(lowest, y);
                ++inkPerColumn[static_cast<std::size_t>(x)];
            }
    ASSERT_GE(right, 0) << "the line left no ink";
    EXPECT_LE(lowest - topmost, 6) << "a flat line is a thin strip";
    EXPECT_GT(right - left, with.width() / 2) << "across most of the plot";
    // Points 5 and 7 (x = 4 and 6) end the two runs: the middle fifth is bare.
    const int width = right - left;
    for (int x = left + width * 2 / 5 + 3; x < left + width * 3 / 5 - 3; ++x)
        EXPECT_EQ(inkPerColumn[static_cast<std::size_t>(x)], 0) << "column " << x;
    // The strip is in the middle of the plot's height, near the image's middle.
    EXPECT_NEAR((topmost + lowest) / 2, with.height() / 2, with.height() / 6);
}

TEST(ChartPainting, HeaderTitlesAndLabelsLeaveInkInsideTheChart)
{
    ChartModel model = flatLine(true);
    const QImage bare = render(model);
    model.header = QStringLiteral("Tooth Deflection (in) ");
    model.setAxisTitle(Axis::X, QStringLiteral("Roll Angle of Pinion"));
    model.setAxisTitle(Axis::Y, QStringLiteral("Deflection"));
    // A label pushed far beyond the right edge is kept inside the chart.
    model.addLabel({QStringLiteral("far\r\naway"), 10, 5, Anchor::East, true, 400, 10});
    const QImage dressed = render(model);
    int changed = 0;
    for (int y = 0; y < dressed.height(); ++y)
        for (int x = 0; x < dressed.width(); ++x)
            changed += dark(dressed.pixel(x, y)) != dark(bare.pixel(x, y));
    EXPECT_GT(changed, 200);
    int rightEdgeInk = 0;
    for (int y = 0; y < dressed.height(); ++y)
        for (int x = dressed.width() - 60; x < dressed.width() - 2; ++x)
            rightEdgeInk += dark(dressed.pixel(x, y)) && !dark(bare.pixel(x, y));
    EXPECT_GT(rightEdgeInk, 10) << "the far label is drawn at the edge";
}

TEST(ChartPainting, ExtremeOrEmptyDataPaintsWithoutFailing)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> cases{
        {}, {1e308, -1e308}, {1e-300, 2e-300}, {0, 0}, {std::nan(""), inf, -inf}, {5}, {-1e-320, 1e-320}};
    for (const auto& values : cases) {
        ChartModel model;
        model.setSeriesCount(1);
        model.setPointCount(static_cast<int>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            model.setX(static_cast<int>(i) + 1, values[i]);
            model.setY(1, static_cast<int>(i) + 1, values[i]);
        }
        model.addLabel({QStringLiteral("label"), values.empty() ? 0 : values[0], 0, Anchor::South, true, 10, -3});
        model.setAxisFontSize(Axis::X, -1);
        EXPECT_FALSE(render(model).isNull());
        EXPECT_FALSE(render(model, {3, 3}).isNull());
    }
}

// Seeded, so that a failure repeats.
TEST(ChartPainting, RandomModelsPaintWithoutFailing)
{
    std::mt19937 random(20261210);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> specials{0, -12345, 1e308, -1e308, 1e-310, inf, -inf, std::nan(""), 5e-5, 60000};
    const auto value = [&] {
        if (pick(0, 3) == 0)
            return specials[static_cast<std::size_t>(pick(0, static_cast<int>(specials.size()) - 1))];
        return std::uniform_real_distribution<double>(-1000, 1000)(random);
    };
    for (int round = 0; round < 150; ++round) {
        ChartModel model;
        model.setSeriesCount(pick(0, 6));
        model.setPointCount(pick(0, 30));
        if (pick(0, 1) == 1)
            model.setMissingValue(-12345);
        for (int p = 1; p <= model.pointCount(); ++p) {
            model.setX(p, value());
            for (int s = 1; s <= model.seriesCount(); ++s)
                model.setY(s, p, value());
        }
        for (int s = 1; s <= model.seriesCount(); ++s) {
            SeriesStyle style = ChartModel::defaultSeriesStyle(s);
            style.lineWidth = pick(-2, 40);
            style.symbolSize = pick(-5, 300);
            model.setSeriesStyle(s, style);
            if (model.pointCount() > 0)
                model.setPointStyle(s, pick(1, model.pointCount()), {Symbol::KeyPoint, Qt::black, pick(-10, 5000)});
        }
        for (int l = pick(0, 10); l > 0; --l)
            model.addLabel({QStringLiteral("label\r\nline %1").arg(l), value(), value(), static_cast<Anchor>(pick(0, 7)),
                            pick(0, 1) == 1, pick(-500, 5000), static_cast<double>(pick(-100, 400))});
        model.header = QString(pick(0, 300), QLatin1Char('H'));
        model.headerFontSize = pick(-10, 300);
        model.setAxisTitle(Axis::Y, QStringLiteral("Y"));
        model.setAxisFontSize(Axis::X, pick(-10, 300));
        const QImage image = render(model, {pick(1, 600), pick(1, 400)});
        ASSERT_FALSE(image.isNull()) << "round " << round;
    }
}

TEST(ChartControl, ShowsTheModelOnlyWhenRepaintingIsReleased)
{
    registerChartKind();
    forms::Form form(QStringLiteral("frmMain"));
    const forms::ControlSpec spec{
        .kind = forms::ControlKind::Chart, .name = "Chart2D1", .left = 60, .top = 60, .width = 7560, .height = 4560};
    auto& built = forms::buildControl(form, spec);
    auto& chart = form.get<Chart>(QStringLiteral("Chart2D1"));
    EXPECT_EQ(&chart, &built);
    EXPECT_EQ(chart.grab().size(), QSize(504, 304));
    const QImage empty = chart.grab();

    chart.holdRepaint(true);
    chart.change([](ChartModel& model) { model = flatLine(true); });
    EXPECT_EQ(chart.grab(), empty) << "held: the old graph stays";
    chart.holdRepaint(false);
    const QImage drawn = chart.grab();
    EXPECT_NE(drawn, empty);
    // Holding twice, as a graph that failed and the next one do, needs one release.
    chart.holdRepaint(true);
    chart.holdRepaint(true);
    chart.change([](ChartModel& model) { model.header = QStringLiteral("changed"); });
    EXPECT_EQ(chart.grab(), drawn);
    chart.holdRepaint(false);
    EXPECT_NE(chart.grab(), drawn);
    // The widget paints what the control draws (copy and save grab it).
    EXPECT_EQ(chart.widget()->grab().toImage().size(), QSize(504, 304));
}

TEST(ChartControl, DrawsOntoAPageAtItsResolution)
{
    QImage page(2480, 1500, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811); // 300 dpi
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    QPainter painter(&page);
    paintChart(painter, QRectF(100, 100, 2000, 1200), flatLine(true));
    painter.end();
    int ink = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2) {
            const bool inside = QRect(100, 100, 2000, 1200).contains(x, y);
            if (dark(page.pixel(x, y))) {
                EXPECT_TRUE(inside) << x << "," << y;
                ++ink;
            }
        }
    EXPECT_GT(ink, 500);
}

} // namespace
} // namespace chart
