#include "shell/AutomationSeam.h"

#include "shell/Startup.h"
#include "shell/clsExposeVantrope.h"

#include "automation/Server.h"
#include "automation_interface/ExposeVantrope.h"
#include "forms/EntryGuard.h"

#include <exception>

namespace vantrope {

namespace {

class Session : public AutomationSession {
public:
    Session(Startup& startup, int channelSocket)
        : object_(startup), server_(channelSocket, exposevantrope::definition(), object_)
    {
        QObject::connect(&server_, &automation::Server::clientConnected, &server_, [this] {
            forms::runGuarded("Automation client connected", [this] { object_.Initialize(); });
        });
        QObject::connect(&server_, &automation::Server::clientGone, &server_, [&startup] {
            forms::runGuarded("Automation client gone", [&startup] {
                if (!startup.hasEnded())
                    startup.EndProgram();
            });
        });
    }

    clsExposeVantrope& object() override { return object_; }
    bool isConnected() const override { return server_.isConnected(); }

private:
    // The server refers to the object: it goes first.
    clsExposeVantrope object_;
    automation::Server server_;
};

} // namespace

std::unique_ptr<AutomationSession> serveAutomation(Startup& startup, int channelSocket)
{
    try {
        return std::make_unique<Session>(startup, channelSocket);
    } catch (const std::exception& error) {
        startup.logger().LogMessage("AutomationSeam", "serveAutomation", "", error.what(), "");
        return nullptr;
    }
}

} // namespace vantrope
