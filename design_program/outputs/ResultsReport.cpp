// The printed results report of the outputs object: the address block, the
// notes and one section per done step, framed on every page.
#include "outputs/clsQXOutputs.h"
#include "outputs/PrintedTexts.h"

#include "sequence/StateCollection.h"
#include "sequence/T_State.h"

#include "forms/Forms.h"
#include "printing/PreviewControl.h"
#include "printing/PrinterOutput.h"
#include "runtime/RuntimeError.h"
#include "runtime/CheckedMath.h"
#include "runtime/ScopeExit.h"

#include <QLocale>

#include <cmath>
#include <set>

namespace cindrel::outputs {

namespace {

using printing::Alignment;
using namespace printed;

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);

// The report's tables: every one 8900 twips wide.
const std::string SectionHeadingFormat = "<+8900";
const std::string SectionHeadingHeader = "";
const std::string TextFormat = ">+1400|^+7500";
const std::string SetValueFormat = ">+1400|^+3000|<+4500";
const std::string SetValueHeader = "{\\b Variable}|{\\b gear set }|{\\b Description};";
const std::string PairFormat = ">+1400|^+1500|^+1500|<+4500";
const std::string PairHeader = "{\\b Variable}|{\\b Pinion}|{\\b Gear}|{\\b Description};";

const std::string ScoringStep = "Scoring and SubShear Inputs";
const QString PreviewWindow = QStringLiteral("frmPrintPreview");
const std::string NoOutputs = "There are no outputs calculated at this time to print.";
const std::string UserInfoQuestion = "It is highly recommended to fill out the User Information tab "
                                     "in the Options Dialog Box from 'Name' through 'Phone Number'.  "
                                     "This information will be printed on "
                                     "the hard copy print outs. \r\n\r\n"
                                     "Would you like to enter that information now?";
constexpr std::int32_t YesNo = 6;
constexpr std::int32_t Yes = 2;
constexpr int ReportZoom = 75;
constexpr double SectionGap = 250;
// The height of a heading, a header line and a row of two lines, in twips.
constexpr double KeepWithHeading = 1300;

int wholeNumber(const results::Cell& cell)
{
    if (const auto* number = std::get_if<std::int16_t>(&cell))
        return *number;
    if (const auto* number = std::get_if<double>(&cell))
        return std::fabs(*number) < 2e9 ? static_cast<int>(runtime::roundHalfEven(*number)) : 0;
    return 0;
}

} // namespace

std::string clsQXOutputs::FormatReportRow(const std::string& Key, const std::string& PinionValue,
                                          const std::string& GearValue, const std::string& Description,
                                          std::int32_t RowKind, std::int32_t, std::int32_t BoldMask,
                                          std::int32_t ItalicMask)
{
    const auto cell = [BoldMask, ItalicMask](const std::string& text, int bit, const char* separator) {
        const bool bold = (BoldMask & bit) != 0;
        const bool italic = (ItalicMask & bit) != 0;
        if (!bold && !italic)
            return cellPlain(text) + separator;
        return std::string("{") + (bold ? "\\b" : "") + (italic ? "\\i" : "") + " " + cellPlain(text) + "}" + separator;
    };
    using namespace results;
    if (RowKind == RowKindPair)
        return cell(Key, ColumnBitKey, "|") + cell(PinionValue, ColumnBitPinion, "|") + cell(GearValue, ColumnBitGear, "|") +
               cell(Description, ColumnBitDescription, "");
    if (RowKind == RowKindSetValue)
        return cell(Key, ColumnBitKey, "|") + cell(PinionValue, ColumnBitPinion, "|") +
               cell(Description, ColumnBitDescription, "");
    return cell(Key, ColumnBitKey, "|") + cell(Description, ColumnBitDescription, "");
}

printing::ReportPrinter& clsQXOutputs::reportPrinter()
{
    return printControl_ != nullptr ? printControl_->printer() : ownPrinter_;
}

