#include "design_program/model/ReferencePairs.h"
#include "design_program/shell/windows/MainWindowProgram.h"

#include "shell/Clipboard.h"

#include "dialogs/DialogTypes.h"
#include "forms/CommandButton.h"
#include "forms/Forms.h"
#include "grid/Grid.h"
#include "outputs/MfgTableViews.h"
#include "model/T_Gear.h"
#include "printing/PreviewControl.h"
#include "printing/PrinterOutput.h"
#include "runtime/NumberText.h"

#include "support/PdfReader.h"

#include <QPushButton>

#include <gmock/gmock.h>

#include <QWidget>

#include <filesystem>
#include <random>
#include <string>

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class KeptOutput : public printing::PrinterOutput {
public:
    void print(const printing::ReportDocument& document, const dialogs::PrinterChoice&, const QString&) override
    {
        printed.push_back(document.pageCount());
    }
    std::vector<int> printed;
};

// The program with a 20/40 spur pair of diametral pitch 10, the manufacturing window opened from the main window.
class ManufacturingWindow : public MainWindowProgram {
protected:
    void SetUp() override
    {
        MainWindowProgram::SetUp();
        cindrel::model::testing::setUpPair(*startup->Oset(), cindrel::model::testing::spurPairInputs());
        open();
    }
    void open() { on<forms::MenuItem>("mnuMFGOutputs").click(); }
    forms::Form& mfg() { return window("frmMFGOutputs"); }
    template <typename T = forms::Control>
    T& at(const char* name, int index = -1)
    {
        return mfg().get<T>(QString::fromLatin1(name), index);
    }
    forms::TextBox& text(const char* name, int index = -1) { return at<forms::TextBox>(name, index); }
    forms::ComboBox& list(const char* name, int index = -1) { return at<forms::ComboBox>(name, index); }
    void menu(const char* name) { at<forms::MenuItem>(name).click(); }
    cindrel::shell::frmMFGOutputs& object() { return startup->manufacturingWindow(); }
    const cindrel::outputs::T_MFGOutputs::Table& table() { return *startup->gobjMFGOutputs()->MFGArray(); }
    void moveDefaults() { at<forms::CommandButton>("cmdMoveDefaults").click(); }
    bool showing(const char* panel) { return at(panel).visible(); }
    int messages() { return static_cast<int>(dialogs.requestsOf<dialogs::MessageBoxRequest>().size()); }
    // Pictures of what the window shows, for a look beside the test run.
    static std::filesystem::path artefacts()
    {
        const std::filesystem::path folder = std::filesystem::current_path() / "mfg-artefacts";
        std::filesystem::create_directories(folder);
        return folder;
    }
    void snapshot(const char* name)
    {
        QWidget* shown = mfg().clientArea()->window();
        EXPECT_TRUE(shown->grab().save(QString::fromStdString((artefacts() / name).string())));
    }
};

TEST_F(ManufacturingWindow, OpensOnTheEditPanelWithTheDefaultsAndClosesBackToTheMainWindow)
{
    EXPECT_TRUE(mfg().visible());
    EXPECT_FALSE(main().visible());
    EXPECT_EQ(object().ViewState(), 3);
    EXPECT_TRUE(showing("pctData"));
    EXPECT_FALSE(showing("grdMFG"));
    EXPECT_FALSE(showing("prtMFG"));
    cindrel::model::T_Set& pair = *startup->Oset();
    for (int member : {0, 1}) {
        // 0.025 over the normal diametral pitch of 10.
        EXPECT_EQ(text("txtTIFdef", member).text(), "0.0025");
        EXPECT_EQ(text("txtTeethSpanneddef", member).text(),
                  QString::number(pair.member(member).SpanMeasNumbTeethBest()));
        forms::ComboBox& pins = list("cmbPin", member);
        ASSERT_GE(pins.listIndex(), 0);
        EXPECT_DOUBLE_EQ(pins.text().toDouble(), pair.member(member).PinDiamTested());
    }
    EXPECT_EQ(list("cmbDecimalPlacesMFG").text(), "4");
    moveDefaults();
    snapshot("edit-panel.png");

    text("txtMFGNotes").setText(QStringLiteral("kept"));
    menu("mnuExit");
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(mfg().visible());
    EXPECT_EQ(startup->gobjMFGOutputs(), nullptr);
    open();
    EXPECT_NE(startup->gobjMFGOutputs(), nullptr);
    EXPECT_EQ(text("txtMFGNotes").text(), "kept");
    mfg().unload(forms::UnloadReason::FormControlMenu);
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(startup->gobjMFGOutputs(), nullptr);
}

