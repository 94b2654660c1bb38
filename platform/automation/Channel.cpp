#include "automation/Channel.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace automation {

namespace {

int millisecondsUntil(Deadline deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
        return 0;
    return left.count() > 1'000'000'000 ? 1'000'000'000 : static_cast<int>(left.count());
}

} // namespace

Channel::Channel(int socket) : socket_(socket) {
    const int flags = ::fcntl(socket_, F_GETFL);
    if (flags >= 0)
        ::fcntl(socket_, F_SETFL, flags | O_NONBLOCK);
}

Channel::~Channel() { close(); }

void Channel::close() {
    if (socket_ >= 0)
        ::close(socket_);
    socket_ = -1;
}

Channel::Status Channel::waitFor(short events, Deadline deadline) {
    for (;;) {
        pollfd entry{socket_, events, 0};
        const int ready = ::poll(&entry, 1, millisecondsUntil(deadline));
        if (ready > 0) {
            // Readable data still comes first; a hang-up alone means the end.
            if (entry.revents & events)
                return Status::Ok;
            return Status::Closed;
        }
        if (ready == 0)
            return Status::TimedOut;
        if (errno != EINTR)
            return Status::Closed;
    }
}

Channel::Status Channel::send(const protocol::Message& message, Deadline deadline) {
    if (socket_ < 0)
        return Status::Closed;
    std::vector<std::uint8_t> frame;
    try {
        frame = protocol::encodeFrame(message);
    } catch (const protocol::MalformedMessage&) {
        return Status::Malformed;
    }
    std::size_t sent = 0;
    while (sent < frame.size()) {
        const ssize_t n = ::send(socket_, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (const Status status = waitFor(POLLOUT, deadline); status != Status::Ok)
                return status;
            continue;
        }
        return Status::Closed;
    }
    return Status::Ok;
}

Channel::Status Channel::readExactly(std::uint8_t* into, std::size_t size, Deadline deadline) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::recv(socket_, into + got, size - got, 0);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0)
            return Status::Closed;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (const Status status = waitFor(POLLIN, deadline); status != Status::Ok)
                return status;
            continue;
        }
        return Status::Closed;
    }
    return Status::Ok;
}

Channel::Status Channel::receive(protocol::Message& message, Deadline deadline, std::string& problem) {
    if (socket_ < 0)
        return Status::Closed;
    std::uint8_t header[protocol::FrameHeaderSize];
    if (const Status status = readExactly(header, sizeof header, deadline); status != Status::Ok)
        return status;
    try {
        std::vector<std::uint8_t> body(protocol::decodeFrameLength(header));
        if (const Status status = readExactly(body.data(), body.size(), deadline); status != Status::Ok)
            return status;
        message = protocol::decodeMessage(body.data(), body.size());
    } catch (const protocol::MalformedMessage& error) {
        problem = error.what();
        return Status::Malformed;
    }
    return Status::Ok;
}

} // namespace automation
