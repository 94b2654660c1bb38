#include "ComponentFixture.h"

#include "registry/Store.h"

#include <gtest/gtest.h>

using namespace brimlock;
using namespace component;

namespace {

// The store itself, to plant values of kinds the component never writes and
// to look at the bytes it writes.
class RegistryClass : public ::testing::Test {
protected:
    void plant(const std::string& path, const std::string& name, const registry::Value& value)
    {
        registry::Handle key = 0;
        ASSERT_EQ(store.createKey(registry::root::CurrentUser, path, registry::access::All, key), 0);
        ASSERT_EQ(store.setValue(key, name, value), 0);
        store.closeKey(key);
    }
    registry::Value stored(const std::string& path, const std::string& name)
    {
        registry::Handle key = 0;
        registry::Value value;
        if (store.openKey(registry::root::CurrentUser, path, registry::access::Read, key) == 0) {
            store.queryValue(key, name, value);
            store.closeKey(key);
        }
        return value;
    }

    registry::Store store{testStoreFile()};
    Counted<IRegistry> reg = newRegistry();
};

} // namespace

TEST_F(RegistryClass, KeyPathIsBaseKeyAndSubKey)
{
    std::uint32_t root = 0;
    reg->get_Root(&root);
    EXPECT_EQ(root, 0x80000001u);
    ASSERT_EQ(reg->put_BaseKey("Software\\Test"), S_OK);
    ASSERT_EQ(reg->SetString("", "here", "base"), S_OK);
    ASSERT_EQ(reg->SetString("A", "here", "sub"), S_OK);
    EXPECT_EQ(stored("Software\\Test", "here"), registry::Value::text("base"));
    EXPECT_EQ(stored("Software\\Test\\A", "here"), registry::Value::text("sub"));
    EXPECT_EQ(stored("Software\\Test", "here").data.size(), 5u) << "the text and one NUL";
    std::int32_t size = 0;
    reg->ValueSize("", "here", &size);
    EXPECT_EQ(size, 4);
}

TEST_F(RegistryClass, GetsReturnDefaultWithTheStatusOfTheOpen)
{
    reg->put_BaseKey("Software\\Test");
    reg->CreateKey("");
    std::int32_t number = 0;
    EXPECT_EQ(reg->GetLong("", "missing", 17, &number), S_OK);
    EXPECT_EQ(number, 17);
    EXPECT_EQ(reg->GetLong("NoSuchKey", "missing", 18, &number), 2) << "a positive status: success to the caller";
    EXPECT_EQ(number, 18);
    std::vector<std::string> names{"x"};
    EXPECT_EQ(reg->SubKeyNames("NoSuchKey", &names), 2);
    EXPECT_TRUE(names.empty());
}

TEST_F(RegistryClass, GetsConvertTextsAndNumbers)
{
    plant("Software\\Test", "dword", registry::Value::number32(static_cast<std::uint32_t>(-5)));
    plant("Software\\Test", "long", registry::Value::number32(7));
    plant("Software\\Test", "wide", registry::Value::raw(registry::type::Number32, std::vector<std::uint8_t>(8, 1)));
    plant("Software\\Test", "qword", registry::Value::number64(3));
    plant("Software\\Test", "text", registry::Value::text("42abc"));
    plant("Software\\Test", "zero", registry::Value::text("0"));
    plant("Software\\Test", "seven", registry::Value::text("7"));
    plant("Software\\Test", "expand", registry::Value::expandableText("%HOME%/x"));
    plant("Software\\Test", "date", registry::Value::text("1900-01-01 06:00:00"));
    plant("Software\\Test", "money", registry::Value::text("-1234.5"));
    reg->put_BaseKey("Software\\Test");

    std::string text;
    reg->GetString("", "dword", "", &text);
    EXPECT_EQ(text, "-5");
    reg->GetString("", "expand", "", &text);
    EXPECT_EQ(text, "%HOME%/x") << "not expanded";
    std::int32_t number = 0;
    reg->GetLong("", "text", 0, &number);
    EXPECT_EQ(number, 42);
    reg->GetLong("", "dword", 0, &number);
    EXPECT_EQ(number, -5);
    bool flag = true;
    reg->GetBoolean("", "zero", true, &flag);
    EXPECT_FALSE(flag);
    reg->GetBoolean("", "seven", false, &flag);
    EXPECT_TRUE(flag);
    reg->GetBoolean("", "long", false, &flag);
    EXPECT_TRUE(flag);
    double real = 0;
    reg->GetDouble("", "dword", 0, &real);
    EXPECT_EQ(real, -5);
    std::int64_t money = 0;
    reg->GetCurrency("", "long", 0, &money);
    EXPECT_EQ(money, 70000) << "whole currency units";
    reg->GetCurrency("", "money", 0, &money);
    EXPECT_EQ(money, -12345000);
    double date = 0;
    reg->GetDate("", "long", 3.5, &date);
    EXPECT_EQ(date, 3.5) << "a number is no date";
    reg->GetDate("", "date", 0, &date);
    EXPECT_EQ(date, 2.25) << "1900-01-01 is day 2";

    for (const char* odd : {"wide", "qword"}) {
        reg->GetLong("", odd, 99, &number);
        EXPECT_EQ(number, 99) << odd;
        reg->GetString("", odd, "d", &text);
        EXPECT_EQ(text, "d") << odd;
    }
}

