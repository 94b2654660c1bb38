#include "ElementFixture.h"

#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace vantropetest;
using vantrope::clsGear;

namespace {

// Whatever a design hands over, an element either refuses it with a logged
// error, raises a numbered error to the mesh, or builds a finite outline.
TEST(RandomInputs, NeverCrashHangOrLeaveNonFinitePoints)
{
    ElementFixture f;
    std::mt19937 random(20261210);
    auto uniform = [&random](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    int built = 0;
    for (int round = 0; round < 1500; ++round) {
        auto tool = f.element(), gear = f.element();
        double zero = 0;
        tool->GetMain(&f.device, gear.get(), 1);
        gear->GetMain(&f.device, tool.get(), 2);
        tool->GetSetGeom(0, 0, 5, 0, zero, zero);
        gear->GetSetGeom(0, 0, 5, 0, zero, zero);
        auto pick = [&](double low, double high) { return random() % 50 == 0 ? nan : uniform(low, high); };
        GearInputs toolIn;
        toolIn.teeth = 10000;
        toolIn.pressureAngle = pick(0, 1.6);
        toolIn.thickness = pick(-0.1, 1.1);
        toolIn.addendum = pick(-0.5, 2);
        toolIn.wholeDepth = pick(-0.5, 4);
        toolIn.edgeBreak = pick(-0.1, 1);
        toolIn.protuberance = random() % 3 == 0 ? pick(0, 0.5) : 0.0;
        toolIn.dco = pick(-0.2, 1.5);
        toolIn.mesh = 0;
        GearInputs gearIn = toolIn;
        gearIn.teeth = static_cast<std::int32_t>(random() % 120) - 5;
        gearIn.sign = random() % 4 == 0 ? -1 : 1;
        gearIn.thickness = pick(-0.1, 1.1);
        gearIn.addendum = pick(-0.5, 2);
        gearIn.wholeDepth = pick(-0.5, 4);
        gearIn.edgeBreak = pick(-0.1, 1);
        gearIn.frr = random() % 2 == 0;
        for (auto [element, in] : {std::pair{tool.get(), toolIn}, std::pair{gear.get(), gearIn}}) {
            if (feed(*element, in) != 1)
                continue;
            try {
                element->DrawTeeth();
            } catch (const runtime::RuntimeError&) {
                continue;
            }
            ++built;
            for (const auto& p : element->ToothPoints())
                ASSERT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1])) << "round " << round;
        }
        f.device.calls.clear();
    }
    EXPECT_GT(built, 100);
}

} // namespace
