#pragma once

#include <QString>

namespace forms {
class Form;
class Label;
} // namespace forms

// The hidden mode labels of the main window: each selection control writes
// its choice as a number into its label, and each label's change rebuilds its
// panel from the number, so that a number read from a design file shows in the
// selection control, its frames and its captions.
namespace cindrel::shell {

class Startup;

// Connects every selection control and mode label of a freshly built main window.
void connectModeLabels(Startup& startup, forms::Form& main);

// Refills the two tooth-thickness method boxes: five methods, or for the
// gear of an internal pair (FullList false) only the first three.
void FillTThkMethodCombos(forms::Form& main, bool FullList);

// Enables both helix-hand boxes of the manufacturing outputs window, or
// clears and disables them.
void EnableHelixHandCombos(Startup& startup, bool Enable);

// The change rule of lblPowerHowInput: selects the load option and names the
// two load inputs in the units of the metric box.
void lblPowerHowInput_Change(forms::Form& main);

// The number a mode label holds: its caption's leading number rounded to a
// whole number, halves to even; 0 for a caption that starts with no number.
// Numbers beyond the range of mode values read as ModeOutOfRange.
int modeNumber(const QString& caption);
inline constexpr int ModeOutOfRange = 1'000'000;

} // namespace cindrel::shell