TEST_F(ManufacturingWindow, QualityIsSharedWithTheAgmaWindowByListPosition)
{
    forms::Form& agma = window("frmAGMA");
    auto& kv = agma.get<forms::ComboBox>(QStringLiteral("cmbKV"), 0);
    agma.get<forms::Label>(QStringLiteral("lblComboQuality"), 1).setCaption(QStringLiteral("3"));
    EXPECT_EQ(list("cmbQuality", 1).text(), "8");

    list("cmbQuality", 0).setListIndex(5); // quality 10 is accuracy 7 of the Kv list
    EXPECT_EQ(agma.get<forms::Label>(QStringLiteral("lblComboQuality"), 0).caption(), "5");
    EXPECT_EQ(kv.text(), "Quality = 7");
    list("cmbQuality", 0).setListIndex(9); // 14 has no Kv item
    EXPECT_EQ(kv.text(), "Quality = 7");

    on<forms::CheckBox>("chkAGMA").setCheckValue(1);
    mfg().onActivate();
    EXPECT_FALSE(list("cmbQuality", 0).enabled());
    on<forms::CheckBox>("chkAGMA").setCheckValue(0);
    mfg().onActivate();
    EXPECT_TRUE(list("cmbQuality", 1).enabled());
}

TEST_F(ManufacturingWindow, HelixHandsStayOppositeAndDefaultsMoveOneByOneOrTogether)
{
    list("cmbHelixHand", 0).setListIndex(1);
    EXPECT_EQ(list("cmbHelixHand", 0).text(), "Left");
    EXPECT_EQ(list("cmbHelixHand", 1).text(), "Right");
    EXPECT_EQ(at<forms::Label>("lblHelixHandPinion").caption(), "1");
    list("cmbHelixHand", 1).setListIndex(1);
    EXPECT_EQ(list("cmbHelixHand", 0).text(), "Left");
    list("cmbHelixHand", 1).setListIndex(0);
    EXPECT_EQ(list("cmbHelixHand", 0).text(), "Right");
    EXPECT_EQ(at<forms::Label>("lblHelixHandPinion").caption(), "0");

    text("txtTIF", 1).setText(QString());
    text("txtTIFdef", 1).onDblClick();
    EXPECT_EQ(text("txtTIF", 1).text(), "0.0025");
    EXPECT_EQ(text("txtTIF", 0).text(), "");
    moveDefaults();
    for (int member : {0, 1}) {
        EXPECT_EQ(text("txtTIF", member).text(), "0.0025");
        EXPECT_EQ(text("txtPinDiam", member).text(), list("cmbPin", member).text());
        EXPECT_EQ(text("txtTeethSpanned", member).text(), text("txtTeethSpanneddef", member).text());
    }

    at<forms::CheckBox>("chkUseMFGNotes").setCheckValue(0);
    EXPECT_FALSE(text("txtMFGNotes").visible());
    mfg().setHeight(4000);
    at<forms::CheckBox>("chkUseMFGNotes").setCheckValue(1);
    EXPECT_TRUE(text("txtMFGNotes").visible());
    EXPECT_EQ(mfg().height(), 5900);
}

