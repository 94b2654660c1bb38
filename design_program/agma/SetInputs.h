#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// What a change of a "Set Inputs" box of the AGMA factors window does to the
// life boxes and which calculators follow.
namespace cindrel::agma {

struct SetInputsBoxes {
    std::array<std::string_view, 5> inps;     // txtInps(0..4): speed, face, diameter, pitch, ratio
    std::array<std::string_view, 3> life;     // txtLife(0..2): pinion cycles, gear cycles, hours
    std::array<std::string_view, 2> contacts; // txtContacts(0..1)
    bool znMarked = false; // txtZn(0) carries the override mark: the life is the user's
    bool kvMarked = false;
    bool kmMarked = false;
};

struct SetInputsChange {
    std::optional<std::string> pinionCycles; // for txtLife(0)
    std::optional<std::string> gearCycles;   // for txtLife(1)
    bool recomputeKm = false;
    bool recomputeKv = false;
    bool recomputeCh = false; // the gear's hardness ratio factor
};

// The effect of a change of txtInps(index). The speed re-derives the pinion
// cycles (hours × 60 × contacts × speed) only when speed and hours are above
// 0; a ratio of 1 or more gives the gear cycles (pinion cycles / pinion
// contacts / ratio × gear contacts) and the hardness ratio factor. A life box
// without a number leaves the box derived from it alone.
SetInputsChange setInputsChanged(int index, const SetInputsBoxes& boxes);

} // namespace cindrel::agma
