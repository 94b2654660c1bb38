#include "shell/T_RegistryIO.h"

#include "RecordingRunLog.h"
#include "runtime/RuntimeError.h"
#include "support/TemporaryFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace cindrel::shell;
using namespace registry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr std::int32_t CurrentUser = static_cast<std::int32_t>(root::CurrentUser);
constexpr const char* BasePath = "Software\\Tesmark\\Cindrel\\";

class RegistryIOTest : public ::testing::Test {
protected:
    RegistryIOTest()
    {
        store = std::make_unique<Store>(folder.file("registry.sqlite3"));
        io = std::make_unique<T_RegistryIO>(log, *store);
        io->Root = CurrentUser;
        io->Path = BasePath;
    }
    ~RegistryIOTest() override
    {
        io.reset();
        store.reset();
    }

    // Puts a raw value under the base path, bypassing the object under test.
    void put(std::string_view subKey, std::string_view name, const Value& value)
    {
        Handle key = 0;
        ASSERT_EQ(store->createKey(root::CurrentUser, std::string(BasePath) + std::string(subKey), access::All, key),
                  status::Success);
        ASSERT_EQ(store->setValue(key, name, value), status::Success);
        store->closeKey(key);
    }

    std::optional<Value> get(std::string_view fullPath, std::string_view name)
    {
        Handle key = 0;
        if (store->openKey(root::CurrentUser, fullPath, access::Read, key) != status::Success)
            return std::nullopt;
        Value value;
        const Status read = store->queryValue(key, name, value);
        store->closeKey(key);
        return read == status::Success ? std::optional<Value>(value) : std::nullopt;
    }

    bool keyExists(std::string_view fullPath)
    {
        Handle key = 0;
        const bool exists = store->openKey(root::CurrentUser, fullPath, access::Read, key) == status::Success;
        store->closeKey(key);
        return exists;
    }

    TemporaryFolder folder; // outlives the store opened in it
    RecordingRunLog log;
    std::unique_ptr<Store> store;
    std::unique_ptr<T_RegistryIO> io;
};

} // namespace

TEST_F(RegistryIOTest, ReadingFromAMissingKey)
{
    EXPECT_TRUE(io->ReadBoolean("Missing1", "Flag", true));
    EXPECT_TRUE(keyExists("Software\\Tesmark\\Cindrel\\Missing1"));
    EXPECT_THAT(log.notes, ElementsAre("QueryValueEx@ReadBoolean, Err#6, Missing1Flag"));
    log.notes.clear();

    EXPECT_EQ(io->ReadLong("Missing2", "Count", 5), 5);
    EXPECT_TRUE(keyExists("Software\\Tesmark\\Cindrel\\Missing2"));

    EXPECT_EQ(io->ReadString("Missing3", "Name", "Arial"), "Arial");
    EXPECT_FALSE(keyExists("Software\\Tesmark\\Cindrel\\Missing3"));
    EXPECT_THAT(log.notes, IsEmpty());
}

TEST_F(RegistryIOTest, AMissingValueGivesTheDefaultWithANote)
{
    put("Preferences", "Other", Value::text("x"));
    EXPECT_FALSE(io->ReadBoolean("Preferences", "AutoUpdate", false));
    EXPECT_EQ(io->ReadLong("Preferences", "GraphSizeFont", 10), 10);
    EXPECT_EQ(io->ReadString("Preferences", "ScrnOutFontName", "Arial"), "Arial");
    EXPECT_THAT(log.notes, ElementsAre("QueryValueEx@ReadBoolean, Err#2, PreferencesAutoUpdate",
                                       "QueryValueEx@ReadLong, Err#2, Preferences-GraphSizeFont, ",
                                       "QueryValueEx@ReadString, Err#2, Preferences-ScrnOutFontName, "));
}

TEST_F(RegistryIOTest, EmptyTextGivesTheDefaultSilently)
{
    put("Preferences", "Empty", Value::text(""));
    EXPECT_TRUE(io->ReadBoolean("Preferences", "Empty", true));
    EXPECT_EQ(io->ReadLong("Preferences", "Empty", 3), 3);
    EXPECT_EQ(io->ReadString("Preferences", "Empty", "d"), "d");
    EXPECT_THAT(log.notes, IsEmpty());
}

