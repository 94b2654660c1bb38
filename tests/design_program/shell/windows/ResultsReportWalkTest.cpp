#include "design_program/shell/windows/WalkedProgram.h"

#include "chart/Chart.h"
#include "forms/ComboBox.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "printing/PrinterOutput.h"
#include "printing/ReportDocument.h"

#include "support/PdfReader.h"

#include <QApplication>
#include <QCursor>
#include <QDir>

#include <gmock/gmock.h>

#include <algorithm>
#include <stdexcept>

namespace {

using printing::ReportDocument;
using printing::TextItem;

class KeptOutput : public printing::PrinterOutput {
public:
    void print(const ReportDocument& document, const dialogs::PrinterChoice&, const QString&) override
    {
        printed.push_back(document.pageCount());
    }
    std::vector<int> printed;
};

// A printer that fails with an error the report does not expect, noting the
// cursor it was called under.
class FailingOutput : public printing::PrinterOutput {
public:
    void print(const ReportDocument&, const dialogs::PrinterChoice&, const QString&) override
    {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shapeWhilePrinting = cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
        throw std::runtime_error("printer went away");
    }
    Qt::CursorShape shapeWhilePrinting = Qt::ArrowCursor;
};

// The default design walked to its last step, then printed and previewed
// from the File menu.
class ResultsReportWalk : public WalkedProgram {
protected:
    void walkTheDefaultDesign()
    {
        next();
        ASSERT_EQ(current(), "Main Inputs");
        main().get<forms::ComboBox>(QStringLiteral("cmbToothOrient")).setListIndex(0);
        next();
        next();
        ASSERT_EQ(current(), "Tooth Thickness");
        for (int member : {0, 1}) {
            main().get<forms::TextBox>(QStringLiteral("txtMinEdgeBreak"), member).setText(QStringLiteral("0"));
            main().get<forms::TextBox>(QStringLiteral("txtMaxEdgeBreak"), member).setText(QStringLiteral("0"));
        }
        next();
        ASSERT_EQ(current(), "Tooth Proportions");
        for (int member : {0, 1})
            main().get<forms::ComboBox>(QStringLiteral("cmbFilletType"), member).setListIndex(0);
        main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(0);
        for (int step = 0; step < 5 && current() != "Scoring and SubShear Graphs"; ++step)
            next();
        ASSERT_EQ(current(), "Scoring and SubShear Graphs");
    }
    void menu(const char* name)
    {
        main().get<forms::MenuItem>(QString::fromLatin1(name)).click();
        QCoreApplication::processEvents();
    }
    const ReportDocument& report() { return startup->gobjOutputs()->reportPrinter().document(); }
    std::vector<std::string> texts(int page)
    {
        std::vector<std::string> found;
        for (const auto& item : report().pages.at(page).items)
            if (const auto* text = std::get_if<TextItem>(&item))
                found.push_back(text->text.toStdString());
        return found;
    }
    bool previewShown()
    {
        const forms::Form* preview = startup->windows().find(QStringLiteral("frmPrintPreview"));
        return preview != nullptr && preview->isLoaded() && const_cast<forms::Form*>(preview)->visible();
    }
    const chart::Chart& mainChart() { return main().get<chart::Chart>(QStringLiteral("Chart2D1")); }
};

TEST_F(ResultsReportWalk, TheDefaultDesignsReportHoldsEveryPrintedStepInOrderAndShowsInThePreview)
{
    walkTheDefaultDesign();
    for (const auto& [name, value] : std::vector<std::pair<const char*, const char*>>{
             {"CompanyName", "Ridgeway Gear Works"}, {"UserName", "A. Fielding"}, {"AddressLine1", "12 Mill Lane"},
             {"City", "Dayton"}, {"State", "OH"}, {"ZipCode", "45402"}, {"PhoneNumber", "937 555 0100"},
             {"EMail", "design@ridgeway.example"}})
        startup->gobjRegisty()->UserInfo(name, value);
    main().get<forms::Label>(QStringLiteral("lblRunNotes"))
        .setCaption(QStringLiteral("Spur pair for the ~dblquotesB~dblquotes conveyor drive, hardened and ground."));
    press(main(), "cmdGraphShear");
    menu("mnuFilePrintPreview");
    EXPECT_TRUE(dialogs.requestsOf<dialogs::CheckableMessageRequest>().empty()) << "the user information is all there";
    ASSERT_TRUE(previewShown());
    const auto first = texts(0);
    for (const char* line : {"Ridgeway Gear Works", "A. Fielding", "12 Mill Lane", "Dayton, OH  45402", "937 555 0100",
                             "design@ridgeway.example", "NOTES:",
                             "Spur pair for the \"B\" conveyor drive, hardened and ground."})
        EXPECT_EQ(std::count(first.begin(), first.end(), line), 1) << line;

    // The headings of the printed steps, in the path's order.
    std::vector<std::string> headings;
    const cindrel::sequence::StateCollection& steps = navigator().StateCollection();
    for (const auto* step : steps.Items())
        if (step->PrintVariables)
            headings.push_back(step->PrintHeading);
    ASSERT_GE(headings.size(), 6u);
    std::vector<std::string> all;
    const int pages = report().pageCount();
    for (int page = 0; page < pages; ++page) {
        const auto pageTexts = texts(page);
        all.insert(all.end(), pageTexts.begin(), pageTexts.end());
        const std::string number = "Page " + std::to_string(page + 1) + " of " + std::to_string(pages);
        EXPECT_EQ(std::count(pageTexts.begin(), pageTexts.end(), number), 1) << number;
        EXPECT_EQ(std::count(pageTexts.begin(), pageTexts.end(), "Cindrel results:"), 1) << "the default design";
        EXPECT_EQ(std::count(pageTexts.begin(), pageTexts.end(), "File: Cindrel.def"), 1);
    }
    auto at = all.begin();
    for (const std::string& heading : headings) {
        at = std::find(at, all.end(), heading);
        EXPECT_NE(at, all.end()) << heading << " missing or out of order";
    }
    // The graphs page closes the report after the scoring inputs.
    const auto last = texts(pages - 1);
    EXPECT_EQ(std::find(last.begin(), last.end(), "Variable"), last.end());
    const std::string scoring = navigator().state("Scoring and SubShear Inputs").PrintHeading;
    EXPECT_EQ(std::count(all.begin(), all.end(), scoring), 1);
    EXPECT_EQ(std::find(all.begin(), all.end(), scoring) - all.begin() < static_cast<long>(all.size() - last.size()), true)
        << "the scoring inputs come before the graphs page";
    // Six graphs fill the six cells of the last page, each with ink of its own.
    std::vector<QRectF> cells;
    for (const auto& item : report().pages.at(pages - 1).items)
        if (const auto* picture = std::get_if<printing::PictureItem>(&item))
            cells.push_back(picture->rect);
    EXPECT_THAT(cells, ::testing::ElementsAre(QRectF(1440, 1440, 4680, 4320), QRectF(1440, 5760, 4680, 4320),
                                              QRectF(1440, 10080, 4680, 4320), QRectF(6120, 1440, 4680, 4320),
                                              QRectF(6120, 5760, 4680, 4320), QRectF(6120, 10080, 4680, 4320)));
    const QImage graphs = printing::pageImage(report(), pages - 1, 96);
    for (const QRectF& cell : cells) {
        const QRect pixels((cell.topLeft() / 15).toPoint(), (cell.size() / 15).toSize());
        int ink = 0;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y)
            for (int x = pixels.left(); x <= pixels.right(); ++x)
                ink += graphs.pixelColor(x, y).lightness() < 128 ? 1 : 0;
        EXPECT_GT(ink, pixels.width() * pixels.height() / 100) << "no graph drawn at " << cell.x() << "," << cell.y();
    }
    // The last graph of the page, the deflections, stays on screen.
    EXPECT_EQ(navigator().pobjChart->GraphMode(), cindrel::analyses::T_Chart::Deflection);
    EXPECT_EQ(mainChart().model().header, QStringLiteral("Tooth Deflection (in) "));

