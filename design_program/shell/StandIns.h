#pragma once

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

// The manufacturing outputs object, held while its window is open.
class ManufacturingOutputsStandIn {
public:
    explicit ManufacturingOutputsStandIn(Startup&) {}
};

// Members of the manufacturing outputs window that the main window calls.
void frmMFGOutputs_EditScreen(Startup& startup);
void frmMFGOutputs_loadPinCombo(Startup& startup, const std::vector<float>& PinList, double SelectedPin,
                                std::int16_t Index, bool LoadList);

// Declares the stand-in windows: the manufacturing outputs window (with the
// saved controls a design file keeps of it) and the
// results grid window.
void defineStandInWindows(Startup& startup);

} // namespace cindrel::shell
