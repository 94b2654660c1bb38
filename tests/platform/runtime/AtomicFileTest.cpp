#include "runtime/AtomicFile.h"
#include "runtime/RuntimeError.h"

#include "support/ChildProcess.h"
#include "support/FolderNames.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

using testsupport::fileText;

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

unsigned modeOf(const fs::path& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}


class AtomicFileTest : public testing::Test {
protected:
    TemporaryFolder folder;
    std::string target = folder.file("pair.cnd").string();
};

TEST_F(AtomicFileTest, AWriterUnwoundByAnExceptionLeavesTheOldFileAndNoTemporary)
{
    writeFile(target, "old design");
    ::chmod(target.c_str(), 0640);
    const std::string fresh = folder.file("fresh.cnd").string();
    try {
        runtime::AtomicFile file(target);
        runtime::AtomicFile newFile(fresh);
        ASSERT_TRUE(file.isOpen() && newFile.isOpen());
        file << std::string(200000, 'p') << std::flush;
        newFile << "partial" << std::flush;
        throw std::runtime_error("the writer failed half-way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(fileText(target), "old design");
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_FALSE(fs::exists(fresh)) << "nothing is committed without commit()";
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), "."), std::vector<std::string>{});
}

TEST_F(AtomicFileTest, CommitReplacesTheFileWholeWithItsPermissions)
{
    // Larger than the buffer, in small and large pieces.
    std::string content;
    for (int i = 0; i < 20000; ++i)
        content += "record " + std::to_string(i) + "\r\n";
    content += std::string(300000, 'z');

    struct Case {
        const char* name;
        bool exists;
        unsigned mode;  // of the old file
        mode_t umask;
        unsigned expected;
    };
    for (const Case& c : {Case{"kept 0640", true, 0640, 022, 0640}, Case{"kept 0604", true, 0604, 077, 0604},
                          Case{"new, umask 022", false, 0, 022, 0644}, Case{"new, umask 077", false, 0, 077, 0600}}) {
        SCOPED_TRACE(c.name);
        const fs::path path = folder.file(std::string("f") + std::to_string(c.mode) + std::to_string(c.umask));
        if (c.exists) {
            writeFile(path, "old, longer than nothing at all");
            ::chmod(path.c_str(), c.mode);
        }
        const mode_t previous = ::umask(c.umask);
        runtime::AtomicFile file(path.string());
        ::umask(previous);
        ASSERT_TRUE(file.isOpen());
        file << content.substr(0, 1000);
        file.write(content.data() + 1000, static_cast<std::streamsize>(content.size() - 1000));
        EXPECT_EQ(fileText(path), c.exists ? "old, longer than nothing at all" : "") << "not before commit";
        EXPECT_EQ(file.commit(), 0);
        EXPECT_EQ(fileText(path), content);
        EXPECT_EQ(modeOf(path), c.expected);
    }
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), "."), std::vector<std::string>{});

    // A link is followed and kept; the helper replaces whole too.
    writeFile(target, "linked");
    fs::create_symlink(target, folder.file("link.cnd"));
    EXPECT_EQ(runtime::writeFileAtomically(folder.file("link.cnd").string(), "through the link"), 0);
    EXPECT_TRUE(fs::is_symlink(folder.file("link.cnd")));
    EXPECT_EQ(fileText(target), "through the link");
}

TEST_F(AtomicFileTest, ATargetOfTheLongestNameIsReplacedToo)
{
    const fs::path path = folder.file(std::string(255, 'n'));
    writeFile(path, "old");
    EXPECT_EQ(runtime::writeFileAtomically(path.string(), "new"), 0);
    EXPECT_EQ(fileText(path), "new");
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), "."), std::vector<std::string>{});
}

