#pragma once

#include "outputs/OutputsHost.h"

namespace forms {
class Form;
class Forms;
} // namespace forms

namespace cindrel::outputs {

// Declares the results grid window "frmScreenOutput". Each load builds it
// from its layout table, hands its controls to the host's outputs object,
// sets the automatic update from the stored preference and restores its
// place, kept within bounds and on a screen. Its close box only hides it;
// any other unloading stores its place.
forms::Form& defineScreenOutputWindow(forms::Forms& windows, OutputsHost& host);

// Shows or hides the window's menus and toolbar and stores the choice.
void ShowMenusAndButtons(forms::Form& window, OutputsHost& host, bool show);

} // namespace cindrel::outputs
