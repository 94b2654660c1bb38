#pragma once

#include "forms/Form.h"
#include "forms/Layout.h"

#include <QString>

#include <span>

// The main window of the design program: its menus, the eleven step panels
// with every input, caption and unit label, the navigation buttons and the
// hidden labels that other windows read, in twips.
namespace cindrel::layouts {

// Every control of the main window, panel by panel in the order a user meets
// them (which is also the tab order). A saved control carries its design-file
// key without the array index in DataField ("frmMain_txtNumTeeth").
std::span<const forms::ControlSpec> frmMainControls();

// The keys of the main window's saved controls in the order a design file
// holds them. Files are written in the reverse of the order in which the
// controls were created, so the saved controls are created in the reverse of
// this list.
std::span<const char* const> frmMainSavedKeys();

// The design-file key of a saved row: DataField, and "#" and the index for an
// array member. Empty for a row that is not saved.
QString savedKeyOf(const forms::ControlSpec& spec);

// Builds the main window: the unsaved controls in table order, then the saved
// ones in the reverse of frmMainSavedKeys(), then the tab order as the table
// gives it. A saved row missing from the key list, or a key without its row,
// raises run-time error 5.
void buildMainWindow(forms::Form& form);

} // namespace cindrel::layouts
