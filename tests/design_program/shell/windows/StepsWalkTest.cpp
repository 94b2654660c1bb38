#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/ComboBox.h"
#include "forms/TextBox.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "sequence/T_StateNavigator.h"
#include "shell/Clipboard.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The pair walked: its units and its teeth.
struct Pair {
    bool metric;
    bool helical;
};

// A user's walk through the design steps of the real main window: every
// value typed into the panel's own boxes, every press on a button that shows.
class StepsWalk : public WalkedProgram {
protected:
    // A hidden or disabled control still takes a value or a click: a user
    // reaches only what shows and is enabled.
    template <typename Control>
    Control& reach(const char* name, int index)
    {
        Control& control = index < 0 ? main().get<Control>(QString::fromLatin1(name))
                                     : main().get<Control>(QString::fromLatin1(name), index);
        EXPECT_TRUE(shows(control)) << name << "(" << index << ") is hidden on " << current();
        EXPECT_TRUE(control.enabled()) << name << "(" << index << ") is disabled on " << current();
        return control;
    }
    void type(const char* box, const char* text, int index = -1)
    {
        reach<forms::TextBox>(box, index).setText(QString::fromLatin1(text));
    }
    void pick(const char* combo, int item, int index = -1) { reach<forms::ComboBox>(combo, index).setListIndex(item); }
    void tick(const char* check, bool on, int index = -1)
    {
        reach<forms::CheckBox>(check, index).setCheckValue(on ? 1 : 0);
    }
    void select(const char* option, int index) { reach<forms::OptionButton>(option, index).setSelected(true); }

    std::vector<int> panelsShown()
    {
        std::vector<int> shown;
        for (int index : main().arrayIndexes(QStringLiteral("picStates")))
            if (main().get<forms::PictureBox>(QStringLiteral("picStates"), index).visible())
                shown.push_back(index);
        return shown;
    }

    // The step is current, its panel alone shows, and nothing was asked on the way.
    void expectOn(const std::string& step, int panel)
    {
        EXPECT_EQ(current(), step);
        EXPECT_THAT(panelsShown(), ElementsAre(panel)) << step;
        EXPECT_THAT(messages(), IsEmpty()) << "on the way to " << step;
    }

    // The message boxes shown since the last acknowledge.
    std::vector<std::string> messages()
    {
        std::vector<std::string> texts;
        const auto asked = dialogs.requestsOf<dialogs::MessageBoxRequest>();
        for (std::size_t i = acknowledged; i < asked.size(); ++i)
            texts.push_back(asked[i].text.toStdString());
        return texts;
    }
    void acknowledgeMessages() { acknowledged = dialogs.requestsOf<dialogs::MessageBoxRequest>().size(); }
    std::size_t acknowledged = 0;

    // From the start to "Tooth Proportions", the pair typed in on the way;
    // diametral pitch 8 or module 3 unless another pitch is given.
    void walkToToothProportions(const Pair& pair, const char* pitch = nullptr)
    {
        expectOn("Startup Screen", 0);
        next();
        expectOn("Main Inputs", 1);

        tick("chkMetricUnits", pair.metric);
        type("txtNumTeeth", "21", 0);
        type("txtNumTeeth", "43", 1);
        type("txtFaceWidth", pair.metric ? "25" : "1.0", 0);
        type("txtFaceWidth", pair.metric ? "25" : "1.0", 1);
        pick("cmbToothOrient", pair.helical ? 1 : 0);
        if (pair.helical) {
            pick("cmbHAHowMeasured", 0);
            type("txtHelixAngleDEG", "15");
        }
        pick("cmbPAHowMeasured", 0);
        pick("cmbPAPlane", 0);
        type("txtPADeg", "20");
        pick("cmbDPPlane", 0);
        type("txtDP", pitch != nullptr ? pitch : pair.metric ? "3" : "8");
        next();
        expectOn("Center Distance", 2);

        select("optMesh", 0);
        select("optOCDHowInput", 0);
        next();
        expectOn("Tooth Thickness", 3);

        // Each member's thickness as its share of the backlash.
        pick("cmbTThkHowInput", 0, 0);
        pick("cmbTThkHowInput", 0, 1);
        type("txtTThkPercentage", "50", 0);
        type("txtTThkPercentage", "50", 1);
        type("txtMinBL", pair.metric ? "0.1" : "0.004");
        type("txtMaxBL", pair.metric ? "0.2" : "0.008");
        next();
        expectOn("Tooth Proportions", 4);
        EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs", "Center Distance", "Tooth Thickness"));
    }

