#pragma once

#include "outputs/OutputsHost.h"
#include "outputs/ReportHost.h"

#include "printing/ReportPrinter.h"

#include "sequence/Ports.h"

#include "dialogs/DialogTypes.h"
#include "forms/Form.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace forms {
class CommandButton;
class Forms;
class MenuItem;
class Toolbar;
} // namespace forms
namespace grid {
class Grid;
}
namespace printing {
class PreviewControl;
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

    // The printed results report. Where the report's user information,
    // printer and file names come from; until it is set the report prints
    // without them.
    void setReportHost(ReportHost* host) { reportHost_ = host; }
    // Builds the report of the done steps; PrintDoc false prints it after
    // the printer dialog (a cancelled dialog changes nothing), true keeps it
    // for the preview only. The result is 0 in every case.
    std::int16_t PrintDocument(bool PrintDoc);
    // The report printer the report is built in: the preview window's print
    // control once handed over, else one of this object's own.
    printing::ReportPrinter& reportPrinter();
    // The preview window hands over its print control when it loads and takes it back when it unloads.
    void takePrintControl(printing::PreviewControl& control);
    void dropPrintControl();
    // The preview window hands over its buttons, itself and its print
    // control when it loads, and takes them back when it unloads.
    void takePreviewControls(forms::Form& window);
    void dropPreviewControls();
    bool hasPreviewControls() const { return previewWindow_ != nullptr && printControl_ != nullptr; }
    // -1 loads the preview window when needed and shows it modeless, 0 hides it.
    void ShowPrintPreview(std::int16_t ShowHide);

    // Handlers of the preview window's controls.
    void cmdPrint_Click();
    void cmdNextPage_Click();
    void cmdPreviousPage_Click();
    void cmdZoomIn_Click() { ZoomInStep(); }
    void cmdZoomOut_Click() { ZoomOutStep(); }
    void cmdClosePrintPrev_Click();
    void frmPrintScreen_Resize();
    // The zoom bands of the preview. In: +25 below 100, +50 below 200, +100
    // below 400, none from 400. Out: -100 from 201 to 400, -50 from 101 to
    // 200, -25 from 26 to 100, none above 400 or at 25 and below.
    static int zoomedIn(int zoom);
    static int zoomedOut(int zoom);
    // The text of one table row of the report, from the eight cells of a
    // results row as texts and numbers: cells marked bold or italic by the
    // masks carry their markup.
    static std::string FormatReportRow(const std::string& Key, const std::string& PinionValue,
                                       const std::string& GearValue, const std::string& Description,
                                       std::int32_t RowKind, std::int32_t RedMask, std::int32_t BoldMask,
                                       std::int32_t ItalicMask);

private:
    void AddReportTable(const std::string& format, const std::string& header, const std::string& body,
                        const QColor& headerFill, const QColor& bodyFill, bool headerOmitted);
    void PrintPageFrames();
    // Draws six graphs of the analyses in two columns of three on the page
    // just started, then shows on screen the graph shown before.
    void PrintChartsPage();
    void ZoomInStep();
    void ZoomOutStep();
    // Next Page and Prev Page enabled as the page shown allows.
    void showPageButtons();
    void disconnectPreviewHandlers();
    void printAddressBlock();
    void printNotes();
    void printSection(sequence::T_State& step);
    // Runs one step of the report; a failure is logged and the report goes on.
    void reportStep(const char* what, const std::function<void()>& step);
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

    ReportHost* reportHost_ = nullptr;
    printing::ReportPrinter ownPrinter_;
    printing::PreviewControl* printControl_ = nullptr;
    QPointer<forms::Form> previewWindow_;
    forms::CommandButton* cmdNextPage_ = nullptr;
    forms::CommandButton* cmdPreviousPage_ = nullptr;
    std::vector<std::pair<forms::CommandButton*, int>> previewButtonHandlers_;
    int previewResizeHandler_ = 0;
    int previewUnloadHandler_ = 0;
};

// The grid font dialog, preset to a face name and size: screen fonts of the
// Windows character set, 8 to 14 points, a cancel raised as error 32755.
dialogs::FontDialogRequest gridFontRequest(const std::string& name, double size);

} // namespace cindrel::outputs
