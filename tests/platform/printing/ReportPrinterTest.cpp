#include "printing/PreviewControl.h"
#include "printing/PrinterOutput.h"
#include "printing/ReportPrinter.h"

#include "forms/Form.h"
#include "forms/Layout.h"

#include "support/ErrorCapture.h"
#include "support/PdfReader.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace printing;
using testsupport::errorNumberOf;

// Letter paper with 1-inch margins: text between x 1440 and 10800, y 1440 and 14400.
constexpr double Left = 1440;
constexpr double Right = 12240 - 1440;
constexpr double Bottom = 15840 - 1440;
const QString PairFormat = QStringLiteral(">+1400|^+1500|^+1500|<+4500");
const QString PairHeader = QStringLiteral("{\\b Variable}|{\\b Pinion}|{\\b Gear}|{\\b Description};");

std::vector<TextItem> textsOf(const ReportDocument& document, int page)
{
    std::vector<TextItem> texts;
    for (const PageItem& item : document.pages.at(page).items)
        if (const auto* text = std::get_if<TextItem>(&item))
            texts.push_back(*text);
    return texts;
}

std::optional<TextItem> find(const ReportDocument& document, int page, const QString& text)
{
    for (const TextItem& item : textsOf(document, page))
        if (item.text == text)
            return item;
    return std::nullopt;
}

double widthOf(const TextItem& item) { return QFontMetricsF(twipsFont(item.style)).horizontalAdvance(item.text); }

class Printer : public ::testing::Test {
protected:
    void SetUp() override { printer.startDoc(); }
    ReportPrinter printer;
};

TEST_F(Printer, TableCellsSitInTheirColumnsByTheFormatsAlignment)
{
    printer.addTable(PairFormat, PairHeader, QStringLiteral("N|12|40|Number of teeth"), Qt::white, Qt::white, false);
    printer.endDoc();
    const ReportDocument& document = printer.document();
    // The 8900-twip table centred between margins 9360 apart starts at 1670;
    // the cells keep 80 twips from their edges.
    const std::optional<TextItem> key = find(document, 0, "N");
    ASSERT_NE(key, std::nullopt);
    EXPECT_NEAR(key->baseline.x() + widthOf(*key), 1670 + 1400 - 80, 1);
    const std::optional<TextItem> pinion = find(document, 0, "12");
    ASSERT_NE(pinion, std::nullopt);
    EXPECT_NEAR(pinion->baseline.x() + widthOf(*pinion) / 2, 1670 + 1400 + 750, 1);
    const std::optional<TextItem> description = find(document, 0, "Number of teeth");
    ASSERT_NE(description, std::nullopt);
    EXPECT_NEAR(description->baseline.x(), 1670 + 1400 + 1500 + 1500 + 80, 1);
    // The header stands above the row, bold, its markup gone.
    const std::optional<TextItem> variable = find(document, 0, "Variable");
    ASSERT_NE(variable, std::nullopt);
    EXPECT_TRUE(variable->style.bold);
    EXPECT_LT(variable->baseline.y(), key->baseline.y());
    EXPECT_FALSE(find(document, 0, "12")->style.bold);
}

TEST_F(Printer, TheHeaderFlagLeavesTheHeaderOutAndAnEmptyTableAddsNothing)
{
    printer.addTable(PairFormat, PairHeader, QStringLiteral("m|3|3|Module"), Qt::white, Qt::white, true);
    EXPECT_EQ(find(printer.document(), 0, "Variable"), std::nullopt);
    EXPECT_NE(find(printer.document(), 0, "Module"), std::nullopt);
    const double y = printer.currentY();
    const auto items = printer.document().pages[0].items.size();
    printer.addTable(PairFormat, QString(), QString(), Qt::white, Qt::white, false);
    printer.addTable(PairFormat, PairHeader, QString(), Qt::white, Qt::white, true);
    EXPECT_EQ(printer.currentY(), y);
    EXPECT_EQ(printer.document().pages[0].items.size(), items);
}

