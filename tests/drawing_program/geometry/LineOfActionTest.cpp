#include "ElementFixture.h"

#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

using namespace vantropetest;
using vantrope::clsGear;
namespace option = vantrope::option;

namespace {

// A pinion and its mating gear bound as in the pinion and gear mesh, with the
// standard centre distance S and the factor (S + centre distance) / S.
struct Pair {
    std::int32_t pinionTeeth = 20, gearTeeth = 40;
    double pressureAngle = 20;
    double pinionAddendum = 1, gearAddendum = 1;
    double pinionEdgeBreak = 0, gearEdgeBreak = 0;
    bool internal = false;
    double centreDistance = 0;
};

// The expected rows were worked separately from the published relations of
// the path of contact (approach √(Ro2² − Rb2²) against C sin φo, recess
// √(Ro1² − Rb1²), internal gear with the signs turned), in Python.
struct LoaCase {
    const char* name;
    Pair pair;
    double thetaOD, thetaLC;
    double rows[7][3];
};

const LoaCase Cases[] = {
    {"external 20/40, 20 degrees", {},
     0.608518, 0.094809,
     {{0.000000, 8.830222, 3.213938}, {0.890913, 9.134932, 2.376753}, {2.766066, 9.776272, 0.614687},
      {3.420201, 10.000000, 0.0}, {3.843045, 10.144621, -0.397343}, {5.718197, 10.785961, -2.159410},
      {10.260604, 12.339556, -6.427876}}},
    {"internal 20/60, gear addendum 0.8", {20, 60, 20, 1, 0.8, 0, 0, true, 0},
     0.608518, 0.081954,
     {{0.000000, 8.830222, 3.213938}, {0.770116, 9.093617, 2.490266}, {2.766066, 9.776272, 0.614687},
      {3.420201, 10.000000, 0.0}, {3.722248, 10.103306, -0.283831}, {5.718197, 10.785961, -2.159410},
      // Column 0 holds C sin φo; the point itself lies at −C sin φo.
      {6.840403, 6.490667, 9.641814}}},
    // Extended centre distance and edge breaks: the rows take the radii where
    // the breaks begin, the roll angles the tip radii.
    {"external 16/32, 27.236 degrees, spread, edge breaks", {16, 32, 27.236, 1.22, 1.0871, 0.1, 0.05, false, 0.0871},
     0.824722, 0.240080,
     {{0.000000, 6.301534, 3.299378}, {1.798262, 7.135657, 1.706273}, {2.914536, 7.653441, 0.717350},
      {3.724265, 8.029033, 0.0}, {4.591544, 8.431320, -0.768334}, {5.707817, 8.949103, -1.757256},
      {11.172796, 11.484033, -6.598757}}},
};

struct LineOfAction : ::testing::Test, ElementFixture {
    std::unique_ptr<clsGear> pinion = element(), gear = element();
    double midX = 400, midY = 300, scale = 20;

    void bind(const Pair& p)
    {
        pinion->GetMain(&device, nullptr, vantrope::element::Pinion, gear.get());
        gear->GetMain(&device, nullptr, vantrope::element::Gear, pinion.get());
        const std::int16_t gearSign = p.internal ? -1 : 1;
        const double S = (p.gearTeeth + gearSign * p.pinionTeeth) / 2.0;
        const double k = (S + p.centreDistance) / S;
        double zero = 0;
        ASSERT_EQ(pinion->GetSetGeom(midX, midY, scale, 0, zero, zero), 1);
        ASSERT_EQ(gear->GetSetGeom(midX + S * k * scale, midY, scale, 0, zero, zero), 1);
        ASSERT_EQ(pinion->Inputs(p.pinionTeeth, degrees(p.pressureAngle), 0.5, 1, k, p.pinionAddendum, 2.25,
                                 p.pinionEdgeBreak, 0, true, 1, S),
                  1);
        ASSERT_EQ(gear->Inputs(p.gearTeeth, degrees(p.pressureAngle), 0.5, gearSign, k, p.gearAddendum, 2.25,
                               p.gearEdgeBreak, 0, true, 1, S),
                  1);
    }

