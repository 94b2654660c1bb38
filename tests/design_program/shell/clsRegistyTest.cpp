#include "shell/clsRegisty.h"

#include "RecordingRunLog.h"
#include "support/TemporaryFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace cindrel::shell;
using namespace registry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr const char* Base = "Software\\Tesmark\\Cindrel\\";

class RecordingHost : public SettingsHost {
public:
    bool activeDesignIsDefault() const override { return designIsDefault; }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    void openDesignFile(const std::string& path) override { opened.push_back(path); }
    void showRecentFiles(const std::vector<std::string>& captions) override { menu = captions; }

    bool designIsDefault = true;
    std::vector<std::string> messages;
    std::vector<std::string> opened;
    std::vector<std::string> menu;
};

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : store(std::make_unique<Store>(folder.file("registry.sqlite3"))) { open(); }

    void open()
    {
        settings = std::make_unique<clsRegisty>(log, *store, "/opt/cindrel/outputs/");
        settings->setHost(&host);
    }
    void reopen()
    {
        settings.reset();
        open();
    }

    std::optional<Value> stored(std::string_view subKey, std::string_view name)
    {
        Handle key = 0;
        if (store->openKey(root::CurrentUser, std::string(Base) + std::string(subKey), access::Read, key) !=
            status::Success)
            return std::nullopt;
        Value value;
        const Status read = store->queryValue(key, name, value);
        store->closeKey(key);
        if (read != status::Success)
            return std::nullopt;
        return value;
    }
    std::vector<std::string> storedNames(std::string_view subKey)
    {
        std::vector<std::string> names;
        Handle key = 0;
        if (store->openKey(root::CurrentUser, std::string(Base) + std::string(subKey), access::Read, key) !=
            status::Success)
            return names;
        std::string name;
        Value value;
        for (std::uint32_t i = 0; store->enumValue(key, i, name, value) == status::Success; ++i)
            names.push_back(name);
        store->closeKey(key);
        return names;
    }
    void addFiles(std::initializer_list<const char*> paths)
    {
        for (const char* path : paths)
            settings->RUF_AddFile2Coll(path);
    }

    TemporaryFolder folder;
    RecordingRunLog log;
    RecordingHost host;
    std::unique_ptr<Store> store;
    std::unique_ptr<clsRegisty> settings;
};

TEST_F(SettingsTest, FirstRunGivesEveryDefaultAndCreatesTheKeys)
{
    EXPECT_TRUE(settings->AutoUpdate());
    EXPECT_FALSE(settings->UpDatePinListEveryTime());
    EXPECT_EQ(settings->DecimalPrecision2(0), "#,##0.000");
    EXPECT_EQ(settings->FileVersionCheck(), 0);
    EXPECT_TRUE(settings->ShowMensButts());
    EXPECT_EQ(settings->DiamRad(), 1);
    EXPECT_EQ(settings->Graphfontsize(), 10);
    EXPECT_FALSE(settings->CreateCSV());
    EXPECT_EQ(settings->SubSurfaceLongPrint(), 0);
    EXPECT_TRUE(settings->ShowEquation());
    EXPECT_EQ(settings->ScrnOutFontName(), "Arial");
    EXPECT_EQ(settings->ScrnOutFontSize(), 10);
    EXPECT_EQ(settings->UserFilesLocation(), "/opt/cindrel/outputs/");
    EXPECT_EQ(settings->RecentFileNumberOf(), 5);
    EXPECT_FALSE(settings->ShowErrors());
    EXPECT_EQ(settings->UserInfo("CompanyName"), "");
    EXPECT_THAT(settings->RecentFiles(), IsEmpty());
    Handle key = 0;
    EXPECT_EQ(store->openKey(root::CurrentUser, std::string(Base) + "Files\\RecentFiles", access::Read, key),
              status::Success);
    store->closeKey(key);
    EXPECT_EQ(log.notes.at(0), "Loading API access registry Class T_RegistryIO");
    EXPECT_EQ(log.notes.at(1), Base);
}

