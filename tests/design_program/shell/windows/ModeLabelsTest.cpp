#include "MainWindowProgram.h"

#include "design_program/model/ReferencePairs.h"
#include "shell/ModeLabels.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <regex>

namespace {

using ::testing::ElementsAre;

using ModeLabels = MainWindowProgram;

std::vector<bool> frameVisibility(forms::Form& form, const char* frames, int count)
{
    std::vector<bool> shown;
    for (int index = 0; index < count; ++index)
        shown.push_back(form.get<forms::Control>(QString::fromLatin1(frames), index).visible());
    return shown;
}

bool backlashShown(forms::Form& form)
{
    bool all = true, none = true;
    for (const char* name : {"lblMaxBL", "txtMaxBL", "lblMinBL", "txtMinBL"}) {
        const bool visible = form.get<forms::Control>(QString::fromLatin1(name)).visible();
        all = all && visible;
        none = none && !visible;
    }
    for (int unit : {29, 30}) {
        const bool visible = form.get<forms::Control>(QStringLiteral("lblLengthUnits"), unit).visible();
        all = all && visible;
        none = none && !visible;
    }
    EXPECT_TRUE(all || none) << "the six backlash controls go together";
    return all;
}

TEST(ModeNumber, ReadsTheLeadingNumberRoundedHalfToEven)
{
    const std::pair<const char*, int> cases[] = {{"2", 2},    {"-1", -1},  {"1.5", 2}, {"2.5", 2}, {"0.4", 0},
                                                 {"3abc", 3}, {"lblDPPlane", 0}, {"", 0},  {"1e300", cindrel::shell::ModeOutOfRange},
                                                 {"1e999", cindrel::shell::ModeOutOfRange}};
    for (const auto& [caption, number] : cases)
        EXPECT_EQ(cindrel::shell::modeNumber(QString::fromLatin1(caption)), number) << caption;
}

TEST_F(ModeLabels, LoadingSelectsTheDefaultsAndWritesEveryModeLabel)
{
    const std::pair<const char*, int> singles[] = {
        {"lblToothOrient", 0}, {"lblHAHowMeasured", 0}, {"lblPAHowMeasured", 0}, {"lblPAPlane", 0},
        {"lblDPPlane", 0},     {"lblMeshOption", 1},    {"lblOCDHowInput", 0},   {"lblPowerHowInput", 1},
        {"lblSubShear", 0},    {"lblPinionDriving", 1}, {"lblModifiedProfiles", 0}};
    for (const auto& [name, value] : singles)
        EXPECT_EQ(caption(name), std::to_string(value)) << name;
    for (const char* name : {"lblTThkHowInput", "lblODHowInput", "lblWholeDepthHowInput", "lblFilletType"})
        for (int member : {0, 1})
            EXPECT_EQ(caption(name, member), "0") << name << member;
    // The default design's hobs are normalised, to fit any pitch.
    EXPECT_EQ(caption("lblHobNormalVsActual", 0), "0");
    EXPECT_EQ(caption("lblHobNormalVsActual", 1), "0");
    EXPECT_TRUE(selected("optNormedHob", 0));
    EXPECT_TRUE(selected("optNormedHob", 2));

    // Spur teeth: no helix angle, no helix hands; percentage split for both, backlash shown.
    EXPECT_FALSE(shown("fraMainHelixAngle"));
    forms::Form& manufacturing = window("frmMFGOutputs");
    for (int member : {0, 1}) {
        EXPECT_FALSE(manufacturing.get<forms::ComboBox>(QStringLiteral("cmbHelixHand"), member).enabled());
        EXPECT_EQ(manufacturing.get<forms::ComboBox>(QStringLiteral("cmbHelixHand"), member).listIndex(), -1);
        EXPECT_EQ(combo("cmbTThkHowInput", member).listCount(), 5);
    }
    EXPECT_THAT(frameVisibility(main(), "fraTThkPinion", 5), ElementsAre(true, false, false, false, false));
    EXPECT_THAT(frameVisibility(main(), "fraTThkGear", 5), ElementsAre(true, false, false, false, false));
    EXPECT_TRUE(backlashShown(main()));
    EXPECT_FALSE(shown("fraOCDHowInput"));
    EXPECT_EQ(caption("lblPowerTitle", 0), "Power (hp)");
    EXPECT_EQ(caption("lblPowerTitle", 1), "Pinion Speed (rpm)");
}

TEST_F(ModeLabels, SelectionControlsWriteTheirLabels)
{
    combo("cmbToothOrient").setListIndex(1);
    EXPECT_EQ(caption("lblToothOrient"), "1");
    combo("cmbWholeDepth", 1).setListIndex(5);
    EXPECT_EQ(caption("lblWholeDepthHowInput", 1), "5");
    on<forms::OptionButton>("optMesh", 1).setSelected(true);
    EXPECT_EQ(caption("lblMeshOption"), "-1");
    on<forms::OptionButton>("optNormedHob", 3).setSelected(true);
    EXPECT_EQ(caption("lblHobNormalVsActual", 1), "1");
    EXPECT_EQ(caption("lblHobNormalVsActual", 0), "0") << "the gear's options leave the pinion's hob alone";
    on<forms::OptionButton>("optPower", 0).setSelected(true);
    EXPECT_EQ(caption("lblPowerHowInput"), "0");
    on<forms::OptionButton>("optPinionDriving", 0).setSelected(true);
    EXPECT_EQ(caption("lblPinionDriving"), "0");
}

TEST_F(ModeLabels, ToothOrientationShowsTheHelixFrameAndTheHelixHands)
{
    forms::Form& manufacturing = window("frmMFGOutputs");
    auto& pinionHand = manufacturing.get<forms::ComboBox>(QStringLiteral("cmbHelixHand"), 0);
    setMode("lblToothOrient", "1");
    EXPECT_EQ(combo("cmbToothOrient").listIndex(), 1);
    EXPECT_TRUE(shown("fraMainHelixAngle"));
    EXPECT_TRUE(pinionHand.enabled());
    pinionHand.setListIndex(1);

    setMode("lblToothOrient", "2"); // herringbone: no item of its own
    EXPECT_EQ(combo("cmbToothOrient").listIndex(), -1);
    EXPECT_EQ(caption("lblToothOrient"), "2");
    EXPECT_TRUE(shown("fraMainHelixAngle"));
    EXPECT_FALSE(pinionHand.enabled());
    EXPECT_EQ(pinionHand.listIndex(), -1);

    setMode("lblToothOrient", "0");
    EXPECT_FALSE(shown("fraMainHelixAngle"));
    EXPECT_EQ(combo("cmbToothOrient").listIndex(), 0);
}

TEST_F(ModeLabels, AngleUnitsShowTheirFrame)
{
    setMode("lblHAHowMeasured", "2");
    EXPECT_EQ(combo("cmbHAHowMeasured").listIndex(), 2);
    EXPECT_THAT(frameVisibility(main(), "fraHelixAngle", 3), ElementsAre(false, false, true));
    setMode("lblPAHowMeasured", "1");
    EXPECT_EQ(combo("cmbPAHowMeasured").listIndex(), 1);
    EXPECT_THAT(frameVisibility(main(), "fraPA", 3), ElementsAre(false, true, false));
    setMode("lblPAPlane", "1");
    setMode("lblDPPlane", "1");
    setMode("lblFilletType", "1", 1);
    EXPECT_EQ(combo("cmbPAPlane").listIndex(), 1);
    EXPECT_EQ(combo("cmbDPPlane").listIndex(), 1);
    EXPECT_EQ(combo("cmbFilletType", 1).listIndex(), 1);
    EXPECT_EQ(combo("cmbFilletType", 0).listIndex(), 0);
}

TEST_F(ModeLabels, ValuesOnlyAnEditedFileBringsFallBackToZero)
{
    const std::pair<const char*, int> labels[] = {{"lblPAHowMeasured", -1}, {"lblToothOrient", -1}, {"lblTThkHowInput", 1},
                                                  {"lblODHowInput", 0},     {"lblPowerHowInput", -1}, {"lblPinionDriving", -1},
                                                  {"lblOCDHowInput", -1}};
    for (const auto& [name, index] : labels) {
        setMode(name, "7", index);
        EXPECT_EQ(caption(name, index), "0") << name;
    }
    EXPECT_EQ(combo("cmbPAHowMeasured").listIndex(), 0);
    EXPECT_TRUE(selected("optPower", 0));
    EXPECT_TRUE(selected("optPinionDriving", 0));
    setMode("lblSubShear", "Kelley");
    EXPECT_EQ(caption("lblSubShear"), "0");
    EXPECT_TRUE(selected("optSubShear", 0));
}

TEST_F(ModeLabels, CentreDistanceModeTakesItsMagnitude)
{
    setMode("lblOCDHowInput", "-1");
    EXPECT_TRUE(selected("optOCDHowInput", 1));
    EXPECT_TRUE(shown("fraOCDHowInput"));
    EXPECT_EQ(caption("lblOCDTitle"), "Actual OCD");
    setMode("lblOCDHowInput", "2");
    EXPECT_TRUE(selected("optOCDHowInput", 2));
    EXPECT_EQ(caption("lblOCDTitle"), "Deviation");
    setMode("lblOCDHowInput", "0");
    EXPECT_TRUE(selected("optOCDHowInput", 0));
    EXPECT_FALSE(shown("fraOCDHowInput"));
}

TEST_F(ModeLabels, MeshOptionTellsThePairAndShowsItsStandardCentreDistance)
{
    cindrel::model::testing::setUpPair(*startup->Oset(), cindrel::model::testing::spurPairInputs());
    // 20 and 40 teeth at 10 diametral pitch: (40 - 20) / 20 inside, (40 + 20) / 20 outside.
    setMode("lblMeshOption", "-1");
    EXPECT_TRUE(selected("optMesh", 1));
    EXPECT_EQ(startup->Oset()->IntExt(), -1);
    EXPECT_EQ(caption("lblStandardOCD"), "1.000 (in) ");
    setMode("lblMeshOption", "1");
    EXPECT_TRUE(selected("optMesh", 0));
    EXPECT_EQ(startup->Oset()->IntExt(), 1);
    EXPECT_EQ(caption("lblStandardOCD"), "3.000 (in) ");

    on<forms::CheckBox>("chkMetricUnits").setCheckValue(1);
    setMode("lblMeshOption", "-1");
    EXPECT_EQ(caption("lblStandardOCD"), "25.400 (mm) ");
}

TEST_F(ModeLabels, AMeshOptionThePairCannotTakeIsTracedNotDropped)
{
    cindrel::model::testing::setUpPair(*startup->Oset(), cindrel::model::testing::spurPairInputs());
    // 5 is neither outside nor inside: the pair's message about it gets no
    // scripted answer, so telling the pair fails, and the log must say so.
    dialogs.setRaiseOnFailure(true);
    setMode("lblMeshOption", "5");
    const std::vector<std::string> lines = runLogLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return std::regex_search(line, std::regex("Error in module; frmMain, routine; MeshChanged, Error#; 5, "
                                                  "Description; No scripted answer for"));
    })) << "the failure reaches the run log";
}

