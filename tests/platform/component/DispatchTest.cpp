#include "component/Dispatch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace component;

namespace {

// A plain class stands in for an interface: the table only needs member pointers.
struct Sample {
    std::string name = "gear";
    std::int32_t teeth = 0;

    HResult get_Name(std::string* value)
    {
        *value = name;
        return S_OK;
    }
    HResult put_Name(const std::string& value)
    {
        name = value;
        return S_OK;
    }
    HResult Scale(std::int32_t factor, double offset, double* result)
    {
        *result = teeth * factor + offset;
        return teeth < 0 ? E_INVALIDARG : S_FALSE;
    }
    HResult Reset()
    {
        teeth = 0;
        return S_OK;
    }
};

constexpr DispatchMember<Sample> Members[] = {
    {"Name", 1, InvokeKind::PropertyGet, invokeMember<&Sample::get_Name>},
    {"Name", 1, InvokeKind::PropertyPut, invokeMember<&Sample::put_Name>},
    {"Scale", 2, InvokeKind::Method, invokeMember<&Sample::Scale>},
    {"Reset", 3, InvokeKind::Method, invokeMember<&Sample::Reset>},
};

HResult call(Sample& sample, DispatchId id, InvokeKind kind, std::vector<Variant> arguments, Variant* result)
{
    return invokeByTable<Sample>(Members, sample, id, kind, arguments, result);
}

} // namespace

TEST(DispatchTable, NamesMatchWithoutCase)
{
    DispatchId id = 0;
    EXPECT_EQ(findMemberId<Sample>(Members, "sCALE", &id), S_OK);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(findMemberId<Sample>(Members, "Scales", &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, -1);
}

TEST(DispatchTable, CallsConvertArgumentsAndResults)
{
    Sample sample;
    sample.teeth = 20;
    Variant result;
    EXPECT_EQ(call(sample, 2, InvokeKind::Method, {std::int32_t{3}, true}, &result), S_FALSE)
        << "a member's own success code is passed on";
    EXPECT_EQ(result, Variant(59.0));

    EXPECT_EQ(call(sample, 1, InvokeKind::PropertyPut, {"pinion"}, nullptr), S_OK);
    EXPECT_EQ(call(sample, 1, InvokeKind::PropertyGet, {}, &result), S_OK);
    EXPECT_EQ(result, Variant("pinion"));
    EXPECT_EQ(call(sample, 3, InvokeKind::Method, {}, &result), S_OK);
    EXPECT_EQ(sample.teeth, 0);

    sample.teeth = -1;
    result = Variant(1.0);
    EXPECT_EQ(call(sample, 2, InvokeKind::Method, {std::int32_t{1}, 0.0}, &result), E_INVALIDARG);
    EXPECT_EQ(result, Variant(1.0)) << "no result from a failed call";
}

TEST(DispatchTable, RefusedCalls)
{
    Sample sample;
    Variant result;
    EXPECT_EQ(call(sample, 2, InvokeKind::Method, {std::int32_t{3}}, &result), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(call(sample, 2, InvokeKind::Method, {"3", 1.0}, &result), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(call(sample, 1, InvokeKind::PropertyPut, {std::int32_t{3}}, &result), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(call(sample, 3, InvokeKind::PropertyPut, {}, &result), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(call(sample, 9, InvokeKind::Method, {}, &result), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(sample.name, "gear");
}
