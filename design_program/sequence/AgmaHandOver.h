#pragma once

#include "sequence/Ports.h"

#include <array>
#include <string>
#include <string_view>

// The AGMA factors window's controls the sequence writes, and the rounding of the geometry factors that the sequence hands to the AGMA
// factors window and shows in its tables.
namespace cindrel::sequence {

// The AGMA factors window's control of a name and array index.
ControlId agmaWindowControl(std::string_view name, int index = -1);

// J as the navigator keeps it: shown with three decimals ("#.000", ".387")
// and read back in single precision, so 0.38712 is kept as 0.387f and the
// failure value -999 as -999. Overflow beyond single precision.
double storedJFactor(double jay);

// I as the checks take it: shown with three decimals and digit grouping,
// read back as a number.
double takenIFactor(double eye);

// What a failed geometry factor shows in a table cell and in the AGMA
// factors window's boxes, in place of a number: no stress, power or service
// factor is ever worked out from it.
inline constexpr std::string_view FailedFactorMark = "failed";
// The I factor the checks took, at or below this, failed.
inline constexpr double SmallestIFactor = 0.001;

// "0.000", or the mark for a failed J.
std::string jFactorText(double jay);
// Names the members whose factor failed, "Pinion J factor failed" or
// "Pinion and Gear J factors failed"; "" when none did.
std::string failedMembersText(const std::array<bool, 2>& failed, std::string_view factor);

} // namespace cindrel::sequence
