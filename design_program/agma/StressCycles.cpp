#include "StressCycles.h"

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

constexpr double ByHardness = 666; // a bending curve chosen from the hardness

struct Curve {
    double coefficient = 0;
    double exponent = 0;
};

// The bending curves of through-hardened steels, by hardness (HB).
std::optional<Curve> bendingCurveForHardness(double hb) {
    if (hb >= 400)
        return Curve{9.4518, -0.148};
    if (hb >= 250)
        return Curve{4.9404, -0.1045};
    if (hb >= 160)
        return Curve{2.3194, -0.0538};
    return std::nullopt;
}

// Coefficient and exponent from two cells, each of which must be a number as
// a whole.
Curve curveAt(const MaterialRecord& material, int column) {
    return {runtime::toNumber(material.text(column)), runtime::toNumber(material.text(column + 1))};
}

CycleFactor factorOf(const Curve& curve, double cycles, std::string_view cyclesText) {
    const double value = curve.coefficient * runtime::power(cycles, curve.exponent);
    return {runtime::formatNumber(runtime::checkFinite(value), "#.000"),
            runtime::numberText(curve.coefficient) + " * " + std::string(cyclesText),
            runtime::numberText(curve.exponent)};
}

CycleFactor failed() { return {std::string(FactorError), {}, {}}; }

CycleFactor bendingFactor(const StressCycleMember& member, double n, bool& conservativeShown) {
    const MaterialRecord& m = *member.material;
    try {
        if (n >= m.number(Col::YnKnee)) {
            conservativeShown = true;
            return factorOf(curveAt(m, member.conservative ? Col::YnAboveKneeConservative : Col::YnAboveKnee), n,
                            member.cycles);
        }
        conservativeShown = false;
        n = std::max(n, m.number(Col::YnLowestCycles));
        if (runtime::toNumber(m.text(Col::YnBelowKnee)) != ByHardness)
            return factorOf(curveAt(m, Col::YnBelowKnee), n, member.cycles);
        const std::optional<Curve> curve = bendingCurveForHardness(boxNumber(member.hardness));
        if (!curve)
            return {std::string(FactorError), std::string(NoCurveBelow160), {}};
        return factorOf(*curve, n, member.cycles);
    } catch (const runtime::RuntimeError&) {
        return failed();
    }
}

CycleFactor pittingFactor(const StressCycleMember& member, double n) {
    const MaterialRecord& m = *member.material;
    try {
        if (n >= m.number(Col::ZnKnee))
            return factorOf(curveAt(m, member.conservative ? Col::ZnAboveKneeConservative : Col::ZnAboveKnee), n,
                            member.cycles);
        return factorOf(curveAt(m, Col::ZnBelowKnee), std::max(n, m.number(Col::ZnLowestCycles)), member.cycles);
    } catch (const runtime::RuntimeError&) {
        return failed();
    }
}

} // namespace

std::string lifeText(double value) {
    if (value == std::trunc(value))
        return runtime::formatNumber(value, "0");
    return runtime::formatNumber(value, "0.0#####");
}

std::optional<double> lifeNumber(std::string_view text) {
    if (text.empty())
        return 0.0;
    const std::optional<double> value = wholeBoxNumber(text);
    if (!value || *value < 0)
        return std::nullopt;
    return value;
}

LifeOutcome deriveLife(int changed, const LifeInputs& inputs, runtime::ErrorReporter& errors) {
    LifeOutcome outcome;
    // A speed or ratio that is not a number is asked for as a missing one.
    const float np = static_cast<float>(setInputsNumber(inputs.speed).value_or(0));
    const float mG = static_cast<float>(setInputsNumber(inputs.ratio).value_or(0));
    if (np == 0) {
        outcome.message = CalculatorMessage{"Set RPM of pinion", ""};
        outcome.focus = SetInputsBox::Speed;
        return outcome;
    }
    if (mG == 0) {
        outcome.message = CalculatorMessage{"Set gear ratio", ""};
        outcome.focus = SetInputsBox::Ratio;
        return outcome;
    }
    const std::optional<double> contacts0 = lifeNumber(inputs.contacts[0]);
    const std::optional<double> contacts1 = lifeNumber(inputs.contacts[1]);
    if (!contacts0 || !contacts1 || *contacts0 < 1 || *contacts1 < 1)
        return outcome;
    const float q0 = static_cast<float>(*contacts0);
    const float q1 = static_cast<float>(*contacts1);
    // Only the changed box is read; a text that is no number leaves the
    // others as they stand, as a missing speed does.
    if (changed < PinionCycles || changed > Hours)
        return outcome;
    const std::optional<double> given = lifeNumber(inputs.life[static_cast<std::size_t>(changed)]);
    if (!given)
        return outcome;
    const float typed = static_cast<float>(*given);

    const auto write = [&](int box, float value, int places) {
        if (std::isfinite(value))
            outcome.life[static_cast<std::size_t>(box)] = lifeText(model::MMath::Trunc(value, places, errors));
        else
            errors.reportError("frmAGMA", "txtLife_Change", std::to_string(runtime::Overflow),
                               runtime::errorDescription(runtime::Overflow), "life box " + std::to_string(box));
    };
    switch (changed) {
    case PinionCycles:
        write(GearCycles, typed / q0 / mG * q1, 0);
        write(Hours, typed / 60 / np / q0, 1);
        break;
    case GearCycles:
        write(PinionCycles, typed / q1 * mG * q0, 0);
        write(Hours, typed / 60 / np / q1 * mG, 1);
        break;
    case Hours:
        write(PinionCycles, typed * 60 * np * q0, 0);
        write(GearCycles, typed * 60 * np * q1 / mG, 0);
        break;
    default:
        return outcome;
    }
    outcome.stressCyclesFollow = true;
    return outcome;
}

std::optional<std::string> pinionCyclesFromSpeed(std::string_view hours, std::string_view contacts, std::string_view speed) {
    const std::optional<double> h = lifeNumber(hours);
    const std::optional<double> q = lifeNumber(contacts);
    const std::optional<double> np = setInputsNumber(speed);
    if (!h || !q || !np)
        return std::nullopt;
    const float cycles = static_cast<float>(*h) * 60 * static_cast<float>(*q) * static_cast<float>(*np);
    if (!std::isfinite(cycles))
        return std::nullopt;
    return lifeText(cycles);
}

std::optional<std::string> gearCyclesFromRatio(std::string_view pinionCycles, std::string_view ratio) {
    const float mG = static_cast<float>(setInputsNumber(ratio).value_or(0));
    if (!(mG > 1))
        return std::nullopt;
    const std::optional<double> pinion = lifeNumber(pinionCycles);
    if (!pinion)
        return std::nullopt;
    const float cycles = static_cast<float>(*pinion) / mG;
    if (!std::isfinite(cycles))
        return std::nullopt;
    return lifeText(cycles);
}

StressCycleOutcome stressCycleFactors(const std::array<StressCycleMember, 2>& members) {
    StressCycleOutcome outcome;
    const std::array<std::optional<double>, 2> cycles = {lifeNumber(members[0].cycles), lifeNumber(members[1].cycles)};
    if (!cycles[0] || !cycles[1])
        return outcome;
    if (*cycles[0] * *cycles[1] == 0) {
        outcome.noCycles = true;
        return outcome;
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (members[i].material == nullptr)
            continue;
        MemberCycleFactors factors;
        factors.yn = bendingFactor(members[i], *cycles[i], factors.conservativeShown);
        factors.zn = pittingFactor(members[i], *cycles[i]);
        outcome.members[i] = std::move(factors);
    }
    return outcome;
}

} // namespace cindrel::agma
