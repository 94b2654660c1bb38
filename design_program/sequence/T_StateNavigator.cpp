#include "sequence/T_StateNavigator.h"

#include "sequence/AgmaHandOver.h"
#include "sequence/ClipboardText.h"

#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "resources/ResourceStrings.h"
#include "results/TableRun.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"

#include <new>
#include <stdexcept>

namespace cindrel::sequence {

namespace {

constexpr std::string_view MainWindow = "frmMain";
constexpr std::string_view AgmaWindow = "frmAGMA";

// The run-time error number an unexpected failure of our own code is reported under.
constexpr int InternalError = 51;

ControlId mainControl(std::string_view name) { return {std::string(MainWindow), std::string(name), -1}; }

const ControlId PreviousButton = mainControl("cmdPrevious");
const ControlId NextButton = mainControl("cmdNext");
const ControlId FinishButton = mainControl("cmdFinished");
const ControlId ManufacturingMenu = mainControl("mnuMFGOutputs");
const ControlId DrawMenu = mainControl("mnuDraw");

struct StepRow {
    std::string_view name;
    std::string_view heading;
    std::string_view toolBarKey;
    int panel; // index in frmMain.picStates; -1 for the AGMA factors window
};

constexpr std::array<StepRow, 12> stepTable = {{
    {steps::StartupScreen, "Startup Screen", "", 0},
    {steps::MainInputs, "Main Inputs", "btnMainInputs", 1},
    {steps::CenterDistance, "Center Distance", "btnCenterDistance", 2},
    {steps::ToothThickness, "Tooth Thickness", "btnToothThickness", 3},
    {steps::ToothProportions, "Tooth Proportions", "btnToothProp", 4},
    {steps::PinionHob, "Hob Information", "btnHobInfo", 5},
    {steps::GearHob, "Hob Information", "btnHobInfo", 6},
    {steps::HorsepowerAndCP, "Horsepower and Elasticity Coefficient", "btnToothLoad", 7},
    {steps::AgmaOnMain, "AGMA Factors", "btnAGMA", 8},
    {steps::AgmaFactors, "AGMA Factors", "btnAGMA", -1},
    {steps::ScoringInputs, "Scoring and SubShear", "btnScoring", 9},
    {steps::ScoringGraphs, "Scoring and SubShear Graphs", "", 10},
}};

bool is(const T_State& state, std::string_view name) { return state.Name == name; }

} // namespace

T_StateNavigator::T_StateNavigator(const NavigatorPorts& ports, StepHandlers handlers)
    : ports_(ports), handlers_(std::move(handlers))
{
    Controls& controls = ports_.controls;
    buttonBindings_.push_back(controls.bindClick(PreviousButton, [this] { cmdPrevious_Click(); }));
    buttonBindings_.push_back(controls.bindClick(FinishButton, [this] { cmdFinished_Click(); }));
    buttonBindings_.push_back(controls.bindClick(NextButton, [this] { cmdNext_Click(); }));
    controls.setVisible(PreviousButton, false);
    BuildStates();
    CurrentState_ = &states_[0];
    ShowCurrentView();
}

T_StateNavigator::~T_StateNavigator() = default;

void T_StateNavigator::BuildStates()
{
    for (std::size_t i = 0; i < stepTable.size(); ++i) {
        const StepRow& row = stepTable[i];
        T_State& state = states_[i];
        state.AssociatedView = row.panel < 0 ? ControlId{std::string(AgmaWindow), "", -1}
                                             : ControlId{std::string(MainWindow), "picStates", row.panel};
        state.Name = row.name;
        state.PrintHeading = row.heading;
        state.PrintVariables = row.name != steps::StartupScreen;
        state.ToolBarButtonKey = row.toolBarKey;
    }
}

T_State& T_StateNavigator::state(std::string_view name)
{
    for (T_State& state : states_) {
        if (state.Name == name)
            return state;
    }
    throw std::invalid_argument("No step is named \"" + std::string(name) + "\"");
}

// ---- Moves from outside ----

template <typename Stage>
bool T_StateNavigator::contain(std::string_view routine, bool showBox, Stage&& stage)
{
    try {
        stage();
        return true;
    } catch (const std::exception& error) {
        // A failure that carries no number is the navigator's own fault, with its own number.
        const auto [number, description] = runtime::errorTextOf(error, InternalError);
        reportEscapedError(routine, number, description, showBox);
    }
    return false;
}

template <typename Move>
void T_StateNavigator::runMove(std::string_view routine, Move&& move)
{
    if (moving_)
        return;
    // A move is marked as running for its whole extent, also when it ends by an error.
    moving_ = true;
    auto done = runtime::onScopeExit([this] { moving_ = false; });
    contain(routine, true, std::forward<Move>(move));
}

void T_StateNavigator::cmdNext_Click()
{
    runMove("cmdNext_Click", [this] { next(); });
}

void T_StateNavigator::cmdPrevious_Click()
{
    runMove("cmdPrevious_Click", [this] { previous(); });
}

void T_StateNavigator::cmdFinished_Click()
{
    runMove("cmdFinished_Click", [this] { finish(); });
}

void T_StateNavigator::PushNextButton(std::int32_t direction)
{
    runMove("PushNextButton", [this, direction] {
        if (direction == 1 || (direction == 0 && MovingForward_))
            next();
        else if (direction == 2 || direction == 0)
            previous();
    });
}

void T_StateNavigator::BeginNew()
{
    runMove("BeginNew", [this] {
        // A hob belongs to the design whose hob step filled it: until this
        // design's hob step runs, its members have none.
        for (const int member : {0, 1})
            Oset().member(member).oHob->Forget();
        Outputs& outputs = ports_.outputs;
        const bool autoUpdate = outputs.AutoUpdate();
        outputs.setAutoUpdate(false);
        auto restore = runtime::onScopeExit([&] { outputs.setAutoUpdate(autoUpdate); });
        while (!is(*CurrentState_, steps::StartupScreen)) {
            if (!previous())
                break;
        }
        restore.runNow();
        // A design opened or made new never shows what the last one gave.
        ForgetDesignResults();
    });
}

void T_StateNavigator::ForgetDesignResults()
{
    for (T_State& step : states_) {
        step.StateString.reset();
        step.GridStartRow = 0;
        step.GridEndRow = 0;
    }
    All4Horsepowers.reset();
    JFactors = {};
    IFactor = 0;
    ScoringMaxValues.reset();
    SubShearMaxValues.reset();
    runtime::ResumeNext next(ports_.runLog, "StateNavigator", "ForgetDesignResults");
    next([this] { clearShownAllowablePowers(ports_.controls); });
}

void T_StateNavigator::LetTTKandTTProps()
{
    for (const std::string_view name : {steps::ToothThickness, steps::ToothProportions})
        contain("LetStateInputs", false, [&] { LetStateInputs(state(name)); });
}

void T_StateNavigator::reportEscapedError(std::string_view routine, int number, const std::string& description,
                                          bool showBox)
{
    // The report must not fail its caller: a port that fails here has nothing
    // left to report to.
    try {
        ports_.runLog.reportError("StateNavigator", routine, std::to_string(number), description, "");
        if (showBox)
            ports_.messages.show(0, "Error " + std::to_string(number) + " in step \"" + CurrentState_->Name +
                                        "\": " + description);
    } catch (...) {
    }
}

// ---- Next, Previous, Finish ----

T_StateNavigator::NextOutcome T_StateNavigator::next()
{
    MovingForward_ = true;
    T_State& current = *CurrentState_;
    ports_.runLog.writeRunNote("Letting variables for " + current.Name);

    // An error escaping the reading, the checks or the start of the table
    // ends the Next on the step; what was read before it stays in the model.
    const auto attempt = [this](std::string_view routine, auto&& stage) {
        if (contain(routine, true, stage))
            return true;
        PendingNextState_ = nullptr;
        return false;
    };

    if (!attempt("LetStateInputs", [&] { LetStateInputs(current); }))
        return NextOutcome::Stayed;
    PendingNextState_ = nullptr;
    if (!attempt("FutureState", [&] { PendingNextState_ = FutureState(current); }))
        return NextOutcome::Stayed;
    if (PendingNextState_ == nullptr)
        return NextOutcome::Stayed;

    T_State* const lastDone = LastDoneState_;
    T_State* const lastDoneNext = lastDone != nullptr ? lastDone->NextState : nullptr;
    T_State* const currentPrevious = current.PreviousState;
    if (lastDone != nullptr)
        lastDone->NextState = &current;
    current.PreviousState = lastDone;

    bool Fail = false;
    if (!attempt("GetString", [&] { GetString(current, Fail); })) {
        if (lastDone != nullptr)
            lastDone->NextState = lastDoneNext;
        current.PreviousState = currentPrevious;
        return NextOutcome::Stayed;
    }

    StateCollection_.Add(current.Name, current);
    LastDoneState_ = &current;
    CurrentState_ = PendingNextState_;
    PendingNextState_ = nullptr;

    if (Fail) {
        // The refused step and the two before it leave the path.
        for (int i = 0; i < 3; ++i)
            previous();
        return NextOutcome::SteppedBack;
    }
    ShowCurrentView();
    ports_.outputs.FillGridFromStates(StateCollection_, false);
    return NextOutcome::Advanced;
}

bool T_StateNavigator::previous()
{
    T_State* const stepBack = LastDoneState_;
    if (stepBack == nullptr)
        return false;
    MovingForward_ = false;
    StateCollection_.Remove(stepBack->Name);
    T_State* const before = stepBack->PreviousState;
    if (before != nullptr)
        before->NextState = nullptr;
    stepBack->NextState = nullptr;
    CurrentState_ = stepBack;
    LastDoneState_ = is(*stepBack, steps::StartupScreen) ? nullptr : before;
    ShowCurrentView();
    ports_.outputs.FillGridFromStates(StateCollection_, false);
    return true;
}

void T_StateNavigator::finish()
{
    // Each press starts afresh: a step where an earlier Finish stopped on a
    // failed check may pass now that the user has fixed it.
    LastFinishState_ = nullptr;
    // At most one Next per step, so that Finish always ends.
    for (std::size_t i = 0; i < states_.size(); ++i) {
        if (is(*CurrentState_, steps::ScoringGraphs) || is(*CurrentState_, steps::AgmaFactors))
            break;
        if (next() != NextOutcome::Advanced)
            break;
        if (CurrentState_ == LastFinishState_)
            break;
        LastFinishState_ = CurrentState_;
    }
    LastFinishState_ = CurrentState_;
}

// ---- Showing a step ----

void T_StateNavigator::setViewVisible(const ControlId& view, bool visible)
{
    if (view.isWindow())
        ports_.controls.setWindowVisible(view.window, visible);
    else
        ports_.controls.setVisible(view, visible);
}

void T_StateNavigator::ShowCurrentView()
{
    Controls& controls = ports_.controls;
    const ControlId view = CurrentState_->AssociatedView;
    setViewVisible(view, true);
    if (LastView_ && *LastView_ != view)
        setViewVisible(*LastView_, false);
    LastView_ = view;

    const bool agmaWindow = is(*CurrentState_, steps::AgmaFactors);
    controls.setWindowVisible(MainWindow, !agmaWindow);
    controls.setWindowVisible(AgmaWindow, agmaWindow);

    // The menus show once "Tooth Proportions" and every hob step of the design are done.
    const int done = StateCollection_.Count();
    bool menus = false;
    if (HobMode == 0)
        menus = done > 4;
    else if (HobMode == 1 || HobMode == 2)
        menus = done > 5;
    else if (HobMode == 3)
        menus = done > 6;
    controls.setVisible(ManufacturingMenu, menus);
    controls.setVisible(DrawMenu, menus);

    controls.setVisible(PreviousButton, !is(*CurrentState_, steps::StartupScreen));
    const bool lastStep = is(*CurrentState_, steps::ScoringGraphs);
    controls.setVisible(NextButton, !lastStep);
    controls.setVisible(FinishButton, !lastStep);
}

// ---- The stages of a Next ----

void T_StateNavigator::LetStateInputs(T_State& state)
{
    const StepHandler* handler = handlers_.find(state.Name);
    if (handler != nullptr && handler->read)
        handler->read(*this, state);
}

T_State* T_StateNavigator::FutureState(T_State& state)
{
    const StepHandler* handler = handlers_.find(state.Name);
    if (handler != nullptr && handler->check && !handler->check(*this, state))
        return nullptr;
    return chooseFollowingStep(state);
}

T_State* T_StateNavigator::agmaStep()
{
    if (AgmaInputMode == 5)
        return &state(steps::AgmaOnMain);
    if (AgmaInputMode == 8) {
        // The window shows the factors of the design as it stands now.
        FillAgmaForm();
        return &state(steps::AgmaFactors);
    }
    return nullptr;
}

T_State* T_StateNavigator::chooseFollowingStep(const T_State& current)
{
    const std::string_view name = current.Name;
    if (name == steps::StartupScreen)
        return &state(steps::MainInputs);
    if (name == steps::MainInputs)
        return &state(steps::CenterDistance);
    if (name == steps::CenterDistance)
        return &state(steps::ToothThickness);
    if (name == steps::ToothThickness)
        return &state(steps::ToothProportions);
    if (name == steps::ToothProportions) {
        if (HobMode == 1 || HobMode == 3) {
            T_State& pinionHob = state(steps::PinionHob);
            pinionHob.PrintVariables = true;
            return &pinionHob;
        }
        if (HobMode == 2)
            return &state(steps::GearHob);
        return HobMode == 0 ? agmaStep() : nullptr;
    }
    if (name == steps::PinionHob)
        return HobMode == 3 ? &state(steps::GearHob) : agmaStep();
    if (name == steps::GearHob)
        return agmaStep();
    if (name == steps::AgmaOnMain || name == steps::AgmaFactors)
        return &state(steps::HorsepowerAndCP);
    if (name == steps::HorsepowerAndCP)
        return &state(steps::ScoringInputs);
    if (name == steps::ScoringInputs)
        return &state(steps::ScoringGraphs);
    return nullptr;
}

void T_StateNavigator::showResourceMessage(int number)
{
    ports_.messages.show(number, resources::ResourceStrings(number));
}

// ---- Results tables and the clipboard ----

void T_StateNavigator::GetString(T_State& State, bool& Fail)
{
    // Read before the trap: a failing read is the caller's.
    results::TableRun run(ports_.settings.DecimalPrecision2(0), ports_.runLog);
    run.readRadiusForm([this] { return ports_.settings.DiamRad(); });
    Fail = false;
    run.readHelical([this] { return ports_.Oset.Psi(); });

    const StepHandler* handler = handlers_.find(State.Name);
    if (handler != nullptr && handler->table) {
        run.statement([&] { handler->table(*this, State, run, Fail); });
        if (Fail)
            return;
        if (run.hasTable())
            State.StateString = run.takeTable();
    }
    OutputToClipBoard();
}

void T_StateNavigator::OutputToClipBoard()
{
    runtime::ResumeNext next(ports_.runLog, "StateNavigator", "OutputToClipBoard");
    next([this] { ports_.clipboard.clear(); });
    if (StateCollection_.Count() < 2)
        return;
    const results::CaptionReader caption = [this](const results::LabelRef& label) {
        try {
            return ports_.controls.value({label.window, label.name, label.index});
        } catch (const runtime::RuntimeError&) {
            return std::string(); // the label is gone
        }
    };
    std::string text;
    next([&] { text = clipboardText(StateCollection_.Items()[1], caption); });
    next([&] { ports_.clipboard.setText(text); });
}

} // namespace cindrel::sequence
