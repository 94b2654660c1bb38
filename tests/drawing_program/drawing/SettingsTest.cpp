#include "drawing/clsSettings.h"
#include "drawing_program/DrawingFakes.h"
#include "registry/Store.h"

#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

using vantrope::clsSettings;
using vantrope::PenTable;
using vantrope::RunState;
using vantropetest::MemoryStore;
using vantropetest::RecordingReporter;

namespace {

struct Settings : ::testing::Test {
    bool logged = false;
    vantrope::TraceLog trace{logged};
    RunState run;
    PenTable pens;
    RecordingReporter log;
    MemoryStore store;

    std::unique_ptr<clsSettings> make(vantrope::SettingsStore& from)
    {
        return std::make_unique<clsSettings>(from, "Vantrope", run, trace, pens, log);
    }
    std::unique_ptr<clsSettings> make() { return make(store); }
    void put(const std::string& key, const std::string& value)
    {
        store.values[{"Vantrope", "DrawingOptions", key}] = value;
    }
    std::string stored(const std::string& key) { return store.values.at({"Vantrope", "DrawingOptions", key}); }
};

int rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

TEST_F(Settings, EmptyStoreGivesTheDefaults)
{
    run.IncrementsInvolute = 99;
    auto settings = make();
    struct Row {
        int number;
        const char* name;
        int color, lineType, width;
    };
    const Row table[] = {
        {1, "PinionTool", rgb(113, 46, 44), 0, 1},   {2, "Pinion", rgb(0, 128, 0), 0, 1},
        {3, "Gear", rgb(0, 0, 255), 0, 1},           {4, "GearTool", rgb(128, 0, 128), 0, 1},
        {5, "Background", rgb(255, 255, 255), 0, 0}, {6, "Base radius", rgb(0, 0, 128), 1, 1},
        {7, "Tangent radius", rgb(200, 0, 0), 2, 1}, {8, "Pitch radius", rgb(180, 180, 180), 2, 1},
        {9, "Tip radius", rgb(242, 242, 0), 2, 1},   {10, "Placeholder radius", 0, 0, 1},
        {11, "Line of Action", rgb(0, 200, 200), 0, 1}, {12, "Line of Action Dots", rgb(255, 0, 0), 0, 1},
        {13, "LOA Descriptive Text", 0, 0, 1},       {14, "Moving LOA Dot", rgb(222, 0, 0), 0, 2},
        {15, "Hertz#", 0, 0, 1},
    };
    for (const Row& row : table) {
        const vantrope::clsDrawOpts& option = settings->Element(row.number);
        EXPECT_EQ(option.Name, row.name);
        EXPECT_EQ(option.EnumbString, std::to_string(row.number).insert(0, 1, 'a'));
        EXPECT_EQ(option.Color, row.color) << row.name;
        EXPECT_EQ(option.LineType, row.lineType) << row.name;
        EXPECT_EQ(option.Thickness, row.width) << row.name;
        EXPECT_TRUE(option.DrawThis);
        EXPECT_EQ(*pens.find(option.Handle), (vantrope::Pen{row.lineType, row.width, row.color})) << row.name;
    }
    EXPECT_EQ(settings->GearSizer, 1.0);
    EXPECT_EQ(settings->GearSizerOPT, 0);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(settings->NumbTeeth(i), 36);
    EXPECT_EQ(run.IncrementsInvolute, 10);
    EXPECT_EQ(run.IncrementsEdge, 5);
    EXPECT_EQ(run.IncrementsRoot, 7);
    EXPECT_FALSE(settings->noMessages);
    EXPECT_TRUE(settings->SaveOnLoseFocus);
    EXPECT_TRUE(settings->PrintBlackOnWhite);
    EXPECT_TRUE(settings->FixFormRatio);
    EXPECT_FALSE(settings->booStopPanZoom);
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(Settings, PresentKeysAreUsedMissingOnesDefault)
{
    put("Gear Color", "65280");
    put("Gear DrawThis", "False");
    put("Base radius LineType", "3");
    put("GearSizer", "0.25");
    put("NumbTeeth(2)", "12");
    put("IncrementsRoot", "20");
    put("NoMessages", "-1");
    put("FixFormRatio", "0");
    auto settings = make();
    EXPECT_EQ(settings->Element(3).Color, 65280);
    EXPECT_FALSE(settings->Element(3).DrawThis);
    EXPECT_EQ(settings->Element(3).LineType, 0);
    EXPECT_EQ(settings->Element(6).LineType, 3);
    EXPECT_EQ(*pens.find(settings->Element(6).Handle), (vantrope::Pen{3, 1, rgb(0, 0, 128)}));
    EXPECT_EQ(settings->GearSizer, 0.25);
    EXPECT_EQ(settings->NumbTeeth(2), 12);
    EXPECT_EQ(settings->NumbTeeth(3), 36);
    EXPECT_EQ(run.IncrementsRoot, 20);
    EXPECT_EQ(run.IncrementsEdge, 5);
    EXPECT_TRUE(settings->noMessages);
    EXPECT_FALSE(settings->FixFormRatio);
    EXPECT_TRUE(settings->PrintBlackOnWhite);
}

TEST_F(Settings, GarbledValuesAreLoggedAndTakeTheirDefault)
{
    const std::pair<const char*, const char*> garbled[] = {
        {"GearSizer", "letters"},     {"GearSizer", "-2"},          {"Pinion Color", "1e20"},
        {"NumbTeeth(1)", "99999"},    {"IncrementsInvolute", "1"},  {"IncrementsEdge", "-5"},
        {"PrintBlackOnWhite", "yes"}, {"Hertz# Thickness", ""},
    };
    for (const auto& [key, value] : garbled) {
        store.values.clear();
        log.reports.clear();
        put(key, value);
        auto settings = make();
        ASSERT_EQ(log.reports.size(), 1u) << key << " = " << value;
        EXPECT_EQ(log.reports[0].module, "clsSettings");
        EXPECT_EQ(log.reports[0].routine, "LoadSaveSettings");
        EXPECT_EQ(log.reports[0].extra, key);
        EXPECT_EQ(settings->GearSizer, 1.0);
        EXPECT_EQ(settings->Element(2).Color, rgb(0, 128, 0));
        EXPECT_EQ(settings->NumbTeeth(1), 36);
        EXPECT_EQ(run.IncrementsInvolute, 10);
        EXPECT_EQ(run.IncrementsEdge, 5);
        EXPECT_TRUE(settings->PrintBlackOnWhite);
        EXPECT_EQ(settings->Element(15).Thickness, 1);
    }
}

TEST_F(Settings, RoundTripThroughTheRegistryStore)
{
    TemporaryFolder folder;
    registry::Store database(folder.file("registry.sqlite3"), [](std::string_view) {});
    vantrope::RegistrySettingsStore registryStore(database);
    {
        auto settings = make(registryStore);
        settings->Element(4).Color = 0x010203;
        settings->Element(4).DrawThis = false;
        settings->Element(9).Thickness = 3;
        settings->GearSizer = 25.4 / 7.0;
        settings->GearSizerOPT = 1;
        settings->setNumbTeeth(4, 9);
        settings->noMessages = true;
        settings->SaveOnLoseFocus = false;
        run.IncrementsInvolute = 40;
    }
    EXPECT_EQ(registryStore.GetSetting("Vantrope", "DrawingOptions", "GearTool DrawThis", "?"), "False");
    EXPECT_EQ(registryStore.GetSetting("Vantrope", "DrawingOptions", "NoMessages", "?"), "True");
    EXPECT_EQ(registryStore.GetSetting("Vantrope", "DrawingOptions", "GearSizer", "?"), "3.62857142857143");
    run = RunState{};
    auto settings = make(registryStore);
    EXPECT_EQ(settings->Element(4).Color, 0x010203);
    EXPECT_FALSE(settings->Element(4).DrawThis);
    EXPECT_EQ(settings->Element(9).Thickness, 3);
    EXPECT_NEAR(settings->GearSizer, 25.4 / 7.0, 1e-13);
    EXPECT_EQ(settings->GearSizerOPT, 1);
    EXPECT_EQ(settings->NumbTeeth(4), 9);
    EXPECT_TRUE(settings->noMessages);
    EXPECT_FALSE(settings->SaveOnLoseFocus);
    EXPECT_EQ(run.IncrementsInvolute, 40);
    EXPECT_TRUE(log.reports.empty());
    // Another application name starts from the defaults.
    vantrope::RegistrySettingsStore same(database);
    EXPECT_EQ(same.GetSetting("Vantrope2", "DrawingOptions", "GearSizer", "1"), "1");
}

TEST_F(Settings, ANonTextRegistryValueReadsAsMissing)
{
    TemporaryFolder folder;
    registry::Store database(folder.file("registry.sqlite3"), [](std::string_view) {});
    registry::Handle key = 0;
    ASSERT_EQ(database.createKey(registry::root::CurrentUser, "Software\\Tesmark\\Vantrope\\DrawingOptions",
                                 registry::access::All, key),
              0);
    ASSERT_EQ(database.setValue(key, "GearSizer", registry::Value::number32(5)), 0);
    vantrope::RegistrySettingsStore registryStore(database);
    EXPECT_EQ(registryStore.GetSetting("Vantrope", "DrawingOptions", "GearSizer", "1"), "1");
}

TEST_F(Settings, BlackOnWhiteAndBack)
{
    auto settings = make();
    settings->BlackOnWhite();
    for (int n = 1; n <= 15; ++n) {
        int expected = n == 5 ? rgb(255, 255, 255) : 0;
        EXPECT_EQ(settings->Element(n).Color, expected) << n;
        EXPECT_EQ(pens.find(settings->Element(n).Handle)->color, expected) << n;
    }
    settings->ResetColors2Previous();
    EXPECT_EQ(settings->Element(3).Color, rgb(0, 0, 255));
    EXPECT_EQ(settings->Element(5).Color, rgb(255, 255, 255));
    EXPECT_EQ(pens.find(settings->Element(3).Handle)->color, rgb(0, 0, 255));
    // A second reset swaps back to black: the colours before the first call.
    settings->ResetColors2Previous();
    EXPECT_EQ(settings->Element(3).Color, 0);
    EXPECT_EQ(pens.liveCount(), 15u);
}

TEST_F(Settings, WorkingCopyChangesNothingUntilReplaced)
{
    auto settings = make();
    vantrope::clsDrawOpts& live = settings->Element(12);
    EXPECT_EQ(live.Name, "Line of Action Dots");
    vantrope::OptionCollection copy = settings->CollectionOfOptions();
    EXPECT_EQ(copy.size(), 15u);
    EXPECT_EQ(copy.item("a12").Handle, 0);
    EXPECT_EQ(copy.item("a12").Name, "Line of Action Dots");
    copy.item("a12").Color = 77;
    copy.item("a12").Thickness = 4;
    EXPECT_EQ(live.Color, rgb(255, 0, 0));
    settings->ReplaceOptions(copy);
    EXPECT_EQ(&settings->Element(12), &live);
    EXPECT_EQ(live.Color, 77);
    EXPECT_EQ(*pens.find(live.Handle), (vantrope::Pen{0, 4, 77}));
    EXPECT_EQ(pens.liveCount(), 15u);
}

TEST_F(Settings, LookupsOutsideTheTablesAreSubscriptErrors)
{
    auto settings = make();
    EXPECT_EQ(testsupport::errorNumberOf([&] { settings->Element(0); }), 9);
    EXPECT_EQ(testsupport::errorNumberOf([&] { settings->Element(16); }), 9);
    EXPECT_EQ(testsupport::errorNumberOf([&] { settings->NumbTeeth(5); }), 9);
    EXPECT_EQ(testsupport::errorNumberOf([&] { settings->setNumbTeeth(0, 1); }), 9);
    vantrope::OptionCollection partial;
    EXPECT_EQ(testsupport::errorNumberOf([&] { settings->ReplaceOptions(partial); }), 9);
}

TEST_F(Settings, ReleaseWritesEveryKeyAndFreesThePens)
{
    {
        auto settings = make();
    }
    EXPECT_EQ(pens.liveCount(), 0u);
    EXPECT_EQ(store.values.size(), 15u * 4 + 2 + 4 + 3 + 4);
    EXPECT_EQ(stored("Base radius Color"), "8388608");
    EXPECT_EQ(stored("Hertz# DrawThis"), "True");
    EXPECT_EQ(stored("GearSizer"), "1");
    EXPECT_EQ(stored("NumbTeeth(3)"), "36");
    EXPECT_EQ(stored("IncrementsEdge"), "5");
    EXPECT_EQ(stored("NoMessages"), "False");
}

TEST_F(Settings, ReleaseSavesEveryKeyAsOneChangeAndTellsWhenOneWasNotKept)
{
    struct RefusingStore : MemoryStore {
        bool SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view value) override
        {
            return key != "GearSizer" && MemoryStore::SaveSetting(app, section, key, value);
        }
        bool saveTogether(const std::function<bool()>& saves) override
        {
            ++batches;
            kept = saves();
            return kept;
        }
        int batches = 0;
        bool kept = true;
    } refusing;
    {
        auto settings = make(refusing);
        settings->GearSizer = std::nan("");
    }
    EXPECT_EQ(refusing.batches, 1);
    EXPECT_FALSE(refusing.kept);
    // Every other key was still offered, after the one refused.
    EXPECT_EQ(refusing.values.at({"Vantrope", "DrawingOptions", "FixFormRatio"}), "True");
    EXPECT_EQ(refusing.values.count({"Vantrope", "DrawingOptions", "GearSizer"}), 0u);
}

TEST_F(Settings, CreationIsTracedWhenLogged)
{
    TemporaryFolder folder;
    bool on = true;
    vantrope::TraceLog file(on, folder.file("Vantrope.log"));
    clsSettings settings(store, "Vantrope", run, file, pens, log);
    std::ifstream in(folder.file("Vantrope.log"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "\"clsSettings_Initialize\"\r\n");
}

} // namespace
