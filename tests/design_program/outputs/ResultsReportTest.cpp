#include "OutputsFakes.h"
#include "ReportFakes.h"

#include "outputs/ReportHost.h"
#include "outputs/clsQXOutputs.h"

#include "forms/Forms.h"
#include "printing/PrinterOutput.h"
#include "printing/ReportPrinter.h"

#include <QFontMetricsF>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

namespace {

using namespace outputstest;
using cindrel::outputs::clsQXOutputs;
using printing::ReportDocument;
using printing::TextItem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ResultsReport : public ReportFixture {
protected:
    std::vector<TextItem> items(int page) { return itemsOf<TextItem>(page); }
    // The texts of the page bodies (the frames left out), in order.
    std::vector<std::string> bodyTexts()
    {
        std::vector<std::string> texts;
        for (int page = 0; page < document().pageCount(); ++page)
            for (const TextItem& item : items(page))
                if (item.baseline.y() > 1440 && item.baseline.y() < 15840 - 1440)
                    texts.push_back(item.text.toStdString());
        return texts;
    }
    std::optional<TextItem> find(int page, const std::string& text)
    {
        for (const TextItem& item : items(page))
            if (item.text.toStdString() == text)
                return item;
        return std::nullopt;
    }
    int count(const std::string& text)
    {
        const auto texts = bodyTexts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
};

TEST(ReportRows, CellsMarkedByTheMasksCarryTheirMarkup)
{
    struct Case {
        std::int32_t kind, bold, italic;
        const char* key;
        const char* description;
        const char* row;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, "N", "Number of teeth", "N|12|40|Number of teeth"},
        {0, 8, 0, "N", "Number of teeth", "{\\b N}|12|40|Number of teeth"},
        {0, 1, 1, "N", "Number of teeth", "N|12|40|{\\b\\i Number of teeth}"},
        {0, 12, 8, "N", "Number of teeth", "{\\b\\i N}|{\\b 12}|40|Number of teeth"},
        {0, 2, 4, "N", "Number of teeth", "N|{\\i 12}|{\\b 40}|Number of teeth"},
        // One value of the pair: the gear cell is not printed.
        {1, 0, 0, "C", "Center distance", "C|12|Center distance"},
        {1, 2, 0, "C", "Center distance", "C|12|Center distance"},
        {7, 0, 1, "Note", "Hob not checked", "Note|{\\i Hob not checked}"},
        {3, 0, 0, "Odd", "Any other kind", "Odd|Any other kind"},
        // Data texts print as they stand.
        {0, 0, 0, "{\\b x}", "a|b\r\nc", "\\{\\\\b x\\}|12|40|a/b  c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clsQXOutputs::FormatReportRow(c.key, "12", "40", c.description, c.kind, 1, c.bold, c.italic), c.row)
            << c.row;
}

TEST_F(ResultsReport, SectionsFollowTheAddressBlockInThePathsOrder)
{
    report.notes = "Ratio ~dblquotes3:1~dblquotes";
    done.add("Startup Screen", "Startup", "", std::nullopt, false);
    done.add("Main Inputs", "Main Inputs", "MainInputs",
             tableOf({pairRow("N", "12", "40", "Number of teeth"), pairRow("Pd", "8", "8", "(1/in) Pitch", 0, 1),
                      pairRow("phi", "20", "20", "(deg) Pressure angle")}));
    done.add("Center Distance", "Center Distance", "CenterDistance",
             tableOf({{"Note", "Standard", "Standard", "Standard centre distance", std::int16_t{7}},
                      {"C", "3.25", "3.25", "(in) Center distance", std::int16_t{1}}}));
    EXPECT_EQ(outputs.PrintDocument(true), 0);

    EXPECT_THAT(bodyTexts(),
                ElementsAre("Ridgeway Gear Works", "A. Fielding", "12 Mill Lane", "Dayton, OH  45402", "555 0100",
                            "NOTES:", "Ratio \"3:1\"", "Main Inputs", "Variable", "Pinion", "Gear", "Description", "N",
                            "12", "40", "Number of teeth", "Pd", "8", "8", "(1/in) Pitch", "phi", "20", "20",
                            "(deg) Pressure angle", "Center Distance", "Variable", "Pinion", "Gear", "Description", "Note",
                            "Standard centre distance", "C", "3.25", "(in) Center distance"));
    EXPECT_EQ(document().pageCount(), 1);
    EXPECT_EQ(report.busy, 0) << "the hourglass is put back";

    const TextItem company = *find(0, "Ridgeway Gear Works");
    EXPECT_TRUE(company.style.bold);
    EXPECT_EQ(company.style.points, 10);
    EXPECT_EQ(find(0, "A. Fielding")->style.points, 8);
    EXPECT_TRUE(find(0, "NOTES:")->style.underline);
    EXPECT_EQ(find(0, "NOTES:")->style.points, 12);
    const TextItem heading = *find(0, "Main Inputs");
    EXPECT_TRUE(heading.style.bold);
    EXPECT_EQ(heading.style.points, 12);
    // The whole red row is red; the next section starts black.
    EXPECT_EQ(find(0, "Pd")->style.color, QColor(255, 0, 0));
    EXPECT_EQ(find(0, "(1/in) Pitch")->style.color, QColor(255, 0, 0));
    EXPECT_EQ(find(0, "phi")->style.color, QColor(0, 0, 0));
    EXPECT_EQ(find(0, "Note")->style.color, QColor(0, 0, 0));
    EXPECT_EQ(find(0, "N")->style.points, 8);
    EXPECT_FALSE(find(0, "N")->style.bold);
    // The heading's 8900-twip table, centred between the margins of the letter page.
    EXPECT_NEAR(heading.baseline.x(), 1440 + (9360 - 8900) / 2 + 80, 1);
    // Section gap: the second heading sits at least 250 twips below the first table's last row.
    EXPECT_GT(find(0, "Center Distance")->baseline.y(), find(0, "(deg) Pressure angle")->baseline.y() + 250);
}

// The factors table as the factors window hands it over: two text rows first,
// sized two rows larger than filled. Its header names both members' columns;
// the unfilled rows print nothing, not even empty table rows.
TEST_F(ResultsReport, ATableOpeningWithTextRowsNamesBothMembersAndEndsAtItsLastFilledRow)
{
    ResultTable table(7);
    const std::vector<std::vector<Cell>> rows = {
        {"Pinion", "Through hardened steel", "Through hardened steel", "Through hardened steel", std::int16_t{7}},
        {"Gear", "Cast iron", "Cast iron", "Cast iron", std::int16_t{7}},
        pairRow("Cycles", "1.08E+08", "3.60E+07", ""),
        {"Hours", "1000", "1000", "", std::int16_t{1}},
        pairRow("Kb", "1.0", "1.1", "Rim thickness factor"),
    };
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int column = 0; column < static_cast<int>(rows[row].size()); ++column)
            table.set(row, column, rows[row][column]);
    done.add("AGMA Factors", "AGMA Factors", "btnAGMA", std::move(table));
    outputs.PrintDocument(true);

    const auto texts = bodyTexts();
    const auto heading = std::find(texts.begin(), texts.end(), "AGMA Factors");
    ASSERT_NE(heading, texts.end());
    EXPECT_THAT(std::vector<std::string>(heading, texts.end()),
                ElementsAre("AGMA Factors", "Variable", "Pinion", "Gear", "Description", "Pinion",
                            "Through hardened steel", "Gear", "Cast iron", "Cycles", "1.08E+08", "3.60E+07", "Hours",
                            "1000", "Kb", "1.0", "1.1", "Rim thickness factor"));
    // The header's gear cell is centred over the gear values.
    const auto centre = [](const TextItem& item) {
        return item.baseline.x() + QFontMetricsF(printing::twipsFont(item.style)).horizontalAdvance(item.text) / 2;
    };
    EXPECT_NEAR(centre(*find(0, "Gear")), centre(*find(0, "1.1")), 20);
    // The table's lowest rule is the last filled row's: an empty row at 8 points
    // would add at least a 160-twip line and its padding below it.
    const double lastBaseline = find(0, "Kb")->baseline.y();
    double lowestRule = 0;
    for (const printing::PageItem& item : document().pages[0].items)
        if (const auto* line = std::get_if<printing::LineItem>(&item); line != nullptr && line->line.y1() < 15840 - 1440)
            lowestRule = std::max({lowestRule, line->line.y1(), line->line.y2()});
    EXPECT_GT(lowestRule, lastBaseline);
    EXPECT_LT(lowestRule, lastBaseline + 160);
}

TEST_F(ResultsReport, EveryPageCarriesTheTitleTheFooterAndItsNumberOfTheCount)
{
    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 150));
    outputs.PrintDocument(true);
    const int pages = document().pageCount();
    ASSERT_GE(pages, 3);
    for (int page = 0; page < pages; ++page) {
        SCOPED_TRACE(page + 1);
        const auto title = find(page, "Cindrel results: Bevel pair");
        ASSERT_TRUE(title);
        EXPECT_TRUE(title->style.bold && title->style.italic);
        EXPECT_EQ(title->style.points, 16);
        // Centred on the page, its top 500 twips down.
        const double width = QFontMetricsF(printing::twipsFont(title->style)).horizontalAdvance(title->text);
        EXPECT_NEAR(title->baseline.x() + width / 2, 12240 / 2.0, 1);
        EXPECT_GT(title->baseline.y(), 500);
        EXPECT_LT(title->baseline.y(), 1000);
        const auto printed = find(page, "Printed March 5, 2024 - 3:07 PM");
        ASSERT_TRUE(printed);
        EXPECT_NEAR(printed->baseline.x(), 1440, 0.01);
        EXPECT_GT(printed->baseline.y(), 15840 - 1440 + 900);
        ASSERT_TRUE(find(page, "File: Bevel pair.gdf"));
        const auto maker = find(page, "ZRK, Inc.: rev;2.1.3");
        ASSERT_TRUE(maker);
        EXPECT_GT(maker->baseline.y(), printed->baseline.y());
        const auto number = find(page, "Page " + std::to_string(page + 1) + " of " + std::to_string(pages));
        ASSERT_TRUE(number);
        EXPECT_EQ(number->style.points, 8);
        // On the maker's line (a smaller size, so its baseline sits a little higher), and still on the paper.
        EXPECT_NEAR(number->baseline.y(), maker->baseline.y(), 60);
        EXPECT_LT(maker->baseline.y(), 15840);
    }
    // The section's header line stands once, above its first row only.
    EXPECT_EQ(count("Variable"), 1);
    EXPECT_EQ(count("k149"), 1);
}

