#pragma once

#include "automation/InterfaceDefinition.h"
#include "automation/Message.h"
#include "automation/Value.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace automation {

// The one object a server serves.
class Dispatchable {
public:
    virtual ~Dispatchable() = default;
    // Runs the member with its arguments prepared (converted to the
    // parameters' types, omitted optional ones given their default or left
    // Missing); by-reference arguments are changed in place. A numbered
    // failure is raised as runtime::RuntimeError and goes back to the client.
    virtual Value invoke(const MemberDefinition& member, std::vector<Value>& arguments) = 0;
};

// The server's end of an automation channel. Lives on the GUI thread and
// runs each call there, one at a time, between the thread's events. A call
// that arrives while a modal dialog is open (or while another call runs in a
// nested event loop) waits until the dialog has closed. An unknown member, a
// bad argument or a malformed message gets an error answer and the server
// goes on; a broken frame or a closed channel ends the connection.
class Server : public QObject {
    Q_OBJECT
public:
    // Takes the channel socket over; the definition and the object must
    // outlive the server.
    Server(int channelSocket, const InterfaceDefinition& definition, Dispatchable& object,
           QObject* parent = nullptr);
    // Sends what is still unsent (waiting a moment at most) and closes.
    ~Server() override;

    // The descriptor named by "--automation-channel=N" among a program's
    // arguments; -1 when there is none or it is not a socket.
    static int channelFromArguments(const QStringList& arguments);

    bool isConnected() const { return socket_ >= 0; }
    int pendingCallCount() const { return static_cast<int>(pending_.size()); }

signals:
    // A client has asked for the class and interface served: from now on it
    // holds the object (the drawing program takes it as its input source).
    void clientConnected();
    // The client has closed the channel or broken it beyond repair. A server
    // started for automation usually ends here.
    void clientGone();

private:
    void readAvailable();
    void handleFrames();
    void handle(protocol::Message&& message);
    void dispatchPending();
    protocol::Message execute(const protocol::Call& call);
    void send(const protocol::Message& message);
    void writePending();
    void closeChannel();

    int socket_ = -1;
    const InterfaceDefinition& definition_;
    Dispatchable& object_;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    QTimer* retry_ = nullptr;
    std::vector<std::uint8_t> input_;
    std::vector<std::uint8_t> output_;
    std::deque<protocol::Call> pending_;
    bool welcomed_ = false;
    bool dispatching_ = false;
};

} // namespace automation