TEST_F(RegistryIOTest, BooleanReadings)
{
    const struct {
        const char* name;
        Value stored;
        bool defaultValue;
        bool expected;
    } cases[] = {
        {"DwordOne", Value::number32(1), false, true},
        {"DwordZero", Value::number32(0), true, false},
        {"TextZero", Value::text("0"), true, false},
        {"TextTrueUpper", Value::text("TRUE"), false, true},
        {"TextFalseMixed", Value::text("fAlSe"), true, false},
        {"TextNumber", Value::text("2.5"), false, true},
        {"TextWord", Value::text("yes"), true, false},
    };
    for (const auto& c : cases) {
        put("B", c.name, c.stored);
        EXPECT_EQ(io->ReadBoolean("B", c.name, c.defaultValue), c.expected) << c.name;
    }
    EXPECT_THAT(log.notes, IsEmpty());
}

TEST_F(RegistryIOTest, WholeNumberReadings)
{
    const struct {
        const char* name;
        Value stored;
        std::int32_t expected;
    } cases[] = {
        {"Dword", Value::number32(static_cast<std::uint32_t>(-5)), -5},
        {"Text", Value::text("12"), 12},
        {"Blanks", Value::text(" 7 "), 7},
        {"HalfDown", Value::text("2.5"), 2},
        {"HalfUp", Value::text("3.5"), 4},
        {"NotANumber", Value::text("12abc"), 0},
        {"TooLarge", Value::text("3000000000"), 0},
    };
    for (const auto& c : cases) {
        put("L", c.name, c.stored);
        EXPECT_EQ(io->ReadLong("L", c.name, 99), c.expected) << c.name;
    }
    EXPECT_THAT(log.notes, IsEmpty());
}

TEST_F(RegistryIOTest, TextReadings)
{
    put("S", "Dword", Value::number32(7));
    put("S", "Text", Value::text("C:\\gears\\pair one.cnd"));
    EXPECT_EQ(io->ReadString("S", "Dword", ""), "7");
    EXPECT_EQ(io->ReadString("S", "Text", ""), "C:\\gears\\pair one.cnd");
}

TEST_F(RegistryIOTest, OtherValueTypesReadAsNoValue)
{
    const std::uint8_t bytes[] = {1, 2};
    put("T", "Expand", Value::expandableText("%PATH%"));
    put("T", "Bin", Value::binary(bytes));
    EXPECT_TRUE(io->ReadBoolean("T", "Expand", true));
    EXPECT_EQ(io->ReadLong("T", "Expand", 4), 4);
    EXPECT_EQ(io->ReadString("T", "Bin", "d"), "d");
    EXPECT_THAT(log.notes, ElementsAre("QueryValueEx@ReadBoolean, Err#-1, TExpand",
                                       "QueryValueEx@ReadLong, Err#-1, T-Expand, ",
                                       "QueryValueEx@ReadString, Err#-1, T-Bin, "));
}

TEST_F(RegistryIOTest, WritesCreateTheWholePathAndStoreTheirKinds)
{
    io->WriteBoolean("Deep\\Er\\Key", "Flag", true);
    io->WriteLong("Deep\\Er\\Key", "Number", -42);
    io->WriteString("Deep\\Er\\Key", "Name", "Arial");

    const std::string path = std::string(BasePath) + "Deep\\Er\\Key";
    EXPECT_EQ(get(path, "Flag"), Value::text("True"));
    EXPECT_EQ(get(path, "Flag")->data.size(), 5u);
    EXPECT_EQ(get(path, "Number"), Value::number32(static_cast<std::uint32_t>(-42)));
    EXPECT_EQ(get(path, "Name"), Value::text("Arial"));

    io->WriteBoolean("Deep\\Er\\Key", "Flag", false);
    EXPECT_FALSE(io->ReadBoolean("Deep\\Er\\Key", "Flag", true));
    EXPECT_EQ(io->ReadLong("Deep\\Er\\Key", "Number", 0), -42);
    EXPECT_EQ(io->ReadString("Deep\\Er\\Key", "Name", ""), "Arial");
    EXPECT_THAT(log.notes, IsEmpty());
}

