#include "design_program/shell/windows/StartedProgram.h"

#include "forms/MenuItem.h"
#include "grid/Grid.h"
#include "forms/PictureBox.h"
#include "sequence/T_StateNavigator.h"
#include "shell/Clipboard.h"

#include <variant>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The real program started in this process, stepped through its main window
// by the buttons and menus a user presses.
class DesignSequenceRun : public StartedProgram {
protected:
    void SetUp() override
    {
        // The deflection analysis writes its dumps in the current folder.
        std::filesystem::current_path(folder.path());
        shellservices::setClipboardText(QStringLiteral("left by another program"));
        answerDisclaimer(true, false);
        ASSERT_NE(startup->gobjStateNavigator(), nullptr);
    }

    void TearDown() override { std::filesystem::current_path(startFolder); }

    forms::Form& main() { return window("frmMain"); }
    cindrel::sequence::T_StateNavigator& navigator() { return *startup->gobjStateNavigator(); }

    // A hidden button still clicks: a user can press only what shows.
    void press(const char* button)
    {
        auto& control = main().get<forms::CommandButton>(QString::fromLatin1(button));
        ASSERT_TRUE(control.visible()) << button << " is hidden";
        ASSERT_TRUE(main().visible()) << "the main window is hidden";
        control.click();
        QCoreApplication::processEvents();
    }
    void choose(const char* menu)
    {
        main().get<forms::MenuItem>(QString::fromLatin1(menu)).click();
        QCoreApplication::processEvents();
    }

    std::string current() { return navigator().CurrentState().Name; }
    std::vector<std::string> done() { return navigator().StateCollection().Keys(); }
    bool shows(const char* name) { return main().find(QString::fromLatin1(name))->visible(); }

    // The step panels shown, by index.
    std::vector<int> panelsShown()
    {
        std::vector<int> shown;
        for (int index : main().arrayIndexes(QStringLiteral("picStates")))
            if (main().get<forms::PictureBox>(QStringLiteral("picStates"), index).visible())
                shown.push_back(index);
        return shown;
    }

    // What a step shows: its panel alone, and the buttons and menus it offers.
    void expectStep(const std::string& name, int panel, bool previous, bool menus)
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(current(), name);
        EXPECT_THAT(panelsShown(), ElementsAre(panel));
        EXPECT_TRUE(main().visible());
        EXPECT_FALSE(window("frmAGMA").visible());
        EXPECT_EQ(shows("cmdPrevious"), previous);
        EXPECT_TRUE(shows("cmdNext"));
        EXPECT_TRUE(shows("cmdFinished"));
        EXPECT_EQ(main().get<forms::MenuItem>(QStringLiteral("mnuMFGOutputs")).visible(), menus);
        EXPECT_EQ(main().get<forms::MenuItem>(QStringLiteral("mnuDraw")).visible(), menus);
    }

    std::string clipboard() { return shellservices::clipboardText().toStdString(); }

    const std::filesystem::path startFolder = std::filesystem::current_path();

    grid::Grid& resultsGrid() { return window("frmScreenOutput").get<grid::Grid>(QStringLiteral("grdOutputs")); }
    int gridEnd(const char* step) { return navigator().state(step).GridEndRow; }
    int gridStart(const char* step) { return navigator().state(step).GridStartRow; }

    // The clipboard holds the tables of these steps, a CR LF line per row,
    // each table beginning with its first key.
    void expectClipboardHolds(const std::vector<std::string>& stepNames)
    {
        const std::string text = clipboard();
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find("\r\n", start);
            ASSERT_NE(end, std::string::npos) << "a line without its CR LF";
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        std::size_t line = 0;
        for (const std::string& name : stepNames) {
            const auto& table = navigator().state(name).StateString;
            ASSERT_TRUE(table.has_value()) << name;
            const auto& firstKey = std::get<std::string>(table->at(0, cindrel::results::ResultRow::Key));
            ASSERT_LT(line, lines.size());
            EXPECT_TRUE(lines[line].starts_with(firstKey + ",")) << name << ": " << lines[line];
            line += static_cast<std::size_t>(table->rowCount());
        }
        EXPECT_EQ(line, lines.size());
    }
};

TEST_F(DesignSequenceRun, StartsOnTheStartupScreenWithTheButtonsTakenOver)
{
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(done(), IsEmpty());
    EXPECT_EQ(clipboard(), "left by another program") << "nothing is copied before a Next";
    EXPECT_TRUE(startup->gobjOutputs()->AutoUpdate());
}

