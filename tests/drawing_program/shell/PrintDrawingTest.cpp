#include "ShellFixture.h"

#include "mesh/clsMesh.h"
#include "shell/PrintDrawing.h"

#include "printing/PrinterOutput.h"
#include "printing/ReportDocument.h"
#include "runtime/RuntimeError.h"

#include "support/PdfReader.h"
#include "support/TemporaryFolder.h"

#include <QPainter>

#include <cmath>

using namespace vantropetest;

namespace {

// US Letter in twips, portrait.
const QSizeF Letter(12240, 15840);

// Keeps what would have gone to the printer; a missing printer raises as
// the system's output does.
struct KeptPrints : printing::PrinterOutput {
    struct Job {
        printing::ReportDocument document;
        dialogs::PrinterChoice printer;
        QString title;
    };
    std::vector<Job> jobs;
    bool missing = false;

    void print(const printing::ReportDocument& document, const dialogs::PrinterChoice& printer,
               const QString& title) override
    {
        if (missing)
            runtime::raise(printing::PrinterError, "Printer error: the default printer is not available");
        jobs.push_back({document, printer, title});
    }
};

bool isInk(QColor c) { return c.lightness() < 160; }
bool isGrey(QColor c) { return std::abs(c.red() - c.green()) < 12 && std::abs(c.green() - c.blue()) < 12; }

} // namespace

// The page is Letter less a quarter inch all round, 8 x 10.5 inches, at 600
// dots per inch: 4800 x 6300 printer pixels, turned for a wide window. The
// whole view fits: the smaller ratio, the view centred the other way.
TEST(PrintLayout, ScaleAndOrientationFollowTheWindow)
{
    EXPECT_DOUBLE_EQ(vantrope::printScale(300, 400, 4800, 6600), 16.0); // min(16, 16.5)
    vantrope::PrintSetup setup;
    setup.paper = Letter;
    struct Case {
        double width, height;
        bool landscape;
        double pageWidth, pageHeight, scale, offsetX, offsetY;
    };
    for (const Case& c : {Case{300, 400, false, 4800, 6300, 15.75, 37.5, 0},  // min(16, 15.75): 4725 wide
                          Case{400, 300, true, 6300, 4800, 15.75, 0, 37.5},   // min(15.75, 16): 4725 high
                          Case{400, 400, false, 4800, 6300, 12.0, 0, 750},    // square: portrait, 4800 high
                          Case{1200, 300, true, 6300, 4800, 5.25, 0, 1612.5}, // 6300 x 1575
                          Case{300, 1200, false, 4800, 6300, 5.25, 1612.5, 0}}) {
        const vantrope::PrintLayout layout = vantrope::printLayout(c.width, c.height, setup);
        EXPECT_EQ(layout.landscape, c.landscape) << c.width << " x " << c.height;
        EXPECT_DOUBLE_EQ(layout.pagePixels.width(), c.pageWidth);
        EXPECT_DOUBLE_EQ(layout.pagePixels.height(), c.pageHeight);
        EXPECT_DOUBLE_EQ(layout.scale, c.scale);
        EXPECT_DOUBLE_EQ(layout.viewOffset.x(), c.offsetX) << c.width << " x " << c.height;
        EXPECT_DOUBLE_EQ(layout.viewOffset.y(), c.offsetY) << c.width << " x " << c.height;
        EXPECT_EQ(layout.originTwips, QPointF(360, 360));
    }
    for (auto [w, h] : {std::pair{0.0, 400.0}, {300.0, 0.0}, {-5.0, 10.0}, {NAN, 10.0}})
        EXPECT_THROW(vantrope::printLayout(w, h, setup), runtime::RuntimeError);
}

struct Printing : ShellTest {
    KeptPrints kept;
    printing::ScopedPrinterOutput scopedOutput{kept};

    Printing()
    {
        startup->printSetup.paper = Letter;
        firstClick();
    }

    vantrope::clsMesh& mesh() { return startup->OmeshMaster->ActiveMesh(); }
    // File > Print drawing, the printer dialog answered with `printer`.
    void print(const dialogs::PrinterChoice& printer = {})
    {
        dialogProvider.answerPrinter(printer);
        menu("mnuPrint").click();
    }

    struct View {
        double zoom, x, y, r1, r2;
        bool operator==(const View&) const = default;
    };
    View view()
    {
        vantrope::clsMesh& m = mesh();
        return {m.zoom(), m.centreX(), m.centreY(), m.rotation(m.firstNumber()), m.rotation(m.secondNumber())};
    }
    std::vector<std::int32_t> colours()
    {
        std::vector<std::int32_t> all;
        for (int i = 1; i <= vantrope::option::Count; ++i)
            all.push_back(startup->Osettings->Element(i).Color);
        return all;
    }
};

