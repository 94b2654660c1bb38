#include "automation/RemoteObject.h"

#include "automation/AutomationError.h"
#include "automation/Channel.h"
#include "automation/ChildProcess.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace automation {

namespace {

// The descriptor a child server finds its channel on, as its argument says.
constexpr int ChildChannel = 3;

Deadline after(std::chrono::milliseconds span) { return std::chrono::steady_clock::now() + span; }

std::string seconds(std::chrono::milliseconds span) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", span.count() / 1000.0);
    return std::string(text) + (span == std::chrono::seconds(1) ? " second" : " seconds");
}

void checkProgramFile(const std::string& path) {
    if (path.empty())
        raiseAutomationError(CannotCreateObject, "no server program is known for the class");
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        raiseAutomationError(CannotCreateObject, path + " does not exist");
    if (S_ISDIR(status.st_mode))
        raiseAutomationError(CannotCreateObject, path + " is a folder, not a program");
    if (::access(path.c_str(), X_OK) != 0)
        raiseAutomationError(CannotCreateObject, path + " may not be run");
}

} // namespace

RemoteObject::RemoteObject(std::unique_ptr<Channel> channel, std::unique_ptr<ChildProcess> process,
                           const Timeouts& timeouts, std::string serverName)
    : channel_(std::move(channel)), process_(std::move(process)), timeouts_(timeouts),
      serverName_(std::move(serverName)) {}

RemoteObject::~RemoteObject() { release(); }

std::unique_ptr<RemoteObject> RemoteObject::create(const ServerProgram& program,
                                                   const ClassIdentity& identity,
                                                   const Timeouts& timeouts) {
    checkProgramFile(program.path);
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        raiseAutomationError(CannotCreateObject,
                             std::string("no channel to the server (") + std::strerror(errno) + ")");
    auto channel = std::make_unique<Channel>(sockets[0]);
    std::vector<std::string> arguments{program.path};
    arguments.insert(arguments.end(), program.arguments.begin(), program.arguments.end());
    arguments.push_back("--automation-channel=" + std::to_string(ChildChannel));
    auto closeChildEnd = runtime::onScopeExit([&sockets] { ::close(sockets[1]); });
    auto process = std::make_unique<ChildProcess>(program.path, arguments, sockets[1], ChildChannel);
    // Only the child holds the other end now, so its end is our end of file.
    closeChildEnd.runNow();
    std::unique_ptr<RemoteObject> object(
        new RemoteObject(std::move(channel), std::move(process), timeouts, program.path));
    object->handshake(identity);
    return object;
}

std::unique_ptr<RemoteObject> RemoteObject::attach(int channelSocket, const ClassIdentity& identity,
                                                   const Timeouts& timeouts,
                                                   const std::string& serverName) {
    std::unique_ptr<RemoteObject> object(
        new RemoteObject(std::make_unique<Channel>(channelSocket), nullptr, timeouts, serverName));
    object->handshake(identity);
    return object;
}

void RemoteObject::handshake(const ClassIdentity& identity) {
    const Deadline deadline = after(timeouts_.start);
    const std::string silent = serverName_ + " did not answer within " + seconds(timeouts_.start);
    const std::string ended = serverName_ + " ended before answering";
    switch (channel_->send(protocol::Hello{protocol::Version, identity.classId, identity.interfaceId},
                           deadline)) {
    case Channel::Status::Ok: break;
    case Channel::Status::TimedOut: fail(CannotCreateObject, silent);
    case Channel::Status::Closed: fail(CannotCreateObject, ended);
    case Channel::Status::Malformed: fail(CannotCreateObject, "the class identity is too long");
    }
    protocol::Message reply;
    std::string problem;
    switch (channel_->receive(reply, deadline, problem)) {
    case Channel::Status::Ok: break;
    case Channel::Status::TimedOut: fail(CannotCreateObject, silent);
    case Channel::Status::Closed: fail(CannotCreateObject, ended);
    case Channel::Status::Malformed:
        fail(InterfaceNotSupported, serverName_ + " does not speak this automation protocol (" + problem + ")");
    }
    if (const auto* refusal = std::get_if<protocol::Refusal>(&reply))
        fail(InterfaceNotSupported, serverName_ + " refused: " + refusal->description);
    const auto* welcome = std::get_if<protocol::Welcome>(&reply);
    if (welcome == nullptr)
        fail(InterfaceNotSupported, serverName_ + " did not answer the handshake");
    if (welcome->version != protocol::Version || welcome->classId != identity.classId ||
        welcome->interfaceId != identity.interfaceId)
        fail(InterfaceNotSupported,
             serverName_ + " serves class " + welcome->classId + " with interface " +
                 welcome->interfaceId + " (protocol " + std::to_string(welcome->version) +
                 "), not class " + identity.classId + " with interface " + identity.interfaceId +
                 " (protocol " + std::to_string(protocol::Version) + ")");
}

