#include "registry/Store.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace registry;

namespace {

std::vector<std::filesystem::path> filesStartingWith(const std::filesystem::path& folder, const std::string& prefix)
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(prefix))
            found.push_back(entry.path());
    return found;
}

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The store opened on `file` works: a value written reads back.
void expectWorkingStore(Store& store)
{
    Handle key = 0;
    ASSERT_EQ(store.createKey(root::CurrentUser, "Software\\Fresh", access::All, key), status::Success);
    ASSERT_EQ(store.setValue(key, "Works", Value::text("yes")), status::Success);
    Value value;
    ASSERT_EQ(store.queryValue(key, "works", value), status::Success);
    EXPECT_EQ(value.asText(), "yes");
}

struct RecoveryTest : ::testing::Test {
    TemporaryFolder folder;
    std::filesystem::path file = folder.file("registry.sqlite3");
    std::vector<std::string> logged;
    Logger logger = [this](std::string_view message) { logged.emplace_back(message); };
};

} // namespace

TEST_F(RecoveryTest, GarbageFileIsMovedAsideAndANewStoreStarts)
{
    std::string garbage(4096, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919) % 251);
    std::ofstream(file, std::ios::binary) << garbage;

    Store store(file, logger);
    expectWorkingStore(store);

    const auto aside = filesStartingWith(folder.path(), "registry.sqlite3.damaged-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(contents(aside.front()), garbage);
    ASSERT_FALSE(logged.empty());
    EXPECT_NE(logged.back().find("damaged"), std::string::npos);
    EXPECT_NE(logged.back().find(aside.front().string()), std::string::npos);
}

TEST_F(RecoveryTest, ADatabaseOfAnotherShapeIsMovedAside)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
    sqlite3_exec(other, "CREATE TABLE registry_keys(unrelated TEXT);", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    Store store(file, logger);
    expectWorkingStore(store);
    EXPECT_EQ(filesStartingWith(folder.path(), "registry.sqlite3.damaged-").size(), 1u);
}

TEST_F(RecoveryTest, AnUnusableLocationFallsBackToAStoreForThisRun)
{
    std::ofstream(folder.file("not-a-folder")) << "x";
    Store store(folder.file("not-a-folder") / "registry.sqlite3", logger);
    expectWorkingStore(store);
    ASSERT_FALSE(logged.empty());
    EXPECT_NE(logged.back().find("for this run only"), std::string::npos);
}

TEST_F(RecoveryTest, AHealthyDatabaseIsKept)
{
    { Store first(file, logger); expectWorkingStore(first); }
    Store second(file, logger);
    Handle key = 0;
    EXPECT_EQ(second.openKey(root::CurrentUser, "Software\\Fresh", access::Read, key), status::Success);
    EXPECT_TRUE(filesStartingWith(folder.path(), "registry.sqlite3.damaged-").empty());
    EXPECT_TRUE(logged.empty());
}

namespace {

constexpr int CannotDropPrivileges = 77;

// In a child process, as a user who may not write the folder or the file
// (root gives up its rights first): exits 0 when the saved value still reads,
// a write is refused with 5 and the reason is logged.
[[noreturn]] void readAsAnotherUser(const std::filesystem::path& folder, const std::filesystem::path& file)
{
    if (geteuid() == 0) {
        const uid_t nobody = 65534;
        if (chown(folder.c_str(), nobody, nobody) != 0 || chown(file.c_str(), nobody, nobody) != 0 ||
            setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(CannotDropPrivileges);
    }
    std::vector<std::string> logged;
    int failures = 0;
    {
        Store store(file, [&](std::string_view message) { logged.emplace_back(message); });
        Handle key = 0;
        Value value;
        if (store.createKey(root::CurrentUser, "Software\\Fresh", access::All, key) != status::Success ||
            store.queryValue(key, "Works", value) != status::Success || value.asText() != "yes")
            failures |= 1;
        if (store.setValue(key, "Changed", Value::text("no")) != status::AccessDenied)
            failures |= 2;
        bool reasonLogged = false;
        for (const std::string& message : logged)
            reasonLogged = reasonLogged || message.find("read-only") != std::string::npos;
        if (!reasonLogged)
            failures |= 4;
    }
    _exit(failures);
}

} // namespace

TEST_F(RecoveryTest, SavedSettingsStillReadWhenTheStoreMayNotBeWritten)
{
    const struct {
        const char* name;
        mode_t folderMode;
        mode_t fileMode;
    } cases[] = {
        {"read-only file", 0755, 0444},
        {"read-only folder and file", 0555, 0444},
    };
    { Store first(file, logger); expectWorkingStore(first); }

    for (const auto& c : cases) {
        ASSERT_EQ(chmod(file.c_str(), c.fileMode), 0);
        ASSERT_EQ(chmod(folder.path().c_str(), c.folderMode), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            readAsAnotherUser(folder.path(), file);
        int exitStatus = -1;
        waitpid(child, &exitStatus, 0);
        // Rights back, so that the folder can be cleaned up.
        chmod(folder.path().c_str(), 0755);
        chmod(file.c_str(), 0644);
        ASSERT_TRUE(WIFEXITED(exitStatus)) << c.name;
        if (WEXITSTATUS(exitStatus) == CannotDropPrivileges)
            GTEST_SKIP() << "cannot run as another user";
        EXPECT_EQ(WEXITSTATUS(exitStatus), 0) << c.name << " (bits: 1 not read, 2 write not refused, 4 not logged)";
    }
    EXPECT_TRUE(filesStartingWith(folder.path(), "registry.sqlite3.damaged-").empty());
}
