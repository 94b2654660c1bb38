#pragma once

#include "automation/Message.h"

#include <chrono>
#include <string>

namespace automation {

using Deadline = std::chrono::steady_clock::time_point;

// The client's end of a private channel to a server: whole frames sent and
// received with a deadline. Never raises SIGPIPE and never blocks past the
// deadline, whatever the other end does.
class Channel {
public:
    enum class Status { Ok, Closed, TimedOut, Malformed };

    // Takes the socket over and makes it non-blocking; closes it when done.
    explicit Channel(int socket);
    ~Channel();
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    Status send(const protocol::Message& message, Deadline deadline);
    // On Malformed, problem says what was wrong.
    Status receive(protocol::Message& message, Deadline deadline, std::string& problem);

    bool isOpen() const { return socket_ >= 0; }
    void close();

private:
    Status readExactly(std::uint8_t* into, std::size_t size, Deadline deadline);
    // Waits until the socket is ready for the given poll events.
    Status waitFor(short events, Deadline deadline);

    int socket_ = -1;
};

} // namespace automation
