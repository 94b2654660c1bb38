#include "IniFileAccess.h"

#include "runtime/AtomicFile.h"
#include "runtime/ScopeExit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace brimlock {

namespace {

FileOutcome outcomeOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileOutcome::NotFound : FileOutcome::Failed;
}

} // namespace

FileOutcome readRegularFile(const std::string& path, std::int64_t limit, std::string& contents)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return outcomeOf(errno);
    const auto closeFile = runtime::onScopeExit([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > limit)
        return FileOutcome::Failed;
    // The size is only a hint: a file may grow while it is read, and some
    // report none. One byte past the limit is read to tell it is exceeded.
    const auto wanted = static_cast<std::size_t>(limit) + 1;
    std::string read;
    read.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    while (read.size() < wanted) {
        const ssize_t count = ::read(fd, buffer, std::min(sizeof buffer, wanted - read.size()));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return FileOutcome::Failed;
        }
        if (count == 0)
            break;
        read.append(buffer, static_cast<std::size_t>(count));
    }
    if (read.size() > static_cast<std::size_t>(limit))
        return FileOutcome::Failed;
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