// A first section of every length up to a page and a half: one of them leaves
// room at the foot of page 1 for the second heading and little more.
TEST_F(ResultsReport, NoHeadingIsLeftAloneAtTheFootOfAPage)
{
    done.add("First", "First heading", "", plainTable("f", 1));
    done.add("Second", "Second heading", "", plainTable("k", 3));
    for (int rows = 1; rows < 80; ++rows) {
        SCOPED_TRACE(rows);
        done["First"].StateString = plainTable("f", rows);
        outputs.PrintDocument(true);
        for (int page = 0; page < document().pageCount(); ++page) {
            std::vector<std::string> texts;
            for (const TextItem& item : items(page))
                if (item.baseline.y() > 1440 && item.baseline.y() < 15840 - 1440)
                    texts.push_back(item.text.toStdString());
            const auto heading = std::find(texts.begin(), texts.end(), "Second heading");
            if (heading == texts.end())
                continue;
            ASSERT_GT(texts.end() - heading, 5) << "page " << page + 1;
            EXPECT_EQ(heading[1], "Variable");
            EXPECT_EQ(heading[5], "k0") << "the first row follows on the same page";
        }
    }
}

TEST_F(ResultsReport, TheDefaultDesignTitlesTheReportWithoutAName)
{
    report.defaultFile = "/designs/Bevel pair.gdf";
    outputs.PrintDocument(true);
    EXPECT_TRUE(find(0, "Cindrel results:"));
    EXPECT_TRUE(find(0, "File: Bevel pair.gdf"));
}

