#pragma once

#include "MaterialsTable.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The hardness ratio factor Ch of the gear and the elastic coefficient Cp.
namespace cindrel::agma {

// Ch applies to a through-hardened steel gear driven by a through-hardened
// or surface-hardened (flame or induction hardened, carburized, nitrided)
// steel pinion. No material (nullptr) for either member: it does not.
bool chApplies(const MaterialRecord* pinion, const MaterialRecord* gear);

struct HardnessRatioInputs {
    bool applies = false;                                // ChApplies
    std::array<std::string_view, 2> surfaceHardness;     // txtSurfaceBHN(0..1), BHN
    std::string_view finish;                             // txtRMS, pinion Ra, microinches
    std::string_view ratio;                              // txtInps(4)
    std::array<const MaterialRecord*, 2> materials{};    // the members' rows
    int changed = 1;                                     // the member whose hardness changed
};

// The gear's Ch ("#.00", or "1.0" where the rules give no gain), or nullopt
// when txtCh(1) keeps its text (Ch does not apply, no gear hardness). The
// hardness of the member that changed is checked against its material's
// range: an empty or 0 bound is none, HRC bounds are turned into BHN first,
// the row's own surface hardness always lies within its range, and a range of
// core hardness (nitrided steels) does not bound the surface. The ratio is
// read whole (setInputsNumber): one that is not a number gives "" (no Ch)
// where the ratio is used, the through-hardened pinion.
std::optional<std::string> hardnessRatioFactor(const HardnessRatioInputs& inputs);

// The same when the finish changed: a finish above 64 gives "1.0" at once.
std::optional<std::string> hardnessRatioFactorForFinish(const HardnessRatioInputs& inputs);

// Cp in √psi ("###") from both members' Young's modulus (psi) and Poisson's
// ratio, each box read as a whole number (wholeBoxNumber); empty unless both
// moduli are above 0 and both ratios lie between 0 and 1.
std::string elasticCoefficient(const std::array<std::string_view, 2>& modulus,
                               const std::array<std::string_view, 2>& poisson);

} // namespace cindrel::agma
