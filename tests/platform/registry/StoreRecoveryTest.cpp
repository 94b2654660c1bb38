#include "registry/Store.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

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