TEST_F(ModeLabels, PercentageSplitIsChosenForBothMembersTogether)
{
    combo("cmbTThkHowInput", 1).setListIndex(1);
    EXPECT_EQ(caption("lblTThkHowInput", 1), "1");
    EXPECT_EQ(caption("lblTThkHowInput", 0), "0") << "the other member stays on percentage split";
    EXPECT_THAT(frameVisibility(main(), "fraTThkGear", 5), ElementsAre(false, true, false, false, false));
    EXPECT_FALSE(backlashShown(main()));

    combo("cmbTThkHowInput", 0).setListIndex(2);
    EXPECT_THAT(frameVisibility(main(), "fraTThkPinion", 5), ElementsAre(false, false, true, false, false));
    EXPECT_FALSE(backlashShown(main()));

    combo("cmbTThkHowInput", 0).setListIndex(0);
    EXPECT_EQ(caption("lblTThkHowInput", 1), "0");
    EXPECT_EQ(combo("cmbTThkHowInput", 1).listIndex(), 0);
    EXPECT_THAT(frameVisibility(main(), "fraTThkGear", 5), ElementsAre(true, false, false, false, false));
    EXPECT_TRUE(backlashShown(main()));
}

TEST_F(ModeLabels, AnInternalPairOffersItsGearOnlyThreeMethods)
{
    setMode("lblTThkHowInput", "1", 0);
    setMode("lblTThkHowInput", "4", 1);
    EXPECT_FALSE(backlashShown(main()));
    on<forms::OptionButton>("optMesh", 1).setSelected(true);
    EXPECT_EQ(caption("lblTThkHowInput", 1), "0");
    EXPECT_EQ(caption("lblTThkHowInput", 0), "0");
    EXPECT_TRUE(backlashShown(main()));
    EXPECT_EQ(combo("cmbTThkHowInput", 1).listCount(), 3);
    EXPECT_EQ(combo("cmbTThkHowInput", 1).listIndex(), 0);
    EXPECT_EQ(combo("cmbTThkHowInput", 0).listCount(), 5);

    // A file that asks the internal gear for a span measurement gets percentage split.
    setMode("lblTThkHowInput", "3", 1);
    EXPECT_EQ(caption("lblTThkHowInput", 1), "0");

    on<forms::OptionButton>("optMesh", 0).setSelected(true);
    EXPECT_EQ(combo("cmbTThkHowInput", 1).listCount(), 5);
}