TEST_F(RegistryClass, TestsOfTypeAndSize)
{
    plant("Software\\Test", "wide", registry::Value::raw(registry::type::Number32, std::vector<std::uint8_t>(8, 1)));
    plant("Software\\Test", "multi", registry::Value::multiText({"a", "bc"}));
    plant("Software\\Test", "expand", registry::Value::expandableText("ab"));
    plant("Software\\Test", "binary", registry::Value::binary(std::vector<std::uint8_t>{1, 2, 3}));
    plant("Software\\Test", "empty", registry::Value::raw(registry::type::Text, {}));
    reg->put_BaseKey("Software\\Test");
    const struct {
        const char* name;
        std::int32_t type, size;
    } cases[] = {
        {"wide", 2, 8}, {"multi", 1, 5}, {"expand", 1, 2}, {"binary", 0, 3}, {"empty", 1, 0}, {"missing", 0, 0},
    };
    for (const auto& c : cases) {
        std::int32_t type = -1, size = -1;
        bool exists = false;
        EXPECT_EQ(reg->ValueType("", c.name, &type), S_OK);
        EXPECT_EQ(reg->ValueSize("", c.name, &size), S_OK);
        reg->ValueExists("", c.name, &exists);
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(size, c.size) << c.name;
        EXPECT_EQ(exists, std::string(c.name) != "missing") << c.name;
    }
    bool exists = true;
    reg->KeyExists("Missing", &exists);
    EXPECT_FALSE(exists);
    reg->KeyExists("", &exists);
    EXPECT_TRUE(exists);
}

TEST_F(RegistryClass, SetsWriteTheirTexts)
{
    reg->put_BaseKey("Software\\Test");
    reg->SetBoolean("", "one", true);
    reg->SetBoolean("", "zero", false);
    reg->SetLong("", "long", -5);
    reg->SetDouble("", "real", 0.1);
    reg->SetCurrency("", "money", -12345000);
    reg->SetDate("", "date", 2.25);
    EXPECT_EQ(stored("Software\\Test", "one"), registry::Value::text("1"));
    EXPECT_EQ(stored("Software\\Test", "zero"), registry::Value::text("0"));
    EXPECT_EQ(stored("Software\\Test", "long"), registry::Value::number32(static_cast<std::uint32_t>(-5)));
    EXPECT_EQ(stored("Software\\Test", "real"), registry::Value::text("0.1"));
    EXPECT_EQ(stored("Software\\Test", "money"), registry::Value::text("-1234.5"));
    EXPECT_EQ(stored("Software\\Test", "date"), registry::Value::text("1900-01-01 06:00:00"));
    EXPECT_EQ(reg->SetDouble("", "bad", std::numeric_limits<double>::infinity()), E_INVALIDARG);
    EXPECT_EQ(reg->SetDate("", "bad", 1e7), E_INVALIDARG);
    EXPECT_EQ(reg->SetString("", "bad", std::string("a\0b", 3)), E_INVALIDARG);
    bool exists = true;
    reg->ValueExists("", "bad", &exists);
    EXPECT_FALSE(exists);
}

TEST_F(RegistryClass, RootAndMachineName)
{
    clearErrorInfo();
    EXPECT_EQ(reg->put_Root(0x80000002u), S_OK);
    EXPECT_EQ(reg->put_Root(0x80000004u), errorResult(message::InvalidRoot));
    std::uint32_t root = 0;
    reg->get_Root(&root);
    EXPECT_EQ(root, 0x80000002u);
    ASSERT_TRUE(takeErrorInfo().has_value());
    const struct {
        const char* given;
        const char* kept;
    } names[] = {{"x", "\\\\x"}, {"\\x", "\\\\x"}, {"\\\\x", "\\\\x"}, {"", ""}};
    for (const auto& n : names) {
        reg->put_MachineName(n.given);
        std::string kept;
        reg->get_MachineName(&kept);
        EXPECT_EQ(kept, n.kept) << n.given;
    }
}

