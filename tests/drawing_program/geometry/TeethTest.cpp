#include "ElementFixture.h"

#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

using namespace vantropetest;
using vantrope::clsGear;

namespace {

constexpr double Pi = M_PI;

struct Teeth : ::testing::Test, ElementFixture {
    std::unique_ptr<clsGear> gear = element();

    void build(const GearInputs& in, std::int32_t name, double midX = 400, double midY = 300, double scale = 10)
    {
        double zero = 0;
        gear->GetMain(&device, nullptr, name);
        gear->GetSetGeom(midX, midY, scale, 0, zero, zero);
        ASSERT_EQ(feed(*gear, in), 1);
        gear->DrawTeeth();
    }
    std::vector<double> toothAngles() const
    {
        std::vector<double> angles;
        for (const auto& tooth : gear->Teeth())
            angles.push_back(tooth->ToothAngle());
        return angles;
    }
    std::size_t polylines() const
    {
        return static_cast<std::size_t>(
            std::count_if(device.calls.begin(), device.calls.end(), [](const DeviceCall& c) { return c.what == "Polyline"; }));
    }
};

TEST_F(Teeth, FirstToothAngleByMeshAndElement)
{
    struct Case {
        std::int32_t teeth;
        std::int16_t sign;
        std::int32_t mesh, name;
        double first;  // in units of θ = 2π/N, plus a multiple of π
        double piTurns;
        std::size_t count;
    };
    // k = Int(n / 2) teeth before the one centred on the pitch point's direction.
    const Case cases[] = {
        {17, 1, 1, 2, -8, 0, 17},          // a pinion smaller than 36 teeth is drawn whole
        {10000, 1, 0, 1, -18, 0, 36},      // the pinion's tool
        {20, 1, 0, 2, -18 + 0.5 + 8, 1, 20}, // the pinion in its cutting mesh: π − 10θ + θ/2
        {40, 1, 1, 3, -18.5, 1, 36},       // external gear: a space centred on π
        {40, -1, 1, 3, -18.5, 0, 36},      // internal gear: a space centred on 0
        {40, 1, 2, 3, -18, 0, 36},         // external gear in its cutting mesh: a tooth on 0
        {40, -1, 2, 3, -18, 1, 36},        // internal gear there: a tooth on π
        {10000, 1, 2, 4, -18.5, 1, 36},    // the gear's tool
    };
    for (const Case& c : cases) {
        GearInputs in;
        in.teeth = c.teeth;
        in.sign = c.sign;
        in.mesh = c.mesh;
        if (c.teeth == 10000)
            in.addendum = 1.25, in.edgeBreak = 0.3;
        build(in, c.name);
        double theta = 2 * Pi / c.teeth;
        std::vector<double> angles = toothAngles();
        ASSERT_EQ(angles.size(), c.count) << c.teeth << " mesh " << c.mesh;
        double first = c.first * theta + c.piTurns * Pi;
        if (c.teeth == 20)
            first = Pi - 10 * theta + theta / 2;
        EXPECT_NEAR(angles.front(), first, 1e-12) << c.teeth << " mesh " << c.mesh;
        EXPECT_NEAR(angles.back() - angles.front(), (c.count - 1) * theta, 1e-9);
    }
}

TEST_F(Teeth, ToothOnAnAngleIsDrawnThereCounterClockwiseOnScreen)
{
    GearInputs in;
    in.teeth = 17;
    build(in, vantrope::element::Pinion, 400, 300, 10);
    ASSERT_EQ(polylines(), 17u);
    double theta = 2 * Pi / 17;
    // Tooth 8 stands on angle 0, tooth 9 on θ: the middle of each tooth's tip
    // (the middle point of its outline) lies on the tip circle there, with y
    // growing downward on the device.
    auto tipMiddle = [&](std::size_t tooth) {
        const auto& points = device.calls[tooth].points;
        const auto& a = points[points.size() / 2 - 1];
        const auto& b = points[points.size() / 2];
        return std::pair<double, double>((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
    };
    auto [x8, y8] = tipMiddle(8);
    EXPECT_NEAR(x8, 400 + 95, 1.0);
    EXPECT_NEAR(y8, 300, 1.0);
    auto [x9, y9] = tipMiddle(9);
    EXPECT_NEAR(x9, 400 + 95 * std::cos(theta), 1.0);
    EXPECT_NEAR(y9, 300 - 95 * std::sin(theta), 1.0);
    EXPECT_EQ(device.calls[8].pen, (vantrope::Pen{0, 1, 128 * 256}));
}

TEST_F(Teeth, TurningThereAndBackRestoresThePoints)
{
    GearInputs in;
    build(in, vantrope::element::Gear);
    std::vector<vantrope::PointArray> before;
    for (const auto& tooth : gear->Teeth())
        before.push_back(tooth->points());
    double start = gear->AccumulatedAngle;
    gear->RotateGear(0.3);
    EXPECT_NE(gear->Teeth()[0]->points()[0], before[0][0]);
    gear->RotateGear(-0.3);
    EXPECT_DOUBLE_EQ(gear->AccumulatedAngle, start);
    for (std::size_t t = 0; t < before.size(); ++t) {
        EXPECT_DOUBLE_EQ(gear->Teeth()[t]->ToothAngle(), -0.3);
        for (std::size_t k = 0; k < before[t].size(); ++k) {
            EXPECT_NEAR(gear->Teeth()[t]->points()[k][0], before[t][k][0], 1e-12);
            EXPECT_NEAR(gear->Teeth()[t]->points()[k][1], before[t][k][1], 1e-12);
        }
    }
    EXPECT_EQ(polylines(), 20u * 3);
}

TEST_F(Teeth, HiddenOptionStillTurnsButDrawsNothing)
{
    settings.Element(3).DrawThis = false;
    build(GearInputs{}, vantrope::element::Gear);
    EXPECT_EQ(gear->Teeth().size(), 20u);
    EXPECT_EQ(polylines(), 0u);
    auto before = gear->Teeth()[0]->points()[0];
    gear->RotateGear(0.1);
    EXPECT_NE(gear->Teeth()[0]->points()[0], before);
    EXPECT_EQ(polylines(), 0u);
}

TEST_F(Teeth, NoTeethToDrawAndNoTeethAtAll)
{
    settings.setNumbTeeth(3, 0);
    build(GearInputs{}, vantrope::element::Gear);
    EXPECT_TRUE(gear->Teeth().empty());
    settings.setNumbTeeth(3, 36);
    gear->DrawTeeth();
    EXPECT_EQ(gear->Teeth().size(), 20u);
    // No teeth: the element keeps the teeth it had.
    GearInputs none;
    none.teeth = 0;
    EXPECT_EQ(feed(*gear, none), 0);
    EXPECT_EQ(gear->N, 0);
    gear->DrawTeeth();
    EXPECT_EQ(gear->Teeth().size(), 20u);
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(Teeth, RedrawGoesToTheDeviceTheElementNamesNow)
{
    build(GearInputs{}, vantrope::element::Gear);
    RecordingDevice printer(pens);
    gear->Device2DrawOn(&printer);
    EXPECT_EQ(gear->Device(), &printer);
    gear->DrawTeeth();
    EXPECT_EQ(printer.calls.size(), 20u);
    EXPECT_EQ(polylines(), 20u);
}

TEST_F(Teeth, BadInputsAreLoggedAndLeaveNoTeeth)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        GearInputs in;
        Report report;
    };
    const Report invalid{"clsGear", "Inputs", "5", "Invalid procedure call or argument", "3"};
    const Report notANumber{"clsGear", "Inputs", "6", "Overflow", "3"};
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change, const Report& report) {
        GearInputs in;
        change(in);
        cases.push_back({what, in, report});
    };
    add("negative teeth", [](GearInputs& in) { in.teeth = -20; }, invalid);
    add("NaN pressure angle", [&](GearInputs& in) { in.pressureAngle = nan; }, notANumber);
    add("no pressure angle", [](GearInputs& in) { in.pressureAngle = 0; }, invalid);
    add("thickness over the pitch", [](GearInputs& in) { in.thickness = 1.2; }, invalid);
    add("negative addendum", [](GearInputs& in) { in.addendum = -1; }, invalid);
    add("whole depth within the addendum", [](GearInputs& in) { in.wholeDepth = 1.0; }, invalid);
    add("edge break deeper than the tooth", [](GearInputs& in) { in.edgeBreak = 3; }, invalid);
    add("negative edge break", [](GearInputs& in) { in.edgeBreak = -0.1; }, invalid);
    add("sign 0", [](GearInputs& in) { in.sign = 0; }, invalid);
    add("negative center distance factor", [](GearInputs& in) { in.dco = -1; }, invalid);
    add("infinite center distance factor", [](GearInputs& in) { in.dco = INFINITY; }, notANumber);
    add("root below the centre", [](GearInputs& in) { in.teeth = 2; }, invalid);
    add("negative protuberance", [](GearInputs& in) { in.protuberance = -0.1; }, invalid);
    for (const Case& c : cases) {
        log.reports.clear();
        device.calls.clear();
        auto fresh = element();
        double zero = 0;
        fresh->GetMain(&device, nullptr, 3);
        fresh->GetSetGeom(0, 0, 1, 0, zero, zero);
        EXPECT_EQ(feed(*fresh, c.in), 0) << c.what;
        ASSERT_EQ(log.reports.size(), 1u) << c.what;
        EXPECT_EQ(log.reports[0], c.report) << c.what;
        EXPECT_EQ(fresh->N, 0);
        fresh->DrawTeeth();
        EXPECT_TRUE(fresh->Teeth().empty()) << c.what;
    }
}

TEST_F(Teeth, GeneratedGearWithoutItsToolIsLogged)
{
    GearInputs in;
    in.frr = false;
    in.mesh = 2;
    gear->GetMain(&device, nullptr, 3);
    EXPECT_EQ(feed(*gear, in), 0);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].routine, "Inputs");
    EXPECT_EQ(log.reports[0].number, "91");
}

