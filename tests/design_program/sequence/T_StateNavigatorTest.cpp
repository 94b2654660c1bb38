#include "SequenceFakes.h"
#include "design_program/model/ReferencePairs.h"

#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "results/TableRun.h"
#include "sequence/T_StateNavigator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace cindrel::sequence {
namespace {

using namespace testing;

// The panel of each step, -1 for the AGMA factors window.
const std::map<std::string, int> panelOf = {
    {"Startup Screen", 0}, {"Main Inputs", 1},       {"Center Distance", 2},
    {"Tooth Thickness", 3}, {"Tooth Proportions", 4}, {"Pinion Hob", 5},
    {"Gear Hob", 6},       {"Horsepower and CP", 7},  {"Agma on Main", 8},
    {"AGMA Factors", -1},  {"Scoring and SubShear Inputs", 9}, {"Scoring and SubShear Graphs", 10},
};

struct NavigatorTest : ::testing::Test, SequenceFixture {
    // A pair whose dimensions the AGMA factors window can take.
    NavigatorTest() { model::testing::setUpSpurPair(Oset); }

    // The hob steps of the design, for the menus' rule.
    std::vector<std::string> hobSteps() const
    {
        switch (navigator->HobMode) {
        case 1: return {"Pinion Hob"};
        case 2: return {"Gear Hob"};
        case 3: return {"Pinion Hob", "Gear Hob"};
        default: return {};
        }
    }

    // Everything a move decides, checked against the step and the done steps expected.
    void expectSequence(const std::string& expectedCurrent, const std::vector<std::string>& expectedDone)
    {
        SCOPED_TRACE("on " + expectedCurrent);
        ASSERT_EQ(current(), expectedCurrent);
        ASSERT_EQ(done(), expectedDone);

        // The done steps form one chain in dictionary order, open at both ends.
        const std::vector<T_State*> items = navigator->StateCollection().Items();
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i]->PreviousState, i == 0 ? nullptr : items[i - 1]) << items[i]->Name;
            EXPECT_EQ(items[i]->NextState, i + 1 == items.size() ? nullptr : items[i + 1]) << items[i]->Name;
        }
        EXPECT_EQ(navigator->LastDoneState(), items.empty() ? nullptr : items.back());

        const int shownPanel = panelOf.at(expectedCurrent);
        for (int i = 0; i <= 10; ++i)
            EXPECT_EQ(controls.visible(panel(i)), i == shownPanel) << "panel " << i;
        EXPECT_EQ(controls.windowVisible("frmMain"), shownPanel >= 0);
        EXPECT_EQ(controls.windowVisible("frmAGMA"), shownPanel < 0);

        EXPECT_EQ(controls.visible(mainControl("cmdPrevious")), expectedCurrent != "Startup Screen");
        const bool last = expectedCurrent == "Scoring and SubShear Graphs";
        EXPECT_EQ(controls.visible(mainControl("cmdNext")), !last);
        EXPECT_EQ(controls.visible(mainControl("cmdFinished")), !last);

        // The menus show once "Tooth Proportions" and every hob step of the design are done.
        bool menus = std::count(expectedDone.begin(), expectedDone.end(), "Tooth Proportions") == 1;
        for (const std::string& hob : hobSteps())
            menus = menus && std::count(expectedDone.begin(), expectedDone.end(), hob) == 1;
        EXPECT_EQ(controls.visible(mainControl("mnuMFGOutputs")), menus);
        EXPECT_EQ(controls.visible(mainControl("mnuDraw")), menus);
    }

    // Next as the user gives it: the main window's button, or the AGMA factors window's own.
    void userNext()
    {
        if (current() == "AGMA Factors")
            navigator->PushNextButton(1);
        else
            next();
    }
    void userPrevious()
    {
        if (current() == "AGMA Factors")
            navigator->PushNextButton(2);
        else
            previous();
    }

    void walkTo(const std::string& step)
    {
        for (int i = 0; i < 12 && current() != step; ++i)
            userNext();
        ASSERT_EQ(current(), step);
    }
};

// A check that stops the step with a numbered message while `refuse` holds.
StepHandler refusingCheck(const bool& refuse, int message)
{
    StepHandler handler;
    handler.check = [&refuse, message](T_StateNavigator& navigator, T_State&) {
        if (!refuse)
            return true;
        navigator.showResourceMessage(message);
        return false;
    };
    return handler;
}

