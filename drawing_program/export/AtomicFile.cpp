#include "export/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrope {

namespace {

FileWriteFailure failure(const std::string& what)
{
    int error = errno;
    return {error, what + ": " + std::strerror(error)};
}

// The mode a newly created file gets from the user's umask.
mode_t newFileMode()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

std::optional<FileWriteFailure> writeFileAtomically(const std::filesystem::path& target, std::string_view content)
{
    if (target.empty() || !target.has_filename())
        return FileWriteFailure{ENOENT, "no file name"};
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += ".XXXXXX";
    std::string pattern = (folder / hidden).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return failure("cannot write " + target.string() + ", no file can be made in " + folder.string());
    auto abandon = [&](const std::string& why) {
        FileWriteFailure message = failure(why);
        ::close(fd);
        ::unlink(pattern.c_str());
        return message;
    };
    // Keep the mode of the file being replaced; a new file gets the usual one.
    struct stat existing {};
    mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : newFileMode();
    if (::fchmod(fd, mode) != 0)
        return abandon("cannot set the mode of " + pattern);
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return abandon("cannot write " + target.string());
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0)
        return abandon("cannot write " + target.string());
    if (::close(fd) != 0) {
        FileWriteFailure message = failure("cannot write " + target.string());
        ::unlink(pattern.c_str());
        return message;
    }
    if (::rename(pattern.c_str(), target.c_str()) != 0) {
        FileWriteFailure message = failure("cannot replace " + target.string());
        ::unlink(pattern.c_str());
        return message;
    }
    return std::nullopt;
}

} // namespace vantrope
