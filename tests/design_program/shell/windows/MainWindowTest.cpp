#include "MainWindowProgram.h"

#include "shell/ShellWindows.h"
#include "shell/frmMain.h"

#include "dialogs/DialogTypes.h"
#include "forms/CommandButton.h"
#include "shell/Clipboard.h"
#include "design_program/model/ReferencePairs.h"
#include "forms/TabStrip.h"
#include "resources/windows/MainWindowLayout.h"

#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <map>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using MainWindow = MainWindowProgram;

// The design-file keys of a window's saved controls as the collection rule
// builds them: a second array member re-keys the first to "#index".
std::vector<std::string> collectedKeys(forms::Form& form)
{
    std::vector<std::string> keys;
    std::map<std::string, std::pair<std::size_t, int>> bare; // bare key -> position, index
    for (forms::Control* control : form.savedControls()) {
        const std::string key = form.name().toStdString() + "_" + control->name().toStdString();
        if (auto held = bare.find(key); held != bare.end() && control->isArrayMember()) {
            keys[held->second.first] = key + "#" + std::to_string(held->second.second);
            keys.push_back(key + "#" + std::to_string(control->index()));
        } else {
            bare[key] = {keys.size(), control->index()};
            keys.push_back(key);
        }
    }
    return keys;
}

TEST_F(MainWindow, SavedControlsAreCreatedInTheReverseOfTheDesignFileOrder)
{
    std::vector<std::string> written = collectedKeys(main());
    std::reverse(written.begin(), written.end());
    ASSERT_EQ(written.size(), 114u);
    EXPECT_EQ(written.front(), "frmMain_lblRunNotes");
    EXPECT_EQ(written[5], "frmMain_txtPARad");
    EXPECT_EQ(written[6], "frmMain_txtNumTeeth#0");
    EXPECT_EQ(written[9], "frmMain_txtNumTeeth#1");
    EXPECT_EQ(written[89], "frmMain_txtKv");
    EXPECT_EQ(written[92], "frmMain_txtKB#1");
    EXPECT_EQ(written.back(), "frmMain_txtSafetyFactorSS");
    const std::span<const char* const> fileOrder = cindrel::layouts::frmMainSavedKeys();
    EXPECT_TRUE(std::equal(written.begin(), written.end(), fileOrder.begin(), fileOrder.end()));
    for (forms::Control* control : main().savedControls())
        EXPECT_TRUE(control->kind() == forms::ControlKind::TextBox || control->kind() == forms::ControlKind::Label ||
                    control->kind() == forms::ControlKind::CheckBox)
            << control->displayName().toStdString();
}

TEST_F(MainWindow, TheTabOrderFollowsThePanelsNotTheFileOrder)
{
    // Within the first panel the teeth come before the face widths and the pitch last.
    EXPECT_LT(on("txtNumTeeth", 0).tabIndex(), on("txtNumTeeth", 1).tabIndex());
    EXPECT_LT(on("txtNumTeeth", 1).tabIndex(), on("txtFaceWidth", 0).tabIndex());
    EXPECT_LT(on("txtFaceWidth", 1).tabIndex(), on("txtDP").tabIndex());
    EXPECT_LT(on("txtMinTThk", 0).tabIndex(), on("txtMaxTThk", 0).tabIndex());
}

TEST_F(MainWindow, LoadingKeepsTheFixedSizeAndShowsTheFirstPanel)
{
    EXPECT_EQ(main().caption(), "Cindrel");
    EXPECT_TRUE(shown("picStates", 0));
    for (int panel = 0; panel <= 10; ++panel) {
        EXPECT_EQ(on("picStates", panel).left(), 0);
        EXPECT_EQ(on("picStates", panel).top(), 0);
        EXPECT_EQ(on("picStates", panel).width(), on("picStates", 0).width());
        EXPECT_EQ(on("picStates", panel).height(), on("picStates", 3).height());
        EXPECT_FALSE(shown("lblStateName", panel));
        if (panel > 0) {
            EXPECT_FALSE(shown("picStates", panel));
        }
    }
    EXPECT_EQ(label("lblDrop", 0).caption(), cindrel::shell::disclaimerText());
    EXPECT_EQ(caption("lblDrop", 1), "Cindrel");
    const std::vector<std::string> lines = runLogLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return std::regex_search(line, std::regex("^\\d+, resizing: frmMain, \\d+, \\d+$"));
    })) << "the window's resizing is logged";
}

