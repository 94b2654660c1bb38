#include "AllowableStresses.h"

#include "BoxNumber.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

namespace cindrel::agma {

namespace {

namespace Col = MaterialColumn;

constexpr double ReversingShare = 0.7;
const char* const StressPattern = "###,###";

std::string stressText(double psi) { return runtime::formatNumber(runtime::checkFinite(psi), StressPattern); }

float cellSingle(const MaterialRecord& material, int column) { return static_cast<float>(material.number(column)); }

// A text that is not a stress is left as typed, for the commit to name it.
std::string scaledSat(std::string_view sat, double factor) {
    const std::optional<double> value = wholeBoxNumber(sat);
    if (!value)
        return std::string(sat);
    try {
        std::string text = stressText(*value * factor);
        if (carriesMark(sat))
            text += '*';
        return text;
    } catch (const runtime::RuntimeError&) {
        return std::string(sat);
    }
}

} // namespace

std::string hardnessRangeMessage(double lowest, double highest) {
    std::string text = "Hardness must be between ";
    text.append(runtime::numberText(lowest)).append(" and ").append(runtime::numberText(highest));
    return text.append(" for the AGMA 2001");
}

std::optional<HardnessStresses> stressesForHardness(const MaterialRecord& material, std::string_view hardness,
                                                    bool fullyReversing) {
    try {
        const float lowest = cellSingle(material, Col::HardnessLowest);
        const float highest = cellSingle(material, Col::HardnessHighest);
        if (highest == 0)
            return std::nullopt;
        HardnessStresses result;
        const float h = static_cast<float>(boxNumber(hardness));
        if (!(h >= lowest && h <= highest)) {
            result.note = hardnessRangeMessage(lowest, highest);
            const std::string zero(1, '0');
            result.sac = zero;
            result.sat = zero;
            result.satUnreversed = zero;
            return result;
        }
        result.withinRange = true;
        result.hardness = h;
        result.note = material.text(Col::Note);
        result.sac = stressText(h * cellSingle(material, Col::SacSlope) + cellSingle(material, Col::SacIntercept));
        result.satUnreversed =
            stressText(h * cellSingle(material, Col::SatSlope) + cellSingle(material, Col::SatIntercept));
        result.sat = fullyReversing ? reducedSat(result.satUnreversed) : result.satUnreversed;
        return result;
    } catch (const runtime::RuntimeError&) {
        return std::nullopt; // a cell or hardness beyond any number: the boxes stay
    }
}

RangeStresses rangeStresses(const MaterialRecord& material, bool bestMaterials, bool fullyReversing) {
    try {
        const double sat = material.number(bestMaterials ? Col::SatBest : Col::SatIntercept);
        const double sac = material.number(bestMaterials ? Col::SacBest : Col::SacIntercept);
        return {stressText(sac), stressText(fullyReversing ? sat * ReversingShare : sat)};
    } catch (const runtime::RuntimeError&) {
        return {};
    }
}

std::string reducedSat(std::string_view sat) { return scaledSat(sat, ReversingShare); }
std::string restoredSat(std::string_view sat) { return scaledSat(sat, 1 / ReversingShare); }

std::string SatReversal::tick(std::string_view sat) {
    unreduced_ = std::string(sat);
    reduced_ = reducedSat(sat);
    return *reduced_;
}

std::string SatReversal::clear(std::string_view sat) {
    const bool untouched = reduced_ && *reduced_ == sat;
    reduced_.reset();
    return untouched ? unreduced_ : restoredSat(sat);
}

void SatReversal::remember(std::string reduced, std::string unreduced) {
    reduced_ = std::move(reduced);
    unreduced_ = std::move(unreduced);
}

} // namespace cindrel::agma
