#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantrope {

struct FileWriteFailure {
    int error = 0;       // the errno of the step that failed
    std::string message; // what failed, for the user
};

// Writes `content` to a temporary file in the target's folder and renames it
// over `target` only once it is complete and flushed, so a failure leaves the
// old file (or no file) as it was and never a partial one. Returns nothing on
// success; on failure the temporary file is removed.
std::optional<FileWriteFailure> writeFileAtomically(const std::filesystem::path& target, std::string_view content);

} // namespace vantrope
