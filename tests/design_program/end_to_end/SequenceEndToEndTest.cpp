#include "design_program/shell/windows/StartedProgram.h"

#include "forms/MenuItem.h"
#include "forms/PictureBox.h"
#include "sequence/T_StateNavigator.h"
#include "shell/Clipboard.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The real program started in this process, stepped through its main window
// by the buttons and menus a user presses.
class DesignSequenceRun : public StartedProgram {
protected:
    void SetUp() override
    {
        shellservices::setClipboardText(QStringLiteral("left by another program"));
        answerDisclaimer(true, false);
        ASSERT_NE(startup->gobjStateNavigator, nullptr);
    }

    forms::Form& main() { return window("frmMain"); }
    cindrel::sequence::T_StateNavigator& navigator() { return *startup->gobjStateNavigator; }

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
};

TEST_F(DesignSequenceRun, StartsOnTheStartupScreenWithTheButtonsTakenOver)
{
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(done(), IsEmpty());
    EXPECT_EQ(clipboard(), "left by another program") << "nothing is copied before a Next";
    EXPECT_TRUE(startup->gobjOutputs->AutoUpdate());
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
    EXPECT_EQ(startup->gobjOutputs->fillCount(), 3);
    EXPECT_THAT(startup->gobjOutputs->lastFill(), ElementsAreArray(done()));

    press("cmdPrevious");
    expectStep("Center Distance", 2, true, false);
    EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs"));
    EXPECT_THAT(startup->gobjOutputs->lastFill(), ElementsAreArray(done()));

    press("cmdPrevious");
    press("cmdPrevious");
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(done(), IsEmpty());
    EXPECT_EQ(startup->gobjOutputs->fillCount(), 6);
    EXPECT_THAT(dialogs.requests(), IsEmpty()) << "no step asked anything";
}

TEST_F(DesignSequenceRun, FinishGoesOnUntilAStepDoesNotAdvance)
{
    press("cmdNext");
    press("cmdFinished");
    // Which rating-factor step follows is chosen by the tooth proportions;
    // until they are read, the sequence waits there.
    expectStep("Tooth Proportions", 4, true, false);
    EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness"));
    EXPECT_EQ(navigator().LastFinishState(), &navigator().CurrentState());

    press("cmdFinished");
    expectStep("Tooth Proportions", 4, true, false);
    EXPECT_EQ(done().size(), 4u);
}

TEST_F(DesignSequenceRun, FileNewGoesBackToTheStartupScreenKeepingTheAutomaticUpdate)
{
    press("cmdNext");
    press("cmdNext");
    press("cmdNext");
    const int fills = startup->gobjOutputs->fillCount();
    choose("mnuNew");
    expectStep("Startup Screen", 0, false, false);
    EXPECT_THAT(done(), IsEmpty());
    EXPECT_TRUE(startup->gobjOutputs->AutoUpdate());
    EXPECT_EQ(startup->gobjOutputs->fillCount(), fills) << "stepping back only hid the grid";
    EXPECT_FALSE(window("frmScreenOutput").visible());

    press("cmdNext");
    expectStep("Main Inputs", 1, true, false);
    EXPECT_EQ(startup->gobjOutputs->fillCount(), fills + 1);
}

TEST_F(DesignSequenceRun, ShutDownReleasesTheNavigatorAndItsButtons)
{
    press("cmdNext");
    startup->ShutDown();
    EXPECT_EQ(startup->gobjStateNavigator, nullptr);
    EXPECT_THAT(exitCodes, ElementsAre(0));
    main().get<forms::CommandButton>(QStringLiteral("cmdNext")).click(); // reaches nothing
}

} // namespace
