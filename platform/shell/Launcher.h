#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace shellservices {

// Hands addresses and programs to the desktop. Tests install a recording
// launcher so that no browser or program is ever started.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts an existing program file as a separate process, without arguments.
    virtual bool startDetached(const QString& program) = 0;
};

class DesktopLauncher : public Launcher {
public:
    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program) override;
};

class RecordingLauncher : public Launcher {
public:
    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program) override;

    QList<QUrl> openedUrls;
    QStringList startedPrograms;
    bool succeeds = true; // what the desktop answers
};

Launcher& currentLauncher();
void setCurrentLauncher(Launcher* launcher); // not owned; nullptr: the desktop

class ScopedLauncher {
public:
    explicit ScopedLauncher(Launcher& launcher);
    ~ScopedLauncher();
    ScopedLauncher(const ScopedLauncher&) = delete;
    ScopedLauncher& operator=(const ScopedLauncher&) = delete;

private:
    Launcher* previous_;
};

// Opens a web address in the user's browser; "www.example.com" is taken as
// an http address. Only http, https and mailto addresses are opened. False
// when the address is unusable or refused, or nothing opened it.
bool openWebAddress(const QString& address);

// Opens a local file with the desktop's viewer for it.
bool openLocalFile(const QString& path);

// Starts a program file as a separate process in a normal window, without
// arguments, and returns at once. A failure raises runtime::RuntimeError:
// 53 when the file does not exist, 70 when it may not be run, 75 when it is a
// folder or the start fails, 5 for an empty name.
void startProgram(const QString& path);

} // namespace shellservices
