#include "dialogs/CommonDialogs.h"

#include "dialogs/DialogProvider.h"
#include "dialogs/FileFilter.h"
#include "dialogs/MessageBox.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <vector>

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

QString& lastFileDialogFolder() {
    static QString folder;
    return folder;
}

bool isFolder(const QString& folder) { return !folder.isEmpty() && QFileInfo(folder).isDir(); }

// Whether the folder is the program's own or inside it: files a user saves
// do not belong among the program's.
bool isProgramFolder(const QString& folder) {
    if (QCoreApplication::instance() == nullptr)
        return false;
    const QString program = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    const QString asked = QDir(folder).canonicalPath();
    return !program.isEmpty() && !asked.isEmpty() &&
           (asked == program || asked.startsWith(program + QLatin1Char('/')));
}

// The extension of the filter entry chosen ("*.cnd" gives "cnd"); the
// request's default extension when the entry has no single plain one.
QString filterExtension(const QString& filter, int filterIndex, const QString& defaultExtension) {
    const std::vector<FileFilterEntry> entries = parseFileFilter(filter);
    const std::size_t index = static_cast<std::size_t>(std::max(filterIndex, 1) - 1);
    if (index < entries.size() && entries[index].patterns.size() == 1) {
        const QString& pattern = entries[index].patterns.front();
        static const QRegularExpression plain(QStringLiteral(R"(^\*\.([^.*?\[\]]+)$)"));
        if (const QRegularExpressionMatch match = plain.match(pattern); match.hasMatch())
            return match.captured(1);
    }
    QString extension = defaultExtension;
    while (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    return extension;
}

// A name typed without an extension gets the one of its file type.
QString withExtension(const QString& path, const QString& extension) {
    if (extension.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + extension;
}

bool confirmReplace(const QString& path) {
    return messageBox(QStringLiteral("%1 already exists.\r\nDo you want to replace it?")
                          .arg(QDir::toNativeSeparators(path)),
                      YesNo + IconExclamation + DefaultButton2, QStringLiteral("Confirm Save As")) == ButtonYes;
}

PrinterChoice& storedPrinter() {
    static PrinterChoice printer;
    return printer;
}

} // namespace

QString fileDialogStartFolder(const QString& asked) {
    if (isFolder(asked) && !isProgramFolder(asked))
        return asked;
    if (isFolder(lastFileDialogFolder()) && !isProgramFolder(lastFileDialogFolder()))
        return lastFileDialogFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (isFolder(documents))
        return documents;
    return QDir::homePath();
}

FileDialogAnswer showFileDialog(const FileDialogRequest& request) {
    FileDialogRequest asked = request;
    asked.initialFolder = fileDialogStartFolder(request.initialFolder);
    for (;;) {
        FileDialogAnswer answer = currentProvider().fileDialog(asked);
        if (answer.cancelled || answer.paths.isEmpty())
            return raiseIfCancelled(answer, request.cancelError);
        if (asked.mode == FileDialogMode::Save) {
            const QString extension = filterExtension(asked.filter, answer.filterIndex, asked.defaultExtension);
            for (QString& path : answer.paths)
                path = withExtension(path, extension);
        }
        lastFileDialogFolder() = QFileInfo(answer.path()).absolutePath();
        if (asked.mode != FileDialogMode::Save || !(asked.flags & FileOverwritePrompt) ||
            !QFileInfo::exists(answer.path()) || confirmReplace(answer.path()))
            return answer;
        // Not replaced: the user picks another name, starting from the folder chosen.
        asked.initialFolder = lastFileDialogFolder();
        asked.fileName = QFileInfo(answer.path()).fileName();
    }
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
