#include "shell/ProgramMain.h"

#include "shell/Startup.h"

#include "forms/EntryGuard.h"
#include "registry/Store.h"

#include <QApplication>
#include <QStringList>

#include <exception>

namespace cindrel::shell {

namespace {

// The whole command line after the program's name is the path of one design file.
QString designFileArgument(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

} // namespace

int runCindrel(int argc, char* argv[], const ProgramHooksFactory& makeHooks)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cindrel"));
    QApplication::setQuitOnLastWindowClosed(false);

    const std::unique_ptr<ProgramHooks> hooks = makeHooks ? makeHooks() : nullptr;

    // Ending may be asked for before the event loop runs (a failed start):
    // remembered, so that the loop is then not entered at all.
    int exitCode = 0;
    bool ended = false;
    Startup startup(registry::Store::currentUser(), [&](int code) {
        ended = true;
        exitCode = code;
        QCoreApplication::exit(code);
    }, designFileArgument(QApplication::arguments()));

    // Without its windows the program could only sit unseen: a failed start
    // is told and ends the run.
    try {
        startup.Main();
    } catch (...) {
        forms::reportUnhandledError("Start", std::current_exception());
        return 1;
    }
    if (hooks)
        hooks->started(startup);
    if (!ended)
        exitCode = QApplication::exec();
    if (hooks)
        exitCode = hooks->finished(exitCode);
    return exitCode;
}

} // namespace cindrel::shell
