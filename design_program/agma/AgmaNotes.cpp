#include "AgmaNotes.h"

#include <array>

namespace cindrel::agma {

namespace {

struct Note {
    std::string_view key;
    std::string_view text;
};

// Each note as its pieces stand, spacing included.
constexpr std::array<Note, 10> Notes = {{
    {"Kt", "Kt, Temperature factor,"
           "Generally 1.0 if operating temperature is <=250\u00b0F. "
           "Care needed for brittle failure if operating below 32\u00b0F, "
           "and consider loss of hardness if operating over 300\u00b0F."},
    {"Ks", "Ks, Size factors for gear teeth have not been "
           "established in the AGMA 2001, If proper choice of steel, heat "
           "treatment and hardening process is made, Ks should be 1.0"},
    {"Kv", "Kv, Dynamic factor, is based on the Lower Quality Number of the set "
           "If 'very accurate gearing' is selected, then the quality is assumed to be "
           "5.0, now the highest quality since change in AGMA 2001-C95 to 2001-D04 "
           "This change should not affect older Cindrel runs as the mapping in the "
           "data file represents the same quality, though not the same quality number."},
    {"Kb", "Kb, Rim thickness factor is for fabricated gears or gears with a thin "
           "rim relative to the height of the teeth.  If the ratio of the rim thickness to the "
           "whole tooth depth is less than 1.2 then the rim is susceptible to failure"},
    {"Cf", "Cf, Surface condition factor, used in the pitting resistance "
           "formula depends on: Surface finish such as whether the gear was cut "
           "ground or shot peened, Residual stress, Plasticity effects and work "
           "hardening. The standard for this factor has not yet been established "
           "and is generally left at the 1.0 default value"},
    {"Sf", "Sf, Safety factor, used as a ratio of design stress to material strength. "
           "The safety factor accounts for variations and uncertainties in the analysis, "
           "material and manufacturing.  Especially consider human safety and the economic "
           "consequences of failure.  Since a bending failure can be more catastrophic than a pitting "
           "failure you may want a greater factor of safety for the bending strength of the teeth. "},
    {"Ch", "Ch, Hardness factor, if the pinion is significantly harder than the gear then the gear "
           "gets work-hardened.  The Ch factor is only applicable to the gear if the gear is through "
           "hardened steel and the pinion is through hardened or surface hardened steel."},
    {"Km", "Km, Face load distribution factor.  Accounts for non-uniform distribution of load "
           "across the face width.  The magnitude of this factor is defined to be the peak-load "
           "intensity divided by the average load intensity across the face width."},
    {"Kr", "Watch out that you don't exceed the maximum yield strength of the material!"
           "(note stress concentration factor Kf from _Stress.csv in low cycle yielding)"},
    {"AGMA", "This program is based on the American Gear Manufacturers Association, (AGMA) standard 2001-D04 "
             "Fundamental Rating Factors and Calculation Methods for Involute Spur and Helical Gear Teeth "
             "**Please refer to the original document for a more complete coverage of this topic.** "},
}};

} // namespace

std::string noteFor(std::string_view key) {
    for (const Note& note : Notes)
        if (note.key == key)
            return std::string(note.text);
    return {};
}

} // namespace cindrel::agma
