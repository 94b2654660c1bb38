#include "shell/Help.h"

#include "dialogs/ScriptedDialogProvider.h"
#include "shell/Launcher.h"
#include "shell/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shellservices;

namespace {

// A program folder named with blanks and letters beyond ASCII, as an
// installation under a user's own folder may be.
class ProgramFolder {
public:
    ProgramFolder() { QDir(root.path()).mkpath(name); }
    QString path() const { return QDir(root.path()).filePath(name); }
    QString filePath(const QString& file) const { return QDir(path()).filePath(file); }

private:
    QTemporaryDir root;
    QString name = QStringLiteral("Gear Suite \u00e9dition");
};

class Help : public ::testing::Test {
protected:
    void SetUp() override { setProgramFolderOverride(program.path()); }
    void TearDown() override { setProgramFolderOverride(QString()); }

    void writeTopic(const QString& relativePath) {
        QDir(program.path()).mkpath(QFileInfo(relativePath).path());
        QFile topic(program.filePath(relativePath));
        ASSERT_TRUE(topic.open(QIODevice::WriteOnly));
        topic.write("<html></html>");
    }

    ProgramFolder program;
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider useDialogs{dialogs};
    RecordingLauncher launcher;
    ScopedLauncher useLauncher{launcher};
};

TEST_F(Help, TopicPathsFollowTheHelpFileName) {
    const QString inProgram = program.filePath(QStringLiteral("help/Cindrel/12321.html"));
    EXPECT_EQ(helpTopicPath(QStringLiteral("Cindrel.chm"), 12321), inProgram);
    EXPECT_EQ(helpTopicPath(QStringLiteral("Cindrel.chm>main"), 12321), inProgram);
    EXPECT_EQ(helpTopicPath(program.filePath(QStringLiteral("Cindrel.chm")) + QStringLiteral(">"), 12321), inProgram);
    EXPECT_EQ(helpTopicPath(QStringLiteral("/opt/vt/Vantrope.chm"), 0), QStringLiteral("/opt/vt/help/Vantrope/0.html"));
    EXPECT_EQ(helpTopicPath(QStringLiteral("C:\\vt\\Vantrope.chm"), 0), QStringLiteral("C:/vt/help/Vantrope/0.html"));
    EXPECT_EQ(helpTopicPath(QString(), 0), QString());
    EXPECT_EQ(helpTopicPath(QStringLiteral(">main"), 0), QString());
    // A "%1" in the name stays as it is.
    EXPECT_EQ(helpTopicPath(QStringLiteral("/h/%1.chm"), 7), QStringLiteral("/h/help/%1/7.html"));
}

TEST_F(Help, ANameThatWouldLeaveTheHelpFolderIsRefused) {
    // "...chm" and "..chm" name the topic folders ".." and ".".
    EXPECT_EQ(helpTopicPath(QStringLiteral("...chm"), 0), QString());
    EXPECT_EQ(helpTopicPath(QStringLiteral("/opt/vt/..chm>main"), 0), QString());
    writeTopic(QStringLiteral("0.html"));
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(showHelpTopic(QStringLiteral("...chm"), 0));
    EXPECT_TRUE(launcher.openedUrls.isEmpty());
}

TEST_F(Help, APresentTopicOpensInTheBrowser) {
    writeTopic(QStringLiteral("help/Cindrel/0.html"));
    EXPECT_TRUE(showHelpTopic(QStringLiteral("Cindrel.chm>"), 0));
    ASSERT_EQ(launcher.openedUrls.size(), 1);
    EXPECT_EQ(launcher.openedUrls[0].toLocalFile(), program.filePath(QStringLiteral("help/Cindrel/0.html")));
    EXPECT_TRUE(dialogs.requests().empty());
}

TEST_F(Help, AnAbsentTopicIsToldInAMessage) {
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(showHelpTopic(QStringLiteral("Cindrel.chm"), 12321));
    EXPECT_TRUE(launcher.openedUrls.isEmpty());
    const auto box = dialogs.requestsOf<dialogs::MessageBoxRequest>().at(0);
    EXPECT_TRUE(box.text.contains(QStringLiteral("12321")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("help/Cindrel/12321.html")));
}

TEST_F(Help, NoHelpFileOrNoViewerIsToldInAMessage) {
    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(showHelpTopic(QString(), 0));
    writeTopic(QStringLiteral("help/Cindrel/0.html"));
    launcher.succeeds = false;
    EXPECT_FALSE(showHelpTopic(QStringLiteral("Cindrel.chm"), 0));
    EXPECT_EQ(dialogs.requests().size(), 2u);
}

} // namespace