    std::vector<DeviceCall> callsOf(const std::string& what) const
    {
        std::vector<DeviceCall> found;
        std::copy_if(device.calls.begin(), device.calls.end(), std::back_inserter(found),
                     [&](const DeviceCall& call) { return call.what == what; });
        return found;
    }

    std::vector<std::string> textsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const auto& call : callsOf("DrawTextA"))
            if (call.text.rfind(prefix, 0) == 0)
                found.push_back(call.text);
        return found;
    }

    void onlyOptions(std::initializer_list<int> on)
    {
        for (int i = 1; i <= option::Count; ++i)
            settings.Element(i).DrawThis = std::find(on.begin(), on.end(), i) != on.end();
    }
};

TEST_F(LineOfAction, RowsAndRollAnglesAgreeWithThePathOfContact)
{
    for (const LoaCase& c : Cases) {
        SCOPED_TRACE(c.name);
        bind(c.pair);
        auto rows = pinion->LOAPoints(true);
        ASSERT_TRUE(rows.has_value());
        for (int i = 0; i < 7; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_NEAR((*rows)[i][j], c.rows[i][j], 1e-5) << "row " << i << " column " << j;
        EXPECT_NEAR(pinion->ThetaOD(false), c.thetaOD, 1e-5);
        EXPECT_NEAR(pinion->ThetaLC(false), c.thetaLC, 1e-5);
        EXPECT_NEAR(pinion->ThetaLC(true), c.thetaLC * pinion->Rb, 1e-5);
        EXPECT_TRUE(device.calls.empty()) << "the points for export draw nothing";
    }
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(LineOfAction, ContactRatioOfTheStandardPair)
{
    bind({});
    auto rows = *pinion->LOAPoints(true);
    const double basePitch = 2 * M_PI / 20 * pinion->Rb;
    EXPECT_NEAR(basePitch, 2.9521, 1e-4);
    EXPECT_NEAR((rows[5][0] - rows[1][0]) / basePitch, 1.635, 1e-3);
}

TEST_F(LineOfAction, TheOtherSideMirrorsEveryPoint)
{
    bind(Cases[2].pair);
    auto near = *pinion->LOAPoints(true);
    run.LoaOtherSide = true;
    auto far = *pinion->LOAPoints(true);
    for (int i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(far[i][0], near[i][0]);
        EXPECT_DOUBLE_EQ(far[i][1], near[i][1]);
        EXPECT_NEAR(far[i][2], -near[i][2], 1e-12);
    }
}

TEST_F(LineOfAction, RollAngleLimits)
{
    // No tip above the base circle: no roll angle at the tip.
    auto lone = element();
    bind({});
    EXPECT_EQ(lone->ThetaOD(false), 0.0);
    // A tip radius at or below the base radius gives 0.
    pinion->R_tip = pinion->Rb;
    EXPECT_EQ(pinion->ThetaOD(true), 0.0);
    // Without a mate there is no lowest contact: the error reaches the caller.
    EXPECT_THROW(lone->ThetaLC(false), runtime::RuntimeError);
}

TEST_F(LineOfAction, DrawsDotsLabelsLineAndTheContactDots)
{
    bind({});
    onlyOptions({option::LineOfAction, option::LineOfActionDots, option::LoaText, option::MovingLoaDot,
                 option::HertzText});
    pinion->VantropeCircles();
    EXPECT_TRUE(log.reports.empty());
    // Seven small dots of 0.05 units (1 pixel at scale 20) and the contact dots of 2 pixels.
    auto ellipses = callsOf("Ellipse");
    auto small = std::count_if(ellipses.begin(), ellipses.end(),
                               [](const DeviceCall& e) { return e.points[1].x - e.points[0].x == 2; });
    auto contact = std::count_if(ellipses.begin(), ellipses.end(),
                                 [](const DeviceCall& e) { return e.points[1].x - e.points[0].x == 4; });
    EXPECT_EQ(small, 7);
    // A contact ratio of 1.635: one or two flanks in contact.
    EXPECT_GE(contact, 1);
    EXPECT_LE(contact, 2);
    EXPECT_EQ(textsStartingWith("Pitch Circle Contact").size(), 1u);
    EXPECT_EQ(textsStartingWith("Hertzian# = ").size(), static_cast<std::size_t>(contact));
    // The line runs from the lowest to the highest point of contact.
    auto moves = callsOf("MoveToEx"), lines = callsOf("LineTo");
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].points[0], (vantrope::DevicePoint{400 + 183, 300 + 48}));
    EXPECT_EQ(lines[0].points[0], (vantrope::DevicePoint{400 + 216, 300 - 43}));
}

