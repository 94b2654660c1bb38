#include "ComponentFixture.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace brimlock;
using namespace component;

namespace {

using Kind = InvokeKind;
using Cur = Variant::Currency;

struct Call {
    const char* name;
    InvokeKind kind;
    std::vector<Variant> arguments;
    HResult result;
    Variant value; // Empty when nothing is returned
};

// Runs calls in order on one object, by name, as a late-bound caller does.
void runCalls(IUnknown& object, const std::vector<Call>& calls)
{
    Counted<IDispatch> dispatch;
    ASSERT_EQ(object.QueryInterface(IID_IDispatch, dispatch.out()), S_OK);
    for (const Call& call : calls) {
        DispatchId id = -1;
        ASSERT_EQ(dispatch->GetIDsOfNames(call.name, &id), S_OK) << call.name;
        Variant value;
        EXPECT_EQ(dispatch->Invoke(id, call.kind, call.arguments, &value), call.result) << call.name;
        EXPECT_EQ(value, call.value) << call.name;
    }
}

} // namespace

TEST(CallByName, EveryIniFileMember)
{
    TemporaryFolder folder;
    const std::string path = folder.file("named.ini").string();
    auto file = newIniFile();
    const Variant names = toVariant(std::vector<std::string>{"S"});
    runCalls(*file, {
        {"IsNew", Kind::PropertyGet, {}, S_OK, true},
        {"LineBreakMarker", Kind::PropertyPut, {"~"}, S_OK, {}},
        {"LineBreakMarker", Kind::PropertyGet, {}, S_OK, "~"},
        {"SetString", Kind::Method, {"s", "text", "a\nb"}, S_OK, {}},
        {"GetString", Kind::Method, {"S", "TEXT", ""}, S_OK, "a\r\nb"},
        {"SetBoolean", Kind::Method, {"s", "flag", true}, S_OK, {}},
        {"GetBoolean", Kind::Method, {"s", "flag", false}, S_OK, true},
        {"SetLong", Kind::Method, {"s", "long", std::int32_t{-7}}, S_OK, {}},
        {"GetLong", Kind::Method, {"s", "long", std::int32_t{0}}, S_OK, std::int32_t{-7}},
        {"SetDouble", Kind::Method, {"s", "real", 2.5}, S_OK, {}},
        {"GetDouble", Kind::Method, {"s", "real", 0.0}, S_OK, 2.5},
        {"SetCurrency", Kind::Method, {"s", "money", Cur{15000}}, S_OK, {}},
        {"GetCurrency", Kind::Method, {"s", "money", Cur{0}}, S_OK, Cur{15000}},
        {"SetDate", Kind::Method, {"s", "date", 2.25}, S_OK, {}},
        {"GetDate", Kind::Method, {"s", "date", 0.0}, S_OK, 2.25},
        {"Dirty", Kind::PropertyGet, {}, S_OK, true},
        {"KeyExists", Kind::Method, {"s", "long"}, S_OK, true},
        {"SectionExists", Kind::Method, {"s"}, S_OK, true},
        {"ValueLength", Kind::Method, {"s", "text"}, S_OK, std::int32_t{3}},
        {"SectionNames", Kind::Method, {}, S_OK, names},
        {"DeleteKey", Kind::Method, {"s", "date"}, S_OK, {}},
        // Buckets: MONEY 11, FLAG 12, LONG 13, then REAL and TEXT in 15, the newer first.
        {"KeyNames", Kind::Method, {"s"}, S_OK,
         toVariant(std::vector<std::string>{"MONEY", "FLAG", "LONG", "REAL", "TEXT"})},
        {"Save", Kind::Method, {path}, S_OK, {}},
        {"FileName", Kind::PropertyGet, {}, S_OK, path},
        {"Clear", Kind::Method, {}, S_OK, {}},
        {"Open", Kind::Method, {path}, S_OK, {}},
        {"DeleteSection", Kind::Method, {"s"}, S_OK, {}},
        {"SectionNames", Kind::Method, {}, S_OK, Variant(Variant::Array{})},
        {"Open", Kind::Method, {path + ".missing"}, errorResult(message::IniFileNotFound), {}},
    });
    const auto info = takeErrorInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->source, "BrimlockRegistry.INIFile.1");
}

