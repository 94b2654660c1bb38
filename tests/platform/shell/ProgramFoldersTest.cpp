#include "shell/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shellservices;

namespace {

class ProgramFolders : public ::testing::Test {
protected:
    void TearDown() override {
        setProgramFolderOverride(QString());
        setUserDataFolderOverride(QString());
    }
    QTemporaryDir program;
    QTemporaryDir user;
};

TEST_F(ProgramFolders, IsTheExecutablesFolderUnlessOverridden) {
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath());
    setProgramFolderOverride(program.path());
    EXPECT_EQ(programFilePath(QStringLiteral("Cindrel.def")), program.filePath(QStringLiteral("Cindrel.def")));
}

TEST_F(ProgramFolders, WritesGoToTheProgramFolderWhenItIsWritable) {
    setProgramFolderOverride(program.path());
    setUserDataFolderOverride(user.path());
    EXPECT_TRUE(isFolderWritable(program.path()));
    EXPECT_EQ(writableProgramFilePath(QStringLiteral("RunNotes.dat")), program.filePath(QStringLiteral("RunNotes.dat")));
    EXPECT_TRUE(QDir(program.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "the probe left a file";
}

TEST_F(ProgramFolders, WritesGoToTheUserFolderWhenTheProgramFolderIsNot) {
    const QString missing = program.filePath(QStringLiteral("gone"));
    const QString userFolder = user.filePath(QStringLiteral("nested/data"));
    setProgramFolderOverride(missing);
    setUserDataFolderOverride(userFolder);
    EXPECT_FALSE(isFolderWritable(missing));
    EXPECT_EQ(writableProgramFilePath(QStringLiteral("RunNotes.dat")),
              QDir(userFolder).filePath(QStringLiteral("RunNotes.dat")));
    EXPECT_TRUE(QDir(userFolder).exists()) << "the user folder is created on demand";
}

} // namespace
