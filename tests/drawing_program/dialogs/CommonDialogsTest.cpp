#include "dialogs/mAPI_misc.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "drawing_program/DrawingFakes.h"

#include <gtest/gtest.h>

using namespace vantropetest;
using vantrope::mAPI_misc;

namespace {

struct Dialogs : ::testing::Test {
    MemoryStore store;
    RecordingReporter log;
    std::string dialogFileName;
    mAPI_misc misc{store, "Vantrope", dialogFileName, "/opt/vantrope/", log};
    dialogs::ScriptedDialogProvider provider;
    dialogs::ScopedDialogProvider scoped{provider};

    std::string stored(int key) { return store.values[{"Vantrope", "CustomColors", std::to_string(key)}]; }
    void store_(int key, std::string value) { store.values[{"Vantrope", "CustomColors", std::to_string(key)}] = value; }
};

TEST_F(Dialogs, FirstColourChoiceStoresSixteenWhiteCustomColours)
{
    provider.answerColor(QColor(10, 20, 30));
    EXPECT_EQ(misc.ShowColor(nullptr, 0x123456), 10 + (20 << 8) + (30 << 16));
    const auto asked = provider.requestsOf<dialogs::ColorDialogRequest>().at(0);
    EXPECT_FALSE(asked.initial.isValid());
    for (const QColor& c : asked.customColors)
        EXPECT_EQ(c, QColor(255, 255, 255));
    ASSERT_EQ(store.values.size(), 64u);
    for (int key = 0; key < 64; ++key)
        EXPECT_EQ(stored(key), "255");
}

TEST_F(Dialogs, CustomColourEditedThenCancelledIsKeptForTheNextCall)
{
    dialogs::CustomColors edited;
    edited.fill(QColor(255, 255, 255));
    edited[2] = QColor(1, 2, 3);
    provider.cancelColor(edited);
    EXPECT_EQ(misc.ShowColor(nullptr, 0x00FF00), 0x00FF00);
    // Colour 2 is bytes 8 to 11: red, green, blue, and the fourth byte.
    EXPECT_EQ(stored(8), "1");
    EXPECT_EQ(stored(9), "2");
    EXPECT_EQ(stored(10), "3");
    EXPECT_EQ(stored(11), "0");
    EXPECT_EQ(stored(7), "255");

    // A new run reads them back from the store.
    mAPI_misc nextRun{store, "Vantrope", dialogFileName, "/opt/vantrope/", log};
    provider.cancelColor();
    nextRun.ShowColor(nullptr, 7);
    EXPECT_EQ(provider.requestsOf<dialogs::ColorDialogRequest>().at(1).customColors[2], QColor(1, 2, 3));
    EXPECT_EQ(stored(11), "0");
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(Dialogs, GarbledStoredByteGivesTheDefaultAndIsLogged)
{
    const std::pair<const char*, bool> texts[] = {{"0", true},  {" 17 ", true}, {"255", true}, {"256", false},
                                                  {"-1", false}, {"abc", false}, {"12.5", false}, {"", false},
                                                  {"3x", false}};
    for (const auto& [text, good] : texts) {
        log.reports.clear();
        store_(0, text);
        const auto bytes = misc.readCustomColors();
        EXPECT_EQ(bytes[0], good ? std::stoi(text) : 255) << text;
        EXPECT_EQ(log.reports.size(), good ? 0u : 1u) << text;
        EXPECT_EQ(bytes[1], 255);
    }
    EXPECT_EQ(log.reports.at(0).module, "mAPI_misc");
}

TEST_F(Dialogs, FileDialogsSetUpFromTheHandedOverName)
{
    struct Case {
        std::string handed, filter, expectFilter, folder;
    };
    const Case cases[] = {
        {"", "", "Text files|*.txt|All files|*.*", "/opt/vantrope/"},
        {"/d/pair.ext", "Vantrope File, *.VPX|*.VPX", "Vantrope File, *.VPX|*.VPX", "/d/"},
        {"pair.ext", "", "Text files|*.txt|All files|*.*", ""},
    };
    for (const Case& c : cases) {
        dialogFileName = c.handed;
        std::string filter = c.filter;
        const dialogs::FileDialogRequest r = misc.FileDialog(nullptr, filter);
        EXPECT_EQ(filter, c.expectFilter);
        EXPECT_EQ(r.filter.toStdString(), c.expectFilter);
        EXPECT_EQ(r.fileName.toStdString(), c.handed);
        EXPECT_EQ(r.initialFolder.toStdString(), c.folder) << c.handed;
        EXPECT_EQ(r.flags, 0);
        EXPECT_TRUE(r.defaultExtension.isEmpty());
        EXPECT_TRUE(r.title.isEmpty());
    }
}

TEST_F(Dialogs, OpenAndSaveReturnTheNameOrEmptyOnCancel)
{
    provider.answerFile("/home/u/out/pair");
    EXPECT_EQ(misc.ShowSaveDialog(nullptr, "DXF Vector File|*.dxf"), "/home/u/out/pair.dxf")
        << "a name typed bare gets the file type's extension";
    provider.cancelFile();
    EXPECT_EQ(misc.ShowOpenDialog(nullptr, ""), "");
    provider.answerFile("/home/u/in.VPX");
    EXPECT_EQ(misc.ShowOpenDialog(nullptr, "Vantrope File, *.VPX|*.VPX"), "/home/u/in.VPX");
    const auto asked = provider.requestsOf<dialogs::FileDialogRequest>();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].mode, dialogs::FileDialogMode::Save);
    EXPECT_EQ(asked[1].mode, dialogs::FileDialogMode::Open);
    EXPECT_EQ(asked[1].filter, "Text files|*.txt|All files|*.*");
    EXPECT_EQ(provider.unusedAnswers(), 0u);
}

} // namespace