TEST_F(ResultsReport, NoDoneStepsGiveOnePageSayingSo)
{
    outputs.PrintDocument(true);
    EXPECT_EQ(document().pageCount(), 1);
    EXPECT_EQ(bodyTexts().back(), "There are no outputs calculated at this time to print.");
    EXPECT_TRUE(find(0, "Page 1 of 1"));
    host.steps = nullptr;
    outputs.PrintDocument(true);
    EXPECT_EQ(bodyTexts().back(), "There are no outputs calculated at this time to print.");
}

TEST_F(ResultsReport, TheNotesCaptionDecidesTheNotesHeadingAndTheGap)
{
    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 1));
    const auto headingTop = [this](const std::string& notes) {
        report.notes = notes;
        outputs.PrintDocument(true);
        return std::pair(count("NOTES:"), find(0, "Main Inputs")->baseline.y());
    };
    const auto [nothingNotes, nothingY] = headingTop("Nothing");
    const auto [emptyNotes, emptyY] = headingTop("");
    const auto [someNotes, someY] = headingTop("Hardened and ground");
    EXPECT_EQ(nothingNotes, 0);
    EXPECT_EQ(emptyNotes, 0);
    EXPECT_EQ(someNotes, 1);
    EXPECT_NEAR(emptyY - nothingY, 250, 1e-6);
    EXPECT_GT(someY, emptyY + 300);
}

