#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brimlock {

// How reading or replacing a file ended.
enum class FileOutcome { Done, NotFound, Failed };

// Reads a whole regular file of at most `limit` bytes without ever blocking:
// a folder, a FIFO or a device is Failed, and so is a larger file (also one
// that grows past the limit while it is read); a missing file or folder is
// NotFound.
FileOutcome readRegularFile(const std::string& path, std::int64_t limit, std::string& contents);

// Replaces a regular file whole: the text goes to a temporary file beside it,
// is flushed to disk and renamed over the target, so a reader sees the old
// file or the new one, never a part. A target that is not a regular file or
// that we may not write is Failed and left as it was; its permissions are
// kept. A symbolic link is followed, the link itself kept.
FileOutcome replaceFile(const std::string& path, std::string_view contents);

} // namespace brimlock