TEST_F(ModeLabels, TheTipOfAnInternalGearSwapsItsLimitCaptions)
{
    struct Case {
        const char* mesh;
        int member;
        const char* mode;
        const char* sizeCaption;
        const char* toleranceCaption;
        const char* frameCaption;
        bool unitShown;
    };
    const Case cases[] = {
        {"-1", 1, "3", "(min)", "(max)", "Tip Diameter", true},   {"-1", 1, "2", "(min)", "(max)", "Tip Radius", true},
        {"-1", 1, "1", "(max)", "(min)", "Actual Addendum", true}, {"-1", 0, "3", "(max)", "(min)", "Tip Diameter", true},
        {"1", 1, "3", "(max)", "(min)", "Tip Diameter", true},    {"1", 1, "0", "(max)", "(min)", "Addendum Factor", false},
    };
    for (const Case& c : cases) {
        setMode("lblMeshOption", c.mesh);
        setMode("lblODHowInput", "0", c.member);
        setMode("lblODHowInput", c.mode, c.member);
        EXPECT_EQ(combo("cmbODHowInput", c.member).listIndex(), std::atoi(c.mode));
        EXPECT_EQ(caption("lblMaxMin", c.member + 1), c.sizeCaption) << c.mesh << " " << c.member << " " << c.mode;
        EXPECT_EQ(caption("lblMinMax", c.member + 1), c.toleranceCaption) << c.mesh << " " << c.member << " " << c.mode;
        EXPECT_EQ(on<forms::Frame>("fraAddendum", c.member).caption(), c.frameCaption);
        EXPECT_EQ(shown("lblLengthUnits", 25 + c.member), c.unitShown);
    }
}

