#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/ComboBox.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "outputs/T_MFGOutputs.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Figures worked by hand for the shipped default design: spur 20/40, diametral
// pitch 8, 20 degrees, standard centre distance 3.75, addendum factor 1 less
// 0.003 in (0.976), whole depth 2.25, no edge break, each member 50 % of the
// operating circular pitch pi/8 less the backlash 0.004 to 0.008 in: transverse
// thickness t = 0.19435 (Max) and 0.19235 (Min).
//
// Pin: Dm = RR + Ro = 1.09375 + 1.372, half space angle at Dm from the minimum
// thickness, d = Dm sin(eta) / cos(eta + phi_m) = 0.2004 in, or 5.090 mm; the
// next bigger list pin is 0.2057 in (5.25 mm), and it fits: its centre sits
// outside the root and it stands past the tip of both members.
// Over pins (even counts): inv phi_c = d/Db + t/D + inv 20 deg - pi/N,
// M = Db / cos(phi_c) + d.
constexpr double PinionOverPinsMax = 2.7582701, PinionOverPinsMin = 2.7534395;
constexpr double GearOverPinsMax = 5.2600196, GearOverPinsMin = 5.2549042;
constexpr double PinionOverPinsMaxMm = 70.1495848, GearOverPinsMinMm = 133.5685377; // 5.25 mm pins
// The smaller lowest-contact radius: the mate's largest tip (addendum factor 1)
// from the line of action 3.75 sin 20 deg: pinion 1.1798831, gear 2.4168754 in.
constexpr double PinionLowestContact = 1.1798831, GearLowestContact = 2.4168754;
// HPSTC(i) = The_lc(i) + 2 pi / N, both members at limit i: limit 1 (Max) with
// both tips at addendum factor 1, limit 0 (Min) at 0.976.
constexpr double PinionHpstcMax = 23.4322, PinionHpstcMin = 23.7609;
constexpr double GearHpstcMax = 22.8482, GearHpstcMin = 22.9894;

// The default design finished from its main inputs, with the shipped pin lists
// in the program folder, and the manufacturing window opened from it.
class ManufacturingWalk : public WalkedProgram {
protected:
    void SetUp() override
    {
        const std::filesystem::path shipped = std::filesystem::path(CINDREL_DEFAULT_DESIGN).parent_path();
        for (const char* list : {"PinsE.dat", "PinsM.dat"})
            std::filesystem::copy_file(shipped / list, programFolder() / list);
        WalkedProgram::SetUp();
    }
    void finish()
    {
        next();
        ASSERT_EQ(current(), "Main Inputs");
        main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(0);
        press(main(), "cmdFinished");
        ASSERT_EQ(current(), "Scoring and SubShear Graphs");
    }
    void openManufacturing()
    {
        main().get<forms::MenuItem>(QStringLiteral("mnuMFGOutputs")).click();
        QCoreApplication::processEvents();
        ASSERT_TRUE(mfg().visible());
    }
    void metric() { main().get<forms::CheckBox>(QStringLiteral("chkMetricUnits")).setCheckValue(1); }
    forms::Form& mfg() { return window("frmMFGOutputs"); }
    forms::ComboBox& pins(int member) { return mfg().get<forms::ComboBox>(QStringLiteral("cmbPin"), member); }
    forms::TextBox& text(const char* name, int member) { return mfg().get<forms::TextBox>(QString::fromLatin1(name), member); }
    QString caption(const char* name, int index) { return mfg().get<forms::Label>(QString::fromLatin1(name), index).caption(); }
    void moveDefaultsAndCalculate()
    {
        mfg().get<forms::CommandButton>(QStringLiteral("cmdMoveDefaults")).click();
        mfg().get<forms::MenuItem>(QStringLiteral("mnuViewGrid")).click();
        ASSERT_EQ(startup->manufacturingWindow().ViewState(), 1) << "the table was built";
    }
    // The pinion's (1) or the gear's (2) value of the row with this description.
    double value(const std::string& description, int column)
    {
        for (const auto& row : *startup->gobjMFGOutputs()->MFGArray())
            if (row[0] == description)
                return std::stod(row[column]);
        ADD_FAILURE() << "no row " << description;
        return 0;
    }
    std::string diagnostics() { return window("frmMisc").get<forms::TextBox>(QStringLiteral("txtNotes")).text().toStdString(); }
};

TEST_F(ManufacturingWalk, TheTestedPinIsTheDefaultAndMeasuresOverPins)
{
    finish();
    openManufacturing();
    for (int member : {0, 1})
        EXPECT_EQ(pins(member).text(), "0.2057") << member;
    moveDefaultsAndCalculate();
    for (int member : {0, 1})
        EXPECT_EQ(text("txtPinDiam", member).text(), "0.2057");
    EXPECT_DOUBLE_EQ(value("Pin diameter (in) ", 1), 0.2057);
    EXPECT_NEAR(value("Pin measurement (Max) (in) ", 1), PinionOverPinsMax, 0.00006);
    EXPECT_NEAR(value("Pin measurement (Min) (in) ", 1), PinionOverPinsMin, 0.00006);
    EXPECT_NEAR(value("Pin measurement (Max) (in) ", 2), GearOverPinsMax, 0.00006);
    EXPECT_NEAR(value("Pin measurement (Min) (in) ", 2), GearOverPinsMin, 0.00006);
    EXPECT_THAT(diagnostics(), Not(HasSubstr("error in PinMeasure")));
    EXPECT_THAT(diagnostics(), Not(HasSubstr("try;")));
}