TEST_F(LineOfAction, HertzianValueAtThePitchPoint)
{
    bind({});
    onlyOptions({option::LineOfAction, option::MovingLoaDot, option::HertzText});
    // Turn the pinion so that a flank stands on the pitch point: the roll angle
    // of the contact is then tan φ (ψb + tan φ - φ = the base half tooth plus
    // the involute), and the flank at a = φ − tan φ.
    const double phi = degrees(20);
    const double a = phi - std::tan(phi);
    // a = (u − round(u))·p − ψb with u = −AccumulatedAngle / p.
    pinion->AccumulatedAngle = -(a + pinion->BaseHalfTooth());
    pinion->VantropeCircles();
    // cos φ sin φ / 2 × N2 / (N1 + N2) = 0.1071.
    auto texts = textsStartingWith("Hertzian# = ");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Hertzian# = 0.1071"), texts.end());
}

TEST_F(LineOfAction, ContactDotsRepeatAfterOneAngularPitch)
{
    bind({});
    onlyOptions({option::LineOfAction, option::MovingLoaDot});
    pinion->AccumulatedAngle = 0.037;
    pinion->VantropeCircles();
    auto before = callsOf("Ellipse");
    device.calls.clear();
    pinion->AccumulatedAngle += 2 * M_PI / 20;
    pinion->VantropeCircles();
    EXPECT_EQ(callsOf("Ellipse"), before);
    EXPECT_FALSE(before.empty());
}

TEST_F(LineOfAction, NothingWhenLineDotsAndLabelsAreAllOff)
{
    bind({});
    onlyOptions({option::MovingLoaDot, option::HertzText});
    EXPECT_FALSE(pinion->LOAPoints(true).has_value());
    pinion->LOAPoints(false);
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(LineOfAction, CirclesOnlyOutsideThePinionInThePinionAndGearMesh)
{
    bind({});
    gear->VantropeCircles();
    // Placeholder, tip (twice, the edge break starting at the tip), pitch,
    // tangent and base circles; no line, no labels.
    EXPECT_EQ(callsOf("Ellipse").size(), 6u);
    EXPECT_TRUE(callsOf("DrawTextA").empty());
    device.calls.clear();
    pinion->VantropeCircles();
    EXPECT_FALSE(callsOf("DrawTextA").empty());
}

TEST_F(LineOfAction, CircleRadii)
{
    bind(Cases[2].pair);
    onlyOptions({option::BaseRadius, option::PitchRadius, option::TipRadius, option::PlaceholderRadius});
    gear->VantropeCircles();
    // Rb/10, R_tip, R_Egb, Rp, Rb of the 32-tooth gear at 27.236°, 20 pixels a unit:
    // Rb = 16 cos 27.236° = 14.2233; R_tip = 16 + 1.0871; R_Egb = R_tip - 0.05.
    const double expected[] = {28.447, 341.742, 340.742, 320, 284.466};
    auto ellipses = callsOf("Ellipse");
    ASSERT_EQ(ellipses.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_NEAR((ellipses[i].points[1].x - ellipses[i].points[0].x) / 2.0, expected[i], 1.0) << i;
}

TEST_F(LineOfAction, EdgeBreakBelowTheBaseCircleIsLogged)
{
    bind({});
    // A break that begins inside the base circle has no point on the involute.
    pinion->R_Egb = pinion->Rb - 0.5;
    EXPECT_FALSE(pinion->LOAPoints(true).has_value());
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].module, "clsGear");
    EXPECT_EQ(log.reports[0].routine, "LOAPoints");
}

} // namespace
