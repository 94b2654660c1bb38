#include "automation/Server.h"

#include "automation/AutomationError.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace automation {

namespace {

// How often deferred calls look again whether the modal dialog has closed.
constexpr int RetryMilliseconds = 25;
// How long the server's end waits for its last answers to leave.
constexpr int FlushMilliseconds = 1000;
// Answers a client has left unread this long: it no longer reads its channel.
constexpr std::size_t MaximumUnsent = 16u << 20;

bool modalDialogOpen() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr)
        return QApplication::activeModalWidget() != nullptr;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        return QGuiApplication::modalWindow() != nullptr;
    return false;
}

protocol::Failure failure(std::uint32_t id, int number, const std::string& detail) {
    std::string description = automationErrorDescription(number);
    if (!detail.empty())
        description += ": " + detail;
    return {id, number, description};
}

} // namespace

Server::Server(int channelSocket, const InterfaceDefinition& definition, Dispatchable& object,
               QObject* parent)
    : QObject(parent), socket_(channelSocket), definition_(definition), object_(object) {
    const int flags = ::fcntl(socket_, F_GETFL);
    if (flags >= 0)
        ::fcntl(socket_, F_SETFL, flags | O_NONBLOCK);
    ::fcntl(socket_, F_SETFD, FD_CLOEXEC);
    readNotifier_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &Server::readAvailable);
    writeNotifier_ = new QSocketNotifier(socket_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &Server::writePending);
    retry_ = new QTimer(this);
    retry_->setInterval(RetryMilliseconds);
    connect(retry_, &QTimer::timeout, this, &Server::dispatchPending);
}

Server::~Server() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(FlushMilliseconds);
    while (socket_ >= 0 && !output_.empty() && std::chrono::steady_clock::now() < deadline) {
        pollfd entry{socket_, POLLOUT, 0};
        if (::poll(&entry, 1, 50) < 0 && errno != EINTR)
            break;
        writePending();
    }
    if (socket_ >= 0)
        ::close(socket_);
}

int Server::channelFromArguments(const QStringList& arguments) {
    static const QString option = QStringLiteral("--automation-channel=");
    for (const QString& argument : arguments) {
        if (!argument.startsWith(option))
            continue;
        bool ok = false;
        const int socket = argument.mid(option.size()).toInt(&ok);
        struct stat status {};
        if (!ok || socket < 0 || ::fstat(socket, &status) != 0 || !S_ISSOCK(status.st_mode))
            return -1;
        return socket;
    }
    return -1;
}

