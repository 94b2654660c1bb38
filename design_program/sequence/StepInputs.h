#pragma once

#include "sequence/Ports.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cindrel::sequence {

// Reads the inputs of the main window's step panels as every step reads them,
// and writes corrected values back. A control that does not exist raises
// ControlMissing; a number that cannot be held raises the run-time error, so
// that a step's reading ends at the statement that failed.
class StepInputs {
public:
    StepInputs(Controls& controls, const Units& units) : controls_(controls), units_(units) {}

    // The control's text (a text box's text, a label's caption, a check box's value).
    std::string text(std::string_view name, int index = -1) const;
    // The leading number of the text, 0 when the text does not begin with one.
    double boxValue(std::string_view name, int index = -1) const;
    // The box value rounded to a whole number, halves to even; Overflow
    // outside the 32-bit range.
    std::int32_t wholeValue(std::string_view name, int index = -1) const;
    // A hidden mode label's value, compared by the caller with exact whole numbers.
    double modeValue(std::string_view name, int index = -1) const { return boxValue(name, index); }
    // A mode label or check box read as true when its value is not 0.
    bool flag(std::string_view name, int index = -1) const { return boxValue(name, index) != 0; }
    // A typed length in inches: the box value over the display length factor.
    double lengthInput(std::string_view name, int index = -1) const;
    // True while the box shows `shown` as the program writes it, in `pattern`:
    // the user did not edit it, so the value it stands for is the one it was
    // written from, unrounded, not its rounded text read back. False for a
    // value the pattern cannot show.
    bool showsUnedited(std::string_view name, int index, double shown, std::string_view pattern) const;

    // Sets a control's text as it stands.
    void write(std::string_view name, int index, std::string_view text);
    // Writes a number back as plain text with up to 15 significant digits.
    void writeNumber(std::string_view name, int index, double value);

    const Units& units() const { return units_; }

private:
    Controls& controls_;
    const Units& units_;
};

// The main window's control of a name and array index.
ControlId mainWindowControl(std::string_view name, int index = -1);

} // namespace cindrel::sequence
