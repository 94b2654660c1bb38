#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Form;
}

// Stand-ins for objects and windows that other parts of the program build:
// each does what start-up and shut-down need of it, at its place in the
// start-up order, and is replaced whole by the real one.
namespace cindrel::shell {

class Startup;

// The design-sequence navigator: takes over the main window's buttons and shows the first step.
class NavigatorStandIn {
public:
    explicit NavigatorStandIn(Startup& startup);
};

// Declares the stand-in windows: the manufacturing outputs window (with the
// saved controls a design file keeps of it) and the
// results grid window.
void defineStandInWindows(Startup& startup);

} // namespace cindrel::shell
