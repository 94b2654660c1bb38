#include "SetInputs.h"

#include "BoxNumber.h"
#include "StressCycles.h"

#include <algorithm>
#include <cmath>

namespace cindrel::agma {

namespace {

// Whole cycles, as the life page derives them.
std::optional<std::string> lifeBox(double value) {
    if (!std::isfinite(value) || value < 0)
        return std::nullopt;
    return lifeText(std::nearbyint(value));
}

// What the speed drives the cycles from: the hours, each member's contacts
// and the ratio, each read whole.
struct SpeedDrives {
    std::optional<double> hours;
    double q0, q1, ratio;
};

SpeedDrives speedDrives(const SetInputsBoxes& boxes) {
    return {lifeNumber(boxes.life[Hours]), lifeNumber(boxes.contacts[0]).value_or(0),
            lifeNumber(boxes.contacts[1]).value_or(0), setInputsNumber(boxes.inps[4]).value_or(0)};
}

// What a change to a text that is not a number does: the values a number
// would have worked are emptied, unless the user marked them.
SetInputsChange emptiedBy(int index, const SetInputsBoxes& boxes) {
    SetInputsChange change;
    const auto empty = [&boxes](int lifeBox) -> std::optional<std::string> {
        if (carriesMark(boxes.life[static_cast<std::size_t>(lifeBox)]))
            return std::nullopt;
        return std::string();
    };
    switch (index) {
    case 0: {
        const auto [hours, q0, q1, ratio] = speedDrives(boxes);
        if (hours && *hours > 0) {
            if (q0 > 0)
                change.pinionCycles = empty(PinionCycles);
            if (ratio >= 1 && q1 > 0)
                change.gearCycles = empty(GearCycles);
        }
        change.recomputeKv = !boxes.kvMarked;
        break;
    }
    case 1:
        change.emptyKm = !boxes.kmMarked;
        break;
    case 2:
        change.emptyKm = !boxes.kmMarked;
        change.recomputeKv = !boxes.kvMarked;
        break;
    case 4:
        change.gearCycles = empty(GearCycles);
        change.recomputeCh = true;
        break;
    default:
        break;
    }
    return change;
}

} // namespace

SetInputsChange setInputsChanged(int index, const SetInputsBoxes& boxes) {
    SetInputsChange change;
    const std::optional<double> read = setInputsNumber(boxes.inps[static_cast<std::size_t>(std::clamp(index, 0, 4))]);
    if (!read)
        return emptiedBy(index, boxes);
    const double value = *read;
    switch (index) {
    case 0: {
        const auto [hours, q0, q1, ratio] = speedDrives(boxes);
        if (hours && *hours > 0 && value > 0) {
            if (q0 > 0)
                change.pinionCycles = lifeBox(*hours * 60 * q0 * value);
            if (ratio >= 1 && q1 > 0)
                change.gearCycles = lifeBox(*hours * 60 * q1 * value / ratio);
        }
        change.recomputeKv = !boxes.kvMarked;
        break;
    }
    case 1:
        change.recomputeKm = value > 0 && !boxes.kmMarked;
        break;
    case 2:
        change.recomputeKm = value > 0 && !boxes.kmMarked;
        change.recomputeKv = value > 0 && !boxes.kvMarked;
        break;
    case 4:
        if (!(value >= 1))
            break;
        {
            const std::optional<double> cycles = lifeNumber(boxes.life[PinionCycles]);
            const double q0 = lifeNumber(boxes.contacts[0]).value_or(0);
            const double q1 = lifeNumber(boxes.contacts[1]).value_or(0);
            if (cycles && q0 > 0 && q1 > 0)
                change.gearCycles = lifeBox(*cycles / q0 / value * q1);
        }
        change.recomputeCh = true;
        break;
    default:
        break;
    }
    return change;
}

} // namespace cindrel::agma