void clsQXOutputs::takePrintControl(printing::PreviewControl& control) { printControl_ = &control; }

void clsQXOutputs::dropPrintControl() { printControl_ = nullptr; }

void clsQXOutputs::reportStep(const char* what, const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& error) {
        host_.WriteRunNote(std::string("PrintDocument, ") + what + ": " + error.what());
    }
}

void clsQXOutputs::AddReportTable(const std::string& format, const std::string& header, const std::string& body,
                                  const QColor& headerFill, const QColor& bodyFill, bool headerOmitted)
{
    reportPrinter().addTable(q(format), q(header), q(body), headerFill, bodyFill, headerOmitted);
}

void clsQXOutputs::printAddressBlock()
{
    printing::ReportPrinter& printer = reportPrinter();
    const auto info = [this](const char* name) { return reportHost_ != nullptr ? reportHost_->UserInfo(name) : std::string(); };
    const std::string company = info("CompanyName");
    if (!company.empty())
        reportStep("company", [&] { printer.paragraph(q("{\\b\\fs20 " + plain(company) + "}")); });
    reportStep("font", [&] { printer.setFontSize(8); });
    for (const char* name : {"UserName", "AddressLine1", "AddressLine2"})
        if (const std::string line = info(name); !line.empty())
            reportStep(name, [&] { printer.paragraph(q(plain(line))); });
    const std::string city = info("City");
    const std::string state = info("State");
    const std::string zip = info("ZipCode");
    if (!city.empty() && !state.empty() && !zip.empty())
        reportStep("city", [&] { printer.paragraph(q(plain(city + ", " + state + "  " + zip))); });
    for (const char* name : {"PhoneNumber", "EMail", "WebSite"})
        if (const std::string line = info(name); !line.empty())
            reportStep(name, [&] { printer.paragraph(q(plain(line))); });
    reportStep("gap", [&] { printer.setCurrentY(printer.currentY() + SectionGap); });
}

void clsQXOutputs::printNotes()
{
    printing::ReportPrinter& printer = reportPrinter();
    const std::string caption = reportHost_ != nullptr ? reportHost_->RunNotesCaption() : std::string();
    if (caption == "Nothing")
        return;
    if (!caption.empty()) {
        reportStep("notes", [&] {
            printer.setTextAlign(Alignment::Left);
            printer.setFontSize(8);
            printer.paragraph(QStringLiteral("{\\b\\fs24\\ul NOTES:}"));
            printer.paragraph(q(plain(replaceAll(caption, "~dblquotes", "\""))));
        });
    }
    reportStep("gap", [&] { printer.setCurrentY(printer.currentY() + SectionGap); });
}