TEST_F(ModeLabels, WholeDepthShowsItsUnitOnlyForLengths)
{
    for (int mode = 0; mode < 6; ++mode) {
        setMode("lblWholeDepthHowInput", std::to_string(mode).c_str(), 0);
        EXPECT_EQ(combo("cmbWholeDepth", 0).listIndex(), mode);
        EXPECT_EQ(shown("lblLengthUnits", 27), mode >= 2) << mode;
    }
    EXPECT_FALSE(shown("lblLengthUnits", 28)) << "the gear's unit follows only the gear's mode";
}

TEST_F(ModeLabels, HobDimensionModeSelectsItsOption)
{
    setMode("lblHobNormalVsActual", "5", 0);
    EXPECT_TRUE(selected("optNormedHob", 0));
    EXPECT_EQ(caption("lblHobNormalVsActual", 0), "0");
    setMode("lblHobNormalVsActual", "-1", 1);
    EXPECT_TRUE(selected("optNormedHob", 2));
    setMode("lblHobNormalVsActual", "1", 1);
    EXPECT_TRUE(selected("optNormedHob", 3));
    EXPECT_TRUE(selected("optNormedHob", 0)) << "each hob panel has its own pair of options";
}

TEST_F(ModeLabels, HobUnitsShowOnlyForActualDimensions)
{
    // The length units beside the addendum, edge radius, thickness and protuberance boxes.
    const std::vector<int> units[] = {{13, 15, 19, 23}, {14, 16, 20, 24}};
    const auto unitsShown = [&](int hob) {
        std::vector<bool> states;
        for (int unit : units[hob])
            states.push_back(shown("lblLengthUnits", unit));
        return states;
    };
    // As loaded, both panels normalised.
    EXPECT_THAT(unitsShown(0), ::testing::Each(false));
    EXPECT_THAT(unitsShown(1), ::testing::Each(false));
    for (int hob : {0, 1}) {
        SCOPED_TRACE(hob);
        setMode("lblHobNormalVsActual", "1", hob);
        EXPECT_THAT(unitsShown(hob), ::testing::Each(true));
        on<forms::OptionButton>("optNormedHob", 2 * hob).setSelected(true);
        EXPECT_THAT(unitsShown(hob), ::testing::Each(false));
        // The gear starts normalised; the pinion was left in actual dimensions.
        EXPECT_THAT(unitsShown(1 - hob), ::testing::Each(hob == 1)) << "the other panel keeps its own";
        setMode("lblHobNormalVsActual", "7", hob);
        EXPECT_THAT(unitsShown(hob), ::testing::Each(false)) << "an unknown mode falls back to normalised";
        on<forms::OptionButton>("optNormedHob", 2 * hob + 1).setSelected(true);
        EXPECT_THAT(unitsShown(hob), ::testing::Each(true));
    }
    EXPECT_FALSE(shown("lblLengthUnits", 17)) << "the hidden rack shift keeps its unit hidden";
}

