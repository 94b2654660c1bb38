#include "ComponentFixture.h"
#include "IniRoundTrip.h"

#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace brimlock;
using namespace component;

namespace {

// 8 MiB, the largest INI file the component reads or writes.
constexpr std::uintmax_t Limit = 8u << 20;

// "[S]\r\nK=" and "\r\n" around the value: the bytes Save writes for one key.
constexpr std::size_t OneKeyFrame = 9;

std::size_t entriesIn(const std::filesystem::path& folder)
{
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++entries;
    return entries;
}

} // namespace

TEST(IniFileSizeLimit, OpenRefusesALargerFileUnreadAndKeepsTheObject)
{
    TemporaryFolder folder;
    auto file = newIniFile();
    writeBytes(folder.file("kept.ini"), "[kept]\nk=v\n");
    ASSERT_EQ(file->Open(folder.file("kept.ini").string()), S_OK);
    // Sparse files: their size costs no disk, and reading one whole would take minutes.
    for (const std::uintmax_t size : {Limit + 1, std::uintmax_t{200} << 30}) {
        const auto huge = folder.file("huge.ini");
        writeBytes(huge, "[s]\nk=v\n");
        std::filesystem::resize_file(huge, size);
        clearErrorInfo();
        EXPECT_EQ(file->Open(huge.string()), errorResult(message::IniFileError)) << size;
        const auto info = takeErrorInfo();
        ASSERT_TRUE(info.has_value()) << size;
        EXPECT_EQ(info->description, "Error opening INI file.");
        EXPECT_EQ(snapshot(*file), (IniSnapshot{{"KEPT", {{"K", "v"}}}})) << size;
        std::string name;
        file->get_FileName(&name);
        EXPECT_EQ(name, folder.file("kept.ini").string());
    }
}

TEST(IniFileSizeLimit, AFileOfExactlyTheLimitOpensAndOneByteMoreDoesNot)
{
    TemporaryFolder folder;
    const auto path = folder.file("edge.ini");
    std::string bytes = "[s]\nk=";
    bytes.resize(Limit, 'x');
    writeBytes(path, bytes);
    auto file = newIniFile();
    ASSERT_EQ(file->Open(path.string()), S_OK);
    std::int32_t length = 0;
    file->ValueLength("S", "K", &length);
    EXPECT_EQ(length, static_cast<std::int32_t>(Limit - 6));

    writeBytes(path, bytes + "x");
    EXPECT_EQ(newIniFile()->Open(path.string()), errorResult(message::IniFileError));
}

TEST(IniFileSizeLimit, SaveWritesUpToTheLimitAndRefusesMoreWritingNothing)
{
    TemporaryFolder folder;
    const auto path = folder.file("saved.ini");
    auto file = newIniFile();
    ASSERT_EQ(file->SetString("s", "k", std::string(Limit - OneKeyFrame, 'x')), S_OK);
    ASSERT_EQ(file->Save(path.string()), S_OK);
    EXPECT_EQ(std::filesystem::file_size(path), Limit);
    EXPECT_EQ(newIniFile()->Open(path.string()), S_OK) << "what Save writes, Open reads";

    ASSERT_EQ(file->SetString("s", "k", std::string(Limit - OneKeyFrame + 1, 'y')), S_OK);
    ASSERT_EQ(file->SetString("s", "small", "1"), S_OK);
    const auto other = folder.file("other.ini");
    clearErrorInfo();
    EXPECT_EQ(file->Save(other.string()), errorResult(message::IniFileError));
    const auto info = takeErrorInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->description, "Error opening INI file.");
    EXPECT_EQ(file->Save(path.string()), errorResult(message::IniFileError));
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_EQ(std::filesystem::file_size(path), Limit) << "the old file stays";
    EXPECT_EQ(testsupport::fileText(path).substr(0, 8), "[S]\r\nK=x");
    EXPECT_EQ(entriesIn(folder.path()), 1u) << "no temporary file is left behind";
    bool dirty = false;
    std::string name;
    file->get_Dirty(&dirty);
    file->get_FileName(&name);
    EXPECT_TRUE(dirty);
    EXPECT_EQ(name, path.string());

    ASSERT_EQ(file->DeleteKey("s", "small"), S_OK);
    ASSERT_EQ(file->SetString("s", "k", std::string(Limit - OneKeyFrame, 'z')), S_OK);
    EXPECT_EQ(file->Save(path.string()), S_OK) << "back at the limit";
}

TEST(IniFileSizeLimit, ASmallFileOpensAsBefore)
{
    TemporaryFolder folder;
    const auto path = folder.file("small.ini");
    writeBytes(path, "[Main]\r\nName=Joe\r\n\r\n[Other]\r\nx = 1\r\n");
    auto file = newIniFile();
    ASSERT_EQ(file->Open(path.string()), S_OK);
    EXPECT_EQ(snapshot(*file), (IniSnapshot{{"MAIN", {{"NAME", "Joe"}}}, {"OTHER", {{"X ", " 1"}}}}));
    ASSERT_EQ(file->Save(path.string()), S_OK);
    EXPECT_EQ(testsupport::fileText(path), "[MAIN]\r\nNAME=Joe\r\n\r\n[OTHER]\r\nX = 1\r\n");
}
