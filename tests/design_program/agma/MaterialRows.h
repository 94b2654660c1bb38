#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cindrel::agma::testing {

// The fields of a materials row written as a user table line.
inline std::vector<std::string> materialRow(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1)
        fields.emplace_back(line.substr(start, comma - start));
    fields.emplace_back(line.substr(start));
    return fields;
}

} // namespace cindrel::agma::testing
