#include "registry/Store.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace registry;

namespace {

class StoreTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    std::vector<std::string> logged;
    Store store{folder.file("registry.sqlite3"), [this](std::string_view m) { logged.emplace_back(m); }};

    Handle create(std::string_view path, std::uint32_t mask = access::All)
    {
        Handle key = 0;
        EXPECT_EQ(store.createKey(root::CurrentUser, path, mask, key), status::Success) << path;
        return key;
    }

    Handle open(std::string_view path, std::uint32_t mask = access::All)
    {
        Handle key = 0;
        EXPECT_EQ(store.openKey(root::CurrentUser, path, mask, key), status::Success) << path;
        return key;
    }

    std::vector<std::string> subKeyNames(Handle key)
    {
        std::vector<std::string> names;
        std::string name;
        for (std::uint32_t i = 0; store.enumKey(key, i, name) == status::Success; ++i)
            names.push_back(name);
        return names;
    }

    std::vector<std::string> valueNames(Handle key)
    {
        std::vector<std::string> names;
        std::string name;
        Value value;
        for (std::uint32_t i = 0; store.enumValue(key, i, name, value) == status::Success; ++i)
            names.push_back(name);
        return names;
    }

    bool keyExists(std::string_view path)
    {
        Handle key = 0;
        const bool exists = store.openKey(root::CurrentUser, path, access::Read, key) == status::Success;
        store.closeKey(key);
        return exists;
    }
};

struct StatusCase {
    const char* name;
    std::function<Status(StoreTest&, Store&)> call;
    Status expected;
};

} // namespace

TEST_F(StoreTest, StatusesOfEachOperation)
{
    const Handle app = create("Software\\App");
    create("Software\\App\\Child");
    ASSERT_EQ(store.setValue(app, "Name", Value::text("abc")), status::Success);

    Handle doomed = create("Software\\Doomed");
    ASSERT_EQ(store.deleteKey(root::CurrentUser, "Software\\Doomed"), status::Success);
    const Handle readOnly = open("Software\\App", access::Read);
    const Handle writeOnly = open("Software\\App", access::Write);

    Handle out = 0;
    Value value;
    std::string name;
    const std::vector<StatusCase> cases = {
        {"open missing key", [&](auto&, Store& s) { return s.openKey(root::CurrentUser, "Software\\None", access::Read, out); }, status::FileNotFound},
        {"open missing middle key", [&](auto&, Store& s) { return s.openKey(root::CurrentUser, "Software\\None\\App", access::Read, out); }, status::FileNotFound},
        {"open below no handle", [&](auto&, Store& s) { return s.openKey(0, "Software", access::Read, out); }, status::InvalidHandle},
        {"open below unknown handle", [&](auto&, Store& s) { return s.openKey(0x1234, "Software", access::Read, out); }, status::InvalidHandle},
        {"open below an unknown root", [&](auto&, Store& s) { return s.openKey(0x80000004u, "Software", access::Read, out); }, status::InvalidHandle},
        {"empty name inside a path", [&](auto&, Store& s) { return s.openKey(root::CurrentUser, "Software\\\\App", access::Read, out); }, status::InvalidParameter},
        {"key name over 255 characters", [&](auto&, Store& s) { return s.createKey(root::CurrentUser, std::string(256, 'k'), access::All, out); }, status::InvalidParameter},
        {"value name over 16383 characters", [&](auto&, Store& s) { return s.setValue(app, std::string(16384, 'v'), Value::number32(1)); }, status::InvalidParameter},
        {"query missing value", [&](auto&, Store& s) { return s.queryValue(app, "Missing", value); }, status::FileNotFound},
        {"query through a deleted key", [&](auto&, Store& s) { return s.queryValue(doomed, "Name", value); }, status::KeyDeleted},
        {"write through a deleted key", [&](auto&, Store& s) { return s.setValue(doomed, "Name", Value::number32(1)); }, status::KeyDeleted},
        {"list a deleted key", [&](auto&, Store& s) { return s.enumValue(doomed, 0, name, value); }, status::KeyDeleted},
        {"open below a deleted key", [&](auto&, Store& s) { return s.openKey(doomed, "", access::Read, out); }, status::KeyDeleted},
        {"create a subkey through a read handle", [&](auto&, Store& s) { return s.createKey(readOnly, "New", access::All, out); }, status::AccessDenied},
        {"open a subkey through a read handle", [&](auto&, Store& s) { return s.createKey(readOnly, "Child", access::Read, out); }, status::Success},
        {"write through a read handle", [&](auto&, Store& s) { return s.setValue(readOnly, "Name", Value::number32(1)); }, status::AccessDenied},
        {"read through a write handle", [&](auto&, Store& s) { return s.queryValue(writeOnly, "Name", value); }, status::AccessDenied},
        {"delete value through a write handle", [&](auto&, Store& s) { return s.deleteValue(writeOnly, "Missing"); }, status::FileNotFound},
        {"delete key with subkeys", [&](auto&, Store& s) { return s.deleteKey(root::CurrentUser, "Software\\App"); }, status::AccessDenied},
        {"delete a root", [&](auto&, Store& s) { return s.deleteKey(root::CurrentUser, ""); }, status::AccessDenied},
        {"delete missing key", [&](auto&, Store& s) { return s.deleteKey(root::CurrentUser, "Software\\None"); }, status::FileNotFound},
        {"delete missing tree", [&](auto&, Store& s) { return s.deleteTree(root::CurrentUser, "Software\\None"); }, status::FileNotFound},
        {"subkey past the end", [&](auto&, Store& s) { return s.enumKey(app, 1, name); }, status::NoMoreItems},
        {"value past the end", [&](auto&, Store& s) { return s.enumValue(app, 1, name, value); }, status::NoMoreItems},
        {"close unknown handle", [&](auto&, Store& s) { return s.closeKey(0x4321); }, status::InvalidHandle},
        {"close a root", [&](auto&, Store& s) { return s.closeKey(root::LocalMachine); }, status::Success},
        {"connect to another machine", [&](auto&, Store& s) { return s.connectRegistry("\\\\elsewhere-host", root::LocalMachine, out); }, status::BadNetPath},
        {"connect to this machine", [&](auto&, Store& s) { return s.connectRegistry("\\\\localhost", root::LocalMachine, out); }, status::Success},
        {"connect to an unknown root", [&](auto&, Store& s) { return s.connectRegistry("", 0x80000004u, out); }, status::InvalidHandle},
    };
    for (const StatusCase& c : cases)
        EXPECT_EQ(c.call(*this, store), c.expected) << c.name;
    EXPECT_TRUE(logged.empty());
}

