#pragma once

#include "dialogs/ScriptedDialogProvider.h"

#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

namespace cindrel {

namespace shell {
class Startup;
}

// Test builds only: runs the program from a script named by the environment
// variable CINDREL_TEST_SCRIPT, so that end-to-end tests drive the real
// program without a user. Without the variable it does nothing. The script
// may only answer dialogs and press the program's own controls; it runs no
// commands and reads no other file.
//
// One command per line ("#" starts a comment):
//   program-folder <folder>         the program folder (read before start-up)
//   answer-message <button>         the next message box's answer (1 OK ... 7 No)
//   answer-checkable <bit> <0|1>    the next checkable message's button and box
//   answer-file <path>              the next file dialog's choice
//   check <window> <control> <value>
//   click <window> <control> [index]
//   menu <window> <item>
//   close <window>                  as the window's close button does
//   save-text <window> <control> <file>   writes the control's value to a file
//   wait-file <path>                waits until the file exists
// Commands run in order, a window's once the window is visible.
class ScriptedRun {
public:
    ScriptedRun();
    ~ScriptedRun();

    void start(shell::Startup& startup);
    // The exit code: the program's own, or 3 when the script failed.
    int finish(int exitCode);

private:
    void runNext();
    bool runCommand(const QStringList& words);
    void fail(const QString& message);

    bool active_ = false;
    QStringList pending_;
    shell::Startup* startup_ = nullptr;
    dialogs::ScriptedDialogProvider provider_;
    std::unique_ptr<dialogs::ScopedDialogProvider> installed_;
    QTimer retry_;
    int waitedTicks_ = 0;
    QStringList failures_;
};

} // namespace cindrel