TEST_F(AtomicFileTest, AFailedWriteIsReportedWithItsErrorAndLeavesTheOldFile)
{
    writeFile(target, "earlier");
    // A process that may not grow a file past 100 bytes meets the limit half-way.
    const int error = testsupport::inChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100, 100};
        setrlimit(RLIMIT_FSIZE, &small);
        runtime::AtomicFile file(target);
        if (!file.isOpen())
            return 0;
        file << std::string(1 << 16, 'y') << "tail";
        return file.commit();
    });
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(fileText(target), "earlier");
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), "."), std::vector<std::string>{});

    // A full disk keeps its own error, reported as "Disk full".
    runtime::AppendedFile full("/dev/full");
    ASSERT_TRUE(full.isOpen());
    full << std::string(100000, 'f') << "more";
    const int number = runtime::fileErrorNumber(full.finish());
    EXPECT_EQ(number, 61);
    EXPECT_EQ(runtime::errorDescription(number), "Disk full");
}

TEST_F(AtomicFileTest, TargetsThatCannotBeReplacedAreRefusedAndLeftAsTheyWere)
{
    fs::create_directory(folder.file("folder.cnd"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.cnd").c_str(), 0600), 0);
    writeFile(folder.file("readonly.cnd"), "read only");
    ::chmod(folder.file("readonly.cnd").c_str(), 0444);
    struct Case {
        const char* name;
        int error;
    };
    std::vector<Case> cases = {{"folder.cnd", EISDIR}, {"pipe.cnd", EINVAL}, {"missing/x.cnd", ENOENT}, {"", ENOENT}};
    if (::geteuid() != 0)
        cases.push_back({"readonly.cnd", EACCES});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        runtime::AtomicFile file(c.name[0] == 0 ? std::string() : folder.file(c.name).string());
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(file.error(), c.error);
        file << "ignored";
        EXPECT_EQ(file.commit(), c.error);
    }
    EXPECT_TRUE(fs::is_directory(folder.file("folder.cnd")));
    EXPECT_TRUE(fs::is_fifo(folder.file("pipe.cnd")));
    EXPECT_EQ(fileText(folder.file("readonly.cnd")), "read only");
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), "."), std::vector<std::string>{});
}

// A link is written where its chain of links leads, and stays a link: the
// file it names is replaced, or made when it is not there yet. A link to
// what is no regular file, or one that leads nowhere, is refused whole.
TEST_F(AtomicFileTest, ALinkIsWrittenWhereItLeadsAndStaysALink)
{
    writeFile(target, "old");
    fs::create_directory(folder.file("sub"));
    fs::create_directory(folder.file("folder.cnd"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.cnd").c_str(), 0600), 0);
    const std::pair<const char*, std::string> links[] = {
        {"absolute.cnd", target},          {"sub/relative.cnd", "../pair.cnd"}, {"sub/chain.cnd", "relative.cnd"},
        {"dangling.cnd", "sub/new.cnd"},   {"nowhere.cnd", "missing/x.cnd"},   {"tofolder.cnd", "folder.cnd"},
        {"topipe.cnd", "pipe.cnd"},        {"todevice.cnd", "/dev/null"},      {"loop.cnd", "loop.cnd"},
    };
    for (const auto& [link, named] : links)
        fs::create_symlink(named, folder.file(link));
    struct Case {
        const char* link;
        int error;
        const char* written; // the file that holds what was written through the link
    };
    const Case cases[] = {
        {"absolute.cnd", 0, "pair.cnd"},  {"sub/relative.cnd", 0, "pair.cnd"}, {"sub/chain.cnd", 0, "pair.cnd"},
        {"dangling.cnd", 0, "sub/new.cnd"}, {"nowhere.cnd", ENOENT, ""},        {"tofolder.cnd", EISDIR, ""},
        {"topipe.cnd", EINVAL, ""},         {"todevice.cnd", EINVAL, ""},       {"loop.cnd", ELOOP, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        runtime::AtomicFile file(folder.file(c.link).string());
        EXPECT_EQ(file.isOpen(), c.error == 0);
        EXPECT_EQ(file.error(), c.error);
        file << "through " << c.link;
        EXPECT_EQ(file.commit(), c.error);
        if (c.error == 0) {
            EXPECT_EQ(fileText(folder.file(c.written)), std::string("through ") + c.link);
        }
    }
    for (const auto& [link, named] : links) {
        EXPECT_TRUE(fs::is_symlink(folder.file(link))) << link;
        EXPECT_EQ(fs::read_symlink(folder.file(link)).string(), named) << link;
    }
    EXPECT_TRUE(fs::is_empty(folder.file("folder.cnd")));
    EXPECT_TRUE(fs::is_fifo(folder.file("pipe.cnd")));
    EXPECT_FALSE(fs::exists(folder.file("missing")));
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), "."), std::vector<std::string>{});
    EXPECT_EQ(testsupport::namesStartingWith(folder.file("sub"), "."), std::vector<std::string>{});
}

