#include "agma/AGMA_Materials.h"
#include "agma/AllowableStresses.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace cindrel::agma {
namespace {

class AllowableStresses : public ::testing::Test {
protected:
    TemporaryFolder folder;
    MaterialsTable table = AGMA_Materials(folder.path()).Materials().table;
};

constexpr int Grade1 = 3, Grade2 = 4, FlameHardened = 8, NitridedGrade1 = 27, DuctileIron = 58;

// Through hardened Grade 1: SAC = 322 HB + 29,100, SAT = 77.3 HB + 12,800;
// Grade 2: 349 HB + 34,300 and 102 HB + 16,400 (psi).
TEST_F(AllowableStresses, FromTheHardnessWithinTheRange) {
    struct Case {
        int row;
        const char* hardness;
        const char* sac;
        const char* sat;
    };
    const Case cases[] = {
        {Grade1, "100", "61,300", "20,530"},  {Grade1, "300", "125,700", "35,990"},
        {Grade1, "650", "238,400", "63,045"}, {Grade2, "300", "139,000", "47,000"},
        {NitridedGrade1, "300", "150,000", "36,840"}, {Grade1, "300*", "125,700", "35,990"},
    };
    for (const Case& c : cases) {
        const auto stresses = stressesForHardness(table.record(c.row), c.hardness, false);
        ASSERT_TRUE(stresses) << c.row << " " << c.hardness;
        EXPECT_TRUE(stresses->withinRange);
        EXPECT_EQ(stresses->sac, c.sac) << c.row << " " << c.hardness;
        EXPECT_EQ(stresses->sat, c.sat) << c.row << " " << c.hardness;
        EXPECT_EQ(stresses->note, table.cell(c.row, MaterialColumn::Note));
    }
    EXPECT_EQ(stressesForHardness(table.record(Grade1), "300", false)->hardness, 300);
}

TEST_F(AllowableStresses, OutsideTheRangeZeroAndTheRangeMessage) {
    for (const char* hardness : {"700", "99.9", "", "abc", "650.1"}) {
        const auto stresses = stressesForHardness(table.record(Grade1), hardness, true);
        ASSERT_TRUE(stresses) << hardness;
        EXPECT_FALSE(stresses->withinRange);
        EXPECT_EQ(stresses->hardness, 0);
        EXPECT_EQ(stresses->note, "Hardness must be between 100 and 650 for the AGMA 2001");
        EXPECT_EQ(stresses->sac, "0");
        EXPECT_EQ(stresses->sat, "0");
    }
}

TEST_F(AllowableStresses, MaterialsWithoutARangeKeepTheirBoxes) {
    EXPECT_EQ(stressesForHardness(table.record(FlameHardened), "500", false), std::nullopt);
    EXPECT_EQ(stressesForHardness(table.record(DuctileIron), "140", false), std::nullopt);
    EXPECT_EQ(stressesForHardness(table.record(1), "140", false), std::nullopt); // "Steel": no data
}

TEST_F(AllowableStresses, FullyReversingTakesSeventyPercentOfSat) {
    const auto stresses = stressesForHardness(table.record(Grade1), "300", true);
    EXPECT_EQ(stresses->sat, "25,193"); // 35,990 · 0.7
    EXPECT_EQ(stresses->satUnreversed, "35,990");
    EXPECT_EQ(stresses->sac, "125,700");
}

TEST_F(AllowableStresses, BestMaterialsTakeTheUpperEnds) {
    const MaterialRecord iron = table.record(DuctileIron);
    EXPECT_EQ(rangeStresses(iron, true, false).sac, "92,000");
    EXPECT_EQ(rangeStresses(iron, true, false).sat, "33,000");
    EXPECT_EQ(rangeStresses(iron, false, false).sac, "77,000");
    EXPECT_EQ(rangeStresses(iron, false, false).sat, "22,000");
    EXPECT_EQ(rangeStresses(iron, true, true).sat, "23,100");
    EXPECT_EQ(rangeStresses(iron, false, true).sat, "15,400");
}

TEST(SatReversal, ClearingRestoresTheTextThatTickingReplaced) {
    SatReversal reversal;
    EXPECT_EQ(reversal.tick("10,002"), "7,001");
    EXPECT_EQ(reversal.clear("7,001"), "10,002"); // not 7,001 / 0.7 = 10,001
    EXPECT_EQ(reversal.tick("30,000.5*"), "21,000*");
    EXPECT_EQ(reversal.clear("21,000*"), "30,000.5*");
    EXPECT_EQ(reversal.tick("35,990"), "25,193");
    EXPECT_EQ(reversal.clear("20,000"), "28,571"); // typed meanwhile: divided back
    EXPECT_EQ(reversal.clear("7,000"), "10,000");  // nothing kept: divided back
    reversal.remember("25,193", "35,990");
    EXPECT_EQ(reversal.clear("25,193"), "35,990");
}

TEST(SatReversal, MarkKeptAndUnreadableTextsLeftAlone) {
    EXPECT_EQ(reducedSat("30,000*"), "21,000*");
    EXPECT_EQ(restoredSat("21,000*"), "30,000*");
    EXPECT_EQ(reducedSat("1e400"), "1e400");
    EXPECT_EQ(reducedSat(""), "");
    // Never a stress from the first digits: 17x000 is not 17 psi.
    EXPECT_EQ(reducedSat("17x000"), "17x000");
    EXPECT_EQ(restoredSat("35,990 psi"), "35,990 psi");
}

} // namespace
} // namespace cindrel::agma
