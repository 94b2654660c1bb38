#pragma once

namespace vantrope {

class Startup;

// Serves the automation class on the channel a client handed over; the class
// itself makes itself the input source (Startup::SetExposer) and hides the
// File menu. Until it is built this writes a trace line and returns false,
// and the program runs as if started by a user.
bool serveAutomation(Startup& startup, int channelSocket);

} // namespace vantrope
