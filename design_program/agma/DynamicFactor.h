#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The dynamic factor Kv from the gear quality, and the rim thickness factor Kb.
namespace cindrel::agma {

// The Kv page's quality lists: position k stands for the transmission
// accuracy level Av = 12 - k ("very accurate gearing" is Av 5). The same
// position is quality number k + 5 in the manufacturing window's lists.
inline constexpr std::array<std::string_view, 8> KvQualityItems = {
    "Quality = 12", "Quality = 11", "Quality = 10", "Quality = 9",
    "Quality = 8",  "Quality = 7",  "Quality = 6",  "very accurate gearing",
};
// Shown in both lists, at no position, once the user typed Kv.
inline constexpr std::string_view UserSelectedKv = "User selected Kv";
inline constexpr int NoQualityPosition = -1;

// Kv = ((A + √vt) / A)^B with B = 0.25 (Av − 5)^0.667 and A = 50 + 56 (1 − B),
// for accuracy level Av (5 to 12) and pitch line velocity vt (ft/min, 0 or
// more); and the highest pitch line velocity of that level, (A + 14 − Av)².
double dynamicFactorValue(int accuracyLevel, double pitchLineVelocity);
double maxPitchLineVelocity(int accuracyLevel);

// What a handler writes: nullopt keeps the control's text, "" empties it.
struct KvOutcome {
    std::optional<std::string> kv;                   // txtKV, "##.00"
    std::optional<std::string> maxPitchLineVelocity; // lblMaxPLV, ft/min, "#"
    std::optional<std::string> maxPinionSpeed;       // lblMaxRPM, rpm, "#"
};

// Kv for the lower of the two chosen qualities (the smaller list position),
// the pinion speed (rpm) and pitch diameter (inch), each box read whole
// (setInputsNumber). No choice for either member keeps Kv and both limits; a
// box that is not a number empties Kv and both limits; a diameter of 0 or
// less, a negative speed or a number too large to work with keeps Kv and
// empties both limits.
KvOutcome dynamicFactor(int pinionPosition, int gearPosition, std::string_view speed, std::string_view pitchDiameter);

// The Kv list position for a position recorded by either window (the
// hidden quality label's text): -1 clears the choice, 0 to 7 choose that
// item; nullopt keeps the list as it is (quality numbers 13 to 15, which the
// Kv list lacks, or a text naming no position).
std::optional<int> kvPositionForRecorded(std::string_view recordedPosition);

// The backup ratio mB (rim thickness over whole depth) in its shortest form,
// and Kb ("#.00", or "1.0" above mB 1.2). Both empty when either length is 0
// or less, empty or unreadable. Both lengths in one unit.
struct RimThicknessOutcome {
    std::string backupRatio;
    std::string kb;
};
RimThicknessOutcome rimThicknessFactor(std::string_view wholeDepth, std::string_view rimThickness);

} // namespace cindrel::agma
