#include "registry/Store.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <fstream>
#include <functional>
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

TEST_F(RecoveryTest, AnUnusableLocationGivesTheDefaultsAndRefusesEveryWrite)
{
    std::ofstream(folder.file("not-a-folder")) << "x";
    Store store(folder.file("not-a-folder") / "registry.sqlite3", logger);
    ASSERT_FALSE(logged.empty());
    EXPECT_NE(logged.back().find("cannot use"), std::string::npos) << logged.back();
    logged.clear();

    Handle key = 0;
    EXPECT_EQ(store.openKey(root::CurrentUser, "Software\\Fresh", access::Read, key), status::FileNotFound);
    EXPECT_EQ(store.createKey(root::CurrentUser, "Software\\Fresh", access::All, key), status::IoFailed);
    EXPECT_EQ(store.setValue(root::CurrentUser, "Works", Value::text("yes")), status::IoFailed);
    EXPECT_EQ(store.inTransaction([] { return status::Success; }), status::IoFailed);
    ASSERT_EQ(logged.size(), 3u);
    for (const std::string& message : logged)
        EXPECT_NE(message.find("not kept"), std::string::npos) << message;
    Value value;
    EXPECT_EQ(store.queryValue(root::CurrentUser, "Works", value), status::FileNotFound);
}