TEST_F(Printer, ALongTableBreaksAcrossPagesWithItsHeaderOnEachAndNoRowLost)
{
    QStringList rows;
    for (int row = 0; row < 200; ++row)
        rows.append(QStringLiteral("K%1|%2|%3|Row %1").arg(row).arg(row * 2).arg(row * 3));
    printer.addTable(PairFormat, PairHeader, rows.join(QStringLiteral("\r\n")), Qt::white, Qt::white, false);
    printer.endDoc();
    const ReportDocument& document = printer.document();
    ASSERT_GE(document.pageCount(), 3);
    int next = 0;
    for (int page = 0; page < document.pageCount(); ++page) {
        const auto texts = textsOf(document, page);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front().text, QStringLiteral("Variable")) << "page " << page + 1;
        for (const TextItem& text : texts) {
            EXPECT_LE(text.baseline.y(), Bottom) << text.text.toStdString();
            if (text.text.startsWith(u'K')) {
                EXPECT_EQ(text.text, QStringLiteral("K%1").arg(next)) << "rows in order, each once";
                ++next;
            }
        }
    }
    EXPECT_EQ(next, 200);
}

TEST_F(Printer, ParagraphsWrapBetweenTheMarginsAndFlowOntoNewPages)
{
    const QString words = QStringLiteral("involute ").repeated(4000);
    printer.setTextAlign(Alignment::Centre);
    printer.paragraph(words);
    // A word longer than a line is cut at the margin.
    printer.paragraph(QStringLiteral("x").repeated(3000));
    printer.endDoc();
    const ReportDocument& document = printer.document();
    EXPECT_GT(document.pageCount(), 5);
    int wordsSeen = 0;
    for (int page = 0; page < document.pageCount(); ++page)
        for (const TextItem& text : textsOf(document, page)) {
            EXPECT_GE(text.baseline.x(), Left - 1);
            EXPECT_LE(text.baseline.x() + widthOf(text), Right + 1);
            EXPECT_LE(text.baseline.y(), Bottom);
            EXPECT_GE(text.baseline.y(), 1440);
            wordsSeen += text.text.count(QStringLiteral("involute"));
        }
    EXPECT_EQ(wordsSeen, 4000);
}

TEST_F(Printer, OverlaysWritePageFramesOnFinishedPagesAtTheirPlaces)
{
    for (int page = 0; page < 2; ++page)
        printer.newPage();
    printer.endDoc();
    printer.setFontSize(10);
    for (int page = 1; page <= printer.pageCount(); ++page) {
        printer.startOverlay(page);
        printer.setCurrentX(printer.marginLeft());
        printer.setCurrentY(printer.pageHeight() - printer.marginBottom() + 900);
        printer.setTextAlign(Alignment::Left);
        printer.text(QStringLiteral("Printed today"));
        printer.setTextAlign(Alignment::Right);
        printer.text(QStringLiteral("\rPage %1 of %2").arg(page).arg(printer.pageCount()));
        printer.endOverlay();
    }
    const ReportDocument& document = printer.document();
    ASSERT_EQ(document.pageCount(), 3);
    for (int page = 0; page < 3; ++page) {
        const std::optional<TextItem> left = find(document, page, "Printed today");
        ASSERT_NE(left, std::nullopt);
        EXPECT_NEAR(left->baseline.x(), Left, 0.01);
        const std::optional<TextItem> number = find(document, page, QStringLiteral("Page %1 of 3").arg(page + 1));
        ASSERT_NE(number, std::nullopt) << "page " << page + 1;
        EXPECT_NEAR(number->baseline.x() + widthOf(*number), Right, 1);
        // The carriage return put it on the next line, below the bottom margin.
        EXPECT_GT(number->baseline.y(), left->baseline.y() + 150);
        EXPECT_GT(left->baseline.y(), Bottom + 900);
    }
}

