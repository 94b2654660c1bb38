#pragma once

#include "outputs/OutputsHost.h"

#include "sequence/Ports.h"

#include "dialogs/DialogTypes.h"
#include "forms/Form.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace forms {
class Forms;
class MenuItem;
class Toolbar;
} // namespace forms
namespace grid {
class Grid;
}
namespace cindrel::sequence {
class T_State;
}

namespace cindrel::outputs {

// The results grid object: it lays out and fills the results grid window's
// grid from the done steps, offers the section buttons and menu items of the
// steps done, and runs the window's commands. The window hands over its
// controls when it loads; until then, and after it unloads, every routine
// that needs them does nothing.
class clsQXOutputs : public sequence::Outputs {
public:
    clsQXOutputs(OutputsHost& host, forms::Forms& windows);
    ~clsQXOutputs() override;
    clsQXOutputs(const clsQXOutputs&) = delete;
    clsQXOutputs& operator=(const clsQXOutputs&) = delete;

    // -1 (True) loads and shows the results grid window, 0 hides it; other values do nothing.
    void ShowScreenOutputs(std::int16_t ShowHide);

    void SetUpOutputGrid();
    void ResizeGrid();
    bool AutoUpdate() const override { return autoUpdate_; }
    void setAutoUpdate(bool on) override { autoUpdate_ = on; }
    void FillGridFromStates(const sequence::StateCollection& states, bool ManualOveride) override;
    void ResetToolBarButtons();
    // Offers the section of every done step of the navigator.
    void ShowSectionButtons();

    std::string GridFontName() const { return gridFontName_; }
    void GridFontName(const std::string& name);
    std::int32_t GridFontSize() const { return gridFontSize_; }
    void GridFontSize(std::int32_t points);
    // The sum of the heights of all grid rows as last measured, in twips.
    double TotalRowHeight() const { return totalRowHeight_; }
    void measureTotalRowHeight();
    // Section key -> grid menu item, filled each time the window hands over its controls.
    const std::map<std::string, forms::MenuItem*>& SectionMenus() const { return sectionMenus_; }

    // The window's loading hands over its controls, its unloading takes them back.
    void takeScreenControls(forms::Form& window);
    void dropScreenControls();
    bool hasScreenControls() const;

    // Handlers of the results grid window's controls.
    void frmGridScreen_Resize();
    void grdOutputs_Scroll();
    void tbrOutputs_ButtonClick(const std::string& key);
    void mnuFileCloseWindow_Click();
    void mnuOptions_Click();
    void mnuOptionsToolBar_Click();
    void mnuOptionsAutoUpdate_Click();
    void mnuOptionsGridFont_Click();
    void mnuUpdateOutputs_Click();
    // Scrolls the grid to the section of a toolbar key.
    void moveToSection(const std::string& key);

    // The least widths (key, each value, description) of a font size, in twips.
    struct ColumnMinimums {
        double key, value, description;
    };
    static ColumnMinimums columnMinimums(std::int32_t fontSize);

private:
    void showSectionButtons(const sequence::StateCollection* states);
    void appendSection(sequence::T_State& step, bool firstSection);
    // Appends a table row; false at the row with an empty key, which ends the table.
    bool appendResultRow(const results::ResultTable& table, int row);
    void showHeadingOfTopRow(const sequence::StateCollection* states);
    void applyGridFont();
    void logError(const char* routine, const std::exception& error);
    void disconnectHandlers();

    OutputsHost& host_;
    forms::Forms& windows_;
    std::string gridFontName_;
    std::int32_t gridFontSize_ = 10;
    bool autoUpdate_ = true;
    double totalRowHeight_ = 0;
    std::map<std::string, forms::MenuItem*> sectionMenus_;

    QPointer<forms::Form> window_;
    grid::Grid* grid_ = nullptr;
    forms::Toolbar* toolbar_ = nullptr;
    forms::MenuItem* mnuFileCloseWindow_ = nullptr;
    forms::MenuItem* mnuOptions_ = nullptr;
    forms::MenuItem* mnuOptionsToolBar_ = nullptr;
    forms::MenuItem* mnuOptionsAutoUpdate_ = nullptr;
    forms::MenuItem* mnuOptionsGridFont_ = nullptr;
    forms::MenuItem* mnuUpdateOutputs_ = nullptr;
    // Handlers connected on the window and its controls, to disconnect on release.
    int resizeHandler_ = 0;
    int unloadHandler_ = 0;
    std::vector<std::pair<forms::MenuItem*, int>> menuHandlers_;
    int toolbarHandler_ = 0;
    int gridHandler_ = 0;
    bool resizing_ = false;
};

// The grid font dialog, preset to a face name and size: screen fonts of the
// Windows character set, 8 to 14 points, a cancel raised as error 32755.
dialogs::FontDialogRequest gridFontRequest(const std::string& name, double size);

} // namespace cindrel::outputs
