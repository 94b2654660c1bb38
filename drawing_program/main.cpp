#include "shell/AutomationSeam.h"
#include "shell/Startup.h"

#include "automation/Server.h"
#include "dialogs/MessageBox.h"
#include "forms/EntryGuard.h"
#include "drawing/SettingsStore.h"
#include "registry/Store.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <csignal>
#include <functional>
#include <memory>
#include <string>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// A termination request (SIGTERM, SIGINT, SIGHUP) ends the program as
// closing its window does, so that zooms and settings are kept: the handler
// only writes a byte, which the event loop picks up.
int signalPipe[2] = {-1, -1};

void requestEnd(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void endOnTerminationSignals(QObject* owner, std::function<void()> end)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [notifier, end = std::move(end)] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
        notifier->setEnabled(false);
        forms::runGuarded("Termination signal", end);
    });
    struct sigaction action {};
    action.sa_handler = requestEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrope"));
    QApplication::setQuitOnLastWindowClosed(false);
    dialogs::setDefaultTitle(QStringLiteral("Vantrope"));

    // The store reports its failures in the message window once it exists.
    vantrope::Startup* running = nullptr;
    vantrope::RegistrySettingsStore store(registry::Store::currentUser(), [&running](std::string_view message) {
        if (running)
            running->logger().LogMessage("SettingsStore", "", "", message, "");
    });

    // Ending may be asked for before the event loop runs: remembered, so that
    // the loop is then not entered at all.
    int exitCode = 0;
    bool ended = false;
    vantrope::Startup startup(store, [&](int code) {
        ended = true;
        exitCode = code;
        QCoreApplication::exit(code);
    });
    running = &startup;
    endOnTerminationSignals(&app, [&startup] { startup.EndProgram(); });
    // Without its window the program could only sit unseen: a failed start
    // is told and ends the run.
    try {
        startup.Main();
    } catch (...) {
        forms::reportUnhandledError("Start", std::current_exception());
        running = nullptr;
        return 1;
    }

    // Served until the end of the run, and let go of before the program's
    // variables, which the automation object refers to.
    std::unique_ptr<vantrope::AutomationSession> automation;
    const int channel = automation::Server::channelFromArguments(QApplication::arguments());
    if (channel >= 0)
        automation = vantrope::serveAutomation(startup, channel);

    if (!ended)
        exitCode = QApplication::exec();
    automation.reset();
    running = nullptr;
    return exitCode;
}