TEST(CallByName, EveryRegistryMember)
{
    auto reg = newRegistry();
    runCalls(*reg, {
        {"Root", Kind::PropertyPut, {static_cast<std::int32_t>(0x80000001u)}, S_OK, {}},
        {"Root", Kind::PropertyGet, {}, S_OK, static_cast<std::int32_t>(0x80000001u)},
        {"BaseKey", Kind::PropertyPut, {"Software\\Named"}, S_OK, {}},
        {"BaseKey", Kind::PropertyGet, {}, S_OK, "Software\\Named"},
        {"MachineName", Kind::PropertyPut, {""}, S_OK, {}},
        {"MachineName", Kind::PropertyGet, {}, S_OK, ""},
        {"CreateKey", Kind::Method, {"Sub"}, S_OK, {}},
        {"KeyExists", Kind::Method, {"Sub"}, S_OK, true},
        {"SetString", Kind::Method, {"", "text", "abc"}, S_OK, {}},
        {"GetString", Kind::Method, {"", "text", ""}, S_OK, "abc"},
        {"SetBoolean", Kind::Method, {"", "flag", true}, S_OK, {}},
        {"GetBoolean", Kind::Method, {"", "flag", false}, S_OK, true},
        {"SetLong", Kind::Method, {"", "long", std::int32_t{-7}}, S_OK, {}},
        {"GetLong", Kind::Method, {"", "long", std::int32_t{0}}, S_OK, std::int32_t{-7}},
        {"SetDouble", Kind::Method, {"", "real", 2.5}, S_OK, {}},
        {"GetDouble", Kind::Method, {"", "real", 0.0}, S_OK, 2.5},
        {"SetCurrency", Kind::Method, {"", "money", Cur{15000}}, S_OK, {}},
        {"GetCurrency", Kind::Method, {"", "money", Cur{0}}, S_OK, Cur{15000}},
        {"SetDate", Kind::Method, {"", "date", 2.25}, S_OK, {}},
        {"GetDate", Kind::Method, {"", "date", 0.0}, S_OK, 2.25},
        {"ValueType", Kind::Method, {"", "long"}, S_OK, std::int32_t{2}},
        {"ValueSize", Kind::Method, {"", "text"}, S_OK, std::int32_t{3}},
        {"ValueExists", Kind::Method, {"", "text"}, S_OK, true},
        {"SubKeyNames", Kind::Method, {""}, 259, toVariant(std::vector<std::string>{"Sub"})},
        {"ValueNames", Kind::Method, {"Sub"}, 259, Variant(Variant::Array{})},
        {"DeleteValue", Kind::Method, {"", "date"}, S_OK, {}},
        {"DeleteKey", Kind::Method, {"Sub"}, S_OK, {}},
        {"GetLong", Kind::Method, {"Sub", "x", std::int32_t{4}}, 2, std::int32_t{4}},
        {"DeleteValue", Kind::Method, {"", "date"}, errorResult(message::ValueNotFound), {}},
    });
    const auto info = takeErrorInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->source, "BrimlockRegistry.Registry.1");
    EXPECT_EQ(info->interfaceId, IID_IRegistry);
}

TEST(CallByName, RefusedCalls)
{
    auto file = newIniFile();
    Counted<IDispatch> dispatch;
    ASSERT_EQ(file->QueryInterface(IID_IDispatch, dispatch.out()), S_OK);
    DispatchId id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames("Frobnicate", &id), DISP_E_UNKNOWNNAME);
    ASSERT_EQ(dispatch->GetIDsOfNames("getlong", &id), S_OK);
    Variant value;
    const std::vector<Variant> tooFew{"s", "k"};
    EXPECT_EQ(dispatch->Invoke(id, Kind::Method, tooFew, &value), DISP_E_BADPARAMCOUNT);
    const std::vector<Variant> textForNumber{"s", "k", "7"};
    EXPECT_EQ(dispatch->Invoke(id, Kind::Method, textForNumber, &value), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(dispatch->GetIDsOfNames("Dirty", &id), S_OK);
    const std::vector<Variant> flag{true};
    EXPECT_EQ(dispatch->Invoke(id, Kind::PropertyPut, flag, &value), DISP_E_MEMBERNOTFOUND) << "Dirty is read-only";
    void* typeInfo = nullptr;
    EXPECT_TRUE(failed(dispatch->GetTypeInfo(0, &typeInfo)));
}
