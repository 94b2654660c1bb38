#pragma once

#include <cstdint>

// Result codes of component calls: negative values are failures, 0 and the
// positive values are successes (some calls pass a positive store status on).
namespace component {

using HResult = std::int32_t;

constexpr HResult makeFailure(std::uint32_t code)
{
    return static_cast<HResult>(code);
}

constexpr HResult S_OK = 0;
constexpr HResult S_FALSE = 1;
constexpr HResult E_NOTIMPL = makeFailure(0x80004001u);
constexpr HResult E_NOINTERFACE = makeFailure(0x80004002u);
constexpr HResult E_POINTER = makeFailure(0x80004003u);
constexpr HResult E_FAIL = makeFailure(0x80004005u);
constexpr HResult E_UNEXPECTED = makeFailure(0x8000FFFFu);
constexpr HResult E_OUTOFMEMORY = makeFailure(0x8007000Eu);
constexpr HResult E_INVALIDARG = makeFailure(0x80070057u);
constexpr HResult CLASS_E_NOAGGREGATION = makeFailure(0x80040110u);
constexpr HResult CLASS_E_CLASSNOTAVAILABLE = makeFailure(0x80040111u);
constexpr HResult REGDB_E_CLASSNOTREG = makeFailure(0x80040154u);
constexpr HResult CO_E_CLASSSTRING = makeFailure(0x800401F3u);
constexpr HResult CO_E_DLLNOTFOUND = makeFailure(0x800401F8u);
constexpr HResult CO_E_ERRORINDLL = makeFailure(0x800401F9u);
constexpr HResult TYPE_E_ELEMENTNOTFOUND = makeFailure(0x8002802Bu);
constexpr HResult DISP_E_UNKNOWNINTERFACE = makeFailure(0x80020001u);
constexpr HResult DISP_E_MEMBERNOTFOUND = makeFailure(0x80020003u);
constexpr HResult DISP_E_TYPEMISMATCH = makeFailure(0x80020005u);
constexpr HResult DISP_E_UNKNOWNNAME = makeFailure(0x80020006u);
constexpr HResult DISP_E_BADPARAMCOUNT = makeFailure(0x8002000Eu);

constexpr bool succeeded(HResult result)
{
    return result >= 0;
}
constexpr bool failed(HResult result)
{
    return result < 0;
}

// A failed system or store status as a result code (0x80070000 + status).
constexpr HResult resultFromStatus(std::int32_t status)
{
    return status <= 0 ? status : makeFailure(0x80070000u | (static_cast<std::uint32_t>(status) & 0xFFFFu));
}

} // namespace component
