#pragma once

#include "forms/Forms.h"

namespace cindrel::shell {

// Centres a window on the screen, keeping its size.
void CenterForm(forms::Form& form);

// Selects the whole text of the control that has the focus in the program's
// active window; does nothing when there is no such control.
void SelectAllText(forms::Forms& windows);

} // namespace cindrel::shell