TEST_F(StoreTest, EnumeratesInCreationOrderAndOverwriteKeepsPlace)
{
    const Handle key = create("Order");
    for (const char* child : {"zeta", "Alpha", "mid"})
        store.closeKey(create(std::string("Order\\") + child));
    for (const char* value : {"b", "A", "c"})
        ASSERT_EQ(store.setValue(key, value, Value::text(value)), status::Success);
    ASSERT_EQ(store.setValue(key, "A", Value::number32(9)), status::Success);

    EXPECT_EQ(subKeyNames(key), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    EXPECT_EQ(valueNames(key), (std::vector<std::string>{"b", "A", "c"}));

    std::string name;
    Value value;
    ASSERT_EQ(store.enumValue(key, 1, name, value), status::Success);
    EXPECT_EQ(value, Value::number32(9));
}

TEST_F(StoreTest, NamesIgnoreLetterCaseAndKeepTheirFirstSpelling)
{
    const Handle key = create("Software\\Tesmark");
    ASSERT_EQ(store.setValue(key, "WindowState", Value::number32(2)), status::Success);
    ASSERT_EQ(store.setValue(key, "WINDOWSTATE", Value::number32(1)), status::Success);

    Handle again = 0;
    Disposition disposition{};
    ASSERT_EQ(store.createKey(root::CurrentUser, "SOFTWARE\\tesMARK", access::All, again, &disposition), status::Success);
    EXPECT_EQ(disposition, Disposition::OpenedExistingKey);

    Value value;
    ASSERT_EQ(store.queryValue(again, "windowstate", value), status::Success);
    EXPECT_EQ(value.asNumber32(), 1u);
    EXPECT_EQ(valueNames(key), std::vector<std::string>{"WindowState"});
    EXPECT_EQ(subKeyNames(open("")).front(), "Software");
    EXPECT_EQ(subKeyNames(open("software")), std::vector<std::string>{"Tesmark"});
}

TEST_F(StoreTest, PathsToleratePlainLeadingAndTrailingSeparators)
{
    Disposition disposition{};
    Handle key = 0;
    ASSERT_EQ(store.createKey(root::CurrentUser, "\\A\\B\\", access::All, key, &disposition), status::Success);
    EXPECT_EQ(disposition, Disposition::CreatedNewKey);
    EXPECT_TRUE(keyExists("A\\B"));
    EXPECT_TRUE(keyExists("A\\B\\"));
    EXPECT_TRUE(keyExists("\\A"));
    EXPECT_FALSE(keyExists("A\\B\\\\"));
}

TEST_F(StoreTest, RootsAreSeparateTrees)
{
    Handle machineKey = 0;
    ASSERT_EQ(store.createKey(root::LocalMachine, "Shared", access::All, machineKey), status::Success);
    ASSERT_EQ(store.setValue(machineKey, "Where", Value::text("machine")), status::Success);
    EXPECT_FALSE(keyExists("Shared"));
}

TEST_F(StoreTest, DeleteKeyRemovesOnlyAKeyWithoutSubkeys)
{
    const Handle parent = create("Parent");
    const Handle child = create("Parent\\Child");
    ASSERT_EQ(store.setValue(child, "V", Value::number32(1)), status::Success);

    EXPECT_EQ(store.deleteKey(root::CurrentUser, "Parent"), status::AccessDenied);
    EXPECT_TRUE(keyExists("Parent\\Child"));

    EXPECT_EQ(store.deleteKey(parent, "child"), status::Success);
    EXPECT_FALSE(keyExists("Parent\\Child"));
    EXPECT_EQ(store.deleteKey(parent, ""), status::Success);
    EXPECT_FALSE(keyExists("Parent"));

    // A key made again under the same path is a new key: old handles do not reach it.
    const Handle recreated = create("Parent\\Child");
    Value value;
    EXPECT_EQ(store.queryValue(recreated, "V", value), status::FileNotFound);
    EXPECT_EQ(store.queryValue(child, "V", value), status::KeyDeleted);
}

TEST_F(StoreTest, DeleteTreeRemovesEverythingBelow)
{
    for (const char* path : {"T\\A\\B\\C", "T\\A\\D", "T\\Sibling"})
        store.setValue(create(path), "V", Value::number32(1));
    const Handle top = open("T\\A");
    store.setValue(top, "Own", Value::number32(2));

    ASSERT_EQ(store.deleteTree(root::CurrentUser, "T\\A\\B"), status::Success);
    EXPECT_FALSE(keyExists("T\\A\\B"));
    EXPECT_TRUE(keyExists("T\\A\\D"));

    ASSERT_EQ(store.deleteTree(top, ""), status::Success);
    EXPECT_TRUE(keyExists("T\\A"));
    EXPECT_TRUE(subKeyNames(top).empty());
    EXPECT_TRUE(valueNames(top).empty());

    ASSERT_EQ(store.deleteTree(root::CurrentUser, "T\\A"), status::Success);
    EXPECT_EQ(subKeyNames(open("T")), std::vector<std::string>{"Sibling"});
}

TEST_F(StoreTest, TypedValuesRoundTripThroughAReopenedStore)
{
    const std::vector<std::uint8_t> bytesWithZeros = {0, 1, 0, 255, 0};
    const std::vector<std::pair<std::string, Value>> values = {
        {"Text", Value::text("Cindrel \xe4")},
        {"EmptyText", Value::text("")},
        {"Expandable", Value::expandableText("%HOME%/gears")},
        {"Multi", Value::multiText({"one", "two", "three"})},
        {"Number32", Value::number32(0xFFFFFFFEu)},
        {"Number64", Value::number64(0x0123456789ABCDEFull)},
        {"Binary", Value::binary(bytesWithZeros)},
        {"EmptyBinary", Value::binary({})},
        {"None", Value::raw(type::None, bytesWithZeros)},
        {"", Value::text("default value")},
    };
    const Handle key = create("Types");
    for (const auto& [name, value] : values)
        ASSERT_EQ(store.setValue(key, name, value), status::Success) << name;

    Store reopened(folder.file("registry.sqlite3"));
    Handle again = 0;
    ASSERT_EQ(reopened.openKey(root::CurrentUser, "Types", access::Read, again), status::Success);
    for (const auto& [name, expected] : values) {
        Value read;
        ASSERT_EQ(reopened.queryValue(again, name, read), status::Success) << name;
        EXPECT_EQ(read, expected) << name;
    }

    Value read;
    reopened.queryValue(again, "Multi", read);
    EXPECT_EQ(read.asMultiText(), (std::vector<std::string>{"one", "two", "three"}));
    reopened.queryValue(again, "Number64", read);
    EXPECT_EQ(read.asNumber64(), 0x0123456789ABCDEFull);
    EXPECT_EQ(read.asNumber32(), std::nullopt);
    reopened.queryValue(again, "Expandable", read);
    EXPECT_EQ(read.asText(), "%HOME%/gears");
}

TEST_F(StoreTest, ANumber32OfOtherThanFourBytesIsNotReadAsOne)
{
    const std::vector<std::uint8_t> eight(8, 1);
    const Handle key = create("Odd");
    ASSERT_EQ(store.setValue(key, "Wide", Value::raw(type::Number32, eight)), status::Success);
    Value value;
    ASSERT_EQ(store.queryValue(key, "Wide", value), status::Success);
    EXPECT_EQ(value.type, type::Number32);
    EXPECT_EQ(value.asNumber32(), std::nullopt);
}

TEST_F(StoreTest, BufferQueryReportsSizeAndMoreData)
{
    const Handle key = create("Buffer");
    ASSERT_EQ(store.setValue(key, "Text", Value::text("abc")), status::Success);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(store.queryValue(key, "Text", &type, nullptr, &size), status::Success);
    EXPECT_EQ(type, type::Text);
    EXPECT_EQ(size, 4u);

    std::uint8_t buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    size = 3;
    EXPECT_EQ(store.queryValue(key, "Text", &type, buffer, &size), status::MoreData);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 9);

    size = sizeof buffer;
    ASSERT_EQ(store.queryValue(key, "Text", &type, buffer, &size), status::Success);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), std::string("abc\0", 4));
    EXPECT_EQ(store.queryValue(key, "Text", &type, buffer, nullptr), status::InvalidParameter);
}

