#include "dialogs/CommonDialogs.h"
#include "dialogs/ScriptedDialogProvider.h"

#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

class SaveDialog : public ::testing::Test {
protected:
    ScriptedDialogProvider script;
    ScopedDialogProvider use{script};
    TemporaryFolder folder;

    QString pathOf(const char* name) const { return QString::fromStdString(folder.file(name).string()); }
    void touch(const char* name) const
    {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
};

// The programs' own filters: a name typed bare gets the extension of the
// file type chosen; a name with an extension, an open dialog and a type
// without one single extension keep the name as typed.
TEST_F(SaveDialog, ANameTypedWithoutExtensionGetsTheFileTypes)
{
    struct Case {
        FileDialogMode mode;
        const char* filter;
        int filterIndex;
        const char* typed;
        const char* saved;
    };
    const Case cases[] = {
        {FileDialogMode::Save, "Cindrel files (*.cnd)|*.cnd", 1, "pair20x40", "pair20x40.cnd"},
        {FileDialogMode::Save, "Vantrope File, *.VPX|*.VPX", 1, "mesh", "mesh.VPX"},
        {FileDialogMode::Save, "DXF Vector File|*.dxf", 1, "outline", "outline.dxf"},
        {FileDialogMode::Save, "Text files|*.txt|All files|*.*", 1, "outline", "outline.txt"},
        {FileDialogMode::Save, "Text files|*.txt|All files|*.*", 2, "outline", "outline"},
        {FileDialogMode::Save, "Cindrel files (*.cnd)|*.cnd", 1, "pair.v2", "pair.v2"},
        {FileDialogMode::Open, "Cindrel files (*.cnd)|*.cnd", 1, "pair20x40", "pair20x40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + std::string(" with ") + c.filter);
        script.answerFile(pathOf(c.typed), c.filterIndex);
        FileDialogRequest request;
        request.mode = c.mode;
        request.filter = QString::fromLatin1(c.filter);
        EXPECT_EQ(showFileDialog(request).path(), pathOf(c.saved));
    }
}

TEST_F(SaveDialog, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    touch("pair.cnd");
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.filter = QStringLiteral("Cindrel files (*.cnd)|*.cnd");
    request.flags = FileOverwritePrompt;

    // No: the dialog shows again, and the second name is taken.
    script.answerFile(pathOf("pair"));
    script.answerMessageBox(ButtonNo);
    script.answerFile(pathOf("other"));
    EXPECT_EQ(showFileDialog(request).path(), pathOf("other.cnd"));
    const auto questions = script.requestsOf<MessageBoxRequest>();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].text.contains(QStringLiteral("pair.cnd already exists")));
    EXPECT_EQ(script.requestsOf<FileDialogRequest>().back().fileName, QStringLiteral("pair.cnd"));

    script.answerFile(pathOf("pair.cnd"));
    script.answerMessageBox(ButtonYes);
    EXPECT_EQ(showFileDialog(request).path(), pathOf("pair.cnd"));

    // A new name asks nothing.
    script.answerFile(pathOf("new"));
    EXPECT_EQ(showFileDialog(request).path(), pathOf("new.cnd"));
    EXPECT_EQ(script.requestsOf<MessageBoxRequest>().size(), 2u);
    EXPECT_EQ(script.unusedAnswers(), 0u);
}

TEST_F(SaveDialog, StartsInTheFolderLastUsedNeverInTheProgramsOwn)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    script.answerFile(pathOf("pair"));
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.initialFolder = programFolder;
    showFileDialog(request);
    EXPECT_NE(script.requestsOf<FileDialogRequest>().back().initialFolder, programFolder);

    // The folder just used is where the next dialog starts, unless it asks for another.
    script.answerFile(pathOf("again"));
    showFileDialog(request);
    EXPECT_EQ(script.requestsOf<FileDialogRequest>().back().initialFolder, QString::fromStdString(folder.path().string()));

    TemporaryFolder other;
    script.answerFile(pathOf("x"));
    request.initialFolder = QString::fromStdString(other.path().string());
    showFileDialog(request);
    EXPECT_EQ(script.requestsOf<FileDialogRequest>().back().initialFolder, request.initialFolder);

    // Nothing usable: the user's documents (or home) folder.
    EXPECT_FALSE(fileDialogStartFolder(programFolder + QStringLiteral("/sub")).startsWith(programFolder));
}

} // namespace
