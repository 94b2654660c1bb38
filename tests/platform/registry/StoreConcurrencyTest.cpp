#include "registry/Store.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

using namespace registry;

namespace {

constexpr int WritesPerProcess = 1000;

// One writer process: its own values under a shared key, and a shared counter
// raised read-modify-write. Exits 0 only when every call succeeded.
// "w<writer>-<i>", built by appending: g++ 12 warns wrongly (-Wrestrict) on
// "w" + text + ... in optimised builds.
std::string writerValueName(int writer, int i)
{
    std::string name = "w";
    name.append(std::to_string(writer)).append("-").append(std::to_string(i));
    return name;
}

[[noreturn]] void writeFromChild(const std::filesystem::path& file, int writer)
{
    bool ok = true;
    {
        Store store(file);
        Handle key = 0;
        ok = store.createKey(root::CurrentUser, "Concurrent", access::All, key) == status::Success;
        for (int i = 0; ok && i < WritesPerProcess; ++i) {
            const std::string name = writerValueName(writer, i);
            ok = store.setValue(key, name, Value::number32(static_cast<std::uint32_t>(i))) == status::Success;
            ok = ok && store.inTransaction([&] {
                Value counter;
                const Status read = store.queryValue(key, "Counter", counter);
                if (read != status::Success && read != status::FileNotFound)
                    return read;
                const std::uint32_t next = counter.asNumber32().value_or(0) + 1;
                // Widens the gap between read and write, where an unguarded update would be lost.
                usleep(200);
                return store.setValue(key, "Counter", Value::number32(next));
            }) == status::Success;
        }
    }
    _exit(ok ? 0 : 1);
}

} // namespace

TEST(StoreConcurrency, TwoProcessesWritingAtOnceLoseNothing)
{
    TemporaryFolder folder;
    const auto file = folder.file("shared.sqlite3");
    { Store create(file); }

    pid_t children[2];
    for (int writer = 0; writer < 2; ++writer) {
        children[writer] = fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0)
            writeFromChild(file, writer);
    }
    for (pid_t child : children) {
        int exitStatus = -1;
        ASSERT_EQ(waitpid(child, &exitStatus, 0), child);
        EXPECT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0);
    }

    Store store(file);
    Handle key = 0;
    ASSERT_EQ(store.openKey(root::CurrentUser, "Concurrent", access::Read, key), status::Success);
    Value value;
    ASSERT_EQ(store.queryValue(key, "Counter", value), status::Success);
    EXPECT_EQ(value.asNumber32(), 2u * WritesPerProcess);
    int count = 0;
    std::string name;
    while (store.enumValue(key, static_cast<std::uint32_t>(count), name, value) == status::Success)
        ++count;
    EXPECT_EQ(count, 2 * WritesPerProcess + 1);
    for (int writer = 0; writer < 2; ++writer) {
        ASSERT_EQ(store.queryValue(key, writerValueName(writer, WritesPerProcess - 1), value), status::Success);
        EXPECT_EQ(value.asNumber32(), 999u);
    }
}
