#include "ComponentFixture.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

using namespace brimlock;
using namespace component;

namespace {

constexpr int SavesPerWriter = 500;
constexpr int KeysPerFile = 50;
constexpr int ValuesPerWriter = 1000;

pid_t startChild(const std::function<bool()>& work)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(work() ? 0 : 1);
    return child;
}

bool succeededInChild(pid_t child)
{
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Built by appending: g++ 12 warns wrongly (-Wrestrict) on "K" + text in optimised builds.
std::string numberedName(const char* prefix, int i)
{
    std::string name = prefix;
    return name.append(std::to_string(i));
}

std::string writerValueName(int writer, int i)
{
    return numberedName("w", writer).append("-").append(std::to_string(i));
}

// A writer's file: its own section, every key, and END naming the writer.
bool saveRepeatedly(const std::string& path, int writer)
{
    auto file = newIniFile();
    const std::string section = numberedName("W", writer);
    for (int i = 0; i < KeysPerFile; ++i)
        file->SetLong(section, numberedName("K", i), writer * 1000 + i);
    file->SetString(section, "END", section);
    for (int round = 0; round < SavesPerWriter; ++round) {
        file->SetLong(section, "ROUND", round);
        if (file->Save(path) != S_OK)
            return false;
    }
    return true;
}

// Whatever the moment, an Open finds one writer's whole file.
bool openWholeFiles(const std::string& path, const std::string& stopFile)
{
    int wholeFiles = 0;
    for (int attempt = 0; attempt < 1000000; ++attempt) {
        const bool last = access(stopFile.c_str(), F_OK) == 0;
        auto file = newIniFile();
        const HResult opened = file->Open(path);
        if (opened == errorResult(message::IniFileNotFound) && wholeFiles == 0 && !last)
            continue;
        if (opened != S_OK)
            return false;
        std::vector<std::string> sections, keys;
        file->SectionNames(&sections);
        if (sections.size() != 1)
            return false;
        file->KeyNames(sections[0], &keys);
        std::string end;
        file->GetString(sections[0], "END", "", &end);
        if (keys.size() != KeysPerFile + 2 || end != sections[0])
            return false;
        ++wholeFiles;
        if (last)
            return true;
    }
    return false;
}

} // namespace

TEST(Concurrency, SavesOfOneIniFileReplaceItWhole)
{
    TemporaryFolder folder;
    const std::string path = folder.file("shared.ini").string();
    const std::string stopFile = folder.file("writers-done").string();
    const pid_t reader = startChild([&] { return openWholeFiles(path, stopFile); });
    const pid_t first = startChild([&] { return saveRepeatedly(path, 1); });
    const pid_t second = startChild([&] { return saveRepeatedly(path, 2); });
    EXPECT_TRUE(succeededInChild(first));
    EXPECT_TRUE(succeededInChild(second));
    writeBytes(stopFile, "");
    EXPECT_TRUE(succeededInChild(reader));

    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 2u) << "the shared file and the stop mark, no temporary file";
}

TEST(Concurrency, ValuesSetInOneKeyFromTwoProcessesAllArrive)
{
    auto setValues = [](int writer) {
        auto reg = newRegistry();
        reg->put_BaseKey("Software\\Concurrent");
        for (int i = 0; i < ValuesPerWriter; ++i)
            if (reg->SetLong("", writerValueName(writer, i), i) != S_OK)
                return false;
        return true;
    };
    // The store exists before the writers start, as it does once any program has run.
    ASSERT_EQ(newRegistry()->CreateKey("Software\\Concurrent"), S_OK);
    const pid_t first = startChild([&] { return setValues(1); });
    const pid_t second = startChild([&] { return setValues(2); });
    EXPECT_TRUE(succeededInChild(first));
    EXPECT_TRUE(succeededInChild(second));

    auto reg = newRegistry();
    reg->put_BaseKey("Software\\Concurrent");
    std::vector<std::string> names;
    reg->ValueNames("", &names);
    EXPECT_EQ(names.size(), 2u * ValuesPerWriter);
    for (int writer = 1; writer <= 2; ++writer)
        for (int i = 0; i < ValuesPerWriter; i += 97) {
            std::int32_t value = -1;
            reg->GetLong("", writerValueName(writer, i), -1, &value);
            EXPECT_EQ(value, i);
        }
}
