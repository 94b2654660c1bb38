#include "MainWindowProgram.h"

#include "design_program/model/ReferencePairs.h"
#include "forms/CommandButton.h"
#include "runtime/NumberFormat.h"

#include <gmock/gmock.h>

namespace {

using PanelFields = MainWindowProgram;

TEST_F(PanelFields, LeavingAnAngleBoxPacksItAndSettingTheLabelUnpacksIt)
{
    box("txtHelixAngleDMS", 0).setText(QStringLiteral("20"));
    box("txtHelixAngleDMS", 1).setText(QStringLiteral("15"));
    box("txtHelixAngleDMS", 2).setText(QStringLiteral("30"));
    box("txtHelixAngleDMS", 1).onLostFocus();
    EXPECT_EQ(caption("lblHelixAngleDMS"), "201530");

    box("txtPADMS", 0).setText(QStringLiteral("5"));
    box("txtPADMS", 2).onLostFocus();
    EXPECT_EQ(caption("lblPADMS"), "050000");
    EXPECT_EQ(box("txtPADMS", 0).text(), "05") << "the label's change refills the boxes";

    setMode("lblHelixAngleDMS", "50000");
    EXPECT_EQ(box("txtHelixAngleDMS", 0).text(), "05");
    EXPECT_EQ(box("txtHelixAngleDMS", 1).text(), "00");
    EXPECT_EQ(box("txtHelixAngleDMS", 2).text(), "00");
}

TEST_F(PanelFields, LeavingAPercentageWritesTheOtherMembersShare)
{
    box("txtTThkPercentage", 1).setText(QStringLiteral("50"));
    box("txtTThkPercentage", 0).setText(QStringLiteral("45"));
    box("txtTThkPercentage", 0).onLostFocus();
    EXPECT_EQ(box("txtTThkPercentage", 1).text(), "55");
    box("txtTThkPercentage", 0).setText(QStringLiteral("forty"));
    box("txtTThkPercentage", 0).onLostFocus();
    EXPECT_EQ(box("txtTThkPercentage", 1).text(), "55");
    box("txtTThkPercentage", 1).setText(QStringLiteral("30"));
    box("txtTThkPercentage", 1).onLostFocus();
    EXPECT_EQ(box("txtTThkPercentage", 0).text(), "70");
}

TEST_F(PanelFields, LeavingAnAddendumModificationSuggestsTheOthers)
{
    cindrel::model::testing::setUpPair(*startup->Oset(), cindrel::model::testing::spurPairInputs());
    const double sum = startup->Oset()->AddModCoeffSum(0);
    box("txtAddendumMod", 0).setText(QStringLiteral("0.2"));
    box("txtAddendumMod", 0).onLostFocus();
    EXPECT_EQ(caption("lblSuggestedAddMod", 1), runtime::formatNumber(sum - 0.2, "#.####"));
    EXPECT_EQ(caption("lblSuggestedAddMod", 0), "complement");

    box("txtAddendumMod", 1).setText(QStringLiteral("junk"));
    box("txtAddendumMod", 1).onLostFocus();
    EXPECT_EQ(caption("lblSuggestedAddMod", 0), "complement") << "a box that is no number changes nothing";
    box("txtAddendumMod", 1).setText(QStringLiteral("0.1"));
    label("lblSuggestedAddMod", 0).onClick();
    EXPECT_EQ(caption("lblSuggestedAddMod", 0), runtime::formatNumber(sum - 0.1, "#.####"));
}

TEST_F(PanelFields, TheStandardHobShowsTheHobInTheChosenDimensions)
{
    cindrel::model::testing::PairInputs inputs = cindrel::model::testing::spurPairInputs();
    inputs.normalDiametralPitch = 4;
    cindrel::model::testing::setUpPair(*startup->Oset(), inputs);
    // Half the normal circular pitch: pi / (2 * 4) inch, or pi / 2 for a pitch of 1.
    struct Case {
        bool metric;
        const char* mode;
        const char* thickness;
    };
    const Case cases[] = {{false, "1", "0.3927"}, {true, "1", "9.9746"}, {false, "0", "1.5708"}, {true, "0", "1.5708"}};
    box("txtHobTThk", 0).setText(QStringLiteral("pinion's"));
    for (const Case& c : cases) {
        on<forms::CheckBox>("chkMetricUnits").setCheckValue(c.metric ? 1 : 0);
        setMode("lblHobNormalVsActual", c.mode, 1);
        box("txtHobTThk", 1).setText({});
        on<forms::CommandButton>("cmdDefaultHob", 1).click();
        EXPECT_EQ(box("txtHobTThk", 1).text(), c.thickness) << c.metric << " " << c.mode;
        EXPECT_EQ(box("txtHobPA", 1).text(), "20.0000");
        EXPECT_EQ(box("txtHobProtuberance", 1).text(), "0");
        EXPECT_FALSE(box("txtRackShift", 1).text().isEmpty());
    }
    EXPECT_EQ(box("txtHobTThk", 0).text(), "pinion's") << "the pinion's hob panel is left alone";
}

TEST_F(PanelFields, ResetWritesTheDefaultFactorTexts)
{
    for (const char* name : {"txtKo", "txtKm", "txtKs", "txtKv", "txtKt", "txtKr", "txtCf", "txtCh"})
        box(name).setText(QStringLiteral("2.5"));
    for (const char* name : {"txtKB", "txtSf", "txtSh", "txtZn", "txtYn"})
        for (int member : {0, 1})
            box(name, member).setText(QStringLiteral("2.5"));
    on<forms::CommandButton>("cmdResetAGMAfactors").click();
    const std::pair<const char*, const char*> single[] = {{"txtKm", "1.0*"}, {"txtKo", "1.0"}, {"txtKr", "1.0"}, {"txtKs", "1.0"},
                                                          {"txtKt", "1.0"},  {"txtKv", "1.0*"}, {"txtCf", "1.0"}, {"txtCh", "1.0*"}};
    for (const auto& [name, text] : single)
        EXPECT_EQ(box(name).text(), text) << name;
    const std::pair<const char*, const char*> members[] = {
        {"txtKB", "1.0*"}, {"txtSf", "1.0"}, {"txtSh", "1.0"}, {"txtYn", "1.0*"}, {"txtZn", "1.0*"}};
    for (const auto& [name, text] : members)
        for (int member : {0, 1})
            EXPECT_EQ(box(name, member).text(), text) << name << member;
}

} // namespace
