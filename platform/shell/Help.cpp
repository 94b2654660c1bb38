#include "shell/Help.h"

#include "dialogs/MessageBox.h"
#include "shell/Launcher.h"
#include "shell/ProgramFolders.h"

#include "runtime/RegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace shellservices {

namespace {

QString withoutWindowType(const QString& helpFile) {
    const qsizetype mark = helpFile.indexOf(QLatin1Char('>'));
    return (mark < 0 ? helpFile : helpFile.left(mark)).trimmed();
}

} // namespace

QString helpTopicPath(const QString& helpFile, int contextId) {
    QString file = withoutWindowType(helpFile);
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(file);
    const QString topicFolder = info.completeBaseName();
    // "." or ".." as the name would put the page outside the help folder.
    if (topicFolder.isEmpty() || topicFolder == QLatin1String(".") || topicFolder == QLatin1String(".."))
        return QString();
    const bool hasFolder = file.contains(QLatin1Char('/'));
    const QString folder = hasFolder ? info.path() : programFolder();
    // One arg() call: a "%1" in the name must not be filled in again.
    return QDir(folder).filePath(
        QStringLiteral("help/%1/%2.html").arg(topicFolder, QString::number(contextId)));
}

bool showHelpTopic(const QString& helpFile, int contextId) {
    const QString path = helpTopicPath(helpFile, contextId);
    if (path.isEmpty()) {
        dialogs::messageBox(QStringLiteral("No help file is available for this window."),
                            dialogs::OKOnly + dialogs::IconInformation);
        return false;
    }
    if (!QFileInfo(path).isFile() || runtime::specialFileError(path.toStdString()) != 0) {
        dialogs::messageBox(QStringLiteral("Help topic %1 is not available.\r\n%2 was not found.")
                                .arg(contextId)
                                .arg(QDir::toNativeSeparators(path)),
                            dialogs::OKOnly + dialogs::IconInformation);
        return false;
    }
    if (!openLocalFile(path)) {
        dialogs::messageBox(QStringLiteral("Help topic %1 could not be opened.\r\nNo program to show %2 was found.")
                                .arg(contextId)
                                .arg(QDir::toNativeSeparators(path)),
                            dialogs::OKOnly + dialogs::IconExclamation);
        return false;
    }
    return true;
}

} // namespace shellservices
