#pragma once

#include <QFont>

namespace forms {

// The font the windows' controls show their texts in, unless a control sets
// its own. The layouts size every control in twips for the 8-point sans
// serif of the classic desktop, 11 pixels high at 15 twips a pixel, whose
// letters are as wide as Helvetica's. A wider face cuts texts off, so the
// face is one drawn to those widths (Liberation Sans, Arimo, Arial); on a
// machine with none of them, the face found instead is narrowed or widened
// to those widths.
QFont interfaceFont();

// The width, in ems, of "etaoin shrdlu" in a face of Helvetica's widths:
// the sum of the published advances of its letters.
inline constexpr double referenceTextEms = 5.725;
inline constexpr const char* referenceText = "etaoin shrdlu";

} // namespace forms
