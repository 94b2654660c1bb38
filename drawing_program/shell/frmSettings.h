#pragma once

#include "drawing/clsSettings.h"

#include <memory>
#include <optional>
#include <string>

#include <QString>

namespace forms {
class Form;
class Control;
} // namespace forms

namespace vantrope {

class Startup;

// The settings dialog "Settings": colours, line types, widths and draw flags
// of the fifteen drawing options, points per feature, teeth drawn, the
// export's gear size and the switches. It edits a working copy and applies
// everything at once when accepted (OK, or another window of the program
// becoming active while "Save on lose focus" is set); the log switch alone
// is stored the moment it is clicked.
//
// An entry that is not a number, or one outside what its setting can hold,
// is refused with a message naming it: nothing is applied and the dialog
// stays open on it.
class frmSettings {
public:
    // Declares the window; it loads on first use.
    explicit frmSettings(Startup& startup);

    forms::Form& form();
    bool isLoaded() const;
    // Loads the dialog on the settings as they are, at (left, top) in twips,
    // modeless; an open dialog only comes to the front.
    void Show(double left, double top);

    // Writes the dialog's values into the settings and the editors into the
    // working copy. False, with nothing written, when an entry is refused.
    bool SaveFormData();

    // For tests: the working copy and the option in the editors.
    const OptionCollection* workOptions() const { return work_.get(); }
    const std::string& editKey() const { return editKey_; }

private:
    void build(forms::Form& form);
    void load();
    void CloseSettings(bool Accept);
    void ShowOption();
    void StoreOption();
    void FillOptionList();
    void showLineEditors(bool shown);
    void showPage(int page);
    void itemClick(int row);
    void itemCheck(int row);
    void dblClick();
    void picColorClick();
    void cmdDefaultClick();
    void cmdDefaultColorsClick();
    void cmdBlackOnWhiteClick();
    void chkLoggedClick();
    void deactivated();

    // The first refused entry: its message and the control to go back to.
    struct Refusal {
        QString message;
        forms::Control* control = nullptr;
        int page = 0;
    };
    std::optional<Refusal> checkEntries();
    std::optional<Refusal> checkWidth();
    void refuse(const Refusal& refusal);

    Startup& startup_;
    std::unique_ptr<OptionCollection> work_;
    std::string editKey_;
    bool editorsFilled_ = false;
    bool loading_ = false;
    // A dialog of our own (colour chooser, message) takes the focus meanwhile.
    bool askingUser_ = false;
    bool closing_ = false;
};

} // namespace vantrope
