#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/ComboBox.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/TabStrip.h"
#include "forms/TreeView.h"
#include "sequence/T_StateNavigator.h"
#include "shell/Clipboard.h"

#include <algorithm>
#include <variant>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The real program in this process, walked through the load, rating and
// lubrication steps by the buttons a user presses on its windows.
class RatingStepsWalk : public WalkedProgram {
protected:
    forms::Form& agma() { return window("frmAGMA"); }

    void tick(const char* box, int index, bool ticked)
    {
        main().get<forms::CheckBox>(QString::fromLatin1(box), index).setCheckValue(ticked ? 1 : 0);
    }

    // The messages shown, to tell why a step refused.
    std::string messagesShown()
    {
        std::string shown;
        for (const auto& request : dialogs.requestsOf<dialogs::MessageBoxRequest>())
            shown += request.text.toStdString() + "\n";
        return shown;
    }

    void type(const char* box, int index, const char* text)
    {
        main().get<forms::TextBox>(QString::fromLatin1(box), index).setText(QString::fromLatin1(text));
    }
    // A choice made in a combo reaches the hidden label the step reads.
    void choose(const char* combo, int index, int item, const char* label)
    {
        main().get<forms::ComboBox>(QString::fromLatin1(combo), index).setListIndex(item);
        ASSERT_EQ(main().get<forms::Label>(QString::fromLatin1(label), index).caption(), QString::number(item)) << combo;
    }
    void tickAgma(bool ticked)
    {
        main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(ticked ? 1 : 0);
    }

    bool hasTable(const char* step) { return navigator().state(step).StateString.has_value(); }

    std::vector<std::string> clipboardLines()
    {
        const std::string text = shellservices::clipboardText().toStdString();
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                ADD_FAILURE() << "a line without its CR LF";
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    // The clipboard holds the tables of these steps, a line per row, each
    // table beginning with its first key.
    void expectClipboardHolds(const std::vector<std::string>& stepNames)
    {
        const auto lines = clipboardLines();
        std::size_t line = 0;
        for (const std::string& name : stepNames) {
            const auto& table = navigator().state(name).StateString;
            ASSERT_TRUE(table.has_value()) << name;
            const auto& firstKey = std::get<std::string>(table->at(0, cindrel::results::ResultRow::Key));
            ASSERT_LT(line, lines.size()) << name;
            EXPECT_TRUE(lines[line].starts_with(firstKey + ",")) << name << ": " << lines[line];
            line += static_cast<std::size_t>(table->rowCount());
        }
        EXPECT_EQ(line, lines.size());
    }
};

TEST_F(RatingStepsWalk, SpurEnglishDesignWithFactorsOnTheMainWindowReachesTheGraphsStepByStep)
{
    const std::vector<std::string> path = {"Startup Screen",    "Main Inputs",       "Center Distance",
                                           "Tooth Thickness",   "Tooth Proportions", "Agma on Main",
                                           "Horsepower and CP", "Scoring and SubShear Inputs"};
    next();
    ASSERT_EQ(current(), "Main Inputs");
    ASSERT_EQ(main().get<forms::CheckBox>(QStringLiteral("chkMetricUnits")).checkValue(), 0);
    choose("cmbToothOrient", -1, 0, "lblToothOrient");
    next();
    next();
    ASSERT_EQ(current(), "Tooth Thickness");
    for (int member : {0, 1}) {
        type("txtMinEdgeBreak", member, "0");
        type("txtMaxEdgeBreak", member, "0");
    }
    next();
    ASSERT_EQ(current(), "Tooth Proportions");
    for (int member : {0, 1})
        choose("cmbFilletType", member, 0, "lblFilletType");
    tickAgma(false);

    // Each Next from here lands on the next rating step, with the table of the step left.
    for (std::size_t step = 4; step + 1 < path.size(); ++step) {
        SCOPED_TRACE(path[step]);
        ASSERT_EQ(current(), path[step]);
        next();
        ASSERT_EQ(current(), path[step + 1]);
        EXPECT_TRUE(hasTable(path[step].c_str()));
        EXPECT_TRUE(main().visible());
        EXPECT_FALSE(agma().visible());
    }
    next();
    EXPECT_EQ(current(), "Scoring and SubShear Graphs");
    EXPECT_EQ(done(), path);
    for (std::size_t step = 1; step < path.size(); ++step)
        EXPECT_TRUE(hasTable(path[step].c_str())) << path[step];
    EXPECT_FALSE(main().get<forms::CommandButton>(QStringLiteral("cmdNext")).visible());
    EXPECT_THAT(dialogs.requests(), IsEmpty()) << "no step refused or failed";

    expectClipboardHolds({path.begin() + 1, path.end()});
    const auto lines = clipboardLines();
    EXPECT_EQ(lines.size(), 85u);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ",,,"), 1) << "one empty row among the tables";
}

