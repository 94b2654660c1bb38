#include "design_program/shell/windows/WalkedProgram.h"

#include "dialogs/ScriptedDialogProvider.h"
#include "forms/CheckBox.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

const std::string UsersOwn = "user's own\r\n";

// The program started from a folder that holds the user's own Data.dat; the
// parameter takes the program folder's run-notes name, so that the notes go
// to the per-user data folder.
class DeflectionDumps : public WalkedProgram, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(work);
        std::ofstream(work / "Data.dat", std::ios::binary) << UsersOwn;
        if (GetParam())
            std::filesystem::create_directory(programFolder() / "RunNotes.dat");
        std::filesystem::current_path(work);
        answerDisclaimer(true, false);
        ASSERT_NE(startup->gobjStateNavigator(), nullptr);
    }

    std::filesystem::path notesFolder() const { return GetParam() ? folder.file("user") : programFolder(); }

    void finishFromMainInputs()
    {
        next();
        main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(0);
        press(main(), "cmdFinished");
        ASSERT_EQ(current(), "Scoring and SubShear Graphs");
    }

    static std::vector<std::string> namesIn(const std::filesystem::path& path)
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            names.push_back(entry.path().filename().string());
        return names;
    }

    const std::filesystem::path work = folder.file("work");
};

TEST_P(DeflectionDumps, GoBesideTheRunNotesAndLeaveTheCurrentFolderAlone)
{
    finishFromMainInputs();
    EXPECT_THAT(dialogs.requests(), ::testing::IsEmpty());
    EXPECT_EQ(fileText(work / "Data.dat"), UsersOwn);
    EXPECT_THAT(namesIn(work), ElementsAre("Data.dat"));
    // The default design's table as the dumps have always held it.
    const std::filesystem::path golden = std::filesystem::path(GEARSUITE_TEST_DATA) / "design_program/shell/deflection";
    EXPECT_EQ(fileText(notesFolder() / "Data.dat"), fileText(golden / "Data.dat"));
    EXPECT_EQ(fileText(notesFolder() / "Data1.dat"), fileText(golden / "Data1.dat"));
}

// A dump that cannot be written is told as any trace file is, and the run goes on.
TEST_P(DeflectionDumps, ADumpThatCannotBeWrittenIsTold)
{
    std::filesystem::create_directory(notesFolder() / "Data.dat");
    dialogs.answerMessageBox(dialogs::ButtonOK);
    finishFromMainInputs();
    const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QString::fromStdString("Cannot write the file " +
                                                                (notesFolder() / "Data.dat").string())))
        << boxes[0].text.toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(notesFolder() / "Data.dat"));
    EXPECT_TRUE(std::filesystem::is_regular_file(notesFolder() / "Data1.dat"));
    EXPECT_EQ(fileText(work / "Data.dat"), UsersOwn);
}

INSTANTIATE_TEST_SUITE_P(NotesIn, DeflectionDumps, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "TheUsersFolder" : "TheProgramFolder";
                         });

} // namespace
