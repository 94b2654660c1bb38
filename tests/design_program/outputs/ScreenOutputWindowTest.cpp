#include "OutputsFixture.h"

#include "dialogs/DialogProvider.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace outputstest {
namespace {

using Buttons = std::vector<std::string>;

// A design of four printed sections of 30 rows each, behind the start step.
class LongDesign : public OutputsWindowTest {
protected:
    void SetUp() override
    {
        OutputsWindowTest::SetUp();
        start();
        done.add("Startup Screen", "", "", std::nullopt, false);
        done.add("Main Inputs", "Main Inputs", "btnMainInputs", plainTable("M", 30));
        done.add("Center Distance", "Center Distance", "btnCenterDistance", plainTable("C", 30));
        done.add("Tooth Thickness", "Tooth Thickness", "btnToothThickness", plainTable("T", 30));
        done.add("Gear Hob", "Hob Information", "btnHobInfo", plainTable("H", 30));
    }
    std::string rowOneHeading() { return grid().cellText(1, 1).toStdString(); }
};

TEST_F(LongDesign, AFillEndsOnTheNewestSectionAndRowOneFollowsEveryScroll)
{
    fill();
    EXPECT_EQ(done["Main Inputs"].GridStartRow, 2);
    EXPECT_EQ(done["Main Inputs"].GridEndRow, 32);
    EXPECT_EQ(done["Gear Hob"].GridStartRow, 95);
    EXPECT_EQ(grid().topRow(), 95);
    EXPECT_EQ(rowOneHeading(), "Hob Information");
    grid().setTopRow(40);
    EXPECT_EQ(rowOneHeading(), "Center Distance");
    grid().setTopRow(2);
    EXPECT_EQ(rowOneHeading(), "Main Inputs") << "the first section's heading at the top";
    grid().setTopRow(64);
    EXPECT_EQ(rowOneHeading(), "Tooth Thickness");
}

// The frozen section row names the section whose heading row has scrolled
// away; while that heading row is itself the top row the frozen row takes no
// room, so the heading shows once and the top row stands right under the
// column headers.
TEST_F(LongDesign, TheFrozenHeadingNeverRepeatsTheHeadingRowShownBelowIt)
{
    fill();
    const double headerHeight = grid().rowHeight(0);
    const struct {
        int top;
        const char* heading;
        bool frozenShown;
    } cases[] = {{95, "Hob Information", false}, {2, "Main Inputs", false},  {3, "Main Inputs", true},
                 {32, "Main Inputs", true},      {33, "Center Distance", false}, {40, "Center Distance", true},
                 {64, "Tooth Thickness", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.top);
        if (c.top != 95)
            grid().setTopRow(c.top);
        QCoreApplication::processEvents();
        EXPECT_EQ(grid().topRow(), c.top);
        EXPECT_EQ(rowOneHeading(), c.heading);
        EXPECT_EQ(grid().rowHeight(1) > 0, c.frozenShown);
        auto* body = static_cast<QTableView*>(grid().keyTarget());
        EXPECT_EQ(body->rowAt(0), c.top - 2) << "the top row is the first row shown";
        EXPECT_EQ(body->geometry().top() - 1, (headerHeight + grid().rowHeight(1)) / 15)
            << "directly below the shown fixed rows";
    }
    // Scrolled to the end, the top row is whole, whatever the window's height:
    // none is pushed partly under the frozen rows.
    for (int pixels = 0; pixels < 4; ++pixels) {
        SCOPED_TRACE(pixels);
        window().move(window().left(), window().top(), window().width(), window().height() + 15);
        grid().setTopRow(grid().rowCount());
        QCoreApplication::processEvents();
        auto* body = static_cast<QTableView*>(grid().keyTarget());
        EXPECT_GT(grid().topRow(), 95);
        EXPECT_EQ(body->rowAt(0), grid().topRow() - 2);
        EXPECT_EQ(body->rowViewportPosition(grid().topRow() - 2), 0);
        EXPECT_EQ(rowOneHeading(), "Hob Information");
    }
}

// Section buttons, section menu items (also with the toolbar hidden) and the
// update and close commands by menu, shortcut and button.
TEST_F(LongDesign, EveryCommandByMenuShortcutAndButton)
{
    fill();
    const struct {
        const char* key;
        const char* menu;
        int row;
    } sections[] = {{"btnMainInputs", "mnuGridMainInputs", 2},
                    {"btnCenterDistance", "mnuGridCenterDistance", 33},
                    {"btnToothThickness", "mnuGridToothThickness", 64},
                    {"btnHobInfo", "mnuGridHobInformation", 95}};
    for (const auto& section : sections) {
        grid().setTopRow(50);
        QTest::mouseClick(toolbar().buttonWidget(QString::fromLatin1(section.key)), Qt::LeftButton);
        EXPECT_EQ(grid().topRow(), section.row) << section.key;
        grid().setTopRow(50);
        menu(section.menu).click();
        EXPECT_EQ(grid().topRow(), section.row) << section.menu;
    }
    menu("mnuOptionsToolBar").click();
    grid().setTopRow(50);
    menu("mnuGridMainInputs").click();
    EXPECT_EQ(grid().topRow(), 2) << "with the toolbar hidden";
    EXPECT_EQ(rowOneHeading(), "Main Inputs");
    menu("mnuOptionsToolBar").click();

    // Update: offered while the automatic update is off.
    QApplication::setActiveWindow(window().window());
    menu("mnuOptionsAutoUpdate").click();
    const auto refillsBy = [this](const std::function<void()>& command) {
        fill();
        EXPECT_FALSE(grid().visible());
        command();
        return grid().visible() && grid().rowCount() == 126;
    };
    EXPECT_TRUE(refillsBy([this] { menu("mnuUpdateOutputs").click(); }));
    EXPECT_TRUE(refillsBy([this] { QTest::keyClick(window().window(), Qt::Key_U, Qt::ControlModifier); }));
    EXPECT_TRUE(refillsBy([this] { QTest::mouseClick(toolbar().buttonWidget("btnUpdateOutputs"), Qt::LeftButton); }));

    // Close: hidden, still loaded with its grid.
    const auto closesBy = [this](const std::function<void()>& command) {
        outputs->ShowScreenOutputs(-1);
        QApplication::setActiveWindow(window().window());
        host.notes.clear();
        command();
        return !window().visible() && window().isLoaded() && host.notes == std::vector<std::string>{"Loading Ouputs Form, Hiding"};
    };
    EXPECT_TRUE(closesBy([this] { menu("mnuFileCloseWindow").click(); }));
    EXPECT_TRUE(closesBy([this] { QTest::keyClick(window().window(), Qt::Key_W, Qt::ControlModifier); }));
    EXPECT_TRUE(closesBy([this] { QTest::mouseClick(toolbar().buttonWidget("btnCloseWindow"), Qt::LeftButton); }));
    EXPECT_EQ(grid().rowCount(), 126);
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(LongDesign, ShowScreenOutputsTakesTrueAndFalseOnly)
{
    outputs->ShowScreenOutputs(0);
    EXPECT_FALSE(window().visible());
    host.notes.clear();
    outputs->ShowScreenOutputs(1);
    outputs->ShowScreenOutputs(-2);
    EXPECT_FALSE(window().visible());
    EXPECT_TRUE(host.notes.empty());
    outputs->ShowScreenOutputs(-1);
    EXPECT_TRUE(window().visible());
    EXPECT_EQ(host.notes, std::vector<std::string>{"Loading Ouputs Form, Showing"});
}

TEST_F(LongDesign, TheToolbarAndAutoUpdateChecksFollowWhatTheySwitch)
{
    fill();
    const double gridTopWithToolbar = grid().top();
    menu("mnuOptionsToolBar").click();
    EXPECT_FALSE(toolbar().visible());
    EXPECT_FALSE(menu("mnuOptionsToolBar").checked());
    EXPECT_EQ(grid().top(), 75);
    EXPECT_EQ(gridTopWithToolbar, 75 + toolbar().height());
    menu("mnuOptionsToolBar").click();
    EXPECT_TRUE(toolbar().visible());
    EXPECT_TRUE(menu("mnuOptionsToolBar").checked());
    EXPECT_EQ(host.showMenusWrites, 1) << "only the load stores the menus choice";

    menu("mnuOptionsAutoUpdate").click();
    EXPECT_FALSE(outputs->AutoUpdate());
    EXPECT_FALSE(menu("mnuOptionsAutoUpdate").checked());
    EXPECT_TRUE(menu("mnuUpdateOutputs").enabled());
    EXPECT_TRUE(toolbar().buttonVisible("btnUpdateOutputs"));
    EXPECT_TRUE(grid().visible()) << "the grid keeps its content until the next step";
    fill();
    EXPECT_FALSE(grid().visible());
    menu("mnuOptions").click();
    EXPECT_FALSE(menu("mnuOptionsGridFont").enabled()) << "no font for a hidden grid";
    menu("mnuOptionsAutoUpdate").click();
    EXPECT_TRUE(outputs->AutoUpdate());
    EXPECT_TRUE(menu("mnuOptionsAutoUpdate").checked());
    EXPECT_FALSE(menu("mnuUpdateOutputs").enabled());
    EXPECT_FALSE(toolbar().buttonVisible("btnUpdateOutputs"));
    EXPECT_TRUE(grid().visible()) << "switching it on refills at once";
    menu("mnuOptions").click();
    EXPECT_TRUE(menu("mnuOptionsGridFont").enabled());
    EXPECT_TRUE(host.autoUpdate) << "the stored preference is never written";

    // Something else switching it: the item still switches from the actual state.
    outputs->setAutoUpdate(false);
    menu("mnuOptionsAutoUpdate").click();
    EXPECT_TRUE(outputs->AutoUpdate());
    EXPECT_TRUE(menu("mnuOptionsAutoUpdate").checked());
}

class FontDialog : public LongDesign {
protected:
    void SetUp() override
    {
        LongDesign::SetUp();
        fill();
    }
    dialogs::ScriptedDialogProvider answers;
    dialogs::ScopedDialogProvider scoped{answers};
};

TEST_F(FontDialog, AnAnsweredSizeIsRoundedTiesToEvenAndBounded)
{
    const struct {
        double asked;
        int taken;
    } cases[] = {{12.5, 12}, {13.5, 14}, {9.4, 9}, {3, 8}, {20, 14}};
    for (const auto& size : cases) {
        answers.answerFont({QStringLiteral("DejaVu Serif"), size.asked});
        menu("mnuOptionsGridFont").click();
        EXPECT_EQ(host.fontSize, size.taken) << size.asked;
        EXPECT_EQ(outputs->GridFontSize(), size.taken);
        EXPECT_EQ(grid().font().pointSize(), size.taken);
    }
    EXPECT_EQ(host.fontName, "DejaVu Serif");
    EXPECT_EQ(grid().font().family(), "DejaVu Serif");
    EXPECT_EQ(grid().columnWidth(0), 1540) << "the widths of size 14";
    EXPECT_TRUE(grid().visible()) << "refilled";
    EXPECT_GT(outputs->TotalRowHeight(), 0);

    const auto request = answers.requestsOf<dialogs::FontDialogRequest>().front();
    EXPECT_EQ(request.title, "Cindrel Screen Output Grid Font Selection");
    EXPECT_EQ(request.initial.name, "DejaVu Sans");
    EXPECT_EQ(request.initial.size, 10);
    EXPECT_EQ(request.flags, dialogs::FontScreenFonts | dialogs::FontAnsiOnly | dialogs::FontLimitSize);
    EXPECT_EQ(request.minimumSize, 8);
    EXPECT_EQ(request.maximumSize, 14);
    EXPECT_TRUE(request.cancelError);
}

TEST_F(FontDialog, WithAutoUpdateOffTheNewFontHidesTheGridUntilUpdated)
{
    menu("mnuOptionsAutoUpdate").click();
    answers.answerFont({QStringLiteral("DejaVu Serif"), 12});
    menu("mnuOptionsGridFont").click();
    EXPECT_FALSE(grid().visible());
    menu("mnuUpdateOutputs").click();
    EXPECT_TRUE(grid().visible());
    EXPECT_EQ(grid().font().pointSize(), 12);
}

TEST_F(FontDialog, ACancelAFailureOrANamelessAnswerChangesNothing)
{
    answers.cancelFont();
    menu("mnuOptionsGridFont").click();
    answers.answerFont({QString(), 12});
    menu("mnuOptionsGridFont").click();
    EXPECT_EQ(host.fontSize, 10);
    EXPECT_EQ(grid().font().pointSize(), 10);
    EXPECT_TRUE(answers.requestsOf<dialogs::MessageBoxRequest>().empty());

    class FailingFonts : public dialogs::ScriptedDialogProvider {
    public:
        dialogs::FontDialogAnswer fontDialog(const dialogs::FontDialogRequest&) override
        {
            runtime::raise(runtime::OutOfMemory);
        }
    } failing;
    failing.answerMessageBox(dialogs::ButtonOK);
    dialogs::ScopedDialogProvider failingScope(failing);
    menu("mnuOptionsGridFont").click();
    const auto shown = failing.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.front().text, "Unknown Error: 7 Occurred.");
    EXPECT_EQ(host.fontSize, 10);
    EXPECT_EQ(grid().font().pointSize(), 10);
}

TEST_F(LongDesign, SizesFourToSixteenTakeTheNearestWidthsAndKeepTheGridInside)
{
    const struct {
        int size;
        double key, value, description;
    } cases[] = {{4, 1100, 1500, 3600},  {8, 1100, 1500, 3600},  {9, 1100, 1500, 3600},  {10, 1210, 1650, 3960},
                 {11, 1210, 1650, 3960}, {12, 1375, 1875, 4500}, {13, 1375, 1875, 4500}, {14, 1540, 2100, 5040},
                 {16, 1540, 2100, 5040}};
    fill();
    for (const auto& size : cases) {
        outputs->GridFontSize(size.size);
        outputs->ResizeGrid();
        EXPECT_EQ(grid().font().pointSize(), size.size);
        EXPECT_EQ(grid().columnWidth(0), size.key) << size.size;
        EXPECT_EQ(grid().columnWidth(1), size.value) << size.size;
        EXPECT_EQ(grid().columnWidth(2), size.value) << size.size;
        // The rows overflow the grid, so the scroll-bar allowance is taken.
        const double rest = grid().width() - size.key - 2 * size.value - 92 - 250;
        EXPECT_EQ(grid().columnWidth(3), std::max(rest, size.description)) << size.size;
    }
}

TEST_F(LongDesign, TheAllowanceFollowsTheRowsShown)
{
    done.removeLast();
    done.removeLast();
    done.removeLast();
    done.removeLast();
    done.add("Main Inputs", "Main Inputs", "btnMainInputs", plainTable("M", 2));
    fill();
    ASSERT_LT(outputs->TotalRowHeight(), grid().height());
    EXPECT_EQ(grid().columnWidth(3), std::max(grid().width() - 1210 - 2 * 1650 - 92, 3960.0));
}

// The window's size floor, its stored place kept within bounds and on a screen.
TEST_F(OutputsWindowTest, LoadBoundsTheStoredPlace)
{
    // A stored size larger than the screen opens filling its available area, frame included.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const double wholeWidth = area.width() * 15.0 - 40;
    const double wholeHeight = area.height() * 15.0 - 40;
    const struct {
        Placement stored;
        Placement opened;
    } cases[] = {
        {{300, 450, 1000, 1000, 0}, {300, 450, 5500, 4500, 0}},
        {{-300, -450, 30000, 30000, 0}, {area.left() * 15.0, area.top() * 15.0, wholeWidth, wholeHeight, 0}},
        {{100000, 90000, 6000, 5000, 0}, {100, 100, 6000, 5000, 0}},
        {{200, 300, 7000, 6000, 1}, {200, 300, 7000, 6000, 0}},
    };
    for (const auto& place : cases) {
        host.places["frmScreenOutput"] = place.stored;
        start();
        forms::Form& form = window();
        EXPECT_EQ(form.windowState(), static_cast<forms::WindowState>(place.opened.state));
        // Within a pixel of the place, and of the frame the shown window takes on.
        EXPECT_NEAR(form.left(), place.opened.left, 15);
        EXPECT_NEAR(form.top(), place.opened.top, 15);
        EXPECT_NEAR(form.width(), place.opened.width + 40, 60);
        EXPECT_NEAR(form.height(), place.opened.height + 40, 60);
        EXPECT_EQ(form.caption(), "Cindrel Outputs");
        release();
        form.unload();
    }
    host.places.clear();
    start();
    EXPECT_EQ(window().left(), 100) << "never stored";
    EXPECT_GE(window().width(), 5500);
    EXPECT_GE(window().height(), 4500);
}

TEST_F(LongDesign, ResizingKeepsTheFloorAndTheGridInside)
{
    fill();
    forms::Form& form = window();
    for (const auto& [width, height] : {std::pair{1000.0, 900.0}, {3000.0, 2500.0}, {9000.0, 7000.0}}) {
        form.move(form.left(), form.top(), width, height);
        QCoreApplication::processEvents();
        EXPECT_GE(form.width(), 2400);
        EXPECT_GE(form.height(), 1800);
        EXPECT_LE(grid().left() + grid().width(), form.scaleWidth()) << width;
        EXPECT_LE(grid().top() + grid().height(), form.scaleHeight()) << height;
        EXPECT_GE(grid().height(), 0);
    }
    form.setWindowState(forms::WindowState::Minimized);
    form.setWindowState(forms::WindowState::Normal);
    EXPECT_TRUE(host.errors.empty());
}

// The popup switches the menus and toolbar once, chosen or dismissed.
class Popup : public LongDesign {
protected:
    // Right press on the window's surface, left of the grid; then acts on the popup.
    void rightPressThen(std::function<void(QMenu&)> act)
    {
        bool popped = false;
        QTimer::singleShot(0, [&popped, act] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (popup == nullptr)
                return;
            popped = true;
            act(*popup);
        });
        QWidget* surface = window().clientArea();
        QTest::mousePress(surface, Qt::RightButton, {}, QPoint(1, surface->height() / 2));
        QTest::mouseRelease(surface, Qt::RightButton, {}, QPoint(1, surface->height() / 2));
        EXPECT_TRUE(popped);
    }
    bool menusAndToolbarShown()
    {
        const bool shown = menu("mnuFile").visible();
        EXPECT_EQ(menu("mnuOptions").visible(), shown);
        EXPECT_EQ(menu("mnuGrid").visible(), shown);
        EXPECT_EQ(toolbar().visible(), shown);
        EXPECT_EQ(menu("mnuButtMen").checked(), shown);
        EXPECT_EQ(menu("mnuOptionsToolBar").checked(), shown);
        EXPECT_EQ(host.showMenus, shown);
        return shown;
    }
};

