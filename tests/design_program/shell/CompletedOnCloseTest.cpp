#include "shell/ProgramShell.h"

#include "runtime/AtomicFile.h"
#include "runtime/ErrorReporter.h"
#include "support/ChildProcess.h"
#include "support/FolderNames.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using testsupport::fileText;

namespace {

struct NumberReporter : runtime::ErrorReporter {
    void reportError(std::string_view, std::string_view, std::string_view number, std::string_view,
                     std::string_view) override
    {
        numbers.emplace_back(number);
    }
    // What the file hands on to be told to the user.
    std::function<void(const std::string&)> teller()
    {
        return [this](const std::string& text) { told.push_back(text); };
    }
    std::vector<std::string> numbers;
    std::vector<std::string> told;
};


TEST(CompletedOnClose, AWriteThatFailsIsReportedAndLeavesTheEarlierFileWhole)
{
    TemporaryFolder folder;
    const std::string target = folder.file("report.csv").string();
    std::ofstream(target, std::ios::binary) << "earlier";
    // A process that may not grow a file past 100 bytes meets a full disk half-way.
    const int reported = testsupport::inChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100, 100};
        setrlimit(RLIMIT_FSIZE, &small);
        NumberReporter reporter;
        {
            auto file = cindrel::shell::openCompletedOnClose(target, reporter, reporter.teller());
            if (!file)
                return 2;
            *file << std::string(1 << 16, 'y');
            runtime::commitOutput(*file);
        }
        if (reporter.numbers.size() != 1 || reporter.numbers[0] != "57")
            return 1;
        // Told as a failed open is, not only logged.
        return reporter.told == std::vector<std::string>{"Cannot write the file " + target + ": Device I/O error"} ? 0 : 3;
    });
    EXPECT_EQ(reported, 0);
    EXPECT_EQ(fileText(target), "earlier");
    EXPECT_TRUE(testsupport::namesStartingWith(folder.path(), ".report.csv.").empty());
}

TEST(CompletedOnClose, TheNextWriteRemovesWhatAKilledOneLeft)
{
    TemporaryFolder folder;
    const std::string target = folder.file("report.csv").string();
    testsupport::inChildProcess([&] {
        NumberReporter reporter;
        auto file = cindrel::shell::openCompletedOnClose(target, reporter, reporter.teller());
        *file << std::string(1 << 16, 'k') << std::flush;
        raise(SIGKILL);
        return 0;
    });
    ASSERT_EQ(testsupport::namesStartingWith(folder.path(), ".report.csv.").size(), 1u);

    NumberReporter reporter;
    EXPECT_EQ(runtime::commitOutput(*cindrel::shell::openCompletedOnClose(target, reporter, reporter.teller())), 0);
    EXPECT_TRUE(reporter.numbers.empty());
    EXPECT_TRUE(reporter.told.empty());
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_TRUE(testsupport::namesStartingWith(folder.path(), ".report.csv.").empty());
}

TEST(CompletedOnClose, AWriterUnwoundByAnExceptionLeavesTheEarlierFileAndReportsNothing)
{
    TemporaryFolder folder;
    const std::string target = folder.file("trace.csv").string();
    std::ofstream(target, std::ios::binary) << "earlier";
    NumberReporter reporter;
    try {
        auto file = cindrel::shell::openCompletedOnClose(target, reporter, reporter.teller());
        ASSERT_NE(file, nullptr);
        *file << "partial" << std::flush;
        throw std::runtime_error("the routine failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(fileText(target), "earlier");
    EXPECT_TRUE(testsupport::namesStartingWith(folder.path(), ".trace.csv.").empty());
    EXPECT_TRUE(reporter.numbers.empty());
    EXPECT_TRUE(reporter.told.empty());
}

TEST(CompletedOnClose, ACommitThatCannotTakeTheNameIsToldWithItsReason)
{
    TemporaryFolder folder;
    const std::string target = folder.file("trace.csv").string();
    NumberReporter reporter;
    auto file = cindrel::shell::openCompletedOnClose(target, reporter, reporter.teller());
    ASSERT_NE(file, nullptr);
    *file << "written whole";
    // Something took the name while the file was written: the rename fails.
    std::filesystem::create_directory(target);
    EXPECT_EQ(runtime::commitOutput(*file), EISDIR);
    EXPECT_EQ(reporter.numbers, std::vector<std::string>{"75"});
    EXPECT_EQ(reporter.told, std::vector<std::string>{"Cannot write the file " + target +
                                                      ": Path/File access error The name is a folder, not a plain file."});
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_TRUE(testsupport::namesStartingWith(folder.path(), ".trace.csv.").empty());
}

} // namespace