TEST_F(RegistryClass, AnUnreachableMachineFailsEveryCallButTheTests)
{
    plant("Software\\Test", "v", registry::Value::text("x"));
    reg->put_BaseKey("Software\\Test");
    reg->put_MachineName("localhost");
    std::string text;
    EXPECT_EQ(reg->GetString("", "v", "", &text), S_OK) << "this machine by name";
    EXPECT_EQ(text, "x");

    reg->put_MachineName("no-such-machine");
    const HResult unreachable = errorResult(message::MachineNotFound);
    std::int32_t number = 0;
    std::vector<std::string> names;
    EXPECT_EQ(reg->GetString("", "v", "d", &text), unreachable);
    EXPECT_EQ(reg->GetLong("", "v", 0, &number), unreachable);
    EXPECT_EQ(reg->SetString("", "v", "y"), unreachable);
    EXPECT_EQ(reg->SetLong("", "v", 1), unreachable);
    EXPECT_EQ(reg->CreateKey("New"), unreachable);
    EXPECT_EQ(reg->DeleteValue("", "v"), unreachable);
    EXPECT_EQ(reg->DeleteKey(""), unreachable);
    EXPECT_EQ(reg->SubKeyNames("", &names), unreachable);
    EXPECT_EQ(reg->ValueNames("", &names), unreachable);
    const auto info = takeErrorInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->description, "The machine named could not be found.");
    bool exists = true;
    EXPECT_EQ(reg->KeyExists("", &exists), S_OK);
    EXPECT_FALSE(exists);
    EXPECT_EQ(reg->ValueExists("", "v", &exists), S_OK);
    EXPECT_FALSE(exists);
    number = -1;
    EXPECT_EQ(reg->ValueType("", "v", &number), S_OK);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(stored("Software\\Test", "v"), registry::Value::text("x"));
}

TEST_F(RegistryClass, NamesAreListedInCreationOrder)
{
    reg->put_BaseKey("Software\\List");
    for (const char* name : {"Zeta", "alpha", "Mid"}) {
        reg->CreateKey(name);
        reg->SetLong("", name, 1);
    }
    std::vector<std::string> names;
    EXPECT_EQ(reg->SubKeyNames("", &names), 259) << "no more items";
    EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    EXPECT_EQ(reg->ValueNames("", &names), 259);
    EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    const std::string longName(300, 'n');
    reg->SetLong("", longName, 1);
    reg->ValueNames("", &names);
    EXPECT_EQ(names.back(), longName) << "names are listed whole";
}

TEST_F(RegistryClass, DeletingValuesAndKeys)
{
    reg->put_BaseKey("Software\\Tree");
    reg->SetLong("A\\B\\C", "deep", 1);
    reg->SetLong("A\\D", "side", 2);
    reg->SetLong("Other", "kept", 3);
    clearErrorInfo();
    EXPECT_EQ(reg->DeleteValue("A\\D", "missing"), errorResult(message::ValueNotFound));
    EXPECT_EQ(takeErrorInfo()->description, "The specified value name was not found.");
    EXPECT_EQ(reg->DeleteValue("NoSuchKey", "missing"), S_OK);
    EXPECT_EQ(reg->DeleteValue("A\\D", "side"), S_OK);

    EXPECT_EQ(reg->DeleteKey("A"), S_OK);
    bool exists = true;
    reg->KeyExists("A", &exists);
    EXPECT_FALSE(exists);
    reg->KeyExists("Other", &exists);
    EXPECT_TRUE(exists);
    EXPECT_EQ(reg->DeleteKey("A"), S_OK) << "a missing key is no failure";

    EXPECT_EQ(reg->DeleteKey(""), S_OK) << "an empty SubKey deletes the base key";
    reg->put_BaseKey("Software");
    reg->KeyExists("Tree", &exists);
    EXPECT_FALSE(exists);

    reg->put_BaseKey("");
    EXPECT_EQ(reg->DeleteKey(""), errorResult(message::AccessDenied)) << "a root is never deleted";
    reg->KeyExists("Software", &exists);
    EXPECT_TRUE(exists);
}
