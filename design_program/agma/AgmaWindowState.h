#pragma once

#include "AllowableStresses.h"
#include "LoadDistribution.h"
#include "MaterialsTable.h"

#include <array>
#include <cstdint>
#include <string>

namespace cindrel::agma {

// One row of the allowable power table: pitting (row 0) or bending (row 1).
struct AllowablePowerRow {
    std::string key;
    double pinion = 0; // hp
    double gear = 0;   // hp
    std::string description;
    // The two powers before their rounding, hp: what kilowatts are converted from.
    double pinionUnrounded = 0;
    double gearUnrounded = 0;
};

// What the AGMA factors window keeps beside its controls, for as long as it
// lives; none of it is saved with a design. Member index 0 is the pinion.
struct AgmaWindowState {
    // While set, the handlers that test it return at once. Set it through a
    // FlagScope, never by hand, so that it is restored on every way out.
    bool StopTheEvents = false;
    // Which input changed last (the override mark reads it).
    std::string LastChange;
    bool NotesShown = false;
    // The Km equation with its numbers, for the main window.
    std::string KmEquation;
    // The materials, read once when the window loads.
    MaterialsTable Materials;
    // Each member's material: its node key ("" for none), its row (0 for
    // none) and the path of its node.
    std::array<std::string, 2> MaterialKey;
    std::array<std::int16_t, 2> MaterialRow{};
    std::array<std::string, 2> MaterialPath;
    // The member the material tree edits.
    int CurrentMember = 0;
    bool ChApplies = false;
    float LowestAllowablePower = 0;
    std::array<AllowablePowerRow, 2> AllowablePowerTable;
    std::int32_t NotesTop = 5600; // twips
    // Set while the life handling writes the other life boxes.
    bool LifeGuard = false;
    // Set while a lost-focus check sends the focus back: no other check runs
    // meanwhile, so two bad boxes cannot pass focus and messages back and forth.
    bool ReturningFocus = false;
    BearingSpanChecks SpanChecks;
    std::array<SatReversal, 2> SatReversals;
};

// Sets a flag for a scope and gives it back the value it held on every way
// out, so that a nested handler never clears an outer handler's flag.
class FlagScope {
public:
    explicit FlagScope(bool& flag, bool value = true) : flag_(flag), saved_(flag) { flag_ = value; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace cindrel::agma
