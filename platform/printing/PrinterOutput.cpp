#include "PrinterOutput.h"

#include "runtime/RuntimeError.h"

#include <QPainter>
#include <QPrinter>

namespace printing {

namespace {

class SystemPrinters : public PrinterOutput {
public:
    void print(const ReportDocument& document, const dialogs::PrinterChoice& choice, const QString& title) override
    {
        if (document.pageCount() == 0)
            runtime::raise(PrinterError, "Printer error: the document has no pages");
        if (choice.isPdf()) {
            QString why;
            if (choice.pdfFile.trimmed().isEmpty())
                why = QStringLiteral("no file name was given");
            else if (!writePdf(document, choice.pdfFile, title, &why))
                why = why.isEmpty() ? QStringLiteral("the file could not be written") : why;
            else
                return;
            runtime::raise(PrinterError, "Printer error: the PDF file was not written: " + why.toStdString());
        }
        QPrinter printer(QPrinter::HighResolution);
        if (!choice.printerName.isEmpty())
            printer.setPrinterName(choice.printerName);
        const QString name = choice.printerName.isEmpty() ? QStringLiteral("the default printer") : choice.printerName;
        if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat)
            runtime::raise(PrinterError, "Printer error: " + name.toStdString() +
                                             " is not available; choose another printer or the PDF printer");
        printer.setDocName(title);
        printer.setCopyCount(std::max(choice.copies, 1));
        printer.setFullPage(true);
        printer.setPageSize(QPageSize(QSizeF(document.pageSize.width() / 1440, document.pageSize.height() / 1440),
                                      QPageSize::Inch, QString(), QPageSize::FuzzyOrientationMatch));
        QPainter painter;
        if (!painter.begin(&printer))
            runtime::raise(PrinterError, "Printer error: cannot print on " + name.toStdString());
        const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
        for (int page = 0; page < document.pageCount(); ++page) {
            if (page > 0 && !printer.newPage()) {
                painter.end();
                runtime::raise(PrinterError, "Printer error: " + name.toStdString() + " stopped taking pages");
            }
            renderPage(document, page, painter, QRectF(QPointF(0, 0), paper.size()));
        }
        painter.end();
    }
};

PrinterOutput*& installed()
{
    static PrinterOutput* output = nullptr;
    return output;
}

} // namespace

PrinterOutput& currentPrinterOutput()
{
    static SystemPrinters system;
    return installed() != nullptr ? *installed() : system;
}

void setPrinterOutput(PrinterOutput* output) { installed() = output; }

ScopedPrinterOutput::ScopedPrinterOutput(PrinterOutput& output) : previous_(installed()) { installed() = &output; }

ScopedPrinterOutput::~ScopedPrinterOutput() { installed() = previous_; }

void printDocument(const ReportDocument& document, const dialogs::PrinterChoice& printer, const QString& title)
{
    currentPrinterOutput().print(document, printer, title);
}

} // namespace printing
