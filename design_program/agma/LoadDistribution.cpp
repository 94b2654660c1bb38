#include "LoadDistribution.h"

#include "BoxNumber.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <cmath>

namespace cindrel::agma {

namespace {

struct CmaConstants {
    double a, b, c;
};
// Open, commercial enclosed, precision enclosed, extra precision enclosed.
constexpr std::array<CmaConstants, 4> CmaByGearStyle = {{
    {0.247, 0.0167, -0.0000765},
    {0.127, 0.0158, -0.0001093},
    {0.0675, 0.0128, -0.0000926},
    {0.038, 0.0102, -0.0000822},
}};

constexpr double SmallestFaceRatio = 0.05; // F/(10d) is never taken smaller
constexpr double CpfLimit = 40;            // face widths the Cpf curves cover
constexpr double WarningLimit = 60;        // beyond it no Km is worked out
constexpr double OverhangRatio = 0.175;    // S1/S from which Cpm is 1.1
constexpr double ModifierTicked = 0.8;
constexpr double ModifierCleared = 1.0;

const char* const KmTitle = "Km message";
const char* const BeyondCpfText = "You are exceeding the AGMA limits for the facewidth.  You may continue,\n"
                                  "however, the calculated Km factor will tend to be optimistic.";
const char* const FarOutText = "The facewidth is far out of bounds and a calculated\n"
                               "Km value is outside the scope of this program.  Use\n"
                               "a Km value based on experience";

std::string threeDecimals(double x) { return runtime::formatNumber(x, "0.000"); }

} // namespace

double pinionProportionFactor(double faceWidth, double pitchDiameter) {
    const double f = faceWidth;
    if (f > CpfLimit)
        return 0;
    const double ratio = std::max(runtime::divide(f, 10 * pitchDiameter), SmallestFaceRatio);
    if (f <= 1)
        return static_cast<float>(ratio - 0.025);
    if (f <= 17)
        return static_cast<float>(ratio - 0.0375 + 0.0125 * f);
    return static_cast<float>(ratio - 0.1109 + 0.0207 * f - 0.000228 * f * f);
}

double meshAlignmentFactor(std::optional<int> gearStyle, double faceWidth) {
    const int style = gearStyle && *gearStyle >= 0 && *gearStyle < 4 ? *gearStyle : 0;
    const CmaConstants& k = CmaByGearStyle[static_cast<std::size_t>(style)];
    return runtime::checkFinite(k.a + k.b * faceWidth + k.c * faceWidth * faceWidth);
}

std::optional<int> optionNamed(std::string_view labelText, int optionCount) {
    if (!runtime::isNumeric(labelText))
        return std::nullopt;
    const double index = runtime::toNumber(labelText);
    if (index < 0 || index >= optionCount || index != std::floor(index))
        return std::nullopt;
    return static_cast<int>(index);
}

std::string_view cmcCaption(bool leadsModified) { return leadsModified ? "Cmc=0.8" : "Cmc=1.0"; }
std::string_view ceCaption(bool adjustedAtAssembly) { return adjustedAtAssembly ? "Ce=0.8" : "Ce=1.0"; }

KmOutcome loadDistributionFactor(const KmInputs& inputs) {
    KmOutcome outcome;
    const auto sendBack = [&](const char* text, SetInputsBox box) {
        outcome.message = CalculatorMessage{text, ""};
        outcome.focus = box;
        return outcome;
    };
    try {
        // Face and diameter count only as whole numbers: "1,5" is no face of 1.
        const double d = setInputsNumber(inputs.pitchDiameter).value_or(0);
        if (!(d > 0))
            return sendBack("Operating pitch diameter not valid", SetInputsBox::PitchDiameter);
        const double ce = inputs.adjustedAtAssembly ? ModifierTicked : ModifierCleared;
        const double cmc = inputs.leadsModified ? ModifierTicked : ModifierCleared;
        const std::optional<double> face = setInputsNumber(inputs.faceWidth);
        if (!face)
            return sendBack("Face width is not a number", SetInputsBox::FaceWidth);
        const double f = *face;
        if (f < 0)
            return sendBack("Face width is negative, can't be", SetInputsBox::FaceWidth);
        if (f == 0)
            return sendBack("Face width not filled in", SetInputsBox::FaceWidth);
        if (f > WarningLimit) {
            outcome.message = CalculatorMessage{FarOutText, KmTitle};
            outcome.km = "";
            return outcome;
        }
        if (f > CpfLimit)
            outcome.message = CalculatorMessage{BeyondCpfText, KmTitle};
        const double cpf = pinionProportionFactor(f, d);
        const double cma = meshAlignmentFactor(inputs.gearStyle, f);
        const std::string_view caption = inputs.cpmCaption;
        const double cpm = runtime::leadingNumber(caption.size() > 3 ? caption.substr(caption.size() - 3) : caption);
        const float km = static_cast<float>(1 + cmc * (cpf * cpm + cma * ce));
        outcome.km = runtime::formatNumber(runtime::checkFinite(km), "#.000");
        outcome.equation = "Km = (1 + Cmc*(Cpf*Cpm + Cma*Ce)): " + *outcome.km + " = (1 + " +
                           runtime::numberText(cmc) + "*(" + threeDecimals(cpf) + "*" + threeDecimals(cpm) + " + " +
                           threeDecimals(cma) + "*" + runtime::numberText(ce) + "))";
        return outcome;
    } catch (const runtime::RuntimeError&) {
        // A number beyond the double range in a box: nothing is written.
        outcome.km.reset();
        outcome.equation.clear();
        return outcome;
    }
}

CpmOutcome pinionProportionModifier(std::string_view offset, std::string_view span) {
    try {
        const double s1 = boxNumber(offset);
        if (s1 == 0)
            return {std::string(CpmStraddleCaption), false};
        const double s = boxNumber(span);
        if (s == 0)
            return {};
        return {s1 / s >= OverhangRatio ? "Cpm= 1.1" : std::string(CpmStraddleCaption), true};
    } catch (const runtime::RuntimeError&) {
        return {};
    }
}

namespace {

// Reads both boxes; an unreadable one fails the check.
bool readLengths(std::string_view offset, std::string_view span, double& s1, double& s) {
    try {
        s1 = boxNumber(offset);
        s = boxNumber(span);
        return true;
    } catch (const runtime::RuntimeError&) {
        return false;
    }
}

} // namespace

BearingSpanChecks::Outcome BearingSpanChecks::count(bool passed, int& failures, int toldAt, const char* why) {
    if (passed) {
        failures = 0;
        return {};
    }
    if (++failures < toldAt)
        return {false, {}};
    failures = 0;
    return {false, why};
}

BearingSpanChecks::Outcome BearingSpanChecks::offsetLeft(std::string_view offset, std::string_view span) {
    double s1 = 0, s = 0;
    return count(readLengths(offset, span, s1, s) && !(s1 > s / 2), offsetFailures_, 3,
                 "The offset must be less than half of the span between bearings");
}

BearingSpanChecks::Outcome BearingSpanChecks::spanLeft(std::string_view offset, std::string_view span) {
    double s1 = 0, s = 0;
    return count(readLengths(offset, span, s1, s) && !(2 * s1 > s), spanFailures_, 2,
                 "The span between bearings must be at least twice the offset");
}

} // namespace cindrel::agma
