#include "shell/UnitSystem.h"

#include <gtest/gtest.h>

using cindrel::shell::UnitSystem;

namespace {

struct Label {
    std::string UnitSystem::*member;
    const char* english;
    const char* metric;
};

const Label labels[] = {
    {&UnitSystem::LengthUnits, "(in) ", "(mm) "},
    {&UnitSystem::PowerUnits, "(hp) ", "(kW) "},
    {&UnitSystem::PressureUnits, "(psi) ", "(MPa) "},
    {&UnitSystem::TorqueUnits, "(in-lb) ", "(N-m) "},
    {&UnitSystem::ForceUnits, "(lb) ", "(N) "},
    {&UnitSystem::PitchName, "diametral pitch ", "module "},
    {&UnitSystem::TempUnits, "(\xC2\xB0" "F) ", "(\xC2\xB0" "C) "},
    {&UnitSystem::RMSUnits, "(RMS) ", "(Ra) "},
    {&UnitSystem::SmallLengthUnits, "(0.0001 in ) ", "(\xC2\xB5m) "},
    {&UnitSystem::VelocityUnits, "ft/min ", "meter/sec "},
};

double UnitSystem::*const factors[] = {&UnitSystem::LengthFactor, &UnitSystem::PressureFactor,
                                       &UnitSystem::TorqueFactor, &UnitSystem::PowerFactor,
                                       &UnitSystem::ForceFactor,  &UnitSystem::RMSFactor,
                                       &UnitSystem::VelocityFactor};

TEST(UnitSystem, NothingIsSetBeforeTheFirstCall)
{
    const UnitSystem units;
    for (auto factor : factors)
        EXPECT_EQ(units.*factor, 0.0);
    for (const Label& label : labels)
        EXPECT_TRUE((units.*label.member).empty());
}

TEST(UnitSystem, MetricColumn)
{
    UnitSystem units;
    units.set(true);
    EXPECT_TRUE(units.MetricUnits);
    // From the definitions: 1 in = 25.4 mm, 1 lbf = 4.4482216 N, 1 MPa = 145.0377 psi,
    // 1 hp = 745.7 W, 1 ft = 0.3048 m, Ra = RMS / 1.1.
    EXPECT_EQ(units.LengthFactor, 25.4);
    EXPECT_NEAR(units.ForceFactor, 4.4482216, 1e-5);
    EXPECT_NEAR(units.PressureFactor, 6894.757293e-6, 5e-9);
    EXPECT_NEAR(units.TorqueFactor, 4.4482216 * 0.0254, 1e-6);
    EXPECT_NEAR(units.PowerFactor, 0.7457, 1e-12);
    EXPECT_NEAR(units.VelocityFactor, 0.3048 / 60, 1e-12);
    EXPECT_NEAR(units.RMSFactor, 0.0254 / 1.1, 1e-6);
    EXPECT_EQ(25.4 / units.LengthFactor, 1.0) << "25.4 typed in millimetres is held as 1 inch";
    for (const Label& label : labels)
        EXPECT_EQ(units.*label.member, label.metric);
}

TEST(UnitSystem, BackToEnglishRestoresTheEnglishColumnExactly)
{
    UnitSystem units;
    units.set(true);
    units.set(false);
    EXPECT_FALSE(units.MetricUnits);
    for (auto factor : factors)
        EXPECT_EQ(units.*factor, 1.0);
    for (const Label& label : labels)
        EXPECT_EQ(units.*label.member, label.english);
}

} // namespace
