#include "OutputsFakes.h"
#include "ReportFakes.h"

#include "outputs/PrintPreviewWindow.h"
#include "outputs/clsQXOutputs.h"

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Forms.h"
#include "printing/PreviewControl.h"
#include "printing/ReportDocument.h"

#include <QCoreApplication>
#include <QDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace outputstest;
using cindrel::analyses::T_Chart;
using printing::PictureItem;
using printing::TextItem;
using ::testing::ElementsAre;
using ::testing::Pair;

TEST(PreviewZoom, StepsFollowTheirBandsAndStopAtTheEnds)
{
    const std::pair<int, int> in[] = {{10, 35}, {75, 100}, {99, 124}, {100, 150}, {199, 249}, {200, 300},
                                      {399, 499}, {400, 400}, {450, 450}};
    for (const auto& [from, to] : in)
        EXPECT_EQ(clsQXOutputs::zoomedIn(from), to) << from;
    const std::pair<int, int> out[] = {{500, 500}, {401, 401}, {400, 300}, {201, 101}, {200, 150}, {101, 51},
                                       {100, 75},  {26, 1},    {25, 25},   {10, 10}};
    for (const auto& [from, to] : out)
        EXPECT_EQ(clsQXOutputs::zoomedOut(from), to) << from;
}

class PrintPreview : public ReportFixture {
protected:
    PrintPreview()
    {
        host.outputs = &outputs;
        cindrel::outputs::definePrintPreviewWindow(windows, host);
    }
    ~PrintPreview() override { windows.unloadAll(); }

    forms::Form& window() { return windows[QStringLiteral("frmPrintPreview")]; }
    forms::CommandButton& button(const char* name) { return window().get<forms::CommandButton>(QString::fromLatin1(name)); }
    printing::PreviewControl& control() { return window().get<printing::PreviewControl>(QStringLiteral("prtPrintPreview")); }
    std::vector<PictureItem> pictures(int page) { return itemsOf<PictureItem>(page); }
    // The page (from 0) holding a text, -1 when none does.
    int pageOf(const std::string& text)
    {
        for (int page = 0; page < document().pageCount(); ++page)
            for (const auto& item : document().pages[page].items)
                if (const auto* found = std::get_if<TextItem>(&item); found != nullptr && found->text.toStdString() == text)
                    return page;
        return -1;
    }
    void scoringReport()
    {
        done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 3));
        done.add("Scoring and SubShear Inputs", "Scoring and SubShear Inputs", "Scoring", plainTable("s", 3));
    }
};

TEST_F(PrintPreview, TheWindowHasItsRowOfButtonsAndHandsThemOverWhenLoaded)
{
    EXPECT_FALSE(outputs.hasPreviewControls());
    window().load();
    EXPECT_EQ(window().caption(), QStringLiteral("Cindrel Print Preview"));
    struct Expected {
        const char* name;
        const char* caption;
        double left, width;
    };
    for (const Expected& expected : {Expected{"cmdPrint", "Print", 60, 555}, Expected{"cmdPreviousPage", "Prev Page", 600, 915},
                                     Expected{"cmdNextPage", "Next Page", 1500, 975}, Expected{"cmdZoomIn", "Zoom In", 2460, 855},
                                     Expected{"cmdZoomOut", "Zoom Out", 3300, 855},
                                     Expected{"cmdClosePrintPrev", "Close", 4140, 555}}) {
        forms::CommandButton& found = button(expected.name);
        EXPECT_EQ(found.caption(), QString::fromLatin1(expected.caption)) << expected.name;
        EXPECT_EQ(found.left(), expected.left) << expected.name;
        EXPECT_EQ(found.width(), expected.width) << expected.name;
        EXPECT_EQ(found.top(), 120) << expected.name;
        EXPECT_EQ(found.height(), 375) << expected.name;
    }
    EXPECT_TRUE(outputs.hasPreviewControls());
    EXPECT_EQ(&outputs.reportPrinter(), &control().printer()) << "the report is built in the window's print control";
    // Laid out for the window's size.
    EXPECT_EQ(control().left(), 20);
    EXPECT_EQ(control().top(), 550);
    EXPECT_EQ(control().width(), window().width() - 180);
    EXPECT_EQ(control().height(), window().height() - 1250);
}

