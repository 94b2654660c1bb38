#pragma once

#include "AGMA_Materials.h"
#include "AgmaWindowState.h"
#include "AllowablePower.h"

#include "runtime/ErrorReporter.h"

#include <QString>

#include <array>
#include <cstdint>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace cindrel::model {
class T_Set;
}

namespace forms {
class Control;
class Form;
class Forms;
class TextBox;
class TreeView;
} // namespace forms

namespace cindrel::agma {

// What the AGMA factors window needs of the program around it.
struct AgmaWindowServices {
    // Progress notes and the common error handler.
    runtime::RunLog* runLog = nullptr;
    // The folder whose "*.tbl" files add to the built-in materials.
    std::function<std::filesystem::path()> programFolder;
    // The user's preference: the notes area starts shown. Shown when unset.
    std::function<bool()> showEquation;
    // The gear pair the commit writes; none: the commit writes no model.
    std::function<model::T_Set*()> pair;
    // The navigator: its move (1 Next, 2 Previous, 0 the last move again)
    // and the allowable power table for its results (none: no valid power).
    // Unset, Next and Previous are left to whoever else handles them.
    std::function<void(std::int32_t)> pushNextButton;
    std::function<void(const std::optional<std::array<AllowablePowerRow, 2>>&)> all4Horsepowers;
    // Display factors of the main window's stresses and surface finish.
    std::function<double()> pressureFactor;
    std::function<double()> rmsFactor;
};

// Fills a tree with one node per materials row, the top level sorted. A row
// whose relative node is missing raises the tree's error; the nodes added
// before it stay.
void fillMaterialTree(forms::TreeView& tree, const MaterialsTable& table);

// The AGMA factors window: its layout, its window-level state and the
// handlers of its material, Kv, Kb, Km, Ko and Kr, Yn and Zn, Ch and Cp
// pages. Declared once with the program's window registry; it is built and
// loaded (hidden) on first use and keeps its values between visits.
class frmAGMA : private MaterialMessages {
public:
    frmAGMA(forms::Forms& windows, AgmaWindowServices services);
    ~frmAGMA() override;
    frmAGMA(const frmAGMA&) = delete;
    frmAGMA& operator=(const frmAGMA&) = delete;

    static inline const QString WindowName = QStringLiteral("frmAGMA");

    // The window, loaded.
    forms::Form& form();
    const AgmaWindowState& state() const { return state_; }

    // While set, the handlers that test it return at once (the design file
    // sets it around its writes).
    void StopTheEvents(bool stop)
    {
        state_.StopTheEvents = stop;
        // What the boxes hold from here on came with the design, not from the user.
        if (stop)
            finishEdited_ = false;
    }
    // Reselects member Index's material from its record key; a key that names
    // no material leaves that member, and only that one, without material.
    void lblRecordKey_Change(int Index);
    // Collapses the tree and empties both members' material boxes.
    void BlankOutMaterialBoxes();
    // The Kb page's whole depths and rim thicknesses are in the display
    // length unit: a new unit relabels them and converts what they hold, so
    // that the backup ratio never mixes inch and mm. Kb itself is kept.
    void SetLengthUnit(const std::string& unitLabel, double lengthFactor);

    // Commits the window into the pair and the main window, then moves the
    // sequence: 1 Next, 2 Previous, 0 the last move again.
    void CommitFactors(std::int32_t direction);

private:
    void build(forms::Form& form);
    void connectHandlers();
    void formLoad();

    // Materials page.
    void FillTreeView();
    void cmdPoG_Click(int Index);
    void TreeView_NodeClick(const QString& key);
    void ExpandSelect(const std::string& NodeKey);
    void SetNodesExpanded(bool Expanded);
    void blankMember(int member);
    void txtBHN_Change(int Index);
    void chkReversing_Click(int Index);
    void chkBestMats_Click(int Index);
    void txtContacts_Change(int Index);
    void txtContacts_LostFocus(int Index);
    std::optional<MaterialRecord> materialOf(int member) const;
    std::string materialPathOf(int member) const;

    // Kv and Kb.
    void cmbKV_Click(int Index);
    void lblComboQuality_Change(int Index);
    void txtKV_Change();
    void txtKBin_Change(int Index);
    void txtKb_Change(int Index);

    // Km.
    void CalcKm();
    bool CalcCpm();
    void chkCE_Click();
    void chkCMC_Click();
    void lbloptGearStyle_Change();
    // Chooses the option of a row that its hidden label names, or none; the chosen one.
    std::optional<int> chooseRecordedOption(const char* label, const char* options, int count);
    void txtKmOffsetOrSpan_Change();
    // txtKmOffset_LostFocus and txtKmSpan_LostFocus.
    void bearingLength_LostFocus(bool offsetLeft);

