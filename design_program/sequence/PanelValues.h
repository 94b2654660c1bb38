#pragma once

#include "sequence/Ports.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cindrel::sequence {

// Reads the main window's step panels as the steps read them. A control that
// does not exist raises ControlMissing; a number that cannot be held raises
// its run-time error, so that a step's reading ends at that statement.
class PanelValues {
public:
    PanelValues(const Controls& controls, const Units& units) : controls_(controls), units_(units) {}

    // The leading number of the control's text, 0 when it does not begin with one.
    double boxValue(std::string_view name, int index = -1) const;
    // The box value rounded to a whole number, halves to even; Overflow
    // outside the 32-bit range.
    std::int32_t wholeValue(std::string_view name, int index = -1) const;
    // A hidden mode label's value, compared by the caller with exact whole numbers.
    double modeValue(std::string_view name, int index = -1) const { return boxValue(name, index); }
    // A typed length in inches: the box value over the display length factor.
    double lengthInput(std::string_view name, int index = -1) const;

    const Units& units() const { return units_; }

private:
    const Controls& controls_;
    const Units& units_;
};

} // namespace cindrel::sequence