// What counts is whether the file written, and its folder, may be written:
// a file of mode 0444 is refused, and so is a link into a folder that may not
// be written, while a link in such a folder to a file in a writable one is
// written. The cases run as a user without privileges, whom permissions bind.
TEST_F(AtomicFileTest, ThePermissionsThatCountAreThoseOfTheFileWritten)
{
    using fs::perms;
    fs::permissions(folder.path(), perms::all);
    for (const char* name : {"open", "locked"})
        fs::create_directory(folder.file(name));
    writeFile(folder.file("open/readonly.cnd"), "read only");
    fs::permissions(folder.file("open/readonly.cnd"), perms::owner_read | perms::group_read | perms::others_read);
    writeFile(folder.file("locked/pair.cnd"), "locked in");
    fs::permissions(folder.file("locked/pair.cnd"), perms::all);
    writeFile(folder.file("open/pair.cnd"), "open");
    fs::permissions(folder.file("open/pair.cnd"), perms::all);
    fs::create_symlink("../locked/pair.cnd", folder.file("open/tolocked.cnd"));
    fs::create_symlink("../open/pair.cnd", folder.file("locked/toopen.cnd"));
    fs::permissions(folder.file("open"), perms::all);
    fs::permissions(folder.file("locked"), perms::owner_read | perms::owner_exec | perms::group_read |
                                              perms::group_exec | perms::others_read | perms::others_exec);
    const auto told = folder.file("told.txt");
    std::ofstream out(told, std::ios::binary); // opened before the child gives up its rights
    const int result = testsupport::asUnprivilegedUser([&] {
        for (const char* name : {"open/readonly.cnd", "open/tolocked.cnd", "locked/toopen.cnd"})
            out << name << "|" << runtime::writeFileAtomically(folder.file(name).string(), "new") << "\n";
        out.flush();
        return 0;
    });
    out.close();
    fs::permissions(folder.file("locked"), perms::owner_write, fs::perm_options::add);
    if (result == 77)
        GTEST_SKIP() << "no user without privileges to become";
    ASSERT_EQ(result, 0);
    EXPECT_EQ(fileText(told), "open/readonly.cnd|" + std::to_string(EACCES) + "\nopen/tolocked.cnd|" +
                                  std::to_string(EACCES) + "\nlocked/toopen.cnd|0\n");
    EXPECT_EQ(fileText(folder.file("open/readonly.cnd")), "read only");
    EXPECT_EQ(fileText(folder.file("locked/pair.cnd")), "locked in");
    EXPECT_EQ(fileText(folder.file("open/pair.cnd")), "new");
    EXPECT_TRUE(fs::is_symlink(folder.file("locked/toopen.cnd")));
    for (const char* name : {"open", "locked"})
        EXPECT_EQ(testsupport::namesStartingWith(folder.file(name), "."), std::vector<std::string>{}) << name;
}

