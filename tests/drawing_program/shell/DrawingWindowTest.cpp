#include "ShellFixture.h"
#include "shell/frmSettings.h"

#include "support/TemporaryFolder.h"

#include "forms/PictureBox.h"
#include "runtime/RuntimeError.h"

#include <QCursor>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace vantropetest;

namespace {

const QColor PinionGreen(0, 128, 0), GearBlue(0, 0, 255), PinionToolBrown(113, 46, 44), GearToolPurple(128, 0, 128),
    LineOfActionCyan(0, 200, 200);

struct DrawingWindow : ShellTest {
    DrawingWindow() : ShellTest(false) {}
};

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(DrawingWindow, StartsStandaloneWithItsMenusAndNothingDrawn)
{
    forms::Form& window = gears().form();
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.caption(), "Vantrope");
    struct Item {
        const char* name;
        int index;
        const char* caption;
        bool visible;
        bool checked;
    } items[] = {
        {"mnuFile", -1, "&File", true, false},
        {"mnuOpen", -1, "&Open", true, false},
        {"mnuSave", -1, "&Save", true, false},
        {"mnuSettings", -1, "&Settings", true, false},
        {"mnuOutputTop", -1, "&Output", true, false},
        {"mnuDXF", -1, "Make &DXF file", true, false},
        {"mnuText", -1, "Make &Text file", true, false},
        {"mnuPrintSize", -1, "&Fix Drawing and Printer Ratio", true, true},
        {"mnuPrint", -1, "&Print drawing", true, false},
        {"mnuMeshMain", -1, "&Mesh", false, false},
        {"mnuMesh", 0, "Pinion Tool and Pinion", true, false},
        {"mnuMesh", 1, "Pinion and Gear", true, true},
        {"mnuMesh", 2, "Gear and Gear Tool", true, false},
        {"mnuLOA", -1, "&LOA", true, false},
        {"mnuToggleLOA", -1, "Toggle LOA side", true, false},
        {"mnuHelpTop", -1, "&Help", true, false},
        {"mnuHelp", -1, "Help file", true, false},
        {"mnuAbout", -1, "About", true, false},
        {"mnuTime", -1, "*", true, false},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.name);
        forms::MenuItem& m = menu(item.name, item.index);
        EXPECT_EQ(m.caption(), item.caption);
        EXPECT_EQ(m.visible(), item.visible);
        EXPECT_EQ(m.checked(), item.checked);
    }
    // The design client area of 4575 x 5970 twips.
    EXPECT_EQ(gears().clientWidth(), 305);
    EXPECT_EQ(gears().clientHeight(), 398);
    EXPECT_FALSE(inputs().isLoaded());
    EXPECT_EQ(startup->OinputSource, nullptr);
}

TEST_F(DrawingWindow, FirstClickShowsTheInputsDialogAndDrawsThePinionAndGear)
{
    firstClick();
    EXPECT_EQ(startup->OinputSource, &inputs());
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(dialog().caption(), "Vantrope Inputs");
    EXPECT_TRUE(meshButton(1).isSelected());
    EXPECT_EQ(caption("lblWhichMesh"), "1");
    EXPECT_EQ(inputs().CurrentMesh(), 1);
    EXPECT_EQ(&startup->OmeshMaster->ActiveMesh(), startup->OmeshMaster->OmeshPiniGear.get());

    QImage image = gears().drawing();
    saveArtefact(image, "standalone-pinion-and-gear.png");
    EXPECT_GT(count(image, PinionGreen), 300);
    EXPECT_GT(count(image, GearBlue), 300);
    EXPECT_GT(count(image, LineOfActionCyan), 20);
    EXPECT_EQ(startup->messages().text(), "");
}

TEST_F(DrawingWindow, DraggingDownWithTheRightButtonZoomsOutOnTheWholePair)
{
    firstClick();
    startup->run.DebugMode = false;
    const double zoom = startup->OmeshMaster->ActiveMesh().zoom();
    // Press at y 100 and release at 348 in a height of 398: the zoom falls by 50 / 298.
    startup->OmeshMaster->MouseDown(2, 0, 150, 100);
    startup->OmeshMaster->MouseUp(2, 0, 150, 348);
    startup->OmeshMaster->Click();
    EXPECT_NEAR(startup->OmeshMaster->ActiveMesh().zoom(), zoom * 50 / 298, 1e-9);
    QImage image = gears().drawing();
    saveArtefact(image, "pinion-and-gear-overview.png");
    EXPECT_GT(count(image, PinionGreen), 100);
    EXPECT_GT(count(image, GearBlue), 100);
}

