#include "resources/ResourceStrings.h"

#include "runtime/RuntimeError.h"
#include "runtime/SequentialFile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <sstream>
#include <utility>

namespace cindrel::resources {
namespace embedded {
extern const char messageTableRecords[];
extern const std::size_t messageTableRecordsSize;
} // namespace embedded

namespace {

using Entry = std::pair<int, std::string>;

// The records are pairs of fields, a bare number and a quoted text, one pair a
// line, in ascending order of number.
std::vector<Entry> readTable()
{
    std::istringstream in(std::string(embedded::messageTableRecords, embedded::messageTableRecordsSize));
    runtime::RecordReader reader(in);
    std::vector<Entry> entries;
    while (!reader.atEnd()) {
        const double number = reader.readNumber();
        std::string text = reader.readText();
        if (number != std::floor(number) || number < 0 || number > 65535)
            runtime::raise(runtime::TypeMismatch, "Message table: bad number");
        entries.emplace_back(static_cast<int>(number), std::move(text));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.first < b.first; });
    return entries;
}

const std::vector<Entry>& table()
{
    static const std::vector<Entry> entries = readTable();
    return entries;
}

const std::string* find(int number)
{
    const auto& entries = table();
    const auto it = std::lower_bound(entries.begin(), entries.end(), number,
                                     [](const Entry& entry, int wanted) { return entry.first < wanted; });
    if (it == entries.end() || it->first != number)
        return nullptr;
    return &it->second;
}

} // namespace

const std::string& ResourceStrings(int number)
{
    if (const std::string* text = find(number))
        return *text;
    runtime::raise(ResourceNotFound, "Resource with identifier '" + std::to_string(number) + "' not found");
}

std::optional<std::string_view> findResourceString(int number) noexcept
{
    try {
        if (const std::string* text = find(number))
            return *text;
    } catch (...) {
        // A table that cannot be read has no text for anyone.
    }
    return std::nullopt;
}

std::vector<int> resourceNumbers()
{
    std::vector<int> numbers;
    for (const auto& entry : table())
        numbers.push_back(entry.first);
    return numbers;
}

} // namespace cindrel::resources