    // Ko and Kr.
    void optKo_Click(int Index);
    void txtKo_Change();
    void lblKoSelection_Change();
    void optKR_Click(int Index);
    void txtKr_Change();
    void lblKrSelection_Change();

    // Yn and Zn.
    // Which factor boxes a run of the stress cycle factors writes.
    enum class CycleRefresh {
        // A life typed on the page: all four, "1*" without cycles.
        All,
        // A life that followed an input of another page (speed, ratio,
        // contacts): every box but a marked one; without cycles none.
        Unmarked,
        // One member's material or hardness changed: that member's unmarked
        // boxes only; without cycles none, the cycles did not change.
        MemberUnmarked,
        // One member's conservative curve chosen: that member's boxes and
        // the other member's unmarked ones; without cycles none.
        MemberChosen,
    };
    void txtLife_Change(int Index, CycleRefresh refresh = CycleRefresh::All);
    // Works out Yn and Zn of both members and writes the boxes `refresh`
    // names (changed: the member of MemberUnmarked and MemberChosen).
    void subYn(CycleRefresh refresh = CycleRefresh::All, int changed = -1);
    // Empties a member's unmarked Yn and Zn and their equations: its cycles
    // are gone.
    void emptyStressCycleFactors(int member);

    // Ch and Cp.
    void txtSurfaceBHN_Change(int Index);
    void txtRMS_Change();
    void elasticData_Change(const char* tag, int Index, const QString& text);
    void CalcCp();

    // The override mark.
    void factorBox_Change(const char* name, int Index);
    void factorBox_LostFocus(const char* name, int Index);
    // A typed Km stands alone: the Km page's calculator inputs are cleared.
    void clearKmInputs();

    // The notes area.
    void ShowNotes(std::string_view key);
    void mnuNotes_Click();
    void setNotesShown(bool shown);
    // mnuPittingEq_Click and mnuBendEq_Click.
    void showEquation(bool pitting);
    void imaPac_MouseMove(int button, double x, double y);
    void lblHelpText_MouseMove();
    void loadEquationPictures();

    // Set Inputs.
    void txtInps_Change(int Index);
    // The first Set Inputs box that holds no number, as the power tab names
    // it; nullopt when all can be read.
    std::optional<PowerBox> setInputsSlip();

    // Allowable power.
    void CalcAllowablePower();
    PowerInputs powerInputs();
    void showAllowablePower(const AllowablePowers& powers);
    void voidAllowablePower();
    bool markFailedFactors();

    // The window.
    void tabMain_Click(int Left);
    // The tab test of a tab being left: the first box holding 0, with the
    // inner Kb tab it stands on (-1 for none).
    struct ZeroBox {
        const char* name;
        int index;
        int innerTab;
    };
    std::optional<ZeroBox> zeroBoxOf(int tab);
    bool hasMaterial(int member) const;
    // Sets the tab back to one left, without tests or entry actions.
    void returnToTab(int tab);
    void tabEntry(int tab);
    void showPage(int tab);

    // Control access and writes.
    forms::TextBox& box(const char* name, int index = -1);
    std::string text(const char* name, int index = -1);
    void setText(const char* name, int index, const std::string& text);
    void setCaption(const char* name, int index, const std::string& caption);
    bool ticked(const char* name, int index = -1);
    void setVisible(const char* name, int index, bool visible);
    // A message box with an OK button; an empty title is the program's own.
    void message(const std::string& text, const std::string& title = {});
    // Sends the user to a Set Inputs box: tab 0 and the focus on it.
    void backToSetInputs(int index);
    // Gives a control the focus where it can take it; a hidden or disabled one is skipped.
    void focus(forms::Control& control);
    void reportError(const char* routine, const std::exception& error, const char* other);
    runtime::ErrorReporter& errors();

    void showMaterialsMessage(std::string_view text) override;

    forms::Forms& windows_;
    AgmaWindowServices services_;
    forms::Form* form_ = nullptr;
    AgmaWindowState state_;
    // Set while a tree click chooses a material, so that recording its key
    // does not choose the same material over again.
    bool choosingMaterial_ = false;
    // Set while a tab test sets the tab strip back: that change runs no tests.
    bool returningTab_ = false;
    // The display length factor the Kb lengths are held in.
    double lengthFactor_ = 1;
    // The user changed the pinion's surface finish since the last commit:
    // only then does the commit carry it to the main window, whose own
    // finish otherwise stays as the user typed it there.
    bool finishEdited_ = false;
};

} // namespace cindrel::agma
