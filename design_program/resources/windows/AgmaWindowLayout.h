#pragma once

#include "forms/Layout.h"

#include <span>

// The layout of the AGMA factors window, in twips, as one table of controls
// in creation order: the window's menus and frame, then the pages. The saved
// controls come in the order that design files have always been written in.
namespace cindrel::layouts {

std::span<const forms::ControlSpec> frmAGMA();

// Where the notes area stands, in twips from the top of the client area.
inline constexpr int AgmaNotesTop = 5600;

} // namespace cindrel::layouts