TEST_F(ManufacturingWindow, TheGridShowsTheTableWithSizedColumnsAndTheCopyIsHeaded)
{
    moveDefaults();
    list("cmbDecimalPlacesMFG").setListIndex(2);
    EXPECT_EQ(at<forms::Label>("lblDecimalPlacesMFG").caption(), "3");
    list("cmbQuality", 0).setListIndex(5);
    list("cmbQuality", 1).setListIndex(4);
    menu("mnuViewGrid");
    EXPECT_EQ(object().ViewState(), 1);
    EXPECT_FALSE(showing("pctData"));
    auto& grid = at<grid::Grid>("grdMFG");
    ASSERT_TRUE(grid.visible());
    ASSERT_EQ(grid.rowCount(), 48);
    EXPECT_EQ(grid.cellText(0, 0), "DESCRIPTION");
    for (int row = 0; row < 46; ++row)
        for (int column = 0; column < 3; ++column)
            ASSERT_EQ(grid.cellText(row + 2, column).toStdString(), table()[row][column]) << row;
    // Figures worked by hand for the 20/40 pair, Pd 10, 20 degrees, three decimals:
    // tip 2 (20/20 + 1/10) = 2.200, base 2 (1.0 cos 20) = 1.879, the gear's 2 (2.0 + 0.1) = 4.200.
    EXPECT_EQ(grid.cellText(2, 0), "Number of teeth ");
    EXPECT_EQ(grid.cellText(2, 2), "40");
    EXPECT_EQ(grid.cellText(4, 1), "10.000");
    EXPECT_TRUE(grid.isRowMerged(3));
    EXPECT_TRUE(grid.isRowMerged(4));
    EXPECT_FALSE(grid.isRowMerged(5));
    EXPECT_EQ(grid.cellText(5, 1), "2.200");
    EXPECT_EQ(grid.cellText(5, 2), "4.200");
    EXPECT_EQ(grid.cellText(22, 1), "1.879");
    EXPECT_EQ(grid.cellText(47, 0), "Quality number ");
    EXPECT_EQ(grid.cellText(47, 1), "10");
    EXPECT_EQ(grid.cellText(47, 2), "9");

    mfg().move(0, 0, 9000, 7000);
    mfg().onResize();
    const double width = grid.width() - (grid.height() < cindrel::outputs::mfg::SumRowHeights(grid) ? 320 : 0);
    EXPECT_EQ(grid.height(), mfg().scaleHeight() - 100);
    EXPECT_NEAR(grid.columnWidth(0), 0.6 * width, 0.5);
    EXPECT_NEAR(grid.columnWidth(1), 0.2 * width, 0.5);
    EXPECT_LT(grid.columnWidth(0) + grid.columnWidth(1) + grid.columnWidth(2), grid.width());

    snapshot("grid.png");
    menu("mnuClip");
    EXPECT_EQ(object().ViewState(), 4);
    EXPECT_TRUE(grid.visible());
    const QString copied = shellservices::clipboardText();
    EXPECT_THAT(copied.toStdString(), StartsWith("Description, Pinion, Gear\r\nNumber of teeth ,20,40\r\n"));
    EXPECT_EQ(copied.count(QStringLiteral("\r\n")), 46);
    EXPECT_FALSE(copied.endsWith(QStringLiteral("\r\n")));
}

TEST_F(ManufacturingWindow, AHelicalPairShowsItsHandsAndMetricPinsAreTypedInMillimetres)
{
    menu("mnuExit");
    cindrel::model::testing::setUpPair(*startup->Oset(), cindrel::model::testing::helicalPairInputs());
    open();
    moveDefaults();
    for (int member : {0, 1})
        text("txtPinDiam", member).setText(QStringLiteral("0.216"));
    list("cmbHelixHand", 1).setListIndex(0);
    list("cmbHelixHand", 0).setListIndex(1);
    menu("mnuViewGrid");
    auto& grid = at<grid::Grid>("grdMFG");
    ASSERT_EQ(grid.rowCount(), 56);
    EXPECT_EQ(grid.cellText(6, 0), "Helix hand");
    EXPECT_EQ(grid.cellText(6, 1), "Left");
    EXPECT_EQ(grid.cellText(6, 2), "Right");
    EXPECT_FALSE(grid.isRowMerged(6));
    // 15 degrees of helix, merged across both members.
    EXPECT_EQ(grid.cellText(5, 1), "15.0000");
    EXPECT_TRUE(grid.isRowMerged(5));
    const std::string overPinsInches = grid.cellText(14, 1).toStdString();

    menu("mnuEditValues");
    on<forms::CheckBox>("chkMetricUnits").setCheckValue(1);
    ASSERT_EQ(startup->units().LengthFactor, 25.4);
    for (int member : {0, 1})
        text("txtPinDiam", member).setText(QStringLiteral("5.4864")); // 0.216 in
    menu("mnuViewGrid");
    EXPECT_EQ(grid.cellText(16, 0), "Pin diameter (mm) ");
    EXPECT_EQ(grid.cellText(16, 1), "5.4864");
    // The same pin over the same teeth: the measurement in millimetres is 25.4 times the one in inches.
    EXPECT_NEAR(grid.cellText(14, 1).toDouble(), 25.4 * std::stod(overPinsInches), 25.4 * 0.00005 + 0.00005);
}