namespace {

constexpr int PageSize = 4096;
constexpr int SavedValues = 120;

std::string valueName(int i)
{
    return "Value" + std::to_string(i);
}

// A payload found in the table's pages only (the index holds names, not data).
std::string payload(int i)
{
    std::string text = "payload-" + std::to_string(i) + "-";
    text.resize(400, static_cast<char>('a' + i % 26));
    return text;
}

// A store with SavedValues values under one key, its journal folded into the
// file (closing the last connection does that), so that the file's bytes are
// the whole store.
void writeSavedValues(const std::filesystem::path& file)
{
    Store store(file);
    Handle key = 0;
    ASSERT_EQ(store.createKey(root::CurrentUser, "Software\\Tesmark\\Cindrel\\Preferences", access::All, key),
              status::Success);
    for (int i = 0; i < SavedValues; ++i)
        ASSERT_EQ(store.setValue(key, valueName(i), Value::text(payload(i))), status::Success);
}

// The offset of the page holding the first occurrence of `bytes`.
std::size_t pageHolding(const std::string& file, const std::string& bytes)
{
    const std::size_t at = file.find(bytes);
    return at == std::string::npos ? at : at - at % PageSize;
}

void overwrite(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

bool quickCheckPasses(const std::filesystem::path& file)
{
    sqlite3* db = nullptr;
    std::string result;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(
        db, "PRAGMA quick_check",
        [](void* out, int, char** values, char**) {
            static_cast<std::string*>(out)->append(values[0] ? values[0] : "");
            return 0;
        },
        &result, nullptr);
    sqlite3_close(db);
    return result == "ok";
}

// The values read back under the saved key: name to text.
std::vector<std::string> savedNames(Store& store)
{
    std::vector<std::string> names;
    Handle key = 0;
    if (store.openKey(root::CurrentUser, "Software\\Tesmark\\Cindrel\\Preferences", access::Read, key) !=
        status::Success)
        return names;
    std::string name;
    Value value;
    for (std::uint32_t i = 0; store.enumValue(key, i, name, value) == status::Success; ++i)
        names.push_back(name);
    return names;
}

} // namespace

TEST_F(RecoveryTest, AnIndexThatNoLongerMatchesItsTableIsFoundAndEveryValueKept)
{
    writeSavedValues(file);
    // One key's folded name changed in its table row alone: the page
    // structure stays sound, so only the check of the index against its
    // table can see it.
    std::string bytes = contents(file);
    const std::size_t tablePage = pageHolding(bytes, "Preferencespreferences");
    ASSERT_NE(tablePage, std::string::npos);
    const std::size_t folded = bytes.find("preferences", bytes.find("Preferencespreferences") + 11);
    bytes[folded] = 'q';
    overwrite(file, bytes);
    ASSERT_TRUE(quickCheckPasses(file));

    Store store(file, logger);
    EXPECT_EQ(filesStartingWith(folder.path(), "registry.sqlite3.damaged-").size(), 1u);
    ASSERT_FALSE(logged.empty());
    EXPECT_NE(logged.back().find("kept " + std::to_string(SavedValues) + " values, lost 0"), std::string::npos)
        << logged.back();
    const std::vector<std::string> names = savedNames(store);
    ASSERT_EQ(names.size(), static_cast<std::size_t>(SavedValues));
    for (int i = 0; i < SavedValues; ++i)
        EXPECT_EQ(names[static_cast<std::size_t>(i)], valueName(i)); // in their order
    expectWorkingStore(store);
}

TEST_F(RecoveryTest, AFileWithOneBadPageKeepsEveryValueOnTheOtherPages)
{
    writeSavedValues(file);
    const std::string original = contents(file);
    std::string bytes = original;
    const std::size_t badPage = pageHolding(bytes, payload(SavedValues / 2));
    ASSERT_NE(badPage, std::string::npos);
    for (std::size_t i = badPage; i < badPage + PageSize; ++i)
        bytes[i] = static_cast<char>((i * 7919) % 251);
    overwrite(file, bytes);

    Store store(file, logger);
    const auto aside = filesStartingWith(folder.path(), "registry.sqlite3.damaged-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(contents(aside.front()), bytes); // moved aside whole, as it was

    // The values whose payload stood on the bad page are lost, every other one is kept.
    std::vector<std::string> expected;
    for (int i = 0; i < SavedValues; ++i)
        if (original.find(payload(i)) / PageSize != badPage / PageSize)
            expected.push_back(valueName(i));
    const int lost = SavedValues - static_cast<int>(expected.size());
    ASSERT_GT(lost, 0);
    EXPECT_EQ(savedNames(store), expected);
    ASSERT_FALSE(logged.empty());
    EXPECT_NE(logged.back().find("kept " + std::to_string(expected.size()) + " values, lost " +
                                 std::to_string(lost)),
              std::string::npos)
        << logged.back();
    EXPECT_NE(logged.back().find(aside.front().string()), std::string::npos);
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

// Runs `work` in a child process as a user who may not write the folder or
// the file (root first hands them to nobody and gives up its rights); its
// result is the child's exit code, CannotDropPrivileges when that failed.
int asAnotherUser(const std::filesystem::path& folder, const std::filesystem::path& file,
                  const std::function<int()>& work)
{
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (geteuid() == 0) {
            const uid_t nobody = 65534;
            if (chown(folder.c_str(), nobody, nobody) != 0 || chown(file.c_str(), nobody, nobody) != 0 ||
                setgid(nobody) != 0 || setuid(nobody) != 0)
                _exit(CannotDropPrivileges);
        }
        _exit(work());
    }
    int exitStatus = -1;
    waitpid(child, &exitStatus, 0);
    return WIFEXITED(exitStatus) ? WEXITSTATUS(exitStatus) : -1;
}

bool anyLogged(const std::vector<std::string>& logged, std::string_view part)
{
    for (const std::string& message : logged)
        if (message.find(part) != std::string::npos)
            return true;
    return false;
}

// Exits 0 when the saved value still reads, a write is refused with 5 and the reason is logged.
int readSavedValueAndTryAWrite(const std::filesystem::path& file)
{
    std::vector<std::string> logged;
    int failures = 0;
    Store store(file, [&](std::string_view message) { logged.emplace_back(message); });
    Handle key = 0;
    Value value;
    if (store.createKey(root::CurrentUser, "Software\\Fresh", access::All, key) != status::Success ||
        store.queryValue(key, "Works", value) != status::Success || value.asText() != "yes")
        failures |= 1;
    if (store.setValue(key, "Changed", Value::text("no")) != status::AccessDenied)
        failures |= 2;
    if (!anyLogged(logged, "read-only") || !anyLogged(logged, "not kept"))
        failures |= 4;
    return failures;
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
        const int exitCode = asAnotherUser(folder.path(), file, [&] { return readSavedValueAndTryAWrite(file); });
        // Rights back, so that the folder can be cleaned up.
        chmod(folder.path().c_str(), 0755);
        chmod(file.c_str(), 0644);
        if (exitCode == CannotDropPrivileges)
            GTEST_SKIP() << "cannot run as another user";
        EXPECT_EQ(exitCode, 0) << c.name << " (bits: 1 not read, 2 write not refused, 4 not logged)";
    }
    EXPECT_TRUE(filesStartingWith(folder.path(), "registry.sqlite3.damaged-").empty());
}

TEST_F(RecoveryTest, ADamagedFileThatCannotBeMovedIsStillReadAndRefusesEveryWrite)
{
    writeSavedValues(file);
    std::string bytes = contents(file);
    const std::size_t badPage = pageHolding(bytes, payload(0));
    ASSERT_NE(badPage, std::string::npos);
    for (std::size_t i = badPage; i < badPage + PageSize; ++i)
        bytes[i] = '\xff';
    overwrite(file, bytes);

    ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    const int exitCode = asAnotherUser(folder.path(), file, [&] {
        std::vector<std::string> logged;
        Store store(file, [&](std::string_view message) { logged.emplace_back(message); });
        int failures = 0;
        if (logged.empty() || logged.back().find("cannot use") == std::string::npos ||
            logged.back().find("values, lost") == std::string::npos)
            failures |= 1;
        // What could be read is read: every value but those on the bad page.
        const std::vector<std::string> names = savedNames(store);
        if (names.empty() || names.size() >= static_cast<std::size_t>(SavedValues) || names.back() != valueName(SavedValues - 1))
            failures |= 2;
        if (store.setValue(root::CurrentUser, "Works", Value::text("yes")) != status::IoFailed ||
            logged.back().find("not kept") == std::string::npos)
            failures |= 4;
        return failures;
    });
    chmod(folder.path().c_str(), 0755);
    chmod(file.c_str(), 0644);
    if (exitCode == CannotDropPrivileges)
        GTEST_SKIP() << "cannot run as another user";
    EXPECT_EQ(exitCode, 0) << "bits: 1 not logged, 2 not read, 4 write not refused";
    EXPECT_EQ(contents(file), bytes);
    EXPECT_TRUE(filesStartingWith(folder.path(), "registry.sqlite3.damaged-").empty());
}

// A process that may not grow any file meets what a full disk gives: the
// store's journal files cannot be sized. Works the same for root.
TEST_F(RecoveryTest, SavedSettingsStillReadWhenTheDiskIsFull)
{
    { Store first(file, logger); expectWorkingStore(first); }
    const std::string before = contents(file);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit noGrowth{1, 1};
        if (setrlimit(RLIMIT_FSIZE, &noGrowth) != 0)
            _exit(CannotDropPrivileges);
        std::vector<std::string> messages;
        int failures = 0;
        {
            Store store(file, [&](std::string_view message) { messages.emplace_back(message); });
            Handle key = 0;
            Value value;
            if (store.openKey(root::CurrentUser, "Software\\Fresh", access::Read, key) != status::Success ||
                store.queryValue(key, "Works", value) != status::Success || value.asText() != "yes")
                failures |= 1;
            if (store.setValue(key, "Changed", Value::text("no")) == status::Success)
                failures |= 2;
            if (!anyLogged(messages, "saved settings are read") || !anyLogged(messages, "not kept"))
                failures |= 4;
        }
        _exit(failures);
    }
    int exitStatus = -1;
    waitpid(child, &exitStatus, 0);
    ASSERT_TRUE(WIFEXITED(exitStatus));
    if (WEXITSTATUS(exitStatus) == CannotDropPrivileges)
        GTEST_SKIP() << "cannot limit the file size";
    EXPECT_EQ(WEXITSTATUS(exitStatus), 0) << "bits: 1 not read, 2 write not refused, 4 not logged";
    EXPECT_EQ(contents(file), before);
    EXPECT_TRUE(filesStartingWith(folder.path(), "registry.sqlite3.damaged-").empty());

    Store after(file, logger);
    expectWorkingStore(after);
}