TEST_F(NavigatorTest, StartsOnTheStartPanelWithTheTwelveSteps)
{
    start();
    expectSequence("Startup Screen", {});
    EXPECT_TRUE(controls.isBound(mainControl("cmdPrevious")));
    EXPECT_TRUE(controls.isBound(mainControl("cmdNext")));
    EXPECT_TRUE(controls.isBound(mainControl("cmdFinished")));
    ASSERT_NE(navigator->LastView(), nullptr);
    EXPECT_EQ(*navigator->LastView(), panel(0));

    struct Row {
        const char* name;
        const char* heading;
        const char* key;
        bool print;
    };
    const Row table[] = {
        {"Startup Screen", "Startup Screen", "", false},
        {"Main Inputs", "Main Inputs", "btnMainInputs", true},
        {"Center Distance", "Center Distance", "btnCenterDistance", true},
        {"Tooth Thickness", "Tooth Thickness", "btnToothThickness", true},
        {"Tooth Proportions", "Tooth Proportions", "btnToothProp", true},
        {"Pinion Hob", "Hob Information", "btnHobInfo", true},
        {"Gear Hob", "Hob Information", "btnHobInfo", true},
        {"Horsepower and CP", "Horsepower and Elasticity Coefficient", "btnToothLoad", true},
        {"Agma on Main", "AGMA Factors", "btnAGMA", true},
        {"AGMA Factors", "AGMA Factors", "btnAGMA", true},
        {"Scoring and SubShear Inputs", "Scoring and SubShear", "btnScoring", true},
        {"Scoring and SubShear Graphs", "Scoring and SubShear Graphs", "", true},
    };
    for (std::size_t i = 0; i < 12; ++i) {
        const T_State& step = navigator->states()[i];
        EXPECT_EQ(step.Name, table[i].name);
        EXPECT_EQ(step.PrintHeading, table[i].heading);
        EXPECT_EQ(step.ToolBarButtonKey, table[i].key);
        EXPECT_EQ(step.PrintVariables, table[i].print);
        const int panelIndex = panelOf.at(step.Name);
        const ControlId view = panelIndex < 0 ? ControlId{"frmAGMA", "", -1} : panel(panelIndex);
        EXPECT_EQ(step.AssociatedView, view) << step.Name;
        EXPECT_FALSE(step.StateString.has_value());
        EXPECT_EQ(step.PreviousState, nullptr);
        EXPECT_EQ(step.NextState, nullptr);
    }
}

TEST_F(NavigatorTest, MissingMainWindowControlFailsTheCreationNamingIt)
{
    controls.remove(mainControl("cmdNext"));
    try {
        start();
        ADD_FAILURE() << "created without its Next button";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), ControlMissing);
        EXPECT_EQ(error.description(), "Control frmMain.cmdNext doesn't exist");
    }
    EXPECT_FALSE(controls.isBound(mainControl("cmdPrevious")));
    EXPECT_FALSE(controls.isBound(mainControl("cmdFinished")));
}

TEST_F(NavigatorTest, ReleasingTheNavigatorReleasesTheButtons)
{
    start();
    navigator.reset();
    EXPECT_FALSE(controls.isBound(mainControl("cmdNext")));
    EXPECT_FALSE(controls.isBound(mainControl("cmdPrevious")));
    EXPECT_FALSE(controls.isBound(mainControl("cmdFinished")));
}

struct PathCase {
    std::int32_t hobMode;
    std::int32_t agmaInputMode;
    std::vector<std::string> path;
};

class NavigatorPathTest : public NavigatorTest, public ::testing::WithParamInterface<PathCase> {};

std::string pathName(const ::testing::TestParamInfo<PathCase>& info)
{
    static const char* const hobs[] = {"NoHob", "PinionHob", "GearHob", "BothHobs"};
    return std::string(hobs[info.param.hobMode]) + (info.param.agmaInputMode == 8 ? "AgmaWindow" : "AgmaOnMain");
}