TEST_F(Popup, EscapeAndChoosingEachSwitchOnce)
{
    ASSERT_TRUE(menusAndToolbarShown());
    rightPressThen([](QMenu& popup) { QTest::keyClick(&popup, Qt::Key_Escape); });
    EXPECT_FALSE(menusAndToolbarShown());
    EXPECT_EQ(grid().top(), 75);
    rightPressThen([](QMenu& popup) {
        popup.setActiveAction(popup.actions().front());
        QTest::keyClick(&popup, Qt::Key_Return);
    });
    EXPECT_TRUE(menusAndToolbarShown());
    rightPressThen([](QMenu& popup) {
        popup.setActiveAction(popup.actions().front());
        QTest::keyClick(&popup, Qt::Key_Return);
    });
    EXPECT_FALSE(menusAndToolbarShown());
    // A left press shows nothing.
    QWidget* surface = window().clientArea();
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(1, surface->height() / 2));
    EXPECT_FALSE(menusAndToolbarShown());
}

TEST_F(OutputsWindowTest, TheStoredChoiceHidesMenusAndToolbarAtLoad)
{
    host.showMenus = false;
    start();
    EXPECT_FALSE(menu("mnuFile").visible());
    EXPECT_FALSE(toolbar().visible());
    EXPECT_FALSE(menu("mnuButtMen").checked());
    EXPECT_FALSE(menu("mnuOptionsToolBar").checked());
    EXPECT_EQ(grid().top(), 75);
}