TEST_F(DrawingWindow, MeshMenuChoosesDrawsAndMarksTheMesh)
{
    firstClick();
    struct Case {
        int index;
        QColor first, second;
        const char* file;
    } cases[] = {
        {0, PinionToolBrown, PinionGreen, "mesh0-pinion-tool-and-pinion.png"},
        {2, GearBlue, GearToolPurple, "mesh2-gear-and-gear-tool.png"},
        {1, PinionGreen, GearBlue, "mesh1-pinion-and-gear.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        menu("mnuMesh", c.index).click();
        settle();
        for (int j = 0; j <= 2; ++j)
            EXPECT_EQ(menu("mnuMesh", j).checked(), j == c.index);
        EXPECT_EQ(&startup->OmeshMaster->ActiveMesh(), startup->OmeshMaster->mesh(c.index));
        QImage image = gears().drawing();
        saveArtefact(image, c.file);
        EXPECT_GT(count(image, c.first), 100);
        EXPECT_GT(count(image, c.second), 100);
    }
    EXPECT_EQ(startup->messages().text(), "");
}

TEST_F(DrawingWindow, ToggleLoaSideFlipsItsMarkAndTheSideDrawn)
{
    firstClick();
    const QImage before = gears().drawing();
    menu("mnuToggleLOA").click();
    EXPECT_TRUE(menu("mnuToggleLOA").checked());
    EXPECT_TRUE(startup->run.LoaOtherSide);
    const QImage after = gears().drawing();
    saveArtefact(after, "line-of-action-other-side.png");
    EXPECT_NE(before, after);
    // The line of action is mirrored about the line of centres (the middle row).
    EXPECT_NEAR(count(after, LineOfActionCyan), count(before, LineOfActionCyan), 4);
    menu("mnuToggleLOA").click();
    EXPECT_FALSE(startup->run.LoaOtherSide);
    EXPECT_EQ(gears().drawing(), before);
}

TEST_F(DrawingWindow, InternalGearDrawing)
{
    firstClick();
    check("chkIntExt").setCheckValue(0);
    box("txtN", 3).setText("40");
    box("txtAdd", 3).setText("0.8");
    box("txtDCO", 1).setText("0");
    inputs().RedrawActiveMesh();
    QImage image = gears().drawing();
    saveArtefact(image, "pinion-in-internal-gear.png");
    EXPECT_TRUE(startup->OmeshMaster->Ogear->Internal());
    EXPECT_GT(count(image, GearBlue), 100);
    EXPECT_GT(count(image, PinionGreen), 100);
    EXPECT_EQ(startup->messages().text(), "");
}

TEST_F(DrawingWindow, MenuCommandsCallTheirServices)
{
    firstClick();
    std::vector<std::string> called;
    startup->shellServices.OpenInputsFile = [&] { called.push_back("open"); };
    startup->shellServices.SaveInputsFile = [&] { called.push_back("save"); };
    startup->shellServices.ShowSettings = [&](double left, double top) {
        EXPECT_DOUBLE_EQ(left, gears().form().left() + 200);
        EXPECT_DOUBLE_EQ(top, gears().form().top() + 200);
        called.push_back("settings");
    };
    startup->meshServices().outputs.print = [&](vantrope::clsMesh& mesh) {
        EXPECT_EQ(&mesh, &startup->OmeshMaster->ActiveMesh());
        called.push_back("print");
    };
    startup->meshServices().outputs.writeTextFile = [&](vantrope::clsMesh&, bool dxf) {
        called.push_back(dxf ? "dxf" : "text");
    };
    for (const char* name : {"mnuOpen", "mnuSave", "mnuSettings", "mnuDXF", "mnuText", "mnuPrint"})
        menu(name).click();
    EXPECT_EQ(called, (std::vector<std::string>{"open", "save", "settings", "dxf", "text", "print"}));
}

TEST_F(DrawingWindow, MenuCommandsWithoutTheirServicesDoNothing)
{
    startup->shellServices.ShowSettings = nullptr;
    dialogProvider.cancelPrinter(); // printing asks for the printer first
    for (const char* name : {"mnuOpen", "mnuSave", "mnuSettings", "mnuPrint"})
        menu(name).click();
    EXPECT_EQ(endings, 0);
    EXPECT_TRUE(gears().form().visible());
    EXPECT_FALSE(startup->settingsDialog().form().visible());
}

TEST_F(DrawingWindow, OutputMenuWritesTheActiveMeshAsDxfAndText)
{
    firstClick();
    TemporaryFolder folder;
    const auto dxf = folder.file("pair.dxf"), text = folder.file("pair.txt");
    dialogProvider.answerFile(QString::fromStdString(dxf.string()));
    menu("mnuDXF").click();
    dialogProvider.answerFile(QString::fromStdString(text.string()));
    menu("mnuText").click();
    const std::string written = readFile(dxf);
    EXPECT_NE(written.find("ENTITIES"), std::string::npos);
    EXPECT_NE(written.find("LINE"), std::string::npos);
    EXPECT_FALSE(readFile(text).empty());
    EXPECT_EQ(startup->messages().text(), "");
}

TEST_F(DrawingWindow, AWriteThatFailsUnderTheBusyCursorGivesTheNormalCursorBack)
{
    firstClick();
    Qt::CursorShape shapeWhileWriting = Qt::ArrowCursor;
    startup->meshServices().outputs.writeTextFile = [&](vantrope::clsMesh&, bool) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shapeWhileWriting = cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
        runtime::raise(runtime::DeviceIOError);
    };
    for (const char* name : {"mnuDXF", "mnuText"}) {
        shapeWhileWriting = Qt::ArrowCursor;
        try {
            menu(name).click();
        } catch (const std::exception&) {
            // Whoever reports the error, the cursor is what this test is about.
        }
        EXPECT_EQ(shapeWhileWriting, Qt::WaitCursor) << name;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << name;
    }
}

