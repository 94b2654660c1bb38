#include "ElementFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vantropetest;
using vantrope::clsGear;

namespace {

constexpr double Pi = M_PI;
const double Phi = degrees(20);

// Mesh 0: a rack tool (10000 teeth, thickness 0.5, addendum 1.25, whole
// depth 2.25, tip radius 0.3) cutting a pinion whose fillet it generates.
struct CuttingMesh : ::testing::Test, ElementFixture {
    std::unique_ptr<clsGear> tool = element();
    std::unique_ptr<clsGear> pinion = element();
    GearInputs toolInputs = [] {
        GearInputs in;
        in.teeth = 10000;
        in.addendum = 1.25;
        in.wholeDepth = 2.25;
        in.edgeBreak = 0.3;
        in.mesh = 0;
        return in;
    }();
    GearInputs pinionInputs = [] {
        GearInputs in;
        in.teeth = 20;
        in.frr = false;
        in.mesh = 0;
        return in;
    }();

    CuttingMesh()
    {
        double zero = 0;
        tool->GetMain(&device, pinion.get(), vantrope::element::PinionTool);
        pinion->GetMain(&device, tool.get(), vantrope::element::Pinion);
        tool->GetSetGeom(0, 0, 10, 0, zero, zero);
        pinion->GetSetGeom(0, 0, 10, 0, zero, zero);
    }
    void cut()
    {
        ASSERT_EQ(feed(*tool, toolInputs), 1);
        tool->DrawTeeth();
        ASSERT_EQ(feed(*pinion, pinionInputs), 1);
        pinion->DrawTeeth();
    }
};

// Positions of the rack's tip-radius centres seen from the pinion while the
// rack rolls on its pitch circle, and the least distance of a point from
// them: an independent model of generation by a straight-sided rack with
// half thickness π/4 at its pitch line and a tip radius ρ at depth 1.25.
double distanceFromRackTipPath(double x, double y, double pitchRadius, double rho)
{
    const double depth = 1.25 - rho;
    const double side = Pi / 4 - depth * std::tan(Phi) - rho / std::cos(Phi);
    auto distance = [&](double u, double sign) {
        double theta = u / pitchRadius;
        double cx = pitchRadius - depth, cy = u + sign * side;
        double gx = cx * std::cos(theta) + cy * std::sin(theta);
        double gy = -cx * std::sin(theta) + cy * std::cos(theta);
        return std::hypot(x - gx, y - gy);
    };
    double best = 1e9;
    for (double sign : {-1.0, 1.0}) {
        double bestU = 0;
        double bestHere = 1e9;
        for (double u = -6; u <= 6; u += 0.001)
            if (double d = distance(u, sign); d < bestHere)
                bestHere = d, bestU = u;
        for (double h = 0.001; h > 1e-10; h /= 2)
            for (double u : {bestU - h, bestU + h})
                if (double d = distance(u, sign); d < bestHere)
                    bestHere = d, bestU = u;
        best = std::min(best, bestHere);
    }
    return best;
}

TEST_F(CuttingMesh, ToolIsDrawnAsAStraightSidedRack)
{
    cut();
    EXPECT_DOUBLE_EQ(tool->TTKin, 0.5);
    // Half thickness of a rack tooth at height h over its pitch line: π/4 − h tan φ.
    for (const auto& p : tool->FlankPoints())
        EXPECT_NEAR(-p[1], Pi / 4 - (radiusOf(p) - 5000) * std::tan(Phi), 1e-3);
    // The tip radius is tangent to the tip line and the flank.
    const vantrope::clsArc& tip = *tool->EGB1;
    EXPECT_EQ(tip.Name, "EGB1");
    EXPECT_DOUBLE_EQ(tip.Radius, 0.3);
    EXPECT_NEAR(std::hypot(tip.MidX, tip.MidY), 5000.95, 1e-6);
    EXPECT_NEAR(-tip.MidY, Pi / 4 - 0.95 * std::tan(Phi) - 0.3 / std::cos(Phi), 1e-3);
    ASSERT_EQ(tool->EdgePoints().size(), 5u);
    // From the flank to the tip line, both ends included.
    EXPECT_NEAR(tool->EdgePoints().front()[0], tool->FlankPoints().back()[0], 1e-9);
    EXPECT_NEAR(tool->EdgePoints().front()[1], tool->FlankPoints().back()[1], 1e-9);
    EXPECT_NEAR(radiusOf(tool->EdgePoints().back()), 5001.25, 1e-6);
    for (const auto& p : tool->EdgePoints())
        EXPECT_NEAR(std::hypot(p[0] - tip.MidX, p[1] - tip.MidY), 0.3, 1e-9);
    // Its root is a full radius on the root line at 5000 − 1.
    EXPECT_NEAR(radiusOf(tool->RootPoints().front()), 4999.0, 1e-6);
}

TEST_F(CuttingMesh, FilletIsTheEnvelopeOfTheRackTip)
{
    cut();
    EXPECT_TRUE(log.reports.empty());
    const auto& rows = pinion->RootPoints();
    ASSERT_EQ(rows.size(), 7u);
    // Row 0 on the root circle in the middle of the space (−9°), row 1 on
    // the same circle nearer the flank.
    EXPECT_NEAR(radiusOf(rows[0]), 8.75, 1e-6);
    EXPECT_NEAR(std::atan2(rows[0][1], rows[0][0]), -degrees(9), 1e-9);
    EXPECT_NEAR(radiusOf(rows[1]), 8.75, 1e-4);
    EXPECT_GT(std::atan2(rows[1][1], rows[1][0]), -degrees(9));
    // Every row from 1 on is one tip radius away from the tip's path.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        double angle = Pi / 20;
        double x = rows[i][0] * std::cos(angle) - rows[i][1] * std::sin(angle);
        double y = rows[i][0] * std::sin(angle) + rows[i][1] * std::cos(angle);
        EXPECT_NEAR(distanceFromRackTipPath(x, y, 10.0, 0.3), 0.3, 2e-3) << "row " << i;
    }
    // The rows climb toward the flank, which starts just beyond the last one.
    for (std::size_t i = 2; i < rows.size(); ++i)
        EXPECT_GT(radiusOf(rows[i]), radiusOf(rows[i - 1]));
    EXPECT_GT(radiusOf(pinion->FlankPoints().front()), radiusOf(rows.back()));
    EXPECT_LT(radiusOf(pinion->FlankPoints().front()) - radiusOf(rows.back()), 0.2);
    // The pinion fills what the tool leaves: 1 − 0.5.
    EXPECT_NEAR(pinion->OperatingHalfTooth(), Pi / 40, 1e-12);
}

