#include "registry/Store.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

using namespace registry;

namespace {

constexpr int Openers = 8;
constexpr int Rounds = 10;

// Exit bits of an opening child.
constexpr int NotWritten = 1;
constexpr int FellBack = 2;

// Waits until the parent closes the pipe, then opens the store and writes
// its own value: every opener starts at the same moment.
[[noreturn]] void openAndWrite(int startPipe, const std::filesystem::path& file, int opener)
{
    char ignored = 0;
    while (read(startPipe, &ignored, 1) < 0) {
    }
    int failures = 0;
    {
        std::vector<std::string> logged;
        Store store(file, [&](std::string_view message) { logged.emplace_back(message); });
        Handle key = 0;
        if (store.createKey(root::CurrentUser, "Software\\Opened", access::All, key) != status::Success ||
            store.setValue(key, "opener" + std::to_string(opener), Value::number32(opener)) != status::Success)
            failures |= NotWritten;
        // A store that opens as it should says nothing.
        if (!logged.empty())
            failures |= FellBack;
    }
    _exit(failures);
}

// The exit codes of `count` children that open `file` together.
std::vector<int> openAllAtOnce(const std::filesystem::path& file, int count)
{
    int startPipe[2];
    if (pipe(startPipe) != 0)
        return {};
    std::vector<pid_t> children;
    for (int opener = 0; opener < count; ++opener) {
        const pid_t child = fork();
        if (child == 0) {
            close(startPipe[1]);
            openAndWrite(startPipe[0], file, opener);
        }
        children.push_back(child);
    }
    close(startPipe[0]);
    close(startPipe[1]); // the start signal: every read returns
    std::vector<int> codes;
    for (const pid_t child : children) {
        int exitStatus = -1;
        waitpid(child, &exitStatus, 0);
        codes.push_back(WIFEXITED(exitStatus) ? WEXITSTATUS(exitStatus) : 128);
    }
    return codes;
}

int countDamagedCopies(const std::filesystem::path& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename().string().find(".damaged-") != std::string::npos;
    return count;
}

} // namespace

TEST(StoreStart, ProcessesOpeningOneNewFileAtOnceAllKeepTheirWrites)
{
    TemporaryFolder folder;
    for (int round = 0; round < Rounds; ++round) {
        const auto file = folder.file("new" + std::to_string(round) + ".sqlite3");
        const std::vector<int> codes = openAllAtOnce(file, Openers);
        ASSERT_EQ(codes.size(), static_cast<std::size_t>(Openers));
        for (int opener = 0; opener < Openers; ++opener)
            EXPECT_EQ(codes[opener], 0) << "round " << round << ", opener " << opener
                                        << " (bits: 1 not written, 2 something logged)";

        Store store(file);
        Handle key = 0;
        ASSERT_EQ(store.openKey(root::CurrentUser, "Software\\Opened", access::Read, key), status::Success);
        for (int opener = 0; opener < Openers; ++opener) {
            Value value;
            EXPECT_EQ(store.queryValue(key, "opener" + std::to_string(opener), value), status::Success)
                << "round " << round << ", opener " << opener;
        }
    }
    EXPECT_EQ(countDamagedCopies(folder.path()), 0);
}

namespace {

// How another program holds the store's file.
enum class Lock {
    // A write under way in a file not yet switched to WAL, as while another
    // program creates the store: others may read but not switch or write.
    Writing,
    // The file taken whole: others may not even read.
    Exclusive,
};

// In a child: takes the lock, tells the parent through `ready`, holds it
// for `holdFor`, then lets go.
[[noreturn]] void holdLock(const std::filesystem::path& file, Lock lock, int ready, std::chrono::milliseconds holdFor)
{
    sqlite3* db = nullptr;
    const char* take = lock == Lock::Writing
                           ? "BEGIN IMMEDIATE; UPDATE registry_values SET type = type;"
                           : "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; UPDATE registry_values SET type = type;";
    // Like any program that writes the store, the holder waits for readers
    // (the store being opened) to let go before its commit.
    int failed = sqlite3_open(file.c_str(), &db) != SQLITE_OK || sqlite3_busy_timeout(db, 10000) != SQLITE_OK ||
                 sqlite3_exec(db, take, nullptr, nullptr, nullptr) != SQLITE_OK;
    const char signal = failed ? 'x' : 'k';
    (void)!write(ready, &signal, 1);
    if (!failed) {
        usleep(static_cast<useconds_t>(holdFor.count() * 1000));
        failed = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK;
    }
    sqlite3_close(db);
    _exit(failed);
}

// Beyond the store's wait of 5 s.
constexpr std::chrono::milliseconds PastTheWait(7000);

struct LockAtStartTest : ::testing::Test {
    TemporaryFolder folder;
    std::filesystem::path file = folder.file("registry.sqlite3");
    std::vector<std::string> logged;
    Logger logger = [this](std::string_view message) { logged.emplace_back(message); };
    pid_t holder = -1;

