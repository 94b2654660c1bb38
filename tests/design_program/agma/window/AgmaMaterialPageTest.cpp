// The material page: choosing a member's material in the tree, its hardness,
// the reversing and best-materials boxes, and a design's materials restored.
#include "AgmaWindowFixture.h"

#include "forms/Frame.h"

TEST_F(AgmaWindowTest, AFirstThroughHardenedGradeFillsThePinionsBoxes)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    // SAC = 322 × 100 + 29100, SAT = 77.3 × 100 + 12800 at the lowest hardness.
    EXPECT_EQ(text("txtYoungs", 0), "30,000,000");
    EXPECT_EQ(text("txtPoissons", 0), "0.310");
    EXPECT_EQ(text("txtBHN", 0), "100");
    EXPECT_EQ(text("lblHardType2", 0), "BHN");
    EXPECT_TRUE(visible("lblHardType2", 0));
    EXPECT_FALSE(visible("lblHardType1", 0));
    EXPECT_EQ(text("txtSAC", 0), "61,300");
    EXPECT_EQ(text("txtSAT", 0), "20,530");
    EXPECT_EQ(text("lblNotes"), "AGMA hardness range from 180-400; Cindrel range from 100-650 BHN");
    EXPECT_EQ(text("lblMatSource", 0),
              "AGMA 2001-C95\\Steel\\Through Hardened\\Grade 1: 61,300 psi-SAC 20,530 psi-SAT");
    EXPECT_EQ(text("lblMatSourceType", 0), "Internal material table");
    EXPECT_EQ(text("lblRecordKey", 0), "3a");
    EXPECT_EQ(agma->state().MaterialRow[0], 3);
    EXPECT_EQ(agma->state().MaterialKey[0], "3a");
    // The gear's boxes are untouched.
    EXPECT_EQ(text("txtYoungs", 1), "");
}

TEST_F(AgmaWindowTest, TheTypedHardnessSetsTheStressesWithinTheRangeOnly)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    struct Case {
        const char* hardness;
        const char* sac;
        const char* sat;
        const char* sourceEnd;
        const char* note;
    };
    // 322 × 300 + 29100 = 125700, 77.3 × 300 + 12800 = 35990; 650 is the top of the range.
    const Case cases[] = {
        {"300", "125,700", "35,990", "35,990 psi-SAT @300 BHN", "AGMA hardness range from 180-400; Cindrel range from 100-650 BHN"},
        {"650", "238,400", "63,045", "63,045 psi-SAT @650 BHN", "AGMA hardness range from 180-400; Cindrel range from 100-650 BHN"},
        {"700", "0", "0", "0 psi-SAT @0 BHN", "Hardness must be between 100 and 650 for the AGMA 2001"},
        {"99", "0", "0", "0 psi-SAT @0 BHN", "Hardness must be between 100 and 650 for the AGMA 2001"},
    };
    for (const Case& c : cases) {
        type("txtBHN", 0, c.hardness);
        EXPECT_EQ(text("txtSAC", 0), c.sac) << c.hardness;
        EXPECT_EQ(text("txtSAT", 0), c.sat) << c.hardness;
        const std::string source = text("lblMatSource", 0);
        EXPECT_EQ(source.substr(source.size() - std::string(c.sourceEnd).size()), c.sourceEnd) << source;
        EXPECT_EQ(text("lblNotes"), c.note);
    }
}

TEST_F(AgmaWindowTest, ReversingTakesSeventyPercentAndClearingGivesTheTextBack)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    type("txtBHN", 0, "300");
    check("chkReversing", 0).setCheckValue(1);
    EXPECT_EQ(text("txtSAT", 0), "25,193"); // 35990 × 0.7
    check("chkReversing", 0).setCheckValue(0);
    EXPECT_EQ(text("txtSAT", 0), "35,990");

    // A typed value keeps its mark both ways.
    type("txtSAT", 0, "30,000*");
    check("chkReversing", 0).setCheckValue(1);
    EXPECT_EQ(text("txtSAT", 0), "21,000*");
    check("chkReversing", 0).setCheckValue(0);
    EXPECT_EQ(text("txtSAT", 0), "30,000*");

    // A material chosen while reversing is ticked comes reduced and clears back whole.
    check("chkReversing", 0).setCheckValue(1);
    chooseMaterial(0, rows::ThroughHardenedGrade2);
    EXPECT_EQ(text("txtSAT", 0), "18,620"); // (102 × 100 + 16400) × 0.7
    check("chkReversing", 0).setCheckValue(0);
    EXPECT_EQ(text("txtSAT", 0), "26,600");
    EXPECT_NE(text("lblMatSource", 0).find("psi-SAT"), std::string::npos);
}