void clsQXOutputs::printSection(sequence::T_State& step)
{
    printing::ReportPrinter& printer = reportPrinter();
    // A heading goes with its header line and first row: one left alone at the foot of a page starts the next.
    reportStep("keep together", [&] {
        if (printer.currentY() + KeepWithHeading > printer.pageHeight() - printer.marginBottom() &&
            printer.currentY() > printer.marginTop())
            printer.newPage();
    });
    reportStep("heading", [&] {
        printer.setFontSize(8);
        AddReportTable(SectionHeadingFormat, SectionHeadingHeader, "{\\b\\fs24 " + cellPlain(step.PrintHeading) + "}", White,
                       White, true);
    });
    if (step.StateString) {
        const results::ResultTable& table = *step.StateString;
        const results::CaptionReader caption = [this](const results::LabelRef& label) { return host_.labelCaption(label); };
        // The header line stands once, above the first row printed.
        bool headed = false;
        bool ended = false;
        for (int row = 0; row <= table.lastRow() && !ended; ++row) {
            reportStep("row", [&] {
                const auto text = [&](int column) { return results::cellText(table.at(row, column), caption); };
                const std::string key = text(results::ResultRow::Key);
                // As on the grid, the first row without a key ends the table.
                if (key.empty()) {
                    ended = true;
                    return;
                }
                const int kind = wholeNumber(table.at(row, results::ResultRow::RowKind));
                const int red = wholeNumber(table.at(row, results::ResultRow::RedMask));
                const std::string body = FormatReportRow(
                    key, text(results::ResultRow::PinionValue), text(results::ResultRow::GearValue),
                    text(results::ResultRow::Description), kind, red, wholeNumber(table.at(row, results::ResultRow::BoldMask)),
                    wholeNumber(table.at(row, results::ResultRow::ItalicMask)));
                const std::string& format =
                    kind == results::RowKindSetValue ? SetValueFormat : kind == results::RowKindText ? TextFormat : PairFormat;
                const std::string& header = kind == results::RowKindSetValue ? SetValueHeader : PairHeader;
                printer.setTextColor(red != 0 ? Red : Black);
                // A text row has two columns: the header naming both members' columns stands in its own table.
                if (!headed && kind == results::RowKindText) {
                    AddReportTable(PairFormat, PairHeader, "", White, White, false);
                    headed = true;
                }
                AddReportTable(format, header, body, White, White, headed);
                headed = true;
            });
        }
    }
    reportStep("colour", [&] { printer.setTextColor(Black); });
    // A design whose analyses never ran has no graphs to print, so no empty page either.
    if (step.Name == ScoringStep && reportHost_ != nullptr && reportHost_->chartObject() != nullptr)
        reportStep("graphs", [&] {
            printer.newPage();
            PrintChartsPage();
        });
    reportStep("gap", [&] { printer.setCurrentY(printer.currentY() + SectionGap); });
}

void clsQXOutputs::PrintPageFrames()
{
    printing::ReportPrinter& printer = reportPrinter();
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontSize(10);
    const std::string fileName = reportHost_ != nullptr ? reportHost_->ActiveFileName(true, false) : std::string();
    std::string title = "Cindrel results:";
    if (reportHost_ != nullptr && reportHost_->ActiveFileName(true, true) != reportHost_->DefaultFileName())
        title.append(" ").append(reportHost_->ActiveFileName(false, false));
    const QDateTime now = reportHost_ != nullptr ? reportHost_->Now() : QDateTime::currentDateTime();
    const QString printed = printedStamp(now);
    const std::string version = versionNumbers(reportHost_ != nullptr ? reportHost_->ProgramVersion() : std::string());
    const int pages = printer.pageCount();
    for (int page = 1; page <= pages; ++page) {
        printer.startOverlay(page);
        // The header line.
        printer.setCurrentX(printer.marginLeft());
        printer.setCurrentY(500);
        printer.setTextAlign(Alignment::Left);
        printer.setFontSize(10);
        printer.setFontBold(false);
        printer.text(QString());
        printer.setTextAlign(Alignment::Centre);
        printer.setFontSize(16);
        printer.setFontBold(true);
        printer.setFontItalic(true);
        printer.text(q(plain(title)));
        printer.setFontItalic(false);
        printer.setFontBold(false);
        printer.setTextAlign(Alignment::Right);
        printer.setFontSize(10);
        printer.text(QStringLiteral("\r"));
        // The footer, two lines.
        printer.setCurrentX(printer.marginLeft());
        printer.setCurrentY(printer.pageHeight() - printer.marginBottom() + 900);
        printer.setTextAlign(Alignment::Left);
        printer.text(printed);
        printer.setTextAlign(Alignment::Right);
        printer.text(q(plain("File: " + fileName)));
        printer.setTextAlign(Alignment::Left);
        printer.text(q("\rZRK, Inc.: rev;" + version));
        printer.setTextAlign(Alignment::Centre);
        printer.setFontSize(6);
        printer.text(QString());
        printer.setTextAlign(Alignment::Right);
        printer.setFontSize(8);
        printer.text(QStringLiteral("Page %1 of %2").arg(page).arg(pages));
        printer.endOverlay();
    }
    printer.setTextAlign(Alignment::Left);
}

