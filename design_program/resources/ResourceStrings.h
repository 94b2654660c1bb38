#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's numbered message and label table: validation messages, results
// table descriptions and further texts, read by number. The texts are compiled
// in and used exactly as they stand, blanks included.
namespace cindrel::resources {

// The run-time error that reading a number without a text raises.
inline constexpr int ResourceNotFound = 326;

// The text of a number; ResourceNotFound ("Resource with identifier '…' not
// found") when the table has none.
const std::string& ResourceStrings(int number);

// The text of a number, or nothing; for callers that have their own fallback.
std::optional<std::string_view> findResourceString(int number) noexcept;

// Every number of the table, ascending.
std::vector<int> resourceNumbers();

} // namespace cindrel::resources
