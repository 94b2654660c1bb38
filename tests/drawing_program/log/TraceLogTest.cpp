#include "log/TraceLog.h"

#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using vantrope::TraceLog;

namespace {

TEST(TraceLog, AppendsQuotedRecordsWithCrLf)
{
    TemporaryFolder folder;
    {
        std::ofstream(folder.file("Vantrope.log"), std::ios::binary) << "kept\r\n";
    }
    bool logged = true;
    TraceLog trace(logged, folder.file("Vantrope.log"));
    trace.write("clsGear_Initialize");
    trace.write("Ending program......");
    trace.writeEmptyRecord();
    EXPECT_EQ(testsupport::fileText(folder.file("Vantrope.log")),
              "kept\r\n\"clsGear_Initialize\"\r\n\"Ending program......\"\r\n\r\n");
}

TEST(TraceLog, LoggedOffDoesNotTouchTheFile)
{
    TemporaryFolder folder;
    bool logged = false;
    TraceLog trace(logged, folder.file("Vantrope.log"));
    trace.write("frmGears_Load");
    trace.writeEmptyRecord();
    EXPECT_FALSE(std::filesystem::exists(folder.file("Vantrope.log")));
    logged = true;
    trace.write("frmGears_Load");
    EXPECT_EQ(testsupport::fileText(folder.file("Vantrope.log")), "\"frmGears_Load\"\r\n");
}

TEST(TraceLog, AFileThatCannotBeOpenedIsReportedNotFatal)
{
    TemporaryFolder folder;
    bool logged = true;
    std::string failure;
    TraceLog trace(logged, folder.file("missing-folder") / "Vantrope.log",
                   [&failure](std::string_view message) { failure = message; });
    trace.write("Sub Main");
    EXPECT_NE(failure.find("missing-folder"), std::string::npos);
}

TEST(TraceLog, DefaultFileIsInTheCurrentFolder)
{
    bool logged = true;
    EXPECT_EQ(TraceLog(logged).file(), std::filesystem::path("Vantrope.log"));
}

} // namespace
