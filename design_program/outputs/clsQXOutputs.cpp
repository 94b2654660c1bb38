#include "outputs/clsQXOutputs.h"

#include "ScreenOutputLayout.h"

#include "sequence/StateCollection.h"
#include "sequence/T_State.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/MessageBox.h"
#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/MenuItem.h"
#include "forms/Toolbar.h"
#include "grid/Grid.h"
#include "runtime/CheckedMath.h"
#include "runtime/RuntimeError.h"

#include <QFont>

#include <algorithm>
#include <cmath>
#include <string>

namespace cindrel::outputs {

namespace {

const QString ScreenOutputWindow = QStringLiteral("frmScreenOutput");
const QString CloseButton = QStringLiteral("btnCloseWindow");
const QString UpdateButton = QStringLiteral("btnUpdateOutputs");

constexpr int FirstSectionRow = 2;
constexpr Qt::Alignment HeadingAlignment = Qt::AlignHCenter | Qt::AlignBottom;

// The grid column of each results column, with its mask bit and alignment.
struct ColumnFormat {
    std::int16_t bit;
    Qt::Alignment alignment;
};
constexpr ColumnFormat columnFormats[4] = {
    {results::ColumnBitKey, Qt::AlignRight | Qt::AlignVCenter},
    {results::ColumnBitPinion, Qt::AlignCenter},
    {results::ColumnBitGear, Qt::AlignCenter},
    {results::ColumnBitDescription, Qt::AlignLeft | Qt::AlignVCenter},
};

// A row kind or mask as a whole number: a text or an empty cell counts as 0.
int wholeNumberOf(const results::Cell& cell)
{
    if (const auto* number = std::get_if<std::int16_t>(&cell))
        return *number;
    if (const auto* number = std::get_if<double>(&cell))
        return std::fabs(*number) < 2e9 ? static_cast<int>(runtime::roundHalfEven(*number)) : 0;
    return 0;
}

bool isDone(const std::vector<sequence::T_State*>& items, const sequence::T_State* step)
{
    return std::find(items.begin(), items.end(), step) != items.end();
}

} // namespace

clsQXOutputs::clsQXOutputs(OutputsHost& host, forms::Forms& windows) : host_(host), windows_(windows)
{
    gridFontSize_ = host_.ScrnOutFontSize();
    gridFontName_ = host_.ScrnOutFontName();
}

clsQXOutputs::~clsQXOutputs()
{
    disconnectHandlers();
    disconnectPreviewHandlers();
}

void clsQXOutputs::ShowScreenOutputs(std::int16_t ShowHide)
{
    if (ShowHide == -1) {
        host_.WriteRunNote("Loading Ouputs Form, Showing");
        windows_[ScreenOutputWindow].show();
    } else if (ShowHide == 0) {
        host_.WriteRunNote("Loading Ouputs Form, Hiding");
        // Hiding never loads the window.
        if (forms::Form* window = windows_.find(ScreenOutputWindow); window != nullptr && window->isLoaded())
            window->hide();
    }
}

void clsQXOutputs::GridFontName(const std::string& name)
{
    gridFontName_ = name;
    if (hasScreenControls())
        applyGridFont();
}

void clsQXOutputs::GridFontSize(std::int32_t points)
{
    gridFontSize_ = points;
    if (hasScreenControls())
        applyGridFont();
}

void clsQXOutputs::applyGridFont()
{
    QFont font = grid_->font();
    font.setFamily(QString::fromStdString(gridFontName_));
    if (gridFontSize_ > 0)
        font.setPointSize(gridFontSize_);
    grid_->setFont(font);
}

void clsQXOutputs::measureTotalRowHeight()
{
    if (!hasScreenControls())
        return;
    double total = 0;
    for (int row = 0; row < grid_->rowCount(); ++row)
        total += grid_->rowHeight(row);
    totalRowHeight_ = total;
}

clsQXOutputs::ColumnMinimums clsQXOutputs::columnMinimums(std::int32_t fontSize)
{
    // Sizes the font command never stores take the nearest row.
    const std::int32_t size = std::clamp(fontSize, 8, 14);
    if (size <= 9)
        return {1100, 1500, 3600};
    if (size <= 11)
        return {1210, 1650, 3960};
    if (size <= 13)
        return {1375, 1875, 4500};
    return {1540, 2100, 5040};
}

void clsQXOutputs::SetUpOutputGrid()
{
    if (!hasScreenControls())
        return;
    grid::Grid& grid = *grid_;
    grid.clear();
    grid.setColumnCount(4);
    grid.setRowCount(3);
    grid.setMergesCells(true);
    grid.setFixedColumnCount(1);
    grid.setFixedRowCount(2);
    grid.setWordWrap(true);
    applyGridFont();
    const QString headers[4] = {QStringLiteral("Variable"), QStringLiteral("PINION"), QStringLiteral("GEAR"),
                                QStringLiteral("DESCRIPTION")};
    const Qt::Alignment headerAlignments[4] = {Qt::AlignRight | Qt::AlignBottom, Qt::AlignHCenter | Qt::AlignBottom,
                                               Qt::AlignHCenter | Qt::AlignBottom, Qt::AlignLeft | Qt::AlignBottom};
    for (int column = 0; column < 4; ++column) {
        grid.setCellText(0, column, headers[column]);
        grid.setCellBold(0, column, true);
        grid.setCellAlignment(0, column, headerAlignments[column]);
    }
    grid.setCellBold(1, 1, true);
    grid.setCellAlignment(1, 1, Qt::AlignCenter);
    grid.setRowMerged(1, true);
    grid.setVisible(false);
    ResizeGrid();
}

void clsQXOutputs::ResizeGrid()
{
    if (!hasScreenControls())
        return;
    forms::Form& window = *window_;
    measureTotalRowHeight();
    const double clientWidth = window.scaleWidth();
    const double clientHeight = window.scaleHeight();
    toolbar_->setWidth(std::max(clientWidth, 0.0));
    const double top = toolbar_->top() + 75 + (toolbar_->visible() ? toolbar_->height() : 0);
    double width = window.width() - 100 - 90;
    double height = mnuOptions_->visible() ? window.height() - top - 500 - 250 : window.height() - top - 475;
    // Never past the window's inner edges.
    width = std::max(0.0, std::min(width, clientWidth - 45));
    height = std::max(0.0, std::min(height, clientHeight - top));
    grid_->move(45, top, width, height);

    const double allowance = height < totalRowHeight_ ? 250 : 0;
    const ColumnMinimums minimums = columnMinimums(gridFontSize_);
    grid_->setColumnWidth(0, minimums.key);
    grid_->setColumnWidth(1, minimums.value);
    grid_->setColumnWidth(2, minimums.value);
    const double taken = grid_->columnWidth(0) + grid_->columnWidth(1) + grid_->columnWidth(2);
    const double description = width - taken - 92 - allowance;
    grid_->setColumnWidth(3, std::max(description, minimums.description));
}

void clsQXOutputs::FillGridFromStates(const sequence::StateCollection& states, bool ManualOveride)
{
    if (!autoUpdate_ && !ManualOveride) {
        if (hasScreenControls())
            grid_->setVisible(false);
        ResetToolBarButtons();
        return;
    }
    if (!hasScreenControls())
        return;
    const std::vector<sequence::T_State*> items = states.Items();
    // A step the walk misses keeps no rows.
    for (sequence::T_State* step : items) {
        step->GridStartRow = 0;
        step->GridEndRow = 0;
    }
    sequence::T_State* start = nullptr;
    for (sequence::T_State* step : items)
        if (step->PreviousState == nullptr) {
            start = step;
            break;
        }
    if (start == nullptr && !items.empty())
        start = items.back();

    SetUpOutputGrid();
    if (start != nullptr) {
        // Each done step once at most; a cycle or a link out of the dictionary ends the walk.
        std::vector<const sequence::T_State*> walked;
        bool firstSection = true;
        for (sequence::T_State* step = start; step != nullptr && isDone(items, step); step = step->NextState) {
            if (std::find(walked.begin(), walked.end(), step) != walked.end())
                break;
            walked.push_back(step);
            grid_->setVisible(true);
            if (!step->PrintVariables)
                continue;
            grid_->setVisible(false);
            try {
                appendSection(*step, firstSection);
                firstSection = false;
                grid_->setTopRow(step->GridStartRow);
                grid_->setCurrentRow(grid_->topRow());
            } catch (const std::exception& error) {
                logError("FillGridFromStates", error);
            }
        }
    }
    grid_->setVisible(start != nullptr);
    showSectionButtons(&states);
    ResizeGrid();
    showHeadingOfTopRow(&states);
}

void clsQXOutputs::appendSection(sequence::T_State& step, bool firstSection)
{
    grid::Grid& grid = *grid_;
    const QString heading = QString::fromStdString(step.PrintHeading);
    int row = FirstSectionRow;
    if (firstSection) {
        for (int column = 1; column < 4; ++column)
            grid.setCellText(row, column, heading);
    } else {
        row = grid.appendRow({QString(), heading, heading, heading});
    }
    grid.setCurrentRow(row);
    grid.setRowMerged(row, true);
    for (int column = 1; column < 4; ++column) {
        grid.setCellAlignment(row, column, HeadingAlignment);
        grid.setCellBold(row, column, true);
        grid.setCellText(1, column, heading);
    }
    step.GridStartRow = row;
    step.GridEndRow = row;
    if (!step.StateString)
        return;
    const results::ResultTable& table = *step.StateString;
    for (int tableRow = 0; tableRow <= table.lastRow(); ++tableRow) {
        try {
            if (!appendResultRow(table, tableRow))
                break;
        } catch (const std::exception& error) {
            logError("FillGridFromStates", error);
        }
        step.GridEndRow = grid.rowCount() - 1;
    }
}

bool clsQXOutputs::appendResultRow(const results::ResultTable& table, int tableRow)
{
    const results::CaptionReader caption = [this](const results::LabelRef& label) { return host_.labelCaption(label); };
    const std::string key = results::cellText(table.at(tableRow, results::ResultRow::Key), caption);
    if (key.empty())
        return false;
    QStringList texts{QString::fromStdString(key)};
    for (int column = results::ResultRow::PinionValue; column <= results::ResultRow::Description; ++column)
        texts.append(QString::fromStdString(results::cellText(table.at(tableRow, column), caption)));
    grid::Grid& grid = *grid_;
    const int row = grid.appendRow(texts);
    grid.setCurrentRow(row);
    grid.setRowMerged(row, wholeNumberOf(table.at(tableRow, results::ResultRow::RowKind)) != 0);
    const int red = wholeNumberOf(table.at(tableRow, results::ResultRow::RedMask));
    const int bold = wholeNumberOf(table.at(tableRow, results::ResultRow::BoldMask));
    const int italic = wholeNumberOf(table.at(tableRow, results::ResultRow::ItalicMask));
    for (int column = 0; column < 4; ++column) {
        const ColumnFormat& format = columnFormats[column];
        grid.setCellAlignment(row, column, format.alignment);
        grid.setCellForeColor(row, column, (red & format.bit) != 0 ? QColor(255, 0, 0) : QColor(0, 0, 0));
        grid.setCellBold(row, column, (bold & format.bit) != 0);
        grid.setCellItalic(row, column, (italic & format.bit) != 0);
    }
    return true;
}

void clsQXOutputs::ResetToolBarButtons()
{
    if (hasScreenControls()) {
        for (const QString& key : toolbar_->buttonKeys()) {
            if (key == UpdateButton)
                toolbar_->setButtonVisible(key, !autoUpdate_);
            else if (key != CloseButton)
                toolbar_->setButtonVisible(key, false);
        }
    }
    for (const auto& [key, menu] : sectionMenus_)
        menu->setVisible(false);
    if (mnuUpdateOutputs_ != nullptr)
        mnuUpdateOutputs_->setEnabled(!autoUpdate_);
}

void clsQXOutputs::ShowSectionButtons() { showSectionButtons(host_.doneSteps()); }

void clsQXOutputs::showSectionButtons(const sequence::StateCollection* states)
{
    ResetToolBarButtons();
    if (states == nullptr || !hasScreenControls())
        return;
    const std::vector<QString> keys = toolbar_->buttonKeys();
    for (const sequence::T_State* step : states->Items()) {
        if (step->ToolBarButtonKey.empty())
            continue;
        const QString key = QString::fromStdString(step->ToolBarButtonKey);
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            toolbar_->setButtonVisible(key, true);
        if (const auto menu = sectionMenus_.find(step->ToolBarButtonKey); menu != sectionMenus_.end())
            menu->second->setVisible(true);
    }
}

void clsQXOutputs::grdOutputs_Scroll() { showHeadingOfTopRow(host_.doneSteps()); }

void clsQXOutputs::showHeadingOfTopRow(const sequence::StateCollection* states)
{
    if (states == nullptr || !hasScreenControls())
        return;
    const int top = grid_->topRow();
    for (const sequence::T_State* step : states->Items()) {
        if (!step->PrintVariables || step->GridStartRow == 0)
            continue;
        if (step->GridStartRow <= top && top <= step->GridEndRow) {
            const QString heading = QString::fromStdString(step->PrintHeading);
            for (int column = 1; column < 4; ++column)
                grid_->setCellText(1, column, heading);
            // The section's own heading row at the top already names it: the
            // frozen heading stands aside rather than repeat it.
            grid_->setRowHidden(1, top == step->GridStartRow);
            return;
        }
    }
}

void clsQXOutputs::moveToSection(const std::string& key)
{
    const sequence::StateCollection* states = host_.doneSteps();
    if (states == nullptr || !hasScreenControls())
        return;
    int target = 0;
    for (const sequence::T_State* step : states->Items())
        if (step->ToolBarButtonKey == key && step->PrintVariables && step->GridStartRow != 0)
            target = step->GridStartRow;
    if (target != 0)
        grid_->setTopRow(target);
}

void clsQXOutputs::takeScreenControls(forms::Form& window)
{
    disconnectHandlers();
    window_ = &window;
    grid_ = &window.get<grid::Grid>(QStringLiteral("grdOutputs"));
    toolbar_ = &window.get<forms::Toolbar>(QStringLiteral("tbrOutputs"));
    mnuFileCloseWindow_ = &window.get<forms::MenuItem>(QStringLiteral("mnuFileCloseWindow"));
    mnuOptions_ = &window.get<forms::MenuItem>(QStringLiteral("mnuOptions"));
    mnuOptionsToolBar_ = &window.get<forms::MenuItem>(QStringLiteral("mnuOptionsToolBar"));
    mnuOptionsAutoUpdate_ = &window.get<forms::MenuItem>(QStringLiteral("mnuOptionsAutoUpdate"));
    mnuOptionsGridFont_ = &window.get<forms::MenuItem>(QStringLiteral("mnuOptionsGridFont"));
    mnuUpdateOutputs_ = &window.get<forms::MenuItem>(QStringLiteral("mnuUpdateOutputs"));
    sectionMenus_.clear();
    for (const layouts::SectionMenuSpec& section : layouts::frmScreenOutputSectionMenus()) {
        forms::MenuItem& item = window.get<forms::MenuItem>(QString::fromLatin1(section.menu));
        sectionMenus_[section.key] = &item;
        const std::string key = section.key;
        menuHandlers_.emplace_back(&item, item.onClick.connect([this, key] { tbrOutputs_ButtonClick(key); }));
    }
    const std::pair<forms::MenuItem*, void (clsQXOutputs::*)()> commands[] = {
        {mnuFileCloseWindow_, &clsQXOutputs::mnuFileCloseWindow_Click},
        {mnuOptions_, &clsQXOutputs::mnuOptions_Click},
        {mnuOptionsToolBar_, &clsQXOutputs::mnuOptionsToolBar_Click},
        {mnuOptionsAutoUpdate_, &clsQXOutputs::mnuOptionsAutoUpdate_Click},
        {mnuOptionsGridFont_, &clsQXOutputs::mnuOptionsGridFont_Click},
        {mnuUpdateOutputs_, &clsQXOutputs::mnuUpdateOutputs_Click},
    };
    for (const auto& [item, handler] : commands)
        menuHandlers_.emplace_back(item, item->onClick.connect([this, handler] { (this->*handler)(); }));
    gridHandler_ = grid_->onScroll.connect([this] { grdOutputs_Scroll(); });
    toolbarHandler_ = toolbar_->onButtonClick.connect([this](const QString& key) { tbrOutputs_ButtonClick(key.toStdString()); });
    resizeHandler_ = window.onResize.connect([this] { frmGridScreen_Resize(); });
    unloadHandler_ = window.onUnload.connect([this](bool& cancel) {
        if (!cancel)
            dropScreenControls();
    });
    // The grid is laid out, empty and hidden, from the start.
    SetUpOutputGrid();
}

void clsQXOutputs::dropScreenControls()
{
    disconnectHandlers();
    window_ = nullptr;
    grid_ = nullptr;
    toolbar_ = nullptr;
    mnuFileCloseWindow_ = mnuOptions_ = mnuOptionsToolBar_ = mnuOptionsAutoUpdate_ = nullptr;
    mnuOptionsGridFont_ = mnuUpdateOutputs_ = nullptr;
    sectionMenus_.clear();
}

void clsQXOutputs::disconnectHandlers()
{
    // The controls live exactly while the window they came from is loaded.
    if (window_ != nullptr && window_->isLoaded() && grid_ != nullptr) {
        window_->onResize.disconnect(resizeHandler_);
        window_->onUnload.disconnect(unloadHandler_);
        grid_->onScroll.disconnect(gridHandler_);
        toolbar_->onButtonClick.disconnect(toolbarHandler_);
        for (const auto& [item, id] : menuHandlers_)
            item->onClick.disconnect(id);
    }
    menuHandlers_.clear();
}

bool clsQXOutputs::hasScreenControls() const { return grid_ != nullptr && window_ != nullptr && window_->isLoaded(); }

void clsQXOutputs::frmGridScreen_Resize()
{
    if (!hasScreenControls() || resizing_ || window_->windowState() == forms::WindowState::Minimized)
        return;
    resizing_ = true;
    try {
        if (window_->width() < 2400)
            window_->setWidth(2400);
        if (window_->height() < 1800)
            window_->setHeight(1800);
        ResizeGrid();
    } catch (const std::exception& error) {
        logError("frmGridScreen_Resize", error);
    }
    resizing_ = false;
}

void clsQXOutputs::tbrOutputs_ButtonClick(const std::string& key)
{
    if (!hasScreenControls())
        return;
    if (key == "btnCloseWindow")
        mnuFileCloseWindow_Click();
    else if (key == "btnUpdateOutputs")
        mnuUpdateOutputs_Click();
    else
        moveToSection(key);
}

void clsQXOutputs::mnuFileCloseWindow_Click() { ShowScreenOutputs(0); }

void clsQXOutputs::mnuOptions_Click()
{
    if (hasScreenControls())
        mnuOptionsGridFont_->setEnabled(grid_->visible());
}

void clsQXOutputs::mnuOptionsToolBar_Click()
{
    if (!hasScreenControls())
        return;
    const bool show = !toolbar_->visible();
    toolbar_->setVisible(show);
    mnuOptionsToolBar_->setChecked(show);
    ResizeGrid();
}

void clsQXOutputs::mnuOptionsAutoUpdate_Click()
{
    if (!hasScreenControls())
        return;
    autoUpdate_ = !autoUpdate_;
    mnuOptionsAutoUpdate_->setChecked(autoUpdate_);
    toolbar_->setButtonVisible(UpdateButton, !autoUpdate_);
    mnuUpdateOutputs_->setEnabled(!autoUpdate_);
    if (autoUpdate_)
        if (const sequence::StateCollection* states = host_.doneSteps())
            FillGridFromStates(*states, false);
}

void clsQXOutputs::mnuOptionsGridFont_Click()
{
    if (!hasScreenControls())
        return;
    dialogs::FontDialogAnswer answer;
    try {
        answer = dialogs::showFontDialog(gridFontRequest(gridFontName_, gridFontSize_));
    } catch (const std::exception& error) {
        const int number = runtime::errorTextOf(error).number;
        if (number != runtime::CancelError)
            dialogs::messageBox(QStringLiteral("Unknown Error: %1 Occurred.").arg(number), dialogs::OKOnly);
        return;
    }
    if (answer.cancelled || answer.font.name.isEmpty() || !std::isfinite(answer.font.size))
        return;
    const auto size = static_cast<std::int32_t>(std::clamp(runtime::roundHalfEven(answer.font.size), 8.0, 14.0));
    try {
        host_.ScrnOutFontSize(size);
        host_.ScrnOutFontName(answer.font.name.toStdString());
    } catch (const std::exception& error) {
        logError("mnuOptionsGridFont_Click", error);
    }
    GridFontName(answer.font.name.toStdString());
    GridFontSize(size);
    measureTotalRowHeight();
    if (const sequence::StateCollection* states = host_.doneSteps())
        FillGridFromStates(*states, false);
}

void clsQXOutputs::mnuUpdateOutputs_Click()
{
    if (!hasScreenControls())
        return;
    if (const sequence::StateCollection* states = host_.doneSteps())
        FillGridFromStates(*states, true);
}

dialogs::FontDialogRequest gridFontRequest(const std::string& name, double size)
{
    dialogs::FontDialogRequest request;
    request.title = QStringLiteral("Cindrel Screen Output Grid Font Selection");
    request.initial.name = QString::fromStdString(name);
    request.initial.size = size;
    request.flags = dialogs::FontScreenFonts | dialogs::FontAnsiOnly | dialogs::FontLimitSize;
    request.minimumSize = 8;
    request.maximumSize = 14;
    request.cancelError = true;
    return request;
}

void clsQXOutputs::logError(const char* routine, const std::exception& error)
{
    const auto [number, description] = runtime::errorTextOf(error);
    host_.MainErrHandler("clsQXOutputs", routine, std::to_string(number), description, "");
}

} // namespace cindrel::outputs
