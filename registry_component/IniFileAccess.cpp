#include "IniFileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace brimlock {

namespace {

FileOutcome outcomeOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileOutcome::NotFound : FileOutcome::Failed;
}

bool writeAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string temporaryNameBeside(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 random(std::random_device{}());
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".saving-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(random());
}

void syncFolderOf(const std::string& target)
{
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileOutcome readRegularFile(const std::string& path, std::string& contents)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return outcomeOf(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return FileOutcome::Failed;
    }
    std::string read;
    if (status.st_size > 0)
        read.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return FileOutcome::Failed;
        }
        if (count == 0)
            break;
        read.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    contents = std::move(read);
    return FileOutcome::Done;
}

FileOutcome replaceFile(const std::string& path, std::string_view contents)
{
    if (path.empty())
        return FileOutcome::NotFound;
    std::string target = path;
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved))
            return FileOutcome::Failed;
        target = resolved;
    }
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (!exists && errno != ENOENT)
        return outcomeOf(errno);
    if (exists && (!S_ISREG(status.st_mode) || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
        return FileOutcome::Failed;

    const std::string temporary = temporaryNameBeside(target);
    // A new file gets the usual permissions less the umask; a replaced one keeps its own.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0)
        return outcomeOf(errno);
    bool written = writeAll(fd, contents);
    if (written && exists) {
        written = ::fchmod(fd, status.st_mode & 07777) == 0;
        // Ownership can only be kept by a privileged process; anyone else becomes the owner.
        [[maybe_unused]] const int ignored = ::fchown(fd, status.st_uid, status.st_gid);
    }
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return FileOutcome::Failed;
    }
    syncFolderOf(target);
    return FileOutcome::Done;
}

} // namespace brimlock
