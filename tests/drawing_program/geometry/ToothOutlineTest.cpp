#include "ElementFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vantropetest;
using vantrope::clsGear;

namespace {

constexpr double Pi = M_PI;

// A gear with its own full root radius, set up and outlined.
struct Outline : ::testing::Test, ElementFixture {
    std::unique_ptr<clsGear> gear = element();

    void build(const GearInputs& in, std::int32_t name = vantrope::element::Gear)
    {
        double zero = 0;
        gear->GetMain(&device, nullptr, name);
        gear->GetSetGeom(300, 300, 10, 0, zero, zero);
        ASSERT_EQ(feed(*gear, in), 1);
        gear->DrawTeeth();
    }
};

// Half the tooth thickness at radius r as an angle, from the published
// relation t = r (T/R + 2 s (inv φ − inv φr)) with the thickness given at the
// operating pitch circle R = dco · N / 2 (φ there: cos φ = cos φ0 / dco).
double halfToothAngle(const GearInputs& in, double r)
{
    double rb = in.teeth / 2.0 * std::cos(in.pressureAngle);
    double rOperating = in.dco * in.teeth / 2.0;
    double phiOperating = std::acos(rb / rOperating);
    double phiR = r <= rb ? 0.0 : std::acos(rb / r);
    double thicknessOverR = in.thickness * 2 * Pi / in.teeth;
    return (thicknessOverR + 2 * in.sign * (involute(phiOperating) - involute(phiR))) / 2;
}

TEST_F(Outline, FlankFollowsThePublishedToothThickness)
{
    GearInputs external;
    GearInputs internal;
    internal.teeth = 40;
    internal.sign = -1;
    GearInputs spread;
    spread.teeth = 24;
    spread.dco = 1.04;
    spread.thickness = 0.46;
    spread.pressureAngle = degrees(25);
    for (const GearInputs& in : {external, internal, spread}) {
        build(in);
        ASSERT_EQ(gear->FlankPoints().size(), 10u);
        // Lower flank for an external element, upper for an internal one.
        for (const auto& p : gear->FlankPoints()) {
            double r = radiusOf(p);
            EXPECT_NEAR(-in.sign * std::atan2(p[1], p[0]), halfToothAngle(in, r), 1e-12) << in.teeth << " r=" << r;
        }
        // The flank runs from the fillet up to where the tip begins.
        EXPECT_NEAR(radiusOf(gear->FlankPoints().front()), gear->R_Tangent(), 1e-12);
        EXPECT_NEAR(radiusOf(gear->FlankPoints().back()), gear->R_Egb, 1e-12);
        EXPECT_NEAR(gear->OperatingHalfTooth(), halfToothAngle(in, in.dco * in.teeth / 2.0), 1e-15);
        EXPECT_NEAR(gear->BaseHalfTooth(), halfToothAngle(in, in.teeth / 2.0 * std::cos(in.pressureAngle)), 1e-12);
        EXPECT_NEAR(gear->BaseHalfSpace(), Pi / in.teeth - gear->BaseHalfTooth(), 1e-12);
    }
}

TEST_F(Outline, TwentyToothReferenceValues)
{
    // Worked by hand: ψo = 0.5 · π / 20; ψb = ψo + inv 20° = 0.0785398 + 0.0149044.
    build(GearInputs{});
    EXPECT_NEAR(gear->OperatingHalfTooth(), 0.0785398163, 1e-10);
    EXPECT_NEAR(gear->BaseHalfTooth(), 0.0934442002, 1e-10);
    EXPECT_NEAR(gear->Rb, 9.3969262079, 1e-10);
    EXPECT_DOUBLE_EQ(gear->R_tip, 11.0);
    EXPECT_DOUBLE_EQ(gear->R_root(), 8.75);
    // Tooth thickness at the tip circle: 11 · 2 · 0.0315855 = 0.69488.
    EXPECT_NEAR(-std::atan2(gear->FlankPoints().back()[1], gear->FlankPoints().back()[0]) * 2 * 11, 0.6948800, 1e-6);
}

TEST_F(Outline, InternalElementHasItsTipInsideAndRootOutside)
{
    GearInputs in;
    in.teeth = 40;
    in.sign = -1;
    in.edgeBreak = 0.05;
    build(in);
    EXPECT_TRUE(gear->Internal());
    EXPECT_DOUBLE_EQ(gear->R_tip, 19.0);
    EXPECT_DOUBLE_EQ(gear->R_root(), 21.25);
    // The edge of an internal tooth is the lower (mirrored) arc: it leaves
    // the flank where the break begins, tangent to it, and runs toward the
    // tip circle, which it touches from outside.
    const vantrope::clsArc& arc = *gear->EGB2;
    const auto& flankTop = gear->FlankPoints().back();
    ASSERT_EQ(gear->EdgePoints().size(), 5u);
    EXPECT_NEAR(gear->EdgePoints().front()[0], flankTop[0], 1e-12);
    EXPECT_NEAR(gear->EdgePoints().front()[1], -flankTop[1], 1e-12);
    double nx = arc.MidX - flankTop[0], ny = arc.MidY + flankTop[1];
    EXPECT_NEAR(std::hypot(nx, ny), arc.Radius, 1e-12);
    EXPECT_NEAR(std::fabs(flankTop[0] * ny + flankTop[1] * nx) / std::hypot(nx, ny), gear->Rb, 1e-9);
    EXPECT_NEAR(std::hypot(arc.MidX, arc.MidY) - arc.Radius, 19.0, 5e-4);
    EXPECT_NEAR(std::hypot(arc.EndPointX, arc.EndPointY), 19.0, 5e-4);
    double previous = 19.05 + 1e-12;
    for (const auto& p : gear->EdgePoints()) {
        EXPECT_LT(p[1], 0.0);
        EXPECT_LE(radiusOf(p), previous);
        EXPECT_GE(radiusOf(p), 19.0 - 5e-4);
        previous = radiusOf(p);
    }
    // The outline starts at the root circle in the middle of the space.
    const auto& first = gear->ToothPoints().front();
    EXPECT_NEAR(radiusOf(first), 21.25, 1e-8);
    EXPECT_NEAR(std::atan2(first[1], first[0]), -Pi / 40, 1e-9);
    // The copied flank is on the lower side, widening outward.
    std::size_t flankStart = gear->RootPoints().size();
    for (std::size_t i = 0; i < gear->FlankPoints().size(); ++i)
        EXPECT_LT(gear->ToothPoints()[flankStart + i][1], 0.0);
}

TEST_F(Outline, EdgeBreakArcMeetsFlankAndTipCircle)
{
    GearInputs in;
    in.teeth = 30;
    in.edgeBreak = 0.05;
    build(in);
    const vantrope::clsArc& arc = *gear->EGB1;
    double rb = gear->Rb;
    // Tangent to the flank where the break begins: the end point is the flank
    // point at R_Egb and the radius to it is the flank's normal, which touches
    // the base circle.
    EXPECT_NEAR(std::hypot(arc.EndPointX, arc.EndPointY), 15.95, 1e-9);
    EXPECT_NEAR(arc.EndPointX, gear->FlankPoints().back()[0], 1e-9);
    EXPECT_NEAR(arc.EndPointY, gear->FlankPoints().back()[1], 1e-9);
    double nx = arc.MidX - arc.EndPointX, ny = arc.MidY - arc.EndPointY;
    double distanceToLine = std::fabs(arc.EndPointX * ny - arc.EndPointY * nx) / std::hypot(nx, ny);
    EXPECT_NEAR(distanceToLine, rb, 1e-9);
    EXPECT_NEAR(std::hypot(nx, ny), arc.Radius, 1e-12);
    // Tangent to the tip circle within the arc iteration's small-angle step:
    // exact tangency needs ρ = (Rt² − Re²) / (2 (Rt − Re sin φe)) = 0.0935825.
    EXPECT_NEAR(std::hypot(arc.MidX, arc.MidY) + arc.Radius, 16.0, 5e-4);
    EXPECT_NEAR(arc.Radius, 0.0935825, 1e-3);
    EXPECT_NEAR(std::hypot(arc.StartPointX, arc.StartPointY), 16.0, 5e-4);
    // The edge rows start at the flank and stop short of the tip.
    ASSERT_EQ(gear->EdgePoints().size(), 5u);
    EXPECT_NEAR(gear->EdgePoints().front()[0], arc.EndPointX, 1e-12);
    double last = radiusOf(gear->EdgePoints().back());
    EXPECT_LT(last, 16.0);
    EXPECT_GT(last, 15.99);
    // The upper arc mirrors the lower one.
    EXPECT_DOUBLE_EQ(gear->EGB2->MidY, -arc.MidY);
    EXPECT_DOUBLE_EQ(gear->EGB2->StartAngle, -arc.EndAngle);
}

TEST_F(Outline, NoEdgeBreakEndsTheFlankOnTheTipCircle)
{
    build(GearInputs{});
    ASSERT_EQ(gear->EdgePoints().size(), 1u);
    EXPECT_NEAR(radiusOf(gear->EdgePoints()[0]), 11.0, 1e-12);
    EXPECT_NEAR(gear->EdgePoints()[0][0], gear->FlankPoints().back()[0], 1e-12);
}

TEST_F(Outline, FullRootRadiusIsTangentToRootCircleAndFlank)
{
    GearInputs in;
    in.teeth = 30;
    in.edgeBreak = 0.05;
    build(in);
    const auto& root = gear->RootPoints();
    ASSERT_EQ(root.size(), 7u);
    EXPECT_NEAR(radiusOf(root.front()), 13.75, 1e-7);
    EXPECT_NEAR(std::atan2(root.front()[1], root.front()[0]), -degrees(6), 1e-9);
    EXPECT_NEAR(root.back()[0], gear->FlankPoints().front()[0], 1e-7);
    EXPECT_NEAR(root.back()[1], gear->FlankPoints().front()[1], 1e-7);
    const vantrope::clsArc& arc = *gear->RootArc();
    // The centre lies on the middle of the space, one radius beyond the root circle.
    EXPECT_NEAR(std::atan2(arc.MidY, arc.MidX), -degrees(6), 1e-12);
    EXPECT_NEAR(std::hypot(arc.MidX, arc.MidY) - arc.Radius, 13.75, 1e-7);
    // ... and on the flank's normal at the meeting point (tangent to the base circle).
    const auto& meet = gear->FlankPoints().front();
    double nx = arc.MidX - meet[0], ny = arc.MidY - meet[1];
    EXPECT_NEAR(std::hypot(nx, ny), arc.Radius, 1e-7);
    EXPECT_NEAR(std::fabs(meet[0] * ny - meet[1] * nx) / std::hypot(nx, ny), gear->Rb, 1e-7);
    EXPECT_GT(gear->R_Tangent(), gear->Rb);
    // The whole outline is one mirrored chain: 2 · (7 + 10 + 5) points.
    ASSERT_EQ(gear->ToothPoints().size(), 44u);
    for (std::size_t i = 0; i < 22; ++i) {
        EXPECT_DOUBLE_EQ(gear->ToothPoints()[43 - i][0], gear->ToothPoints()[i][0]);
        EXPECT_DOUBLE_EQ(gear->ToothPoints()[43 - i][1], -gear->ToothPoints()[i][1]);
    }
}

TEST_F(Outline, DeepRootStartsTheFlankAtTheBaseCircle)
{
    // 12 teeth: the base circle (5.638) lies well above the root circle (4.75).
    GearInputs in;
    in.teeth = 12;
    build(in);
    double eta = gear->BaseHalfSpace();
    double c = 4.75 / (1 - std::sin(eta));
    EXPECT_NEAR(eta, 0.1159953100, 1e-9);
    EXPECT_DOUBLE_EQ(gear->R_Tangent(), gear->Rb);
    EXPECT_NEAR(gear->RootArc()->Radius, 0.6216951055, 1e-9);
    EXPECT_NEAR(radiusOf(gear->RootPoints().front()), 4.75, 1e-12);
    // The fillet ends on the radial line through the flank's base point.
    const auto& end = gear->RootPoints().back();
    EXPECT_NEAR(radiusOf(end), c * std::cos(eta), 1e-9);
    EXPECT_NEAR(std::atan2(end[1], end[0]), -gear->BaseHalfTooth(), 1e-12);
    EXPECT_NEAR(radiusOf(gear->FlankPoints().front()), gear->Rb, 1e-12);
}

TEST_F(Outline, EdgeBreakBeginningInsideTheBaseCircleStartsAtTheBase)
{
    // R_Egb = 10 + 1 − 1.9 = 9.1, inside the base circle 9.397.
    GearInputs in;
    in.edgeBreak = 1.9;
    in.wholeDepth = 2.25;
    build(in);
    // A break this deep is no longer a rounding of the corner; it only has
    // to stay a finite outline near the tooth.
    EXPECT_TRUE(log.reports.empty());
    EXPECT_NEAR(radiusOf(gear->FlankPoints().back()), gear->Rb, 1e-12);
    for (const auto& p : gear->ToothPoints()) {
        EXPECT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1]));
        EXPECT_LE(radiusOf(p), 11.0 + 1.9);
    }
}