TEST_F(MainWindow, PanelsCarryTheirTitlesUnitsAndTooltips)
{
    const std::pair<int, const char*> titles[] = {{1, "Basic Gear Set"},
                                                  {2, "Center Distance"},
                                                  {3, "Tooth Thickness"},
                                                  {4, "Addendum, Dedendum, and Fillet Form"},
                                                  {5, "Hob Tool Data - Pinion"},
                                                  {6, "Hob Tool Data - Gear"},
                                                  {8, "AGMA Factors"},
                                                  {9, "Scoring && Subshear Inputs"}};
    for (const auto& [panel, title] : titles)
        EXPECT_EQ(caption("lblTitle", panel), title);
    EXPECT_EQ(on("picStates", 7).helpContextId(), 6000);
    EXPECT_EQ(on("txtFaceWidth", 0).toolTipText(), "Input the face width of the Pinion");
    EXPECT_EQ(on("cmdDefaultHob", 0).toolTipText(),
              "Hob thichness = half normal standard circular pitch then rackshifted to reflect gear tooth thickness, "
              "addendum matches root radius.");
    // Every length unit follows the unit system; the viscosity's stays.
    for (int unit : main().arrayIndexes(QStringLiteral("lblLengthUnits")))
        EXPECT_EQ(caption("lblLengthUnits", unit), "(in) ") << unit;
    EXPECT_EQ(caption("lblSSUUnits", 0), "(SSU)");
    EXPECT_EQ(caption("lblGearPitch"), "Diametral Pitch");
    EXPECT_EQ(caption("lblHobNormalVsActual", 0), "0") << "the default design's hobs are normalised";
    EXPECT_EQ(caption("lblMaterial", 1), "unknown material");
    EXPECT_EQ(caption("lblGearLife", 2), "Gear set hours");
    EXPECT_FALSE(shown("txtRackShift", 0));
    EXPECT_FALSE(on("txtRackShift", 1).enabled());
    EXPECT_TRUE(box("txtRackShift", 0).text().isEmpty());
    EXPECT_FALSE(shown("fraAGMA_HPs"));
    EXPECT_EQ(on<forms::CheckBox>("chkCircularTThk", 1).checkValue(), 1);
    EXPECT_EQ(box("txtHelixAngleDMS", 2).maxLength(), 2);
}

TEST_F(MainWindow, MenusCarryTheirCaptionsShortcutsAndStates)
{
    const std::tuple<const char*, const char*, const char*, bool> items[] = {
        {"mnuNew", "&New", "Ctrl+N", true},
        {"mnuFileOpen", "&Open...", "", true},
        {"mnuFileSave", "&Save Gear Set", "Ctrl+S", true},
        {"mnuFileExit", "E&xit", "Ctrl+Q", true},
        {"mnuFilePrintDotDotDot", "Pr&int ...", "", false},
        {"mnuWindowRunningTotals", "&Outputs", "Ctrl+O", true},
        {"mnuWindowNotes", "&Notes", "Ctrl+A", true},
        {"mnuHelpContents", "&Launch help file", "F1", true},
        {"mnuHelpWhatsThis", "&What's This?", "Shift+F1", false},
        {"mnuCopyGraph", "Copy Graph to Clipboard", "", false},
        {"mnuDraw", "&Draw", "", false},
        {"mnuMFGOutputs", "&Manufacturing outputs", "", false}};
    for (const auto& [name, text, keys, visible] : items) {
        auto& item = on<forms::MenuItem>(name);
        EXPECT_EQ(item.caption(), text);
        EXPECT_EQ(item.shortcut(), QKeySequence(QString::fromLatin1(keys))) << name;
        EXPECT_EQ(item.visible(), visible) << name;
    }
    EXPECT_EQ(on<forms::MenuItem>("mnuGraphCopyJPG").caption(),
              QStringLiteral("Save graph as jpeg to \"%1\"").arg(cindrel::shell::graphImagePath()));
}

