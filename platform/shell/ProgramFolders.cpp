#include "shell/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shellservices {

namespace {

QString& programFolderOverride() {
    static QString folder;
    return folder;
}

QString& userDataOverride() {
    static QString folder;
    return folder;
}

QString executableFolder() {
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

QString joined(const QString& folder, const QString& fileName) {
    return QDir(folder).filePath(fileName);
}

// A location the platform could not name (no home folder) falls back to the
// temporary folder, so that writing still has somewhere to go.
QString createdFolder(QString folder) {
    if (folder.isEmpty())
        folder = QDir(QDir::tempPath()).filePath(QCoreApplication::applicationName());
    QDir().mkpath(folder);
    return folder;
}

} // namespace

QString programFolder() {
    return programFolderOverride().isEmpty() ? executableFolder() : programFolderOverride();
}

void setProgramFolderOverride(const QString& folder) { programFolderOverride() = folder; }

QString programFilePath(const QString& fileName) { return joined(programFolder(), fileName); }

QString userDataFolder() {
    if (!userDataOverride().isEmpty())
        return createdFolder(userDataOverride());
    return createdFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString userDocumentsFolder() {
    return createdFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void setUserDataFolderOverride(const QString& folder) { userDataOverride() = folder; }

bool isFolderWritable(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(joined(folder, QStringLiteral(".write-probe-XXXXXX")));
    return probe.open();
}

bool isFileWritable(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return errno == ENOENT;
    // Never opened to find out: opening a FIFO waits for its other end.
    return S_ISREG(status.st_mode) && ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) == 0;
}

QString writableProgramFilePath(const QString& fileName) {
    const QString folder = programFolder();
    if (isFolderWritable(folder) && isFileWritable(joined(folder, fileName)))
        return joined(folder, fileName);
    return joined(userDataFolder(), fileName);
}

} // namespace shellservices
