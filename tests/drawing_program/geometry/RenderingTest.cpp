#include "ElementFixture.h"
#include "painter/PainterDevice.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace vantropetest;
using vantrope::clsGear;

namespace {

// Whole elements drawn through the painter device into an image, saved
// beside the test run for a look by eye and checked for their colours.
struct Rendering : ::testing::Test, ElementFixture {
    QImage image{900, 600, QImage::Format_RGB32};
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<vantrope::PainterDevice> surface;
    double scale = 12;

    Rendering()
    {
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        painter->setRenderHint(QPainter::Antialiasing, false);
        surface = std::make_unique<vantrope::PainterDevice>(*painter, pens);
    }

    void place(clsGear& element, std::int32_t name, clsGear* cutter, double midX, const GearInputs& in)
    {
        double zero = 0;
        element.GetMain(surface.get(), cutter, name);
        element.GetSetGeom(midX, 300, scale, 0, zero, zero);
        ASSERT_EQ(feed(element, in), 1);
        element.DrawTeeth();
    }

    int count(QColor colour) const
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }

    void save(const char* name)
    {
        painter.reset();
        QDir().mkpath(VANTROPE_ARTEFACTS);
        ASSERT_TRUE(image.save(QString(VANTROPE_ARTEFACTS) + "/" + name));
    }
};

GearInputs rackTool()
{
    GearInputs in;
    in.teeth = 10000;
    in.addendum = 1.25;
    in.wholeDepth = 2.25;
    in.edgeBreak = 0.3;
    in.mesh = 0;
    return in;
}

TEST_F(Rendering, RackToolCuttingAPinion)
{
    auto tool = element(), pinion = element();
    const double pitchX = 300;
    GearInputs cut;
    cut.frr = false;
    cut.mesh = 0;
    place(*tool, 1, pinion.get(), pitchX - 5000 * scale, rackTool());
    place(*pinion, 2, tool.get(), pitchX + 10 * scale, cut);
    save("rack-and-pinion.png");
    EXPECT_TRUE(log.reports.empty());
    EXPECT_GT(count(QColor(0, 128, 0)), 1000);
    EXPECT_GT(count(QColor(113, 46, 44)), 500);
}

TEST_F(Rendering, PinionAndExternalGear)
{
    auto pinionTool = element(), pinion = element(), gear = element();
    GearInputs cut;
    cut.frr = false;
    cut.mesh = 0;
    // The pinion's fillet comes from its tool, drawn off the image.
    place(*pinionTool, 1, pinion.get(), -100000, rackTool());
    place(*pinion, 2, pinionTool.get(), -100000, cut);
    GearInputs pinionRead = cut;
    pinionRead.mesh = 1;
    GearInputs gearIn;
    gearIn.teeth = 40;
    gearIn.edgeBreak = 0.05;
    const double pitchX = 320;
    place(*pinion, 2, pinionTool.get(), pitchX - 10 * scale, pinionRead);
    place(*gear, 3, nullptr, pitchX + 20 * scale, gearIn);
    save("pinion-and-gear.png");
    EXPECT_TRUE(log.reports.empty());
    EXPECT_GT(count(QColor(0, 128, 0)), 1000);
    EXPECT_GT(count(QColor(0, 0, 255)), 2000);
}

TEST_F(Rendering, PinionInsideAnInternalGear)
{
    auto pinion = element(), gear = element();
    GearInputs pinionIn;
    GearInputs gearIn;
    gearIn.teeth = 40;
    gearIn.sign = -1;
    gearIn.edgeBreak = 0.05;
    const double pitchX = 700;
    place(*pinion, 2, nullptr, pitchX - 10 * scale, pinionIn);
    place(*gear, 3, nullptr, pitchX - 20 * scale, gearIn);
    save("pinion-in-internal-gear.png");
    EXPECT_TRUE(log.reports.empty());
    EXPECT_GT(count(QColor(0, 0, 255)), 2000);
}

TEST_F(Rendering, CloseUpOfTheInternalMesh)
{
    scale = 90;
    auto pinion = element(), gear = element();
    GearInputs gearIn;
    gearIn.teeth = 40;
    gearIn.sign = -1;
    gearIn.edgeBreak = 0.05;
    const double pitchX = 450;
    place(*pinion, 2, nullptr, pitchX - 10 * scale, GearInputs{});
    place(*gear, 3, nullptr, pitchX - 20 * scale, gearIn);
    save("internal-mesh-close-up.png");
    EXPECT_TRUE(log.reports.empty());
    EXPECT_GT(count(QColor(0, 0, 255)), 500);
}

} // namespace