TEST_F(SettingsTest, NumberFormats)
{
    const std::pair<int, const char*> cases[] = {
        {1, "#,##0.0"}, {2, "#,##0.00"}, {3, "#,##0.000"}, {4, "#,##0.0000"}, {5, "#,##0.00000"},
        {6, "#0.0"},    {7, "#0.00"},    {8, "#0.000"},    {9, "#0.0000"},    {10, "#0.00000"},
        {11, "#,##0.000"}, {-1, "#,##0.000"}};
    for (const auto& [index, pattern] : cases)
        EXPECT_EQ(settings->DecimalPrecision2(index), pattern) << index;
    settings->DecimalPrecision("7");
    EXPECT_EQ(settings->DecimalPrecision2(0), "#0.00");
    settings->DecimalPrecision("0");
    EXPECT_EQ(settings->DecimalPrecision2(0), "#,##0.000") << "0: no choice made";
}

TEST_F(SettingsTest, SettersLimitOrIgnoreWhatIsOutOfRange)
{
    const std::pair<int, int> fontSizes[] = {{20, 14}, {3, 8}, {13, 12}, {9, 8}, {11, 12}, {10, 10}};
    for (const auto& [set, kept] : fontSizes) {
        settings->Graphfontsize(set);
        EXPECT_EQ(settings->Graphfontsize(), kept) << set;
    }
    settings->ScrnOutFontSize(2);
    EXPECT_EQ(stored("Preferences", "ScrnOutFontSize")->asText().value_or("?"), "4");
    settings->ScrnOutFontSize(30);
    EXPECT_EQ(stored("Preferences", "ScrnOutFontSize")->asText().value_or("?"), "16");
    settings->ScrnOutFontSize(12.5);
    EXPECT_EQ(settings->ScrnOutFontSize(), 12) << "read back rounded, halves to even";

    settings->FileVersionCheck(1);
    settings->FileVersionCheck(2);
    EXPECT_EQ(settings->FileVersionCheck(), 1);
    settings->DiamRad(2);
    settings->DiamRad(0);
    EXPECT_EQ(settings->DiamRad(), 2);
}

TEST_F(SettingsTest, TrueFalseSettingsAreStoredAsTextsAndReadBack)
{
    settings->AutoUpdate(false);
    settings->ShowErrors(true);
    EXPECT_EQ(stored("Preferences", "AutoUpdate")->asText().value_or("?"), "False");
    EXPECT_EQ(stored("Preferences", "ShowErrors")->asText().value_or("?"), "True");
    EXPECT_FALSE(settings->AutoUpdate());
    EXPECT_TRUE(settings->ShowErrors());
}

TEST_F(SettingsTest, CsvReportsWaitUntilTheDesignIsSavedAndWarnOnce)
{
    settings->CreateCSV(true);
    EXPECT_FALSE(settings->CreateCSV());
    EXPECT_FALSE(settings->CreateCSV());
    EXPECT_THAT(host.messages, ElementsAre("Won't print variables to *.CSV files until you save the run"));
    host.designIsDefault = false;
    EXPECT_TRUE(settings->CreateCSV());
    reopen();
    host.designIsDefault = false;
    EXPECT_TRUE(settings->CreateCSV()) << "the switch is read at creation";
    settings->CreateCSV(false);
    EXPECT_FALSE(settings->CreateCSV());
}

TEST_F(SettingsTest, WindowPositions)
{
    const WindowPlacement designed{0, 0, 4800, 3600, 0};
    EXPECT_EQ(settings->GetWindowPosition("frmMisc", designed), (WindowPlacement{100, 100, 4800, 3600, 0}));

    settings->SaveWindowPosition("frmMisc", {1200.5, 300, 5000.4, 4500, 0});
    settings->SaveWindowPosition("frmMisc", {-32000, -32000, 2000, 500, 1});
    EXPECT_EQ(settings->GetWindowPosition("frmMisc", designed), (WindowPlacement{1200, 300, 5000, 4500, 1}))
        << "a minimised window keeps the place of its last normal save";
}