TEST_F(MainWindow, TheLastKeyTypedIntoAnyBoxIsKept)
{
    EXPECT_EQ(startup->KeyState(), 0);
    main().show();
    QTest::keyClick(box("txtNumTeeth", 0).widget(), Qt::Key_J);
    EXPECT_EQ(startup->KeyState(), 'J');
    QTest::keyClick(box("txtNumTeeth", 0).widget(), Qt::Key_5);
    EXPECT_EQ(startup->KeyState(), '5');
}

TEST_F(MainWindow, ADroppedFileIsOpenedAndOnlyItsFirstFile)
{
    const auto first = folder.file("first.cnd");
    const auto second = folder.file("second.cnd");
    std::ofstream(first, std::ios::binary) << "\"frmMain_txtDP\",\"12\"\r\n";
    std::ofstream(second, std::ios::binary) << "\"frmMain_txtDP\",\"7\"\r\n";
    dialogs.answerEveryMessageBox(dialogs::ButtonNo);
    label("lblDrop", 0).onFilesDropped({QString::fromStdString(first.string()), QString::fromStdString(second.string())});
    EXPECT_EQ(box("txtDP").text(), "12");
    on("picStates", 3).onFilesDropped({QString::fromStdString(second.string())});
    EXPECT_EQ(box("txtDP").text(), "7");
    main().onFilesDropped({});
    EXPECT_EQ(box("txtDP").text(), "7") << "a drop without files does nothing";
}

TEST_F(MainWindow, ExitEndsTheProgramWhenNothingChanged)
{
    on<forms::MenuItem>("mnuFileExit").click();
    EXPECT_THAT(exitCodes, ElementsAre(0));
    EXPECT_THAT(dialogs.requests(), IsEmpty());
}

TEST_F(MainWindow, AFailedStartOfTheDrawingProgramIsToldWithItsPath)
{
    dialogs.answerMessageBox(dialogs::ButtonOK);
    on<forms::MenuItem>("mnuLaunchVT").click();
    const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.toStdString(),
              "Error in sub mnuLaunchVT\r\nerror #53, File not found\r\n" + (programFolder() / "vantrope").string());
}

TEST_F(MainWindow, TheGraphIsCopiedAsBitmapAndVectorAndSavedAsJpeg)
{
    auto& chart = on<forms::Control>("Chart2D1");
    cindrel::shell::copyGraphAsBitmap(chart);
    EXPECT_FALSE(shellservices::clipboardImage().isNull());
    cindrel::shell::copyGraphAsMetafile(chart);
    EXPECT_TRUE(shellservices::clipboardData(QStringLiteral("image/svg+xml")).contains("<svg"));
    const auto image = folder.file("graph.jpg");
    EXPECT_TRUE(cindrel::shell::saveGraphAsJpeg(chart, QString::fromStdString(image.string())));
    EXPECT_FALSE(QImage(QString::fromStdString(image.string())).isNull());
    EXPECT_FALSE(cindrel::shell::saveGraphAsJpeg(chart, QString::fromStdString(folder.file("missing/graph.jpg").string())));
}

