#include "support/TemporaryFolder.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace {

// Runs of the real program, each in a folder of its own (current folder,
// settings store, per-user folders), all sharing one settings store.
class VantropeRun : public ::testing::Test {
protected:
    std::unique_ptr<QProcess> start(const std::filesystem::path& folder, const QStringList& arguments = {})
    {
        std::filesystem::create_directories(folder);
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString root = QString::fromStdString(store.path().string());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("GEARSUITE_REGISTRY"), root + QStringLiteral("/registry.sqlite3"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root);
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(QString::fromStdString(folder.string()));
        process->start(QStringLiteral(VANTROPE_EXECUTABLE), arguments);
        EXPECT_TRUE(process->waitForStarted(20000));
        return process;
    }

    static std::string logOf(const std::filesystem::path& folder)
    {
        std::ifstream in(folder / "Vantrope.log", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Waits until the trace file shows the program up and its windows made.
    static bool waitUntilUp(const std::filesystem::path& folder)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 30000) {
            if (logOf(folder).find("\"clsMeshMaster_Initialize\"") != std::string::npos)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    static int endWithSignal(QProcess& process, int signal)
    {
        ::kill(static_cast<pid_t>(process.processId()), signal);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "the program did not end";
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    TemporaryFolder store;
};

constexpr char EndRecords[] = "\"Ending program......\"\r\n\r\n";

TEST_F(VantropeRun, StartsStandaloneAndEndsCleanlyWhenAskedTo)
{
    for (int signal : {SIGTERM, SIGINT}) {
        const auto folder = store.path() / ("run" + std::to_string(signal));
        auto process = start(folder);
        ASSERT_TRUE(waitUntilUp(folder)) << logOf(folder);
        EXPECT_EQ(endWithSignal(*process, signal), 0);
        const std::string log = logOf(folder);
        EXPECT_EQ(log.rfind("\"Sub Main ", 0), 0u) << log;
        ASSERT_GE(log.size(), sizeof EndRecords - 1);
        EXPECT_EQ(log.substr(log.size() - (sizeof EndRecords - 1)), EndRecords);
        EXPECT_EQ(process->readAllStandardError().indexOf("Sanitizer"), -1);
    }
}

TEST_F(VantropeRun, AnAutomationArgumentWithoutAChannelLeavesItStandalone)
{
    const auto folder = store.path() / "argument";
    auto process = start(folder, {QStringLiteral("--automation-channel=abc"), QStringLiteral("stray")});
    ASSERT_TRUE(waitUntilUp(folder));
    EXPECT_EQ(endWithSignal(*process, SIGTERM), 0);
}

TEST_F(VantropeRun, SeveralProgramsOnOneSettingsStore)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < 4; ++i)
        processes.push_back(start(store.path() / ("many" + std::to_string(i))));
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(waitUntilUp(store.path() / ("many" + std::to_string(i))));
    // A killed program loses nothing of the store: the others still end cleanly.
    processes[0]->kill();
    processes[0]->waitForFinished();
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(endWithSignal(*processes[i], SIGTERM), 0) << i;
    // And the store still serves the next program.
    auto next = start(store.path() / "after");
    ASSERT_TRUE(waitUntilUp(store.path() / "after"));
    EXPECT_EQ(endWithSignal(*next, SIGTERM), 0);
}

} // namespace
