#pragma once

#include "automation/Value.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

class Channel;
class ChildProcess;

// The server program that serves a class: its path and any arguments
// before the channel's.
struct ServerProgram {
    std::string path;
    std::vector<std::string> arguments;
};

// What the client asks the server for in the handshake.
struct ClassIdentity {
    std::string classId;
    std::string interfaceId;
};

struct Timeouts {
    // From start until the server has answered the handshake.
    std::chrono::milliseconds start{10'000};
    // For each call's answer. Generous: the server defers calls while one of
    // its modal dialogs is open.
    std::chrono::milliseconds call{60'000};
    // For a released server to end by itself before it is killed.
    std::chrono::milliseconds end{5'000};
};

// An object served by another process, called by member name (late bound).
// Every failure raises runtime::RuntimeError with a number of
// AutomationError.h; after a dead, hung or garbled server the object is
// disconnected (the server killed and reaped) and later calls raise 462.
class RemoteObject {
public:
    // Starts the server program as a child process with a private channel
    // and checks its handshake: 429 when it cannot be started or does not
    // answer, 430 when it serves another class, interface or protocol.
    static std::unique_ptr<RemoteObject> create(const ServerProgram& program,
                                                const ClassIdentity& identity,
                                                const Timeouts& timeouts = {});
    // Over a channel to a server that is already running (taken over and
    // closed at the end); the same handshake and errors.
    static std::unique_ptr<RemoteObject> attach(int channelSocket, const ClassIdentity& identity,
                                                const Timeouts& timeouts = {},
                                                const std::string& serverName = "server");

    // Closes the channel; a child server gets the end timeout to finish and
    // is then killed. Either way it is reaped.
    ~RemoteObject();
    RemoteObject(const RemoteObject&) = delete;
    RemoteObject& operator=(const RemoteObject&) = delete;

    // Calls the member with the arguments, Missing for an omitted one. The
    // values of by-reference arguments come back in place. Returns the
    // member's result (Missing when it has none). A numbered error the
    // member raises comes back as that error, and the object stays usable.
    Value call(std::string_view member, std::vector<Value>& arguments);
    Value call(std::string_view member, std::vector<Value>&& arguments);

    // Lets go of the server as the destructor does. Later calls raise 462.
    void release();

    bool isConnected() const;
    // True once the server has ended: a child server reaped, an attached one
    // disconnected.
    bool hasEnded();
    // The child server's process id; 0 for an attached server or once reaped.
    int processId() const;

private:
    RemoteObject(std::unique_ptr<Channel> channel, std::unique_ptr<ChildProcess> process,
                 const Timeouts& timeouts, std::string serverName);

    void handshake(const ClassIdentity& identity);
    // Gives a server up that can no longer be talked to: killed and reaped.
    void disconnect();
    [[noreturn]] void fail(int number, const std::string& detail);

    std::unique_ptr<Channel> channel_;
    std::unique_ptr<ChildProcess> process_;
    Timeouts timeouts_;
    std::string serverName_;
    std::uint32_t lastCallId_ = 0;
};

} // namespace automation