TEST_F(ResultsReport, MissingUserInformationAsksOnceAndTheCityLineNeedsAllThree)
{
    struct Case {
        const char* empty;
        bool asked;
    };
    for (const Case& c : {Case{"", false}, Case{"AddressLine2", false}, Case{"ZipCode", true},
                          Case{"PhoneNumber", true}, Case{"CompanyName", true}}) {
        SCOPED_TRACE(c.empty);
        FakeReportHost fresh;
        fresh.info["AddressLine2"] = "";
        fresh.info[c.empty] = "";
        outputs.setReportHost(&fresh);
        outputs.PrintDocument(true);
        EXPECT_EQ(fresh.questions.size(), c.asked ? 1u : 0u);
        EXPECT_THAT(fresh.optionTabs, IsEmpty()) << "the answer No goes on";
        EXPECT_EQ(count("Dayton, OH  45402"), std::string(c.empty) == "ZipCode" ? 0 : 1);
    }
}

TEST_F(ResultsReport, AnsweringYesOpensTheUserInfoTabAndPrintsWhatWasEntered)
{
    report.info = {};
    report.answer = 2;
    report.inOptions = [this] { report.info["CompanyName"] = "Entered Gears"; };
    outputs.PrintDocument(true);
    ASSERT_EQ(report.questions.size(), 1u);
    EXPECT_EQ(report.questions[0],
              "PrintUserInfo 6: It is highly recommended to fill out the User Information tab in the Options Dialog Box "
              "from 'Name' through 'Phone Number'.  This information will be printed on the hard copy print outs. "
              "\r\n\r\nWould you like to enter that information now?");
    EXPECT_THAT(report.optionTabs, ElementsAre(4));
    EXPECT_EQ(bodyTexts().front(), "Entered Gears");
}

TEST_F(ResultsReport, TheScoringStepIsFollowedByTheGraphsPageWithinTheCount)
{
    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 3));
    done.add("Scoring and SubShear Inputs", "Scoring and SubShear Inputs", "Scoring", plainTable("s", 3));
    AnalysedChart analysed;
    analysed.attachTo(report);
    outputs.PrintDocument(true);
    ASSERT_EQ(document().pageCount(), 2);
    EXPECT_TRUE(find(0, "Page 1 of 2"));
    EXPECT_TRUE(find(1, "Page 2 of 2"));
    EXPECT_TRUE(find(1, "Cindrel results: Bevel pair"));
}

