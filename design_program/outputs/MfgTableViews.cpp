#include "outputs/MfgTableViews.h"

#include "outputs/PrintedTexts.h"

#include "grid/Grid.h"
#include "printing/PreviewControl.h"
#include "printing/PrinterOutput.h"
#include "printing/ReportPrinter.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <QDateTime>
#include <QFont>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace cindrel::outputs::mfg {

namespace {

using printing::Alignment;
using namespace printed;

constexpr double ScrollBarAllowance = 320;
constexpr double SectionGap = 250;
constexpr double PrintZoom = 60;
const QColor White(255, 255, 255);

// The layout index of a row: a whole number 0 to 7, or none.
std::optional<int> layoutIndex(const std::string& cell)
{
    if (!runtime::isNumeric(cell))
        return std::nullopt;
    const double number = runtime::toNumber(cell);
    if (number != std::floor(number) || number < 0 || number > 7)
        return std::nullopt;
    return static_cast<int>(number);
}

void printPageFrames(printing::ReportPrinter& printer, ReportHost& host)
{
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontSize(10);
    const std::string fileName = plain(host.ActiveFileName(true, false));
    const QDateTime now = host.Now();
    const QString printed = printedStamp(now);
    const std::string version = versionNumbers(host.ProgramVersion());
    const int pages = printer.pageCount();
    for (int page = 1; page <= pages; ++page) {
        printer.startOverlay(page);
        printer.setCurrentX(printer.marginLeft());
        printer.setCurrentY(720);
        printer.setTextAlign(Alignment::Centre);
        printer.setFontSize(14);
        printer.setFontBold(true);
        printer.text(q("Cindrel manufacturing outputs: " + fileName));
        printer.setFontBold(false);
        printer.setCurrentX(printer.marginLeft());
        printer.setCurrentY(printer.pageHeight() - printer.marginBottom() + 150);
        printer.setTextAlign(Alignment::Left);
        printer.setFontSize(6);
        printer.text(printed);
        printer.setTextAlign(Alignment::Right);
        printer.text(q("Data File Name: " + fileName));
        printer.setTextAlign(Alignment::Left);
        printer.text(q("\rZRK Inc.: rev;" + version));
        printer.setTextAlign(Alignment::Centre);
        printer.text(QString());
        printer.setTextAlign(Alignment::Right);
        printer.setFontSize(8);
        printer.text(QStringLiteral("Manufacturing Outputs"));
        printer.endOverlay();
    }
    printer.setTextAlign(Alignment::Left);
}

} // namespace

void SetupGrid(grid::Grid& grid, const GridFont& font)
{
    grid.clear();
    grid.setRowCount(2);
    grid.setColumnCount(3);
    grid.setMergesCells(true);
    grid.setFixedColumnCount(0);
    grid.setFixedRowCount(1);
    grid.setWordWrap(true);
    QFont face(font.name);
    if (font.size > 0)
        face.setPointSizeF(font.size);
    grid.setFont(face);
    const std::array<QString, 3> headers = {QStringLiteral("DESCRIPTION"), QStringLiteral("PINION"), QStringLiteral("GEAR")};
    const std::array<Qt::Alignment, 3> alignments = {Qt::AlignRight | Qt::AlignTop, Qt::AlignCenter,
                                                     Qt::AlignHCenter | Qt::AlignBottom};
    for (int column = 0; column < 3; ++column) {
        grid.setCellText(0, column, headers[static_cast<std::size_t>(column)]);
        grid.setCellBold(0, column, true);
        grid.setCellFontSize(0, column, 12);
        grid.setCellAlignment(0, column, alignments[static_cast<std::size_t>(column)]);
    }
}