    // Pictures of the pages, to look at.
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/print-artefacts"));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    for (int page = 0; page < pages; ++page)
        EXPECT_TRUE(printing::pageImage(report(), page, 110).save(folder.filePath(QStringLiteral("report-page-%1.png").arg(page + 1))));
    QString error;
    EXPECT_TRUE(printing::writePdf(report(), folder.filePath(QStringLiteral("report.pdf")), QStringLiteral("report"), &error))
        << error.toStdString();
}

TEST_F(ResultsReportWalk, PrintFromTheFileMenuGoesToThePrinterChosenAndACancelPrintsNothing)
{
    walkTheDefaultDesign();
    KeptOutput kept;
    printing::ScopedPrinterOutput scope(kept);
    dialogs.cancelPrinter();
    menu("mnuFilePrint");
    EXPECT_TRUE(kept.printed.empty());
    EXPECT_TRUE(dialogs.requestsOf<dialogs::CheckableMessageRequest>().empty()) << "no question after a cancel";
    EXPECT_EQ(report().pageCount(), 0);

    // No user information is stored yet: the question comes, answered No and silenced.
    dialogs.answerPrinter({.printerName = QStringLiteral("Office")});
    dialogs.answerCheckableMessage(4, true);
    menu("mnuFilePrint");
    ASSERT_EQ(kept.printed.size(), 1u);
    EXPECT_EQ(kept.printed[0], report().pageCount());
    EXPECT_GE(kept.printed[0], 2);
    // The question silenced, the next report is built without it.
    dialogs.answerPrinter({.printerName = QStringLiteral("Office")});
    menu("mnuFilePrint");
    EXPECT_EQ(dialogs.requestsOf<dialogs::CheckableMessageRequest>().size(), 1u);
    EXPECT_EQ(kept.printed.size(), 2u);
}