TEST_F(OutputsWindowTest, LoadTakesTheStoredAutoUpdate)
{
    host.autoUpdate = false;
    start();
    EXPECT_FALSE(outputs->AutoUpdate());
    EXPECT_FALSE(menu("mnuOptionsAutoUpdate").checked());
    EXPECT_TRUE(menu("mnuUpdateOutputs").enabled());
    EXPECT_EQ(shownButtons(), (Buttons{"btnCloseWindow", "btnUpdateOutputs"}));
    EXPECT_FALSE(grid().visible());
    EXPECT_EQ(outputs->SectionMenus().size(), 8u);
}

TEST_F(LongDesign, TheCloseBoxHidesAndKeepsEverythingOtherUnloadingStoresThePlace)
{
    fill();
    EXPECT_FALSE(window().unload(forms::UnloadReason::FormControlMenu));
    EXPECT_TRUE(window().isLoaded());
    EXPECT_FALSE(window().visible());
    EXPECT_EQ(host.savedPlaces, 0);
    outputs->ShowScreenOutputs(-1);
    EXPECT_EQ(grid().rowCount(), 126);
    EXPECT_TRUE(grid().visible());

    window().move(600, 700, 8000, 6000);
    const double frameWidth = window().frameExtra().width();
    EXPECT_TRUE(window().unload(forms::UnloadReason::Code));
    EXPECT_GE(host.savedPlaces, 1);
    EXPECT_EQ(host.places["frmScreenOutput"].left, 600);
    EXPECT_EQ(host.places["frmScreenOutput"].width, 8000 - frameWidth) << "kept without the frame";
}

