#include "outputs/PrintPreviewWindow.h"

#include "PrintPreviewLayout.h"
#include "outputs/clsQXOutputs.h"

#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/Layout.h"
#include "printing/PreviewControl.h"
#include "runtime/RuntimeError.h"

#include <algorithm>

namespace cindrel::outputs {

namespace {

void logError(OutputsHost& host, const char* routine, const std::exception& error)
{
    const auto [number, description] = runtime::errorTextOf(error);
    host.MainErrHandler("frmPrintPreview", routine, std::to_string(number), description, "");
}

// A stored place that is minimised or too small to hold the buttons and a
// page opens a usable window instead.
void boundPlace(forms::Form& window)
{
    if (window.windowState() == forms::WindowState::Minimized)
        window.setWindowState(forms::WindowState::Normal);
    if (window.windowState() == forms::WindowState::Maximized)
        return;
    window.move(std::max(window.left(), 0.0), std::max(window.top(), 0.0), std::max(window.width(), 5000.0),
                std::max(window.height(), 4000.0));
}

void Form_Load(forms::Form& window, OutputsHost& host)
{
    window.setCaption(QStringLiteral("Cindrel Print Preview"));
    window.move(0, 0, layouts::PrintPreviewWidth, layouts::PrintPreviewHeight);
    forms::buildLayout(window, layouts::frmPrintPreview());
    // The page has the focus when the window opens: the keys scroll it at once.
    window.get<printing::PreviewControl>(QStringLiteral("prtPrintPreview")).setTabIndex(0);
    if (clsQXOutputs* outputs = host.outputsObject())
        outputs->takePreviewControls(window);
    try {
        host.GetWindowPosition(window);
    } catch (const std::exception& error) {
        logError(host, "Form_Load", error);
    }
    boundPlace(window);
}

} // namespace

forms::Form& definePrintPreviewWindow(forms::Forms& windows, OutputsHost& host)
{
    printing::registerPrintPreviewKind();
    forms::Form& window =
        windows.define(QStringLiteral("frmPrintPreview"), [&host](forms::Form& form) { Form_Load(form, host); });
    window.onUnload.connect([&window, &host](bool& cancel) {
        if (cancel)
            return;
        try {
            host.SaveWindowPosition(window);
        } catch (const std::exception& error) {
            logError(host, "Form_Unload", error);
        }
    });
    return window;
}

} // namespace cindrel::outputs
