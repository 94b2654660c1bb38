#pragma once

#include "LoadDistribution.h"
#include "MaterialsTable.h"

#include "runtime/ErrorReporter.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The life of the pair (pinion cycles, gear cycles, hours at rated speed) and
// the stress cycle factors Yn (bending) and Zn (pitting) of each member.
namespace cindrel::agma {

// The life boxes by index.
enum LifeBox { PinionCycles = 0, GearCycles = 1, Hours = 2 };

// A life value as a life box shows it: plain digits, never exponent form.
std::string lifeText(double value);

// The number a life or contacts box holds: its whole text as a number
// (wholeBoxNumber: grouping commas and a trailing mark set aside), an empty
// box 0. nullopt for any other text and for a number below 0, so that
// "17x000" hours are never 17 or 17,000 and "-3" never 3: nothing is
// derived from such a box.
std::optional<double> lifeNumber(std::string_view text);

struct LifeInputs {
    std::string_view speed; // txtInps(0), pinion rpm
    std::string_view ratio; // txtInps(4), gear teeth over pinion teeth
    std::array<std::string_view, 3> life;     // txtLife(0..2)
    std::array<std::string_view, 2> contacts; // txtContacts(0..1), per revolution
};

struct LifeOutcome {
    std::optional<CalculatorMessage> message; // with tab 0 and the focus on `focus`
    SetInputsBox focus = SetInputsBox::None;
    std::array<std::optional<std::string>, 3> life; // the two boxes derived
    bool stressCyclesFollow = false;                // Yn and Zn are worked out next
};

// The other two life quantities from the one changed (index 0 to 2). No
// pinion speed or no ratio (a box that is not a whole number counts as
// none, setInputsNumber): a message; contacts below 1 or not a number, or
// a changed box that is not a number (lifeNumber): nothing. A rounding
// step that fails is reported to errors; a result beyond the single
// precision range is not written.
LifeOutcome deriveLife(int changed, const LifeInputs& inputs, runtime::ErrorReporter& errors);

// The pinion cycles the "Set Inputs" speed gives with the hours and the
// pinion's contacts (hours × 60 × contacts × speed); nullopt keeps the box
// (hours, contacts or speed that are not a number, a product beyond the
// single precision range).
std::optional<std::string> pinionCyclesFromSpeed(std::string_view hours, std::string_view contacts, std::string_view speed);
// The gear cycles a ratio above 1 gives (pinion cycles / ratio); nullopt for
// a ratio of 1 or less or not a number, which changes nothing, for pinion
// cycles that are not a number and for a quotient beyond the single
// precision range.
std::optional<std::string> gearCyclesFromRatio(std::string_view pinionCycles, std::string_view ratio);

// Written into all four factor boxes when either member has no cycles: 1,
// marked so that it is left alone.
inline constexpr std::string_view UnityFactor = "1*";
inline constexpr std::string_view FactorError = "Err";
inline constexpr std::string_view NoCurveBelow160 = "no curve below 160 HB";

struct StressCycleMember {
    const MaterialRecord* material = nullptr; // none: the member's factors stay
    std::string_view cycles;                   // its life box
    std::string_view hardness;                 // txtBHN(i)
    bool conservative = false;                 // chkConservative(i)
};

// One factor with its equation labels.
struct CycleFactor {
    std::string value;    // "#.000", or "Err"
    std::string factor;   // coefficient " * " cycles as typed
    std::string exponent;
};

struct MemberCycleFactors {
    CycleFactor yn;
    CycleFactor zn;
    bool conservativeShown = false;
};

struct StressCycleOutcome {
    bool noCycles = false; // all four boxes take UnityFactor; nothing else changes
    std::array<std::optional<MemberCycleFactors>, 2> members;
};

// Yn and Zn of both members from their material rows. Each member is worked
// out on its own; a step that fails gives "Err" for that factor. Cycles read
// as lifeNumber: either box 0 or empty is noCycles; either box not a number
// changes nothing (no members), the commit names it.
StressCycleOutcome stressCycleFactors(const std::array<StressCycleMember, 2>& members);

} // namespace cindrel::agma
