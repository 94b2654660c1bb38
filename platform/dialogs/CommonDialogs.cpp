#include "dialogs/CommonDialogs.h"

#include "dialogs/DialogProvider.h"
#include "dialogs/MessageBox.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>

namespace dialogs {

namespace {

template <typename Answer>
Answer raiseIfCancelled(Answer answer, bool cancelError) {
    if (answer.cancelled && cancelError)
        runtime::raise(runtime::CancelError);
    return answer;
}

// The PDF printer's file: asked when the printer dialog left it open, and
// always ending in ".pdf". A name that only became an existing file by the
// added ".pdf" is not replaced without asking. False: the user gave up.
bool choosePdfFile(PrinterChoice& printer, const PrinterChoice& initial) {
    printer.printerName = QString::fromLatin1(PdfPrinterName);
    QString path = printer.pdfFile;
    if (path.trimmed().isEmpty()) {
        FileDialogRequest request;
        request.mode = FileDialogMode::Save;
        request.title = QStringLiteral("Print to PDF file");
        request.filter = QStringLiteral("PDF files (*.pdf)|*.pdf");
        request.defaultExtension = QStringLiteral("pdf");
        request.fileName = initial.pdfFile;
        request.flags = FileOverwritePrompt | FileHideReadOnly | FilePathMustExist;
        const FileDialogAnswer file = currentProvider().fileDialog(request);
        if (file.cancelled || file.path().trimmed().isEmpty())
            return false;
        path = file.path();
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        path += QStringLiteral(".pdf");
        if (QFileInfo::exists(path) &&
            messageBox(QStringLiteral("%1 already exists.\r\nDo you want to replace it?").arg(path),
                       YesNo | IconExclamation | DefaultButton2, QStringLiteral("Print to PDF file")) != ButtonYes)
            return false;
    }
    printer.pdfFile = path;
    return true;
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
    if (!answer.cancelled && answer.printer.isPdf() && !choosePdfFile(answer.printer, request.initial))
        answer = PrinterDialogAnswer{};
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
