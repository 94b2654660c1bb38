#include "shell/Launcher.h"

#include "runtime/RuntimeError.h"

#include <QFile>
#include <QTemporaryDir>

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

} // namespace
