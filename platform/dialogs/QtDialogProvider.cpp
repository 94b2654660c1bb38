#include "dialogs/QtDialogProvider.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/FileFilter.h"
#include "dialogs/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <map>

namespace dialogs {

namespace {

// Widgets may only be made on the thread of a widget application; anywhere
// else a dialog would crash the process, so it is not shown.
bool haveWidgets() {
    const QCoreApplication* application = QCoreApplication::instance();
    return qobject_cast<const QApplication*>(application) != nullptr &&
           QThread::currentThread() == application->thread();
}

// Texts come with CR LF line ends, and may hold "<" (a file name, a formula):
// show them as plain lines, never as markup.
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QWidget* ownerWindow() { return QApplication::activeWindow(); }

QMessageBox::Icon qtIcon(int icon) {
    switch (icon) {
    case IconCritical: return QMessageBox::Critical;
    case IconQuestion: return QMessageBox::Question;
    case IconExclamation: return QMessageBox::Warning;
    case IconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton qtButton(int code) {
    switch (code) {
    case ButtonCancel: return QMessageBox::Cancel;
    case ButtonAbort: return QMessageBox::Abort;
    case ButtonRetry: return QMessageBox::Retry;
    case ButtonIgnore: return QMessageBox::Ignore;
    case ButtonYes: return QMessageBox::Yes;
    case ButtonNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

QString startFolder(const QString& initialFolder, const QString& fileName) {
    if (!initialFolder.isEmpty())
        return initialFolder;
    const QFileInfo file(fileName);
    if (!fileName.isEmpty() && file.path() != QLatin1String("."))
        return file.path();
    return fileDialogStartFolder(QString());
}

QFont qtFont(const FontChoice& choice) {
    QFont font(choice.name);
    if (choice.size > 0)
        font.setPointSizeF(choice.size);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStrikeOut(choice.strikeOut);
    return font;
}

FontChoice fontChoice(const QFont& font) {
    return {font.family(), font.pointSizeF(), font.bold(), font.italic(), font.underline(),
            font.strikeOut()};
}

// A question is answered with the normal cursor, also when it comes up in the
// middle of work that shows the wait cursor (a failed print, a file name for
// an export); the wait cursor comes back when it is answered.
class [[nodiscard]] NormalCursor {
public:
    NormalCursor() : lifted_(QGuiApplication::overrideCursor() != nullptr)
    {
        if (lifted_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~NormalCursor()
    {
        if (lifted_)
            QGuiApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool lifted_;
};

} // namespace

int QtDialogProvider::messageBox(const MessageBoxRequest& request) {
    if (!haveWidgets()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(request.title), qPrintable(request.text));
        return closedBoxAnswer(request);
    }
    QMessageBox box(qtIcon(request.icon), request.title, displayText(request.text), QMessageBox::NoButton,
                    ownerWindow());
    box.setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, int> codes;
    for (int code : request.buttons()) {
        QPushButton* button = box.addButton(qtButton(code));
        codes[button] = code;
        if (code == request.defaultButton)
            box.setDefaultButton(button);
    }
    const NormalCursor normal;
    box.exec();
    const auto pressed = codes.find(box.clickedButton());
    return pressed != codes.end() ? pressed->second : closedBoxAnswer(request);
}

CheckableMessageAnswer QtDialogProvider::checkableMessage(const CheckableMessageRequest& request) {
    if (!haveWidgets()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(request.title), qPrintable(request.text));
        return {0, request.checked};
    }
    QDialog dialog(ownerWindow());
    dialog.setWindowTitle(request.title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QPlainTextEdit(displayText(request.text));
    text->setReadOnly(true);
    text->setBackgroundRole(QPalette::Button);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addStretch();
    int pressed = 0;
    const std::pair<int, const char*> buttons[] = {
        {CheckableOK, "OK"}, {CheckableYes, "Yes"}, {CheckableNo, "No"}, {CheckableCancel, "Cancel"}};
    for (const auto& [bit, caption] : buttons) {
        if ((request.buttonBits & bit) == 0)
            continue;
        auto* button = new QPushButton(QString::fromLatin1(caption));
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &pressed, bit = bit] {
            pressed = bit;
            dialog.accept();
        });
        row->addWidget(button);
    }
    row->addStretch();
    layout->addLayout(row);
    auto* check = new QCheckBox(request.checkBoxText);
    check->setChecked(request.checked);
    layout->addWidget(check);
    dialog.resize(385, 170);
    const NormalCursor normal;
    dialog.exec();
    return {pressed, check->isChecked()};
}

FileDialogAnswer QtDialogProvider::fileDialog(const FileDialogRequest& request) {
    FileDialogAnswer answer;
    if (!haveWidgets())
        return answer;
    QFileDialog dialog(ownerWindow(), request.title, startFolder(request.initialFolder, request.fileName));
    const bool save = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else if (request.flags & FileAllowMultiSelect)
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else if (request.flags & FileMustExist)
        dialog.setFileMode(QFileDialog::ExistingFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    // The replace question comes after the file type's extension is added
    // (showFileDialog), so that it is asked about the file really written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::max(request.filterIndex, 1) - 1;
        if (index < filters.size())
            dialog.selectNameFilter(filters[index]);
    }
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    const NormalCursor normal;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return answer;
    answer.cancelled = false;
    answer.paths = dialog.selectedFiles();
    answer.filterIndex = std::max<int>(static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1, 1);
    return answer;
}

FontDialogAnswer QtDialogProvider::fontDialog(const FontDialogRequest& request) {
    FontDialogAnswer answer;
    if (!haveWidgets())
        return answer;
    QFontDialog dialog(qtFont(request.initial), ownerWindow());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    const bool limited = (request.flags & FontLimitSize) && request.minimumSize > 0 &&
                         request.maximumSize >= request.minimumSize;
    const NormalCursor normal;
    while (dialog.exec() == QDialog::Accepted) {
        const double size = dialog.selectedFont().pointSizeF();
        if (!limited || (size >= request.minimumSize && size <= request.maximumSize)) {
            answer.cancelled = false;
            answer.font = fontChoice(dialog.selectedFont());
            return answer;
        }
        QMessageBox::warning(&dialog, dialog.windowTitle(),
                             QStringLiteral("Size must be between %1 and %2 points.")
                                 .arg(request.minimumSize)
                                 .arg(request.maximumSize));
        dialog.setCurrentFont(dialog.selectedFont());
    }
    return answer;
}

ColorDialogAnswer QtDialogProvider::colorDialog(const ColorDialogRequest& request) {
    ColorDialogAnswer answer;
    answer.customColors = request.customColors;
    if (!haveWidgets())
        return answer;
    for (int i = 0; i < CustomColorCount; ++i) {
        const QColor& color = request.customColors[static_cast<std::size_t>(i)];
        QColorDialog::setCustomColor(i, color.isValid() ? color : QColor(Qt::white));
    }
    QColorDialog dialog(request.initial.isValid() ? request.initial : QColor(Qt::white), ownerWindow());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    const NormalCursor normal;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < CustomColorCount; ++i)
        answer.customColors[static_cast<std::size_t>(i)] = QColorDialog::customColor(i);
    if (!accepted)
        return answer;
    answer.cancelled = false;
    answer.color = dialog.selectedColor();
    return answer;
}

PrinterDialogAnswer QtDialogProvider::printerDialog(const PrinterDialogRequest& request) {
    PrinterDialogAnswer answer;
    if (!haveWidgets())
        return answer;
    QPrinter printer;
    if (request.initial.isPdf())
        printer.setOutputFileName(!request.initial.pdfFile.isEmpty()
                                      ? request.initial.pdfFile
                                      : QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                            .filePath(QStringLiteral("print.pdf")));
    else if (!request.initial.printerName.isEmpty())
        printer.setPrinterName(request.initial.printerName);
    printer.setCopyCount(std::max(request.initial.copies, 1));
    printer.setPageOrientation(request.initial.orientation == PageOrientation::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, ownerWindow());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    // Printing to a PDF file stands for the system's PDF printer: offered
    // always, so a machine without printers still has one.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(request.flags & PrinterNoPageNumbers));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !(request.flags & PrinterNoSelection));
    const NormalCursor normal;
    if (dialog.exec() != QDialog::Accepted)
        return answer;
    answer.cancelled = false;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        answer.printer.printerName = QString::fromLatin1(PdfPrinterName);
        answer.printer.pdfFile = printer.outputFileName();
    } else {
        answer.printer.printerName = printer.printerName();
    }
    answer.printer.copies = printer.copyCount();
    answer.printer.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                                     ? PageOrientation::Landscape
                                     : PageOrientation::Portrait;
    return answer;
}

FolderDialogAnswer QtDialogProvider::folderDialog(const FolderDialogRequest& request) {
    FolderDialogAnswer answer;
    if (!haveWidgets())
        return answer;
    const NormalCursor normal;
    const QString folder = QFileDialog::getExistingDirectory(ownerWindow(), request.title,
                                                             startFolder(request.initialFolder, {}));
    if (folder.isEmpty())
        return answer;
    answer.cancelled = false;
    answer.folder = folder;
    return answer;
}

} // namespace dialogs
