#include "shell/UnitSystem.h"

namespace cindrel::shell {

void UnitSystem::set(bool metric)
{
    MetricUnits = metric;
    if (metric) {
        LengthFactor = 25.4;
        PressureFactor = 0.00689475908677537;
        TorqueFactor = 0.1129848;
        PowerFactor = 0.7457;
        ForceFactor = 4.44822;
        RMSFactor = 0.023091;
        VelocityFactor = 0.00508;
        LengthUnits = "(mm) ";
        PowerUnits = "(kW) ";
        PressureUnits = "(MPa) ";
        TorqueUnits = "(N-m) ";
        ForceUnits = "(N) ";
        PitchName = "module ";
        TempUnits = "(\u00B0C) ";
        RMSUnits = "(Ra) ";
        SmallLengthUnits = "(\u00B5m) ";
        VelocityUnits = "meter/sec ";
        return;
    }
    LengthFactor = PressureFactor = TorqueFactor = PowerFactor = ForceFactor = RMSFactor = VelocityFactor = 1.0;
    LengthUnits = "(in) ";
    PowerUnits = "(hp) ";
    PressureUnits = "(psi) ";
    TorqueUnits = "(in-lb) ";
    ForceUnits = "(lb) ";
    PitchName = "diametral pitch ";
    TempUnits = "(\u00B0F) ";
    RMSUnits = "(RMS) ";
    SmallLengthUnits = "(0.0001 in ) ";
    VelocityUnits = "ft/min ";
}

} // namespace cindrel::shell
