#include "shell/UnitSystem.h"

#include <gtest/gtest.h>

using cindrel::shell::UnitSystem;

namespace {

TEST(UnitSystem, NothingIsSetBeforeTheFirstCall)
{
    const UnitSystem units;
    EXPECT_EQ(units.LengthFactor, 0.0);
    EXPECT_EQ(units.PressureFactor, 0.0);
    EXPECT_TRUE(units.LengthUnits.empty());
}

TEST(UnitSystem, MetricColumn)
{
    UnitSystem units;
    units.set(true);
    EXPECT_TRUE(units.MetricUnits);
    // Conversion factors from the exact definitions: 1 in = 25.4 mm,
    // 1 lbf = 4.4482216 N, 1 psi = 6894.757 Pa, 1 hp = 745.7 W.
    EXPECT_EQ(units.LengthFactor, 25.4);
    EXPECT_NEAR(units.ForceFactor, 4.4482216, 1e-5);
    EXPECT_NEAR(units.PressureFactor, 6894.757293e-6, 5e-9) << "1 MPa = 145.0377 psi";
    EXPECT_NEAR(units.TorqueFactor, 4.4482216 * 0.0254, 1e-6);
    EXPECT_NEAR(units.PowerFactor, 0.7457, 1e-12);
    EXPECT_NEAR(units.VelocityFactor, 0.3048 / 60, 1e-12);
    EXPECT_NEAR(units.RMSFactor, 0.0254 / 1.1, 1e-6) << "microinch RMS to micrometre Ra, Ra = RMS / 1.1";
    EXPECT_EQ(units.LengthUnits, "(mm) ");
    EXPECT_EQ(units.PowerUnits, "(kW) ");
    EXPECT_EQ(units.PressureUnits, "(MPa) ");
    EXPECT_EQ(units.TorqueUnits, "(N-m) ");
    EXPECT_EQ(units.ForceUnits, "(N) ");
    EXPECT_EQ(units.PitchName, "module ");
    EXPECT_EQ(units.TempUnits, "(\xC2\xB0" "C) ");
    EXPECT_EQ(units.RMSUnits, "(Ra) ");
    EXPECT_EQ(units.SmallLengthUnits, "(\xC2\xB5m) ");
    EXPECT_EQ(units.VelocityUnits, "meter/sec ");
    EXPECT_NEAR(25.4 / units.LengthFactor, 1.0, 0) << "25.4 typed in millimetres is held as 1 inch";
}

TEST(UnitSystem, BackToEnglishRestoresTheEnglishColumnExactly)
{
    UnitSystem units;
    units.set(true);
    units.set(false);
    EXPECT_FALSE(units.MetricUnits);
    for (double factor : {units.LengthFactor, units.PressureFactor, units.TorqueFactor, units.PowerFactor,
                          units.ForceFactor, units.RMSFactor, units.VelocityFactor})
        EXPECT_EQ(factor, 1.0);
    EXPECT_EQ(units.LengthUnits, "(in) ");
    EXPECT_EQ(units.PowerUnits, "(hp) ");
    EXPECT_EQ(units.PressureUnits, "(psi) ");
    EXPECT_EQ(units.TorqueUnits, "(in-lb) ");
    EXPECT_EQ(units.ForceUnits, "(lb) ");
    EXPECT_EQ(units.PitchName, "diametral pitch ");
    EXPECT_EQ(units.TempUnits, "(\xC2\xB0" "F) ");
    EXPECT_EQ(units.RMSUnits, "(RMS) ");
    EXPECT_EQ(units.SmallLengthUnits, "(0.0001 in ) ");
    EXPECT_EQ(units.VelocityUnits, "ft/min ");
}

} // namespace