TEST_F(ResultsReport, PrintingAsksForThePrinterAndACancelChangesNothing)
{
    done.add("Main Inputs", "Main Inputs", "MainInputs", plainTable("k", 3));
    report.info = {};
    outputs.PrintDocument(true);
    const auto before = bodyTexts();
    report.questions.clear();
    done.add("Tooth Thickness", "Tooth Thickness", "ToothThickness", plainTable("t", 3));

    report.cancelPrinter = true;
    EXPECT_EQ(outputs.PrintDocument(false), 0);
    EXPECT_EQ(report.printerDialogs, 1);
    EXPECT_THAT(report.questions, IsEmpty());
    EXPECT_EQ(bodyTexts(), before);
    EXPECT_THAT(kept.printed, IsEmpty());

    report.cancelPrinter = false;
    outputs.PrintDocument(false);
    EXPECT_THAT(kept.printed, ElementsAre(1));
    EXPECT_THAT(kept.printers, ElementsAre("Office"));
    EXPECT_EQ(count("Tooth Thickness"), 1);

    // A printer that cannot be reached is told to the user, with the reason; the run log has it besides.
    kept.fail = true;
    dialogs.answerMessageBox(dialogs::ButtonOK);
    outputs.PrintDocument(false);
    const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The results report was not printed.\r\n\r\nPrinter error: Office is not available");
    EXPECT_EQ(boxes[0].icon, dialogs::IconExclamation);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], "clsQXOutput.PrintDocument 482 Printer error: Office is not available");
}

TEST_F(ResultsReport, AFailingRowIsLeftOutAndTheRestOfTheReportStands)
{
    ResultTable table = tableOf({pairRow("a", "1", "1", "first"), pairRow("b", "2", "2", "second"),
                                 pairRow("c", "3", "3", "third")});
    table.set(1, 1, LabelRef{"frmMain", "lblFailing", -1});
    done.add("Main Inputs", "Main Inputs", "MainInputs", std::move(table));
    done.add("Center Distance", "Center Distance", "CenterDistance", std::nullopt);
    done.add("Tooth Thickness", "Tooth Thickness", "ToothThickness", plainTable("t", 1));
    // A path that turns back on itself ends where it began.
    done["Tooth Thickness"].NextState = &done["Main Inputs"];
    outputs.PrintDocument(true);
    EXPECT_EQ(count("a"), 1);
    EXPECT_EQ(count("b"), 0);
    EXPECT_EQ(count("third"), 1);
    EXPECT_EQ(count("Center Distance"), 1) << "a step without a table prints its heading";
    EXPECT_EQ(count("Main Inputs"), 1);
    EXPECT_EQ(count("t0"), 1);
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_THAT(host.notes[0], ::testing::StartsWith("PrintDocument, row: "));
}

TEST_F(ResultsReport, ALongDescriptionWrapsWithinItsColumn)
{
    std::string words;
    for (int word = 0; word < 400; ++word)
        words += "flank ";
    done.add("Main Inputs", "Main Inputs", "MainInputs", tableOf({pairRow("N", "12", "40", words)}));
    outputs.PrintDocument(true);
    int flanks = 0;
    for (int page = 0; page < document().pageCount(); ++page)
        for (const TextItem& item : items(page))
            if (item.text.contains(QStringLiteral("flank"))) {
                flanks += item.text.count(QStringLiteral("flank"));
                const double width = QFontMetricsF(printing::twipsFont(item.style)).horizontalAdvance(item.text);
                // The description column ends where the 8900-twip table does.
                EXPECT_LE(item.baseline.x() + width, 1670 + 8900 - 80 + 1);
                EXPECT_GE(item.baseline.x(), 1670 + 4400 + 80 - 1);
            }
    EXPECT_EQ(flanks, 400);
}

} // namespace
