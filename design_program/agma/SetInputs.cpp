#include "SetInputs.h"

#include "BoxNumber.h"
#include "StressCycles.h"

#include "model/MMath.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace cindrel::agma {

namespace {

// A life box's digits and points as a number; nullopt when they form none.
std::optional<double> lifeNumber(std::string_view text) {
    try {
        return model::MMath::NumberFromDigits(std::string(text));
    } catch (const runtime::RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<std::string> lifeBox(double value) {
    if (!std::isfinite(value) || value < 0)
        return std::nullopt;
    return lifeText(value);
}

} // namespace

SetInputsChange setInputsChanged(int index, const SetInputsBoxes& boxes) {
    SetInputsChange change;
    const double value = boxNumberOrZero(boxes.inps[static_cast<std::size_t>(std::clamp(index, 0, 4))]);
    switch (index) {
    case 0:
        if (!boxes.znMarked) {
            const std::optional<double> hours = lifeNumber(boxes.life[Hours]);
            const double contacts = boxNumberOrZero(boxes.contacts[0]);
            if (hours && *hours > 0 && value > 0 && contacts > 0)
                change.pinionCycles = lifeBox(*hours * 60 * contacts * value);
        }
        change.recomputeKv = !boxes.kvMarked;
        break;
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
        if (!boxes.znMarked) {
            const std::optional<double> cycles = lifeNumber(boxes.life[PinionCycles]);
            const double q0 = boxNumberOrZero(boxes.contacts[0]);
            const double q1 = boxNumberOrZero(boxes.contacts[1]);
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