TEST_F(ModeLabels, LoadCaptionsFollowTheModeAndTheMetricBox)
{
    const std::tuple<const char*, const char*, const char*> english[] = {
        {"0", "Power (hp)", "Pinion Torque (in-lb)"},
        {"1", "Power (hp)", "Pinion Speed (rpm)"},
        {"2", "Pinion Speed (rpm)", "Pinion Torque (in-lb)"}};
    for (const auto& [mode, first, second] : english) {
        setMode("lblPowerHowInput", mode);
        EXPECT_TRUE(selected("optPower", std::atoi(mode)));
        EXPECT_EQ(caption("lblPowerTitle", 0), first);
        EXPECT_EQ(caption("lblPowerTitle", 1), second);
    }
    setMode("lblPowerHowInput", "0");
    on<forms::CheckBox>("chkMetricUnits").setCheckValue(1);
    EXPECT_EQ(caption("lblPowerHowInput"), "0") << "the mode stays";
    EXPECT_EQ(caption("lblPowerTitle", 0), "Power (kW)");
    EXPECT_EQ(caption("lblPowerTitle", 1), "Pinion Torque (N-m)");
    EXPECT_EQ(caption("lblGearPitch"), "module ");
    EXPECT_EQ(caption("lblLengthUnits", 0), "(mm) ");
    EXPECT_EQ(caption("lblPressureUnits", 1), "(MPa) ");
    EXPECT_DOUBLE_EQ(startup->units().LengthFactor, 25.4);

    on<forms::CheckBox>("chkMetricUnits").setCheckValue(0);
    EXPECT_EQ(caption("lblPowerTitle", 0), "Power (hp)");
    EXPECT_EQ(caption("lblGearPitch"), "diametral pitch ");
    EXPECT_EQ(startup->units().LengthFactor, 1.0);
}

