#include "CindrelRun.h"

#include "support/FileText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The program's own binary, stepped by its buttons: a click waits until the
// button shows, and fails the run when it never does.
TEST_F(CindrelRun, TheMainWindowsButtonsStepTheDesignSequence)
{
    // The steps read change the design: closing asks to save it, and is told No.
    ASSERT_EQ(run("answer-message 7\n"
                  "check frmDisclaimer chkDebugMode 1\n"
                  "click frmDisclaimer cmdAgree 1\n"
                  "click frmMain cmdNext\n"
                  "click frmMain cmdNext\n"
                  "click frmMain cmdPrevious\n"
                  "click frmMain cmdNext\n"
                  "close frmMain\n"),
              0)
        << errors;
    EXPECT_THAT(errors, Not(HasSubstr("test script:")));

    std::vector<std::string> moves;
    for (const std::string& record : linesOf(testsupport::fileText(programFolder() / "RunNotes.dat"))) {
        EXPECT_THAT(record, Not(HasSubstr("Error in module"))) << "nothing failed";
        const std::size_t at = record.find("Letting variables for ");
        if (at != std::string::npos)
            moves.push_back(record.substr(at, record.size() - at - 1));
    }
    EXPECT_THAT(moves, ::testing::ElementsAre("Letting variables for Startup Screen",
                                              "Letting variables for Main Inputs",
                                              "Letting variables for Main Inputs"));
}

} // namespace
