#pragma once

#include "AgmaWindowState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The allowable transmitted power of each member for pitting resistance (Pac)
// and bending strength (Pat), in English units (rpm, in, psi, hp), from the
// texts of the AGMA factors window's boxes.
namespace cindrel::agma {

// The boxes the powers read, as the window holds them. Member index 0 is the
// pinion. I and J are read by their leading number; the Set Inputs boxes,
// factors, SAC and SAT only as a whole number (grouping commas and the
// override mark set aside, wholeBoxNumber); Cp as a whole number.
struct PowerInputs {
    std::string np; // txtInps(0), pinion speed
    std::string F;  // txtInps(1), face width
    std::string d;  // txtInps(2), pinion operating pitch diameter
    std::string Pd; // txtInps(3), transverse diametral pitch
    std::string I;  // txtEye
    std::string Ko, Kv, Ks, Km, Cf, Kt, Kr;
    std::string Cp; // txtCP
    std::array<std::string, 2> J, Zn, Ch, Sh, Yn, Kb, SF, SAC, SAT;
};

// A box of the window: its control name and its index (-1 for a single box).
struct PowerBox {
    std::string_view name;
    int index = -1;
    bool operator==(const PowerBox&) const = default;
};

// Indexes of the four powers.
enum PowerIndex { PinionPac = 0, GearPac = 1, PinionPat = 2, GearPat = 3 };

// The four powers, each rounded to three significant figures and held in
// single precision, as shown.
struct AllowablePowers {
    std::array<float, 4> power{};
    // The same powers before rounding: what a power in other units is
    // converted from, so that it shows no more digits than it has.
    std::array<double, 4> unrounded{};
    // The smallest power; a tie goes to the first in index order.
    int lowest = 0;

    float lowestPower() const { return power[static_cast<std::size_t>(lowest)]; }
    // "52.5 hp": the single-precision value as text.
    std::string caption(int index) const;
    // Rows "PAC" and "PAT" in the column order of a results-table row.
    std::array<AllowablePowerRow, 2> table() const;
};

// The powers, or the first input at fault in reading order (pitting pinion,
// pitting gear, bending pinion, bending gear). Every input must be a number
// above 0; a power beyond the single-precision range, or one that rounds to
// nothing, is at fault without a box (empty name).
struct PowerResult {
    std::optional<AllowablePowers> powers;
    PowerBox fault;
    bool ok() const { return powers.has_value(); }
};

PowerResult allowablePower(const PowerInputs& inputs);

// The allowable stress number of a SAC or SAT text: the whole text as a
// number, grouping commas and the override mark set aside ("125,700*" is
// 125700). nullopt for any other text ("17x000", "95,000 psi", "") and for a
// stress below 0, which is no material's.
std::optional<double> stressNumber(std::string_view text);

// The message of a failed calculation.
inline constexpr std::string_view PowerFailureMessage = "error in HP calculation, check inputs";

} // namespace cindrel::agma
