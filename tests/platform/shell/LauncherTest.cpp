#include "shell/Launcher.h"

#include "runtime/RuntimeError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace shellservices;

namespace {

class Launching : public ::testing::Test {
protected:
    QString makeFile(const QString& name, QFileDevice::Permissions permissions) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(permissions);
        return path;
    }

    int startError(const QString& path) {
        try {
            startProgram(path);
        } catch (const runtime::RuntimeError& error) {
            lastDescription = error.description();
            return error.number();
        }
        return 0;
    }

    QTemporaryDir folder;
    RecordingLauncher launcher;
    ScopedLauncher use{launcher};
    std::string lastDescription;
};

TEST_F(Launching, WebAddressesOpenThroughTheLauncher) {
    EXPECT_TRUE(openWebAddress(QStringLiteral("www.example.com")));
    EXPECT_TRUE(openWebAddress(QStringLiteral("https://example.com/gears")));
    EXPECT_FALSE(openWebAddress(QStringLiteral("   ")));
    ASSERT_EQ(launcher.openedUrls.size(), 2);
    EXPECT_EQ(launcher.openedUrls[0], QUrl(QStringLiteral("http://www.example.com")));
    EXPECT_EQ(launcher.openedUrls[1], QUrl(QStringLiteral("https://example.com/gears")));
}

TEST_F(Launching, OnlyWebAndMailAddressesAreHandedOn) {
    for (const char* refused : {"file:///bin/sh", "/usr/bin/xterm", "javascript:alert(1)", "smb://server/share"})
        EXPECT_FALSE(openWebAddress(QString::fromLatin1(refused))) << refused;
    EXPECT_TRUE(openWebAddress(QStringLiteral("mailto:gears@example.com")));
    EXPECT_TRUE(openWebAddress(QStringLiteral("HTTPS://example.com")));
    EXPECT_EQ(launcher.openedUrls.size(), 2);
}

TEST_F(Launching, AnExecutableStartsWithoutArguments) {
    const QString program = makeFile(QStringLiteral("vantrope"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(startError(program), 0);
    EXPECT_EQ(launcher.startedPrograms, QStringList{program});
}

TEST_F(Launching, FailuresRaiseNumberedErrors) {
    EXPECT_EQ(startError(folder.filePath(QStringLiteral("Vantrope.exe"))), 53);
    EXPECT_EQ(lastDescription, "File not found");
    EXPECT_EQ(startError(makeFile(QStringLiteral("notes.txt"), QFileDevice::ReadOwner)), 70);
    EXPECT_EQ(startError(folder.path()), 75);
    EXPECT_EQ(startError(QString()), 5);
    launcher.succeeds = false;
    EXPECT_EQ(startError(makeFile(QStringLiteral("broken"), QFileDevice::ReadOwner | QFileDevice::ExeOwner)), 75);
    EXPECT_EQ(launcher.startedPrograms.size(), 1);
}

TEST(DesktopLauncher, StartsARealProgram) {
    EXPECT_TRUE(DesktopLauncher().startDetached(QStringLiteral("/bin/true")));
    EXPECT_FALSE(DesktopLauncher().startDetached(QStringLiteral("/nonexistent/program")));
}

// The program's path is passed whole, never split at blanks, and the
// program gets no arguments: it writes the number it got into a file.
TEST(DesktopLauncher, StartsAProgramInAFolderWithBlanksAndAccents) {
    QTemporaryDir root;
    const QString folder = QDir(root.path()).filePath(QStringLiteral("Gear Suite \u00e9dition"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = QDir(folder).filePath(QStringLiteral("draw gears"));
    const QString marker = QDir(folder).filePath(QStringLiteral("arguments"));
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho $# > \"$(dirname \"$0\")/arguments.tmp\"\n"
                 "mv \"$(dirname \"$0\")/arguments.tmp\" \"$(dirname \"$0\")/arguments\"\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    startProgram(program);
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(10);
    QFile written(marker);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << "the program did not run";
    EXPECT_EQ(written.readAll().trimmed(), QByteArray("0"));
}

} // namespace