TEST_F(ModeLabels, ScoringOptionsFollowTheirLabels)
{
    setMode("lblSubShear", "True");
    EXPECT_TRUE(selected("optSubShear", 1));
    setMode("lblSubShear", "False");
    EXPECT_TRUE(selected("optSubShear", 0));
    setMode("lblSubShear", "-3");
    EXPECT_TRUE(selected("optSubShear", 1));
    setMode("lblPinionDriving", "0");
    EXPECT_TRUE(selected("optPinionDriving", 0));
    setMode("lblModifiedProfiles", "-1");
    EXPECT_TRUE(selected("optModifiedProfiles", 1));
}

TEST_F(ModeLabels, ADesignFileRebuildsThePanelsFromItsLabels)
{
    const auto design = folder.file("rebuilt.cnd");
    std::ofstream(design, std::ios::binary) << "\"frmMain_lblToothOrient\",\"1\"\r\n"
                                               "\"frmMain_lblHAHowMeasured\",\"2\"\r\n"
                                               "\"frmMain_lblHelixAngleDMS\",\"201530\"\r\n"
                                               "\"frmMain_lblPAHowMeasured\",\"2\"\r\n"
                                               "\"frmMain_lblPADMS\",\"143000\"\r\n"
                                               "\"frmMain_chkMetricUnits\",1\r\n"
                                               "\"frmMain_lblMeshOption\",\"-1\"\r\n"
                                               "\"frmMain_lblOCDHowInput\",\"2\"\r\n"
                                               "\"frmMain_lblTThkHowInput#0\",\"1\"\r\n"
                                               "\"frmMain_lblTThkHowInput#1\",\"2\"\r\n"
                                               "\"frmMain_lblODHowInput#1\",\"3\"\r\n"
                                               "\"frmMain_lblHobNormalVsActual#0\",\"0\"\r\n"
                                               "\"frmMain_lblPowerHowInput\",\"2\"\r\n"
                                               "\"frmMain_lblSubShear\",\"1\"\r\n";
    std::string name = design.string();
    ASSERT_TRUE(startup->gobjColData()->ReadFile(name));

    EXPECT_EQ(combo("cmbToothOrient").listIndex(), 1);
    EXPECT_TRUE(shown("fraMainHelixAngle"));
    EXPECT_THAT(frameVisibility(main(), "fraHelixAngle", 3), ElementsAre(false, false, true));
    EXPECT_EQ(box("txtHelixAngleDMS", 0).text() + box("txtHelixAngleDMS", 1).text() + box("txtHelixAngleDMS", 2).text(), "201530");
    EXPECT_THAT(frameVisibility(main(), "fraPA", 3), ElementsAre(false, false, true));
    EXPECT_EQ(box("txtPADMS", 0).text() + box("txtPADMS", 1).text() + box("txtPADMS", 2).text(), "143000");

    EXPECT_DOUBLE_EQ(startup->units().LengthFactor, 25.4);
    EXPECT_EQ(caption("lblLengthUnits", 13), "(mm) ");
    EXPECT_EQ(caption("lblTempUnits", 0), "(\u00B0C) ");
    EXPECT_EQ(caption("lblGearPitch"), "module ");

    EXPECT_TRUE(selected("optMesh", 1));
    EXPECT_EQ(startup->Oset()->IntExt(), -1);
    EXPECT_TRUE(selected("optOCDHowInput", 2));
    EXPECT_EQ(caption("lblOCDTitle"), "Deviation");
    EXPECT_EQ(combo("cmbTThkHowInput", 1).listCount(), 3);
    EXPECT_EQ(combo("cmbTThkHowInput", 1).listIndex(), 2);
    EXPECT_THAT(frameVisibility(main(), "fraTThkPinion", 5), ElementsAre(false, true, false, false, false));
    EXPECT_THAT(frameVisibility(main(), "fraTThkGear", 5), ElementsAre(false, false, true, false, false));
    EXPECT_FALSE(backlashShown(main()));
    EXPECT_EQ(caption("lblMaxMin", 2), "(min)");
    EXPECT_TRUE(selected("optNormedHob", 0));
    EXPECT_EQ(caption("lblPowerTitle", 0), "Pinion Speed (rpm)");
    EXPECT_EQ(caption("lblPowerTitle", 1), "Pinion Torque (N-m)");
    EXPECT_TRUE(selected("optSubShear", 1));
}

} // namespace