void Server::readAvailable() {
    std::uint8_t block[4096];
    for (;;) {
        const ssize_t n = ::recv(socket_, block, sizeof block, 0);
        if (n > 0) {
            input_.insert(input_.end(), block, block + n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // End of file or a broken channel: what is complete still counts
        // for nothing, as no one is left to answer.
        closeChannel();
        return;
    }
    handleFrames();
    dispatchPending();
}

void Server::handleFrames() {
    std::size_t used = 0;
    while (socket_ >= 0 && input_.size() - used >= protocol::FrameHeaderSize) {
        std::uint32_t length = 0;
        try {
            length = protocol::decodeFrameLength(input_.data() + used);
        } catch (const protocol::MalformedMessage&) {
            // No way to find the next frame: the stream is not ours.
            closeChannel();
            return;
        }
        if (input_.size() - used - protocol::FrameHeaderSize < length)
            break;
        const std::uint8_t* body = input_.data() + used + protocol::FrameHeaderSize;
        used += protocol::FrameHeaderSize + length;
        try {
            handle(protocol::decodeMessage(body, length));
        } catch (const protocol::MalformedMessage& error) {
            send(failure(0, ProtocolViolation, error.what()));
        }
    }
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(used));
}

void Server::handle(protocol::Message&& message) {
    if (auto* hello = std::get_if<protocol::Hello>(&message)) {
        // The client compares what we serve with what it asked for.
        welcomed_ = hello->version == protocol::Version && hello->classId == definition_.classId &&
                    hello->interfaceId == definition_.interfaceId;
        send(protocol::Welcome{protocol::Version, definition_.classId, definition_.interfaceId});
        // Queued: no code of the program runs while frames are being read.
        if (welcomed_ && isConnected())
            QMetaObject::invokeMethod(this, &Server::clientConnected, Qt::QueuedConnection);
        return;
    }
    if (auto* call = std::get_if<protocol::Call>(&message)) {
        if (!welcomed_) {
            send(failure(call->id, InterfaceNotSupported, "no object for this client"));
            return;
        }
        pending_.push_back(std::move(*call));
        return;
    }
    send(failure(0, ProtocolViolation, "a client sent a message only a server sends"));
}

void Server::dispatchPending() {
    if (dispatching_)
        return; // the running call's end dispatches the rest
    while (socket_ >= 0 && !pending_.empty()) {
        if (modalDialogOpen()) {
            if (!retry_->isActive())
                retry_->start();
            return;
        }
        const protocol::Call call = std::move(pending_.front());
        pending_.pop_front();
        const protocol::Message reply = [&] {
            const QScopedValueRollback dispatchingNow(dispatching_, true);
            return execute(call);
        }();
        send(reply);
    }
    retry_->stop();
}

protocol::Message Server::execute(const protocol::Call& call) {
    const MemberDefinition* member = definition_.find(call.member);
    if (member == nullptr)
        return failure(call.id, MemberNotFound, definition_.className + "." + call.member);
    try {
        std::vector<Value> arguments = prepareArguments(*member, call.arguments);
        protocol::Answer answer{call.id, convertTo(object_.invoke(*member, arguments), member->result), {}};
        for (std::size_t i = 0; i < member->parameters.size(); ++i)
            if (member->parameters[i].byReference)
                answer.byReference.emplace_back(static_cast<std::uint16_t>(i), arguments[i]);
        return answer;
    } catch (const runtime::RuntimeError& error) {
        return protocol::Failure{call.id, error.number(), error.description()};
    } catch (const std::exception& error) {
        return failure(call.id, ProtocolViolation, member->name + ": " + error.what());
    } catch (...) {
        return failure(call.id, ProtocolViolation, member->name + " failed");
    }
}

void Server::send(const protocol::Message& message) {
    if (socket_ < 0)
        return;
    try {
        const std::vector<std::uint8_t> frame = protocol::encodeFrame(message);
        if (output_.size() + frame.size() > MaximumUnsent) {
            closeChannel();
            return;
        }
        output_.insert(output_.end(), frame.begin(), frame.end());
    } catch (const protocol::MalformedMessage& error) {
        const std::uint32_t id = std::visit(
            [](const auto& m) -> std::uint32_t {
                if constexpr (requires { m.id; })
                    return m.id;
                return 0;
            },
            message);
        const auto frame = protocol::encodeFrame(failure(id, ProtocolViolation, error.what()));
        output_.insert(output_.end(), frame.begin(), frame.end());
    }
    writePending();
}

void Server::writePending() {
    while (socket_ >= 0 && !output_.empty()) {
        const ssize_t n = ::send(socket_, output_.data(), output_.size(), MSG_NOSIGNAL);
        if (n > 0) {
            output_.erase(output_.begin(), output_.begin() + n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            writeNotifier_->setEnabled(true);
            return;
        }
        closeChannel();
        return;
    }
    if (writeNotifier_ != nullptr)
        writeNotifier_->setEnabled(false);
}

void Server::closeChannel() {
    if (socket_ < 0)
        return;
    readNotifier_->setEnabled(false);
    writeNotifier_->setEnabled(false);
    retry_->stop();
    ::close(socket_);
    socket_ = -1;
    pending_.clear();
    output_.clear();
    emit clientGone();
}

} // namespace automation
