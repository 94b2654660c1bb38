#pragma once

#include <string>

namespace cindrel::shell {

// How values are typed and shown. Everything is held in English units; a
// shown value is the held value times its factor, a typed one is divided by
// it. Every factor is 0 and every label empty until the first set().
struct UnitSystem {
    bool MetricUnits = false;
    double LengthFactor = 0;
    double PressureFactor = 0;
    double TorqueFactor = 0;
    double PowerFactor = 0;
    double ForceFactor = 0;
    double RMSFactor = 0;
    double VelocityFactor = 0;
    std::string LengthUnits;
    std::string PowerUnits;
    std::string PressureUnits;
    std::string TorqueUnits;
    std::string ForceUnits;
    std::string PitchName;
    std::string TempUnits;
    std::string RMSUnits;
    std::string SmallLengthUnits;
    std::string VelocityUnits;

    // Sets all eighteen members to the English or the metric column.
    void set(bool metric);
};

} // namespace cindrel::shell
