#include "RegularFile.h"

#include "RuntimeError.h"

#include <cerrno>

#include <sys/stat.h>

namespace runtime {

int specialFileError(const std::string& path) noexcept
{
    struct stat status {};
    // stat only looks: it never blocks on a FIFO as an open does.
    if (::stat(path.c_str(), &status) != 0)
        return 0;
    return S_ISREG(status.st_mode) ? 0 : PathFileAccessError;
}

void requireRegularFile(const std::string& path)
{
    if (const int number = specialFileError(path))
        raise(number);
}

} // namespace runtime
