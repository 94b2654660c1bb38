#include "outputs/MfgTableViews.h"

#include "dialogs/ScriptedDialogProvider.h"
#include "forms/Form.h"
#include "forms/Layout.h"
#include "grid/Grid.h"
#include "printing/PreviewControl.h"
#include "printing/PrinterOutput.h"

#include <gmock/gmock.h>

#include <QDateTime>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using cindrel::outputs::T_MFGOutputs;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Table = T_MFGOutputs::Table;
namespace mfg = cindrel::outputs::mfg;

class FakeReportHost : public cindrel::outputs::ReportHost {
public:
    bool SetPrinter() override
    {
        ++printerDialogs;
        return confirmPrinter;
    }
    dialogs::PrinterChoice chosenPrinter() override
    {
        dialogs::PrinterChoice choice;
        choice.printerName = QStringLiteral("Shop printer");
        return choice;
    }
    std::string UserInfo(std::string_view name) override
    {
        const auto found = info.find(std::string(name));
        return found != info.end() ? found->second : std::string();
    }
    std::int32_t ShowNoShowMessage(std::string_view, std::string_view, std::int32_t) override { return 0; }
    void ShowOptionsPreferences(std::int32_t) override {}
    std::string RunNotesCaption() override { return runNotes; }
    std::string ActiveFileName(bool withExtension, bool withFolder) override
    {
        return withFolder ? "/designs/" + std::string(withExtension ? "ring.cnd" : "ring")
                          : std::string(withExtension ? "ring.cnd" : "ring");
    }
    std::string DefaultFileName() override { return "/program/Cindrel.def"; }
    std::string ProgramVersion() override { return "2.01.3"; }
    void BeginBusy() override {}
    void EndBusy() override {}
    QDateTime Now() override { return QDateTime(QDate(2026, 3, 7), QTime(14, 5)); }
    cindrel::analyses::T_Chart* chartObject() override { return nullptr; }
    void drawShownChart(QPainter&, const QRectF&) override {}

    bool confirmPrinter = true;
    int printerDialogs = 0;
    std::map<std::string, std::string> info;
    std::string runNotes = "Nothing";
};

class KeptOutput : public printing::PrinterOutput {
public:
    void print(const printing::ReportDocument& document, const dialogs::PrinterChoice& printer, const QString&) override
    {
        printed.push_back(document.pageCount());
        printers.push_back(printer.printerName.toStdString());
    }
    std::vector<int> printed;
    std::vector<std::string> printers;
};

// A pair row, a row with one value for the pair and a row whose layout the printout does not know.
const Table SmallTable = {
    {"Number of teeth ", "20", "40", "0"},
    {"pressure Angle (°)", "20.0000", "20.0000", "3"},
    {"Odd {row} | with\\marks", "1", "2", "9"},
};

class MfgViews : public ::testing::Test {
protected:
    MfgViews() : form(QStringLiteral("frmMfgViewsTest"))
    {
        grid::registerGridKind();
        printing::registerPrintPreviewKind();
        form.load();
        form.move(0, 0, 12000, 9000);
        grid = dynamic_cast<grid::Grid*>(&forms::buildControl(
            form, {.kind = forms::ControlKind::Grid, .name = "grdMFG", .width = 10000, .height = 6000}));
        print = dynamic_cast<printing::PreviewControl*>(&forms::buildControl(
            form, {.kind = forms::ControlKind::PrintPreview, .name = "prtMFG", .width = 10000, .height = 6000}));
    }

    std::vector<std::string> texts(int page)
    {
        std::vector<std::string> found;
        for (const QString& text : print->document().pageTexts(page))
            found.push_back(text.toStdString());
        return found;
    }
    std::optional<printing::TextItem> find(int page, const std::string& text)
    {
        for (const auto& item : print->document().pages.at(static_cast<std::size_t>(page)).items)
            if (const auto* found = std::get_if<printing::TextItem>(&item); found && found->text.toStdString() == text)
                return *found;
        return std::nullopt;
    }
    void preview(const std::optional<Table>& table, mfg::PrintSources sources = {})
    {
        mfg::PrintDocument(*print, table, true, report, sources, [this](const std::string& note) { failures.push_back(note); });
    }

    forms::Form form;
    grid::Grid* grid = nullptr;
    printing::PreviewControl* print = nullptr;
    FakeReportHost report;
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider scopedDialogs{dialogs};
    std::vector<std::string> failures;
};

