#pragma once

#include "sequence/Ports.h"
#include "sequence/StateCollection.h"
#include "sequence/StepHandlers.h"
#include "sequence/T_State.h"

#include "analyses/T_Chart.h"
#include "model/T_Set.h"
#include "runtime/ErrorReporter.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cindrel::sequence {

// One row of the allowable-power table that the AGMA factors window hands
// over: "PAC" (pitting) or "PAT" (bending), the pinion's and the gear's
// allowable power in horsepower, and the row's description.
struct AllowablePowerRow {
    std::string key;
    float pinion = 0;
    float gear = 0;
    std::string description;
    // The two powers before the window rounded them, hp: what kilowatts are
    // converted from; 0 when the window did not hand them over.
    double pinionUnrounded = 0;
    double gearUnrounded = 0;

    friend bool operator==(const AllowablePowerRow&, const AllowablePowerRow&) = default;
};
using AllowablePowers = std::array<AllowablePowerRow, 2>;

// Everything the navigator works with, owned by the program around it.
struct NavigatorPorts {
    model::T_Set& Oset;
    Controls& controls;
    Messages& messages;
    Clipboard& clipboard;
    Settings& settings;
    Units& units;
    runtime::RunLog& runLog;
    Outputs& outputs;
    AgmaFactorsWindow& agmaWindow;
    // The main window's chart control; none draws the graphs nowhere.
    analyses::ChartSurface* chart = nullptr;
};

// The controller of the design sequence: owns the twelve steps and the
// done-steps dictionary, answers the main window's Previous, Next and Finish
// buttons and the AGMA factors window's moves, and at every Next reads the
// step, checks it, builds its results table, puts the tables on the
// clipboard and shows the following step.
class T_StateNavigator {
public:
    // Takes over the main window's buttons, builds the steps and shows the
    // start panel. The main window and the AGMA factors window must be loaded.
    explicit T_StateNavigator(const NavigatorPorts& ports, StepHandlers handlers = designSteps());
    ~T_StateNavigator();
    T_StateNavigator(const T_StateNavigator&) = delete;
    T_StateNavigator& operator=(const T_StateNavigator&) = delete;

    // ---- Moves (a call while a move runs is ignored) ----
    void cmdNext_Click();
    void cmdPrevious_Click();
    void cmdFinished_Click();
    // Steps back to "Startup Screen" with the grid's automatic update off
    // meanwhile, then forgets every result of the design left (see
    // ForgetDesignResults).
    void BeginNew();
    // Drops what was worked out for the design in hand: the steps' tables,
    // the allowable powers (and their boxes on the load panel), the J and I
    // factors kept and the extremes of the contact analyses. Each is worked
    // out again when its step is next accepted.
    void ForgetDesignResults();
    // 1 Next, 2 Previous, 0 the last move again, anything else nothing.
    void PushNextButton(std::int32_t direction);
    // Reads the "Tooth Thickness" and then the "Tooth Proportions" inputs,
    // whatever step is current; an error is logged and the reading goes on.
    void LetTTKandTTProps();

    // ---- The sequence's state ----
    // The done steps; the outputs object reads them, only the navigator changes them.
    const sequence::StateCollection& StateCollection() const { return StateCollection_; }
    T_State& CurrentState() const { return *CurrentState_; }
    T_State* LastDoneState() const { return LastDoneState_; }
    // The step chosen by the checks, during a Next only.
    T_State* PendingNextState() const { return PendingNextState_; }
    T_State* LastFinishState() const { return LastFinishState_; }
    const ControlId* LastView() const { return LastView_ ? &*LastView_ : nullptr; }
    bool MovingForward() const { return MovingForward_; }
    // The step of a name; std::invalid_argument for a name that is none of the twelve.
    T_State& state(std::string_view name);
    const std::array<T_State, 12>& states() const { return states_; }

    // Hob steps of the design: 0 none, 1 "Pinion Hob", 2 "Gear Hob", 3 both.
    std::int32_t HobMode = 0;
    // Where the rating factors are typed: 5 on the main window, 8 in the AGMA factors window.
    std::int32_t AgmaInputMode = 0;
    // The allowable powers of the AGMA factors window's last commit; none
    // after "Agma on Main" or before the window has worked them out.
    std::optional<AllowablePowers> All4Horsepowers;
    // The J factors of pinion and gear and the pair's I factor as the checks
    // keep them; an I factor of 0 is worked out by the contact-stress getter.
    std::array<double, 2> JFactors{};
    double IFactor = 0;
    // Set once a check has taken I: from then on an I of 0 is a failed one,
    // not one for the getter to work out.
    bool IFactorTaken = false;
    // I = the pair's I factor taken as the checks take it (three decimals).
    // Errors pass to the caller and leave both fields as they were.
    void TakeIFactor();
    // The I held is one that failed (at or below 0.001).
    bool IFactorFailed() const;

    // ---- The hand-over to the AGMA factors window ----
    // Has the model compute both members' J now and keeps them rounded to
    // three decimals (through single precision). Errors pass to the caller.
    void StoreJFactors();
    // Writes I, the J factors and the pair's face width, operating pitch
    // diameter, pitch and ratio into the AGMA factors window, places it over
    // the main window on its first tab and lets "AGMA Factors" print.
    // Errors pass to the caller.
    void FillAgmaForm();

    // The graphs of the contact analyses, created at the first accepted
    // "Scoring and SubShear Inputs" and kept for the run.
    std::unique_ptr<analyses::T_Chart> pobjChart;
    // The extremes of the last scoring and subsurface shear runs.
    std::optional<analyses::ScoringExtremes> ScoringMaxValues;
    std::optional<analyses::SubShearExtremes> SubShearMaxValues;

    // ---- For the step handlers ----
    const NavigatorPorts& ports() const { return ports_; }
    model::T_Set& Oset() const { return ports_.Oset; }
    // Shows the numbered message of the table in a message box.
    void showResourceMessage(int number);
    // Builds the results table of a step (the hob tables rebuild "Tooth
    // Proportions" with it), then puts the path's tables on the clipboard.
    // An error reading the number format passes to the caller.
    void GetString(T_State& State, bool& Fail);

private:
    enum class NextOutcome { Advanced, Stayed, SteppedBack };

    void BuildStates();
    NextOutcome next();
    bool previous();
    void finish();
    void ShowCurrentView();
    void LetStateInputs(T_State& state);
    T_State* FutureState(T_State& state);
    T_State* chooseFollowingStep(const T_State& state);
    T_State* agmaStep();
    void OutputToClipBoard();
    void setViewVisible(const ControlId& view, bool visible);
    // Runs a stage; an error escaping it is reported under the routine (and
    // shown with the current step's name when asked); false then.
    template <typename Stage>
    bool contain(std::string_view routine, bool showBox, Stage&& stage);
    // Runs a move from outside: ignored while another runs; an error that
    // escapes it is reported and shown, and the sequence stays usable.
    template <typename Move>
    void runMove(std::string_view routine, Move&& move);
    void reportEscapedError(std::string_view routine, int number, const std::string& description, bool showBox);

    NavigatorPorts ports_;
    StepHandlers handlers_;
    std::array<T_State, 12> states_;
    sequence::StateCollection StateCollection_;
    T_State* CurrentState_ = nullptr;
    T_State* LastDoneState_ = nullptr;
    T_State* PendingNextState_ = nullptr;
    T_State* LastFinishState_ = nullptr;
    std::optional<ControlId> LastView_;
    bool MovingForward_ = false;
    bool moving_ = false;
    std::vector<std::unique_ptr<Binding>> buttonBindings_;
};

} // namespace cindrel::sequence
