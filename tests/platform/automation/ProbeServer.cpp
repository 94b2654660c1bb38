// A server for the automation tests, started by them as a child process.
//   --serve-class=ID  claims to serve another class
//   --mute            never answers anything
//   --exit            ends at once
//   --babble          answers the handshake with bytes that are no message
#include "ProbeInterface.h"

#include "automation/Server.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using automation::Value;

std::string tagged(const Value& value) {
    static const char* const tags[] = {"missing", "i16", "i32", "d", "b", "t"};
    const std::string tag = tags[value.index()];
    return std::holds_alternative<automation::Missing>(value) ? tag : tag + ":" + automation::describe(value);
}

class Probe : public automation::Dispatchable {
public:
    explicit Probe(int channel) : channel_(channel) {}

    Value invoke(const automation::MemberDefinition& member, std::vector<Value>& arguments) override {
        ++calls_;
        const std::string& name = member.name;
        if (name == "Echo") {
            std::string received;
            for (const Value& argument : arguments) {
                if (!received.empty())
                    received += '|';
                received += tagged(argument);
            }
            return received;
        }
        if (name == "Twice") {
            arguments[0] = std::get<std::int32_t>(arguments[0]) * 2;
            arguments[1] = std::get<std::string>(arguments[1]) + std::get<std::string>(arguments[1]);
            return true;
        }
        if (name == "Fail")
            runtime::raise(std::get<std::int32_t>(arguments[0]), std::get<std::string>(arguments[1]));
        if (name == "Calls")
            return calls_;
        if (name == "Hang")
            for (;;)
                std::this_thread::sleep_for(std::chrono::seconds(1));
        if (name == "Die")
            ::raise(SIGKILL);
        if (name == "Garbage") {
            const char noise[] = "\xff\xff\xff\x7fnot a frame";
            ::send(channel_, noise, sizeof noise, MSG_NOSIGNAL);
        }
        if (name == "Quit")
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        return automation::Missing{};
    }

private:
    int channel_;
    std::int32_t calls_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int channel = automation::Server::channelFromArguments(arguments);
    if (channel < 0)
        return 2;
    if (arguments.contains(QStringLiteral("--exit")))
        return 3;
    if (arguments.contains(QStringLiteral("--mute")))
        for (;;)
            std::this_thread::sleep_for(std::chrono::seconds(1));
    if (arguments.contains(QStringLiteral("--babble"))) {
        const char noise[] = "\x05\x00\x00\x00Hello";
        ::send(channel, noise, sizeof noise - 1, MSG_NOSIGNAL);
    }
    automation::InterfaceDefinition served = probe::definition();
    for (const QString& argument : arguments)
        if (argument.startsWith(QStringLiteral("--serve-class=")))
            served.classId = argument.section(QLatin1Char('='), 1).toStdString();

    Probe probe(channel);
    automation::Server server(channel, served, probe);
    QObject::connect(&server, &automation::Server::clientGone, &application, &QCoreApplication::quit);
    return application.exec();
}