TEST_F(MfgViews, SetUpGridHasBold12PointHeadersAndAnEmptySeparatorRow)
{
    mfg::FillGrid(*grid, std::nullopt, {QStringLiteral("DejaVu Sans"), 9});
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->fixedRowCount(), 1);
    EXPECT_EQ(grid->fixedColumnCount(), 0);
    EXPECT_TRUE(grid->wordWrap());
    EXPECT_EQ(grid->cellText(0, 0), "DESCRIPTION");
    EXPECT_EQ(grid->cellText(0, 1), "PINION");
    EXPECT_EQ(grid->cellText(0, 2), "GEAR");
    EXPECT_EQ(grid->cellAlignment(0, 0), Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(grid->cellAlignment(0, 1), Qt::AlignCenter);
    EXPECT_EQ(grid->cellAlignment(0, 2), Qt::AlignHCenter | Qt::AlignBottom);
    for (int column = 0; column < 3; ++column) {
        EXPECT_TRUE(grid->cellBold(0, column));
        EXPECT_EQ(grid->cellFontSize(0, column), 12);
        EXPECT_EQ(grid->cellText(1, column), "");
    }
    EXPECT_EQ(grid->font().family(), "DejaVu Sans");
    EXPECT_EQ(grid->font().pointSizeF(), 9);

    // The table's rows come in the grid's own size.
    mfg::FillGrid(*grid, SmallTable, {QStringLiteral("DejaVu Sans"), 9});
    EXPECT_EQ(grid->cellFontSize(0, 0), 12);
    EXPECT_EQ(grid->cellFontSize(2, 0), 9);
}

TEST_F(MfgViews, FillGridShowsEveryRowAndMergesTheValuesOfOneValueRows)
{
    grid->setVisible(true);
    mfg::FillGrid(*grid, SmallTable, {});
    ASSERT_EQ(grid->rowCount(), 5);
    EXPECT_TRUE(grid->visible());
    EXPECT_EQ(grid->currentRow(), 4);
    for (int row = 2; row < 5; ++row) {
        const auto& cells = SmallTable[static_cast<std::size_t>(row - 2)];
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(grid->cellText(row, column).toStdString(), cells[static_cast<std::size_t>(column)]);
            EXPECT_FALSE(grid->cellBold(row, column));
            EXPECT_FALSE(grid->cellItalic(row, column));
            EXPECT_EQ(grid->cellForeColor(row, column), QColor(Qt::black));
        }
        EXPECT_EQ(grid->cellAlignment(row, 0), Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_EQ(grid->cellAlignment(row, 2), Qt::AlignCenter);
    }
    EXPECT_FALSE(grid->isRowMerged(2));
    EXPECT_TRUE(grid->isRowMerged(3));
    EXPECT_TRUE(grid->isRowMerged(4));
    // A second fill replaces the first.
    mfg::FillGrid(*grid, Table(SmallTable.begin(), SmallTable.begin() + 1), {});
    EXPECT_EQ(grid->rowCount(), 3);
}

TEST_F(MfgViews, ColumnsTakeSixtyTwentyTwentyLessTheScrollBarWhenRowsOverflow)
{
    mfg::FillGrid(*grid, SmallTable, {});
    ASSERT_LT(mfg::SumRowHeights(*grid), 6000);
    mfg::ResizeGrid(grid);
    EXPECT_EQ(grid->columnWidth(0), 6000);
    EXPECT_EQ(grid->columnWidth(1), 2000);
    EXPECT_EQ(grid->columnWidth(2), 2000);

    double rows = 0;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows += grid->rowHeight(row);
    EXPECT_EQ(mfg::SumRowHeights(*grid), static_cast<std::int32_t>(rows));

    grid->setHeight(rows - 1);
    mfg::ResizeGrid(grid);
    // (10000 - 320) x 0.6 and x 0.2.
    EXPECT_EQ(grid->columnWidth(0), 5808);
    EXPECT_EQ(grid->columnWidth(1), 1936);
    EXPECT_EQ(grid->columnWidth(2), 1936);

    mfg::ResizeGrid(nullptr);
    grid->setWidth(0);
    mfg::ResizeGrid(grid);
    EXPECT_EQ(grid->columnWidth(0), 0);
}

TEST_F(MfgViews, PrintoutHasOneHeaderLineAndPairAndSetRowsInTheirLayouts)
{
    preview(SmallTable);
    ASSERT_EQ(print->pageCount(), 1);
    EXPECT_TRUE(failures.empty());
    const std::vector<std::string> body = texts(0);
    EXPECT_EQ(std::count(body.begin(), body.end(), "Description"), 1);
    EXPECT_EQ(std::count(body.begin(), body.end(), "Pinion"), 1);
    EXPECT_EQ(std::count(body.begin(), body.end(), "Set variable"), 0);
    // The one-value row prints its value once, centred over 3000 twips right of the 5500 description.
    EXPECT_EQ(std::count(body.begin(), body.end(), "20.0000"), 1);
    const auto value = find(0, "20.0000");
    ASSERT_TRUE(value);
    const double tableLeft = (12240 - 8500) / 2.0;
    EXPECT_GT(value->baseline.x(), tableLeft + 5500);
    EXPECT_LT(value->baseline.x(), tableLeft + 8500);
    const auto gearTeeth = find(0, "40");
    ASSERT_TRUE(gearTeeth);
    EXPECT_GT(gearTeeth->baseline.x(), tableLeft + 7000);
    // A layout index outside 0 to 7 adds no table.
    EXPECT_THAT(body, ::testing::Not(::testing::Contains(HasSubstr("Odd"))));
    EXPECT_DOUBLE_EQ(print->zoom(), 60);
    EXPECT_TRUE(print->visible());
}

