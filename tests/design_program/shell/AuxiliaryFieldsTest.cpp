#include "shell/AuxiliaryFields.h"

#include <gtest/gtest.h>

namespace {

using cindrel::shell::complementPercentage;
using cindrel::shell::packHelixAngle;
using cindrel::shell::packPressureAngle;
using cindrel::shell::suggestedGearCoefficient;
using cindrel::shell::suggestedPinionCoefficient;
using cindrel::shell::unpackAngle;

struct AngleCase {
    const char* d;
    const char* m;
    const char* s;
    const char* packed;
};

TEST(PackedAngles, HelixAngleIsAPlainNumberThatKeepsTheSecondsFraction)
{
    const AngleCase cases[] = {{"20", "15", "30", "201530"}, {"5", "", "", "50000"},   {"5", "30", "0", "53000"},
                               {"20", "15", "30.5", "201530.5"}, {"", "", "", "0"},     {"x", "2", "3", "203"}};
    for (const AngleCase& c : cases)
        EXPECT_EQ(packHelixAngle(c.d, c.m, c.s).toStdString(), c.packed) << c.d << " " << c.m << " " << c.s;
}

TEST(PackedAngles, PressureAngleRoundsEachPartToTwoDigits)
{
    const AngleCase cases[] = {{"20", "15", "30", "201530"}, {"5", "", "", "050000"}, {"5", "30", "0", "053000"},
                               {"14", "29.6", "0.4", "143000"}, {"abc", "", "", "000000"}};
    for (const AngleCase& c : cases)
        EXPECT_EQ(packPressureAngle(c.d, c.m, c.s).toStdString(), c.packed) << c.d << " " << c.m << " " << c.s;
}

TEST(PackedAngles, UnpackingPadsToSixDigitsAndCutsThemIntoPairs)
{
    const std::pair<const char*, std::array<const char*, 3>> cases[] = {
        {"201530", {"20", "15", "30"}},   {"50000", {"05", "00", "00"}}, {"050000", {"05", "00", "00"}},
        {"201530.5", {"20", "15", "31"}}, {"lblPADMS", {"00", "00", "00"}}, {"1234567", {"12", "34", "56"}},
        {"1e999", {"", "", ""}}};
    for (const auto& [packed, parts] : cases) {
        const auto unpacked = unpackAngle(packed);
        for (std::size_t part = 0; part < 3; ++part)
            EXPECT_EQ(unpacked[part].toStdString(), parts[part]) << packed << " part " << part;
    }
    // Both packings of the same boxes unpack to the same boxes.
    EXPECT_EQ(unpackAngle(packHelixAngle("5", "3", "7")), unpackAngle(packPressureAngle("5", "3", "7")));
}

TEST(PercentageSplit, TheOtherMemberGetsTheComplementOfANumber)
{
    EXPECT_EQ(complementPercentage("45")->toStdString(), "55");
    EXPECT_EQ(complementPercentage(" 12.5 ")->toStdString(), "87.5");
    EXPECT_EQ(complementPercentage("120")->toStdString(), "-20");
    EXPECT_FALSE(complementPercentage("45%"));
    EXPECT_FALSE(complementPercentage(""));
}

TEST(SuggestedAddendumModification, ComplementsThePairsSumForEitherMesh)
{
    // S = 0.5: external x1 = 0.5 - 0.2; internal x1 = 0.5 + 0.2 and x0 = (0.5 - x1) / -1.
    EXPECT_EQ(suggestedGearCoefficient(0.5, 1, "0.2")->toStdString(), ".3");
    EXPECT_EQ(suggestedGearCoefficient(0.5, -1, "0.2")->toStdString(), ".7");
    EXPECT_EQ(suggestedPinionCoefficient(0.5, 1, "0.2")->toStdString(), ".3");
    EXPECT_EQ(suggestedPinionCoefficient(0.5, -1, "0.2")->toStdString(), "-.3");
    EXPECT_EQ(suggestedGearCoefficient(2.25, 1, "0.25")->toStdString(), "2.");
    EXPECT_EQ(suggestedGearCoefficient(0, 1, "0.123456")->toStdString(), "-.1235");
    EXPECT_FALSE(suggestedGearCoefficient(0.5, 1, "two"));
    EXPECT_FALSE(suggestedPinionCoefficient(0.5, 0, "0.2"));
}

} // namespace
