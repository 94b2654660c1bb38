#pragma once

#include <memory>

namespace vantrope {

class Startup;
class clsExposeVantrope;

// The automation class served on the channel a client handed over. Once the
// client holds the object it becomes the input source and the File menu is
// hidden; when the client lets go (or dies) the program ends as closing its
// window does, since nobody is left to end it.
class AutomationSession {
public:
    virtual ~AutomationSession() = default;
    virtual clsExposeVantrope& object() = 0;
    virtual bool isConnected() const = 0;
};

// Null when the channel cannot be served (the reason goes to the log).
std::unique_ptr<AutomationSession> serveAutomation(Startup& startup, int channelSocket);

} // namespace vantrope
