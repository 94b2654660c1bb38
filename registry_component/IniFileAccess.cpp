#include "IniFileAccess.h"

#include "runtime/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace brimlock {

namespace {

FileOutcome outcomeOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileOutcome::NotFound : FileOutcome::Failed;
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
    const int error = runtime::writeFileAtomically(path, contents);
    return error == 0 ? FileOutcome::Done : outcomeOf(error);
}

} // namespace brimlock