// Forward through the whole path and back to the start, checking every move.
TEST_P(NavigatorPathTest, WalksThePathForwardAndBack)
{
    const PathCase& path = GetParam();
    start();
    navigator->HobMode = path.hobMode;
    navigator->AgmaInputMode = path.agmaInputMode;

    std::vector<std::string> doneSteps;
    for (std::size_t i = 1; i < path.path.size(); ++i) {
        userNext();
        doneSteps.push_back(path.path[i - 1]);
        expectSequence(path.path[i], doneSteps);
        ASSERT_EQ(outputs.fills.size(), i);
        EXPECT_EQ(outputs.fills.back().keys, doneSteps);
        EXPECT_FALSE(outputs.fills.back().manualOveride);
        EXPECT_TRUE(navigator->MovingForward());
        EXPECT_EQ(navigator->PendingNextState(), nullptr);
    }
    EXPECT_EQ(runLog.notes.size(), path.path.size() - 1);
    EXPECT_EQ(runLog.notes.front(), "Letting variables for Startup Screen");

    // The last step has no following step: a Next there changes nothing.
    const std::size_t fills = outputs.fills.size();
    navigator->PushNextButton(1);
    expectSequence(path.path.back(), doneSteps);
    EXPECT_EQ(outputs.fills.size(), fills);

    for (std::size_t i = path.path.size() - 1; i > 0; --i) {
        userPrevious();
        doneSteps.pop_back();
        expectSequence(path.path[i - 1], doneSteps);
        EXPECT_EQ(outputs.fills.back().keys, doneSteps);
        EXPECT_FALSE(navigator->MovingForward());
    }
    // Forward again from the start: the first done step links on to nothing done.
    userNext();
    expectSequence(path.path[1], {"Startup Screen"});
    EXPECT_TRUE(runLog.errors.empty());
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NavigatorPathTest,
    ::testing::Values(
        PathCase{0, 5, {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions",
                        "Agma on Main", "Horsepower and CP", "Scoring and SubShear Inputs",
                        "Scoring and SubShear Graphs"}},
        PathCase{1, 8, {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions",
                        "Pinion Hob", "AGMA Factors", "Horsepower and CP", "Scoring and SubShear Inputs",
                        "Scoring and SubShear Graphs"}},
        PathCase{2, 5, {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions",
                        "Gear Hob", "Agma on Main", "Horsepower and CP", "Scoring and SubShear Inputs",
                        "Scoring and SubShear Graphs"}},
        PathCase{3, 8, {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions",
                        "Pinion Hob", "Gear Hob", "AGMA Factors", "Horsepower and CP",
                        "Scoring and SubShear Inputs", "Scoring and SubShear Graphs"}}),
    pathName);

