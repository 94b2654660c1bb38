#include "shell/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(ProgramFolders, AFileNameTakenByAnythingButAPlainFileSendsWritesToTheUserFolder) {
    setProgramFolderOverride(program.path());
    setUserDataFolderOverride(user.path());
    const QString name = QStringLiteral("RunNotes.dat");
    const QByteArray inProgram = QFile::encodeName(program.filePath(name));
    struct Case {
        const char* what;
        void (*make)(const char* path);
        bool inProgramFolder;
    };
    const Case cases[] = {
        {"no file yet", [](const char*) {}, true},
        {"a plain file", [](const char* path) { std::ofstream(path) << "earlier"; }, true},
        {"a FIFO", [](const char* path) { ASSERT_EQ(::mkfifo(path, 0600), 0); }, false},
        {"a folder", [](const char* path) { ASSERT_EQ(::mkdir(path, 0700), 0); }, false},
        {"a link to a folder", [](const char* path) { ASSERT_EQ(::symlink(".", path), 0); }, false},
    };
    for (const Case& c : cases) {
        // Only what a case made, never through a link.
        ::unlink(inProgram.constData());
        ::rmdir(inProgram.constData());
        c.make(inProgram.constData());
        EXPECT_EQ(writableProgramFilePath(name),
                  c.inProgramFolder ? program.filePath(name) : QDir(user.path()).filePath(name))
            << c.what;
    }
    ::unlink(inProgram.constData());
}

} // namespace