TEST_F(DesignSequenceRun, NextAndPreviousMoveThroughTheStepsOnTheMainWindow)
{
    press("cmdNext");
    expectStep("Main Inputs", 1, true, false);
    EXPECT_THAT(done(), ElementsAre("Startup Screen"));
    EXPECT_EQ(clipboard(), "") << "the first Next empties the clipboard";

    press("cmdNext");
    expectStep("Center Distance", 2, true, false);
    EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs"));
    EXPECT_EQ(clipboard(), "") << "and so does the second";

    press("cmdNext");
    expectStep("Tooth Thickness", 3, true, false);
    EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs", "Center Distance"));
    expectClipboardHolds({"Main Inputs", "Center Distance"});
    // The results grid follows: a section per table, in path order.
    EXPECT_TRUE(resultsGrid().visible());
    EXPECT_GT(gridStart("Main Inputs"), 0);
    EXPECT_GT(gridStart("Center Distance"), gridEnd("Main Inputs"));
    EXPECT_GE(resultsGrid().rowCount(), gridEnd("Center Distance"));

    press("cmdPrevious");
    expectStep("Center Distance", 2, true, false);
    EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs"));
    EXPECT_LE(resultsGrid().rowCount(), gridStart("Center Distance")) << "the grid lost the step gone back over";

    press("cmdPrevious");
    press("cmdPrevious");
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(done(), IsEmpty());
    EXPECT_THAT(dialogs.requests(), IsEmpty()) << "no step asked anything";
}

TEST_F(DesignSequenceRun, FinishTakesTheDefaultDesignToTheLastStep)
{
    press("cmdNext");
    press("cmdFinished");
    // The default design is hobless, its factors typed on the main window.
    EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness",
                                    "Tooth Proportions", "Agma on Main", "Horsepower and CP",
                                    "Scoring and SubShear Inputs"));
    EXPECT_EQ(current(), "Scoring and SubShear Graphs");
    EXPECT_EQ(navigator().LastFinishState(), &navigator().CurrentState());
    EXPECT_THAT(panelsShown(), ElementsAre(10));
    EXPECT_TRUE(shows("cmdPrevious"));
    EXPECT_FALSE(shows("cmdNext"));
    EXPECT_FALSE(shows("cmdFinished"));
    EXPECT_TRUE(main().get<forms::MenuItem>(QStringLiteral("mnuMFGOutputs")).visible());
    EXPECT_TRUE(main().get<forms::MenuItem>(QStringLiteral("mnuDraw")).visible());
    EXPECT_THAT(dialogs.requests(), IsEmpty()) << "no step refused or failed";
    expectClipboardHolds({"Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions", "Agma on Main",
                          "Horsepower and CP", "Scoring and SubShear Inputs"});

    press("cmdPrevious");
    expectStep("Scoring and SubShear Inputs", 9, true, true);
    EXPECT_EQ(done().size(), 7u);
}

TEST_F(DesignSequenceRun, FileNewGoesBackToTheStartupScreenKeepingTheAutomaticUpdate)
{
    press("cmdNext");
    press("cmdNext");
    press("cmdNext");
    dialogs.answerMessageBox(dialogs::ButtonNo); // the design changed: not saved
    choose("mnuNew");
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(done(), IsEmpty());
    EXPECT_TRUE(startup->gobjOutputs()->AutoUpdate());
    EXPECT_FALSE(resultsGrid().visible()) << "stepping back with the automatic update off hid the grid";
    const auto asked = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Save current data?"));

    press("cmdNext");
    expectStep("Main Inputs", 1, true, false);
    EXPECT_TRUE(resultsGrid().visible()) << "the next Next fills it again";
}

TEST_F(DesignSequenceRun, FileOpenGoesBackToTheStartupScreen)
{
    const auto design = folder.file("pair.cnd");
    std::filesystem::copy_file(programFolder() / "Cindrel.def", design);
    press("cmdNext");
    press("cmdNext");
    dialogs.answerMessageBox(dialogs::ButtonNo);
    dialogs.answerFile(QString::fromStdString(design.string()));
    choose("mnuFileOpen");
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(done(), IsEmpty());
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);
}

TEST_F(DesignSequenceRun, NothingIsAskedWhenTheDesignWasNotChanged)
{
    choose("mnuNew");
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(dialogs.requests(), IsEmpty());
}

TEST_F(DesignSequenceRun, ShutDownReleasesTheNavigatorAndItsButtons)
{
    press("cmdNext");
    startup->ShutDown();
    EXPECT_EQ(startup->gobjStateNavigator(), nullptr);
    EXPECT_THAT(exitCodes, ElementsAre(0));
    main().get<forms::CommandButton>(QStringLiteral("cmdNext")).click(); // reaches nothing
}

} // namespace
