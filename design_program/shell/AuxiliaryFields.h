#pragma once

#include <QString>

#include <array>
#include <optional>

namespace forms {
class Form;
}

// The few input boxes of the main window that keep another field in step
// when the user leaves them, and the panels' own buttons.
namespace cindrel::shell {

class Startup;

// Connects the angle boxes, percentage and addendum-modification boxes and
// the standard-hob and factor-reset buttons of a freshly built main window.
void connectAuxiliaryFields(Startup& startup, forms::Form& main);

// The helix angle's three boxes packed as D·10000 + M·100 + S, a plain number
// (the seconds keep their fraction): 5, 30, 0 give "53000".
QString packHelixAngle(const QString& degrees, const QString& minutes, const QString& seconds);
// The pressure angle's boxes each rounded to two digits and joined: "053000".
QString packPressureAngle(const QString& degrees, const QString& minutes, const QString& seconds);
// A packed angle back into its three two-digit boxes: the caption's number
// rounded and zero-padded to six digits, cut into pairs.
std::array<QString, 3> unpackAngle(const QString& packed);

// The other member's share when one leaves its box with `text`; none when the
// text is not a number.
std::optional<QString> complementPercentage(const QString& text);

// The suggested addendum-modification coefficient of the gear from the
// pinion's (S − x₀·e) or of the pinion from the gear's ((S − x₁)/e), shown
// as "#.####"; S the sum the centre distance asks, e +1 external, −1 internal.
// None when the text is not a number or e is 0.
std::optional<QString> suggestedGearCoefficient(double sum, int intExt, const QString& pinionText);
std::optional<QString> suggestedPinionCoefficient(double sum, int intExt, const QString& gearText);

// The standard-hob button of hob panel h (0 pinion, 1 gear).
void cmdDefaultHob_Click(Startup& startup, forms::Form& main, int h);
// Re-expresses the length boxes of hob panel h (0 pinion, 1 gear) when the
// user switches it between normalised and actual dimensions, so that they
// still describe the same hob: actual = normalised / s, with s the pair's
// normal diametral pitch (over 25.4 in metric, so a metric normalised value
// is per unit module). A box still showing the hob's own value as the
// standard-hob button writes it shows that value anew, from the hob, in the
// same four decimals; a typed number is converted as typed; a box whose text
// is not a number is left as typed; nothing changes while the pair has no
// usable pitch.
void convertHobDimensions(Startup& startup, forms::Form& main, int h, bool toNormalised);
// The factor-reset button of the "Agma on Main" panel.
void cmdResetAGMAfactors_Click(forms::Form& main);

} // namespace cindrel::shell
