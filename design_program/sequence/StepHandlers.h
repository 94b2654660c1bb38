#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace cindrel::results {
class TableRun;
}

namespace cindrel::sequence {

class T_State;
class T_StateNavigator;

// The names of the twelve steps, in the order they are built.
namespace steps {
inline constexpr std::string_view StartupScreen = "Startup Screen";
inline constexpr std::string_view MainInputs = "Main Inputs";
inline constexpr std::string_view CenterDistance = "Center Distance";
inline constexpr std::string_view ToothThickness = "Tooth Thickness";
inline constexpr std::string_view ToothProportions = "Tooth Proportions";
inline constexpr std::string_view PinionHob = "Pinion Hob";
inline constexpr std::string_view GearHob = "Gear Hob";
inline constexpr std::string_view HorsepowerAndCP = "Horsepower and CP";
inline constexpr std::string_view AgmaOnMain = "Agma on Main";
inline constexpr std::string_view AgmaFactors = "AGMA Factors";
inline constexpr std::string_view ScoringInputs = "Scoring and SubShear Inputs";
inline constexpr std::string_view ScoringGraphs = "Scoring and SubShear Graphs";
} // namespace steps

// What one step does at a Next, each part optional (a missing part does nothing).
struct StepHandler {
    // Reads the step's panel into the gear pair model. Errors pass to the navigator.
    std::function<void(T_StateNavigator&, T_State&)> read;
    // Checks the step after its reading: false stops the Next on the step
    // (the check has shown its message); true lets the sequence choose the
    // following step. Errors pass to the navigator.
    std::function<bool(T_StateNavigator&, T_State&)> check;
    // Writes the step's results table into the run (every statement through
    // the run, so that each error is reported and skipped). Setting Fail
    // refuses the step: the table is not stored, the clipboard not touched,
    // and the navigator steps back three times.
    std::function<void(T_StateNavigator&, T_State&, results::TableRun&, bool& Fail)> table;
};

// The step handlers by step name. The program's are listed in designSteps();
// tests build their own.
class StepHandlers {
public:
    // Sets the handler of a step; std::invalid_argument for a name that is
    // none of the twelve, or a table for a step that has none ("Startup
    // Screen", "Scoring and SubShear Graphs").
    StepHandlers& set(std::string_view stepName, StepHandler handler);
    // The handler of a step; null when it has none.
    const StepHandler* find(std::string_view stepName) const;

private:
    std::map<std::string, StepHandler, std::less<>> handlers_;
};

// The step handlers of the program: every step's reading, checks and table,
// added here by step name as they are built.
StepHandlers designSteps();

} // namespace cindrel::sequence