TEST_F(RegistryIOTest, FailedWritesLeaveNotes)
{
    io->Root = 0;
    io->WriteBoolean("Preferences", "AutoUpdate", true);
    io->WriteLong("Preferences", "DiamRadius", 2);
    io->WriteString("Preferences", "ScrnOutFontName", "Arial");
    EXPECT_THAT(log.notes, ElementsAre("SetRegistryValue@WriteBoolean, Err#6, Preferences-AutoUpdate, True",
                                       "SetRegistryValue@WriteLong, Err#6, Preferences-DiamRadius, 2",
                                       "SetRegistryValue@WriteString, Err#6, Preferences-ScrnOutFontName, Arial"));
}

TEST_F(RegistryIOTest, WritesTheStoreDoesNotKeepLeaveTheStoreStatusInTheirNotes)
{
    // A store whose file cannot be used at all: it reads the defaults and keeps no change.
    std::ofstream(folder.file("not-a-folder")) << "x";
    std::vector<std::string> storeLog;
    Store unusable(folder.file("not-a-folder") / "registry.sqlite3",
                   [&](std::string_view message) { storeLog.emplace_back(message); });
    T_RegistryIO settings(log, unusable);
    settings.Root = CurrentUser;
    settings.Path = BasePath;
    storeLog.clear();

    settings.WriteBoolean("Preferences", "AutoUpdate", true);
    settings.WriteLong("Preferences", "DiamRadius", 2);
    settings.WriteString("Preferences", "ScrnOutFontName", "Arial");
    EXPECT_THAT(log.notes,
                ElementsAre("SetRegistryValue@WriteBoolean, Err#1016, Preferences-AutoUpdate, True",
                            "SetRegistryValue@WriteLong, Err#1016, Preferences-DiamRadius, 2",
                            "SetRegistryValue@WriteString, Err#1016, Preferences-ScrnOutFontName, Arial"));
    EXPECT_EQ(storeLog.size(), 3u);
    EXPECT_EQ(SetRegistryValue(unusable, CurrentUser, "Software\\X", "Y", std::int32_t{1}, true), status::IoFailed);
    log.notes.clear();
    EXPECT_EQ(settings.ReadLong("Preferences", "DiamRadius", 7), 7);
    EXPECT_EQ(settings.ReadString("Preferences", "ScrnOutFontName", "Courier"), "Courier");
}

TEST_F(RegistryIOTest, DeleteKey)
{
    put("Gone\\Child", "V", Value::number32(1));
    io->DeleteKey("Missing");
    io->DeleteKey("Gone");
    EXPECT_THAT(log.notes, ElementsAre("RegDeleteKeyEx, 2, Missing", "RegDeleteKeyEx, 5, Gone"));
    EXPECT_TRUE(keyExists(std::string(BasePath) + "Gone\\Child"));

    log.notes.clear();
    io->DeleteKey("Gone\\Child");
    EXPECT_FALSE(keyExists(std::string(BasePath) + "Gone\\Child"));
    EXPECT_THAT(log.notes, IsEmpty());
}

TEST_F(RegistryIOTest, OpenKeyHandsTheCallerAHandle)
{
    put("Files\\RecentFiles", "File1", Value::text("a"));
    const Handle key = io->OpenKey("Files\\RecentFiles", access::Write);
    ASSERT_NE(key, 0u);
    EXPECT_EQ(io->store().deleteValue(key, "File1"), status::Success);
    EXPECT_EQ(io->store().closeKey(key), status::Success);

    EXPECT_EQ(io->OpenKey("Files\\Nothing", access::Write), 0u);
    EXPECT_THAT(log.notes, ElementsAre("SetRegistryValue@OpenKey, Err#2, Files\\Nothing- Read or Write131078"));
}

TEST_F(RegistryIOTest, CreateKeyIgnoresTheBasePath)
{
    io->CreateKey("Software\\Elsewhere");
    EXPECT_TRUE(keyExists("Software\\Elsewhere"));
    EXPECT_FALSE(keyExists(std::string(BasePath) + "Software\\Elsewhere"));
}

