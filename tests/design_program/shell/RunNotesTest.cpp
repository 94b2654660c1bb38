#include "shell/RunNotes.h"

#include "runtime/RuntimeError.h"
#include "support/ChildProcess.h"
#include "support/FifoWatchdog.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace cindrel::shell;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using testsupport::fileText;

class FakeRunLogWindow : public RunLogWindow {
public:
    void showWindow() override { ++shown; }
    void prependLine(const std::string& line) override
    {
        if (refuseText)
            runtime::raise(runtime::OutOfMemory);
        lines.push_front(line);
    }
    void clearText() override
    {
        ++cleared;
        lines.clear();
    }

    std::deque<std::string> lines; // newest first, as the window shows them
    int shown = 0;
    int cleared = 0;
    bool refuseText = false;
};

class RunNotesTest : public ::testing::Test {
protected:
    RunNotesTest()
    {
        notes.RunNotesPath = folder.file("RunNotes.dat").string();
        notes.ShowRunNotes = true;
        notes.WriteRunNotes2File = true;
        EXPECT_EQ(notes.CreateRunNotesFile({2026, 3, 7}, {9, 5, 0}), 0);
    }

    TemporaryFolder folder;
    FakeRunLogWindow window;
    RunNotes notes{&window};
};

TEST_F(RunNotesTest, NotesAndErrorsShareOneNumberingInWindowAndFile)
{
    notes.WriteRunNote("Going to load clsRegistry");
    notes.MainErrHandler("T_colData", "ReadFile", "53", "File not found", "");
    notes.MainErrHandler("StateNavigator", "LetStateInputs", "11", "Division by zero", "step \"Main Inputs\"");
    notes.WriteRunNote("done");

    EXPECT_THAT(window.lines,
                ElementsAre("4, done",
                            "3, Error in module; StateNavigator, routine; LetStateInputs, Error#; 11, "
                            "Description; Division by zero, other; step \"Main Inputs\"",
                            "2, Error in module; T_colData, routine; ReadFile, Error#; 53, Description; File not found",
                            "1, Going to load clsRegistry"));
    EXPECT_EQ(window.shown, 2) << "each error shows the window, a note does not";
    EXPECT_EQ(fileText(notes.RunNotesPath),
              "#2026-03-07#,#09:05:00#\r\n"
              "\"1, Going to load clsRegistry\"\r\n"
              "\"2, Error in module; T_colData, routine; ReadFile, Error#; 53, Description; File not found\"\r\n"
              "\"3, Error in module; StateNavigator, routine; LetStateInputs, Error#; 11, Description; "
              "Division by zero, other; step \"Main Inputs\"\"\r\n"
              "\"4, done\"\r\n");
}

TEST_F(RunNotesTest, WithoutShowRunNotesOnlyErrorsAreCountedAndNothingIsWritten)
{
    notes.ShowRunNotes = false;
    notes.WriteRunNote("not counted");
    notes.MainErrHandler("Startup", "Main", "5", "Invalid procedure call", "");
    EXPECT_EQ(notes.RunNoteCount(), 1);
    EXPECT_THAT(window.lines, IsEmpty());
    EXPECT_EQ(window.shown, 0);
    EXPECT_EQ(fileText(notes.RunNotesPath), "#2026-03-07#,#09:05:00#\r\n");
}

TEST_F(RunNotesTest, ALogFileThatCannotBeWrittenIsReportedOnceAndNothingElseIsLost)
{
    notes.RunNotesPath = folder.file("missing/RunNotes.dat").string();
    notes.WriteRunNote("note");
    notes.MainErrHandler("T_Set", "C", "6", "Overflow", "");

    EXPECT_THAT(window.lines,
                ElementsAre("2, Error in module; T_Set, routine; C, Error#; 6, Description; Overflow",
                            "3, Error in module; Startup, routine; MainErrHandler, Error#; 76, Description; "
                            "Path not found",
                            "1, note"))
        << "the failure of the file is reported once, without recursion, and the window keeps its lines";
}

