#include "ShellFixture.h"

#include "mesh/clsMesh.h"
#include "shell/frmSettings.h"

#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/ListView.h"
#include "forms/PictureBox.h"

#include <QApplication>

using namespace vantropetest;

namespace {

constexpr char Section[] = "DrawingOptions";
const QColor PickedRed(250, 10, 10), PinionGreen(0, 128, 0), GearBlue(0, 0, 255);

struct SettingsDialog : ShellTest {
    SettingsDialog()
    {
        firstClick();
        open();
    }

    void open()
    {
        menu("mnuSettings").click();
        settle();
    }
    vantrope::frmSettings& settings() { return startup->settingsDialog(); }
    vantrope::clsSettings& live() { return *startup->Osettings; }
    forms::Form& window() { return settings().form(); }
    template <typename T>
    T& get(const char* name, int index = -1)
    {
        return window().get<T>(QString::fromLatin1(name), index);
    }
    forms::TextBox& text(const char* name, int index = -1) { return get<forms::TextBox>(name, index); }
    forms::ListView& list() { return get<forms::ListView>("lstDropts"); }
    void ok() { get<forms::CommandButton>("cmdOKNo", 1).click(); }
    void cancel() { get<forms::CommandButton>("cmdOKNo", 0).click(); }
    // A click on a row of the options list, as the list reports it.
    void pick(int option)
    {
        list().setSelectedItem(option - 1);
        list().onItemClick(option - 1);
    }
    void tick(int option, bool on)
    {
        list().setChecked(option - 1, on);
        list().onItemCheck(option - 1);
    }
    std::string stored(const std::string& key)
    {
        return store.GetSetting("Vantrope", Section, key, "(none)");
    }