TEST_F(RegistryIOTest, GetValueNamesListsDataAsTextInOrder)
{
    put("Files\\RecentFiles", "File2", Value::text("C:\\b.cnd"));
    put("Files\\RecentFiles", "File1", Value::text("C:\\a.cnd"));
    put("Files\\RecentFiles", "Count", Value::number32(2));
    put("Files\\RecentFiles", "Nothing", Value::binary({}));

    const auto values = io->GetValueNames("Files\\RecentFiles");
    ASSERT_TRUE(values.has_value());
    EXPECT_THAT(*values, ElementsAre(NamedValue{"File2", "C:\\b.cnd"}, NamedValue{"File1", "C:\\a.cnd"},
                                     NamedValue{"Count", "2"}));
    EXPECT_THAT(log.notes, ElementsAre(" File2 = C:\\b.cnd", " File1 = C:\\a.cnd", " Count = 2"));
}

TEST_F(RegistryIOTest, GetValueNamesListsLongNamesAndDataWhole)
{
    // Longer than the 255 characters a fixed listing buffer would hold.
    const std::string longName(300, 'n');
    const std::string longPath = "C:\\" + std::string(400, 'p') + ".cnd";
    put("Files\\RecentFiles", longName, Value::text(longPath));

    const auto values = io->GetValueNames("Files\\RecentFiles");
    ASSERT_TRUE(values.has_value());
    EXPECT_THAT(*values, ElementsAre(NamedValue{longName, longPath}));
}

TEST_F(RegistryIOTest, GetValueNamesOfEmptyAndMissingKeys)
{
    put("Empty", "x", Value::text("x"));
    Handle key = 0;
    store->openKey(root::CurrentUser, std::string(BasePath) + "Empty", access::All, key);
    store->deleteValue(key, "x");
    store->closeKey(key);

    const auto empty = io->GetValueNames("Empty");
    ASSERT_TRUE(empty.has_value());
    EXPECT_THAT(*empty, IsEmpty());

    EXPECT_EQ(io->GetValueNames("Files\\RecentFiles"), std::nullopt);
    EXPECT_TRUE(keyExists(std::string(BasePath) + "Files\\RecentFiles"));
    EXPECT_THAT(log.notes, IsEmpty());
    EXPECT_THAT(log.errors, IsEmpty());
}

TEST_F(RegistryIOTest, SetRegistryValueKinds)
{
    const std::string path = "Software\\Kinds";
    const struct {
        const char* name;
        RegistryValue value;
        Value stored;
    } cases[] = {
        {"True", true, Value::number32(0xFFFFFFFFu)},
        {"False", false, Value::number32(0)},
        {"Empty", std::monostate{}, Value::number32(0)},
        {"Int16", std::int16_t{-3}, Value::number32(static_cast<std::uint32_t>(-3))},
        {"MinusOne", -1.0, Value::number32(0xFFFFFFFFu)},
        {"Zero", 0.0, Value::number32(0)},
        {"Text", std::string("abc"), Value::text("abc")},
        {"Bytes", std::vector<std::uint8_t>{0, 7, 0}, Value::binary(std::vector<std::uint8_t>{0, 7, 0})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SetRegistryValue(*store, CurrentUser, path, c.name, c.value, true), status::Success) << c.name;
        EXPECT_EQ(get(path, c.name), c.stored) << c.name;
    }

    try {
        SetRegistryValue(*store, CurrentUser, "Software\\Refused", "Half", 2.5, true);
        FAIL() << "a double other than 0 or -1 was accepted";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), runtime::UnsupportedValueType);
        EXPECT_EQ(error.description(), "Unsupported value type");
    }
    EXPECT_FALSE(keyExists("Software\\Refused"));
}

TEST_F(RegistryIOTest, QueryValueExClosesTheHandleAndReadsTheTypes)
{
    put("Q", "Text", Value::text("abc"));
    put("Q", "Wide", Value::raw(type::Number32, std::vector<std::uint8_t>(8, 0)));
    const auto queryAt = [&](std::string_view name) {
        Handle key = 0;
        store->openKey(root::CurrentUser, std::string(BasePath) + "Q", access::Read, key);
        const QueryResult result = QueryValueEx(*store, key, name);
        EXPECT_EQ(store->closeKey(key), status::InvalidHandle) << "left open";
        return result;
    };
    EXPECT_EQ(queryAt("Text").value, QueriedValue(std::string("abc")));
    EXPECT_EQ(queryAt("Wide").status, status::MoreData);
    EXPECT_EQ(queryAt("Missing").status, status::FileNotFound);
}