TEST_F(MainWindow, ManufacturingOutputsOpenOnTheMainWindowsPlaceAndGiveItBackWhenClosed)
{
    cindrel::model::testing::setUpPair(*startup->Oset(), cindrel::model::testing::spurPairInputs());
    main().move(900, 600);
    on<forms::MenuItem>("mnuMFGOutputs").click();
    forms::Form& manufacturing = window("frmMFGOutputs");
    EXPECT_TRUE(manufacturing.visible());
    EXPECT_FALSE(main().visible());
    EXPECT_EQ(manufacturing.left(), 900);
    EXPECT_EQ(manufacturing.top(), 600);
    EXPECT_NE(startup->gobjMFGOutputs(), nullptr);
    // The allowance is 0.025 over the normal diametral pitch of 10.
    for (int member : {0, 1}) {
        EXPECT_EQ(manufacturing.get<forms::TextBox>(QStringLiteral("txtTIFdef"), member).text(), "0.0025");
        EXPECT_EQ(manufacturing.get<forms::TextBox>(QStringLiteral("txtTeethSpanneddef"), member).text(),
                  QString::number(startup->Oset()->member(member).SpanMeasNumbTeethBest()));
    }
    manufacturing.unload(forms::UnloadReason::FormControlMenu);
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(manufacturing.visible());
    EXPECT_EQ(startup->gobjMFGOutputs(), nullptr);
}

TEST_F(MainWindow, PreferencesOpenTheOptionsDialogOnTheAskedTab)
{
    forms::Form& options = window("frmOptions");
    int shownOnTab = -1;
    bool shownModal = false;
    QTimer::singleShot(0, [&] {
        shownModal = options.visible();
        shownOnTab = options.get<forms::TabStrip>(QStringLiteral("tabOptions")).selectedTab();
        options.hide();
    });
    cindrel::shell::ShowOptionsPreferences(*startup, 4);
    EXPECT_TRUE(shownModal);
    EXPECT_EQ(shownOnTab, 4);
}

// The main window with a change the user made: leaving asks to save it.
class ChangedDesign : public MainWindowProgram {
protected:
    void SetUp() override
    {
        MainWindowProgram::SetUp();
        box("txtDP").setText(QStringLiteral("7"));
        ASSERT_TRUE(startup->gobjColData()->DataChanged());
    }
};

TEST_F(ChangedDesign, ExitGoesOnOnlyWhenNothingIsLost)
{
    // Yes saves the default design under a new name: cancelling that dialog keeps the program.
    dialogs.answerMessageBox(dialogs::ButtonCancel);
    dialogs.answerMessageBox(dialogs::ButtonYes);
    dialogs.cancelFile();
    for (int attempt = 0; attempt < 2; ++attempt)
        on<forms::MenuItem>("mnuFileExit").click();
    EXPECT_THAT(exitCodes, IsEmpty());
    EXPECT_EQ(box("txtDP").text(), "7");
    const auto asked = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, "The data has changed, save?");
    EXPECT_EQ(asked[0].title, "Cindrel, Save?");
    EXPECT_EQ(asked[0].buttonSet, dialogs::YesNoCancel);

    dialogs.answerMessageBox(dialogs::ButtonNo);
    on<forms::MenuItem>("mnuFileExit").click();
    EXPECT_THAT(exitCodes, ElementsAre(0));
}

TEST_F(ChangedDesign, ClosingStoresThePlaceEvenWhenCancelled)
{
    main().move(1500, 900);
    dialogs.answerMessageBox(dialogs::ButtonCancel);
    EXPECT_FALSE(main().unload(forms::UnloadReason::FormControlMenu));
    EXPECT_TRUE(main().isLoaded());
    EXPECT_THAT(exitCodes, IsEmpty());
    EXPECT_EQ(startup->gobjRegisty()->GetWindowPosition("frmMain", {}).left, 1500);
    const auto asked = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "The data has changed, do you want to save before exit?");
    EXPECT_EQ(asked[0].title, "Cindrel, Save file before exit?");

    dialogs.answerMessageBox(dialogs::ButtonNo);
    EXPECT_TRUE(main().unload(forms::UnloadReason::FormControlMenu));
    EXPECT_THAT(exitCodes, ElementsAre(0));
}

} // namespace