TEST_F(DrawingWindow, AboutTellsTheVersion)
{
    dialogProvider.answerEveryMessageBox(dialogs::ButtonOK);
    menu("mnuAbout").click();
    auto boxes = dialogProvider.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Vantrope");
    EXPECT_EQ(boxes[0].buttonSet, dialogs::OKOnly);
    const QStringList lines = boxes[0].text.split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains(QRegularExpression("^version \\d+\\.\\d+\\.\\d+$"))) << lines[1].toStdString();
}

TEST_F(DrawingWindow, DrivenMenusShowTheMeshMenuAndHideTheHelpFile)
{
    gears().ShowMenu(true);
    EXPECT_TRUE(menu("mnuMeshMain").visible());
    EXPECT_TRUE(menu("mnuSettings").visible());
    EXPECT_TRUE(menu("mnuOutputTop").visible());
    EXPECT_TRUE(menu("mnuAbout").visible());
    EXPECT_FALSE(menu("mnuHelp").visible());
}

TEST_F(DrawingWindow, FixedRatioFollowsThePrintersPage)
{
    startup->shellServices.PrinterPage = [] { return std::optional<QSizeF>(QSizeF(8.5, 11)); };
    forms::Form& window = gears().form();
    auto ratio = [&] {
        const double w = window.scaleWidth(), h = window.scaleHeight();
        return std::max(w, h) / std::min(w, h);
    };
    // Taller than wide: portrait; the width follows a change of height.
    window.setHeight(window.height() + 600);
    settle();
    gears().Dims(true);
    settle();
    EXPECT_GT(window.scaleHeight(), window.scaleWidth());
    EXPECT_NEAR(ratio(), 11 / 8.5, 0.02);
    // Wider than tall: landscape; the height follows the width.
    window.setWidth(window.height() * 2);
    settle();
    gears().Dims(false);
    settle();
    EXPECT_GT(window.scaleWidth(), window.scaleHeight());
    EXPECT_NEAR(ratio(), 11 / 8.5, 0.02);

    // With the mark cleared the window stays as the user made it.
    menu("mnuPrintSize").click();
    EXPECT_FALSE(menu("mnuPrintSize").checked());
    EXPECT_FALSE(startup->Osettings->FixFormRatio);
    window.setHeight(window.height() + 900);
    settle();
    const double h = window.height(), w = window.width();
    gears().Dims(true);
    EXPECT_EQ(window.height(), h);
    EXPECT_EQ(window.width(), w);

    // No printer: the size is kept.
    menu("mnuPrintSize").click();
    startup->shellServices.PrinterPage = [] { return std::optional<QSizeF>(); };
    const double h2 = window.height(), w2 = window.width();
    gears().Dims(false);
    EXPECT_EQ(window.height(), h2);
    EXPECT_EQ(window.width(), w2);
}

