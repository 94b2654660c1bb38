#pragma once

#include <optional>
#include <string_view>

// Reading the texts of the AGMA factors window's boxes.
namespace cindrel::agma {

// The number a box shows: its leading number, where the commas of a grouped
// integer count as the number ("40,000 BHN" is 40000, "10,000,000" cycles is
// 10000000, "7,001*" is 7001). An integer is grouped when its first group has
// one to three digits and does not start with 0, and each later group has
// exactly three; any other comma ends the number ("1,5" and "1234,567" read
// their digits before the comma, "0,350" is 0). 0 when the text does not
// start with a number. Overflow (runtime error 6) beyond the double range.
double boxNumber(std::string_view text);

// The same where a number beyond the double range counts as no number (0).
double boxNumberOrZero(std::string_view text);

// The number a box holds when its whole text is one: grouping commas (as
// boxNumber takes them) and one trailing override mark set aside, the rest
// must be one number as the program's other boxes read it ("1.0*",
// "125,700", "1e5", " 2 "). nullopt for anything else, so that a slip of the
// keyboard is never read by its first digits: "17x000", "1 000", "1,5",
// "0,350", "1234,567", "", "*", and a number beyond the double range.
std::optional<double> wholeBoxNumber(std::string_view text);

// The number of a "Set Inputs" box (speed, face width, pitch diameter,
// diametral pitch, ratio): its whole text as wholeBoxNumber reads it, an
// empty box 0. nullopt for any other text, so that "1,5" is never a face of
// 1 nor "2,5" a ratio of 2: nothing is worked from such a box.
std::optional<double> setInputsNumber(std::string_view text);

// The override mark: the text ends with "*" (a typed value, or a default the
// calculators leave alone).
bool carriesMark(std::string_view text);

} // namespace cindrel::agma
