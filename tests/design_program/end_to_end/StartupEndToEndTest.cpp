#include "CindrelRun.h"

#include "registry/Store.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::fileText;

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(CindrelRun, AgreeingWithRunNotesReachesTheMainWindowAndLogsEveryStep)
{
    const std::string notesCopy = folder.file("window.txt").string();
    ASSERT_EQ(run("check frmDisclaimer chkDebugMode 1\n"
                  "click frmDisclaimer cmdAgree 1\n"
                  "save-text frmMisc txtNotes " + notesCopy + "\n"
                  "close frmMain\n"),
              0)
        << errors;
    EXPECT_THAT(errors, Not(HasSubstr("test script:")));

    const std::vector<std::string> records = linesOf(fileText(programFolder() / "RunNotes.dat"));
    ASSERT_GE(records.size(), 3u);
    EXPECT_TRUE(std::regex_match(records[0], std::regex("#\\d{4}-\\d{2}-\\d{2}#,#\\d{2}:\\d{2}:\\d{2}#")));
    EXPECT_EQ(records[1], "\"1, Cindrel Version: 1.0.0\"");
    EXPECT_EQ(records[2], "\"2, Going to load clsRegistry\"");
    const auto at = [&](const std::string& text) {
        for (std::size_t i = 1; i < records.size(); ++i)
            if (records[i].ends_with(", " + text + "\""))
                return i;
        return std::size_t{0};
    };
    EXPECT_LT(at("Loading Oset"), at("Going to load AGMA Form"));
    EXPECT_LT(at("in frmAGMA_Form_Load"), at("frmMain Form_Load"));
    EXPECT_LT(at("frmMain Loaded."), at("Loading Ouputs Class"));
    EXPECT_LT(at("Loading Ouputs Form, Showing"), at("Loading StateNavigator"));
    EXPECT_LT(at("Loading StateNavigator"), at(" Loading: T-colData."));
    EXPECT_GT(at("Loading Oset"), 2u);

    // The window showed the same lines as the file holds, newest first, up to the moment it was read.
    std::vector<std::string> shown = linesOf(fileText(notesCopy));
    ASSERT_FALSE(shown.empty());
    std::reverse(shown.begin(), shown.end());
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ("\"" + shown[i] + "\"", records.at(i + 1));

    registry::Store store(folder.file("registry.sqlite3"));
    registry::Handle key = 0;
    ASSERT_EQ(store.openKey(registry::root::CurrentUser, "Software\\Tesmark\\Cindrel\\Windows\\frmMain",
                            registry::access::Read, key),
              registry::status::Success)
        << "closing the main window stored its place";
    store.closeKey(key);
}

TEST_F(CindrelRun, DisagreeingEndsTheProgramCleanlyWithNothingWritten)
{
    ASSERT_EQ(run("click frmDisclaimer cmdAgree 0\n"), 0) << errors;
    EXPECT_THAT(errors, Not(HasSubstr("test script:")));
    EXPECT_FALSE(std::filesystem::exists(programFolder() / "RunNotes.dat"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(programFolder()), {}), 1)
        << "only the default design the program folder came with";
}

TEST_F(CindrelRun, AScriptThatCannotBeFollowedFailsTheRun)
{
    EXPECT_EQ(run("click frmDisclaimer cmdNowhere 1\nclick frmDisclaimer cmdAgree 0\n"), 3);
    EXPECT_THAT(errors, HasSubstr("no control cmdNowhere"));
}


TEST_F(CindrelRun, TheMainWindowSwitchesToMetricAndExitsFromItsMenu)
{
    const std::string pitchCaption = folder.file("pitch.txt").string();
    const std::string powerMode = folder.file("power.txt").string();
    // Ticking the box changed the design: Exit asks to save it, answered No.
    ASSERT_EQ(run("answer-message 7\n"
                  "check frmDisclaimer chkDebugMode 1\n"
                  "click frmDisclaimer cmdAgree 1\n"
                  "check frmMain chkMetricUnits 1\n"
                  "save-text frmMain lblGearPitch " + pitchCaption + "\n"
                  "save-text frmMain lblPowerHowInput " + powerMode + "\n"
                  "menu frmMain mnuFileExit\n"),
              0)
        << errors;
    EXPECT_THAT(errors, Not(HasSubstr("test script:")));
    EXPECT_EQ(fileText(pitchCaption), "module ");
    EXPECT_EQ(fileText(powerMode), "1") << "the load's default mode is written when the window loads";
    const std::string notes = fileText(programFolder() / "RunNotes.dat");
    EXPECT_THAT(notes, HasSubstr(", frmMain Loaded.\""));
    EXPECT_THAT(notes, HasSubstr(", resizing: frmMain, "));
}

} // namespace