TEST_F(Printing, PrintsTheWindowsViewEnlargedOnOnePageInBlackOnWhite)
{
    // Turn the pair a little so the restored rotations mean something.
    startup->OmeshMaster->KeyDown(vantrope::key::Left, 0);
    mesh().ReadInputs(false);
    const View before = view();
    const std::vector<std::int32_t> coloursBefore = colours();
    const QImage windowBefore = gears().drawing();
    const double w = gears().clientWidth(), h = gears().clientHeight();

    print();

    ASSERT_EQ(kept.jobs.size(), 1u);
    const KeptPrints::Job& job = kept.jobs.front();
    EXPECT_EQ(job.title, "Zezev");
    EXPECT_TRUE(job.printer.printerName.isEmpty());
    const bool landscape = w > h;
    EXPECT_EQ(job.printer.orientation,
              landscape ? dialogs::PageOrientation::Landscape : dialogs::PageOrientation::Portrait);
    EXPECT_EQ(job.document.pageSize, landscape ? Letter.transposed() : Letter);
    ASSERT_EQ(job.document.pageCount(), 1);
    ASSERT_EQ(job.document.pages[0].items.size(), 1u);
    const auto& picture = std::get<printing::PictureItem>(job.document.pages[0].items[0]);
    const QSizeF pagePixels = landscape ? QSizeF(6300, 4800) : QSizeF(4800, 6300);
    EXPECT_EQ(picture.rect, QRectF(QPointF(360, 360), pagePixels * 1440.0 / 600.0));
    EXPECT_EQ(picture.logical, pagePixels);

    // The window's view as it is, and on the page 100 dots per inch: a
    // window point p lands on 360 twips + p x R printer pixels.
    const double r = std::min(pagePixels.width() / w, pagePixels.height() / h);
    const QPointF offset = (QPointF(pagePixels.width(), pagePixels.height()) - QPointF(w, h) * r) / 2;
    const QImage page = printing::pageImage(job.document, 0, 100);
    QDir().mkpath(VANTROPE_ARTEFACTS);
    saveArtefact(page, "printed-pinion-and-gear.png");
    EXPECT_TRUE(printing::writePdf(job.document, QString(VANTROPE_ARTEFACTS) + "/printed-pinion-and-gear.pdf", job.title));
    auto onPage = [&](double x, double y) {
        return QPoint(static_cast<int>((360 + (offset.x() + x * r) * 2.4) / 14.4),
                      static_cast<int>((360 + (offset.y() + y * r) * 2.4) / 14.4));
    };
    int ink = 0, colour = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            ink += isInk(c);
            colour += !isGrey(c);
        }
    EXPECT_GT(ink, 2000);
    // Only two small labels of the line of action have colours of their own.
    EXPECT_LT(colour * 20, ink) << "black on white";
    // Teeth meet at the pitch point, the mesh's centre.
    const QPoint pitch = onPage(before.x, before.y);
    int inkNearPitch = 0;
    for (int dy = -8; dy <= 8; ++dy)
        for (int dx = -8; dx <= 8; ++dx)
            inkNearPitch += isInk(page.pixelColor(pitch + QPoint(dx, dy)));
    EXPECT_GT(inkNearPitch, 5);
    // Nothing within the quarter-inch margin.
    for (const QPoint corner : {QPoint(5, 5), QPoint(page.width() - 6, page.height() - 6)})
        EXPECT_EQ(page.pixelColor(corner), QColor(Qt::white));

    EXPECT_EQ(view(), before);
    EXPECT_EQ(colours(), coloursBefore);
    EXPECT_EQ(gears().drawing(), windowBefore);
    EXPECT_EQ(startup->messages().text(), "");
}