TEST_F(ManufacturingWindow, BadEntriesAreRefusedWithAMessageAndNothingIsApplied)
{
    moveDefaults();
    menu("mnuViewGrid");
    const auto built = table();
    menu("mnuEditValues");
    struct Case {
        const char* box;
        int member;
        const char* typed;
    };
    const Case cases[] = {{"txtPinDiam", 0, "abc"}, {"txtPinDiam", 1, "-0.2"}, {"txtTIF", 1, ""},
                          {"txtTIF", 0, "0.002x"}, {"txtTeethSpanned", 1, "40000"}, {"txtTeethSpanned", 0, "three"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed);
        moveDefaults();
        text(c.box, c.member).setText(QString::fromLatin1(c.typed));
        const int before = messages();
        dialogs.answerMessageBox(dialogs::ButtonOK);
        menu("mnuViewGrid");
        ASSERT_EQ(messages(), before + 1);
        EXPECT_THAT(dialogs.requestsOf<dialogs::MessageBoxRequest>().back().text.toStdString(),
                    HasSubstr(std::string(c.member == 0 ? "pinion" : "gear")));
        EXPECT_EQ(object().ViewState(), 3);
        EXPECT_TRUE(showing("pctData"));
        EXPECT_EQ(text(c.box, c.member).text(), QString::fromLatin1(c.typed));
        EXPECT_EQ(table(), built);
    }
    // Decimal places from a damaged design stay as the list had them.
    moveDefaults();
    at<forms::Label>("lblDecimalPlacesMFG").setCaption(QStringLiteral("12"));
    EXPECT_EQ(list("cmbDecimalPlacesMFG").text(), "4");
    at<forms::Label>("lblDecimalPlacesMFG").setCaption(QStringLiteral("2"));
    EXPECT_EQ(list("cmbDecimalPlacesMFG").text(), "2");
    menu("mnuViewGrid");
    EXPECT_EQ(object().ViewState(), 1);
    EXPECT_EQ(table()[2][1], "10.00");
}

TEST_F(ManufacturingWindow, RandomEntriesGiveATableOrAMessageAndTheWindowStaysUsable)
{
    std::mt19937 random(20261210);
    const std::vector<QString> pieces = {"", "0", "-1", "0.158", "3", "1e308", "1e-300", "abc", ".", "-", "2.5.1",
                                         "  4  ", "1,5", "nan", "inf", "&H10", "99999999999", "0.0025"};
    // Mostly sound values, so that both outcomes come up.
    const auto pick = [&](const QString& sound) {
        switch (random() % 8) {
        case 0: return pieces[random() % pieces.size()] + pieces[random() % pieces.size()];
        case 1: return pieces[random() % pieces.size()];
        default: return sound;
        }
    };
    int built = 0;
    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    for (int round = 0; round < 150; ++round) {
        for (int member : {0, 1}) {
            text("txtTIF", member).setText(pick(QStringLiteral("0.0025")));
            text("txtPinDiam", member).setText(pick(QStringLiteral("0.158")));
            text("txtTeethSpanned", member).setText(pick(QStringLiteral("3")));
        }
        list("cmbQuality", round % 2).setListIndex(static_cast<int>(random() % 12) - 1);
        list("cmbDecimalPlacesMFG").setListIndex(static_cast<int>(random() % 7));
        const int before = messages();
        menu(round % 3 == 0 ? "mnuPrintPreview" : "mnuViewGrid");
        const bool refused = messages() > before;
        built += refused ? 0 : 1;
        EXPECT_EQ(object().ViewState(), refused ? 3 : round % 3 == 0 ? 2 : 1) << round;
        menu("mnuEditValues");
    }
    EXPECT_GT(built, 10);
    EXPECT_LT(built, 140);
    moveDefaults();
    menu("mnuViewGrid");
    EXPECT_EQ(object().ViewState(), 1);
    EXPECT_EQ(at<grid::Grid>("grdMFG").rowCount(), 48);
}