TEST_F(AgmaWindowTest, TheSameNodeKeepsTheTypedHardnessAnotherGradeTakesItsLowest)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    type("txtBHN", 0, "300");
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    EXPECT_EQ(text("txtBHN", 0), "300");
    EXPECT_EQ(text("txtSAC", 0), "125,700");
    chooseMaterial(0, rows::ThroughHardenedGrade2);
    EXPECT_EQ(text("txtBHN", 0), "100");
    EXPECT_EQ(text("txtSAC", 0), "69,200"); // 349 × 100 + 34300
}

TEST_F(AgmaWindowTest, DuctileIronShowsTheBestMaterialsBoxWhichTakesTheRangeEnds)
{
    load();
    EXPECT_FALSE(visible("lblBestMaterials"));
    chooseMaterial(0, rows::DuctileIron60);
    EXPECT_TRUE(visible("chkBestMats", 0));
    EXPECT_TRUE(visible("lblBestMaterials"));
    EXPECT_EQ(text("txtSAC", 0), "77,000");
    EXPECT_EQ(text("txtSAT", 0), "22,000");
    check("chkBestMats", 0).setCheckValue(1);
    EXPECT_EQ(text("txtSAC", 0), "92,000");
    EXPECT_EQ(text("txtSAT", 0), "33,000");
    check("chkBestMats", 0).setCheckValue(0);
    EXPECT_EQ(text("txtSAC", 0), "77,000");
    EXPECT_EQ(text("txtSAT", 0), "22,000");
    // A steel grade has no range: the box goes.
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    EXPECT_FALSE(visible("chkBestMats", 0));
    EXPECT_FALSE(visible("lblBestMaterials"));
}

TEST_F(AgmaWindowTest, TheChFrameShowsForAThroughHardenedGearOnly)
{
    load();
    chooseMaterial(0, rows::CarburizedGrade1);
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    EXPECT_TRUE(agma->state().ChApplies);
    EXPECT_TRUE(visible("fraCh"));
    chooseMaterial(1, rows::NitridedGrade1);
    EXPECT_FALSE(agma->state().ChApplies);
    EXPECT_FALSE(visible("fraCh"));
}

TEST_F(AgmaWindowTest, ElasticCoefficientFollowsBothMembersElasticData)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    EXPECT_EQ(text("txtCP"), ""); // the gear has none yet
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    // √(1 / (π · 2 (1 − 0.31²) / 30e6)) = 2298.3
    EXPECT_EQ(text("txtCP"), "2298");
    form().get<forms::CommandButton>(q("cmdPoG"), 1).click();
    type("txtPoissons", 1, "0.3");
    type("txtPoissons", 0, "0.3");
    EXPECT_EQ(text("txtCP"), "2291");
    type("txtPoissons", 1, "0");
    EXPECT_EQ(text("txtCP"), "");
    type("txtPoissons", 1, "1.2");
    EXPECT_EQ(text("txtCP"), "");
}

TEST_F(AgmaWindowTest, TheRootClearsThatMemberOnlyAndANodeWithoutDataShowsEmptyBoxes)
{
    load();
    chooseMaterial(1, rows::ThroughHardenedGrade2);
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    tree().setExpanded(q("1a"), true);
    chooseMaterial(0, 0);
    for (const char* name : {"txtYoungs", "txtPoissons", "txtBHN", "txtSAC", "txtSAT"}) {
        EXPECT_EQ(text(name, 0), "") << name;
        EXPECT_NE(text(name, 1), "") << name;
    }
    EXPECT_FALSE(tree().isExpanded(q("1a")));
    EXPECT_EQ(agma->state().MaterialRow[0], 0);
    EXPECT_EQ(agma->state().MaterialRow[1], 4);

    chooseMaterial(0, rows::Steel);
    for (const char* name : {"txtYoungs", "txtPoissons", "txtBHN", "txtSAC", "txtSAT"})
        EXPECT_EQ(text(name, 0), "") << name;
}