TEST_F(StoreTest, AFailedTransactionLeavesNothingBehind)
{
    const Handle key = create("Tx");
    const Status result = store.inTransaction([&] {
        store.setValue(key, "Partial", Value::number32(1));
        store.closeKey(create("Tx\\New"));
        return status::FileNotFound;
    });
    EXPECT_EQ(result, status::FileNotFound);
    Value value;
    EXPECT_EQ(store.queryValue(key, "Partial", value), status::FileNotFound);
    EXPECT_FALSE(keyExists("Tx\\New"));

    ASSERT_EQ(store.inTransaction([&] { return store.setValue(key, "Whole", Value::number32(2)); }), status::Success);
    EXPECT_EQ(store.queryValue(key, "Whole", value), status::Success);
}

TEST(StoreLocation, EnvironmentChoosesTheDatabase)
{
    struct Saved {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Saved> saved;
    for (const char* name : {"GEARSUITE_REGISTRY", "XDG_CONFIG_HOME", "HOME"}) {
        const char* value = std::getenv(name);
        saved.push_back({name, value ? value : "", value != nullptr});
    }

    setenv("HOME", "/home/engineer", 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("GEARSUITE_REGISTRY");
    EXPECT_EQ(Store::defaultLocation(), "/home/engineer/.config/gearsuite/registry.sqlite3");
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(Store::defaultLocation(), "/xdg/gearsuite/registry.sqlite3");
    setenv("GEARSUITE_REGISTRY", "/tmp/mine.sqlite3", 1);
    EXPECT_EQ(Store::defaultLocation(), "/tmp/mine.sqlite3");

    for (const Saved& s : saved) {
        if (s.set)
            setenv(s.name, s.value.c_str(), 1);
        else
            unsetenv(s.name);
    }
}