// On a machine with no printer at all the PDF printer is there: the report
// lands in the file named, every page of it. A file that cannot be written
// is told to the user with the reason, run notes or not.
TEST_F(ResultsReportWalk, PrintToThePdfPrinterWritesTheWholeReportOrSaysWhyNot)
{
    walkTheDefaultDesign();
    const QString pdf = QString::fromLatin1(dialogs::PdfPrinterName);
    dialogs.answerPrinter({.printerName = pdf});
    dialogs.answerFile(QString::fromStdString(folder.file("results").string()));
    dialogs.answerCheckableMessage(4, true);
    menu("mnuFilePrint");
    const testsupport::PdfContents read = testsupport::readPdf(QString::fromStdString(folder.file("results.pdf").string()));
    ASSERT_GE(report().pageCount(), 2);
    ASSERT_EQ(read.pages, report().pageCount()) << read.error.toStdString();
    EXPECT_TRUE(read.pageTexts.front().contains(QStringLiteral("Cindrel results:")));
    EXPECT_TRUE(read.allText().contains(QStringLiteral("Main Inputs")));
    EXPECT_TRUE(read.pageTexts.back().contains(QStringLiteral("Page %1 of %1").arg(read.pages)));
    EXPECT_TRUE(dialogs.requestsOf<dialogs::MessageBoxRequest>().empty());

    const QString unwritable = QString::fromStdString(folder.file("gone/results.pdf").string());
    dialogs.answerPrinter({.printerName = pdf, .pdfFile = unwritable});
    dialogs.answerMessageBox(dialogs::ButtonOK);
    menu("mnuFilePrint");
    const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The results report was not printed.\r\n\r\n")));
    EXPECT_TRUE(boxes[0].text.contains(unwritable)) << boxes[0].text.toStdString();
    EXPECT_FALSE(boxes[0].text.contains(QStringLiteral("run log"), Qt::CaseInsensitive));
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);
}

// A printer that fails does so under the wait cursor; the user is told, and
// the normal cursor comes back rather than the wait cursor staying for the
// rest of the session.
TEST_F(ResultsReportWalk, APrintThatFailsUnderTheBusyCursorSaysSoAndGivesTheNormalCursorBack)
{
    FailingOutput failing;
    printing::ScopedPrinterOutput scope(failing);
    dialogs.answerPrinter({.printerName = QStringLiteral("Office")});
    dialogs.answerCheckableMessage(4, true);
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_NO_THROW(menu("mnuFilePrint"));
    EXPECT_EQ(failing.shapeWhilePrinting, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The results report was not printed."))) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("printer went away"))) << boxes[0].text.toStdString();
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);
}

} // namespace