TEST_F(SettingsTest, AddingRecentFiles)
{
    addFiles({"/d/a.cnd", "/d/b.cnd", "/d/c.cnd"});
    EXPECT_THAT(settings->RecentFiles(), ElementsAre("/d/c.cnd", "/d/b.cnd", "/d/a.cnd"));
    settings->RUF_AddFile2Coll("/d/a.cnd");
    EXPECT_THAT(settings->RecentFiles(), ElementsAre("/d/a.cnd", "/d/c.cnd", "/d/b.cnd")) << "moved to the top";
    settings->RUF_AddFile2Coll("/d/A.cnd");
    EXPECT_EQ(settings->RecentFiles().size(), 4u) << "letter case counts";
    addFiles({"/d/e.cnd", "/d/f.cnd"});
    EXPECT_THAT(settings->RecentFiles(), ElementsAre("/d/f.cnd", "/d/e.cnd", "/d/A.cnd", "/d/a.cnd", "/d/c.cnd"))
        << "a full list of five drops its last entry";
    EXPECT_THAT(host.menu, ElementsAre("1;   f.cnd", "2;   e.cnd", "3;   A.cnd", "4;   a.cnd", "5;   c.cnd"));
    EXPECT_THAT(storedNames("Files\\RecentFiles"), ElementsAre("File1", "File2", "File3", "File4", "File5"));

    reopen();
    EXPECT_THAT(settings->RecentFiles(), ElementsAre("/d/f.cnd", "/d/e.cnd", "/d/A.cnd", "/d/a.cnd", "/d/c.cnd"));
}

TEST_F(SettingsTest, ALoweredLengthTrimsOnlyWhatIsWritten)
{
    addFiles({"/d/1.cnd", "/d/2.cnd", "/d/3.cnd", "/d/4.cnd", "/d/5.cnd"});
    settings->RecentFileNumberOf(3);
    settings->RUF_AddFile2Coll("/d/6.cnd");
    EXPECT_EQ(settings->RecentFiles().size(), 6u);
    EXPECT_EQ(host.menu.size(), 6u);
    EXPECT_THAT(storedNames("Files\\RecentFiles"), ElementsAre("File1", "File2", "File3"));

    settings->RecentFileNumberOf(0);
    settings->RUF_AddFile2Coll("/d/7.cnd");
    EXPECT_EQ(settings->RecentFiles().size(), 7u);
    EXPECT_THAT(storedNames("Files\\RecentFiles"), IsEmpty());
}

TEST_F(SettingsTest, LongPathsAreKeptWhole)
{
    const std::string path = "/designs/" + std::string(600, 'x') + "/pair one.cnd";
    settings->RUF_AddFile2Coll(path);
    host.menu.clear();
    reopen();
    EXPECT_THAT(settings->RecentFiles(), ElementsAre(path));
    EXPECT_THAT(host.menu, IsEmpty()) << "the menu is rebuilt by the design-file object, not at creation";
    settings->RUF_2Menu();
    EXPECT_THAT(host.menu, ElementsAre("1;   pair one.cnd"));
}

TEST_F(SettingsTest, MenuClickOpensThatEntryAndDeletingLeavesTheRegistryUntilRelease)
{
    addFiles({"/d/a.cnd", "/d/b.cnd"});
    settings->RUF_MenuClick(2);
    EXPECT_THAT(host.opened, ElementsAre("/d/a.cnd"));
    settings->DeleteRUF_Entry("/d/b.cnd");
    EXPECT_THAT(storedNames("Files\\RecentFiles"), ElementsAre("File1", "File2"));
    reopen();
    EXPECT_THAT(settings->RecentFiles(), ElementsAre("/d/a.cnd")) << "written back at release";
}

TEST_F(SettingsTest, ATooLongListLengthIsReportedNotThrown)
{
    settings->RecentFileNumberOf(70000);
    settings->RUF_2Registry();
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0].module, "clsRegistry");
    EXPECT_EQ(log.errors[0].routine, "RUF_2Registry");
    EXPECT_EQ(log.errors[0].errorNumber, "6");
    settings->RecentFileNumberOf(5);
}

} // namespace
