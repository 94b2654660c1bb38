#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The names in `folder` that start with `prefix`, sorted: what a save left
// beside its target.
inline std::vector<std::string> namesStartingWith(const std::filesystem::path& folder, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(prefix))
            found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace testsupport
