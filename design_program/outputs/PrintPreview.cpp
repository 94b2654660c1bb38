// The report preview window's commands and the report's graphs page.
#include "outputs/clsQXOutputs.h"

#include "analyses/T_Chart.h"

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Forms.h"
#include "printing/PreviewControl.h"
#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <QPainter>

namespace cindrel::outputs {

namespace {

const QString PreviewWindow = QStringLiteral("frmPrintPreview");
// Invalid property value.
constexpr int InvalidValue = 380;

using Graph = void (analyses::T_Chart::*)();

} // namespace

void clsQXOutputs::takePreviewControls(forms::Form& window)
{
    disconnectPreviewHandlers();
    previewWindow_ = &window;
    takePrintControl(window.get<printing::PreviewControl>(QStringLiteral("prtPrintPreview")));
    cmdNextPage_ = &window.get<forms::CommandButton>(QStringLiteral("cmdNextPage"));
    cmdPreviousPage_ = &window.get<forms::CommandButton>(QStringLiteral("cmdPreviousPage"));
    const std::pair<const char*, void (clsQXOutputs::*)()> commands[] = {
        {"cmdPrint", &clsQXOutputs::cmdPrint_Click},
        {"cmdPreviousPage", &clsQXOutputs::cmdPreviousPage_Click},
        {"cmdNextPage", &clsQXOutputs::cmdNextPage_Click},
        {"cmdZoomIn", &clsQXOutputs::cmdZoomIn_Click},
        {"cmdZoomOut", &clsQXOutputs::cmdZoomOut_Click},
        {"cmdClosePrintPrev", &clsQXOutputs::cmdClosePrintPrev_Click},
    };
    for (const auto& [name, handler] : commands) {
        auto& button = window.get<forms::CommandButton>(QString::fromLatin1(name));
        previewButtonHandlers_.emplace_back(&button, button.onClick.connect([this, handler] { (this->*handler)(); }));
    }
    previewResizeHandler_ = window.onResize.connect([this] { frmPrintScreen_Resize(); });
    previewUnloadHandler_ = window.onUnload.connect([this](bool& cancel) {
        if (!cancel)
            dropPreviewControls();
    });
    showPageButtons();
    frmPrintScreen_Resize();
}

void clsQXOutputs::dropPreviewControls()
{
    disconnectPreviewHandlers();
    previewWindow_ = nullptr;
    cmdNextPage_ = nullptr;
    cmdPreviousPage_ = nullptr;
    dropPrintControl();
}

void clsQXOutputs::disconnectPreviewHandlers()
{
    // The buttons live only while the window is loaded.
    if (previewWindow_ != nullptr && previewWindow_->isLoaded())
        for (const auto& [button, id] : previewButtonHandlers_)
            button->onClick.disconnect(id);
    previewButtonHandlers_.clear();
    if (previewWindow_ != nullptr) {
        previewWindow_->onResize.disconnect(previewResizeHandler_);
        previewWindow_->onUnload.disconnect(previewUnloadHandler_);
    }
    previewResizeHandler_ = 0;
    previewUnloadHandler_ = 0;
}

void clsQXOutputs::ShowPrintPreview(std::int16_t ShowHide)
{
    forms::Form* window = windows_.find(PreviewWindow);
    if (window == nullptr)
        return;
    if (ShowHide == -1) {
        window->show(forms::Modality::Modeless, nullptr);
        // The page takes the keys at once: the arrows, Page Up and Down, Home
        // and End scroll it without a click on it first.
        if (printControl_ != nullptr && previewWindow_ == window)
            runtime::ignoringAnyException([this] { printControl_->setFocus(); });
    }
    else if (ShowHide == 0 && window->isLoaded())
        window->hide();
}

void clsQXOutputs::cmdPrint_Click() { PrintDocument(false); }

void clsQXOutputs::cmdNextPage_Click()
{
    if (!hasPreviewControls())
        return;
    printControl_->setPreviewPage(printControl_->previewPage() + 1);
    showPageButtons();
}

void clsQXOutputs::cmdPreviousPage_Click()
{
    if (!hasPreviewControls())
        return;
    printControl_->setPreviewPage(printControl_->previewPage() - 1);
    showPageButtons();
}

void clsQXOutputs::showPageButtons()
{
    if (!hasPreviewControls())
        return;
    const int page = printControl_->previewPage();
    cmdPreviousPage_->setEnabled(page > 1);
    cmdNextPage_->setEnabled(page < printControl_->pageCount());
}

void clsQXOutputs::cmdClosePrintPrev_Click()
{
    if (previewWindow_ != nullptr)
        previewWindow_->unload();
}

int clsQXOutputs::zoomedIn(int zoom)
{
    if (zoom < 100)
        return zoom + 25;
    if (zoom < 200)
        return zoom + 50;
    if (zoom < 400)
        return zoom + 100;
    return zoom;
}

int clsQXOutputs::zoomedOut(int zoom)
{
    if (zoom > 400)
        return zoom;
    if (zoom > 200)
        return zoom - 100;
    if (zoom > 100)
        return zoom - 50;
    if (zoom > 25)
        return zoom - 25;
    // 25 is the smallest step; a smaller zoom set otherwise stays.
    return zoom;
}

void clsQXOutputs::ZoomInStep()
{
    if (printControl_ != nullptr)
        printControl_->setZoom(zoomedIn(static_cast<int>(runtime::roundHalfEven(printControl_->zoom()))));
}

void clsQXOutputs::ZoomOutStep()
{
    if (printControl_ != nullptr)
        printControl_->setZoom(zoomedOut(static_cast<int>(runtime::roundHalfEven(printControl_->zoom()))));
}

void clsQXOutputs::frmPrintScreen_Resize()
{
    if (!hasPreviewControls())
        return;
    forms::Form& window = *previewWindow_;
    if (window.windowState() == forms::WindowState::Minimized)
        return;
    try {
        const double width = window.width() - 180;
        const double height = window.height() - 1250;
        if (width < 0 || height < 0)
            runtime::raise(InvalidValue, "Invalid property value: the window is too small for the print control");
        printControl_->move(20, 550, width, height);
    } catch (const std::exception& error) {
        const auto [number, description] = runtime::errorTextOf(error);
        host_.MainErrHandler("clsQXOutput", "frmPrintScreen", std::to_string(number), description, "");
    }
}

void clsQXOutputs::PrintChartsPage()
{
    analyses::T_Chart* chart = reportHost_ != nullptr ? reportHost_->chartObject() : nullptr;
    if (chart == nullptr)
        runtime::raise(runtime::ObjectVariableNotSet, "The analyses have not run: there are no graphs to print");
    printing::ReportPrinter& printer = reportPrinter();
    const double width = printer.pageWidth() - printer.marginLeft() - printer.marginRight();
    const double height = printer.pageHeight() - printer.marginTop() - printer.marginBottom();
    if (!(width > 0 && height > 0))
        runtime::raise(InvalidValue, "Invalid property value: the margins leave no room for the graphs");
    const double cellWidth = runtime::roundHalfEven(width / 2);
    const double cellHeight = runtime::roundHalfEven(height / 3);
    struct Cell {
        Graph draw;
        int column, row;
    };
    // Scoring graphs down the left column, the sub-surface and deflection graphs down the right.
    const Cell cells[] = {
        {&analyses::T_Chart::cmdTemp_click, 0, 0},      {&analyses::T_Chart::cmdSlide_click, 0, 1},
        {&analyses::T_Chart::cmdFilm_click, 0, 2},      {&analyses::T_Chart::cmdLoad_click, 1, 0},
        {&analyses::T_Chart::cmdSubShear_click, 1, 1},  {&analyses::T_Chart::cmdDeflection_click, 1, 2},
    };
    for (const Cell& cell : cells) {
        // A graph that fails leaves its cell empty; the others still print.
        reportStep("graph", [&] {
            (chart->*cell.draw)();
            const QRectF place(printer.marginLeft() + cell.column * cellWidth,
                               printer.marginTop() + runtime::roundHalfEven(cell.row * height / 3), cellWidth, cellHeight);
            printer.drawPicture(place, [this](QPainter& painter, const QRectF& target) {
                reportHost_->drawShownChart(painter, target);
            });
        });
    }
    // The chart is left on the last graph drawn, the deflections, as the
    // graphs step would show them after a click of its button.
    // Whatever follows starts below the graphs.
    printer.setCurrentY(printer.marginTop() + height);
}

} // namespace cindrel::outputs
