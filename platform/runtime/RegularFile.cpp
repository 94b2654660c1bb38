#include "RegularFile.h"

#include "RuntimeError.h"

#include <cerrno>
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
    if (const std::string kind = specialFileKind(path); !kind.empty())
        return "The name is " + kind + ", not " + std::string(expected) + ".";
    return {};
}

std::string folderWriteProblem(const std::string& path, int* systemError)
{
    namespace fs = std::filesystem;
    if (systemError != nullptr)
        *systemError = 0;
    fs::path folder = fs::path(path).parent_path();
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
        return fileProblemReason(path, EROFS);
    std::error_code ignored;
    const fs::path shown = folder.is_absolute() ? folder : fs::absolute(folder, ignored);
    return "The folder " + shown.lexically_normal().string() + " may not be written: nothing can be saved there.";
}

void requireRegularFile(const std::string& path)
{
    if (const int number = specialFileError(path))
        raise(number);
}

} // namespace runtime
