#pragma once

#include "forms/Layout.h"

#include <span>

// The layouts of the drawing program's windows, in twips, controls in
// creation order.
namespace vantrope::layouts {

// The drawing window: its menu bar and the drawing surface.
std::span<const forms::ControlSpec> frmGears();
// The inputs dialog: four element columns, the shared fields, the mesh
// buttons and the slider.
std::span<const forms::ControlSpec> frmInputs();
// The settings dialog: three pages chosen by the menu bar, OK and Cancel below.
std::span<const forms::ControlSpec> frmSettings();

} // namespace vantrope::layouts
