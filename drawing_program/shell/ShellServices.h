#pragma once

#include <QSizeF>

#include <functional>
#include <optional>

namespace forms {
class Form;
}

namespace vantrope {

// The services the drawing window and the inputs dialog call through hooks:
// the inputs file, the windows' stored positions, the settings dialog and
// the printer's page. A command whose hook is not set writes the trace line
// "<command>: not available" and does nothing else, so a window can run
// without them (the tests leave some out). Export and printing of a mesh go
// through MeshServices::outputs.
struct ShellServices {
    // Restores (load true) or stores a window's position and size.
    std::function<void(forms::Form& window, bool load)> FormPosition;
    std::function<void()> OpenInputsFile;
    std::function<void()> SaveInputsFile;
    // Shows the settings dialog modeless at (left, top) in twips.
    std::function<void(double left, double top)> ShowSettings;
    // The printer's usable page in any one unit; empty when there is no printer.
    std::function<std::optional<QSizeF>()> PrinterPage;
};

} // namespace vantrope
