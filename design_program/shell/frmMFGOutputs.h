#pragma once

#include <cstdint>
#include <vector>

namespace forms {
class Form;
}

namespace cindrel::shell {

class Startup;

// The manufacturing window: the shop inputs of the manufacturing table in
// its edit panel, then the table as a grid, as a printout in its print
// control, or on the clipboard. It is loaded hidden at start-up and only
// shown and hidden until shut-down; the manufacturing outputs object exists
// while it is open.
class frmMFGOutputs {
public:
    explicit frmMFGOutputs(Startup& startup);

    // Declares the window; its controls come with each load.
    void define();

    // Fills the member's pin list and selects the pin; with loadList false
    // (the list could not be read) it shows the pin between two error lines.
    void loadPinCombo(const std::vector<float>& PinList, double SelectedPin, std::int16_t Index, bool LoadList);
    // The grid command: applies the edit panel when it shows, then the table as a grid.
    void mnuViewGrid_Click();
    // Shows the edit panel.
    void EditScreen();

    enum Command { Edit, ViewGrid, Print, PrintPreview, Copy, Return };
    void command(Command which);

    // 0 before the first command, 3 edit panel, 1 grid, 2 print control, 4 after a copy.
    int ViewState() const { return viewState_; }

private:
    forms::Form& form();
    void load(forms::Form& window);
    void activate();
    void resize();
    void close();
    // Hands the edit panel to the outputs object and builds the table. A
    // value that cannot be read is told to the user and nothing is applied.
    bool ApplyEditedValues();
    void showPanel(int panel);
    // Labels the pin diameter with the display unit; the clearance is in inches.
    void showUnits();
    void moveDefaults(int member, bool tif, bool pin, bool span);
    void syncDecimalPlaces();
    void syncHelixHands();
    void syncQualities();
    void showNotes();

    Startup& startup_;
    int viewState_ = 0;
    bool settingHands_ = false;
};

} // namespace cindrel::shell