TEST_F(RatingStepsWalk, HelicalMetricDesignWithBothHobsThroughTheFactorsWindow)
{
    next();
    ASSERT_EQ(current(), "Main Inputs");
    // 20/40 teeth, normal module 3 mm, 20 degrees normal, helix 20 degrees,
    // face 30 mm, standard centre distance; chordal normal thickness at the
    // standard circle, just under half the normal pitch, 3 pi / 2 = 4.712 mm.
    tick("chkMetricUnits", -1, true);
    ASSERT_EQ(main().get<forms::Label>(QStringLiteral("lblLengthUnits"), 0).caption().trimmed(), QStringLiteral("(mm)"));
    choose("cmbToothOrient", -1, 1, "lblToothOrient");
    type("txtHelixAngleDEG", -1, "20");
    type("txtDP", -1, "3");
    // Steel in MPa, roughness in micrometres, oil at 70 degrees C: the
    // default design's English figures would be refused in metric.
    for (int member : {0, 1}) {
        type("txtFaceWidth", member, "30");
        type("txtYoungsModulus", member, "206000");
    }
    type("txtSurfaceFinish", -1, "0.8");
    type("txtLubeTemp", -1, "70");
    next();
    ASSERT_EQ(current(), "Center Distance") << messagesShown();
    next();
    ASSERT_EQ(current(), "Tooth Thickness") << messagesShown();
    for (int member : {0, 1}) {
        for (const char* box : {"chkCircularTThk", "chkTThkTransverse", "chkTThkOperating"})
            tick(box, member, false);
        type("txtMinTThk", member, "4.60");
        type("txtMaxTThk", member, "4.65");
    }
    next();
    ASSERT_EQ(current(), "Tooth Proportions") << messagesShown();
    for (int member : {0, 1})
        choose("cmbFilletType", member, 1, "lblFilletType");
    tickAgma(true);
    next();
    ASSERT_EQ(current(), "Pinion Hob") << messagesShown();
    EXPECT_EQ(navigator().HobMode, 3);
    press(main(), "cmdDefaultHob", 0);
    next();
    ASSERT_EQ(current(), "Gear Hob") << messagesShown();
    press(main(), "cmdDefaultHob", 1);
    next();
    ASSERT_EQ(current(), "AGMA Factors") << messagesShown();
    EXPECT_TRUE(hasTable("Pinion Hob"));
    EXPECT_TRUE(hasTable("Gear Hob"));
    EXPECT_FALSE(main().visible());
    ASSERT_TRUE(agma().visible());

    // Next shows on the power tab only, which opens once both materials are
    // chosen; it commits and moves on.
    EXPECT_FALSE(agma().get<forms::CommandButton>(QStringLiteral("cmdNext")).visible());
    auto& tabs = agma().get<forms::TabStrip>(QStringLiteral("tabMain"));
    tabs.setSelectedTab(1);
    for (int member : {0, 1}) {
        press(agma(), "cmdPoG", member);
        const QString throughHardenedGrade1 = QStringLiteral("3a");
        auto& tree = agma().get<forms::TreeView>(QStringLiteral("TreeView"));
        tree.select(throughHardenedGrade1);
        tree.onNodeClick(throughHardenedGrade1);
    }
    tabs.setSelectedTab(8);
    ASSERT_EQ(tabs.selectedTab(), 8) << messagesShown();
    agma().get<forms::TextBox>(QStringLiteral("txtKo")).setText(QStringLiteral("1.25"));
    ASSERT_NE(main().get<forms::TextBox>(QStringLiteral("txtKo")).text(), QStringLiteral("1.25"));
    press(agma(), "cmdNext");
    EXPECT_EQ(current(), "Horsepower and CP") << messagesShown();
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(agma().visible());
    EXPECT_TRUE(hasTable("AGMA Factors"));
    EXPECT_EQ(done().back(), "AGMA Factors");
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtKo")).text(), QStringLiteral("1.25")) << "committed";

    // Back to the window, and Previous there goes back to the last hob.
    press(main(), "cmdPrevious");
    ASSERT_EQ(current(), "AGMA Factors");
    ASSERT_TRUE(agma().visible());
    EXPECT_FALSE(main().visible());
    press(agma(), "cmdPrevious");
    EXPECT_EQ(current(), "Gear Hob") << messagesShown();
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(agma().visible());
    EXPECT_EQ(done().back(), "Pinion Hob");

    // Closing the window is a Next when the user was moving forward: the
    // window stays loaded for the next visit.
    next();
    ASSERT_EQ(current(), "AGMA Factors") << messagesShown();
    agma().window()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(current(), "Horsepower and CP") << messagesShown();
    EXPECT_TRUE(agma().isLoaded());
    EXPECT_FALSE(agma().visible());
    EXPECT_TRUE(main().visible());

    next();
    next();
    EXPECT_EQ(current(), "Scoring and SubShear Graphs") << messagesShown();
    EXPECT_EQ(done(), (std::vector<std::string>{"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness",
                                                "Tooth Proportions", "Pinion Hob", "Gear Hob", "AGMA Factors",
                                                "Horsepower and CP", "Scoring and SubShear Inputs"}));
    for (const char* step : {"AGMA Factors", "Horsepower and CP", "Scoring and SubShear Inputs"})
        EXPECT_TRUE(hasTable(step)) << step;
    EXPECT_THAT(dialogs.requests(), IsEmpty()) << messagesShown();
}