TEST_F(Printer, CallsThatCannotBeDoneRaiseAndLeaveTheDocumentAsItWas)
{
    printer.paragraph(QStringLiteral("kept"));
    const auto items = printer.document().pages[0].items.size();
    EXPECT_EQ(errorNumberOf([&] { printer.addTable(QStringLiteral("<+abc"), QString(), QStringLiteral("x"), Qt::white,
                                                    Qt::white, true); }),
              380);
    EXPECT_EQ(errorNumberOf([&] { printer.setFontSize(0); }), 380);
    EXPECT_EQ(errorNumberOf([&] { printer.setFontName(QString()); }), 380);
    EXPECT_EQ(errorNumberOf([&] { printer.setCurrentY(std::nan("")); }), 380);
    EXPECT_EQ(errorNumberOf([&] { printer.drawPicture(QRectF(0, 0, 0, 100), {}); }), 380);
    EXPECT_EQ(errorNumberOf([&] { printer.startOverlay(2); }), 9);
    EXPECT_EQ(printer.document().pages[0].items.size(), items);
    printer.endDoc();
    EXPECT_EQ(errorNumberOf([&] { printer.paragraph(QStringLiteral("late")); }), 5);
    EXPECT_EQ(errorNumberOf([&] { printer.newPage(); }), 5);
    EXPECT_EQ(errorNumberOf([&] { printer.startOverlay(0); }), 9);
    EXPECT_EQ(printer.pageCount(), 1);
}

TEST_F(Printer, ADocumentCannotRunPastItsMostPages)
{
    EXPECT_EQ(errorNumberOf([&] {
                  for (int page = 0; page < ReportPrinter::MaximumPages + 5; ++page)
                      printer.newPage();
              }),
              7);
    EXPECT_EQ(printer.pageCount(), ReportPrinter::MaximumPages);
}

