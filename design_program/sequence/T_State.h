#pragma once

#include "results/ResultTable.h"
#include "sequence/Ports.h"

#include <cstdint>
#include <optional>
#include <string>

namespace cindrel::sequence {

// One step of the design sequence: its name, the view on which its inputs are
// typed, its results table once accepted, and its links on the path taken.
// The navigator owns the twelve steps for the whole run; links and the
// done-steps dictionary only point at them.
class T_State {
public:
    T_State() = default;
    T_State(const T_State&) = delete;
    T_State& operator=(const T_State&) = delete;

    // The results table; none until the step's table has been built.
    std::optional<results::ResultTable> StateString;
    // The steps accepted just before and just after this one on the path taken.
    T_State* PreviousState = nullptr;
    T_State* NextState = nullptr;
    // What shows while the step is current: a panel of the main window, or a
    // whole window (a ControlId without a control name).
    ControlId AssociatedView;
    std::int32_t HelpContextID = 0;
    bool Done = false;
    // The step's name, which identifies it everywhere.
    std::string Name;
    std::int32_t ArrayPosition = 0;
    // Whether the table appears in the results grid and the printed report.
    bool PrintVariables = true;
    std::int32_t GridStartRow = 0;
    std::int32_t GridEndRow = 0;
    std::string PrintHeading;
    // The results window's toolbar button of the step's section; "" for none.
    std::string ToolBarButtonKey;
};

} // namespace cindrel::sequence
