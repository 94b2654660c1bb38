#pragma once

#include "MaterialsTable.h"

#include <optional>
#include <string>
#include <string_view>

// The allowable contact (SAC) and bending (SAT) stress numbers of a member's
// material, psi, as the material page shows them ("###,###").
namespace cindrel::agma {

// The stress boxes after a change of the hardness.
struct HardnessStresses {
    bool withinRange = false;
    double hardness = 0;   // the hardness taken: the typed one, or 0 outside the range
    std::string note;      // lblNotes: the material's note, or the range message
    std::string sac;
    std::string sat;       // reduced for a fully reversing load when asked
    std::string satUnreversed; // the SAT before that reduction
};

// SAC and SAT from the typed hardness: slope × hardness + intercept within
// the material's range; "0" and the range message outside it. nullopt when
// the material holds its stresses to no hardness range (highest hardness
// empty or 0): the boxes keep their values.
std::optional<HardnessStresses> stressesForHardness(const MaterialRecord& material, std::string_view hardness,
                                                    bool fullyReversing);

// The message for a hardness outside a material's range.
std::string hardnessRangeMessage(double lowest, double highest);

// The ends of the material's stress ranges (best materials and methods) or
// their starts, SAT reduced for a fully reversing load.
struct RangeStresses {
    std::string sac;
    std::string sat;
};
RangeStresses rangeStresses(const MaterialRecord& material, bool bestMaterials, bool fullyReversing);

// A fully reversing load takes 70 % of the SAT. Ticking the box reduces the
// shown SAT and keeps the text it replaced; clearing it brings that text back
// (decimals and the override mark as they were) while the box still shows
// the reduced text, and otherwise divides what the box shows by 0.7.
class SatReversal {
public:
    std::string tick(std::string_view sat);
    std::string clear(std::string_view sat);
    // A SAT the page worked out itself while the box is ticked.
    void remember(std::string reduced, std::string unreduced);

private:
    std::optional<std::string> reduced_;
    std::string unreduced_;
};

// SAT × 0.7 and SAT / 0.7 as shown ("###,###"), the override mark kept.
std::string reducedSat(std::string_view sat);
std::string restoredSat(std::string_view sat);

} // namespace cindrel::agma
