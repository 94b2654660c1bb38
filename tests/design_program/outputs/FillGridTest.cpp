#include "OutputsFixture.h"

#include "support/FileText.h"

#include <QFont>

namespace outputstest {
namespace {

using cindrel::results::RowKindPair;

// Alignment as two letters (L, C, R; T, M, B), then r for red, b bold, i italic.
std::string formatOf(grid::Grid& grid, int row, int column)
{
    const Qt::Alignment alignment = grid.cellAlignment(row, column);
    std::string flags;
    flags += (alignment & Qt::AlignRight) ? 'R' : (alignment & Qt::AlignHCenter) ? 'C' : 'L';
    flags += (alignment & Qt::AlignTop) ? 'T' : (alignment & Qt::AlignBottom) ? 'B' : 'M';
    if (grid.cellForeColor(row, column) == QColor(255, 0, 0))
        flags += 'r';
    else if (grid.cellForeColor(row, column) != QColor(0, 0, 0))
        flags += '?';
    if (grid.cellBold(row, column))
        flags += 'b';
    if (grid.cellItalic(row, column))
        flags += 'i';
    return flags;
}

std::string escaped(const QString& text)
{
    std::string result;
    for (const char c : text.toStdString())
        result += c == '\t' ? std::string("\\t") : std::string(1, c);
    return result;
}

// The fill as text: every cell with its format, the merge marks, the steps'
// rows and what the window offers.
std::string dumpOf(OutputsWindowTest& test, grid::Grid& grid, StateCollection& steps,
                   const std::vector<std::string>& buttons, const std::vector<std::string>& menus)
{
    std::string text = grid.visible() ? "grid shown\n" : "grid hidden\n";
    for (int row = 0; row < grid.rowCount(); ++row) {
        text += std::to_string(row) + (grid.isRowMerged(row) ? " M" : " -");
        for (int column = 0; column < grid.columnCount(); ++column)
            text += (column == 0 ? " " : " | ") + escaped(grid.cellText(row, column)) + "{" +
                    formatOf(grid, row, column) + "}";
        text += "\n";
    }
    for (const T_State* step : steps.Items())
        text += "step " + step->Name + " " + std::to_string(step->GridStartRow) + " " +
                std::to_string(step->GridEndRow) + "\n";
    text += "buttons";
    for (const std::string& button : buttons)
        text += " " + button;
    text += "\nmenus";
    for (const std::string& menu : menus)
        text += " " + menu;
    (void)test;
    return text + "\n";
}

class FillGrid : public OutputsWindowTest {
protected:
    void SetUp() override
    {
        OutputsWindowTest::SetUp();
        host.captions["lblShown"] = "Spur";
        start();
    }

    // Every row kind and mask, number and label cells, a short table, one
    // never built, both hob steps and a step that is not printed.
    void addFixedSteps()
    {
        done.add("Startup Screen", "", "", tableOf({pairRow("S", "1", "1", "never shown")}), false);
        done.add("Main Inputs", "Main Inputs", "btnMainInputs",
                 tableOf({
                     {Cell{"N"}, Cell{std::int16_t{20}}, Cell{std::int16_t{40}}, Cell{"Number of Teeth"},
                      Cell{std::int16_t{0}}, Cell{std::int16_t{0}}, Cell{std::int16_t{0}}, Cell{std::int16_t{0}}},
                     {Cell{"Pd"}, Cell{8.5}, Cell{8.5}, Cell{"(in) diametral pitch"}, Cell{std::int16_t{1}},
                      Cell{std::int16_t{15}}, Cell{std::int16_t{0}}, Cell{std::int16_t{0}}},
                     {Cell{"Note"}, Cell{"a\tb"}, Cell{"a\tb"}, Cell{"a\tb"}, Cell{std::int16_t{7}},
                      Cell{std::int16_t{1}}, Cell{std::int16_t{8}}, Cell{std::int16_t{15}}},
                     {Cell{"Lbl"}, Cell{LabelRef{"frmMain", "lblShown", -1}}, Cell{LabelRef{"frmMain", "lblGone", -1}},
                      Cell{"mixed"}, Cell{"1"}, Cell{std::int16_t{18}}, Cell{4.0}},
                     {Cell{""}, Cell{"x"}, Cell{"x"}, Cell{"ends the table"}},
                     pairRow("After", "1", "2", "never shown"),
                 }));
        done.add("Center Distance", "Center Distance", "btnCenterDistance", std::nullopt);
        done.add("Pinion Hob", "Hob Information", "btnHobInfo", tableOf({pairRow("P", "1", "1", "not printed")}), false);
        done.add("Gear Hob", "Hob Information", "btnHobInfo",
                 tableOf({pairRow("Ha", "0.125", "0.125", "(in) addendum", 1)}));
    }

