#include "ScriptedRun.h"

#include "shell/Startup.h"

#include "forms/CommandButton.h"
#include "forms/EntryGuard.h"
#include "forms/MenuItem.h"
#include "shell/ProgramFolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace cindrel {

namespace {

constexpr int RetryMilliseconds = 10;
constexpr int MaximumWaitTicks = 1000; // ten seconds

} // namespace

ScriptedRun::ScriptedRun()
{
    const QString path = qEnvironmentVariable("CINDREL_TEST_SCRIPT");
    if (path.isEmpty())
        return;
    active_ = true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail(QStringLiteral("cannot read the script ") + path);
        return;
    }
    provider_.setRaiseOnFailure(false);
    installed_ = std::make_unique<dialogs::ScopedDialogProvider>(provider_);
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString& command = words.front();
        if (command == QStringLiteral("program-folder") && words.size() == 2)
            shellservices::setProgramFolderOverride(words[1]);
        else if (command == QStringLiteral("answer-message") && words.size() == 2)
            provider_.answerMessageBox(words[1].toInt());
        else if (command == QStringLiteral("answer-file") && words.size() == 2)
            provider_.answerFile(words[1]);
        else if (command == QStringLiteral("answer-checkable") && words.size() == 3)
            provider_.answerCheckableMessage(words[1].toInt(), words[2].toInt() != 0);
        else
            pending_.append(line);
    }
    retry_.setInterval(RetryMilliseconds);
    QObject::connect(&retry_, &QTimer::timeout, [this] { forms::runGuarded("ScriptedRun", [this] { runNext(); }); });
}

ScriptedRun::~ScriptedRun() = default;

void ScriptedRun::start(shell::Startup& startup)
{
    if (!active_)
        return;
    startup_ = &startup;
    retry_.start();
}

void ScriptedRun::runNext()
{
    while (!pending_.isEmpty()) {
        const QStringList words = pending_.front().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!runCommand(words)) {
            if (++waitedTicks_ > MaximumWaitTicks) {
                fail(QStringLiteral("gave up waiting for: ") + pending_.front());
                pending_.clear();
                QCoreApplication::exit(3);
            }
            return;
        }
        waitedTicks_ = 0;
        pending_.removeFirst();
    }
    retry_.stop();
}

bool ScriptedRun::runCommand(const QStringList& words)
{
    if (words.size() < 2) {
        fail(QStringLiteral("malformed command"));
        return true;
    }
    // Waits for a file another process makes: a step it takes outside the
    // program (a window minimised by the window manager) comes first.
    if (words[0] == QStringLiteral("wait-file") && words.size() == 2)
        return QFileInfo::exists(words[1]);
    forms::Form* window = startup_->windows().find(words[1]);
    if (window == nullptr) {
        fail(QStringLiteral("no window ") + words[1]);
        return true;
    }
    if (!window->isLoaded() || !window->visible())
        return false;
    const QString& command = words[0];
    const auto control = [&](int at) -> forms::Control* {
        const int index = words.size() > at + 1 ? words[at + 1].toInt() : -1;
        forms::Control* found = window->find(words.value(at), index);
        if (found == nullptr)
            fail(QStringLiteral("no control ") + words.value(at) + QStringLiteral(" on ") + words[1]);
        return found;
    };
    if (command == QStringLiteral("check") && words.size() == 4) {
        if (forms::Control* box = window->find(words[2]))
            box->setValue(words[3].toInt());
        else
            fail(QStringLiteral("no check box ") + words[2]);
    } else if (command == QStringLiteral("click")) {
        if (auto* button = dynamic_cast<forms::CommandButton*>(control(2))) {
            if (!button->visible())
                return false;
            button->click();
        }
    } else if (command == QStringLiteral("menu") && words.size() == 3) {
        if (auto* item = dynamic_cast<forms::MenuItem*>(control(2)))
            item->click();
    } else if (command == QStringLiteral("close")) {
        window->unload(forms::UnloadReason::FormControlMenu);
    } else if (command == QStringLiteral("save-text") && words.size() == 4) {
        QString text;
        if (words[1] == QStringLiteral("frmMisc") && words[2] == QStringLiteral("txtNotes"))
            text = startup_->runLogWindow().text();
        else if (forms::Control* found = window->find(words[2]))
            text = found->value().toString();
        QFile out(words[3]);
        if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0)
            fail(QStringLiteral("cannot write ") + words[3]);
    } else {
        fail(QStringLiteral("unknown command ") + words.join(QLatin1Char(' ')));
    }
    return true;
}

void ScriptedRun::fail(const QString& message)
{
    failures_.append(message);
    std::fprintf(stderr, "test script: %s\n", qPrintable(message));
}

int ScriptedRun::finish(int exitCode)
{
    if (!active_)
        return exitCode;
    for (const QString& failure : provider_.failures())
        fail(QStringLiteral("dialog: ") + failure);
    if (provider_.unusedAnswers() != 0)
        fail(QStringLiteral("%1 dialog answers were not used").arg(provider_.unusedAnswers()));
    if (!pending_.isEmpty())
        fail(QStringLiteral("commands left: ") + pending_.join(QStringLiteral("; ")));
    return failures_.isEmpty() ? exitCode : 3;
}

} // namespace cindrel
