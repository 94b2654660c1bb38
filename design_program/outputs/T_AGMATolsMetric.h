#pragma once

#include "AgmaToleranceClass.h"

namespace cindrel::outputs {

// The AGMA tolerances in metric units: micrometres, never quoted below 1,
// with five decimals; the tooth thickness tolerance in millimetres. Pitch
// ranges are in normal module (Mn, mm), the teeth are the virtual teeth Zi.
class T_AGMATolsMetric : public AgmaToleranceClass {
public:
    // reporter receives a failing rounding step, which the rounding goes on after.
    explicit T_AGMATolsMetric(runtime::ErrorReporter& reporter);

    // ModuleNormal is the normal diametral pitch in 1/in all the same, and the
    // face width is in inches: the caller hands both classes the same values
    // and this one stores Mn = 25.4 / ModuleNormal and 25.4 × FaceWidth.
    void aaVariablesIn(std::int16_t QualityNumber, std::int16_t Numbteeth, double ModuleNormal,
                       double HelixAngleRadians, double FaceWidth, const std::string& TooththicknessCode) {
        AgmaToleranceClass::aaVariablesIn(QualityNumber, Numbteeth, ModuleNormal, HelixAngleRadians, FaceWidth,
                                          TooththicknessCode);
    }
};

} // namespace cindrel::outputs
