#include "runtime/RegularFile.h"

#include "support/ChildProcess.h"
#include "support/ErrorCapture.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <cerrno>
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

// A write of a link goes to the file at the end of its chain of links; a
// relative link names its file from the link's own folder, and a link may
// name a file that is not there yet.
TEST(RegularFile, AWriteOfALinkGoesToTheFileAtTheEndOfItsChain)
{
    TemporaryFolder folder;
    namespace fs = std::filesystem;
    const std::string root = folder.path().string();
    fs::create_directory(folder.file("sub"));
    std::ofstream(folder.file("pair.cnd")) << "x";
    fs::create_symlink(root + "/pair.cnd", folder.file("absolute.cnd"));
    fs::create_symlink("pair.cnd", folder.file("relative.cnd"));
    fs::create_symlink("../relative.cnd", folder.file("sub/up.cnd"));
    fs::create_symlink("sub/new.cnd", folder.file("dangling.cnd"));
    fs::create_symlink("sub", folder.file("linkedfolder"));
    fs::create_symlink("loop2.cnd", folder.file("loop1.cnd"));
    fs::create_symlink("loop1.cnd", folder.file("loop2.cnd"));
    struct Case {
        const char* given;
        std::string written;
    };
    const Case cases[] = {
        {"pair.cnd", root + "/pair.cnd"},
        {"missing.cnd", root + "/missing.cnd"},
        {"absolute.cnd", root + "/pair.cnd"},
        {"relative.cnd", root + "/pair.cnd"},
        // Two links, each read from its own folder.
        {"sub/up.cnd", root + "/sub/../pair.cnd"},
        {"dangling.cnd", root + "/sub/new.cnd"},
        // A linked folder on the way is the system's to follow: the name itself is no link.
        {"linkedfolder/x.cnd", root + "/linkedfolder/x.cnd"},
        {"loop1.cnd", ""},
    };
    for (const Case& c : cases) {
        errno = 0;
        const std::string written = runtime::writtenPath(folder.file(c.given).string());
        const int error = errno;
        EXPECT_EQ(written, c.written) << c.given;
        if (c.written.empty()) {
            EXPECT_EQ(error, ELOOP) << c.given;
        }
    }
}

// A file made anew needs its folder written and searched: a folder that
// lacks either is named; a missing one is left to the open to report. For a
// link that is the folder of the file the link names, not the link's own.
// The cases run as a user without privileges, whom permissions bind.
TEST(RegularFile, AFolderThatTakesNoNewFileIsNamed)
{
    TemporaryFolder folder;
    namespace fs = std::filesystem;
    using fs::perms;
    const perms searchable = perms::owner_read | perms::owner_exec | perms::group_read | perms::group_exec |
                             perms::others_read | perms::others_exec;
    fs::permissions(folder.path(), searchable | perms::owner_write);
    for (const char* name : {"open", "readonly", "unsearchable"})
        fs::create_directory(folder.file(name));
    fs::create_symlink("../readonly/a.cnd", folder.file("open/toreadonly.cnd"));
    fs::create_symlink(folder.file("open/a.cnd"), folder.file("readonly/toopen.cnd"));
    fs::create_symlink("../missing/a.cnd", folder.file("open/tomissing.cnd"));
    fs::create_symlink("loop.cnd", folder.file("open/loop.cnd"));
    fs::permissions(folder.file("open"), perms::all);
    fs::permissions(folder.file("readonly"), searchable);
    fs::permissions(folder.file("unsearchable"), perms::owner_write | perms::group_write | perms::others_write);
    const auto told = folder.file("told.txt");
    std::ofstream out(told, std::ios::binary); // opened before the child gives up its rights
    const int result = testsupport::asUnprivilegedUser([&] {
        for (const char* path : {"open/a.cnd", "missing/a.cnd", "readonly/a.cnd", "unsearchable/a.cnd",
                                 "open/toreadonly.cnd", "readonly/toopen.cnd", "open/tomissing.cnd", "open/loop.cnd"}) {
            int error = -1;
            out << runtime::folderWriteProblem(folder.file(path).string(), &error) << "|" << error << "\n";
        }
        out << runtime::folderWriteProblem(folder.file("readonly/a.cnd").string(), nullptr, "the design was not saved")
            << "\n";
        out.flush();
        return 0;
    });
    out.close();
    fs::permissions(folder.file("readonly"), perms::owner_write, fs::perm_options::add);
    fs::permissions(folder.file("unsearchable"), perms::owner_all);
    if (result == 77)
        GTEST_SKIP() << "no user without privileges to become";
    ASSERT_EQ(result, 0);
    const auto named = [&](const char* name) {
        return "The folder " + folder.file(name).string() + " may not be written: nothing can be saved there.|" +
               std::to_string(EACCES) + "\n";
    };
    EXPECT_EQ(testsupport::fileText(told), "|0\n|0\n" + named("readonly") + named("unsearchable") +
                                               named("readonly") + "|0\n|0\n|0\n" + "The folder " +
                                               folder.file("readonly").string() +
                                               " may not be written: the design was not saved.\n");
}

} // namespace
