#include "ProbeInterface.h"

#include "automation/AutomationError.h"
#include "automation/RemoteObject.h"
#include "automation/Server.h"
#include "runtime/RuntimeError.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace automation;

namespace {

class Recorder : public Dispatchable {
public:
    Value invoke(const MemberDefinition& member, std::vector<Value>&) override {
        members.push_back(member.name);
        return static_cast<std::int32_t>(members.size());
    }
    std::vector<std::string> members;
};

// A server on this (the GUI) thread and the client's end of its channel.
class ServerOnThisThread : public ::testing::Test {
protected:
    ServerOnThisThread() {
        int sockets[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);
        server = std::make_unique<Server>(sockets[0], probe::definition(), object);
        client = sockets[1];
    }
    ~ServerOnThisThread() override {
        server.reset();
        if (client >= 0)
            ::close(client);
    }

    // Sends raw bytes and returns the message that comes back, the server
    // running meanwhile.
    protocol::Message exchange(const std::vector<std::uint8_t>& bytes) {
        EXPECT_EQ(::send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
        EXPECT_TRUE(QTest::qWaitFor([this] {
            pollfd entry{client, POLLIN, 0};
            return ::poll(&entry, 1, 0) > 0;
        }, 5000));
        std::uint8_t header[protocol::FrameHeaderSize];
        EXPECT_EQ(::recv(client, header, sizeof header, MSG_WAITALL), 4);
        std::vector<std::uint8_t> body(protocol::decodeFrameLength(header));
        EXPECT_EQ(::recv(client, body.data(), body.size(), MSG_WAITALL), static_cast<ssize_t>(body.size()));
        return protocol::decodeMessage(body.data(), body.size());
    }

    Recorder object;
    std::unique_ptr<Server> server;
    int client = -1;
};

const ClassIdentity probeIdentity{probe::ClassId, probe::InterfaceId};

} // namespace

TEST_F(ServerOnThisThread, DefersACallWhileAModalDialogIsOpen) {
    std::atomic<bool> answered{false};
    int errorNumber = 0;
    std::thread caller;
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        // Inside the dialog's own event loop, as a call arriving during a
        // modal dialog meets it.
        const int channel = client;
        client = -1; // the remote object owns it now
        caller = std::thread([&, channel] {
            try {
                RemoteObject::attach(channel, probeIdentity)->call("Calls", {});
            } catch (const runtime::RuntimeError& error) {
                errorNumber = error.number();
            }
            answered = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return server->pendingCallCount() == 1; }, 5000));
        EXPECT_TRUE(object.members.empty());
        EXPECT_FALSE(answered);
        dialog.accept();
    });
    dialog.exec();
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered.load(); }, 5000));
    caller.join();
    EXPECT_EQ(errorNumber, 0);
    EXPECT_EQ(object.members, std::vector<std::string>{"Calls"});
}

TEST_F(ServerOnThisThread, AnswersMalformedAndEarlyMessagesWithErrorsAndGoesOn) {
    QSignalSpy connected(server.get(), &Server::clientConnected);
    const std::vector<std::uint8_t> noMessage{3, 0, 0, 0, 'Z', 'z', 'z'};
    const auto failure = std::get<protocol::Failure>(exchange(noMessage));
    EXPECT_EQ(failure.number, ProtocolViolation);

    const auto early = std::get<protocol::Failure>(exchange(protocol::encodeFrame(protocol::Call{1, "Calls", {}})));
    EXPECT_EQ(early.id, 1u);
    EXPECT_EQ(early.number, InterfaceNotSupported);

    const auto welcome = std::get<protocol::Welcome>(
        exchange(protocol::encodeFrame(protocol::Hello{protocol::Version, probe::ClassId, probe::InterfaceId})));
    EXPECT_EQ(welcome.classId, probe::ClassId);
    EXPECT_TRUE(QTest::qWaitFor([&] { return connected.count() == 1; }, 5000));

    const auto answer = std::get<protocol::Answer>(exchange(protocol::encodeFrame(protocol::Call{2, "Calls", {}})));
    EXPECT_EQ(answer.id, 2u);
    EXPECT_EQ(answer.result, Value(std::int32_t{1}));
    EXPECT_TRUE(server->isConnected());
}

TEST_F(ServerOnThisThread, GivesUpAChannelWithAnImpossibleFrameOrNoClient) {
    QSignalSpy gone(server.get(), &Server::clientGone);
    const std::uint8_t impossible[4] = {0xff, 0xff, 0xff, 0xff};
    ::send(client, impossible, sizeof impossible, MSG_NOSIGNAL);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.count() == 1; }, 5000));
    EXPECT_FALSE(server->isConnected());
}

TEST_F(ServerOnThisThread, NoticesTheClientLeaving) {
    QSignalSpy gone(server.get(), &Server::clientGone);
    ::close(client);
    client = -1;
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.count() == 1; }, 5000));
}

TEST(ServerArguments, FindTheChannelOnlyWhenItIsASocket) {
    int sockets[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);
    const QString named = QStringLiteral("--automation-channel=%1").arg(sockets[0]);
    EXPECT_EQ(Server::channelFromArguments({QStringLiteral("vantrope"), named}), sockets[0]);
    EXPECT_EQ(Server::channelFromArguments({QStringLiteral("vantrope")}), -1);
    EXPECT_EQ(Server::channelFromArguments({QStringLiteral("--automation-channel=x")}), -1);
    EXPECT_EQ(Server::channelFromArguments({QStringLiteral("--automation-channel=0")}), -1); // not a socket here
    ::close(sockets[0]);
    ::close(sockets[1]);
}
