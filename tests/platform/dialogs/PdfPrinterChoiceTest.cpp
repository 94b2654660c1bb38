#include "dialogs/CommonDialogs.h"
#include "dialogs/QtDialogProvider.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "runtime/RuntimeError.h"

#include "support/TemporaryFolder.h"

#include <QApplication>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

const QString Pdf = QString::fromLatin1(PdfPrinterName);

class PdfPrinter : public ::testing::Test {
protected:
    void SetUp() override { setCurrentPrinter({}); }
    void TearDown() override { setCurrentPrinter({}); }
    QString file(const char* name) const { return QString::fromStdString(folder.file(name).string()); }

    TemporaryFolder folder;
    ScriptedDialogProvider script;
    ScopedDialogProvider use{script};
};

// Chosen in the printer dialog, the PDF printer asks for its file and the
// file always ends in ".pdf".
TEST_F(PdfPrinter, AsksForTheFileAndAddsTheExtension)
{
    struct Case {
        const char* answered;
        const char* kept;
    };
    for (const Case& c : {Case{"report", "report.pdf"}, Case{"report.PDF", "report.PDF"},
                          Case{"shop.sheet", "shop.sheet.pdf"}}) {
        script.answerPrinter({.printerName = Pdf, .orientation = PageOrientation::Landscape});
        script.answerFile(file(c.answered));
        PrinterDialogRequest request;
        request.initial = currentPrinter(); // as the programs ask
        const PrinterDialogAnswer answer = showPrinterDialog(request);
        ASSERT_FALSE(answer.cancelled) << c.answered;
        EXPECT_EQ(answer.printer.printerName, Pdf);
        EXPECT_EQ(answer.printer.pdfFile, file(c.kept));
        EXPECT_EQ(answer.printer.orientation, PageOrientation::Landscape);
        EXPECT_EQ(currentPrinter(), answer.printer);
    }
    const auto asked = script.requestsOf<FileDialogRequest>();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].mode, FileDialogMode::Save);
    EXPECT_EQ(asked[0].filter, QStringLiteral("PDF files (*.pdf)|*.pdf"));
    EXPECT_EQ(asked[0].defaultExtension, QStringLiteral("pdf"));
    EXPECT_TRUE(asked[0].flags & FileOverwritePrompt);
    // The next time the file chosen last is offered.
    EXPECT_EQ(asked[2].fileName, file("report.PDF"));
    EXPECT_EQ(script.unusedAnswers(), 0u);
}

// A printer dialog that named the file itself is not asked again.
TEST_F(PdfPrinter, AFileNamedInThePrinterDialogIsKept)
{
    script.answerPrinter({.printerName = Pdf, .pdfFile = file("drawing.pdf")});
    EXPECT_EQ(showPrinterDialog({}).printer.pdfFile, file("drawing.pdf"));
    EXPECT_TRUE(script.requestsOf<FileDialogRequest>().empty());
}

// Giving up on the file gives up the print, as a cancelled printer dialog does;
// so does refusing to replace a file that the added ".pdf" hit.
TEST_F(PdfPrinter, NoFileIsACancelledPrint)
{
    const PrinterChoice before{.printerName = QStringLiteral("Office")};
    setCurrentPrinter(before);
    script.answerPrinter({.printerName = Pdf});
    script.cancelFile();
    EXPECT_TRUE(showPrinterDialog({}).cancelled);

    {
        QFile existing(file("old.pdf"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("kept");
    }
    script.answerPrinter({.printerName = Pdf});
    script.answerFile(file("old"));
    script.answerMessageBox(ButtonNo);
    PrinterDialogRequest request;
    request.cancelError = true;
    try {
        showPrinterDialog(request);
        ADD_FAILURE() << "a refused file must count as cancelled";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), runtime::CancelError);
    }
    EXPECT_EQ(currentPrinter(), before);
    const auto boxes = script.requestsOf<MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(file("old.pdf")));
    EXPECT_EQ(boxes[0].defaultButton, ButtonNo);

    script.answerPrinter({.printerName = Pdf});
    script.answerFile(file("old"));
    script.answerMessageBox(ButtonYes);
    EXPECT_EQ(showPrinterDialog({}).printer.pdfFile, file("old.pdf"));
}

// The window offers the PDF printer even when print-to-file is asked to be
// hidden, preselects the file printed to last, and hands it back.
TEST_F(PdfPrinter, TheWindowAlwaysOffersPrintingToAFile)
{
    PrinterDialogRequest request;
    request.flags = PrinterHidePrintToFile + PrinterNoPageNumbers + PrinterNoSelection;
    request.initial = {.printerName = Pdf, .pdfFile = file("last.pdf")};
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no printer dialog";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        EXPECT_EQ(dialog->printer()->outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(dialog->printer()->outputFileName(), file("last.pdf"));
        dialog->accept();
    });
    const PrinterDialogAnswer answer = QtDialogProvider().printerDialog(request);
    ASSERT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.printer.printerName, Pdf);
    EXPECT_EQ(answer.printer.pdfFile, file("last.pdf"));
}

} // namespace
