#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>

namespace {

// The numbers a user reads in a message when a file cannot be opened, written
// or renamed: 76 path not found, 70 permission denied, 61 disk full, 75
// path/file access error, 57 device I/O error for anything else.
TEST(FileErrorNumber, EachCauseHasItsNumber)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, 76}, {ENOTDIR, 76}, {ENAMETOOLONG, 76}, {EACCES, 70}, {EPERM, 70}, {EROFS, 70},
        {ENOSPC, 61}, {EDQUOT, 61},  {EISDIR, 75},       {EIO, 57},    {EBADF, 57}, {0, 57},
    };
    for (const auto& [errnoValue, number] : cases)
        EXPECT_EQ(runtime::fileErrorNumber(errnoValue), number) << "errno " << errnoValue;
}

} // namespace
