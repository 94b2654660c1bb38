#pragma once

#include "AllowablePower.h"

#include "runtime/ErrorReporter.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cindrel::model {
class T_Set;
}

// The commit of the AGMA factors window: its texts into the gear pair model
// and onto the main window. Plain C++ on the model, so that it is tested and
// measured without windows.
namespace cindrel::agma {

// The window's texts the commit reads.
struct CommitTexts {
    std::string Cf, Km, Ko, Kr, Ks, Kt, Kv;
    std::array<std::string, 2> Ch, Kb, SF, Sh, Yn, Zn;
    std::array<std::string, 2> Youngs, Poissons, SAC, SAT;
    std::array<std::string, 2> matSourceType, matSource;
    std::array<std::string, 3> life; // pinion cycles, gear cycles, hours
    std::array<std::string, 2> contacts; // txtContacts(0..1), per revolution
    std::string rms;                 // txtRMS, Ra µin; empty when the user left it as it was
    std::string speed;               // txtInps(0), rpm
    std::string faceWidth;           // txtInps(1)
    std::string pitchDiameter;       // txtInps(2)
    std::string diametralPitch;      // txtInps(3)
    std::string ratio;               // txtInps(4)
    std::string kmEquation;
    // The powers recalculated just before; none when no power is valid.
    std::optional<AllowablePowers> powers;
};

// What the commit reads of the main window and the units.
struct CommitMainSide {
    std::string powerHowInput; // lblPowerHowInput's caption
    bool metric = false;       // chkMetricUnits ticked
    double pressureFactor = 1; // shown stress per psi
    double rmsFactor = 1;      // shown surface finish per RMS µin
};

// One text for a box or label of the main window (index -1: no array).
struct MainWindowWrite {
    std::string name;
    int index = -1;
    std::string text;
    bool operator==(const MainWindowWrite&) const = default;
};

// A box whose text the commit cannot take as a number: the box, the tab
// it stands on and the message that names it.
struct UnreadableBox {
    std::string name;  // control name
    int index = -1;    // member, -1 for a single box
    int tab = 0;       // tab of the window's tab strip
    std::string message;
};

struct CommitResult {
    std::vector<MainWindowWrite> writes; // in the order made
    bool showPowerFrame = false;         // fraAGMA_HPs
    // The table for the navigator's results; none when no power is valid.
    std::optional<std::array<AllowablePowerRow, 2>> powerTable;
    // Set when the texts were refused and nothing was committed.
    std::optional<UnreadableBox> refused;
};

// The first box, in the commit's order, whose text is not a number of 0 or
// more once grouping commas and the override mark are set aside
// (wholeBoxNumber): a Set Inputs box (speed, face width, pitch diameter,
// diametral pitch, ratio; first, as the factors are worked from them), a
// factor (an empty factor included), a modulus, Poisson's ratio, SAC or SAT,
// a life box (cycles, hours) or a contacts box. "17x000" and "1,5" are no
// number, "-3" is below 0. An empty Set Inputs, material, life or contacts
// box is no fault. nullopt when all can be read.
std::optional<UnreadableBox> unreadableBox(const CommitTexts& texts);

// What the window's messages call a box ("Ko, the overload factor", "Sh, the
// pitting safety factor of the gear", "The life in hours"); index -1 for a
// single box, the member for a member's box, the box's index for txtLife and
// txtInps.
std::string boxDescription(std::string_view name, int index);

// The allowable power tab's message for a failed calculation: the general
// message, and the box at fault with its text when there is one.
std::string powerFailureMessage(const PowerBox& fault, std::string_view text);

// The first Set Inputs box (txtInps(0..4)) whose text is neither empty nor a
// whole number (setInputsNumber): the powers are not shown while one is, so
// that none is worked from its first digits. nullopt when all can be read.
std::optional<PowerBox> unreadableSetInput(const std::array<std::string_view, 5>& inps);

// What leaving the Set Inputs tab says of txtInps(index) holding `text`,
// no number: the box named, its text, and that it must be mended first.
std::string setInputsSlipMessage(int index, std::string_view text);

// Why Cp is missing: the first modulus (txtYoungs) or Poisson's ratio
// (txtPoissons), pinion before gear, that gives no Cp: empty, not a number,
// a modulus not above 0, a ratio not between 0 and 1. nullopt when all four
// are sound.
std::optional<PowerBox> elasticDataFault(const std::array<std::string_view, 2>& modulus,
                                         const std::array<std::string_view, 2>& poisson);

// Writes the factors, power, speed, elastic data and stress numbers into the
// pair and returns what the main window receives. Texts with a box that
// unreadableBox names change nothing: the result is empty but for `refused`.
// A step that fails is reported and skipped; the next one runs. An empty
// modulus, SAC or SAT (no material) goes in as 0, so that the sequence's
// checks speak of it.
CommitResult commitFactors(const CommitTexts& texts, const CommitMainSide& main, model::T_Set& pair,
                           runtime::ErrorReporter& errors);

// Ra µin as the main window's surface finish box shows it: RMS µin (× 1.1)
// times the display factor (1 English, 0.023091 metric µm).
std::optional<std::string> surfaceFinishText(const std::string& ra, double rmsFactor);

} // namespace cindrel::agma