TEST_F(CuttingMesh, ToolWithoutTipRadiusHasOneTipPointAtTheCorner)
{
    toolInputs.edgeBreak = 0.0;
    cut();
    ASSERT_EQ(tool->EdgePoints().size(), 1u);
    const auto& corner = tool->EdgePoints()[0];
    EXPECT_NEAR(radiusOf(corner), 5001.25, 1e-6);
    EXPECT_NEAR(-corner[1], Pi / 4 - 1.25 * std::tan(Phi), 1e-3);
}

TEST_F(CuttingMesh, ProtuberanceMovesTheTipArcOffTheFlank)
{
    // A small protuberance: the flank ends where the tip arc, turned back
    // toward it, meets it. A large one (beyond (1 − sin α) e = 0.2014 here):
    // the flank ends level with the arc's end, a step below it.
    for (double protuberance : {0.01, 0.25}) {
        toolInputs.protuberance = protuberance;
        cut();
        const vantrope::clsArc& tip = *tool->EGB1;
        const auto& flankTop = tool->FlankPoints().back();
        if (protuberance < 0.1)
            EXPECT_NEAR(radiusOf(flankTop), std::hypot(tip.EndPointX, tip.EndPointY), 1e-6);
        else
            EXPECT_NEAR(flankTop[1], tip.EndPointY, 1e-9);
        // The arc's centre sits deeper into the tooth by the protuberance.
        EXPECT_NEAR(-tip.MidY, Pi / 4 - 0.95 * std::tan(Phi) - 0.3 / std::cos(Phi) + protuberance / std::cos(Phi),
                    2e-2)
            << protuberance;
        for (const auto& p : tool->ToothPoints())
            ASSERT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1]));
        EXPECT_TRUE(log.reports.empty());
    }
}

TEST_F(CuttingMesh, DebugMarksAreDrawnWithoutMovingAPoint)
{
    cut();
    vantrope::PointArray plain = pinion->ToothPoints();
    vantrope::PointArray plainTool = tool->ToothPoints();
    device.calls.clear();
    run.DebugMode = true;
    cut();
    EXPECT_EQ(pinion->ToothPoints(), plain);
    EXPECT_EQ(tool->ToothPoints(), plainTool);
    auto ellipses = std::count_if(device.calls.begin(), device.calls.end(),
                                  [](const DeviceCall& c) { return c.what == "Ellipse"; });
    EXPECT_GT(ellipses, 10);
    EXPECT_EQ(pens.liveCount(), 15u);
}

TEST_F(CuttingMesh, GeneratedPinionKeepsItsThicknessInThePinionAndGearMesh)
{
    cut();
    double ttkin = pinion->TTKin, psio = pinion->OperatingHalfTooth(), psib = pinion->BaseHalfTooth();
    GearInputs read = pinionInputs;
    read.mesh = 1;
    read.dco = 1.05;
    read.thickness = 0.3;
    ASSERT_EQ(feed(*pinion, read), 1);
    EXPECT_NEAR(pinion->Phio(), 0.4624876174, 1e-9);
    EXPECT_DOUBLE_EQ(pinion->RP_o, 10.5);
    EXPECT_DOUBLE_EQ(pinion->DCO, 1.05);
    EXPECT_EQ(pinion->TTKin, ttkin);
    EXPECT_EQ(pinion->OperatingHalfTooth(), psio);
    EXPECT_EQ(pinion->BaseHalfTooth(), psib);
}

TEST_F(CuttingMesh, FilletWithoutATipArcIsLoggedAndTheToothStillBuilt)
{
    ASSERT_EQ(feed(*pinion, pinionInputs), 1);
    pinion->DrawTeeth();
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0], (Report{"clsGear", "TrochoidalPoints", "91", "Object variable or With block variable not set",
                                      "Common error if tooled root specified yet tool not defined"}));
    EXPECT_EQ(pinion->FlankPoints().size(), 10u);
}

TEST_F(CuttingMesh, InternalGeneratedElementStaysFinite)
{
    pinionInputs.teeth = 40;
    pinionInputs.sign = -1;
    cut();
    for (const auto& p : pinion->ToothPoints())
        EXPECT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1]));
    EXPECT_EQ(pinion->RootPoints().size(), 7u);
}

} // namespace
