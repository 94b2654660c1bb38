#pragma once

#include <QSizeF>

#include <functional>
#include <optional>

namespace forms {
class Form;
}

namespace vantrope {

// What the shell hands on to the parts built after it: the inputs file and
// window positions, the settings dialog, and the printer's page. Each hook
// that is not set makes its command write the trace line "<command>: not
// available" and do nothing else. Export and printing of a mesh go through
// MeshServices::outputs.
struct LaterParts {
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
