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
    bool kvMarked = false;
    bool kmMarked = false;
};

struct SetInputsChange {
    // nullopt keeps the box; "" empties it, and with it the member's
    // unmarked stress cycle factors, worked from the cycles.
    std::optional<std::string> pinionCycles; // for txtLife(0)
    std::optional<std::string> gearCycles;   // for txtLife(1)
    bool recomputeKm = false;
    bool recomputeKv = false;
    bool recomputeCh = false; // the gear's hardness ratio factor
    bool emptyKm = false;     // txtKm and its equation
    // Cycles worked out: the stress cycle factors without a mark follow.
    bool stressCyclesFollow() const {
        return (pinionCycles && !pinionCycles->empty()) || (gearCycles && !gearCycles->empty());
    }
};

// The effect of a change of txtInps(index). The cycles follow the speed and
// the ratio whatever the factor boxes hold: an override mark keeps only the
// factor it marks. The speed re-derives the pinion cycles (hours × 60 ×
// pinion contacts × speed) when speed and hours are above 0, and with a
// ratio of 1 or more the gear cycles at the gear's own speed (hours × 60 ×
// gear contacts × speed / ratio); a ratio of 1 or more gives the gear cycles
// (pinion cycles / pinion contacts / ratio × gear contacts) and the hardness
// ratio factor. The Set Inputs boxes are read whole (setInputsNumber). A
// changed box that is not a number ("1,5", "2,5", "12 in") works nothing:
// what a number there would have worked, and the program wrote, is emptied
// instead, so that nothing shown stems from the first digits of a text being
// typed. A box the user marked with "*" stays. The speed empties the cycles
// it drives (hours above 0, the member's contacts above 0, and for the gear a
// ratio of 1 or more) and Kv; the face width Km; the pitch diameter Km and
// Kv; the ratio the gear cycles, which every path works with it, and Ch,
// whose calculator gives none for such a ratio. A ratio that is not a number
// gives no gear cycles from a new speed. An empty box reads 0. Life and contacts
// boxes are read whole (lifeNumber): one that is not a number ("17x000",
// "-3", "1,5") leaves the box derived from it alone, as no speed does.
SetInputsChange setInputsChanged(int index, const SetInputsBoxes& boxes);

} // namespace cindrel::agma