TEST_F(Teeth, OnePointPerFlankIsADivisionByZeroForTheCaller)
{
    run.IncrementsInvolute = 1;
    gear->GetMain(&device, nullptr, 3);
    ASSERT_EQ(feed(*gear, GearInputs{}), 1);
    EXPECT_EQ(testsupport::errorNumberOf([&] { gear->DrawTeeth(); }), 11);
    run.IncrementsInvolute = 0;
    EXPECT_EQ(testsupport::errorNumberOf([&] { gear->DrawTeeth(); }), 9);
}

TEST_F(Teeth, PlacementThatIsNotANumberIsLogged)
{
    double zero = 0;
    EXPECT_EQ(gear->GetSetGeom(std::nan(""), 0, 1, 0, zero, zero), 0);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0], (Report{"clsGear", "fn GetSet", "6", "Overflow", "passing gear middle and set variables"}));
    EXPECT_EQ(gear->GetSetGeom(1, 2, 3, 0.5, zero, zero), 1);
    EXPECT_EQ(gear->AccumulatedAngle, 0.5);
}

TEST_F(Teeth, BindingKeepsTheFirstCutter)
{
    auto tool = element();
    auto other = element();
    gear->GetMain(&device, tool.get(), 3, other.get());
    gear->GetMain(&device, other.get(), 3);
    EXPECT_EQ(gear->MatingCutters(), tool.get());
    EXPECT_EQ(gear->MatingGears(), nullptr);
}

TEST(ElementTrace, CreationIsTracedWhenLogged)
{
    TemporaryFolder folder;
    ElementFixture f;
    bool on = true;
    vantrope::TraceLog file(on, folder.file("Vantrope.log"));
    vantrope::ElementServices services{f.run, file, f.log, f.settings, f.draw};
    clsGear a(services), b(services);
    std::ifstream in(folder.file("Vantrope.log"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "\"clsGear_Initialize\"\r\n\"clsGear_Initialize\"\r\n");
}

} // namespace
