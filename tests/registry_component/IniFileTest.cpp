#include "ComponentFixture.h"

#include "support/FileText.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

using namespace brimlock;
using namespace component;

namespace {

// The content as "[SECTION]KEY=value|..." in the object's own order.
std::string dump(IINIFile& file)
{
    std::string text;
    std::vector<std::string> sections;
    file.SectionNames(&sections);
    for (const std::string& section : sections) {
        text += "[" + section + "]";
        std::vector<std::string> keys;
        file.KeyNames(section, &keys);
        for (const std::string& key : keys) {
            std::string value;
            file.GetString(section, key, "<missing>", &value);
            text += key + "=" + value + "|";
        }
    }
    return text;
}

HResult openText(IINIFile& file, const TemporaryFolder& folder, const std::string& bytes)
{
    const auto path = folder.file("input.ini");
    writeBytes(path, bytes);
    return file.Open(path.string());
}

// Runs a check in a child process without privileges, so that permissions
// hold even when the tests run as root. True when the check passed.
bool passesUnprivileged(const std::function<bool()>& check)
{
    const pid_t child = fork();
    if (child == 0) {
        bool ok = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        ok = ok && check();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct ParseCase {
    const char* what;
    std::string bytes;
    std::string content;
};

} // namespace

TEST(IniFileOpen, LinesBecomeSectionsAndKeys)
{
    using namespace std::string_literals;
    const ParseCase cases[] = {
        {"a repeated key keeps the last value", "[main]\nName=Joe\nname=Ann\n", "[MAIN]NAME=Ann|"},
        {"spaces around = stay", "[s]\n key = value \n", "[S]KEY = value|"},
        {"lines outside a section and without = are dropped; no comments", "x=1\n[s]\nnot a key\n;comment=x\n",
         "[S];COMMENT=x|"},
        {"a header holding =", "[a=b]\nk=v\n", "[A=B]K=v|"},
        {"repeated headers merge", "[A]\nk=1\n[B]\n[a]\nj=2\n", "[A]J=2|K=1|[B]"},
        {"a lone [", "[\nk=v\n", ""},
        {"a lone ]", "]\nk=v\n", ""},
        {"an empty section name", "[]\nk=v\n", "[]K=v|"},
        {"a line of =", "[s]\n=\n", "[S]=|"},
        {"CR LF line ends", "[s]\r\nk=v\r\n", "[S]K=v|"},
        {"a lone CR ends no line", "[s]\rk=v\n", ""},
        {"a lone CR inside a value", "[s]\nk=a\rb\n", "[S]K=a\rb|"},
        {"no final line end", "[s]\nk=v", "[S]K=v|"},
        {"a NUL inside a value", "[s]\nk=a\0b\n"s, "[S]K=a\0b|"s},
        {"a UTF-8 byte order mark", "\xEF\xBB\xBF[s]\nk=v\n", "[S]K=v|"},
        {"only ASCII letters are upper-cased", "[\xC3\xA9]\n\xC3\xA4x=v\n", "[\xC3\xA9]\xC3\xA4X=v|"},
        {"white space trimmed", "\t[s]\f\n\vk=v \t\n", "[S]K=v|"},
        {"spaces inside brackets stay", "[ s ]\nk=v\n", "[ S ]K=v|"},
        {"a header and a key on one line", "[s]\n[A]=b]\n", "[S][A]=B]"},
    };
    TemporaryFolder folder;
    for (const ParseCase& c : cases) {
        auto file = newIniFile();
        ASSERT_EQ(openText(*file, folder, c.bytes), S_OK) << c.what;
        EXPECT_EQ(dump(*file), c.content) << c.what;
    }
}

TEST(IniFileOpen, AMebibyteValueReadsBack)
{
    TemporaryFolder folder;
    const std::string value(1 << 20, 'x');
    auto file = newIniFile();
    ASSERT_EQ(file->SetString("big", "value", value), S_OK);
    ASSERT_EQ(file->Save(folder.file("big.ini").string()), S_OK);
    auto reread = newIniFile();
    ASSERT_EQ(reread->Open(folder.file("big.ini").string()), S_OK);
    std::int32_t length = 0;
    reread->ValueLength("BIG", "VALUE", &length);
    EXPECT_EQ(length, 1 << 20);
    std::string back;
    reread->GetString("big", "value", "", &back);
    EXPECT_EQ(back, value);
}

TEST(IniFileOpen, FailuresLeaveTheObjectAsItWas)
{
    TemporaryFolder folder;
    chmod(folder.path().c_str(), 0777);
    const auto path = folder.file("good.ini");
    writeBytes(path, "[s]\nk=v\n");
    writeBytes(folder.file("utf16.ini"), "\xFF\xFE[\0s\0]\0");
    writeBytes(folder.file("utf16be.ini"), "\xFE\xFF\0[\0s\0]");
    writeBytes(folder.file("locked.ini"), "[s]\nk=v\n");
    chmod(folder.file("locked.ini").c_str(), 0);
    mkdir(folder.file("folder.ini").c_str(), 0777);
    mkfifo(folder.file("fifo.ini").c_str(), 0666);
    const struct {
        std::string name;
        std::uint32_t result;
    } cases[] = {
        {folder.file("missing.ini").string(), 0x80040F6A},
        {folder.file("no/such/folder.ini").string(), 0x80040F6A},
        {"", 0x80040F6A},
        {folder.file("folder.ini").string(), 0x80040F6B},
        {folder.file("fifo.ini").string(), 0x80040F6B},
        {folder.file("utf16.ini").string(), 0x80040F6B},
        {folder.file("utf16be.ini").string(), 0x80040F6B},
    };
    auto file = newIniFile();
    ASSERT_EQ(file->Open(path.string()), S_OK);
    file->SetLong("s", "n", 5);
    for (const auto& c : cases) {
        clearErrorInfo();
        EXPECT_EQ(static_cast<std::uint32_t>(file->Open(c.name)), c.result) << c.name;
        const auto info = takeErrorInfo();
        ASSERT_TRUE(info.has_value()) << c.name;
        EXPECT_EQ(info->description, c.result == 0x80040F6A ? "INI file not found." : "Error opening INI file.");
        EXPECT_EQ(dump(*file), "[S]K=v|N=5|") << "K in bucket 7, N in 10";
        bool dirty = false;
        std::string name;
        file->get_Dirty(&dirty);
        file->get_FileName(&name);
        EXPECT_TRUE(dirty);
        EXPECT_EQ(name, path.string());
    }
    EXPECT_TRUE(passesUnprivileged([&] {
        auto unprivileged = newIniFile();
        return unprivileged->Open(folder.file("locked.ini").string()) == errorResult(message::IniFileError);
    }));
}

TEST(IniFileSave, GoldenFiles)
{
    TemporaryFolder folder;
    auto saved = [&](IINIFile& file) {
        const auto path = folder.file("saved.ini");
        EXPECT_EQ(file.Save(path.string()), S_OK);
        return testsupport::fileText(path);
    };
    auto golden = [](const char* name) {
        return testsupport::fileText(std::filesystem::path(GOLDEN_FOLDER) / name);
    };

    auto file = newIniFile();
    file->SetLong("B", "Z", 1);
    file->SetLong("A", "Y", 2);
    file->SetLong("A", "X", 3);
    EXPECT_EQ(saved(*file), golden("sections_b_then_a.ini"));

    file = newIniFile();
    file->SetLong("A", "K", 1);
    file->SetLong("R", "K", 2);
    EXPECT_EQ(saved(*file), golden("sections_a_then_r.ini"));

    file = newIniFile();
    file->SetLong("\xC3\x89", "K", 1);
    file->SetLong("Main", "K", 2);
    EXPECT_EQ(saved(*file), golden("main_before_e_acute.ini"));

    file = newIniFile();
    file->put_LineBreakMarker("\\n");
    ASSERT_EQ(file->SetString("Notes", "Text", "line 1\r\nline 2"), S_OK);
    EXPECT_EQ(saved(*file), golden("line_break_marker.ini"));
    auto reread = newIniFile();
    reread->put_LineBreakMarker("\\n");
    ASSERT_EQ(reread->Open(folder.file("saved.ini").string()), S_OK);
    std::string text;
    reread->GetString("notes", "text", "", &text);
    EXPECT_EQ(text, "line 1\r\nline 2");

    file = newIniFile();
    ASSERT_EQ(openText(*file, folder, "[Empty]\n[Data]\nk=1\n"), S_OK);
    EXPECT_EQ(saved(*file), golden("empty_section.ini"));
    EXPECT_EQ(saved(*newIniFile()), "") << "nothing held, nothing written";
}

TEST(IniFileSave, FailuresLeaveFileAndObjectAsTheyWere)
{
    TemporaryFolder folder;
    chmod(folder.path().c_str(), 0777);
    const auto readOnly = folder.file("read-only.ini");
    writeBytes(readOnly, "[OLD]\r\nK=1\r\n");
    chmod(readOnly.c_str(), 0444);
    mkdir(folder.file("folder.ini").c_str(), 0777);
    mkfifo(folder.file("fifo.ini").c_str(), 0666);

    auto file = newIniFile();
    file->SetLong("new", "k", 2);
    EXPECT_EQ(file->Save(folder.file("fifo.ini").string()), errorResult(message::IniFileError)) << "without blocking";
    EXPECT_EQ(file->Save(folder.file("no/such/folder.ini").string()), errorResult(message::IniFileNotFound));
    EXPECT_EQ(file->Save(folder.file("folder.ini").string()), errorResult(message::IniFileError));
    bool dirty = false, isNew = false;
    file->get_Dirty(&dirty);
    file->get_IsNew(&isNew);
    EXPECT_TRUE(dirty && isNew);
    EXPECT_TRUE(passesUnprivileged([&] {
        auto unprivileged = newIniFile();
        unprivileged->SetLong("new", "k", 2);
        return unprivileged->Save(readOnly.string()) == errorResult(message::IniFileError);
    }));
    EXPECT_EQ(testsupport::fileText(readOnly), "[OLD]\r\nK=1\r\n");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 3u) << "no temporary file is left behind";
}

TEST(IniFileSave, ReplacesTheTargetKeepingItsPermissions)
{
    TemporaryFolder folder;
    const auto path = folder.file("kept.ini");
    writeBytes(path, "[OLD]\r\nK=1\r\n");
    chmod(path.c_str(), 0640);
    std::filesystem::create_symlink(path, folder.file("link.ini"));
    auto file = newIniFile();
    file->SetLong("new", "k", 2);
    ASSERT_EQ(file->Save(folder.file("link.ini").string()), S_OK);
    EXPECT_EQ(testsupport::fileText(path), "[NEW]\r\nK=2\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.ini")));
    struct stat status {};
    stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    bool dirty = true, isNew = true;
    std::string name;
    file->get_Dirty(&dirty);
    file->get_IsNew(&isNew);
    file->get_FileName(&name);
    EXPECT_FALSE(dirty || isNew);
    EXPECT_EQ(name, folder.file("link.ini").string());
}