TEST_F(NavigatorTest, NoFollowingStepWithoutAKnownMode)
{
    start();
    navigator->AgmaInputMode = 6;
    walkTo("Tooth Proportions");
    next();
    EXPECT_EQ(current(), "Tooth Proportions");
    navigator->HobMode = 4;
    navigator->AgmaInputMode = 5;
    next();
    EXPECT_EQ(current(), "Tooth Proportions");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NavigatorTest, ChangingTheHobChoiceChangesThePath)
{
    start();
    navigator->HobMode = 1;
    navigator->AgmaInputMode = 5;
    navigator->state("Pinion Hob").PrintVariables = false;
    walkTo("Agma on Main");
    EXPECT_TRUE(navigator->state("Pinion Hob").PrintVariables);
    previous();
    previous();
    navigator->HobMode = 0;
    next();
    expectSequence("Agma on Main",
                   {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions"});
    EXPECT_EQ(navigator->StateCollection().find("Pinion Hob"), nullptr);
}

TEST_F(NavigatorTest, PushNextButtonRepeatsTheLastMove)
{
    start();
    navigator->PushNextButton(0); // nothing done yet: a Previous does nothing
    expectSequence("Startup Screen", {});
    EXPECT_TRUE(outputs.fills.empty());

    next();
    next();
    navigator->PushNextButton(0);
    expectSequence("Tooth Thickness", {"Startup Screen", "Main Inputs", "Center Distance"});
    previous();
    navigator->PushNextButton(0);
    expectSequence("Main Inputs", {"Startup Screen"});
    navigator->PushNextButton(1);
    expectSequence("Center Distance", {"Startup Screen", "Main Inputs"});
    navigator->PushNextButton(2);
    expectSequence("Main Inputs", {"Startup Screen"});
    const std::size_t fills = outputs.fills.size();
    navigator->PushNextButton(7);
    navigator->PushNextButton(-1);
    expectSequence("Main Inputs", {"Startup Screen"});
    EXPECT_EQ(outputs.fills.size(), fills);
}

TEST_F(NavigatorTest, PreviousWithNothingDoneDoesNothing)
{
    start();
    const std::size_t shows = controls.visibilityLog.size();
    previous();
    EXPECT_EQ(controls.visibilityLog.size(), shows);
    EXPECT_TRUE(outputs.fills.empty());
    EXPECT_FALSE(navigator->MovingForward());
    expectSequence("Startup Screen", {});
}

TEST_F(NavigatorTest, BeginNewRewindsWithAutomaticUpdateOffAndKeepsIt)
{
    for (const bool autoUpdate : {true, false}) {
        SCOPED_TRACE(autoUpdate);
        outputs = {};
        outputs.autoUpdate = autoUpdate;
        start();
        navigator->AgmaInputMode = 5;
        walkTo("Scoring and SubShear Graphs");
        const std::size_t before = outputs.fills.size();

        navigator->BeginNew();
        expectSequence("Startup Screen", {});
        EXPECT_EQ(outputs.autoUpdate, autoUpdate);
        ASSERT_EQ(outputs.fills.size(), before + 8);
        for (std::size_t i = before; i < outputs.fills.size(); ++i)
            EXPECT_FALSE(outputs.fills[i].autoUpdate);

        // Already at the start: only the switch off and back.
        navigator->BeginNew();
        EXPECT_EQ(outputs.fills.size(), before + 8);
        EXPECT_EQ(outputs.autoUpdate, autoUpdate);
    }
}

TEST_F(NavigatorTest, FinishStopsOnTheAgmaFactorsWindow)
{
    start();
    navigator->AgmaInputMode = 8;
    next();
    finish();
    expectSequence("AGMA Factors",
                   {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions"});
    EXPECT_EQ(navigator->LastFinishState(), &navigator->state("AGMA Factors"));
    finish(); // a hidden button: nothing to do on this step
    EXPECT_EQ(current(), "AGMA Factors");
}

TEST_F(NavigatorTest, FinishRunsToTheLastStep)
{
    start();
    navigator->AgmaInputMode = 5;
    next();
    finish();
    expectSequence("Scoring and SubShear Graphs",
                   {"Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness", "Tooth Proportions",
                    "Agma on Main", "Horsepower and CP", "Scoring and SubShear Inputs"});
    EXPECT_EQ(navigator->LastFinishState(), &navigator->state("Scoring and SubShear Graphs"));
}

TEST_F(NavigatorTest, FinishShowsAFailingCheckOnce)
{
    bool refuse = true;
    StepHandlers handlers;
    handlers.set("Tooth Thickness", refusingCheck(refuse, 4200));
    start(std::move(handlers));
    navigator->AgmaInputMode = 5;
    walkTo("Tooth Thickness");

    finish();
    expectSequence("Tooth Thickness", {"Startup Screen", "Main Inputs", "Center Distance"});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, 4200);
    EXPECT_EQ(messages.shown[0].second, "Must fill in at least maximum or minimum gear tooth thickness");
    EXPECT_EQ(navigator->LastFinishState(), &navigator->state("Tooth Thickness"));

    // From the start it advances onto the refusing step and stops there after one message.
    navigator->BeginNew();
    finish();
    expectSequence("Tooth Thickness", {"Startup Screen", "Main Inputs", "Center Distance"});
    EXPECT_EQ(messages.shown.size(), 2u);

    // Once fixed, a Finish from the step before goes through the step where
    // the last Finish stopped and on to the end, with no further message.
    refuse = false;
    previous();
    finish();
    EXPECT_EQ(current(), "Scoring and SubShear Graphs");
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(navigator->LastFinishState(), &navigator->state("Scoring and SubShear Graphs"));
}

StepHandler failingGearHobTable()
{
    StepHandler handler;
    handler.table = [](T_StateNavigator&, T_State&, results::TableRun& run, bool& Fail) {
        run.size(0);
        run.setRow(0);
        run.cell(results::ResultRow::Key, "GH");
        Fail = true;
    };
    return handler;
}

StepHandler simpleTable(std::string key)
{
    StepHandler handler;
    handler.table = [key](T_StateNavigator&, T_State&, results::TableRun& run, bool&) {
        run.size(1);
        run.setRow(0);
        run.pairRow(key, "1.000", "2.000", "(in) " + key + " desc");
    };
    return handler;
}

TEST_F(NavigatorTest, BeginNewForgetsTheResultsOfTheDesignLeft)
{
    StepHandlers handlers;
    handlers.set("Main Inputs", simpleTable("MI")).set("Horsepower and CP", simpleTable("Power"));
    start(std::move(handlers));
    navigator->AgmaInputMode = 5;
    walkTo("Scoring and SubShear Graphs");
    ASSERT_TRUE(navigator->state("Horsepower and CP").StateString.has_value());
    // As a commit of the AGMA factors window and the checks leave them.
    navigator->All4Horsepowers = AllowablePowers{{{"PAC", 26.2f, 16.3f, "Pitting"}, {"PAT", 67.3f, 52.3f, "Bending"}}};
    navigator->JFactors = {0.345, 0.401};
    navigator->IFactor = 0.107;
    navigator->ScoringMaxValues.emplace();
    navigator->SubShearMaxValues.emplace();
    controls.setValue({"frmMain", "txtSAC", 0}, "26.2 HP");
    controls.setValue({"frmMain", "txtSAT", 1}, "52.3 HP");
    controls.setVisible({"frmMain", "fraAGMA_HPs", -1}, true);
    // As the hob steps leave the hobs.
    for (const int member : {0, 1}) {
        Oset.member(member).oHob->SetDefaultHob(1);
        Oset.member(member).oHob->Protuberance(0.002);
    }

    navigator->BeginNew();
    expectSequence("Startup Screen", {});
    for (const int member : {0, 1}) {
        const model::T_Hob& hob = *Oset.member(member).oHob;
        EXPECT_EQ(hob.HobTTk(), 0) << member;
        EXPECT_EQ(hob.Addendum(), 0) << member;
        EXPECT_EQ(hob.TipRadius(), 0) << member;
        EXPECT_EQ(hob.Protuberance(), 0) << member;
    }
    EXPECT_FALSE(navigator->All4Horsepowers.has_value());
    EXPECT_EQ(navigator->JFactors, (std::array<double, 2>{0, 0}));
    EXPECT_EQ(navigator->IFactor, 0);
    EXPECT_FALSE(navigator->ScoringMaxValues.has_value());
    EXPECT_FALSE(navigator->SubShearMaxValues.has_value());
    for (const T_State& step : navigator->states())
        EXPECT_FALSE(step.StateString.has_value()) << step.Name;
    EXPECT_EQ(controls.value({"frmMain", "txtSAC", 0}), "");
    EXPECT_EQ(controls.value({"frmMain", "txtSAT", 1}), "");
    EXPECT_FALSE(controls.visible({"frmMain", "fraAGMA_HPs", -1}));
    EXPECT_TRUE(runLog.errors.empty());
}

TEST_F(NavigatorTest, RefusedTableStepsBackThreeTimes)
{
    StepHandlers handlers;
    handlers.set("Main Inputs", simpleTable("MI")).set("Center Distance", simpleTable("CD"));
    handlers.set("Gear Hob", failingGearHobTable());
    start(std::move(handlers));
    navigator->HobMode = 2;
    navigator->AgmaInputMode = 5;
    walkTo("Gear Hob");
    const std::optional<std::string> clipboardBefore = clipboard.text;
    const int clearsBefore = clipboard.clears;
    const std::size_t fillsBefore = outputs.fills.size();
    const std::size_t logBefore = controls.visibilityLog.size();

    next();
    expectSequence("Tooth Thickness", {"Startup Screen", "Main Inputs", "Center Distance"});
    EXPECT_FALSE(navigator->state("Gear Hob").StateString.has_value());
    EXPECT_EQ(clipboard.text, clipboardBefore);
    EXPECT_EQ(clipboard.clears, clearsBefore);
    EXPECT_EQ(outputs.fills.size(), fillsBefore + 3);
    EXPECT_FALSE(navigator->MovingForward());

    // The refused step's panel is shown again on the way back, and hidden only once, when left.
    const auto hides = std::count_if(controls.visibilityLog.begin() + static_cast<long>(logBefore),
                                     controls.visibilityLog.end(),
                                     [](const auto& entry) { return entry.first == panel(6) && !entry.second; });
    EXPECT_EQ(hides, 1);

    // Finish on the same road stops after stepping back.
    finish();
    EXPECT_EQ(current(), "Tooth Thickness");
    EXPECT_EQ(navigator->LastFinishState(), &navigator->state("Tooth Thickness"));
}

struct EscapeCase {
    const char* name;
    const char* routine;
    int number;
    const char* description;
};

class NavigatorEscapeTest : public NavigatorTest, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(NavigatorEscapeTest, ErrorEscapingAStageEndsTheNextOnTheStep)
{
    const EscapeCase& c = GetParam();
    const std::string stage = c.name;
    StepHandlers handlers;
    StepHandler centerDistance;
    centerDistance.read = [&stage](T_StateNavigator& navigator, T_State&) {
        navigator.Oset().aaHelixAngle(0.25); // read before the failure: stays
        if (stage == "read")
            runtime::raise(runtime::TypeMismatch);
        if (stage == "bug")
            throw std::out_of_range("vector::at");
    };
    centerDistance.check = [&stage](T_StateNavigator&, T_State&) {
        if (stage == "check")
            runtime::raise(runtime::Overflow);
        return true;
    };
    handlers.set("Center Distance", centerDistance);
    start(std::move(handlers));
    next();
    next();
    settings.failFormat = stage == "format";
    const std::size_t fills = outputs.fills.size();

    next();
    expectSequence("Center Distance", {"Startup Screen", "Main Inputs"});
    EXPECT_EQ(navigator->state("Main Inputs").NextState, nullptr);
    EXPECT_EQ(outputs.fills.size(), fills);
    EXPECT_EQ(Oset.Psi(), 0.25);
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].module, "StateNavigator");
    EXPECT_EQ(runLog.errors[0].routine, c.routine);
    EXPECT_EQ(runLog.errors[0].errorNumber, std::to_string(c.number));
    EXPECT_EQ(runLog.errors[0].description, c.description);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, 0);
    EXPECT_EQ(messages.shown[0].second,
              "Error " + std::to_string(c.number) + " in step \"Center Distance\": " + c.description);

    // The sequence goes on once the cause is gone.
    settings.failFormat = false;
    if (stage == "format") {
        next();
        EXPECT_EQ(current(), "Tooth Thickness");
    }
}

