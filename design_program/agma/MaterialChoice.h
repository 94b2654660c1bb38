#pragma once

#include "MaterialsTable.h"

#include <optional>
#include <string>
#include <string_view>

// What the material page shows once a member's material is chosen in the tree.
namespace cindrel::agma {

struct MaterialChoice {
    std::string modulus;  // txtYoungs, psi, "###,###,###"
    std::string poisson;  // txtPoissons, "0.000"
    // txtBHN: the material's lowest hardness ("###,###") for another
    // material, or when the box reads 0; nullopt keeps the typed hardness.
    std::optional<std::string> hardness;
    std::string sac;          // txtSAC, psi, "###,###"
    std::string sat;          // txtSAT, reduced for a fully reversing load
    std::string satUnreduced; // the SAT before that reduction
    std::string note;            // lblNotes
    std::string surfaceHardness; // txtSurfaceBHN, as the table gives it
    std::string hardnessUnit;    // the unit label's caption
    bool shortUnit = false;      // under six characters: beside the box (lblHardType2)
    bool bestMaterialsShown = false; // chkBestMats: the material has stress ranges
    std::string sourceType;          // lblMatSourceType
};

// The boxes for a material; sameMaterial when the member had it already, so
// that a typed hardness stays. An empty cell shows an empty box.
MaterialChoice chooseMaterial(const MaterialRecord& material, bool sameMaterial, std::string_view typedHardness,
                              bool fullyReversing);

// lblMatSource: the node's path, the stresses and, after a change of the
// hardness, the hardness and its unit; " fully reversing" at the end when ticked.
std::string materialSourceLine(std::string_view path, std::string_view sac, std::string_view sat,
                               std::optional<double> hardness, std::string_view unit, bool fullyReversing);

} // namespace cindrel::agma