// Renders: text ink where the paragraph is, the picture's red in its
// rectangle, white elsewhere.
TEST_F(Printer, PagesRenderTextAndPicturesWhereTheyWereLaidOut)
{
    printer.setFontSize(24);
    printer.paragraph(QStringLiteral("{\\b HEADING}"));
    printer.drawPicture(QRectF(1440, 7200, 2880, 1440), [](QPainter& painter, const QRectF& target) {
        EXPECT_EQ(target, QRectF(0, 0, 192, 96));
        painter.fillRect(target, Qt::red);
    });
    printer.endDoc();
    const QImage image = pageImage(printer.document(), 0, 96);
    ASSERT_EQ(image.size(), QSize(816, 1056));
    const auto count = [&image](QRect area, auto&& test) {
        int found = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                found += test(image.pixelColor(x, y)) ? 1 : 0;
        return found;
    };
    const auto dark = [](const QColor& c) { return c.lightness() < 100; };
    const auto red = [](const QColor& c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    // 24 pt at 96 per inch is 32 pixels; the text starts at the top margin, 96 pixels down.
    EXPECT_GT(count(QRect(96, 96, 720 - 96, 40), dark), 200);
    EXPECT_EQ(count(QRect(96, 150, 720 - 96, 300), dark), 0);
    EXPECT_EQ(count(QRect(98, 482, 188, 92), red), 188 * 92);
    EXPECT_EQ(count(QRect(0, 600, 816, 456), red), 0);
}

// A picture fills its rectangle at any resolution, not more: at 300 per
// inch the rectangle 1 by 2 inches from the corner is 300 by 600 pixels,
// and the blue quarter drawn last stands at its bottom right.
TEST_F(Printer, APictureKeepsItsRectangleOnADeviceOfAnyResolution)
{
    printer.drawPicture(QRectF(1440, 2880, 1440, 2880), [](QPainter& painter, const QRectF& target) {
        QImage picture((target.size() * 3).toSize(), QImage::Format_RGB32);
        picture.fill(Qt::red);
        QPainter(&picture).fillRect(QRectF(QPointF(picture.width() / 2.0, picture.height() / 2.0), QSizeF(picture.size()) / 2),
                                    Qt::blue);
        painter.drawImage(target, picture);
    });
    printer.endDoc();
    for (const double dpi : {96.0, 300.0}) {
        const QImage image = pageImage(printer.document(), 0, dpi);
        const auto colour = [&image](double xInch, double yInch) {
            const QColor c = image.pixelColor(QPointF(xInch * image.width() / 8.5, yInch * image.height() / 11).toPoint());
            return c.red() > 200 && c.blue() < 60 ? 'r' : c.blue() > 200 && c.red() < 60 ? 'b' : c == Qt::white ? 'w' : '?';
        };
        EXPECT_EQ(colour(1.05, 2.05), 'r') << dpi;
        EXPECT_EQ(colour(1.45, 3.9), 'r') << dpi;
        EXPECT_EQ(colour(1.55, 3.05), 'b') << dpi;
        EXPECT_EQ(colour(1.95, 3.95), 'b') << dpi;
        EXPECT_EQ(colour(2.1, 3), 'w') << dpi << ": past the right edge";
        EXPECT_EQ(colour(1.5, 4.1), 'w') << dpi << ": past the bottom edge";
    }
}

TEST_F(Printer, APdfFileHoldsEveryPageAndAFailedWriteLeavesTheOldFile)
{
    printer.paragraph(QStringLiteral("one"));
    printer.newPage();
    printer.paragraph(QStringLiteral("two"));
    printer.endDoc();
    TemporaryFolder folder;
    const QString path = QString::fromStdString(folder.file("report.pdf").string());
    QString error;
    ASSERT_TRUE(writePdf(printer.document(), path, QStringLiteral("Report"), &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    int pages = 0;
    for (const auto& match : QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")).globalMatch(QString::fromLatin1(bytes)))
        pages += match.hasMatch() ? 1 : 0;
    EXPECT_EQ(pages, 2);

    EXPECT_FALSE(writePdf(printer.document(), QString::fromStdString(folder.file("no/such/folder/r.pdf").string()),
                          QString(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writePdf(ReportDocument{}, path, QString(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no pages")));
    QFile again(path);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes);
}

// Both programs print through this library: a PDF names the program that made it.
TEST_F(Printer, APdfFileNamesTheRunningProgramAsItsCreator)
{
    printer.paragraph(QStringLiteral("one"));
    printer.endDoc();
    TemporaryFolder folder;
    const QString testsName = QCoreApplication::applicationName();
    for (const QString& program : {QStringLiteral("Vantrope"), QStringLiteral("Cindrel")}) {
        QCoreApplication::setApplicationName(program);
        const QString path = QString::fromStdString(folder.file("report.pdf").string());
        QString error;
        const bool written = writePdf(printer.document(), path, QStringLiteral("Report"), &error);
        QCoreApplication::setApplicationName(testsName);
        ASSERT_TRUE(written) << error.toStdString();
        const testsupport::PdfContents read = testsupport::readPdf(path);
        ASSERT_EQ(read.pages, 1) << read.error.toStdString();
        EXPECT_EQ(read.creator, program);
    }
}

class KeptOutput : public PrinterOutput {
public:
    void print(const ReportDocument& document, const dialogs::PrinterChoice& printer, const QString&) override
    {
        pages.push_back(document.pageCount());
        printers.push_back(printer.printerName);
    }
    std::vector<int> pages;
    QStringList printers;
};

TEST_F(Printer, PrintingGoesToTheInstalledOutputAndAMissingPrinterIsAnError)
{
    printer.endDoc();
    {
        KeptOutput kept;
        ScopedPrinterOutput scope(kept);
        printDocument(printer.document(), {.printerName = QStringLiteral("Shop floor")}, QStringLiteral("Report"));
        EXPECT_EQ(kept.pages, std::vector<int>{1});
        EXPECT_EQ(kept.printers, QStringList{QStringLiteral("Shop floor")});
    }
    EXPECT_EQ(errorNumberOf([&] {
                  printDocument(printer.document(), {.printerName = QStringLiteral("No such printer 7f3a")}, QString());
              }),
              PrinterError);
    EXPECT_EQ(errorNumberOf([&] { printDocument(ReportDocument{}, {}, QString()); }), PrinterError);
}

// The system's output always has the PDF printer: the document lands in the
// file whole, or the error says why and an earlier file stays as it was.
TEST_F(Printer, ThePdfPrinterWritesTheFileOrSaysWhyNot)
{
    printer.paragraph(QStringLiteral("Tooth thickness on page one"));
    printer.newPage();
    printer.paragraph(QStringLiteral("Quality number on page two"));
    printer.endDoc();
    TemporaryFolder folder;
    const QString path = QString::fromStdString(folder.file("report.pdf").string());
    const dialogs::PrinterChoice pdf{.printerName = QString::fromLatin1(dialogs::PdfPrinterName), .pdfFile = path};
    printDocument(printer.document(), pdf, QStringLiteral("Report"));
    const testsupport::PdfContents read = testsupport::readPdf(path);
    ASSERT_EQ(read.pages, 2) << read.error.toStdString();
    EXPECT_TRUE(read.pageTexts[0].contains(QStringLiteral("Tooth thickness on page one")));
    EXPECT_TRUE(read.pageTexts[1].contains(QStringLiteral("Quality number on page two")));

    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray before = kept.readAll();
    std::filesystem::create_directory(folder.file("a folder"));
    ASSERT_EQ(mkfifo(folder.file("a pipe").c_str(), 0600), 0);
    struct Case {
        QString file;
        const char* why;
    };
    for (const Case& c : {Case{QString::fromStdString(folder.file("no/such/folder/r.pdf").string()), "Cannot write"},
                          Case{QString::fromStdString(folder.file("a folder").string()), "not a regular file"},
                          Case{QString::fromStdString(folder.file("a pipe").string()), "not a regular file"},
                          Case{QString(), "no file name"}}) {
        dialogs::PrinterChoice failing = pdf;
        failing.pdfFile = c.file;
        std::optional<runtime::RuntimeError> error;
        try {
            printDocument(printer.document(), failing, QStringLiteral("Report"));
        } catch (const runtime::RuntimeError& raised) {
            error = raised;
        }
        ASSERT_TRUE(error.has_value()) << c.file.toStdString();
        EXPECT_EQ(error->number(), PrinterError);
        EXPECT_NE(error->description().find("PDF file was not written"), std::string::npos) << error->description();
        EXPECT_NE(error->description().find(c.why), std::string::npos) << error->description();
    }
    // A file that cannot be replaced keeps what it held.
    ASSERT_EQ(::chmod(folder.path().c_str(), 0500), 0);
    if (::access(folder.path().c_str(), W_OK) != 0) {
        EXPECT_EQ(errorNumberOf([&] { printDocument(printer.document(), pdf, QString()); }), PrinterError);
        ASSERT_TRUE(kept.seek(0));
        EXPECT_EQ(kept.readAll(), before);
    }
    ::chmod(folder.path().c_str(), 0700);
}

// The page bar of a print control that is its window's only preview.
TEST(PrintPreview, ThePageBarStepsThroughThePagesAndStopsAtBothEnds)
{
    registerPrintPreviewKind();
    forms::Form form(QStringLiteral("frmMFGOutputs"));
    auto& control = dynamic_cast<PreviewControl&>(forms::buildControl(
        form, {.kind = forms::ControlKind::PrintPreview, .name = QStringLiteral("prtMFG"), .width = 9000, .height = 6000}));
    EXPECT_FALSE(control.navigationShown());
    control.setNavigationShown(true);
    EXPECT_TRUE(control.navigationShown());
    ReportPrinter& printer = control.printer();
    printer.startDoc();
    printer.newPage();
    printer.newPage();
    printer.endDoc();
    QPushButton& previous = control.previousPageButton();
    QPushButton& next = control.nextPageButton();
    struct Step {
        QPushButton* click;
        int page;
        bool previousEnabled, nextEnabled;
    };
    control.setPreviewPage(1);
    for (const Step& step : {Step{nullptr, 1, false, true}, Step{&next, 2, true, true}, Step{&next, 3, true, false},
                             Step{&previous, 2, true, true}, Step{&previous, 1, false, true}}) {
        if (step.click != nullptr)
            step.click->click();
        EXPECT_EQ(control.previewPage(), step.page);
        EXPECT_EQ(control.pageText(), QStringLiteral("Page %1 of 3").arg(step.page));
        EXPECT_EQ(previous.isEnabled(), step.previousEnabled) << step.page;
        EXPECT_EQ(next.isEnabled(), step.nextEnabled) << step.page;
    }
    // A one-page document leaves nothing to step to.
    printer.startDoc();
    printer.endDoc();
    EXPECT_EQ(control.pageText(), QStringLiteral("Page 1 of 1"));
    EXPECT_FALSE(previous.isEnabled());
    EXPECT_FALSE(next.isEnabled());
}

// Texts made of markup pieces, separators and odd characters in any order:
// whatever comes, the printer lays it out on the page or refuses it by number.
TEST(PrinterInput, AnyTextIsLaidOutWithinThePageOrRefused)
{
    const QStringList pieces = {"{", "}", "\\", "\\b", "\\i", "\\fs", "\\fs99999", "\\ul0", "|", ";", "\r",
                                "\n", " ", "word", "Überlänge", "\t", "+", "<", "^", ">", "0", "1400", "-", "\\{"};
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int length = static_cast<int>(next() % 40);
        for (int piece = 0; piece < length; ++piece)
            text += pieces[static_cast<qsizetype>(next() % pieces.size())];
        ReportPrinter printer;
        printer.startDoc();
        const int refusal = errorNumberOf([&] {
            printer.paragraph(text);
            printer.text(text);
            printer.addTable(PairFormat, text, text, Qt::white, Qt::white, false);
        });
        EXPECT_EQ(refusal, 0) << text.toStdString();
        const int formatRefusal = errorNumberOf([&] { printer.addTable(text, text, text, Qt::white, Qt::white, false); });
        EXPECT_TRUE(formatRefusal == 0 || formatRefusal == 380) << text.toStdString();
        printer.endDoc();
        for (int page = 0; page < printer.pageCount(); ++page)
            for (const PageItem& item : printer.document().pages[page].items)
                if (const auto* placed = std::get_if<TextItem>(&item)) {
                    EXPECT_GE(placed->baseline.x(), 0);
                    EXPECT_LE(placed->baseline.y(), 15840);
                }
        EXPECT_FALSE(pageImage(printer.document(), 0, 24).isNull());
    }
}

TEST(PrintPreview, ALayoutRowBuildsAPrintControlThatShowsItsDocument)
{
    registerPrintPreviewKind();
    forms::Form form(QStringLiteral("frmPrintPreview"));
    const forms::ControlSpec spec{
        .kind = forms::ControlKind::PrintPreview, .name = "prtPrintPreview", .left = 20, .top = 550, .width = 9000, .height = 6000};
    auto& control = dynamic_cast<PreviewControl&>(forms::buildControl(form, spec));
    EXPECT_EQ(&form.get<PreviewControl>(QStringLiteral("prtPrintPreview")), &control);
    EXPECT_EQ(control.previewPage(), 0) << "no document yet";
    ReportPrinter& printer = control.printer();
    printer.startDoc();
    printer.newPage();
    printer.newPage();
    printer.endDoc();
    EXPECT_EQ(control.pageCount(), 3);
    control.setPreviewPage(3);
    EXPECT_EQ(control.previewPage(), 3);
    control.setPreviewPage(9);
    EXPECT_EQ(control.previewPage(), 3);
    control.setPreviewPage(-2);
    EXPECT_EQ(control.previewPage(), 1);
    control.setPreviewPage(3);
    // A shorter document keeps the page shown within it.
    printer.startDoc();
    printer.endDoc();
    EXPECT_EQ(control.previewPage(), 1);
    control.setZoom(75);
    EXPECT_EQ(control.zoom(), 75);
    control.setZoom(0);
    EXPECT_EQ(control.zoom(), PreviewWidget::MinimumZoom);
    control.setZoom(1e9);
    EXPECT_EQ(control.zoom(), PreviewWidget::MaximumZoom);
}

} // namespace