    std::string dump() { return dumpOf(*this, grid(), done.collection, shownButtons(), shownSectionMenus()); }
};

TEST_F(FillGrid, FixedStepsFillTheGoldenTable)
{
    addFixedSteps();
    fill();
    EXPECT_EQ(dump(), testsupport::fileText(GEARSUITE_TEST_DATA "/design_program/outputs/fixed_steps.grid"));
    EXPECT_EQ(grid().topRow(), 2) << "every row fits the window";
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(FillGrid, ARefillKeepsNoFormatOfTheLastOne)
{
    addFixedSteps();
    fill();
    done.removeLast();
    done.removeLast();
    done.removeLast();
    done.removeLast();
    done.add("Main Inputs2", "Plain", "btnMainInputs", plainTable("K", 6));
    fill();
    for (int row = 2; row < grid().rowCount(); ++row)
        for (int column = 0; column < 4; ++column) {
            EXPECT_NE(grid().cellForeColor(row, column), QColor(255, 0, 0)) << row << "," << column;
            EXPECT_FALSE(grid().cellItalic(row, column)) << row << "," << column;
        }
    EXPECT_EQ(grid().rowCount(), 2 + 1 + 6);
}

TEST_F(FillGrid, OnlyTheStartupScreenShowsTheHeadersAndOneEmptyRow)
{
    done.add("Startup Screen", "", "", std::nullopt, false);
    fill();
    EXPECT_EQ(dump(), "grid shown\n"
                      "0 - Variable{RBb} | PINION{CBb} | GEAR{CBb} | DESCRIPTION{LBb}\n"
                      "1 M {LM} | {CMb} | {LM} | {LM}\n"
                      "2 - {LM} | {LM} | {LM} | {LM}\n"
                      "step Startup Screen 0 0\n"
                      "buttons btnCloseWindow\n"
                      "menus\n");
}

TEST_F(FillGrid, NoDoneStepHidesTheGridAndOffersOnlyClosingAndUpdating)
{
    fill();
    EXPECT_FALSE(grid().visible());
    EXPECT_EQ(shownButtons(), std::vector<std::string>{"btnCloseWindow"});
    outputs->setAutoUpdate(false);
    fill(true);
    EXPECT_FALSE(grid().visible());
    EXPECT_EQ(shownButtons(), (std::vector<std::string>{"btnCloseWindow", "btnUpdateOutputs"}));
}

TEST_F(FillGrid, AutoUpdateOffHidesTheGridUnlessTheFillIsForced)
{
    addFixedSteps();
    fill();
    outputs->setAutoUpdate(false);
    fill();
    EXPECT_FALSE(grid().visible());
    EXPECT_EQ(shownButtons(), (std::vector<std::string>{"btnCloseWindow", "btnUpdateOutputs"}));
    EXPECT_TRUE(shownSectionMenus().empty());
    EXPECT_TRUE(menu("mnuUpdateOutputs").enabled());
    fill(true);
    EXPECT_TRUE(grid().visible());
    EXPECT_EQ(shownButtons(), (std::vector<std::string>{"btnCloseWindow", "btnUpdateOutputs", "btnMainInputs",
                                                        "btnCenterDistance", "btnHobInfo"}));
}

// Links the walk cannot trust: each done step is shown once at most, and a
// done step it misses keeps no rows.
TEST_F(FillGrid, ACycleOrAStrayLinkEndsTheWalk)
{
    T_State& first = done.add("Main Inputs", "A", "btnMainInputs", plainTable("A", 2));
    T_State& second = done.add("Center Distance", "B", "btnCenterDistance", plainTable("B", 2));
    T_State& third = done.add("Tooth Thickness", "C", "btnToothThickness", plainTable("C", 2));
    second.NextState = &first; // back to the start
    fill();
    EXPECT_EQ(grid().rowCount(), 2 + 3 + 3);
    EXPECT_EQ(first.GridStartRow, 2);
    EXPECT_EQ(second.GridStartRow, 5);
    EXPECT_EQ(third.GridStartRow, 0);
    EXPECT_EQ(third.GridEndRow, 0);

    T_State stray;
    stray.Name = "Stray";
    stray.PrintHeading = "S";
    stray.StateString = plainTable("S", 2);
    second.NextState = &stray;
    fill();
    EXPECT_EQ(grid().rowCount(), 2 + 3 + 3);
    EXPECT_EQ(stray.GridStartRow, 0);
    EXPECT_EQ(shownButtons(), (std::vector<std::string>{"btnCloseWindow", "btnMainInputs", "btnCenterDistance",
                                                        "btnToothThickness"}))
        << "every done step offers its section";

    // With every step linked behind another, the walk starts at the last one.
    third.NextState = nullptr;
    first.PreviousState = &third;
    second.NextState = &third;
    fill();
    EXPECT_EQ(third.GridStartRow, 2);
    EXPECT_EQ(grid().cellText(2, 1), "C");
}

TEST_F(FillGrid, OneHobStepShowsTheHobSection)
{
    done.add("Main Inputs", "Main Inputs", "btnMainInputs", plainTable("M", 2));
    T_State& hob = done.add("Gear Hob", "Hob Information", "btnHobInfo", plainTable("H", 3));
    fill();
    EXPECT_EQ(hob.GridStartRow, 5);
    EXPECT_EQ(hob.GridEndRow, 8);
    EXPECT_EQ(shownSectionMenus(), (std::vector<std::string>{"mnuGridMainInputs", "mnuGridHobInformation"}));
}

TEST_F(FillGrid, ARowThatFailsIsLoggedAndSkipped)
{
    T_State& step = done.add("Main Inputs", "Main Inputs", "btnMainInputs",
                             tableOf({pairRow("A", "1", "2", "first"),
                                      {Cell{"B"}, Cell{LabelRef{"frmMain", "lblFailing", -1}}, Cell{"2"}, Cell{"fails"}},
                                      pairRow("C", "3", "4", "after")}));
    fill();
    EXPECT_EQ(host.errors, std::vector<std::string>{"clsQXOutputs.FillGridFromStates 13 Type mismatch"});
    EXPECT_EQ(grid().rowCount(), 5);
    EXPECT_EQ(grid().cellText(3, 0), "A");
    EXPECT_EQ(grid().cellText(4, 0), "C");
    EXPECT_EQ(step.GridEndRow, 4);
}

TEST_F(FillGrid, TheGridFontFollowsTheSettings)
{
    EXPECT_EQ(grid().font().family(), "DejaVu Sans");
    EXPECT_EQ(grid().font().pointSize(), 10);
    outputs->GridFontSize(13);
    outputs->GridFontName("DejaVu Serif");
    EXPECT_EQ(grid().font().pointSize(), 13);
    EXPECT_EQ(grid().font().family(), "DejaVu Serif");
    addFixedSteps();
    fill();
    EXPECT_EQ(grid().font().pointSize(), 13) << "a fill keeps the font";
}

} // namespace
} // namespace outputstest