Value RemoteObject::call(std::string_view member, std::vector<Value>&& arguments) {
    return call(member, arguments);
}

Value RemoteObject::call(std::string_view member, std::vector<Value>& arguments) {
    const std::string name(member);
    if (!isConnected())
        raiseAutomationError(ServerUnavailable, serverName_ + " is no longer connected (" + name + ")");
    const Deadline deadline = after(timeouts_.call);
    const std::string silent = serverName_ + " did not answer " + name + " within " + seconds(timeouts_.call);
    const std::uint32_t id = ++lastCallId_;
    switch (channel_->send(protocol::Call{id, name, arguments}, deadline)) {
    case Channel::Status::Ok: break;
    case Channel::Status::TimedOut: fail(ServerNotResponding, silent);
    case Channel::Status::Closed: fail(ServerUnavailable, serverName_ + " has ended (" + name + ")");
    case Channel::Status::Malformed:
        // Nothing was sent: the channel is still in step.
        raiseAutomationError(ProtocolViolation, "the call of " + name + " is too large to send");
    }
    protocol::Message reply;
    std::string problem;
    switch (channel_->receive(reply, deadline, problem)) {
    case Channel::Status::Ok: break;
    case Channel::Status::TimedOut: fail(ServerNotResponding, silent);
    case Channel::Status::Closed: fail(ServerUnavailable, serverName_ + " ended during " + name);
    case Channel::Status::Malformed:
        fail(ProtocolViolation, serverName_ + " sent a malformed answer to " + name + " (" + problem + ")");
    }
    if (const auto* answer = std::get_if<protocol::Answer>(&reply); answer != nullptr && answer->id == id) {
        for (const auto& [index, value] : answer->byReference)
            if (index < arguments.size())
                arguments[index] = value;
        return answer->result;
    }
    if (const auto* failure = std::get_if<protocol::Failure>(&reply); failure != nullptr && failure->id == id) {
        if (failure->number == 0)
            raiseAutomationError(ProtocolViolation, failure->description);
        runtime::raise(failure->number, failure->description);
    }
    fail(ProtocolViolation, serverName_ + " answered " + name + " out of order");
}

void RemoteObject::fail(int number, const std::string& detail) {
    // A server that has ended may still be saving its work: it gets the end
    // timeout. One that broke the protocol or stopped answering gets none.
    if (number == ServerUnavailable)
        release();
    else
        disconnect();
    raiseAutomationError(number, detail);
}

void RemoteObject::disconnect() {
    if (channel_)
        channel_->close();
    if (process_)
        process_->finish(std::chrono::milliseconds(0));
}

void RemoteObject::release() {
    if (channel_)
        channel_->close();
    if (process_)
        process_->finish(timeouts_.end);
}

bool RemoteObject::hasEnded() {
    if (process_)
        return process_->hasEnded();
    return !isConnected();
}

bool RemoteObject::isConnected() const { return channel_ && channel_->isOpen(); }

int RemoteObject::processId() const {
    if (!process_ || process_->id() <= 0)
        return 0;
    return process_->id();
}

} // namespace automation
