#include "HardnessRatio.h"

#include "BoxNumber.h"

#include "model/MMath.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <cmath>

namespace cindrel::agma {

namespace {

namespace Col = MaterialColumn;

const char* const NoGain = "1.0";
constexpr double RoughestFinish = 64;            // Ra, microinches
constexpr float SurfaceHardenedPinionBhn = 463;  // 48 HRC

bool isSteelPinionClass(const std::string& materialClass) {
    return materialClass == FlameOrInductionHardenedSteel || materialClass == CarburizedSteel ||
           materialClass == NitridedSteel || materialClass == ThroughHardenedSteel;
}

// A hardness bound in BHN; 0 for none (an empty or 0 cell, an HRC value the
// conversion does not cover).
float boundInBhn(const MaterialRecord& material, int column) {
    const double value = material.number(column);
    if (value == 0)
        return 0;
    if (material.text(Col::HardnessUnit) != "HRC")
        return static_cast<float>(value);
    return static_cast<float>(model::MMath::HRCtoBHN(value).value_or(0));
}

bool withinRange(const MaterialRecord* material, float hardness) {
    if (material == nullptr)
        return true;
    const float lowest = boundInBhn(*material, Col::HardnessLowest);
    const float highest = boundInBhn(*material, Col::HardnessHighest);
    return !(lowest != 0 && hardness < lowest) && !(highest != 0 && hardness > highest);
}

std::string atLeastOne(const std::string& text) {
    return runtime::leadingNumber(text) < 1 ? std::string(NoGain) : text;
}

} // namespace

bool chApplies(const MaterialRecord* pinion, const MaterialRecord* gear) {
    return pinion != nullptr && gear != nullptr && isSteelPinionClass(pinion->text(Col::MaterialClass)) &&
           gear->text(Col::MaterialClass) == ThroughHardenedSteel;
}

std::optional<std::string> hardnessRatioFactor(const HardnessRatioInputs& inputs) {
    if (!inputs.applies)
        return std::nullopt;
    try {
        const float hbg = static_cast<float>(boxNumber(inputs.surfaceHardness[1]));
        if (!(hbg > 0))
            return std::nullopt;
        const double ra = boxNumber(inputs.finish);
        if (ra == 0)
            return NoGain;
        const float hbp = static_cast<float>(boxNumber(inputs.surfaceHardness[0]));
        if (!withinRange(inputs.materials[0], hbp) || !withinRange(inputs.materials[1], hbg))
            return NoGain;
        const double mG = boxNumber(inputs.ratio);
        const MaterialRecord* pinion = inputs.materials[0];
        if (pinion != nullptr && pinion->text(Col::MaterialClass) == ThroughHardenedSteel) {
            const float r = hbp / hbg;
            const double a = r < 1.2f ? 0 : (r <= 1.7f ? 0.00898 * r - 0.00829 : 0.00698);
            return atLeastOne(runtime::formatNumber(runtime::checkFinite((mG - 1) * a + 1), "#.00"));
        }
        if (hbp < SurfaceHardenedPinionBhn)
            return NoGain;
        const double b = 0.00075 * runtime::exponential(-0.0112 * ra);
        return atLeastOne(runtime::formatNumber(runtime::checkFinite((450 - hbg) * b + 1), "#.00"));
    } catch (const runtime::RuntimeError&) {
        return NoGain; // an unreadable hardness or finish: no gain, the safe side
    }
}

std::optional<std::string> hardnessRatioFactorForFinish(const HardnessRatioInputs& inputs) {
    try {
        if (boxNumber(inputs.finish) > RoughestFinish)
            return NoGain;
    } catch (const runtime::RuntimeError&) {
        return NoGain;
    }
    return hardnessRatioFactor(inputs);
}

std::string elasticCoefficient(const std::array<std::string_view, 2>& modulus,
                               const std::array<std::string_view, 2>& poisson) {
    try {
        const float e0 = static_cast<float>(boxNumber(modulus[0]));
        const float e1 = static_cast<float>(boxNumber(modulus[1]));
        const float mu0 = static_cast<float>(boxNumber(poisson[0]));
        const float mu1 = static_cast<float>(boxNumber(poisson[1]));
        if (!(e0 > 0 && e1 > 0 && mu0 > 0 && mu0 < 1 && mu1 > 0 && mu1 < 1) || !std::isfinite(e0) ||
            !std::isfinite(e1))
            return {};
        const double compliance = 3.14159 * ((1 - mu0 * mu0) / e0 + (1 - mu1 * mu1) / e1);
        return runtime::formatNumber(runtime::squareRoot(runtime::divide(1, compliance)), "###");
    } catch (const runtime::RuntimeError&) {
        return {};
    }
}

} // namespace cindrel::agma
