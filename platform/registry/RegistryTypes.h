#pragma once

#include <cstdint>

// The numbers callers pass and get back: root handles, value types, access
// masks and statuses keep the values the design program's code is written
// against, so they can travel as plain 32-bit numbers.
namespace registry {

// A key handle: a predefined root, a handle returned by open/create, or 0 for none.
using Handle = std::uint32_t;
// 0 for success, otherwise one of the error numbers below.
using Status = std::int32_t;

namespace root {
constexpr Handle ClassesRoot = 0x80000000u;
constexpr Handle CurrentUser = 0x80000001u;
constexpr Handle LocalMachine = 0x80000002u;
constexpr Handle Users = 0x80000003u;
constexpr Handle CurrentConfig = 0x80000005u;
} // namespace root

namespace type {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Text = 1;            // REG_SZ
constexpr std::uint32_t ExpandableText = 2;  // REG_EXPAND_SZ
constexpr std::uint32_t Binary = 3;          // REG_BINARY
constexpr std::uint32_t Number32 = 4;        // REG_DWORD
constexpr std::uint32_t MultiText = 7;       // REG_MULTI_SZ
constexpr std::uint32_t Number64 = 11;       // REG_QWORD
} // namespace type

namespace access {
constexpr std::uint32_t QueryValue = 0x0001;
constexpr std::uint32_t SetValue = 0x0002;
constexpr std::uint32_t CreateSubKey = 0x0004;
constexpr std::uint32_t EnumerateSubKeys = 0x0008;
constexpr std::uint32_t Notify = 0x0010;
constexpr std::uint32_t CreateLink = 0x0020;
constexpr std::uint32_t Read = 0x20019;
constexpr std::uint32_t Write = 0x20006;
constexpr std::uint32_t AllSpecific = 0x3F;
constexpr std::uint32_t All = 0xF003F;
} // namespace access

namespace status {
constexpr Status Success = 0;
constexpr Status FileNotFound = 2;
constexpr Status AccessDenied = 5;
constexpr Status InvalidHandle = 6;
constexpr Status BadNetPath = 53;
constexpr Status InvalidParameter = 87;
constexpr Status MoreData = 234;
constexpr Status NoMoreItems = 259;
constexpr Status KeyDeleted = 1010;
// The database could not be read or written (disk full, locked too long, damaged).
constexpr Status IoFailed = 1016;
} // namespace status

// What createKey found.
enum class Disposition : std::uint32_t { CreatedNewKey = 1, OpenedExistingKey = 2 };

} // namespace registry
