#include "RegularFile.h"

#include "RuntimeError.h"

#include <cerrno>
#include <climits>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace runtime {

int specialFileError(const std::string& path) noexcept
{
    struct stat status {};
    // stat only looks: it never blocks on a FIFO as an open does.
    if (::stat(path.c_str(), &status) != 0)
        return 0;
    return S_ISREG(status.st_mode) ? 0 : PathFileAccessError;
}

std::string specialFileKind(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    if (S_ISDIR(status.st_mode))
        return "a folder";
    if (S_ISFIFO(status.st_mode))
        return "a named pipe";
    if (S_ISSOCK(status.st_mode))
        return "a socket";
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return "a device";
    return "a special file";
}

std::string fileProblemReason(const std::string& path, int systemError, std::string_view expected)
{
    if (systemError == EROFS)
        return "The file system is read-only: nothing can be written there.";
    if (systemError == ELOOP)
        return "The name is a link whose chain of links leads round in a circle.";
    if (const std::string kind = specialFileKind(path); !kind.empty())
        return "The name is " + kind + ", not " + std::string(expected) + ".";
    return {};
}

std::string writtenPath(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path current(path);
    // As many links as the system itself follows before it gives up.
    for (int links = 0; links <= 40; ++links) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current.string();
        char named[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), named, sizeof named);
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) >= sizeof named) {
            errno = ENAMETOOLONG;
            return {};
        }
        const fs::path next(std::string(named, static_cast<std::size_t>(length)));
        // Not made lexically normal: ".." after a linked folder is the
        // system's to resolve, from where that link leads.
        current = next.is_absolute() || current.parent_path().empty() ? next : current.parent_path() / next;
    }
    errno = ELOOP;
    return {};
}

std::string folderWriteProblem(const std::string& path, int* systemError, std::string_view consequence)
{
    namespace fs = std::filesystem;
    if (systemError != nullptr)
        *systemError = 0;
    // The open reports a chain of links that does not end.
    const std::string written = writtenPath(path);
    if (written.empty())
        return {};
    fs::path folder = fs::path(written).parent_path();
    if (folder.empty())
        folder = ".";
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return {};
    // A new file needs both: an entry written and the folder searched.
    if (::access(folder.c_str(), W_OK | X_OK) == 0)
        return {};
    const int error = errno == EROFS ? EROFS : EACCES;
    if (systemError != nullptr)
        *systemError = error;
    if (error == EROFS)
        return "The file system is read-only: " + std::string(consequence) + ".";
    std::error_code ignored;
    fs::path shown = folder.is_absolute() ? folder : fs::absolute(folder, ignored);
    shown = shown.lexically_normal();
    // The folder a link leads to is named as it is, not as the links spell it.
    if (written != path) {
        char real[PATH_MAX];
        if (::realpath(folder.c_str(), real) != nullptr)
            shown = real;
    }
    return "The folder " + shown.string() + " may not be written: " + std::string(consequence) + ".";
}

void requireRegularFile(const std::string& path)
{
    if (const int number = specialFileError(path))
        raise(number);
}

} // namespace runtime