// Without its window the object does nothing and never loads it again; a
// released object no longer answers the window's controls.
TEST_F(LongDesign, UnloadReloadAndRelease)
{
    fill();
    window().unload();
    EXPECT_FALSE(outputs->hasScreenControls());
    EXPECT_TRUE(outputs->SectionMenus().empty());
    fill();
    fill(true);
    outputs->ResizeGrid();
    outputs->SetUpOutputGrid();
    outputs->ResetToolBarButtons();
    outputs->ShowSectionButtons();
    outputs->moveToSection("btnMainInputs");
    outputs->GridFontSize(12);
    outputs->mnuOptionsGridFont_Click();
    outputs->mnuUpdateOutputs_Click();
    outputs->mnuOptionsAutoUpdate_Click();
    outputs->ShowScreenOutputs(0);
    EXPECT_FALSE(windows.isLoaded("frmScreenOutput"));

    outputs->ShowScreenOutputs(-1);
    ASSERT_TRUE(outputs->hasScreenControls());
    EXPECT_EQ(outputs->SectionMenus().size(), 8u);
    EXPECT_EQ(grid().font().pointSize(), 12);
    fill();
    EXPECT_EQ(grid().rowCount(), 126);
    menu("mnuGridMainInputs").click();
    EXPECT_EQ(grid().topRow(), 2);

    release();
    grid().setTopRow(60);
    menu("mnuGridHobInformation").click();
    menu("mnuOptionsAutoUpdate").click();
    QTest::mouseClick(toolbar().buttonWidget("btnCloseWindow"), Qt::LeftButton);
    window().move(0, 0, 7000, 6000);
    EXPECT_EQ(grid().topRow(), 60);
    EXPECT_TRUE(window().visible());
    EXPECT_EQ(grid().cellText(1, 1), "Main Inputs") << "no scroll handler left";
    window().unload();
    start();
    EXPECT_TRUE(outputs->hasScreenControls());
}