    // Standard proportions, each member's fillet kind (hobbed or full), and the AGMA choice.
    void fillToothProportions(const Pair& pair, bool pinionHobbed, bool gearHobbed, bool agma)
    {
        for (int member = 0; member < 2; ++member) {
            pick("cmbODHowInput", 0, member);
            type("txtODDim", "1", member);
            type("TxtAddTol", pair.metric ? "0.05" : "0.002", member);
            pick("cmbWholeDepth", 0, member);
            type("txtWholeDepth", "2.25", member);
        }
        pick("cmbFilletType", pinionHobbed ? 1 : 0, 0);
        pick("cmbFilletType", gearHobbed ? 1 : 0, 1);
        tick("chkAGMA", agma);
    }

    // A standard hob for the member, in normalised units.
    void fillHob(int member)
    {
        const int panelOption = member * 2;
        select("optNormedHob", panelOption);
        type("txtHobAddendum", "1.25", member);
        type("txtHobEdgeRad", "0.3", member);
        type("txtHobPA", "20", member);
        type("txtHobProtuberance", "0", member);
        type("txtHobTThk", "1.5708", member);
    }

    // The hand-over: the factors window over the main window, or the
    // factors typed on the main window itself.
    void expectAgmaStep(bool agma)
    {
        if (agma) {
            EXPECT_TRUE(window("frmAGMA").visible()) << "the factors window is not shown";
            EXPECT_EQ(current(), "AGMA Factors");
        } else {
            EXPECT_FALSE(window("frmAGMA").visible());
            expectOn("Agma on Main", 8);
        }
        EXPECT_THAT(messages(), IsEmpty());
    }
};

class WalkToProportions : public StepsWalk, public ::testing::WithParamInterface<Pair> {};

TEST_P(WalkToProportions, ReachesToothProportionsFromTheTypedInputs)
{
    walkToToothProportions(GetParam());
    const Pair& pair = GetParam();
    EXPECT_EQ(main().get<forms::CheckBox>(QStringLiteral("chkMetricUnits")).checkValue(), pair.metric ? 1 : 0);
    // What was typed reached the pair: module 3 is 25.4 / 3 teeth per inch, 15 degrees 0.261799 rad.
    const auto& set = navigator().Oset();
    EXPECT_EQ(set.oPinion->N(), 21);
    EXPECT_EQ(set.oGear->N(), 43);
    EXPECT_NEAR(set.Pd_n(), pair.metric ? 25.4 / 3 : 8.0, 1e-9);
    EXPECT_NEAR(set.Psi(), pair.helical ? 0.2617994 : 0.0, 1e-7);
}

INSTANTIATE_TEST_SUITE_P(Pairs, WalkToProportions,
                         ::testing::Values(Pair{false, false}, Pair{false, true},
                                           Pair{true, false}, Pair{true, true}),
                         [](const auto& info) {
                             return std::string(info.param.metric ? "Metric" : "English") +
                                    (info.param.helical ? "Helical" : "Spur");
                         });

struct HobWalk {
    const char* name;
    Pair pair;
    bool pinionHobbed;
    bool gearHobbed;
    bool agma;
};

class WalkThroughHobs : public StepsWalk, public ::testing::WithParamInterface<HobWalk> {};

TEST_P(WalkThroughHobs, ReachesTheAgmaStepThroughTheHobPanelsTheFilletsAsk)
{
    const HobWalk& walk = GetParam();
    walkToToothProportions(walk.pair);
    fillToothProportions(walk.pair, walk.pinionHobbed, walk.gearHobbed, walk.agma);
    next();
    EXPECT_EQ(navigator().HobMode, (walk.pinionHobbed ? 1 : 0) + (walk.gearHobbed ? 2 : 0));
    if (walk.pinionHobbed) {
        expectOn("Pinion Hob", 5);
        fillHob(0);
        next();
    }
    if (walk.gearHobbed) {
        expectOn("Gear Hob", 6);
        fillHob(1);
        next();
    }
    expectAgmaStep(walk.agma);
}