TEST_F(ManufacturingWalk, MetricPinsComeFromTheMetricListAndTheClearanceStaysInInches)
{
    finish();
    metric();
    openManufacturing();
    EXPECT_EQ(caption("lblDescript", 0), "True Involute Form Clearance (in) ");
    EXPECT_EQ(caption("lblDescript", 1), "Measuring Pin Diameter (mm) ");
    for (int member : {0, 1}) {
        EXPECT_EQ(pins(member).text(), "5.25") << member;
        // 0.025 / 8 in, in metric units too.
        EXPECT_EQ(text("txtTIFdef", member).text(), "0.003125");
    }
    mfg().get<forms::CommandButton>(QStringLiteral("cmdMoveDefaults")).click();
    text("txtTIF", 0).setText(QStringLiteral("0.02"));
    mfg().get<forms::MenuItem>(QStringLiteral("mnuViewGrid")).click();
    ASSERT_EQ(startup->manufacturingWindow().ViewState(), 1);
    EXPECT_DOUBLE_EQ(value("Pin diameter (mm) ", 2), 5.25);
    EXPECT_NEAR(value("Pin measurement (Max) (mm) ", 1), PinionOverPinsMaxMm, 0.00006);
    EXPECT_NEAR(value("Pin measurement (Min) (mm) ", 2), GearOverPinsMinMm, 0.00006);
    // 2 (r - 0.02 in) and 2 (r - 0.003125 in), shown in millimetres.
    EXPECT_NEAR(value("True involute form diameter (mm) ", 1), 25.4 * 2 * (PinionLowestContact - 0.02), 0.0003);
    EXPECT_NEAR(value("True involute form diameter (mm) ", 2), 25.4 * 2 * (GearLowestContact - 0.003125), 0.0003);
    EXPECT_THAT(diagnostics(), Not(HasSubstr("error in PinMeasure")));
}

TEST_F(ManufacturingWalk, AMetricDesignFileKeepsItsClearanceInInches)
{
    // The default design in metric units, its clearance stored as typed: 0.0025 in.
    ASSERT_TRUE(startup->gobjColData()->FileOpen(GEARSUITE_TEST_DATA "/design_program/shell/metric_default.cnd"));
    ASSERT_EQ(main().get<forms::CheckBox>(QStringLiteral("chkMetricUnits")).checkValue(), 1);
    finish();
    openManufacturing();
    for (int member : {0, 1})
        EXPECT_EQ(text("txtTIF", member).text(), "0.0025");
    mfg().get<forms::MenuItem>(QStringLiteral("mnuViewGrid")).click();
    ASSERT_EQ(startup->manufacturingWindow().ViewState(), 1);
    // 2 (r - 0.0025 in) in millimetres: 59.81106 and 122.65027 mm.
    EXPECT_NEAR(value("True involute form diameter (mm) ", 1), 25.4 * 2 * (PinionLowestContact - 0.0025), 0.0003);
    EXPECT_NEAR(value("True involute form diameter (mm) ", 2), 25.4 * 2 * (GearLowestContact - 0.0025), 0.0003);
}

TEST_F(ManufacturingWalk, InEnglishUnitsTheClearanceIsInInchesAndTheHighestPointsFollowTheirLimits)
{
    finish();
    openManufacturing();
    EXPECT_EQ(caption("lblDescript", 0), "True Involute Form Clearance (in) ");
    for (int member : {0, 1})
        EXPECT_EQ(text("txtTIFdef", member).text(), "0.003125");
    moveDefaultsAndCalculate();
    EXPECT_NEAR(value("True involute form diameter (in) ", 1), 2 * (PinionLowestContact - 0.003125), 0.00006);
    EXPECT_NEAR(value("True involute form diameter (in) ", 2), 2 * (GearLowestContact - 0.003125), 0.00006);
    EXPECT_NEAR(value("Roll Angle @HPSTC (Max)(\u00B0)", 1), PinionHpstcMax, 0.00006);
    EXPECT_NEAR(value("Roll Angle @HPSTC (Min)(\u00B0)", 1), PinionHpstcMin, 0.00006);
    EXPECT_NEAR(value("Roll Angle @HPSTC (Max)(\u00B0)", 2), GearHpstcMax, 0.00006);
    EXPECT_NEAR(value("Roll Angle @HPSTC (Min)(\u00B0)", 2), GearHpstcMin, 0.00006);
}

TEST_F(ManufacturingWalk, WhenNoListPinFitsTheWorkedOutSizeIsOfferedAndSaidToBeOffTheList)
{
    // Pins far too small for pitch 8: none reaches past the tip.
    std::ofstream(programFolder() / "PinsE.dat", std::ios::trunc) << "Pins on hand\r\ninch\r\n0.012\r\n0.05\r\n";
    finish();
    openManufacturing();
    // The search falls back to its first guess, 0.2004 to three decimals.
    ASSERT_EQ(pins(0).listCount(), 3);
    EXPECT_EQ(pins(0).list(0), "0.012");
    EXPECT_EQ(pins(0).text(), "0.2 (not in pin list)");
    EXPECT_THAT(pins(0).toolTipText().toStdString(), HasSubstr("not a pin on hand"));
    moveDefaultsAndCalculate();
    EXPECT_EQ(text("txtPinDiam", 0).text(), "0.2");
    EXPECT_DOUBLE_EQ(value("Pin diameter (in) ", 1), 0.2);
}

} // namespace