void FillGrid(grid::Grid& grid, const std::optional<T_MFGOutputs::Table>& table, const GridFont& font)
{
    SetupGrid(grid, font);
    ResizeGrid(&grid);
    grid.setVisible(false);
    if (table) {
        for (const T_MFGOutputs::Row& cells : *table) {
            const int row = grid.appendRow({q(cells[0]), q(cells[1]), q(cells[2])});
            grid.setCurrentRow(row);
            // "3" holds one value for the pair in both value cells: they show as one.
            grid.setRowMerged(row, runtime::leadingNumber(cells[3]) != 0);
            for (int column = 0; column < 3; ++column) {
                grid.setCellAlignment(row, column, column == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
                grid.setCellForeColor(row, column, Qt::black);
                grid.setCellBold(row, column, false);
                grid.setCellItalic(row, column, false);
            }
        }
    }
    grid.setVisible(true);
}

std::int32_t SumRowHeights(const grid::Grid& grid)
{
    double total = 0;
    for (int row = 0; row < grid.rowCount(); ++row)
        total += grid.rowHeight(row);
    return static_cast<std::int32_t>(std::min(total, 2e9));
}

void ResizeGrid(grid::Grid* grid)
{
    if (grid == nullptr)
        return;
    const double allowance = grid->height() < SumRowHeights(*grid) ? ScrollBarAllowance : 0;
    // A window too small for the grid gives it no width rather than a negative one.
    const double width = std::max(grid->width() - allowance, 0.0);
    grid->setColumnWidth(0, runtime::roundHalfEven(0.6 * width));
    grid->setColumnWidth(1, runtime::roundHalfEven(0.2 * width));
    grid->setColumnWidth(2, runtime::roundHalfEven(0.2 * width));
}

TableLayout MFGTableLayout(int layoutIndex)
{
    switch (layoutIndex) {
    case 0: return {">+5500|^+1500|^+1500", "{\\b Description}|{\\b Pinion}|{\\b Gear};"};
    case 3: return {">+5500|^+3000", "{\\b Description}|{\\b Set variable};"};
    case 6: return {">+7000|^+1500", ""};
    case 7: return {"<+8500", "{\\b Manufacturing Output};"};
    default: return {"", ""};
    }
}

void PrintDocument(printing::PreviewControl& control, const std::optional<T_MFGOutputs::Table>& table,
                   bool PrintPreview, ReportHost& host, const PrintSources& sources,
                   const std::function<void(const std::string&)>& logFailure)
{
    const auto step = [&logFailure](const char* what, const std::function<void()>& run) {
        try {
            run();
        } catch (const std::exception& error) {
            if (logFailure)
                logFailure(std::string("PrintDocument, ") + what + ": " + error.what());
        }
    };
    if (!PrintPreview && !host.SetPrinter())
        return;
    const std::optional<T_MFGOutputs::Table> rows = table;
    printing::ReportPrinter& printer = control.printer();
    step("set-up", [&] {
        if (!PrintPreview)
            printer.setPrinter(host.chosenPrinter());
        control.setZoom(PrintZoom);
        control.setVisible(false);
        printer.setFontName(QStringLiteral("Arial"));
        printer.setFontSize(10);
        printer.setFontBold(false);
        printer.setFontItalic(false);
        printer.setFontUnderline(false);
        printer.setTextColor(Qt::black);
        printer.setMargins(1440, 1440, 1440, 1440);
        printer.setTableBorder(printing::TableBorder::None);
        printer.startDoc();
        printer.setTextAlign(Alignment::Centre);
    });
    step("address", [&] {
        if (const std::string company = host.UserInfo("CompanyName"); !company.empty())
            printer.paragraph(q("{\\b\\fs20 " + plain(company) + "}"));
        printer.setFontSize(10);
        for (const char* name : {"UserName", "AddressLine1", "AddressLine2"})
            if (const std::string line = host.UserInfo(name); !line.empty())
                printer.paragraph(q(plain(line)));
        const std::string city = host.UserInfo("City");
        const std::string state = host.UserInfo("State");
        const std::string zip = host.UserInfo("ZipCode");
        if (!city.empty() && !state.empty() && !zip.empty())
            printer.paragraph(q(plain(city + ", " + state + "  " + zip)));
        for (const char* name : {"PhoneNumber", "EMail", "WebSite"})
            if (const std::string line = host.UserInfo(name); !line.empty())
                printer.paragraph(q(plain(line)));
    });
    step("address gap", [&] { printer.setCurrentY(printer.currentY() + SectionGap); });
    step("notes", [&] {
        std::string notes = sources.PrintMFGNotes ? sources.MFGNotes : host.RunNotesCaption();
        if (notes == (sources.PrintMFGNotes ? "MFG notes" : "Nothing"))
            notes.clear();
        notes = replaceAll(notes, "~dblquotes", "\"");
        if (notes.empty())
            return;
        printer.setTextAlign(Alignment::Left);
        printer.setFontSize(10);
        printer.paragraph(QStringLiteral("{\\b\\fs24\\ul NOTES:}"));
        printer.paragraph(q(plain(replaceAll(notes, "\r\n", "\n"))));
    });
    step("notes gap", [&] { printer.setCurrentY(printer.currentY() + SectionGap); });
    step("table settings", [&] {
        printer.setTableBorder(printing::TableBorder::All);
        printer.setFontSize(10);
    });
    if (rows) {
        for (std::size_t i = 0; i < rows->size(); ++i) {
            step("row", [&] {
                const T_MFGOutputs::Row& cells = (*rows)[i];
                const std::optional<int> k = layoutIndex(cells[3]);
                if (!k)
                    return;
                const TableLayout layout = MFGTableLayout(*k);
                if (*layout.format == '\0')
                    return;
                const std::string body = cellPlain(cells[0]) + "|" + cellPlain(cells[1]) + "|" + cellPlain(cells[2]);
                printer.addTable(QString::fromLatin1(layout.format), QString::fromLatin1(layout.header), q(body), White,
                                 White, i != 0);
                printer.setFontSize(10);
            });
        }
    }
    step("end", [&] { printer.endDoc(); });
    step("page frames", [&] { printPageFrames(printer, host); });
    control.setVisible(true);
    // A new printout opens on its first page.
    control.setPreviewPage(1);
    if (PrintPreview)
        return;
    try {
        printing::printDocument(printer.document(), host.chosenPrinter(), QStringLiteral("Cindrel manufacturing outputs"));
    } catch (const std::exception& error) {
        if (logFailure)
            logFailure(std::string("PrintDocument, print: ") + error.what());
        tellNotPrinted("The manufacturing sheet", error);
    }
}

} // namespace cindrel::outputs::mfg