TEST_F(MfgViews, AddressBlockLeavesOutEmptyLinesAndTheCityLineWithoutZip)
{
    report.info = {{"CompanyName", "Gearworks {North}"}, {"UserName", "A. Fitter"}, {"City", "Leeds"},
                   {"State", "WY"}, {"PhoneNumber", "555 0100"}};
    preview(SmallTable);
    std::vector<std::string> body = texts(0);
    EXPECT_THAT(std::vector<std::string>(body.begin(), body.begin() + 3),
                ElementsAre("Gearworks {North}", "A. Fitter", "555 0100"));
    report.info["ZipCode"] = "82001";
    preview(SmallTable);
    body = texts(0);
    EXPECT_EQ(body[2], "Leeds, WY  82001");
    EXPECT_TRUE(find(0, "Gearworks {North}")->style.bold);
}

TEST_F(MfgViews, NotesComeFromTheNotesBoxOrTheGearSetNotes)
{
    struct Case {
        bool useBox;
        std::string box, runNotes;
        std::optional<std::string> printed;
    };
    const Case cases[] = {
        {true, "MFG notes", "Other", std::nullopt},
        {true, "", "Other", std::nullopt},
        {true, "Grind after heat treat", "Other", "Grind after heat treat"},
        {false, "Box", "Nothing", std::nullopt},
        {false, "Box", "See ~dblquotesQ7~dblquotes", "See \"Q7\""},
    };
    for (const Case& c : cases) {
        report.runNotes = c.runNotes;
        preview(SmallTable, {c.useBox, c.box});
        const std::vector<std::string> body = texts(0);
        const bool headed = std::find(body.begin(), body.end(), "NOTES:") != body.end();
        EXPECT_EQ(headed, c.printed.has_value()) << c.box << " / " << c.runNotes;
        if (c.printed) {
            EXPECT_THAT(body, ::testing::Contains(*c.printed));
        }
    }
}

TEST_F(MfgViews, EveryPageCarriesTitleAndFooter)
{
    Table many;
    for (int row = 0; row < 150; ++row)
        many.push_back({"Row " + std::to_string(row), "1.0000", "2.0000", row % 2 != 0 ? "3" : "0"});
    preview(many);
    ASSERT_GE(print->pageCount(), 3);
    for (int page = 0; page < print->pageCount(); ++page) {
        const auto title = find(page, "Cindrel manufacturing outputs: ring.cnd");
        ASSERT_TRUE(title) << "page " << page + 1;
        EXPECT_DOUBLE_EQ(title->style.points, 14);
        EXPECT_TRUE(title->style.bold);
        EXPECT_TRUE(find(page, "Printed March 7, 2026 - 2:05 PM"));
        EXPECT_TRUE(find(page, "Data File Name: ring.cnd"));
        EXPECT_TRUE(find(page, "ZRK Inc.: rev;2.1.3"));
        EXPECT_TRUE(find(page, "Manufacturing Outputs"));
    }
    const std::vector<std::string> all = [&] {
        std::vector<std::string> texts;
        for (int page = 0; page < print->pageCount(); ++page)
            for (const std::string& text : this->texts(page))
                texts.push_back(text);
        return texts;
    }();
    EXPECT_EQ(std::count(all.begin(), all.end(), "Row 149"), 1);
    EXPECT_EQ(std::count(all.begin(), all.end(), "Description"), 1);
}

TEST_F(MfgViews, PrintingAsksForThePrinterAndACancelKeepsThePreviousDocument)
{
    KeptOutput kept;
    printing::ScopedPrinterOutput scope(kept);
    preview(SmallTable);
    const int pages = print->pageCount();
    report.confirmPrinter = false;
    mfg::PrintDocument(*print, Table{}, false, report, {}, {});
    EXPECT_EQ(report.printerDialogs, 1);
    EXPECT_TRUE(kept.printed.empty());
    EXPECT_EQ(print->pageCount(), pages);
    EXPECT_TRUE(find(0, "20.0000"));

    report.confirmPrinter = true;
    mfg::PrintDocument(*print, SmallTable, false, report, {}, {});
    EXPECT_THAT(kept.printed, ElementsAre(1));
    EXPECT_THAT(kept.printers, ElementsAre("Shop printer"));
}

TEST_F(MfgViews, NoTableStillGivesAFramedPage)
{
    preview(std::nullopt);
    ASSERT_EQ(print->pageCount(), 1);
    EXPECT_TRUE(find(0, "Manufacturing Outputs"));
    EXPECT_FALSE(find(0, "Description"));
}

} // namespace
