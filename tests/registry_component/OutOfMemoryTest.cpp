#include "ComponentFixture.h"
#include "IniRoundTrip.h"

#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

using namespace brimlock;
using namespace component;

// A sanitizer reserves terabytes of address space up front: no cap can be set under it.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ADDRESS_SPACE_CAP_UNAVAILABLE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define ADDRESS_SPACE_CAP_UNAVAILABLE 1
#endif
#endif

namespace {

// Far more than the small allocations of a call, far less than the values below.
constexpr std::size_t Headroom = 2u << 20;
// A value, and a file, within the size limit that no allocation under the cap can hold.
constexpr std::size_t Large = 6u << 20;

std::size_t addressSpaceInUse()
{
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

void setAddressSpaceCap(rlim_t cap)
{
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = cap;
    setrlimit(RLIMIT_AS, &limit);
}

void liftAddressSpaceCap()
{
    setAddressSpaceCap(RLIM_INFINITY);
}

// Runs `check` in a child process whose address space may grow by only
// Headroom, so that any allocation of a Large size fails for real. Empty when
// the check passed and the child lived; else what failed, or how it ended.
std::string failureInCappedChild(const std::function<std::string()>& check)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        setAddressSpaceCap(addressSpaceInUse() + Headroom);
        const std::string failure = check();
        liftAddressSpaceCap();
        const std::string report = failure.empty() ? "passed" : failure;
        [[maybe_unused]] const ssize_t written = write(channel[1], report.data(), report.size());
        _exit(0);
    }
    close(channel[1]);
    std::string report;
    char buffer[256];
    for (ssize_t count; (count = read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(count));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return "the caller ended" + (WIFSIGNALED(status) ? " by signal " + std::to_string(WTERMSIG(status)) : "");
    return report == "passed" ? "" : report;
}

std::string expectResult(const char* what, HResult result, HResult expected)
{
    return result == expected ? ""
                              : std::string(what) + " gave " + std::to_string(result) + ", not " +
                                    std::to_string(expected) + "; ";
}

} // namespace

TEST(OutOfMemory, IniFileMembersGiveTheOutOfMemoryResultAndChangeNothing)
{
#ifdef ADDRESS_SPACE_CAP_UNAVAILABLE
    GTEST_SKIP() << "the address space cannot be capped under a sanitizer";
#endif
    TemporaryFolder folder;
    const auto kept = folder.file("kept.ini");
    const auto large = folder.file("large.ini");
    writeBytes(kept, "[kept]\r\nk=v\r\n");
    writeBytes(large, "[s]\nk=" + std::string(Large, 'x') + "\n");
    const std::string value(Large, 'y');
    const IniSnapshot keptContent{{"KEPT", {{"K", "v"}}}};

    EXPECT_EQ(failureInCappedChild([&] {
        std::string failures;
        auto file = newIniFile();
        if (file->Open(kept.string()) != S_OK)
            return std::string("the small file did not open under the cap");
        failures += expectResult("Open", file->Open(large.string()), E_OUTOFMEMORY);
        failures += expectResult("SetString", file->SetString("s", "new", value), E_OUTOFMEMORY);
        bool dirty = true;
        std::string name;
        file->get_Dirty(&dirty);
        file->get_FileName(&name);
        if (dirty || name != kept.string())
            failures += "the flags changed; ";
        liftAddressSpaceCap();
        if (snapshot(*file) != keptContent)
            failures += "the content changed; ";
        if (file->Open(large.string()) != S_OK)
            failures += "the large file does not open without the cap; ";
        return failures;
    }),
              "");
}

TEST(OutOfMemory, ASaveThatRunsOutOfMemoryWritesNothing)
{
#ifdef ADDRESS_SPACE_CAP_UNAVAILABLE
    GTEST_SKIP() << "the address space cannot be capped under a sanitizer";
#endif
    TemporaryFolder folder;
    const auto target = folder.file("target.ini");
    writeBytes(target, "[OLD]\r\nK=1\r\n");
    auto file = newIniFile();
    ASSERT_EQ(file->SetString("s", "k", std::string(Large, 'x')), S_OK);

    EXPECT_EQ(failureInCappedChild([&] {
        std::string failures = expectResult("Save", file->Save(target.string()), E_OUTOFMEMORY);
        bool dirty = false;
        file->get_Dirty(&dirty);
        if (!dirty)
            failures += "Dirty was cleared; ";
        return failures;
    }),
              "");
    EXPECT_EQ(testsupport::fileText(target), "[OLD]\r\nK=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary file is left behind";
}

TEST(OutOfMemory, ACallByNameThatRunsOutOfMemoryConvertingItsArguments)
{
#ifdef ADDRESS_SPACE_CAP_UNAVAILABLE
    GTEST_SKIP() << "the address space cannot be capped under a sanitizer";
#endif
    const Variant arguments[] = {"s", "k", std::string(Large, 'x')};
    EXPECT_EQ(failureInCappedChild([&] {
        auto file = newIniFile();
        Counted<IDispatch> dispatch;
        DispatchId id = -1;
        if (file->QueryInterface(IID_IDispatch, dispatch.out()) != S_OK ||
            dispatch->GetIDsOfNames("SetString", &id) != S_OK)
            return std::string("no SetString by name");
        Variant result;
        std::string failures =
            expectResult("Invoke", dispatch->Invoke(id, InvokeKind::Method, arguments, &result), E_OUTOFMEMORY);
        bool exists = true;
        file->KeyExists("s", "k", &exists);
        if (exists)
            failures += "the key was set; ";
        return failures;
    }),
              "");
}
