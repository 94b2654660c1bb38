#pragma once

#include "sequence/Ports.h"

#include <cstdint>
#include <string>
#include <vector>

namespace forms {
class Form;
}

// Stand-ins for objects and windows that other parts of the program build:
// each does what start-up and shut-down need of it, at its place in the
// start-up order, and is replaced whole by the real one.
namespace cindrel::shell {

class Startup;

// The results grid and report object: its creation, the showing of its
// window, and what the design sequence drives: the automatic update, and the
// fills, which it records until there is a grid to fill.
class OutputsStandIn : public sequence::Outputs {
public:
    explicit OutputsStandIn(Startup& startup);
    // True shows the results grid window, false hides it; other values do nothing.
    void ShowScreenOutputs(std::int16_t ShowHide);

    // On at creation; the results window sets the stored preference when it loads.
    bool AutoUpdate() const override { return autoUpdate_; }
    void setAutoUpdate(bool on) override { autoUpdate_ = on; }
    // With the automatic update off and no override, hides the results window;
    // otherwise records the done steps' names as the grid's sections.
    void FillGridFromStates(const sequence::StateCollection& states, bool ManualOveride) override;

    // The fills that reached the grid: their number and the last one's sections.
    int fillCount() const { return fillCount_; }
    const std::vector<std::string>& lastFill() const { return lastFill_; }

private:
    Startup& startup_;
    bool autoUpdate_ = true;
    int fillCount_ = 0;
    std::vector<std::string> lastFill_;
};

// Declares the stand-in windows: the manufacturing outputs window (with the
// saved controls a design file keeps of it) and the
// results grid window.
void defineStandInWindows(Startup& startup);

} // namespace cindrel::shell