    // A store with one saved value, its file back in the rollback journal
    // mode, as a store is while it is being created.
    void SetUp() override
    {
        {
            Store first(file, logger);
            Handle key = 0;
            ASSERT_EQ(first.createKey(root::CurrentUser, "Software\\Saved", access::All, key), status::Success);
            ASSERT_EQ(first.setValue(key, "Width", Value::number32(640)), status::Success);
        }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    // Starts a child that holds the lock, and returns once it holds it.
    void lock(Lock how, std::chrono::milliseconds holdFor)
    {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        holder = fork();
        ASSERT_GE(holder, 0);
        if (holder == 0) {
            close(ready[0]);
            holdLock(file, how, ready[1], holdFor);
        }
        close(ready[1]);
        char signal = 0;
        ASSERT_EQ(read(ready[0], &signal, 1), 1);
        close(ready[0]);
        ASSERT_EQ(signal, 'k');
    }

    void waitForHolder()
    {
        if (holder <= 0)
            return;
        int exitStatus = -1;
        waitpid(holder, &exitStatus, 0);
        holder = -1;
        EXPECT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0);
    }

    void TearDown() override { waitForHolder(); }

    // Every message logged since the last look says that a change was not kept.
    void expectEachLoggedChangeNotKept(std::size_t count)
    {
        EXPECT_EQ(logged.size(), count);
        for (const std::string& message : logged)
            EXPECT_NE(message.find("not kept"), std::string::npos) << message;
        logged.clear();
    }

    // After the holder let go: the file is where it was, with its value.
    void expectTheFileUntouched()
    {
        waitForHolder();
        EXPECT_EQ(countDamagedCopies(folder.path()), 0);
        Store after(file, logger);
        Handle key = 0;
        ASSERT_EQ(after.openKey(root::CurrentUser, "Software\\Saved", access::Read, key), status::Success);
        Value value;
        ASSERT_EQ(after.queryValue(key, "Width", value), status::Success);
        EXPECT_EQ(value.asNumber32(), 640u);
    }
};

} // namespace

TEST_F(LockAtStartTest, ALockReleasedWithinTheWaitIsWaitedFor)
{
    for (const Lock how : {Lock::Writing, Lock::Exclusive}) {
        lock(how, std::chrono::milliseconds(1500));
        const auto start = std::chrono::steady_clock::now();
        Store store(file, logger);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));

        Handle key = 0;
        ASSERT_EQ(store.openKey(root::CurrentUser, "Software\\Saved", access::All, key), status::Success);
        Value value;
        ASSERT_EQ(store.queryValue(key, "Width", value), status::Success);
        EXPECT_EQ(value.asNumber32(), 640u);
        EXPECT_EQ(store.setValue(key, "Height", Value::number32(480)), status::Success);
        EXPECT_TRUE(logged.empty()) << logged.front();
        waitForHolder();
    }
}

TEST_F(LockAtStartTest, AWriteLockHeldPastTheWaitLeavesTheSavedValuesToReadAndRefusesEveryWrite)
{
    lock(Lock::Writing, PastTheWait);
    {
        Store store(file, logger);
        ASSERT_FALSE(logged.empty());
        EXPECT_NE(logged.back().find("stayed locked"), std::string::npos) << logged.back();
        logged.clear();

        Handle key = 0;
        ASSERT_EQ(store.openKey(root::CurrentUser, "Software\\Saved", access::All, key), status::Success);
        Value value;
        ASSERT_EQ(store.queryValue(key, "Width", value), status::Success);
        EXPECT_EQ(value.asNumber32(), 640u);

        EXPECT_EQ(store.setValue(key, "Width", Value::number32(800)), status::IoFailed);
        EXPECT_EQ(store.createKey(root::CurrentUser, "Software\\New", access::All, key), status::IoFailed);
        EXPECT_EQ(store.deleteTree(root::CurrentUser, "Software"), status::IoFailed);
        expectEachLoggedChangeNotKept(3);
    }
    expectTheFileUntouched();
}

TEST_F(LockAtStartTest, AnExclusiveLockHeldPastTheWaitLeavesTheDefaultsAndRefusesEveryWrite)
{
    lock(Lock::Exclusive, PastTheWait);
    {
        Store store(file, logger);
        ASSERT_FALSE(logged.empty());
        EXPECT_NE(logged.back().find("cannot use"), std::string::npos) << logged.back();
        logged.clear();

        // Nothing could be read: every key reads as missing, so the callers' defaults stand.
        Handle key = 0;
        EXPECT_EQ(store.openKey(root::CurrentUser, "Software\\Saved", access::All, key), status::FileNotFound);
        EXPECT_EQ(store.createKey(root::CurrentUser, "Software\\Saved", access::All, key), status::IoFailed);
        EXPECT_EQ(store.setValue(root::CurrentUser, "Direct", Value::number32(1)), status::IoFailed);
        EXPECT_EQ(store.deleteValue(root::CurrentUser, "Direct"), status::IoFailed);
        expectEachLoggedChangeNotKept(3);
        Value value;
        EXPECT_EQ(store.queryValue(root::CurrentUser, "Direct", value), status::FileNotFound);
    }
    expectTheFileUntouched();
}
