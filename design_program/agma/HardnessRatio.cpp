#include "HardnessRatio.h"

#include "BoxNumber.h"

#include "model/MMath.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

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

// A range given in core hardness ("BHN core hardness" of the nitrided steels)
// says nothing of the surface, which is far harder.
bool boundsTheCore(const MaterialRecord& material) {
    std::string unit = material.text(Col::HardnessUnit);
    std::transform(unit.begin(), unit.end(), unit.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return unit.find("core") != std::string::npos;
}

bool withinRange(const MaterialRecord* material, float hardness) {
    if (material == nullptr || boundsTheCore(*material))
        return true;
    float lowest = boundInBhn(*material, Col::HardnessLowest);
    float highest = boundInBhn(*material, Col::HardnessHighest);
    // The row's surface hardness is the hardness chart's equivalent of its HRC
    // bound (50 HRC is 481 BHN there, 488.8 by the conversion formula): the
    // material's own value always meets its own range.
    const double ownValue = material->number(Col::SurfaceHardness);
    if (ownValue > 0 && ownValue <= std::numeric_limits<float>::max()) {
        const auto own = static_cast<float>(ownValue);
        if (lowest != 0)
            lowest = std::min(lowest, own);
        if (highest != 0)
            highest = std::max(highest, own);
    }
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
        const int changed = inputs.changed == 0 ? 0 : 1;
        if (!withinRange(inputs.materials[static_cast<std::size_t>(changed)], changed == 0 ? hbp : hbg))
            return NoGain;
        const MaterialRecord* pinion = inputs.materials[0];
        if (pinion != nullptr && pinion->text(Col::MaterialClass) == ThroughHardenedSteel) {
            // A ratio that is not a number ("2,5") gives no Ch at all: never
            // the gain of its first digits, nor a 1.0 that looks worked out.
            const std::optional<double> ratio = setInputsNumber(inputs.ratio);
            if (!ratio)
                return std::string();
            const double mG = *ratio;
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
        // Only whole numbers: "17x000" is no modulus of 17 psi, it gives no Cp.
        const auto whole = [](std::string_view text) {
            return static_cast<float>(wholeBoxNumber(text).value_or(0));
        };
        const float e0 = whole(modulus[0]);
        const float e1 = whole(modulus[1]);
        const float mu0 = whole(poisson[0]);
        const float mu1 = whole(poisson[1]);
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
