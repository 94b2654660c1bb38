#pragma once

namespace cindrel::shell {

class Startup;

// Declares the windows of the outputs object: the results grid and the
// report preview.
void defineOutputWindows(Startup& startup);

} // namespace cindrel::shell
