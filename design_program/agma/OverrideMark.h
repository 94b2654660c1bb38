#pragma once

#include <optional>
#include <string>
#include <string_view>

// The override mark: a factor the user typed ends with "*", and the
// calculators leave it alone. A factor box's change records its tag in the
// window's last-change tag; on leaving the box its value takes the mark when
// the user typed in it and the last change recorded was the box's own.
namespace cindrel::agma {

// The factor boxes that take the mark (Ks and Kt never do).
inline constexpr std::string_view MarkedBoxes[] = {"txtKb", "txtKm", "txtKV", "txtCh", "txtKo", "txtKr",
                                                   "txtYn", "txtZn", "txtCf", "txtSAC", "txtSAT"};

// The tag a change of box (index, -1 for a single box) records: Kb and Ch
// without the member index, Yn, Zn, SAC and SAT with it. nullopt for a box
// whose change records none (Ks, Kt and any box not listed).
std::optional<std::string> changeTag(std::string_view box, int index);

// Whether the box's change records its tag also while the window's handlers
// are held quiet (a calculator writing Km, Yn, Zn, SAC or SAT).
bool tagsWhileQuiet(std::string_view box);

// Whether the last-change tag lets the box take the mark.
bool passesTagTest(std::string_view box, int index, std::string_view lastChange);

// The text a box holds after it loses the focus: the text with the mark when
// the user typed in it since it got the focus, it carries no mark yet and the
// tag test passes; nullopt when it stays as it is.
std::optional<std::string> markedOnLeaving(std::string_view box, int index, std::string_view text,
                                           std::string_view lastChange, bool typed);

} // namespace cindrel::agma