TEST_F(PrintPreview, ZoomButtonsStepFromTheReportsZoomAndRoundHalvesToEven)
{
    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 3));
    outputs.PrintDocument(true);
    ASSERT_EQ(control().zoom(), 75);
    std::vector<double> seen;
    for (int click = 0; click < 6; ++click) {
        button("cmdZoomIn").click();
        seen.push_back(control().zoom());
    }
    EXPECT_EQ(seen, (std::vector<double>{100, 150, 200, 300, 400, 400}));
    seen.clear();
    for (int click = 0; click < 8; ++click) {
        button("cmdZoomOut").click();
        seen.push_back(control().zoom());
    }
    EXPECT_EQ(seen, (std::vector<double>{300, 200, 150, 100, 75, 50, 25, 25}));

    // 98.5 reads as 98, 99.5 as 100.
    control().setZoom(98.5);
    button("cmdZoomIn").click();
    EXPECT_EQ(control().zoom(), 123);
    control().setZoom(99.5);
    button("cmdZoomIn").click();
    EXPECT_EQ(control().zoom(), 150);
    // The next build starts again at 75.
    outputs.PrintDocument(true);
    EXPECT_EQ(control().zoom(), 75);
}

TEST_F(PrintPreview, PageButtonsStepWithinTheReportAndEnableAsThePageAllows)
{
    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 120));
    outputs.PrintDocument(true);
    const int pages = control().pageCount();
    ASSERT_GE(pages, 3);
    const auto state = [this] {
        return std::make_tuple(control().previewPage(), button("cmdPreviousPage").enabled(), button("cmdNextPage").enabled());
    };
    EXPECT_EQ(state(), std::make_tuple(1, false, true)) << "a new report opens on its first page";
    button("cmdNextPage").click();
    EXPECT_EQ(state(), std::make_tuple(2, true, true));
    for (int page = 2; page < pages; ++page)
        button("cmdNextPage").click();
    EXPECT_EQ(state(), std::make_tuple(pages, true, false));
    button("cmdNextPage").click();
    EXPECT_EQ(state(), std::make_tuple(pages, true, false)) << "never past the last page";
    for (int page = pages; page > 1; --page)
        button("cmdPreviousPage").click();
    EXPECT_EQ(state(), std::make_tuple(1, false, true));

    // A report of one page has nowhere to go.
    done.removeLast();
    outputs.PrintDocument(true);
    EXPECT_EQ(state(), std::make_tuple(1, false, false));
}

TEST_F(PrintPreview, PrintAsksForThePrinterPrintsAgainAndACancelLeavesThePreview)
{
    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 120));
    outputs.PrintDocument(true);
    const int pages = control().pageCount();
    button("cmdZoomIn").click();
    button("cmdNextPage").click();

    report.cancelPrinter = true;
    button("cmdPrint").click();
    EXPECT_EQ(report.printerDialogs, 1);
    EXPECT_TRUE(kept.printed.empty());
    EXPECT_EQ(control().pageCount(), pages);
    EXPECT_EQ(control().zoom(), 100) << "a cancel changes nothing";
    EXPECT_EQ(control().previewPage(), 2);

    report.cancelPrinter = false;
    button("cmdPrint").click();
    EXPECT_EQ(report.printerDialogs, 2);
    EXPECT_THAT(kept.printed, ElementsAre(pages));
    EXPECT_THAT(kept.printers, ElementsAre("Office"));
    EXPECT_EQ(control().previewPage(), 1) << "the preview shows the new report";
}

TEST_F(PrintPreview, CloseUnloadsTheWindowAndTheNextReportLoadsItAgainWhereItWas)
{
    outputs.ShowPrintPreview(-1);
    ASSERT_TRUE(window().visible());
    window().move(1500, 1200, 9000, 9000);
    button("cmdClosePrintPrev").click();
    EXPECT_FALSE(windows.isLoaded(QStringLiteral("frmPrintPreview")));
    EXPECT_FALSE(outputs.hasPreviewControls());
    ASSERT_EQ(host.places.count("frmPrintPreview"), 1u);
    EXPECT_EQ(host.places["frmPrintPreview"].left, 1500);

    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 3));
    outputs.PrintDocument(true);
    ASSERT_TRUE(windows.isLoaded(QStringLiteral("frmPrintPreview")));
    EXPECT_FALSE(window().visible()) << "building loads the window without showing it";
    EXPECT_EQ(window().left(), 1500);
    EXPECT_EQ(control().pageCount(), 1);
    outputs.ShowPrintPreview(-1);
    EXPECT_TRUE(window().visible());
    EXPECT_EQ(window().width(), 9000) << "shown with its frame, as wide as it was closed";
    outputs.ShowPrintPreview(0);
    EXPECT_FALSE(window().visible());
    EXPECT_TRUE(window().isLoaded());
}

