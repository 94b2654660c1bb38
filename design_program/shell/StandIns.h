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

// Declares the results grid window.
void defineStandInWindows(Startup& startup);

} // namespace cindrel::shell
