#include "dialogs/CommonDialogs.h"

#include "dialogs/DialogProvider.h"
#include "runtime/RuntimeError.h"

namespace dialogs {

namespace {

template <typename Answer>
Answer raiseIfCancelled(Answer answer, bool cancelError) {
    if (answer.cancelled && cancelError)
        runtime::raise(runtime::CancelError);
    return answer;
}

PrinterChoice& storedPrinter() {
    static PrinterChoice printer;
    return printer;
}

} // namespace

FileDialogAnswer showFileDialog(const FileDialogRequest& request) {
    return raiseIfCancelled(currentProvider().fileDialog(request), request.cancelError);
}

FileDialogAnswer showOpenDialog(FileDialogRequest request) {
    request.mode = FileDialogMode::Open;
    return showFileDialog(request);
}

FileDialogAnswer showSaveDialog(FileDialogRequest request) {
    request.mode = FileDialogMode::Save;
    return showFileDialog(request);
}

FontDialogAnswer showFontDialog(const FontDialogRequest& request) {
    return raiseIfCancelled(currentProvider().fontDialog(request), request.cancelError);
}

ColorDialogAnswer showColorDialog(const ColorDialogRequest& request) {
    return raiseIfCancelled(currentProvider().colorDialog(request), request.cancelError);
}

FolderDialogAnswer showFolderDialog(const FolderDialogRequest& request) {
    return raiseIfCancelled(currentProvider().folderDialog(request), request.cancelError);
}

PrinterDialogAnswer showPrinterDialog(const PrinterDialogRequest& request) {
    PrinterDialogAnswer answer = currentProvider().printerDialog(request);
    if (!answer.cancelled)
        setCurrentPrinter(answer.printer);
    return raiseIfCancelled(answer, request.cancelError);
}

PrinterChoice currentPrinter() { return storedPrinter(); }

void setCurrentPrinter(const PrinterChoice& printer) { storedPrinter() = printer; }

std::uint32_t colorToNumber(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
           (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

QColor colorFromNumber(std::uint32_t number) {
    return QColor(static_cast<int>(number & 0xFF), static_cast<int>((number >> 8) & 0xFF),
                  static_cast<int>((number >> 16) & 0xFF));
}

} // namespace dialogs