TEST_F(AgmaWindowTest, ADesignWithOnlyAPinionMaterialRestoresThePinionAndClearsTheGear)
{
    load();
    chooseMaterial(0, rows::CarburizedGrade1);
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    // The design file's read: events stopped around its writes, then both keys.
    agma->StopTheEvents(true);
    label("lblRecordKey", 0).setCaption(q("4a"));
    type("txtBHN", 0, "300");
    check("chkReversing", 0).setCheckValue(1);
    label("lblRecordKey", 1).setCaption(q("lblRecordKey"));
    agma->StopTheEvents(false);
    agma->lblRecordKey_Change(0);
    agma->lblRecordKey_Change(1);

    // 349 × 300 + 34300 = 139000; 102 × 300 + 16400 = 47000, × 0.7 for reversing.
    EXPECT_EQ(text("txtBHN", 0), "300");
    EXPECT_EQ(text("txtSAC", 0), "139,000");
    EXPECT_EQ(text("txtSAT", 0), "32,900");
    EXPECT_EQ(text("lblMatSource", 0),
              "AGMA 2001-C95\\Steel\\Through Hardened\\Grade 2: 139,000 psi-SAC 32,900 psi-SAT fully reversing");
    EXPECT_EQ(agma->state().MaterialRow[0], 4);
    EXPECT_EQ(agma->state().MaterialRow[1], 0);
    EXPECT_EQ(agma->state().MaterialKey[1], "");
    for (const char* name : {"txtYoungs", "txtPoissons", "txtBHN", "txtSAC", "txtSAT"})
        EXPECT_EQ(text(name, 1), "") << name;
    EXPECT_FALSE(visible("fraCh"));
    EXPECT_TRUE(log.errors.empty());

    // Clearing the reversing box brings back the whole SAT.
    check("chkReversing", 0).setCheckValue(0);
    EXPECT_EQ(text("txtSAT", 0), "47,000");
}

TEST_F(AgmaWindowTest, ReadingADesignKeepsItsSurfaceHardnessAnotherMaterialTakesItsRows)
{
    load();
    agma->StopTheEvents(true);
    label("lblRecordKey", 0).setCaption(q("4a"));
    type("txtBHN", 0, "360");
    type("txtSurfaceBHN", 0, "360");
    label("lblRecordKey", 1).setCaption(q("3a"));
    type("txtBHN", 1, "240");
    type("txtSurfaceBHN", 1, "");
    agma->StopTheEvents(false);
    agma->lblRecordKey_Change(0);
    agma->lblRecordKey_Change(1);
    EXPECT_EQ(text("txtSurfaceBHN", 0), "360");
    EXPECT_EQ(text("txtSurfaceBHN", 1), "") << "an empty box takes its row's, empty for through hardened";

    chooseMaterial(0, rows::CarburizedGrade1);
    EXPECT_EQ(text("txtSurfaceBHN", 0), "560");
}

TEST_F(AgmaWindowTest, AKeyNamingNoNodeLeavesThatMemberWithoutMaterial)
{
    load();
    chooseMaterial(0, rows::ThroughHardenedGrade1);
    chooseMaterial(1, rows::ThroughHardenedGrade1);
    agma->StopTheEvents(true);
    label("lblRecordKey", 1).setCaption(q("90a")); // its user table is gone
    agma->StopTheEvents(false);
    agma->lblRecordKey_Change(0);
    agma->lblRecordKey_Change(1);
    EXPECT_EQ(agma->state().MaterialRow[0], 3);
    EXPECT_EQ(agma->state().MaterialRow[1], 0);
    EXPECT_EQ(text("txtYoungs", 1), "");
    EXPECT_EQ(text("txtYoungs", 0), "30,000,000");
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0].other, "Trouble setting material tree node to file value.");
}

TEST_F(AgmaWindowTest, ChoosingAMemberEnablesItsBoxesAndSelectsItsMaterial)
{
    load();
    chooseMaterial(0, rows::CarburizedGrade1);
    chooseMaterial(1, rows::DuctileIron60);
    form().get<forms::CommandButton>(q("cmdPoG"), 0).click();
    EXPECT_EQ(tree().selectedKey().toStdString(), "21a");
    EXPECT_TRUE(tree().isExpanded(q("20a")));
    EXPECT_TRUE(box("txtSAT", 0).enabled());
    EXPECT_FALSE(box("txtSAT", 1).enabled());
    EXPECT_FALSE(check("chkReversing", 1).enabled());
    EXPECT_EQ(form().get<forms::CommandButton>(q("cmdPoG"), 0).font().pointSize(), 14);
    EXPECT_EQ(form().get<forms::CommandButton>(q("cmdPoG"), 1).font().pointSize(), 12);
    EXPECT_EQ(text("lblNotes"), "");
    // Carburized: a unit in HRC beside the box.
    EXPECT_EQ(text("lblHardType2", 0), "HRC");
}