INSTANTIATE_TEST_SUITE_P(Stages, NavigatorEscapeTest,
                         ::testing::Values(EscapeCase{"read", "LetStateInputs", 13, "Type mismatch"},
                                           EscapeCase{"check", "FutureState", 6, "Overflow"},
                                           EscapeCase{"format", "GetString", 57, "Device I/O error"},
                                           EscapeCase{"bug", "LetStateInputs", 51, "vector::at"}),
                         [](const ::testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST_F(NavigatorTest, LetTTKandTTPropsReportsAndReadsOn)
{
    int proportionsRead = 0;
    StepHandlers handlers;
    StepHandler thickness;
    thickness.read = [](T_StateNavigator&, T_State&) { runtime::raise(runtime::TypeMismatch); };
    StepHandler proportions;
    proportions.read = [&](T_StateNavigator&, T_State& state) {
        EXPECT_EQ(state.Name, "Tooth Proportions");
        ++proportionsRead;
    };
    handlers.set("Tooth Thickness", thickness).set("Tooth Proportions", proportions);
    start(std::move(handlers));

    navigator->LetTTKandTTProps();
    EXPECT_EQ(proportionsRead, 1);
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].routine, "LetStateInputs");
    EXPECT_EQ(runLog.errors[0].errorNumber, "13");
    EXPECT_TRUE(messages.shown.empty());
    expectSequence("Startup Screen", {});
}

