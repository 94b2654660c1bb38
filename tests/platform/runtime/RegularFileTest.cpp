#include "runtime/RegularFile.h"

#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// What a reader may open: a regular file or a link to one, and a missing
// path (the open reports it). A folder, a FIFO, a socket and a device are
// refused with 75, Path/File access error, without blocking on the FIFO, and
// named for the user.
TEST(RegularFile, OnlyRegularFilesPassAndTheOthersAreNamed)
{
    TemporaryFolder folder;
    const auto file = folder.file("pair.cnd");
    std::ofstream(file) << "x";
    std::filesystem::create_symlink(file, folder.file("link.cnd"));
    std::filesystem::create_directory(folder.file("folder.cnd"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.cnd").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder.file("pipe.cnd"), folder.file("pipelink.cnd"));
    const int socketDescriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder.file("socket.cnd").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(socketDescriptor, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    struct Case {
        std::string path;
        int number;
        std::string kind;
    };
    const Case cases[] = {
        {file.string(), 0, ""},
        {folder.file("link.cnd").string(), 0, ""},
        {folder.file("missing.cnd").string(), 0, ""},
        {folder.file("folder.cnd").string(), 75, "a folder"},
        {folder.file("pipe.cnd").string(), 75, "a named pipe"},
        {folder.file("pipelink.cnd").string(), 75, "a named pipe"},
        {socketPath, 75, "a socket"},
        {"/dev/zero", 75, "a device"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runtime::specialFileError(c.path), c.number) << c.path;
        EXPECT_EQ(testsupport::errorNumberOf([&] { runtime::requireRegularFile(c.path); }), c.number) << c.path;
        EXPECT_EQ(runtime::specialFileKind(c.path), c.kind) << c.path;
    }
    ::close(socketDescriptor);
}

} // namespace
