#pragma once

#include <cstdint>

namespace forms {
class Form;
}

namespace cindrel::shell {

class Startup;

// Declares the options dialog ("Options"): the settings object's preferences
// in five tabs, of which "Units" and "Window" are hidden. The dialog fills
// itself from the stored settings when it loads; OK and Apply store, Cancel
// and the close box drop what was not stored at once.
void defineOptionsDialog(Startup& startup);

// Loads the dialog, selects the tab (0 "File" ... 4 "User Info") and shows it
// modally over the owner, as the main window's Options menu and the printed
// report's request for the user's address do.
void showOptionsDialog(Startup& startup, int tab, forms::Form* owner = nullptr);

// What the settings object does with the dialog's controls; each needs the dialog loaded.
void FillOptionsDialog(Startup& startup);
void SaveOptionsDialog(Startup& startup);

} // namespace cindrel::shell
