#include "DynamicFactor.h"

#include "BoxNumber.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace cindrel::agma {

namespace {

constexpr float Pi = 3.141593f;       // the π of the pitch line velocity
constexpr int LeastAccurateLevel = 12; // Av of list position 0
constexpr double SmallestBackupRatio = 0.000000001; // stands in for an mB that rounds to 0
constexpr double FullRimRatio = 1.2;                 // from here on the rim does not weaken the tooth

struct KvCurve {
    float b;
    float a;
};

KvCurve curveOf(int accuracyLevel) {
    const float b = static_cast<float>(0.25 * runtime::power(accuracyLevel - 5, 0.667));
    return {b, 50 + 56 * (1 - b)};
}

} // namespace

double dynamicFactorValue(int accuracyLevel, double pitchLineVelocity) {
    const KvCurve curve = curveOf(accuracyLevel);
    return runtime::power((curve.a + runtime::squareRoot(pitchLineVelocity)) / curve.a, curve.b);
}

double maxPitchLineVelocity(int accuracyLevel) {
    return runtime::power(curveOf(accuracyLevel).a + (14 - accuracyLevel), 2);
}

KvOutcome dynamicFactor(int pinionPosition, int gearPosition, std::string_view speed, std::string_view pitchDiameter) {
    const int k = std::min(pinionPosition, gearPosition);
    if (k < 0)
        return {};
    const KvOutcome noLimits{std::nullopt, std::string(), std::string()};
    try {
        // Speed and diameter count only as whole numbers, never by their
        // first digits; while one is not, no Kv is shown beside it.
        const std::optional<double> n = setInputsNumber(speed);
        const std::optional<double> d = setInputsNumber(pitchDiameter);
        if (!n || !d)
            return {std::string(), std::string(), std::string()};
        if (*d <= 0 || *n < 0)
            return noLimits;
        const float vt = static_cast<float>(*n * Pi * *d / 12);
        const int av = LeastAccurateLevel - k;
        const double kv = dynamicFactorValue(av, runtime::checkFinite(vt));
        const double vtMax = maxPitchLineVelocity(av);
        const double rpmMax = runtime::divide(vtMax * 12 / Pi, *d);
        return {runtime::formatNumber(kv, "##.00"), runtime::formatNumber(vtMax, "#"),
                runtime::formatNumber(rpmMax, "#")};
    } catch (const runtime::RuntimeError&) {
        return noLimits;
    }
}

std::optional<int> kvPositionForRecorded(std::string_view recordedPosition) {
    if (!runtime::isNumeric(recordedPosition))
        return std::nullopt;
    const double position = runtime::toNumber(recordedPosition);
    if (position == NoQualityPosition)
        return NoQualityPosition;
    if (position >= 0 && position < static_cast<double>(KvQualityItems.size()) && position == std::floor(position))
        return static_cast<int>(position);
    return std::nullopt;
}

RimThicknessOutcome rimThicknessFactor(std::string_view wholeDepth, std::string_view rimThickness) {
    try {
        const double h = boxNumber(wholeDepth);
        const double t = boxNumber(rimThickness);
        if (h <= 0 || t <= 0)
            return {};
        // mB is worked with as shown, to two decimals.
        double mB = runtime::leadingNumber(runtime::formatNumber(runtime::divide(t, h), "#.00"));
        RimThicknessOutcome outcome;
        outcome.backupRatio = runtime::numberText(mB);
        if (mB == 0)
            mB = SmallestBackupRatio;
        outcome.kb = mB > FullRimRatio ? "1.0" : runtime::formatNumber(1.6 * runtime::naturalLog(2.242 / mB), "#.00");
        return outcome;
    } catch (const runtime::RuntimeError&) {
        return {};
    }
}

} // namespace cindrel::agma
