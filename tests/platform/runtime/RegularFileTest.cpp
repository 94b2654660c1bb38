#include "runtime/RegularFile.h"

#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace {

// What a reader may open: a regular file or a link to one, and a missing
// path (the open reports it). A folder, a FIFO and a device are refused with
// 75, Path/File access error, without blocking on the FIFO.
TEST(RegularFile, OnlyRegularFilesPass)
{
    TemporaryFolder folder;
    const auto file = folder.file("pair.cnd");
    std::ofstream(file) << "x";
    std::filesystem::create_symlink(file, folder.file("link.cnd"));
    std::filesystem::create_directory(folder.file("folder.cnd"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.cnd").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder.file("pipe.cnd"), folder.file("pipelink.cnd"));

    const std::pair<std::string, int> cases[] = {
        {file.string(), 0},
        {folder.file("link.cnd").string(), 0},
        {folder.file("missing.cnd").string(), 0},
        {folder.file("folder.cnd").string(), 75},
        {folder.file("pipe.cnd").string(), 75},
        {folder.file("pipelink.cnd").string(), 75},
        {"/dev/zero", 75},
    };
    for (const auto& [path, number] : cases) {
        EXPECT_EQ(runtime::specialFileError(path), number) << path;
        EXPECT_EQ(testsupport::errorNumberOf([&] { runtime::requireRegularFile(path); }), number) << path;
    }
}

} // namespace
