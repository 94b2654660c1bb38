#include "agma/AGMA_Materials.h"
#include "agma/MaterialChoice.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace cindrel::agma {
namespace {

class MaterialChoiceTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    MaterialsTable table = AGMA_Materials(folder.path()).Materials().table;
};

constexpr int Steel = 1, Grade1 = 3, DuctileIron = 58, AlloyBronze = 64;

TEST_F(MaterialChoiceTest, FirstChoiceOfThroughHardenedGrade1) {
    const MaterialChoice choice = chooseMaterial(table.record(Grade1), false, "", false);
    EXPECT_EQ(choice.modulus, "30,000,000");
    EXPECT_EQ(choice.poisson, "0.310");
    EXPECT_EQ(choice.hardness, "100");
    EXPECT_EQ(choice.sac, "61,300");  // 322 · 100 + 29,100
    EXPECT_EQ(choice.sat, "20,530");  // 77.3 · 100 + 12,800
    EXPECT_EQ(choice.note, "AGMA hardness range from 180-400; Cindrel range from 100-650 BHN");
    EXPECT_EQ(choice.hardnessUnit, "BHN");
    EXPECT_TRUE(choice.shortUnit);
    EXPECT_FALSE(choice.bestMaterialsShown);
    EXPECT_EQ(choice.sourceType, "Internal material table");
    EXPECT_EQ(materialSourceLine("AGMA 2001-C95\\Steel\\Through Hardened\\Grade 1", choice.sac, choice.sat,
                                 std::nullopt, choice.hardnessUnit, false),
              "AGMA 2001-C95\\Steel\\Through Hardened\\Grade 1: 61,300 psi-SAC 20,530 psi-SAT");
}

TEST_F(MaterialChoiceTest, TheSameMaterialKeepsATypedHardness) {
    const MaterialChoice again = chooseMaterial(table.record(Grade1), true, "300", false);
    EXPECT_EQ(again.hardness, std::nullopt);
    EXPECT_EQ(again.sac, "125,700");
    EXPECT_EQ(again.sat, "35,990");
    EXPECT_EQ(chooseMaterial(table.record(Grade1), true, "0", false).hardness, "100");
    EXPECT_EQ(chooseMaterial(table.record(Grade1), false, "300", false).hardness, "100");
    const MaterialChoice reversing = chooseMaterial(table.record(Grade1), true, "300", true);
    EXPECT_EQ(reversing.sat, "25,193");
    EXPECT_EQ(reversing.satUnreduced, "35,990");
    EXPECT_EQ(materialSourceLine("p", reversing.sac, reversing.sat, 300, "BHN", true),
              "p: 125,700 psi-SAC 25,193 psi-SAT @300 BHN fully reversing");
    EXPECT_EQ(materialSourceLine("p", "0", "0", 0, "BHN", false), "p: 0 psi-SAC 0 psi-SAT @0 BHN");
}

TEST_F(MaterialChoiceTest, NodesWithoutDataShowEmptyBoxes) {
    const MaterialChoice steel = chooseMaterial(table.record(Steel), false, "", false);
    for (const std::string& box : {steel.modulus, steel.poisson, *steel.hardness, steel.sac, steel.sat})
        EXPECT_EQ(box, "");
}

TEST_F(MaterialChoiceTest, TensileStrengthAndBestMaterials) {
    // The bronze's "hardness" is a tensile strength shown with grouping: it
    // must read back as 90,000, not 90.
    const MaterialChoice bronze = chooseMaterial(table.record(AlloyBronze), false, "", false);
    EXPECT_EQ(bronze.hardness, "90,000");
    EXPECT_EQ(bronze.sac, "65,000");
    EXPECT_EQ(bronze.hardnessUnit, "PSI min tensile strength");
    EXPECT_FALSE(bronze.shortUnit);
    EXPECT_EQ(chooseMaterial(table.record(AlloyBronze), true, "90,000", false).hardness, std::nullopt);
    EXPECT_TRUE(chooseMaterial(table.record(DuctileIron), false, "", false).bestMaterialsShown);
}

TEST_F(MaterialChoiceTest, UserTablesNameTheirFile) {
    {
        std::ofstream file(folder.file("shop.TBL"), std::ios::binary);
        file << "h\nh\nh\nh\n0,,,Shop,Through Hardened steel,Shop,29000000,0.29\n";
    }
    const MaterialsTable withFile = AGMA_Materials(folder.path()).Materials().table;
    const MaterialChoice shop = chooseMaterial(withFile.record(65), false, "", false);
    EXPECT_EQ(shop.sourceType, "User defined material table; shop.TBL");
    EXPECT_EQ(shop.modulus, "29,000,000");
    EXPECT_EQ(shop.poisson, "0.290");
    EXPECT_EQ(chooseMaterial(withFile.record(Grade1), false, "", false).sourceType, "Internal material table");
}

} // namespace
} // namespace cindrel::agma