TEST_F(DrawingWindow, ClosingTheWindowEndsTheProgramAndKeepsWhatTheRunStores)
{
    firstClick();
    startup->run.DebugMode = false;
    gears().form().unload(forms::UnloadReason::FormControlMenu);
    EXPECT_EQ(endings, 1);
    EXPECT_TRUE(startup->hasEnded());
    EXPECT_FALSE(inputs().isLoaded());
    using Key = std::tuple<std::string, std::string, std::string>;
    EXPECT_EQ(store.values[Key("Vantrope", "Logged", "DebugMode")], "0");
    for (const char* key : {"Scaler0", "Scaler1", "Scaler2"})
        EXPECT_TRUE(store.values.count(Key("Vantrope", "DrawingOptions", key))) << key;
    // A second end changes nothing.
    startup->EndProgram();
    EXPECT_EQ(endings, 1);
}

TEST_F(DrawingWindow, ClosingTheInputsDialogEndsTheProgram)
{
    firstClick();
    dialog().unload(forms::UnloadReason::FormControlMenu);
    EXPECT_EQ(endings, 1);
    EXPECT_FALSE(startup->windows().isLoaded(QStringLiteral("frmGears")));
    using Key = std::tuple<std::string, std::string, std::string>;
    EXPECT_EQ(store.values[Key("Vantrope", "Logged", "DebugMode")], "0");
}

TEST_F(DrawingWindow, StoredSwitchesReadBack)
{
    struct Case {
        const char* text; // null: nothing stored, as on a fresh install
        bool on;
    } cases[] = {{nullptr, false}, {"-1", true}, {"0", false}, {"True", true}, {"False", false}, {"garbage", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "nothing stored");
        startup.reset();
        store.values.erase({"Vantrope", "Logged", "DebugMode"});
        if (c.text)
            store.values[{"Vantrope", "Logged", "DebugMode"}] = c.text;
        start();
        EXPECT_EQ(startup->run.DebugMode, c.on);
    }
}

TEST_F(DrawingWindow, AFreshInstallDrawsNoDebugMarks)
{
    // The colour of the "TempAng = " texts beside the line of action.
    const QColor TempAngText(0, 10, 110);
    firstClick();
    EXPECT_EQ(count(gears().drawing(), TempAngText), 0);

    startup.reset();
    store.values[{"Vantrope", "Logged", "DebugMode"}] = "-1";
    start();
    firstClick();
    EXPECT_GT(count(gears().drawing(), TempAngText), 0) << "a stored choice still counts";
}

TEST_F(DrawingWindow, AZoomByRightDragIsShownAtOnceAndIsTheOneStored)
{
    firstClick();
    const QImage before = gears().drawing();
    startup->OmeshMaster->MouseDown(2, 0, 150, 100);
    startup->OmeshMaster->MouseUp(2, 0, 150, 348);
    const QImage shown = gears().drawing();
    EXPECT_NE(shown, before);
    startup->OmeshMaster->Click();
    EXPECT_EQ(gears().drawing(), shown) << "what a redraw gives";

    const double seen = startup->OmeshMaster->ActiveMesh().zoom();
    startup->EndProgram();
    startup.reset();
    start();
    EXPECT_NEAR(startup->OmeshMaster->ActiveMesh().zoom(), seen, 1e-9 * seen);
}

TEST_F(DrawingWindow, EnlargingTheWindowDrawsItAgain)
{
    firstClick();
    forms::Form& window = gears().form();
    window.move(window.left(), window.top(), window.width() * 1.5, window.height() * 1.5);
    settle();
    const QImage afterResize = gears().drawing();
    EXPECT_GT(afterResize.width(), 305);
    startup->OmeshMaster->Click();
    EXPECT_EQ(gears().drawing(), afterResize);
}

} // namespace