TEST_F(Outline, OperatingPressureAngle)
{
    struct Case {
        double dco, phio, rpo;
    };
    // cos φo = cos 20° / dco; a factor below cos 20° has no angle (0), and 0
    // means no standard center distance (φo = φ, RP_o = 0).
    const Case cases[] = {{1.0, degrees(20), 10}, {1.05, 0.4624876174, 10.5}, {0.5, 0.0, 5}, {0.0, degrees(20), 0}};
    for (const Case& c : cases) {
        GearInputs in;
        in.dco = c.dco;
        double zero = 0;
        gear->GetMain(&device, nullptr, 3);
        gear->GetSetGeom(0, 0, 1, 0, zero, zero);
        ASSERT_EQ(feed(*gear, in), 1);
        EXPECT_NEAR(gear->Phio(), c.phio, 1e-9) << c.dco;
        EXPECT_DOUBLE_EQ(gear->RP_o, c.rpo);
        EXPECT_DOUBLE_EQ(gear->DCO, c.dco);
    }
}

TEST(LawOfCosines, AngleOppositeTheFirstSide)
{
    EXPECT_NEAR(vantrope::LawOfCosinesAngle(5, 3, 4), Pi / 2, 1e-12);
    EXPECT_NEAR(vantrope::LawOfCosinesAngle(1, 1, 1), Pi / 3, 1e-12);
    EXPECT_EQ(vantrope::LawOfCosinesAngle(5, 0, 4), 0.0);
}

} // namespace