TEST_F(RunNotesTest, AWindowThatRefusesTextStartsAfreshWithoutRecursion)
{
    window.lines.push_front("old line");
    window.refuseText = true;
    notes.MainErrHandler("T_Set", "Rho", "5", "Invalid procedure call", "");
    EXPECT_GE(window.cleared, 1);
    EXPECT_EQ(notes.RunNoteCount(), 2) << "the record and the report of the window's failure";
    EXPECT_EQ(fileText(notes.RunNotesPath),
              "#2026-03-07#,#09:05:00#\r\n"
              "\"1, Error in module; T_Set, routine; Rho, Error#; 5, Description; Invalid procedure call\"\r\n"
              "\"2, Error in module; Startup, routine; MainErrHandler, Error#; 7, Description; Out of memory\"\r\n");
}

TEST_F(RunNotesTest, TheCounterStartsAgainAtOneInsteadOfOverflowing)
{
    notes.setRunNoteCount(std::numeric_limits<std::int32_t>::max() - 1);
    notes.WriteRunNote("last");
    notes.MainErrHandler("M", "R", "1", "D", "");
    notes.WriteRunNote("first again");
    EXPECT_THAT(window.lines, ElementsAre("2, first again", "1, Error in module; M, routine; R, Error#; 1, Description; D",
                                          "2147483647, last"));
}

// A log that cannot be recreated is refused with the reason, and whatever
// stood under its name stays as it was: nothing is emptied before the new
// log is known to be written whole.
TEST(RunNotesFile, ALogThatCannotBeRecreatedKeepsWhatWasThere)
{
    TemporaryFolder folder;
    RunNotes notes;
    notes.RunNotesPath = folder.file("none/RunNotes.dat").string();
    EXPECT_EQ(notes.CreateRunNotesFile({2026, 1, 1}, {0, 0, 0}), ENOENT);
    EXPECT_FALSE(std::filesystem::exists(folder.file("none")));

    std::filesystem::create_directory(folder.file("folder"));
    notes.RunNotesPath = folder.file("folder").string();
    EXPECT_EQ(notes.CreateRunNotesFile({2026, 1, 1}, {0, 0, 0}), EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("folder")));

    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    testsupport::FifoWatchdog watchdog(folder.file("pipe"));
    notes.RunNotesPath = folder.file("pipe").string();
    EXPECT_NE(notes.CreateRunNotesFile({2026, 1, 1}, {0, 0, 0}), 0);
    EXPECT_FALSE(watchdog.fired()) << "the pipe was opened";

    // A process that may not grow a file past 10 bytes meets a full disk.
    const std::string earlier = "#2026-01-01#,#00:00:00#\r\n\"1, the earlier run\"\r\n";
    { std::ofstream(folder.file("RunNotes.dat"), std::ios::binary) << earlier; }
    notes.RunNotesPath = folder.file("RunNotes.dat").string();
    EXPECT_EQ(testsupport::inChildProcess([&] {
                  std::signal(SIGXFSZ, SIG_IGN);
                  const rlimit small{10, 10};
                  setrlimit(RLIMIT_FSIZE, &small);
                  return notes.CreateRunNotesFile({2026, 3, 7}, {9, 5, 0}) == EFBIG ? 0 : 1;
              }),
              0);
    EXPECT_EQ(fileText(notes.RunNotesPath), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3) << "no temporary is left";
}

// A record that meets a full disk half-way is taken back whole: the log
// ends in the last record written, never in half a line.
TEST_F(RunNotesTest, ARecordCutShortByAFullDiskIsTakenBack)
{
    notes.WriteRunNote("kept");
    const std::string before = fileText(notes.RunNotesPath);
    const auto limit = static_cast<rlim_t>(before.size() + 5);
    EXPECT_EQ(testsupport::inChildProcess([&] {
                  std::signal(SIGXFSZ, SIG_IGN);
                  const rlimit small{limit, limit};
                  setrlimit(RLIMIT_FSIZE, &small);
                  notes.WriteRunNote("a note longer than the room left");
                  notes.MainErrHandler("T_Set", "C", "6", "Overflow", "");
                  return 0;
              }),
              0);
    EXPECT_EQ(fileText(notes.RunNotesPath), before);
}

} // namespace
