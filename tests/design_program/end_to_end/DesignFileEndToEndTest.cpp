#include "CindrelRun.h"

#include "registry/Store.h"
#include "registry/Value.h"
#include "support/FileText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

namespace {

using testsupport::fileText;
using ::testing::HasSubstr;
using ::testing::Not;

// The run-notes records without their numbers.
std::vector<std::string> notesOf(const std::string& text)
{
    std::vector<std::string> notes;
    for (const std::string& record : linesOf(text)) {
        const std::size_t comma = record.find(", ");
        if (record.starts_with('"') && comma != std::string::npos)
            notes.push_back(record.substr(comma + 2, record.size() - comma - 3));
    }
    return notes;
}

bool holds(const std::vector<std::string>& notes, const std::string& note)
{
    return std::find(notes.begin(), notes.end(), note) != notes.end();
}

std::string firstRecentFile(const std::filesystem::path& registryFile)
{
    registry::Store store(registryFile);
    registry::Handle key = 0;
    if (store.openKey(registry::root::CurrentUser, "Software\\Tesmark\\Cindrel\\Files\\RecentFiles",
                      registry::access::Read, key) != registry::status::Success)
        return {};
    registry::Value value;
    const bool found = store.queryValue(key, "File1", value) == registry::status::Success;
    store.closeKey(key);
    return found ? value.asText().value_or("") : std::string();
}

TEST_F(CindrelRun, TheDesignNamedOnTheCommandLineIsOpenedAtStart)
{
    const auto design = folder.file("pair one.cnd");
    std::ofstream(design, std::ios::binary) << "\"frmMain_lblRunNotes\",\"Pinion ~dblquotesA~dblquotes\"\r\n";
    // The whole command line, blanks and all, is the one design file. The
    // main window's own values of the controls the file lacks count as
    // changes: closing asks to save them, answered No.
    ASSERT_EQ(run("answer-message 7\n"
                  "check frmDisclaimer chkDebugMode 1\n"
                  "click frmDisclaimer cmdAgree 1\n"
                  "close frmMain\n",
                  {QString::fromStdString(folder.file("pair").string()), QStringLiteral("one.cnd")}),
              0)
        << errors;
    EXPECT_THAT(errors, Not(HasSubstr("test script:")));
    const std::vector<std::string> notes = notesOf(fileText(programFolder() / "RunNotes.dat"));
    EXPECT_TRUE(holds(notes, "setting file name to, " + design.string()));
    EXPECT_TRUE(holds(notes, "have read " + design.string()));
    EXPECT_EQ(firstRecentFile(folder.file("registry.sqlite3")), design.string());
}

TEST_F(CindrelRun, ADamagedDesignOnTheCommandLineIsToldAndTheNewDesignStarts)
{
    const auto design = folder.file("broken.cnd");
    std::ofstream(design, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << std::string(5000, '\xff');
    ASSERT_EQ(run("answer-message 1\n"
                  "check frmDisclaimer chkDebugMode 1\n"
                  "click frmDisclaimer cmdAgree 1\n"
                  "close frmMain\n",
                  {QString::fromStdString(design.string())}),
              0)
        << errors;
    EXPECT_THAT(errors, Not(HasSubstr("test script:")));
    const std::vector<std::string> notes = notesOf(fileText(programFolder() / "RunNotes.dat"));
    EXPECT_TRUE(holds(notes, "have read " + (programFolder() / "Cindrel.def").string()));
    EXPECT_EQ(firstRecentFile(folder.file("registry.sqlite3")), "") << "a file that was not read is no recent file";
}

// A FIFO would block the open for good, before any window shows; a folder
// cannot be read either. Each is refused with a message (the one answer the
// script has), at start and through File Open, and the program goes on with
// the new design. The run's own time limit fails a regression that hangs.
TEST_F(CindrelRun, AFifoOrAFolderAsTheDesignIsRefusedAndTheProgramGoesOn)
{
    const auto fifo = folder.file("pipe.cnd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto directory = folder.file("folder.cnd");
    std::filesystem::create_directory(directory);
    for (const auto& special : {fifo, directory}) {
        SCOPED_TRACE(special.string());
        const QString path = QString::fromStdString(special.string());
        ASSERT_EQ(run("answer-message 1\n"
                      "check frmDisclaimer chkDebugMode 1\n"
                      "click frmDisclaimer cmdAgree 1\n"
                      "close frmMain\n",
                      {path}),
                  0)
            << errors;
        EXPECT_THAT(errors, Not(HasSubstr("test script:")));
        std::vector<std::string> notes = notesOf(fileText(programFolder() / "RunNotes.dat"));
        EXPECT_TRUE(holds(notes, "have read " + (programFolder() / "Cindrel.def").string()));

        ASSERT_EQ(run("answer-file " + special.string() + "\n"
                      "answer-message 1\n"
                      "check frmDisclaimer chkDebugMode 1\n"
                      "click frmDisclaimer cmdAgree 1\n"
                      "menu frmMain mnuFileOpen\n"
                      "close frmMain\n"),
                  0)
            << errors;
        EXPECT_THAT(errors, Not(HasSubstr("test script:")));
        notes = notesOf(fileText(programFolder() / "RunNotes.dat"));
        EXPECT_FALSE(holds(notes, "Have read " + special.string()));
        EXPECT_EQ(firstRecentFile(folder.file("registry.sqlite3")), "");
    }
}

} // namespace
