#pragma once

#include "runtime/ErrorReporter.h"

#include <string>
#include <string_view>

namespace cindrel::outputs {

// The display units that the manufacturing table reads at every build.
struct MfgUnits {
    // The main window's "Metric Units" box is ticked: the metric tolerance class serves.
    bool metricChecked = false;
    // Shown length = held inch value x LengthFactor; 1 exactly in English units.
    double LengthFactor = 1.0;
    std::string LengthUnits = "(in) ";
    std::string SmallLengthUnits = "(0.0001 in ) ";
};

// What the manufacturing table needs of the program around it. The shell
// implements it on the real windows; tests use a recorder. The table never
// reaches a window, the clipboard or the unit system any other way.
class MfgHost {
public:
    virtual ~MfgHost() = default;

    virtual MfgUnits units() const = 0;

    // Clears the clipboard and puts text on it as plain text. May raise a
    // runtime error when the clipboard cannot be opened.
    virtual void replaceClipboardText(std::string_view text) = 0;

    // Shows the run-log window (not modal) and replaces its whole text.
    virtual void showRunLogText(std::string_view text) = 0;

    // The common error handler: tolerance rounding failures and a build
    // that could not finish are reported here.
    virtual runtime::ErrorReporter& errorReporter() = 0;
};

} // namespace cindrel::outputs
