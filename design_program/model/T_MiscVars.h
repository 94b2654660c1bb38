#pragma once

#include "runtime/CheckedMath.h"

#include <cstdint>

namespace cindrel::model {

// Lubrication, surface and friction inputs of the contact analyses: a plain
// store with defaults. Flags are true at -1 and false at 0. A number that is
// not finite is refused (error 6) and changes nothing.
class T_MiscVars {
public:
    void aaCalculateFrictionCoeff(std::int16_t value) { calculateFrictionCoeff_ = value; }
    std::int16_t CalculateFC() const { return calculateFrictionCoeff_; }
    void aaSafetyFactor(double value) { safetyFactor_ = runtime::checkFinite(value); }
    double SafetyFactor() const { return safetyFactor_; }
    void aaPinionDriving(std::int16_t PinionDriving) { pinionDriving_ = PinionDriving; }
    std::int16_t PinDriv() const { return pinionDriving_; }
    void aaModifiedProfiles(std::int16_t ModifiedProfiles) { modifiedProfiles_ = ModifiedProfiles; }
    std::int16_t Modified() const { return modifiedProfiles_; }
    void aaSetRoughness(double setRMS) { roughness_ = runtime::checkFinite(setRMS); }
    double setRMS() const { return roughness_; }
    void aaViscosity(double CentiPoise) { viscosity_ = runtime::checkFinite(CentiPoise); }
    double VISCO() const { return viscosity_; }
    void aaLubePressExponent(double setLPE) { pressureViscosityExponent_ = runtime::checkFinite(setLPE); }
    double LPE() const { return pressureViscosityExponent_; }
    void aaBulkTemperatureF(double TB_F) { bulkTemperature_ = runtime::checkFinite(TB_F); }
    double BulkTemp() const { return bulkTemperature_; }
    void aaFrictCoeff(double FCoeff) { frictionCoeff_ = runtime::checkFinite(FCoeff); }
    double FrictCoeff() const { return frictionCoeff_; }

private:
    double viscosity_ = 50;                    // centipoise
    double roughness_ = 50;                    // microinch RMS
    double bulkTemperature_ = 120;             // degrees F
    double pressureViscosityExponent_ = 0.00008; // in^2/lb
    double frictionCoeff_ = 0.06;
    std::int16_t modifiedProfiles_ = 0;
    std::int16_t pinionDriving_ = -1;
    double safetyFactor_ = 1.3;
    std::int16_t calculateFrictionCoeff_ = 0;
};

} // namespace cindrel::model