TEST(IniFileNames, SetStoresNamesTheFileCanHold)
{
    auto file = newIniFile();
    const struct {
        std::string section, key, storedSection, storedKey;
    } cases[] = {
        {"s", "[x=y]", "S", "_X_Y]"},
        {"s", "  \t[k", "S", "_K"},
        {"s", "a=b=c", "S", "A_B_C"},
        {"s", "line\r\nbreak", "S", "LINE__BREAK"},
        {"two\nlines", "k", "TWO_LINES", "K"},
        {"s", "\xC3\xA9t\xC3\xA9", "S", "\xC3\xA9T\xC3\xA9"},
        {"s", "", "S", ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(file->SetString(c.section, c.key, "v"), S_OK);
        std::vector<std::string> keys;
        file->KeyNames(c.storedSection, &keys);
        EXPECT_NE(std::find(keys.begin(), keys.end(), c.storedKey), keys.end()) << c.key;
        bool exists = false;
        file->KeyExists(c.section, c.key, &exists);
        EXPECT_TRUE(exists) << "found as given: " << c.key;
        file->KeyExists(c.storedSection, c.storedKey, &exists);
        EXPECT_TRUE(exists) << "found as stored: " << c.key;
    }
}

TEST(IniFileValues, GetsReadTheStoredText)
{
    TemporaryFolder folder;
    auto file = newIniFile();
    ASSERT_EQ(openText(*file, folder,
                       "[v]\nlong=12abc\nbig=2147483648\nmin=-2147483648\nyes=yes\nseven= 7\nzero=000\n"
                       "real=-1.5e3x\nhalf=.5\nfive=5.e\nnoexp=-.5e+x\nhuge=1e999\ntiny=1e-999\nmoney=-1234.5\nmoney2=12.34565\nbadmoney=12,5\n"
                       "date=2024-02-29 13:45:30\nday=1899-12-29\nbaddate=2023-02-29\n"),
              S_OK);
    std::int32_t number = 0;
    file->GetLong("v", "long", -1, &number);
    EXPECT_EQ(number, 12);
    file->GetLong("v", "big", -1, &number);
    EXPECT_EQ(number, -1) << "beyond 32 bits gives Default";
    file->GetLong("v", "min", -1, &number);
    EXPECT_EQ(number, -2147483647 - 1);
    file->GetLong("v", "yes", -1, &number);
    EXPECT_EQ(number, 0);
    file->GetLong("v", "missing", 9, &number);
    EXPECT_EQ(number, 9);

    bool flag = true;
    file->GetBoolean("v", "yes", true, &flag);
    EXPECT_FALSE(flag);
    file->GetBoolean("v", "seven", false, &flag);
    EXPECT_TRUE(flag);
    file->GetBoolean("v", "zero", true, &flag);
    EXPECT_FALSE(flag);
    file->GetBoolean("v", "big", false, &flag);
    EXPECT_TRUE(flag);
    file->GetBoolean("v", "missing", true, &flag);
    EXPECT_TRUE(flag);

    double real = 0;
    file->GetDouble("v", "real", 0, &real);
    EXPECT_EQ(real, -1500);
    file->GetDouble("v", "half", 0, &real);
    EXPECT_EQ(real, 0.5);
    file->GetDouble("v", "five", 0, &real);
    EXPECT_EQ(real, 5) << "an e without digits is no exponent";
    file->GetDouble("v", "noexp", 0, &real);
    EXPECT_EQ(real, -0.5);
    file->GetDouble("v", "yes", 4, &real);
    EXPECT_EQ(real, 0) << "no number at all is 0";
    file->GetDouble("v", "huge", 4, &real);
    EXPECT_EQ(real, 4) << "beyond the double range gives Default";
    file->GetDouble("v", "tiny", 4, &real);
    EXPECT_EQ(real, 0);

    std::int64_t money = 0;
    file->GetCurrency("v", "money", 1, &money);
    EXPECT_EQ(money, -12345000);
    file->GetCurrency("v", "money2", 1, &money);
    EXPECT_EQ(money, 123456) << "12.34565 rounds half to even";
    file->GetCurrency("v", "badmoney", 1, &money);
    EXPECT_EQ(money, 1);

    // 2024-02-29 is day 45351 (45292 for 2024-01-01, plus 31 + 28); 13:45:30 is 49530 s.
    double date = 0;
    file->GetDate("v", "date", 0, &date);
    EXPECT_DOUBLE_EQ(date, 45351 + 49530.0 / 86400);
    file->GetDate("v", "day", 0, &date);
    EXPECT_EQ(date, -1);
    file->GetDate("v", "baddate", 7, &date);
    EXPECT_EQ(date, 7);
}

TEST(IniFileValues, SetsWriteTextsThatReadBack)
{
    auto file = newIniFile();
    file->SetBoolean("v", "true", true);
    file->SetBoolean("v", "false", false);
    file->SetLong("v", "long", -2147483647 - 1);
    file->SetDouble("v", "third", 1.0 / 3);
    file->SetDouble("v", "big", 1e300);
    file->SetCurrency("v", "money", -12345000);
    file->SetCurrency("v", "whole", 70000);
    file->SetCurrency("v", "least", INT64_MIN);
    file->SetDate("v", "noon", 45351.5);
    file->SetDate("v", "midnight", 45351);
    file->SetDate("v", "before", -1.25);
    const struct {
        const char* key;
        const char* text;
    } cases[] = {
        {"true", "1"},
        {"false", "0"},
        {"long", "-2147483648"},
        {"third", "0.3333333333333333"},
        {"big", "1e+300"},
        {"money", "-1234.5"},
        {"whole", "7"},
        {"least", "-922337203685477.5808"},
        {"noon", "2024-02-29 12:00:00"},
        {"midnight", "2024-02-29"},
        {"before", "1899-12-29 06:00:00"},
    };
    for (const auto& c : cases) {
        std::string text;
        file->GetString("v", c.key, "", &text);
        EXPECT_EQ(text, c.text) << c.key;
    }
    double real = 0;
    file->GetDouble("v", "third", 0, &real);
    EXPECT_EQ(real, 1.0 / 3);
    std::int64_t money = 0;
    file->GetCurrency("v", "least", 0, &money);
    EXPECT_EQ(money, INT64_MIN);
    double date = 0;
    file->GetDate("v", "before", 0, &date);
    EXPECT_EQ(date, -1.25);

    for (double refused : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_EQ(file->SetDouble("v", "bad", refused), E_INVALIDARG);
    // 0100-01-01 is day -657434, 9999-12-31 day 2958465.
    EXPECT_EQ(file->SetDate("v", "bad", -657435), E_INVALIDARG);
    EXPECT_EQ(file->SetDate("v", "bad", 2958466), E_INVALIDARG);
    EXPECT_EQ(file->SetDate("v", "first", -657434), S_OK);
    EXPECT_EQ(file->SetDate("v", "last", 2958465.5), S_OK);
    std::string text;
    file->GetString("v", "first", "", &text);
    EXPECT_EQ(text, "0100-01-01");
    file->GetString("v", "last", "", &text);
    EXPECT_EQ(text, "9999-12-31 12:00:00");
    bool exists = true;
    file->KeyExists("v", "bad", &exists);
    EXPECT_FALSE(exists);
}

TEST(IniFileValues, LineBreaksNeedAMarkerThatCannotBeMistaken)
{
    auto file = newIniFile();
    EXPECT_EQ(file->SetString("s", "k", "two\r\nlines"), E_INVALIDARG);
    EXPECT_EQ(file->SetString("s", "k", "lone\rCR"), E_INVALIDARG);
    EXPECT_EQ(file->SetString("s", "k", "trailing \t\r\n"), S_OK);
    std::string text;
    file->GetString("s", "k", "", &text);
    EXPECT_EQ(text, "trailing");

    EXPECT_EQ(file->put_LineBreakMarker("a\nb"), E_INVALIDARG);
    ASSERT_EQ(file->put_LineBreakMarker("||"), S_OK);
    EXPECT_EQ(file->SetString("s", "k", "a||b"), E_INVALIDARG) << "the marker inside the value";
    EXPECT_EQ(file->SetString("s", "k", "a|\nb"), E_INVALIDARG) << "a marker formed across the break";
    ASSERT_EQ(file->SetString("s", "k", "one\ntwo\r\nthree"), S_OK);
    std::int32_t length = 0;
    file->ValueLength("s", "k", &length);
    EXPECT_EQ(length, 15) << "one||two||three";
    file->GetString("s", "k", "", &text);
    EXPECT_EQ(text, "one\r\ntwo\r\nthree");
    file->GetString("s", "missing", "x||y", &text);
    EXPECT_EQ(text, "x\r\ny") << "the marker applies to Default too";

    std::int32_t missing = 0;
    file->ValueLength("s", "missing", &missing);
    EXPECT_EQ(missing, -1);
}

TEST(IniFileState, FlagsFollowTheContent)
{
    TemporaryFolder folder;
    auto file = newIniFile();
    auto flags = [&] {
        bool dirty = false, isNew = false;
        file->get_Dirty(&dirty);
        file->get_IsNew(&isNew);
        return std::pair(dirty, isNew);
    };
    EXPECT_EQ(flags(), std::pair(false, true));
    file->SetBoolean("s", "k", true);
    file->Clear();
    EXPECT_EQ(flags(), std::pair(true, true)) << "Clear keeps Dirty";
    ASSERT_EQ(openText(*file, folder, "[s]\nk=v\n"), S_OK);
    EXPECT_EQ(flags(), std::pair(false, false));
    file->DeleteKey("s", "missing");
    file->DeleteSection("missing");
    EXPECT_EQ(flags(), std::pair(false, false)) << "deleting nothing changes nothing";
    file->DeleteKey("S", "K");
    EXPECT_EQ(flags(), std::pair(true, false));
    bool exists = true;
    file->SectionExists("s", &exists);
    EXPECT_TRUE(exists) << "a section outlives its last key";
    file->Save(folder.file("saved.ini").string());
    file->DeleteSection("s");
    EXPECT_EQ(flags(), std::pair(true, false));
    file->SectionExists("s", &exists);
    EXPECT_FALSE(exists);
    std::vector<std::string> names{"x"};
    file->KeyNames("s", &names);
    EXPECT_TRUE(names.empty());
    file->Clear();
    std::string name = "x";
    file->get_FileName(&name);
    EXPECT_EQ(name, "");
}