std::int16_t clsQXOutputs::PrintDocument(bool PrintDoc)
{
    const std::int16_t result = 0;
    if (!PrintDoc && (reportHost_ == nullptr || !reportHost_->SetPrinter()))
        return result;
    if (reportHost_ != nullptr) {
        reportStep("user information", [&] {
            bool missing = false;
            for (const char* name : {"UserName", "CompanyName", "AddressLine1", "City", "State", "ZipCode", "PhoneNumber"})
                missing = missing || reportHost_->UserInfo(name).empty();
            if (missing && reportHost_->ShowNoShowMessage(UserInfoQuestion, "PrintUserInfo", YesNo) == Yes)
                reportHost_->ShowOptionsPreferences(4);
        });
        reportHost_->BeginBusy();
    }
    // Ended on every way out: a step that raises must not leave the wait cursor.
    auto endBusy = runtime::onScopeExit([this] {
        if (reportHost_ != nullptr)
            reportHost_->EndBusy();
    });
    // Loading the preview window hands its print control over, hidden.
    reportStep("preview window", [&] {
        if (forms::Form* preview = windows_.find(PreviewWindow); preview != nullptr && !preview->isLoaded())
            preview->load();
    });
    printing::ReportPrinter& printer = reportPrinter();
    reportStep("set-up", [&] {
        if (!PrintDoc)
            printer.setPrinter(reportHost_->chosenPrinter());
        if (printControl_ != nullptr) {
            printControl_->setZoom(ReportZoom);
            printControl_->setVisible(false);
        }
        printer.setFontName(QStringLiteral("Arial"));
        printer.setFontSize(10);
        printer.setFontBold(false);
        printer.setFontItalic(false);
        printer.setFontUnderline(false);
        printer.setTextColor(Black);
        printer.setMargins(1440, 1440, 1440, 1440);
        printer.startDoc();
        printer.setTextAlign(Alignment::Centre);
    });
    printAddressBlock();
    printNotes();
    reportStep("table settings", [&] { printer.setTableBorder(printing::TableBorder::All); });

    // The path starts at the done step with no step before it.
    sequence::T_State* first = nullptr;
    if (const sequence::StateCollection* states = host_.doneSteps(); states != nullptr) {
        const std::vector<sequence::T_State*> items = states->Items();
        for (sequence::T_State* step : items)
            if (step->PreviousState == nullptr) {
                first = step;
                break;
            }
        if (first == nullptr && !items.empty())
            first = items.back();
    }
    reportStep("alignment", [&] { printer.setTextAlign(Alignment::Centre); });
    if (first == nullptr) {
        reportStep("no outputs", [&] { printer.paragraph(q(NoOutputs)); });
    } else {
        // Links that turn back on themselves end the path rather than repeat it.
        std::set<const sequence::T_State*> printed;
        for (sequence::T_State* step = first; step != nullptr && printed.insert(step).second; step = step->NextState)
            if (step->PrintVariables)
                printSection(*step);
    }
    reportStep("end", [&] { printer.endDoc(); });
    reportStep("page frames", [&] { PrintPageFrames(); });
    if (printControl_ != nullptr)
        printControl_->setVisible(true);
    if (!PrintDoc) {
        try {
            printing::printDocument(printer.document(), reportHost_->chosenPrinter(), QStringLiteral("Cindrel results"));
        } catch (const std::exception& error) {
            // A report that did not reach the printer is not passed over in silence: the user is
            // told why, whether run notes are kept or not.
            const auto [number, description] = runtime::errorTextOf(error, printing::PrinterError);
            host_.MainErrHandler("clsQXOutput", "PrintDocument", std::to_string(number), description, "");
            tellNotPrinted("The results report", error);
        }
    }
    endBusy.runNow();
    if (printControl_ != nullptr) {
        // A new report opens on its first page.
        printControl_->setPreviewPage(1);
        if (first != nullptr)
            cmdPreviousPage_Click();
        else
            showPageButtons();
    }
    return result;
}

} // namespace cindrel::outputs