TEST_F(ManufacturingWindow, PrintPreviewShowsTheShopSheetAndPrintGoesToThePrinter)
{
    moveDefaults();
    at<forms::CheckBox>("chkUseMFGNotes").setCheckValue(1);
    text("txtMFGNotes").setText(QStringLiteral("Grind after heat treat, see \"Q7\".\r\nBreak all edges."));
    menu("mnuPrintPreview");
    EXPECT_EQ(object().ViewState(), 2);
    auto& print = at<printing::PreviewControl>("prtMFG");
    EXPECT_TRUE(print.visible());
    EXPECT_EQ(mfg().window()->focusWidget(), &print.preview()) << "the page takes the keys at once";
    EXPECT_FALSE(showing("pctData"));
    const printing::ReportDocument& document = print.document();
    ASSERT_GE(document.pageCount(), 1);
    QStringList all;
    for (int page = 0; page < document.pageCount(); ++page)
        all += document.pageTexts(page);
    EXPECT_TRUE(all.contains(QStringLiteral("NOTES:")));
    EXPECT_TRUE(all.contains(QStringLiteral("Quality number")));
    EXPECT_EQ(all.count(QStringLiteral("Description")), 1);
    for (const auto& row : table())
        EXPECT_TRUE(all.contains(QString::fromStdString(row[0]).trimmed())) << row[0];

    snapshot("print-preview.png");
    for (int page = 0; page < document.pageCount(); ++page) {
        const QImage image = printing::pageImage(document, page, 96);
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(QString::fromStdString((artefacts() / ("spur-page-" + std::to_string(page + 1) + ".png")).string())));
    }

    KeptOutput kept;
    printing::ScopedPrinterOutput scope(kept);
    dialogs.cancelPrinter();
    menu("mnuPrint");
    EXPECT_TRUE(kept.printed.empty());
    dialogs.answerPrinter({});
    menu("mnuPrint");
    EXPECT_EQ(kept.printed.size(), 1u);
}

// The sheet runs over more than one page: every row is on one of them, the
// preview steps through them all, and the PDF printer writes them all.
TEST_F(ManufacturingWindow, EveryRowPrintsAndPreviewsPageByPage)
{
    moveDefaults();
    menu("mnuPrintPreview");
    auto& print = at<printing::PreviewControl>("prtMFG");
    const printing::ReportDocument& document = print.document();
    const int pages = document.pageCount();
    ASSERT_GE(pages, 2) << "the spur sheet does not fit on one page";
    // Each row of the table on exactly one page, in the table's order.
    int page = 0;
    for (const auto& row : table()) {
        const QString description = QString::fromStdString(row[0]).trimmed();
        while (page < pages && !document.pageTexts(page).contains(description))
            ++page;
        ASSERT_LT(page, pages) << row[0] << " is on no page, or out of order";
    }
    const auto onLastPage = document.pageTexts(pages - 1);
    EXPECT_TRUE(onLastPage.contains(QStringLiteral("Quality number")));

    ASSERT_TRUE(print.navigationShown());
    EXPECT_TRUE(print.preview().isVisible());
    EXPECT_EQ(print.previewPage(), 1);
    EXPECT_EQ(print.pageText(), QStringLiteral("Page 1 of %1").arg(pages));
    EXPECT_FALSE(print.previousPageButton().isEnabled());
    for (int shown = 2; shown <= pages; ++shown) {
        ASSERT_TRUE(print.nextPageButton().isEnabled());
        print.nextPageButton().click();
        EXPECT_EQ(print.previewPage(), shown);
    }
    EXPECT_FALSE(print.nextPageButton().isEnabled());
    snapshot("print-preview-last-page.png");
    // A new printout opens on its first page.
    menu("mnuPrintPreview");
    EXPECT_EQ(print.previewPage(), 1);

    const QString pdf = QString::fromLatin1(dialogs::PdfPrinterName);
    dialogs.answerPrinter({.printerName = pdf});
    dialogs.answerFile(QString::fromStdString(folder.file("shop sheet").string()));
    menu("mnuPrint");
    const testsupport::PdfContents read = testsupport::readPdf(QString::fromStdString(folder.file("shop sheet.pdf").string()));
    ASSERT_EQ(read.pages, pages) << read.error.toStdString();
    EXPECT_TRUE(read.pageTexts.front().contains(QStringLiteral("Cindrel manufacturing outputs")));
    EXPECT_TRUE(read.pageTexts.back().contains(QStringLiteral("Quality number")));
    EXPECT_EQ(messages(), 0);
}