// The filled window as shown: red text in a red cell, the fixed rows and
// column kept while the body scrolls.
TEST_F(OutputsWindowTest, TheGrabbedWindowShowsRedCellsAndKeepsItsFixedParts)
{
    const auto redPixels = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                count += qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60 ? 1 : 0;
            }
        return count;
    };
    host.places["frmScreenOutput"] = {100, 100, 6000, 5000, 0};
    start();
    std::vector<std::vector<Cell>> rows;
    rows.push_back(pairRow("Red", "MMMMMM", "1", "red pinion", 0, cindrel::results::ColumnBitPinion));
    for (int row = 0; row < 60; ++row)
        rows.push_back(pairRow(std::string("K").append(std::to_string(row)), std::to_string(row), std::to_string(row),
                               std::string("a description long enough to need the horizontal scroll bar ")
                                   .append(std::to_string(row))));
    done.add("Main Inputs", "Main Inputs", "btnMainInputs", tableOf(rows));
    fill();
    grid().setTopRow(2);
    QCoreApplication::processEvents();
    const QImage top = grid().grab();
    EXPECT_GT(redPixels(top), 20);

    const int headerHeight = static_cast<int>(grid().rowHeight(0) / 15);
    const int keyWidth = static_cast<int>(grid().columnWidth(0) / 15);
    grid().setTopRow(40);
    QCoreApplication::processEvents();
    const QImage scrolledDown = grid().grab();
    EXPECT_EQ(redPixels(scrolledDown), 0) << "the red row scrolled away";
    EXPECT_EQ(top.copy(0, 0, top.width(), headerHeight), scrolledDown.copy(0, 0, top.width(), headerHeight))
        << "row 0 stays";

    auto& body = *static_cast<QTableView*>(grid().keyTarget());
    ASSERT_GT(body.horizontalScrollBar()->maximum(), 0);
    body.horizontalScrollBar()->setValue(body.horizontalScrollBar()->maximum());
    QCoreApplication::processEvents();
    const QImage scrolledRight = grid().grab();
    EXPECT_EQ(scrolledDown.copy(0, 0, keyWidth, scrolledDown.height()),
              scrolledRight.copy(0, 0, keyWidth, scrolledRight.height()))
        << "column 0 stays";
    EXPECT_NE(scrolledDown, scrolledRight);
}

} // namespace
} // namespace outputstest