TEST_F(PrintPreview, ResizingLaysOutThePrintControlAndATooSmallWindowIsReported)
{
    window().load();
    window().move(0, 0, 8000, 7000);
    EXPECT_EQ(control().width(), 8000 - 180);
    EXPECT_EQ(control().height(), 7000 - 1250);
    EXPECT_TRUE(host.errors.empty());

    window().move(0, 0, 3000, 1000);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_THAT(host.errors[0], ::testing::StartsWith("clsQXOutput.frmPrintScreen 380 "));
    EXPECT_EQ(control().width(), 8000 - 180) << "the control keeps its place";
    EXPECT_EQ(control().height(), 7000 - 1250);
}

TEST_F(PrintPreview, TheGraphsPageHoldsSixGraphsInTheirCellsAndTheShownGraphComesBack)
{
    scoringReport();
    done.add("Load and Elastic Coeff", "Loads", "ToothLoad", plainTable("w", 3));
    AnalysedChart analysed;
    analysed.attachTo(report);
    analysed.chart->cmdLoad_click();
    ASSERT_EQ(analysed.chart->GraphMode(), T_Chart::Load);

    outputs.PrintDocument(true);
    const int graphsPage = pageOf("Scoring and SubShear Inputs") + 1;
    ASSERT_GT(graphsPage, 0);
    const std::vector<PictureItem> drawn = pictures(graphsPage);
    ASSERT_EQ(drawn.size(), 6u);
    // Letter paper, inch margins: 9360 by 12960 twips inside them, cells of 4680 by 4320.
    const QRectF cells[] = {{1440, 1440, 4680, 4320}, {1440, 5760, 4680, 4320}, {1440, 10080, 4680, 4320},
                            {6120, 1440, 4680, 4320}, {6120, 5760, 4680, 4320}, {6120, 10080, 4680, 4320}};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(drawn[i].rect, cells[i]) << "graph " << i + 1;
    EXPECT_THAT(report.drawnHeaders,
                ElementsAre("Temperature (\xC2\xB0" "F) ", "Specific Sliding (Slip Ratio)",
                            "Specific Film Thickness(FilmThickness / (RMS) )", "Tangential Load Distribution (lb) ",
                            "Subsurface Shear Stress (psi) ", "Tooth Deflection (in) "));
    // Ink in every cell: each drawn into its own place on the page.
    const QImage image = printing::pageImage(document(), graphsPage, 96);
    for (const QRectF& cell : cells) {
        const QPoint ground = (QPointF(cell.center().x(), cell.bottom() - 300) / 15).toPoint();
        EXPECT_EQ(image.pixelColor(ground), QColor(200, 200, 200)) << ground.x() << "," << ground.y();
    }
    // What follows starts on a page of its own, not over the graphs.
    EXPECT_EQ(pageOf("Loads"), graphsPage + 1);
    EXPECT_EQ(document().pageCount(), graphsPage + 2);
    // The last graph of the page, the deflections, stays on screen.
    EXPECT_EQ(analysed.chart->GraphMode(), T_Chart::Deflection);
    EXPECT_EQ(analysed.shared.surface.header.text, "Tooth Deflection (in) ");
    EXPECT_FALSE(analysed.shared.surface.held);
}

TEST_F(PrintPreview, AGraphThatFailsLeavesItsCellEmptyAndTheRestPrint)
{
    scoringReport();
    AnalysedChart analysed(false);
    analysed.attachTo(report);
    outputs.PrintDocument(true);
    ASSERT_EQ(document().pageCount(), 2);
    const std::vector<PictureItem> drawn = pictures(1);
    ASSERT_EQ(drawn.size(), 5u);
    for (const PictureItem& picture : drawn)
        EXPECT_NE(picture.rect, QRectF(6120, 5760, 4680, 4320)) << "the sub-surface cell stays empty";
    EXPECT_EQ(std::count_if(host.notes.begin(), host.notes.end(),
                            [](const std::string& note) { return note.rfind("PrintDocument, graph: ", 0) == 0; }),
              1);
    EXPECT_EQ(analysed.chart->GraphMode(), T_Chart::Deflection) << "the last graph drawn";
}

TEST_F(PrintPreview, ADesignWhoseAnalysesNeverRanHasNoGraphsPage)
{
    scoringReport();
    outputs.PrintDocument(true);
    EXPECT_EQ(document().pageCount(), 1);
    EXPECT_TRUE(pictures(0).empty());
    EXPECT_NE(pageOf("s0"), -1);
}

} // namespace