// A print that fails says so, and why, in a box; the run log may be off.
TEST_F(ManufacturingWindow, AFailedPrintIsShownWithItsReason)
{
    moveDefaults();
    // A table that cannot be built: the reason is in the box, not only in the run log.
    startup->Oset()->oPinion->aaNumberOfTeeth(0);
    dialogs.answerMessageBox(dialogs::ButtonOK);
    menu("mnuPrint");
    ASSERT_EQ(messages(), 1);
    const QString notBuilt = dialogs.requestsOf<dialogs::MessageBoxRequest>()[0].text;
    EXPECT_TRUE(notBuilt.contains(QStringLiteral("previous table is kept.\r\n\r\nDivision by zero"))) << notBuilt.toStdString();
    EXPECT_FALSE(notBuilt.contains(QStringLiteral("run log"), Qt::CaseInsensitive));
    startup->Oset()->oPinion->aaNumberOfTeeth(20);

    const QString unwritable = QString::fromStdString(folder.file("gone/sheet.pdf").string());
    dialogs.answerPrinter({.printerName = QString::fromLatin1(dialogs::PdfPrinterName), .pdfFile = unwritable});
    dialogs.answerMessageBox(dialogs::ButtonOK);
    menu("mnuPrint");
    const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.startsWith(QStringLiteral("The manufacturing sheet was not printed.\r\n\r\n")));
    EXPECT_TRUE(boxes[1].text.contains(unwritable)) << boxes[1].text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(folder.file("gone")));
}

TEST_F(ManufacturingWindow, ASavedDesignKeepsTheTenControls)
{
    text("txtTIF", 0).setText(QStringLiteral("0.003"));
    text("txtTIF", 1).setText(QStringLiteral("0.004"));
    text("txtPinDiam", 0).setText(QStringLiteral("0.1728"));
    text("txtPinDiam", 1).setText(QStringLiteral("0.192"));
    text("txtTeethSpanned", 0).setText(QStringLiteral("3"));
    text("txtTeethSpanned", 1).setText(QStringLiteral("5"));
    text("txtMFGNotes").setText(QStringLiteral("Shot peen \"roots\""));
    at<forms::CheckBox>("chkUseMFGNotes").setCheckValue(1);
    list("cmbHelixHand", 0).setListIndex(1);
    list("cmbDecimalPlacesMFG").setListIndex(5);
    const auto path = folder.file("mfg.cnd");
    dialogs.answerFile(QString::fromStdString(path.string()));
    ASSERT_TRUE(startup->gobjColData()->FileSaveAs());

    for (const char* box : {"txtTIF", "txtPinDiam", "txtTeethSpanned"})
        for (int member : {0, 1})
            text(box, member).setText(QStringLiteral("9"));
    text("txtMFGNotes").setText(QString());
    at<forms::CheckBox>("chkUseMFGNotes").setCheckValue(0);
    list("cmbHelixHand", 0).setListIndex(0);
    list("cmbDecimalPlacesMFG").setListIndex(1);
    dialogs.answerEveryMessageBox(dialogs::ButtonNo);
    ASSERT_TRUE(startup->gobjColData()->FileOpen(path.string()));

    EXPECT_EQ(text("txtTIF", 0).text(), "0.003");
    EXPECT_EQ(text("txtTIF", 1).text(), "0.004");
    EXPECT_EQ(text("txtPinDiam", 0).text(), "0.1728");
    EXPECT_EQ(text("txtPinDiam", 1).text(), "0.192");
    EXPECT_EQ(text("txtTeethSpanned", 0).text(), "3");
    EXPECT_EQ(text("txtTeethSpanned", 1).text(), "5");
    EXPECT_EQ(text("txtMFGNotes").text(), "Shot peen \"roots\"");
    EXPECT_EQ(at<forms::CheckBox>("chkUseMFGNotes").checkValue(), 1);
    EXPECT_EQ(list("cmbHelixHand", 0).text(), "Left");
    EXPECT_EQ(list("cmbHelixHand", 1).text(), "Right");
    EXPECT_EQ(list("cmbDecimalPlacesMFG").text(), "6");
}

} // namespace