INSTANTIATE_TEST_SUITE_P(
    HobModes, WalkThroughHobs,
    ::testing::Values(HobWalk{"NoneHobbedEnglishSpur", {false, false}, false, false, true},
                      HobWalk{"NoneHobbedMetricHelicalNoAgma", {true, true}, false, false, false},
                      HobWalk{"PinionHobbedEnglishHelical", {false, true}, true, false, true},
                      HobWalk{"PinionHobbedMetricSpurNoAgma", {true, false}, true, false, false},
                      HobWalk{"GearHobbedEnglishSpur", {false, false}, false, true, true},
                      HobWalk{"GearHobbedMetricHelical", {true, true}, false, true, false},
                      HobWalk{"BothHobbedEnglishSpur", {false, false}, true, true, true},
                      HobWalk{"BothHobbedMetricHelicalNoAgma", {true, true}, true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A gear hob too short to cut a fillet the bending routines can use leaves
// the gear without a J factor: with the gear alone hobbed the step is
// refused and the user is taken back to the thickness of the teeth.
TEST_F(StepsWalk, GearAloneHobbedWithoutAJFactorTakesTheUserBackToToothThickness)
{
    walkToToothProportions({false, false});
    fillToothProportions({false, false}, false, true, true);
    next();
    expectOn("Gear Hob", 6);
    select("optNormedHob", 2);
    type("txtHobAddendum", "0.1", 1);
    type("txtHobEdgeRad", "0.05", 1);
    type("txtHobPA", "20", 1);
    type("txtHobProtuberance", "0", 1);
    type("txtHobTThk", "1.5708", 1);
    shellservices::setClipboardText(QStringLiteral("before the refusal"));
    dialogs.answerMessageBox(dialogs::ButtonOK);
    next();

    // The CSV setting is off: the message says how to have the trace written.
    EXPECT_THAT(messages(), ElementsAre("Gear - Invalid J geometry factor; to see why, save the design, tick \"Create "
                                        "Comma Separated Value files\" under Options, Preferences and press Next "
                                        "again: the J routine then writes its file ending in "
                                        "\"_Gear_AGMA-Hobbed_Stress.csv\" beside the design file"))
        << "the first finding alone";
    EXPECT_LE(navigator().JFactors[1], 0.0);
    EXPECT_EQ(current(), "Tooth Thickness");
    EXPECT_THAT(panelsShown(), ElementsAre(3));
    EXPECT_THAT(done(), ElementsAre("Startup Screen", "Main Inputs", "Center Distance"));
    EXPECT_FALSE(window("frmAGMA").visible());
    EXPECT_EQ(shellservices::clipboardText(), QStringLiteral("before the refusal"));
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);

    // The user goes on from there, to a hob that cuts a usable fillet.
    acknowledgeMessages();
    next();
    expectOn("Tooth Proportions", 4);
    next();
    expectOn("Gear Hob", 6);
    fillHob(1);
    next();
    expectAgmaStep(true);
    EXPECT_GT(navigator().JFactors[1], 0.0);
}

// The shipped design keeps its hobs normalised, so they fit the pitch of
// whatever design is made from it: at diametral pitch 10 the standard hob
// 1.25 / 0.3 / 1.5708 (per unit pitch) is 0.125 / 0.03 / 0.15708 in, at
// module 3 (Pd_n 25.4 / 3) it is 1.25 x 3 = 3.75 mm = 0.147638 in, 0.9 mm =
// 0.035433 in and 4.7124 mm = 0.185527 in.
struct FittedHob {
    Pair pair;
    const char* pitch;
    double addendum, edgeRadius, thickness; // inches
};

class DefaultHobPanel : public StepsWalk, public ::testing::WithParamInterface<FittedHob> {};

TEST_P(DefaultHobPanel, FitsThePitchOfTheDesign)
{
    const FittedHob& c = GetParam();
    walkToToothProportions(c.pair, c.pitch);
    fillToothProportions(c.pair, true, false, false);
    next();
    expectOn("Pinion Hob", 5);
    EXPECT_TRUE(main().get<forms::OptionButton>(QStringLiteral("optNormedHob"), 0).isSelected());
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobAddendum"), 0).text(), QStringLiteral("1.25"));
    next();
    expectAgmaStep(false);
    const auto& hob = *navigator().Oset().oPinion->oHob;
    EXPECT_NEAR(hob.Addendum(), c.addendum, 1e-6);
    EXPECT_NEAR(hob.TipRadius(), c.edgeRadius, 1e-6);
    EXPECT_NEAR(hob.HobTTk(), c.thickness, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Pitches, DefaultHobPanel,
                         ::testing::Values(FittedHob{{false, true}, "10", 0.125, 0.03, 0.15708},
                                           FittedHob{{true, false}, "3", 0.1476378, 0.0354331, 0.1855276}),
                         [](const auto& info) { return std::string(info.param.pair.metric ? "Module3" : "Pitch10"); });

// Switching a hob panel between normalised and actual dimensions converts
// what it shows, so the hob the step reads stays the same hob: at Pd 10 an
// actual value is the normalised one / 10 (in), at module 3 it is x 3 (mm).
struct HobSwitch {
    Pair pair;
    const char* pitch;
    std::vector<const char*> actual; // addendum, edge radius, thickness, protuberance
};

class HobPanelSwitch : public StepsWalk, public ::testing::WithParamInterface<HobSwitch> {};

TEST_P(HobPanelSwitch, ConvertsTheShownDimensions)
{
    const HobSwitch& c = GetParam();
    walkToToothProportions(c.pair, c.pitch);
    fillToothProportions(c.pair, true, false, false);
    next();
    expectOn("Pinion Hob", 5);
    const char* boxes[] = {"txtHobAddendum", "txtHobEdgeRad", "txtHobTThk", "txtHobProtuberance"};
    const char* normalised[] = {"1.25", "0.3", "1.5708", "0"};
    for (int k = 0; k < 4; ++k)
        type(boxes[k], normalised[k], 0);
    type("txtHobPA", "20", 0);

    select("optNormedHob", 1);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(main().get<forms::TextBox>(QString::fromLatin1(boxes[k]), 0).text().toStdString(), c.actual[k])
            << boxes[k];
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobPA"), 0).text(), QStringLiteral("20")) << "an angle";
    // Choosing the mode already chosen changes nothing.
    select("optNormedHob", 1);
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobAddendum"), 0).text().toStdString(), c.actual[0]);
    next();
    expectAgmaStep(false);
    const double addendum = navigator().Oset().oPinion->oHob->Addendum();
    EXPECT_NEAR(addendum, 1.25 / navigator().Oset().Pd_n(), 1e-9) << "the same hob in actual dimensions";

    // And back: the normalised values as typed.
    press(main(), "cmdPrevious");
    expectOn("Pinion Hob", 5);
    type("txtHobTThk", "not a number", 0);
    select("optNormedHob", 0);
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobAddendum"), 0).text(), QStringLiteral("1.25"));
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobEdgeRad"), 0).text(), QStringLiteral("0.3"));
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobTThk"), 0).text(), QStringLiteral("not a number"))
        << "a text that is no number is left as typed";
}

INSTANTIATE_TEST_SUITE_P(Units, HobPanelSwitch,
                         ::testing::Values(HobSwitch{{false, false}, "10", {"0.125", "0.03", "0.15708", "0"}},
                                           HobSwitch{{true, true}, "3", {"3.75", "0.9", "4.7124", "0"}}),
                         [](const auto& info) { return std::string(info.param.pair.metric ? "Module3" : "Pitch10"); });

// The standard hob's thickness is half the normal circular pitch: pi / 2 at a
// unit pitch, shown "1.5708"; pi / 20 = 0.15708 in at Pd 10, shown "0.1571";
// pi x 3 / 2 = 4.71239 mm at module 3, shown "4.7124". Switching the panel
// re-shows the hob the button made, and the step reads that hob itself, not
// its four rounded decimals (1.5708 / 10 or 4.7124 / 25.4 in).
struct StandardHob {
    Pair pair;
    const char* pitch;
    int startMode; // 0 normalised, 1 actual
    const char* shown;
    const char* switched;
    double thickness; // inches
};

class StandardHobPanel : public StepsWalk, public ::testing::WithParamInterface<StandardHob> {};

TEST_P(StandardHobPanel, KeepsItsSizeWhenShownAndRead)
{
    const StandardHob& c = GetParam();
    walkToToothProportions(c.pair, c.pitch);
    fillToothProportions(c.pair, true, false, false);
    next();
    expectOn("Pinion Hob", 5);
    select("optNormedHob", c.startMode);
    press(main(), "cmdDefaultHob", 0);
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobTThk"), 0).text().toStdString(), c.shown);
    select("optNormedHob", 1 - c.startMode);
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobTThk"), 0).text().toStdString(), c.switched);
    next();
    expectAgmaStep(false);
    EXPECT_NEAR(navigator().Oset().oPinion->oHob->HobTTk(), c.thickness, 1e-12);
    // Back and on again, the panel as it stands: the same hob.
    press(main(), "cmdPrevious");
    expectOn("Pinion Hob", 5);
    next();
    EXPECT_NEAR(navigator().Oset().oPinion->oHob->HobTTk(), c.thickness, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Units, StandardHobPanel,
                         ::testing::Values(StandardHob{{false, true}, "10", 0, "1.5708", "0.1571", M_PI / 20},
                                           StandardHob{{true, false}, "3", 1, "4.7124", "1.5708", M_PI * 3 / 2 / 25.4}),
                         [](const auto& info) { return std::string(info.param.pair.metric ? "Module3" : "Pitch10"); });

// A hob typed in normalised dimensions and switched to actual ones keeps
// every digit typed: 0.3 at Pd 10 is 0.03 in, however few digits it has.
TEST_F(StepsWalk, ATypedHobConvertsAsTyped)
{
    walkToToothProportions({false, true}, "10");
    fillToothProportions({false, true}, true, false, false);
    next();
    expectOn("Pinion Hob", 5);
    type("txtHobEdgeRad", "0.3", 0);
    type("txtHobTThk", "1.57", 0);
    select("optNormedHob", 1);
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobEdgeRad"), 0).text(), QStringLiteral("0.03"));
    EXPECT_EQ(main().get<forms::TextBox>(QStringLiteral("txtHobTThk"), 0).text(), QStringLiteral("0.157"));
}

} // namespace