TEST_F(Printing, InTheWindowsColoursWhenBlackOnWhiteIsOff)
{
    startup->Osettings->PrintBlackOnWhite = false;
    startup->Osettings->Element(vantrope::option::Background).Color = 0x202020;
    print();
    ASSERT_EQ(kept.jobs.size(), 1u);
    const QImage page = printing::pageImage(kept.jobs.front().document, 0, 100);
    saveArtefact(page, "printed-in-colour.png");
    int green = 0, blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            green += c.green() > 90 && c.red() < 60 && c.blue() < 60;
            blue += c.blue() > 150 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_GT(green, 300);
    EXPECT_GT(blue, 300);
    // The page shows the window's background over the view, centred on the
    // usable page; white paper in the margin and beside the view.
    const double w = gears().clientWidth(), h = gears().clientHeight();
    const QSizeF pagePixels = w > h ? QSizeF(6300, 4800) : QSizeF(4800, 6300);
    const double r = std::min(pagePixels.width() / w, pagePixels.height() / h);
    const QPointF offset = (QPointF(pagePixels.width(), pagePixels.height()) - QPointF(w, h) * r) / 2;
    // 100 dots per inch: 14.4 twips a dot, 2.4 twips a printer pixel.
    const QPoint viewCorner(static_cast<int>((360 + offset.x() * 2.4) / 14.4), static_cast<int>((360 + offset.y() * 2.4) / 14.4));
    EXPECT_EQ(page.pixelColor(viewCorner + QPoint(5, 5)), QColor(0x20, 0x20, 0x20));
    EXPECT_EQ(page.pixelColor(5, 5), QColor(Qt::white));
    if (offset.x() > 100 || offset.y() > 100) {
        EXPECT_EQ(page.pixelColor(viewCorner - QPoint(5, 5)), QColor(Qt::white));
    }
}

TEST_F(Printing, AMissingPrinterIsReportedAndLeavesTheWindowAsItWas)
{
    kept.missing = true;
    const View before = view();
    const std::vector<std::int32_t> coloursBefore = colours();
    const QImage windowBefore = gears().drawing();
    dialogProvider.answerPrinter({});
    dialogProvider.answerMessageBox(dialogs::ButtonOK);
    menu("mnuPrint").click();
    EXPECT_TRUE(kept.jobs.empty());
    const std::string text = startup->messages().text();
    EXPECT_NE(text.find("PrintOutPut"), std::string::npos);
    EXPECT_NE(text.find("482"), std::string::npos);
    EXPECT_NE(text.find("not available"), std::string::npos);
    const auto boxes = dialogProvider.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "The drawing was not printed.\r\n\r\nPrinter error: the default printer is not available");
    EXPECT_EQ(view(), before);
    EXPECT_EQ(colours(), coloursBefore);
    EXPECT_EQ(gears().drawing(), windowBefore);
    // The next print goes through once the printer is back; a cancelled dialog prints nothing.
    kept.missing = false;
    print();
    EXPECT_EQ(kept.jobs.size(), 1u);
    dialogProvider.cancelPrinter();
    menu("mnuPrint").click();
    EXPECT_EQ(kept.jobs.size(), 1u);
    EXPECT_EQ(dialogProvider.unusedAnswers(), 0u);
}

// With the message window switched off the user is still told; the PDF
// printer writes the page, and an unwritable file is a failed print.
struct PrintingToPdf : ShellTest {
    PrintingToPdf()
    {
        startup->printSetup.paper = Letter;
        startup->Osettings->noMessages = true;
        firstClick();
    }
    TemporaryFolder folder;
};

TEST_F(PrintingToPdf, WritesTheDrawingOrSaysWhyNot)
{
    const QString pdf = QString::fromLatin1(dialogs::PdfPrinterName);
    dialogProvider.answerPrinter({.printerName = pdf});
    dialogProvider.answerFile(QString::fromStdString(folder.file("mesh").string()));
    menu("mnuPrint").click();
    const testsupport::PdfContents read = testsupport::readPdf(QString::fromStdString(folder.file("mesh.pdf").string()));
    ASSERT_EQ(read.pages, 1) << read.error.toStdString();
    EXPECT_TRUE(dialogProvider.requestsOf<dialogs::MessageBoxRequest>().empty());
    // The chosen printer is offered again next time.
    EXPECT_EQ(startup->printSetup.printer.pdfFile, QString::fromStdString(folder.file("mesh.pdf").string()));

    const QString unwritable = QString::fromStdString(folder.file("no such folder/mesh.pdf").string());
    dialogProvider.answerPrinter({.printerName = pdf, .pdfFile = unwritable});
    dialogProvider.answerMessageBox(dialogs::ButtonOK);
    menu("mnuPrint").click();
    const auto asked = dialogProvider.requestsOf<dialogs::PrinterDialogRequest>();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].initial.pdfFile, QString::fromStdString(folder.file("mesh.pdf").string()));
    const auto boxes = dialogProvider.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The drawing was not printed.\r\n\r\n")));
    EXPECT_TRUE(boxes[0].text.contains(unwritable)) << boxes[0].text.toStdString();
    EXPECT_EQ(startup->messages().text(), "");
}
