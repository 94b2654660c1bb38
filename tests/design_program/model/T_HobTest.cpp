#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cindrel::model {
namespace {

using testing::RecordingShell;

constexpr double Pi = MMath::Pi;
const double Phi20 = MMath::Deg2Rad(20);

using testsupport::errorNumberOf;

// The 20/40 spur pair at Pd 10, 20 degrees; thickness pi/20 unless a test thins it.
class HobTest : public ::testing::Test {
protected:
    HobTest() { testing::setUpSpurPair(pair); }

    void thinPinionTeeth(double standardNormalThickness) {
        for (std::int32_t limit = 0; limit < 2; ++limit)
            pinion().aaToothThickness(1, limit, 1, 0, 0, standardNormalThickness);
    }
    T_Gear& pinion() { return *pair.oPinion; }
    T_Hob& hob() { return *pair.oPinion->oHob; }

    RecordingShell shell;
    T_Set pair{shell};
};

TEST_F(HobTest, PressureAngleAndHalfFlatReadBackFromThePairNotTheStore) {
    hob().PhiHob(0.5);
    hob().HobHalfFlat(0.123);
    EXPECT_DOUBLE_EQ(hob().PhiHob(), pair.Phi_n());
    EXPECT_DOUBLE_EQ(hob().adefPhiHob(), pair.Phi_n());
    EXPECT_DOUBLE_EQ(hob().HobHalfFlat(), hob().HobHalfFlat_calculated());
    EXPECT_NE(hob().HobHalfFlat(), 0.123);
}

TEST_F(HobTest, StandardHobForStandardTeethHasNoRackShiftAndAFullCap) {
    hob().SetDefaultHob(1);
    EXPECT_DOUBLE_EQ(hob().HobTTk(), Pi / 20);
    EXPECT_NEAR(hob().RackShift(true), 0, 1e-15);
    EXPECT_DOUBLE_EQ(hob().Addendum(), pinion().Dedendum());
    EXPECT_EQ(hob().Protuberance(), 0);
    const double halfLand = Pi / 40 - 0.125 * std::tan(Phi20);
    EXPECT_NEAR(hob().TipRadius(), halfLand * std::cos(Phi20) / (1 - std::sin(Phi20)), 1e-15);
    EXPECT_NEAR(hob().HobHalfFlat(), 0, 1e-15);
    EXPECT_DOUBLE_EQ(hob().Tip2Flank(), hob().TipRadius() * (1 - std::sin(Phi20)));
    EXPECT_DOUBLE_EQ(hob().RRfromHobAddend(), 1.0 - 0.125);
}

TEST_F(HobTest, StandardHobShiftsTheRackToKeepThinnedTeeth) {
    thinPinionTeeth(Pi / 20 - 0.004);
    hob().SetDefaultHob(1);
    const double shift = -0.004 / (2 * std::tan(Phi20));
    EXPECT_NEAR(hob().RackShift(true), shift, 1e-14);
    EXPECT_NEAR(hob().Addendum(), 0.125 + shift, 1e-14);
    EXPECT_NEAR(hob().HobHalfFlat(), 0, 1e-15);
}

TEST_F(HobTest, AnyOtherOptionIsTheStandardHob) {
    thinPinionTeeth(Pi / 20 - 0.004);
    hob().SetDefaultHob(1);
    const double standardAddendum = hob().Addendum();
    const double standardRadius = hob().TipRadius();
    hob().Addendum(0);
    hob().TipRadius(0);
    hob().SetDefaultHob(7);
    EXPECT_DOUBLE_EQ(hob().Addendum(), standardAddendum);
    EXPECT_DOUBLE_EQ(hob().TipRadius(), standardRadius);
}

TEST_F(HobTest, ComplementaryHobFillsTheToothSpaceWithoutRackShift) {
    thinPinionTeeth(Pi / 20 - 0.004);
    hob().RackShift(false, 0.5);
    hob().SetDefaultHob(0);
    EXPECT_NEAR(hob().HobTTk(), Pi / 20 + 0.004, 1e-14);
    EXPECT_DOUBLE_EQ(hob().HobTTk(), hob().adefTTH());
    EXPECT_DOUBLE_EQ(hob().Addendum(), hob().adefAddendum());
    EXPECT_DOUBLE_EQ(hob().Addendum(), 0.125);
    EXPECT_NEAR(hob().RackShift(true), 0, 1e-15);
    EXPECT_EQ(hob().RackShift(false), 0.5);
    EXPECT_NEAR(hob().HobHalfFlat(), 0, 1e-15);
    // That hob cuts back the thickness it was made from.
    EXPECT_NEAR(hob().TTKfromHobTTH(), pinion().TTK_o(1, 0), 1e-14);
}

// The complementary hob cuts back the minimum transverse thickness, which
// for a helical pair passes through the helix angle.
TEST(HobHelicalTest, ComplementaryHobCutsBackTheTransverseThickness) {
    RecordingShell shell;
    T_Set pair(shell);
    testing::setUpHelicalPair(pair);
    for (int member = 0; member < 2; ++member) {
        T_Hob& hob = *pair.member(member).oHob;
        hob.SetDefaultHob(0);
        // Pd_n 8: the hob fills pi/8 - pi/16 of the normal pitch.
        EXPECT_NEAR(hob.HobTTk(), Pi / 16, 1e-14);
        EXPECT_NEAR(hob.TTKfromHobTTH(), pair.member(member).TTK_o(1, 0), 1e-13) << member;
    }
}

TEST_F(HobTest, TipToFlankHeightFollowsTheProtuberance) {
    const double rho = 0.03;
    hob().TipRadius(rho);
    struct Case {
        double protuberance;
        double height;
    };
    const double smallP = 0.001; // below rho (1 - cos phi): the tip radius meets the relieved flank
    const double alpha = std::acos(1 - smallP / rho);
    const double largeP = 0.005;
    const Case cases[] = {
        {0, rho * (1 - std::sin(Phi20))},
        // A negative protuberance takes the arc branch with the arc cosine of
        // a value above 1 read as 0: the plain tip radius height.
        {-0.001, rho * (1 - std::sin(Phi20))},
        {smallP, rho * (1 - std::sin(Phi20 - alpha))},
        {largeP, rho * (1 - std::cos(Phi20)) / std::tan(Phi20) + largeP / std::sin(Phi20) -
                     rho * std::sin(Phi20) + rho},
    };
    for (const Case& c : cases) {
        hob().Protuberance(c.protuberance);
        EXPECT_NEAR(hob().Tip2Flank(), c.height, 1e-12) << c.protuberance;
        EXPECT_DOUBLE_EQ(hob().Tip2Flank(), hob().BAHFromProtuberance());
    }
}

TEST_F(HobTest, FullCapRadiusIsTheSameByBothNames) {
    hob().Addendum(0.1);
    hob().HobTTk(0.16);
    EXPECT_DOUBLE_EQ(hob().adefEdgeRadius(), hob().TipRadius_fromAddendum_HobTTk());
    EXPECT_NEAR(hob().adefEdgeRadius(), (0.08 - 0.1 * std::tan(Phi20)) * std::cos(Phi20) / (1 - std::sin(Phi20)),
                1e-15);
}

TEST_F(HobTest, ArithmeticErrorsPassToTheCaller) {
    hob().TipRadius(0);
    hob().Protuberance(-0.001);
    EXPECT_EQ(errorNumberOf([&] { hob().Tip2Flank(); }), runtime::DivisionByZero);

    RecordingShell otherShell;
    T_Set unsetPair(otherShell);
    // 0 / 0 is an overflow.
    EXPECT_EQ(errorNumberOf([&] { unsetPair.oPinion->oHob->RackShift(true); }), runtime::Overflow);

    T_Hob loose;
    EXPECT_EQ(errorNumberOf([&] { loose.PhiHob(); }), runtime::ObjectVariableNotSet);
    EXPECT_EQ(loose.Addendum(), 0);
}

TEST_F(HobTest, ForgetClearsEveryToolInputAndKeepsTheMember) {
    thinPinionTeeth(Pi / 20 - 0.004);
    hob().SetDefaultHob(1);
    hob().Protuberance(0.002);
    hob().RackShift(false, 0.5);
    hob().HobHalfFlat(0.1);
    hob().Forget();
    EXPECT_EQ(hob().Addendum(), 0);
    EXPECT_EQ(hob().HobTTk(), 0);
    EXPECT_EQ(hob().TipRadius(), 0);
    EXPECT_EQ(hob().Protuberance(), 0);
    EXPECT_EQ(hob().RackShift(false), 0);
    // Still the pinion's: a rack of no thickness stands (pi/20 + 0.004) /
    // (2 tan 20) = 0.1610796 / 0.7279405 inside its pitch line.
    EXPECT_NEAR(hob().RackShift(true), -0.2212813, 1e-7);
    EXPECT_DOUBLE_EQ(hob().PhiHob(), Phi20);
}

TEST_F(HobTest, VariablesDumpListsEveryToolValue) {
    hob().SetDefaultHob(1);
    EXPECT_EQ(hob().HobVariables(), "        Phihob = 20\r\n"
                                    "     Tip2Flank = 0.0310507679366301\r\n"
                                    "        HobTTk = 0.15707963267949\r\n"
                                    " TipRadius = 0.0471910615829061\r\n"
                                    "   Addendum = 0.125\r\n"
                                    "   HobHalfFlat = 0\r\n"
                                    "  Protuberance = 0\r\n"
                                    "     Rackshift = 0");
}

TEST_F(HobTest, SelectionExplanationIsThreeParagraphs) {
    const std::string text = hob().HobSelectionExplanation();
    EXPECT_TRUE(text.starts_with("The Complementary hob option"));
    EXPECT_TRUE(text.ends_with("full cap hob, or full tip radius are always selected.\r\n\r\n"));
    std::size_t paragraphs = 0;
    for (std::size_t at = text.find("\r\n\r\n"); at != std::string::npos; at = text.find("\r\n\r\n", at + 4))
        ++paragraphs;
    EXPECT_EQ(paragraphs, 3u);
}

} // namespace
} // namespace cindrel::model