    // Everything the dialog can change, to see that nothing moved.
    struct Snapshot {
        std::vector<std::tuple<std::int32_t, std::int32_t, std::int32_t, bool>> options;
        std::vector<int> numbers;
        double sizer;
        std::vector<bool> switches;
        std::map<std::tuple<std::string, std::string, std::string>, std::string> stored;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot()
    {
        Snapshot s;
        for (int i = 1; i <= vantrope::option::Count; ++i) {
            const auto& o = live().Element(i);
            s.options.emplace_back(o.Color, o.LineType, o.Thickness, o.DrawThis);
        }
        s.numbers = {startup->run.IncrementsRoot, startup->run.IncrementsInvolute, startup->run.IncrementsEdge,
                     live().NumbTeeth(1), live().NumbTeeth(2), live().NumbTeeth(3), live().NumbTeeth(4),
                     live().GearSizerOPT};
        s.sizer = live().GearSizer;
        s.switches = {live().booStopPanZoom, live().noMessages, live().SaveOnLoseFocus, live().PrintBlackOnWhite};
        // The colour chooser keeps its custom colours whatever the dialog does.
        for (const auto& [key, value] : store.values)
            if (std::get<1>(key) != "CustomColors")
                s.stored[key] = value;
        return s;
    }
};

} // namespace

TEST_F(SettingsDialog, OpensOnTheSettingsAsTheyAre)
{
    EXPECT_TRUE(settings().isLoaded());
    EXPECT_EQ(window().caption(), "Settings");
    EXPECT_EQ(window().left(), gears().form().left() + 200);
    ASSERT_EQ(list().itemCount(), 15);
    EXPECT_EQ(list().columnCount(), 1);
    EXPECT_EQ(list().subItem(1, 0), "Pinion");
    EXPECT_EQ(list().itemKey(14), "a15");
    EXPECT_TRUE(list().isChecked(4));
    saveArtefact(window().window()->grab().toImage(), "settings-colors-page.png");
    EXPECT_EQ(text("txtIncs", 0).text(), "7");
    EXPECT_EQ(text("txtIncs", 1).text(), "10");
    EXPECT_EQ(text("txtIncs", 2).text(), "5");
    EXPECT_EQ(text("txtTeethDrawn", 2).text(), "36");
    EXPECT_EQ(get<forms::CheckBox>("chkPrintBW").checkValue(), 1);
    EXPECT_EQ(get<forms::CheckBox>("chkLogged").checkValue(), 0); // stored "0" by the fixture
    EXPECT_TRUE(get<forms::PictureBox>("pct1", 0).visible());
    EXPECT_FALSE(get<forms::PictureBox>("pct1", 1).visible());
    get<forms::MenuItem>("mnu2").click();
    saveArtefact(window().window()->grab().toImage(), "settings-settings1-page.png");
    get<forms::MenuItem>("mnu3").click();
    saveArtefact(window().window()->grab().toImage(), "settings-settings2-page.png");
    EXPECT_TRUE(get<forms::PictureBox>("pct1", 2).visible());
    EXPECT_FALSE(get<forms::PictureBox>("pct1", 0).visible());

    struct Case {
        double sizer;
        std::int16_t kind;
        int selected;
        const char* shown;
    };
    for (const Case& c : {Case{0.25, 0, 0, "4"}, Case{0.25, 1, 1, "0.25"}, Case{0, 0, 0, "1"}}) {
        cancel();
        live().GearSizer = c.sizer;
        live().GearSizerOPT = c.kind;
        live().booStopPanZoom = true;
        open();
        EXPECT_TRUE(get<forms::OptionButton>("optSizer", c.selected).isSelected()) << c.sizer << " " << c.kind;
        EXPECT_EQ(text("txtSizer").text(), c.shown);
        EXPECT_EQ(get<forms::CheckBox>("chkPanZoom").checkValue(), 1);
    }
    EXPECT_EQ(live().GearSizer, 1.0) << "a zero size becomes 1 on opening";
}

TEST_F(SettingsDialog, OkSavesNumbersRoundedAndBoundedIntoSettingsAndStore)
{
    struct Case {
        const char* points[3];
        int saved[3];
        int sizerKind;
        const char* size;
        double gearSizer;
        const char* shownSize;
    };
    for (const Case& c : {Case{{"1", "1500", "7.5"}, {2, 1000, 8}, 0, "8", 0.125, "8"},
                          Case{{"6.5", "2", "1000"}, {6, 2, 1000}, 1, "2.5", 2.5, "2.5"},
                          Case{{"12 pts", "20", "3"}, {12, 20, 3}, 0, "0.0001", 1000, "0.001"}}) {
        for (int i = 0; i <= 2; ++i)
            text("txtIncs", i).setText(c.points[i]);
        get<forms::OptionButton>("optSizer", c.sizerKind).setSelected(true);
        text("txtSizer").setText(c.size);
        text("txtTeethDrawn", 3).setText("5");
        ASSERT_TRUE(settings().SaveFormData());
        EXPECT_EQ(text("txtSizer").text(), c.shownSize);
        ok();
        EXPECT_FALSE(settings().isLoaded());
        EXPECT_EQ(startup->run.IncrementsRoot, c.saved[0]);
        EXPECT_EQ(startup->run.IncrementsInvolute, c.saved[1]);
        EXPECT_EQ(startup->run.IncrementsEdge, c.saved[2]);
        EXPECT_DOUBLE_EQ(live().GearSizer, c.gearSizer);
        EXPECT_EQ(live().GearSizerOPT, c.sizerKind);
        EXPECT_EQ(live().NumbTeeth(3), 5);
        EXPECT_EQ(stored("IncrementsRoot"), std::to_string(c.saved[0]));
        EXPECT_EQ(stored("GearSizerOPT"), std::to_string(c.sizerKind));
        open();
    }
}

TEST_F(SettingsDialog, OptionEditsReachTheDrawingAndTheStoreOnOk)
{
    pick(vantrope::option::Pinion);
    dialogProvider.answerColor(PickedRed);
    get<forms::PictureBox>("picColor").onClick();
    text("txtLineThickness").setText("3");
    get<forms::ComboBox>("cmbLineStyle").setListIndex(1);
    tick(vantrope::option::Gear, false);
    // OK without picking another row: saving stores the editors first.
    ok();
    const auto& pinion = live().Element(vantrope::option::Pinion);
    EXPECT_EQ(vantrope::colorFromNumber(pinion.Color), PickedRed);
    EXPECT_EQ(pinion.Thickness, 3);
    EXPECT_EQ(pinion.LineType, 1);
    EXPECT_FALSE(live().Element(vantrope::option::Gear).DrawThis);
    EXPECT_EQ(stored("Pinion Color"), std::to_string(250 + 256 * 10 + 65536 * 10));
    EXPECT_EQ(stored("Gear DrawThis"), "False");

    const QImage image = gears().drawing();
    saveArtefact(image, "settings-red-pinion-no-gear.png");
    EXPECT_GT(count(image, PickedRed), 300);
    EXPECT_EQ(count(image, PinionGreen), 0);
    EXPECT_EQ(count(image, GearBlue), 0);
}

TEST_F(SettingsDialog, ABadEntryIsRefusedWithAMessageAndNothingSaved)
{
    const Snapshot before = snapshot();
    struct Case {
        const char* box;
        int index;
        const char* entry;
    };
    for (const Case& c : {Case{"txtIncs", 0, "abc"}, Case{"txtIncs", 1, "0"}, Case{"txtIncs", 2, "100000"},
                          Case{"txtSizer", -1, "-2"}, Case{"txtSizer", -1, "0"}, Case{"txtSizer", -1, ""},
                          Case{"txtTeethDrawn", 1, "x"}, Case{"txtTeethDrawn", 4, "40000"},
                          Case{"txtLineThickness", -1, "abc"}}) {
        pick(vantrope::option::Gear);
        // Edits that would be saved alongside the bad one.
        text("txtIncs", 1).setText("50");
        tick(vantrope::option::Pinion, false);
        const QString kept = text(c.box, c.index).text();
        text(c.box, c.index).setText(c.entry);
        dialogProvider.answerMessageBox(dialogs::ButtonOK);
        ok();
        EXPECT_EQ(dialogProvider.unusedAnswers(), 0u) << c.box << " " << c.entry;
        EXPECT_TRUE(settings().isLoaded()) << c.box << " " << c.entry;
        EXPECT_EQ(snapshot(), before) << c.box << " " << c.entry;
        text(c.box, c.index).setText(kept);
        text("txtIncs", 1).setText("10");
        tick(vantrope::option::Pinion, true);
    }
    // Mended, the same dialog saves.
    ok();
    EXPECT_FALSE(settings().isLoaded());
}

TEST_F(SettingsDialog, CancelKeepsEverythingButTheLogSwitch)
{
    const Snapshot before = snapshot();
    pick(vantrope::option::Pinion);
    dialogProvider.answerColor(PickedRed);
    get<forms::PictureBox>("picColor").onClick();
    pick(vantrope::option::Gear);
    tick(vantrope::option::BaseRadius, false);
    get<forms::CommandButton>("cmdBlackOnWhite").click();
    text("txtIncs", 0).setText("99");
    text("txtTeethDrawn", 2).setText("3");
    get<forms::CheckBox>("chkPrintBW").setCheckValue(0);
    get<forms::CheckBox>("chkLogged").setCheckValue(1);
    EXPECT_EQ(store.GetSetting("Vantrope", "Logged", "Logged", ""), "1") << "stored at the click";
    cancel();
    EXPECT_FALSE(settings().isLoaded());
    Snapshot after = snapshot();
    after.stored[{"Vantrope", "Logged", "Logged"}] = "0";
    EXPECT_EQ(after, before);
}

TEST_F(SettingsDialog, TheBackgroundRowHasNoLineEditorsAndStaysDrawn)
{
    pick(vantrope::option::Background);
    EXPECT_FALSE(text("txtLineThickness").visible());
    EXPECT_FALSE(get<forms::ComboBox>("cmbLineStyle").visible());
    tick(vantrope::option::Background, false);
    EXPECT_TRUE(list().isChecked(4));
    list().onDblClick();
    EXPECT_TRUE(list().isChecked(4));
    EXPECT_TRUE(settings().workOptions()->item("a5").DrawThis);
    pick(vantrope::option::Gear);
    EXPECT_TRUE(text("txtLineThickness").visible());
    list().onDblClick();
    EXPECT_FALSE(list().isChecked(2));
    EXPECT_FALSE(settings().workOptions()->item("a3").DrawThis);
}

TEST_F(SettingsDialog, DefaultButtonsResetTheWorkingCopyOnly)
{
    // Before any row is picked "Default" has nothing to act on.
    const vantrope::OptionCollection* work = settings().workOptions();
    work->item(2).Color = 7;
    get<forms::CommandButton>("cmdDefault").click();
    EXPECT_EQ(work->item(2).Color, 7);

    pick(vantrope::option::Pinion);
    work->item(2).Thickness = 9;
    get<forms::CommandButton>("cmdDefault").click();
    EXPECT_EQ(work->item(2).Color, work->item(2).defColor);
    EXPECT_EQ(work->item(2).Thickness, work->item(2).defThickness);
    EXPECT_EQ(text("txtLineThickness").text(), QString::number(work->item(2).defThickness));

    get<forms::CommandButton>("cmdBlackOnWhite").click();
    EXPECT_EQ(work->item(3).Color, 0);
    EXPECT_EQ(work->item(5).Color, 0xFFFFFF);
    EXPECT_EQ(get<forms::PictureBox>("picColor").backColor(), QColor(Qt::black));
    text("txtLineThickness").setText("4");
    get<forms::CommandButton>("cmdDefaultColors").click();
    for (const vantrope::clsDrawOpts* o : work->inOrder()) {
        EXPECT_EQ(o->Color, o->defColor) << o->Name;
        EXPECT_EQ(o->Thickness, o->defThickness) << o->Name;
        EXPECT_EQ(o->DrawThis, o->defDrawThis) << o->Name;
    }
    EXPECT_EQ(settings().editKey(), "a2");
    EXPECT_EQ(list().columnCount(), 1);
    // The live options are untouched until OK.
    EXPECT_EQ(live().Element(3).Color, 0xFF0000);
}

TEST_F(SettingsDialog, LosingFocusToTheDrawingWindowAppliesOrDiscards)
{
    for (bool saveOnLoseFocus : {true, false}) {
        live().SaveOnLoseFocus = saveOnLoseFocus;
        text("txtTeethDrawn", 2).setText("4");
        QApplication::setActiveWindow(gears().form().window());
        window().onDeactivate();
        settle();
        EXPECT_FALSE(settings().isLoaded()) << saveOnLoseFocus;
        EXPECT_EQ(live().NumbTeeth(2), saveOnLoseFocus ? 4 : 36) << saveOnLoseFocus;
        live().setNumbTeeth(2, 36);
        open();
    }
}