TEST_F(NavigatorTest, MovesAskedForDuringAMoveAreIgnored)
{
    StepHandlers handlers;
    StepHandler mainInputs;
    mainInputs.read = [this](T_StateNavigator& navigator, T_State&) {
        next();
        previous();
        finish();
        navigator.PushNextButton(1);
        navigator.PushNextButton(2);
        navigator.BeginNew();
    };
    handlers.set("Main Inputs", mainInputs);
    start(std::move(handlers));
    navigator->AgmaInputMode = 5;
    next();
    next();
    expectSequence("Center Distance", {"Startup Screen", "Main Inputs"});
    EXPECT_TRUE(outputs.autoUpdate);
}

TEST_F(NavigatorTest, HandlersOnlyForTheTwelveStepsAndTablesOnlyWhereThereAreSome)
{
    StepHandlers handlers;
    EXPECT_THROW(handlers.set("Main inputs", StepHandler{}), std::invalid_argument);
    EXPECT_THROW(handlers.set("Startup Screen", simpleTable("S")), std::invalid_argument);
    EXPECT_THROW(handlers.set("Scoring and SubShear Graphs", simpleTable("G")), std::invalid_argument);
    EXPECT_NO_THROW(handlers.set("Startup Screen", StepHandler{}));
    EXPECT_EQ(handlers.find("Center Distance"), nullptr);
}

} // namespace
} // namespace cindrel::sequence
