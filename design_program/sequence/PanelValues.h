#pragma once

#include "sequence/Ports.h"

#include <string>
#include <string_view>

namespace cindrel::sequence {

// The main window's step panels as the load, rating and lubrication steps
// read them. A control that does not exist raises ControlMissing.
class PanelValues {
public:
    explicit PanelValues(Controls& controls) : controls_(controls) {}

    // A text box's text or a label's caption.
    std::string text(std::string_view name, int index = -1) const;
    // The leading number of the text; 0 when it does not begin with one.
    double boxValue(std::string_view name, int index = -1) const;
    // A hidden mode label read as true when its value is not 0.
    bool flag(std::string_view name, int index = -1) const { return boxValue(name, index) != 0; }

private:
    Controls& controls_;
};

ControlId onMainWindow(std::string_view name, int index = -1);
ControlId onAgmaWindow(std::string_view name, int index = -1);

} // namespace cindrel::sequence
