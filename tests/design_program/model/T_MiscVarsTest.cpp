#include "model/T_MiscVars.h"

#include <gtest/gtest.h>

namespace cindrel::model {
namespace {

TEST(T_MiscVars, Defaults) {
    const T_MiscVars vars;
    EXPECT_EQ(vars.VISCO(), 50);
    EXPECT_EQ(vars.setRMS(), 50);
    EXPECT_EQ(vars.BulkTemp(), 120);
    EXPECT_EQ(vars.LPE(), 0.00008);
    EXPECT_EQ(vars.FrictCoeff(), 0.06);
    EXPECT_EQ(vars.Modified(), 0);
    EXPECT_EQ(vars.PinDriv(), -1);
    EXPECT_EQ(vars.SafetyFactor(), 1.3);
    EXPECT_EQ(vars.CalculateFC(), 0);
}

TEST(T_MiscVars, StoresEachValueUnchangedAndApart) {
    T_MiscVars vars;
    vars.aaViscosity(1);
    vars.aaSetRoughness(2);
    vars.aaBulkTemperatureF(3);
    vars.aaLubePressExponent(4);
    vars.aaFrictCoeff(5);
    vars.aaModifiedProfiles(-1);
    vars.aaPinionDriving(0);
    vars.aaSafetyFactor(-7); // no check: stored as given
    vars.aaCalculateFrictionCoeff(-1);
    EXPECT_EQ(vars.VISCO(), 1);
    EXPECT_EQ(vars.setRMS(), 2);
    EXPECT_EQ(vars.BulkTemp(), 3);
    EXPECT_EQ(vars.LPE(), 4);
    EXPECT_EQ(vars.FrictCoeff(), 5);
    EXPECT_EQ(vars.Modified(), -1);
    EXPECT_EQ(vars.PinDriv(), 0);
    EXPECT_EQ(vars.SafetyFactor(), -7);
    EXPECT_EQ(vars.CalculateFC(), -1);
}

} // namespace
} // namespace cindrel::model
