#include "shell/Launcher.h"

#include "runtime/RuntimeError.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace shellservices {

namespace {

Launcher*& installedLauncher() {
    static Launcher* launcher = nullptr;
    return launcher;
}

} // namespace

bool DesktopLauncher::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool DesktopLauncher::startDetached(const QString& program) {
    return QProcess::startDetached(program, QStringList());
}

bool RecordingLauncher::openUrl(const QUrl& url) {
    openedUrls << url;
    return succeeds;
}

bool RecordingLauncher::startDetached(const QString& program) {
    startedPrograms << program;
    return succeeds;
}

Launcher& currentLauncher() {
    static DesktopLauncher desktop;
    Launcher* launcher = installedLauncher();
    return launcher != nullptr ? *launcher : desktop;
}

void setCurrentLauncher(Launcher* launcher) { installedLauncher() = launcher; }

ScopedLauncher::ScopedLauncher(Launcher& launcher) : previous_(installedLauncher()) {
    installedLauncher() = &launcher;
}

ScopedLauncher::~ScopedLauncher() { installedLauncher() = previous_; }

bool openWebAddress(const QString& address) {
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (!url.isValid() || url.isEmpty())
        return false;
    // Only web pages and mail: a local path or another scheme handed to the
    // desktop could start a program.
    static const QStringList webSchemes = {QStringLiteral("http"), QStringLiteral("https"),
                                           QStringLiteral("mailto")};
    if (!webSchemes.contains(url.scheme(), Qt::CaseInsensitive))
        return false;
    return currentLauncher().openUrl(url);
}

bool openLocalFile(const QString& path) {
    if (path.isEmpty())
        return false;
    return currentLauncher().openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void startProgram(const QString& path) {
    if (path.trimmed().isEmpty())
        runtime::raise(runtime::InvalidProcedureCall);
    const QFileInfo program(path);
    if (!program.exists())
        runtime::raise(runtime::FileNotFound);
    if (program.isDir())
        runtime::raise(runtime::PathFileAccessError);
    if (!program.isExecutable())
        runtime::raise(runtime::PermissionDenied);
    if (!currentLauncher().startDetached(program.absoluteFilePath()))
        runtime::raise(runtime::PathFileAccessError);
}

} // namespace shellservices