TEST_F(AtomicFileTest, TheNextSaveRemovesOnlyTheTemporaryOfAKilledSaveOfItsTarget)
{
    writeFile(target, "old");
    testsupport::inChildProcess([&] {
        runtime::AtomicFile file(target);
        file << std::string(1 << 16, 'k') << std::flush;
        raise(SIGKILL);
        return 0;
    });
    const std::vector<std::string> left = testsupport::namesStartingWith(folder.path(), ".pair.cnd.");
    ASSERT_EQ(left.size(), 1u) << "the killed save's temporary";
    EXPECT_EQ(fs::file_size(folder.file(left.front())), 1u << 16);
    EXPECT_EQ(fileText(target), "old");

    // What is not recognisably an abandoned temporary of this target stays:
    // the user's own files of any name, whatever is not a plain file, another
    // target's temporary and a save still writing.
    const std::string marked = left.front().substr(0, left.front().size() - 12);
    writeFile(folder.file(".pair.cnd.bak"), "b");
    writeFile(folder.file(".pair.cnd.backup"), "user's backup");
    writeFile(folder.file(".pair.cnd.2024v1"), "user's version");
    writeFile(folder.file(".pair.cnd.abcdef"), "user's six letters");
    writeFile(folder.file(".pair.cnd.ABCDEFG"), "7");
    writeFile(folder.file(".pair.cnd.AB-DEF"), "-");
    fs::create_directory(folder.file(marked + "Dir123456789"));
    fs::create_symlink(target, folder.file(marked + "Lnk123456789"));
    fs::path otherTarget = folder.file("gear.cnd");
    writeFile(otherTarget, "other");
    testsupport::inChildProcess([&] {
        runtime::AtomicFile other(otherTarget.string());
        other << "killed" << std::flush;
        raise(SIGKILL);
        return 0;
    });
    const std::vector<std::string> otherLeft = testsupport::namesStartingWith(folder.path(), ".gear.cnd.");
    ASSERT_EQ(otherLeft.size(), 1u);
    runtime::AtomicFile running(target); // another save of the same target, still writing
    ASSERT_TRUE(running.isOpen());

    runtime::AtomicFile file(target);
    ASSERT_TRUE(file.isOpen());
    file << "new";
    EXPECT_EQ(file.commit(), 0);
    EXPECT_EQ(fileText(target), "new");
    std::vector<std::string> kept = {".pair.cnd.2024v1", ".pair.cnd.AB-DEF", ".pair.cnd.ABCDEFG",
                                     ".pair.cnd.abcdef", ".pair.cnd.backup", ".pair.cnd.bak",
                                     marked + "Dir123456789", marked + "Lnk123456789",
                                     fs::path(running.temporaryPath()).filename().string()};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), ".pair.cnd."), kept);
    EXPECT_EQ(fileText(folder.file(".pair.cnd.backup")), "user's backup");
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), ".gear.cnd."), otherLeft);
}

// Saves of one target from many processes at once, some killed half-way:
// no save takes another's temporary (every commit that runs succeeds), the
// target is always one save whole, and a later save leaves no temporary.
TEST_F(AtomicFileTest, ManyProcessesSavingOneTargetAtOnceKeepItWhole)
{
    writeFile(target, "first");
    constexpr int Writers = 6;
    constexpr int Saves = 40;
    const auto content = [](int writer, int save) {
        const std::string line = "writer " + std::to_string(writer) + " save " + std::to_string(save) + "\n";
        std::string text;
        while (text.size() < 30000)
            text += line;
        return text;
    };
    std::vector<pid_t> children;
    for (int writer = 0; writer < Writers; ++writer) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int save = 0; save < Saves; ++save) {
                if (writer % 2 == 1 && save % 4 == 0) {
                    // A save killed once its temporary is written in part.
                    testsupport::inChildProcess([&] {
                        runtime::AtomicFile killed(target);
                        killed << content(writer, save).substr(0, 10000) << std::flush;
                        raise(SIGKILL);
                        return 0;
                    });
                    continue;
                }
                runtime::AtomicFile file(target);
                if (!file.isOpen())
                    _exit(1);
                file << content(writer, save);
                if (file.commit() != 0)
                    _exit(2);
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    const std::string last = fileText(target);
    ASSERT_NE(last.find('\n'), std::string::npos) << last.substr(0, 100);
    const std::string firstLine = last.substr(0, last.find('\n') + 1);
    std::string whole;
    while (whole.size() < 30000)
        whole += firstLine;
    EXPECT_EQ(last, whole);

    EXPECT_EQ(runtime::writeFileAtomically(target, "after"), 0);
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), "."), std::vector<std::string>{});
}

} // namespace