// A design opened or made new shows none of the last design's results: the
// allowable powers that the factors window wrote onto the load panel and
// into the load table are gone, and the new walk works out its own.
class NewDesignAfterRating : public RatingStepsWalk, public ::testing::WithParamInterface<const char*> {};

TEST_P(NewDesignAfterRating, ForgetsTheAllowablePowersOfTheLastDesign)
{
    next();
    tickAgma(true);
    press(main(), "cmdFinished");
    ASSERT_EQ(current(), "AGMA Factors") << messagesShown();
    auto& tabs = agma().get<forms::TabStrip>(QStringLiteral("tabMain"));
    tabs.setSelectedTab(1);
    for (int member : {0, 1}) {
        press(agma(), "cmdPoG", member);
        auto& tree = agma().get<forms::TreeView>(QStringLiteral("TreeView"));
        tree.select(QStringLiteral("3a"));
        tree.onNodeClick(QStringLiteral("3a"));
    }
    tabs.setSelectedTab(8);
    press(agma(), "cmdNext");
    ASSERT_EQ(current(), "Horsepower and CP") << messagesShown();
    const auto& powerFrame = main().get<forms::Control>(QStringLiteral("fraAGMA_HPs"));
    auto& pinionPitting = main().get<forms::TextBox>(QStringLiteral("txtSAC"), 0);
    ASSERT_TRUE(powerFrame.visible());
    ASSERT_FALSE(pinionPitting.text().isEmpty());
    ASSERT_TRUE(navigator().All4Horsepowers.has_value());

    const std::string command = GetParam();
    dialogs.answerMessageBox(dialogs::ButtonNo); // the design changed: not saved
    if (command == "mnuFileOpen") {
        const auto design = folder.file("pair.cnd");
        std::filesystem::copy_file(programFolder() / "Cindrel.def", design);
        dialogs.answerFile(QString::fromStdString(design.string()));
    }
    main().get<forms::MenuItem>(QString::fromStdString(command)).click();
    QCoreApplication::processEvents();
    ASSERT_EQ(current(), "Startup Screen");
    EXPECT_FALSE(powerFrame.visible());
    for (const char* box : {"txtSAC", "txtSAT"})
        for (int member : {0, 1})
            EXPECT_TRUE(main().get<forms::TextBox>(QString::fromLatin1(box), member).text().isEmpty()) << box;
    EXPECT_FALSE(navigator().All4Horsepowers.has_value());
    for (const auto& step : navigator().states())
        EXPECT_FALSE(step.StateString.has_value()) << step.Name;

    // The default design types its factors on the main window: its load
    // table has no allowable powers, and its panel shows none.
    next();
    press(main(), "cmdFinished");
    ASSERT_EQ(current(), "Scoring and SubShear Graphs") << messagesShown();
    const auto& load = *navigator().state("Horsepower and CP").StateString;
    for (int row = 0; row <= load.lastRow(); ++row) {
        const std::string key = std::get<std::string>(load.at(row, cindrel::results::ResultRow::Key));
        EXPECT_NE(key, "PAC");
        EXPECT_NE(key, "PAT");
        EXPECT_NE(key, "Pitting SF");
    }
    EXPECT_FALSE(powerFrame.visible());
}

INSTANTIATE_TEST_SUITE_P(FileMenu, NewDesignAfterRating, ::testing::Values("mnuNew", "mnuFileOpen"));

// Finish stops where the user has to answer: on the AGMA factors window when
// the factors are asked there, on the graphs when they are typed on the main window.
struct FinishCase {
    bool agmaWindow;
    std::string stop;
    std::vector<std::string> done;
};

class FinishFromMainInputs : public RatingStepsWalk, public ::testing::WithParamInterface<FinishCase> {};

TEST_P(FinishFromMainInputs, StopsOnTheFactorsWindowOnlyWhenItIsAsked)
{
    const FinishCase& c = GetParam();
    next();
    ASSERT_EQ(current(), "Main Inputs");
    tickAgma(c.agmaWindow);
    press(main(), "cmdFinished");
    EXPECT_EQ(current(), c.stop);
    EXPECT_EQ(done(), c.done);
    EXPECT_EQ(navigator().LastFinishState(), &navigator().CurrentState());
    EXPECT_EQ(main().visible(), !c.agmaWindow);
    EXPECT_EQ(agma().visible(), c.agmaWindow);
    EXPECT_THAT(dialogs.requests(), IsEmpty()) << "no step refused or failed";
}

INSTANTIATE_TEST_SUITE_P(
    AgmaChoice, FinishFromMainInputs,
    ::testing::Values(FinishCase{true, "AGMA Factors",
                                 {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness",
                                  "Tooth Proportions"}},
                      FinishCase{false, "Scoring and SubShear Graphs",
                                 {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness",
                                  "Tooth Proportions", "Agma on Main", "Horsepower and CP",
                                  "Scoring and SubShear Inputs"}}),
    [](const ::testing::TestParamInfo<FinishCase>& info) {
        return std::string(info.param.agmaWindow ? "AgmaWindow" : "AgmaOnMain");
    });

} // namespace
