#include "FirstStepsFixture.h"
#include "GoldenTables.h"

#include "results/ResultTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cindrel::sequence {
namespace {

using namespace testing;
using results::Cell;
using results::ResultTable;
using namespace results::ResultRow;

struct FirstStepsTablesTest : ::testing::Test, FirstStepsFixture {
    // Accepts the three steps; the sequence stands on "Tooth Proportions".
    void acceptAll()
    {
        startSteps();
        nextUntil("Center Distance");
        ASSERT_EQ(current(), "Center Distance");
        nextUntil("Tooth Thickness");
        ASSERT_EQ(current(), "Tooth Thickness");
        afterCentreDistance = clipboard.text.value_or("");
        nextUntil("Tooth Proportions");
        ASSERT_EQ(current(), "Tooth Proportions");
    }

    const ResultTable& table(std::string_view step) const { return *navigator->state(step).StateString; }
    // A value or description cell of the row with the key (the first such row).
    std::string cell(std::string_view step, std::string_view key, int column, int occurrence = 0) const
    {
        return cellOfKey(table(step), key, column, occurrence);
    }
    std::vector<std::string> keys(std::string_view step) const { return keysOf(table(step)); }

    void expectGoldenTables(const std::string& design)
    {
        expectGolden(design + ".tables",
                     "[Main Inputs]\n" + describe(table("Main Inputs")) + "[Center Distance]\n" +
                         describe(table("Center Distance")) + "[Tooth Thickness]\n" +
                         describe(table("Tooth Thickness")));
        expectGolden(design + ".clipboard", clipboard.text.value_or(""));
        EXPECT_TRUE(runLog.errors.empty()) << runLog.errors.front().description;
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().second;
    }

    std::string afterCentreDistance;
};

std::size_t lineCount(const std::string& text)
{
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}

TEST_F(FirstStepsTablesTest, SpurEnglish)
{
    // 20/40 at Pd 10, 20 degrees, face 1 in, standard centre distance;
    // thickness 0.150 / 0.155 in, transverse circular at the operating circle.
    set("txtMinEdgeBreak", "0.005", 0);
    set("txtMaxEdgeBreak", "0.010", 0);
    acceptAll();
    EXPECT_EQ(keys("Main Inputs"), (std::vector<std::string>{"N", "Face", "Rb", "Rp_s", "Ratio", "PHI", "PB", "PC_s", "Pd"}));
    EXPECT_EQ(keys("Center Distance"), (std::vector<std::string>{"DC_s", "DC_o", "Pd_o", "Rp_o", "PC_o", "Phi_o"}));
    EXPECT_EQ(keys("Tooth Thickness"), (std::vector<std::string>{"PC_o", "TTK_o%", "TTK_o", "TTK_s", "TTK_b",
                                                                 "Coefficient", "BackLash", "EGB"}));
    // Rp_s = N / (2 Pd) = 20 / 20 = 1, 40 / 20 = 2 in; Rb = Rp_s cos 20 = 0.939693, 1.879385 in.
    EXPECT_EQ(cell("Main Inputs", "Rp_s", PinionValue), "1.000");
    EXPECT_EQ(cell("Main Inputs", "Rp_s", GearValue), "2.000");
    EXPECT_EQ(cell("Main Inputs", "Rb", PinionValue), "0.940");
    EXPECT_EQ(cell("Main Inputs", "Rb", GearValue), "1.879");
    EXPECT_EQ(cell("Main Inputs", "Rb", Description), "(in) Base  (radius)");
    // PC_s = pi / 10 = 0.314159 in; PB = PC_s cos 20 = 0.295213 in.
    EXPECT_EQ(cell("Main Inputs", "PC_s", PinionValue), "0.314");
    EXPECT_EQ(cell("Main Inputs", "PB", PinionValue), "0.295");
    EXPECT_EQ(cell("Main Inputs", "Pd", PinionValue), "10.000");
    EXPECT_EQ(cell("Main Inputs", "Ratio", GearValue), "2.000");
    // DC = 1 + 2 = 3 in, at the standard distance Rp_o = Rp_s.
    EXPECT_EQ(cell("Center Distance", "DC_o", PinionValue), "3.000");
    EXPECT_EQ(cell("Center Distance", "Rp_o", GearValue), "2.000");
    // Normal backlash PC_on - 2 t: 0.314159 - 0.310 = 0.004159 and 0.314159 - 0.300 = 0.014159.
    EXPECT_EQ(cell("Tooth Thickness", "BackLash", PinionValue), "0.004 / 0.014");
    // TTK_b = 2 Rb (t / 2Rp + inv 20) = 1.879385 (0.075 + 0.014904) = 0.168965, and 0.173663 for 0.155.
    EXPECT_EQ(cell("Tooth Thickness", "TTK_b", PinionValue), "0.169 / 0.174");
    // Each minimum of the sum of both minimums: 0.150 / 0.300 = 50 %.
    EXPECT_EQ(cell("Tooth Thickness", "TTK_o%", GearValue), "50.000");
    // (Pd t - pi/2) / (2 tan 20) = (1.5 - 1.570796) / 0.727940 = -0.0973.
    EXPECT_EQ(cell("Tooth Thickness", "Coefficient", PinionValue), "-0.097");
    EXPECT_EQ(cell("Tooth Thickness", "EGB", PinionValue), "0.010");
    EXPECT_EQ(lineCount(afterCentreDistance), 15u);
    expectGoldenTables("spur_english");
}

// A backlash just below zero (too little to warn of interference) keeps its
// sign when it rounds to zero: a bare "0.000" would read as no play at all.
TEST(FirstStepsBacklash, JustBelowZeroShowsItsSign)
{
    const struct {
        bool metric;
        const char* pitch;
        const char* minimum;
        const char* maximum;
        const char* backlash;
        const char* description;
    } cases[] = {
        // Pd 10: PC_o = pi / 10 = 0.3141593 in; 0.3141593 - 2 x 0.15710 =
        // -0.0000407 in, and 0.3141593 - 2 x 0.150 = 0.0141593 in.
        {false, "10", "0.150", "0.15710", "-0.000 / 0.014", "(in) Normal backlash (min/max)"},
        // Module 2.54: PC_o = 2.54 pi = 7.979645 mm; 7.979645 - 2 x 3.99005 =
        // -0.000455 mm, and 7.979645 - 2 x 3.81 = 0.359645 mm.
        {true, "2.54", "3.81", "3.99005", "-0.000 / 0.360", "(mm) Normal backlash (min/max)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.backlash);
        FirstStepsFixture f;
        f.metric = c.metric;
        f.set("txtDP", c.pitch);
        for (int member : {0, 1}) {
            f.set("txtMinTThk", c.minimum, member);
            f.set("txtMaxTThk", c.maximum, member);
        }
        f.startSteps();
        f.nextUntil("Tooth Proportions");
        ASSERT_EQ(f.current(), "Tooth Proportions");
        EXPECT_TRUE(f.messages.shown.empty()) << f.messages.shown.front().second;
        const ResultTable& table = *f.navigator->state("Tooth Thickness").StateString;
        EXPECT_EQ(cellOfKey(table, "BackLash", PinionValue, 0), c.backlash);
        EXPECT_EQ(cellOfKey(table, "BackLash", Description, 0), c.description);
    }
}

TEST_F(FirstStepsTablesTest, HelicalEnglishGivenInTheNormalPlaneWithPackedAngles)
{
    // 25/50, Pd_n 8 and 20 degrees in the normal plane, helix 15 degrees 30
    // minutes, face 2 in, operating centre distance 4.875 in; thickness 50 %
    // of PC_o less a backlash of 0.004 to 0.008 in.
    set("txtNumTeeth", "25", 0);
    set("txtNumTeeth", "50", 1);
    set("txtFaceWidth", "2", 0);
    set("txtFaceWidth", "2", 1);
    set("lblToothOrient", "1");
    set("lblHAHowMeasured", "2");
    set("lblHelixAngleDMS", "153000");
    set("txtDP", "8");
    set("lblDPPlane", "0");
    set("lblPAHowMeasured", "2");
    set("lblPADMS", "200000");
    set("lblPAPlane", "0");
    set("lblOCDHowInput", "1");
    set("txtOCD", "4.875");
    set("txtMinBL", "0.004");
    set("txtMaxBL", "0.008");
    for (int i : {0, 1})
        set("lblTThkHowInput", "0", i);
    acceptAll();
    EXPECT_EQ(keys("Main Inputs"), (std::vector<std::string>{"N", "Face", "Rb", "Rp_s", "Ratio", "PHI", "Phi_n", "PSI",
                                                             "Psi_b", "Mf", "Px", "PN", "PB", "PC_s", "Pd", "Pd_n"}));
    EXPECT_EQ(keys("Center Distance"), (std::vector<std::string>{"DC_s", "DC_o", "Pd_o", "Pd_on", "Psi_o", "Rp_o",
                                                                 "PC_o", "PC_on", "PC_sn", "Phi_o", "Phi_on"}));
    // Pd = 8 cos 15.5 = 7.709044; Rp_s = 25 / 15.418088 = 1.621472, 3.242944 in;
    // DC_s = 4.864417 in. PHI = atan(tan 20 / cos 15.5) = atan(0.377700) = 20.6919;
    // Rb = 1.621472 cos 20.6919 = 1.516877 in.
    EXPECT_EQ(cell("Main Inputs", "Pd", PinionValue), "7.709");
    EXPECT_EQ(cell("Main Inputs", "Rp_s", GearValue), "3.243");
    EXPECT_EQ(cell("Main Inputs", "Rb", PinionValue), "1.517");
    EXPECT_EQ(cell("Main Inputs", "PHI", PinionValue), "20.692");
    EXPECT_EQ(cell("Main Inputs", "PSI", PinionValue), "15.500");
    // PC_s = pi / 7.709044 = 0.407520; PN = pi cos 20 / 8 = 0.369016; PB = 0.407520 cos 20.6919 = 0.381233;
    // Px = pi / (tan 15.5 * 7.709044) = 1.469471 in, without a label in inches.
    EXPECT_EQ(cell("Main Inputs", "PC_s", PinionValue), "0.408");
    EXPECT_EQ(cell("Main Inputs", "PN", PinionValue), "0.369");
    EXPECT_EQ(cell("Main Inputs", "PB", PinionValue), "0.381");
    EXPECT_EQ(cell("Main Inputs", "Px", PinionValue), "1.469");
    EXPECT_EQ(cell("Main Inputs", "Px", Description), "Axial pitch");
    EXPECT_EQ(cell("Center Distance", "DC_s", PinionValue), "4.864");
    // Rp_o = Rp_s * 4.875 / 4.864417 = 1.625, 3.25 in; Pd_o = 25 / 3.25 = 7.692308; PC_o = 0.408407.
    EXPECT_EQ(cell("Center Distance", "Rp_o", PinionValue), "1.625");
    EXPECT_EQ(cell("Center Distance", "Pd_o", PinionValue), "7.692");
    EXPECT_EQ(cell("Center Distance", "PC_o", PinionValue), "0.408");
    // Thickness (PC_o - 0.008) / 2 to (PC_o - 0.004) / 2: transverse backlash exactly
    // 0.004 to 0.008; normal PC_on - cos 15.5 (PC_o - 0.004) = 0.393492 - 0.389699 = 0.003793
    // to 0.393492 - 0.385844 = 0.007648.
    EXPECT_EQ(cell("Tooth Thickness", "BackLash", PinionValue, 0), "0.004 / 0.008");
    EXPECT_EQ(cell("Tooth Thickness", "BackLash", Description, 0), "(in) Transverse backlash (min/max)");
    EXPECT_EQ(cell("Tooth Thickness", "BackLash", PinionValue, 1), "0.004 / 0.008");
    EXPECT_EQ(cell("Tooth Thickness", "TTK_o", PinionValue), "0.200 / 0.202");
    expectGoldenTables("helical_english");
}

TEST_F(FirstStepsTablesTest, SpurMetricInternal)
{
    // 20/60 internal, module 2.5 mm, 20 degrees, face 25 mm, centre distance
    // 0.1 mm under standard; addendum modification 0.1 on the pinion and -0.1
    // on the ring gear, backlash 0.05 to 0.1 mm; pinion edge break 0.2 mm.
    metric = true;
    set("txtNumTeeth", "60", 1);
    set("txtFaceWidth", "25", 0);
    set("txtFaceWidth", "25", 1);
    set("txtDP", "2.5");
    set("lblMeshOption", "-1");
    Oset.aaInternal_External(-1);
    set("lblOCDHowInput", "2");
    set("txtOCD", "-0.1");
    set("txtMinBL", "0.05");
    set("txtMaxBL", "0.1");
    set("lblTThkHowInput", "4", 0);
    set("lblTThkHowInput", "4", 1);
    set("txtAddendumMod", "0.1", 0);
    set("txtAddendumMod", "-0.1", 1);
    set("txtMinEdgeBreak", "0.2", 0);
    acceptAll();
    EXPECT_EQ(keys("Main Inputs"), (std::vector<std::string>{"N", "Face", "Rb", "Rp_s", "Ratio", "PHI", "PB", "PC_s", "Mod"}));
    // Rp_s = m N / 2 = 25, 75 mm; Rb = 25 cos 20 = 23.492316, 70.476947 mm;
    // DC_s = 75 - 25 = 50 mm; PC_s = pi 2.5 = 7.853982 mm; PB = 7.853982 cos 20 = 7.380329 mm.
    EXPECT_EQ(cell("Main Inputs", "Rp_s", PinionValue), "25.000");
    EXPECT_EQ(cell("Main Inputs", "Rb", GearValue), "70.477");
    EXPECT_EQ(cell("Main Inputs", "Rb", Description), "(mm) Base  (radius)");
    EXPECT_EQ(cell("Main Inputs", "Face", PinionValue), "25.000");
    EXPECT_EQ(cell("Main Inputs", "PC_s", PinionValue), "7.854");
    EXPECT_EQ(cell("Main Inputs", "PB", PinionValue), "7.380");
    EXPECT_EQ(cell("Main Inputs", "Mod", PinionValue), "2.500");
    EXPECT_EQ(cell("Main Inputs", "Mod", Description), "Transverse standard module");
    // cos(phi_o) = (70.476947 - 23.492316) / 49.9 = 0.941576, phi_o = 19.6821;
    // Rp_o = 23.492316 / 0.941576 = 24.950 mm, 74.850 mm; module 2 * 24.95 / 20 = 2.495;
    // PC_o = pi 2.495 = 7.838274 mm.
    EXPECT_EQ(cell("Center Distance", "DC_s", PinionValue), "50.000");
    EXPECT_EQ(cell("Center Distance", "DC_o", PinionValue), "49.900");
    EXPECT_EQ(cell("Center Distance", "Rp_o", PinionValue), "24.950");
    EXPECT_EQ(cell("Center Distance", "Rp_o", GearValue), "74.850");
    EXPECT_EQ(cell("Center Distance", "Mod_o", PinionValue), "2.495");
    EXPECT_EQ(cell("Center Distance", "PC_o", PinionValue), "7.838");
    EXPECT_EQ(cell("Center Distance", "Phi_o", PinionValue), "19.682");
    // Standard thickness (pi/2 + 2x tan 20) / Pd less half the other limit's
    // backlash, carried to the operating circle with the member's sign:
    // pinion 4.0868 to 4.1118 mm, ring gear 3.5794 to 3.6044 mm; normal
    // backlash 7.838274 - 4.111806 - 3.604371 = 0.122 to 0.172 mm.
    EXPECT_EQ(cell("Tooth Thickness", "TTK_o", PinionValue), "4.087 / 4.112");
    EXPECT_EQ(cell("Tooth Thickness", "TTK_o", GearValue), "3.579 / 3.604");
    EXPECT_EQ(cell("Tooth Thickness", "BackLash", PinionValue), "0.122 / 0.172");
    EXPECT_EQ(cell("Tooth Thickness", "EGB", PinionValue), "0.200");
    expectGoldenTables("spur_metric_internal");
}

TEST_F(FirstStepsTablesTest, HelicalMetricOverAMetre)
{
    // 40/160, normal module 10 mm, 20 degrees normal, helix 20 degrees, face
    // 100 mm, standard centre distance; chordal normal thickness at the
    // standard circle (no box ticked) 15.55 to 15.60 and 15.60 to 15.65 mm;
    // edge break 0.5 mm given as a minimum only.
    metric = true;
    set("txtNumTeeth", "40", 0);
    set("txtNumTeeth", "160", 1);
    set("txtFaceWidth", "100", 0);
    set("txtFaceWidth", "100", 1);
    set("lblToothOrient", "1");
    set("txtHelixAngleDEG", "20");
    set("txtDP", "10");
    set("lblDPPlane", "0");
    for (int i : {0, 1}) {
        for (const char* box : {"chkCircularTThk", "chkTThkTransverse", "chkTThkOperating"})
            set(box, "0", i);
        set("txtMinEdgeBreak", "0.5", i);
    }
    set("txtMinTThk", "15.55", 0);
    set("txtMaxTThk", "15.60", 0);
    set("txtMinTThk", "15.60", 1);
    set("txtMaxTThk", "15.65", 1);
    acceptAll();
    // Rp_s = m_n N / (2 cos 20) = 10 * 40 / 1.879385 = 212.835554 mm, 851.342218 mm;
    // DC_s = 1064.177772 mm; PHI = atan(tan 20 / cos 20) = 21.1728;
    // Rb = 212.835554 cos 21.1728 = 198.468126 mm.
    EXPECT_EQ(cell("Main Inputs", "Rp_s", PinionValue), "212.836");
    EXPECT_EQ(cell("Main Inputs", "Rp_s", GearValue), "851.342");
    EXPECT_EQ(cell("Main Inputs", "Rb", PinionValue), "198.468");
    EXPECT_EQ(cell("Main Inputs", "PHI", PinionValue), "21.173");
    // Modules 10 / cos 20 = 10.641778 and 10; PC_s = pi 10.641778 = 33.432131 mm;
    // PN = pi 10 cos 20 = 29.521314 mm; PB = 33.432131 cos 21.1728 = 31.175300 mm;
    // Px = pi 10 / sin 20 = 91.854024 mm, labelled in millimetres.
    EXPECT_EQ(cell("Main Inputs", "Mod", PinionValue), "10.642");
    EXPECT_EQ(cell("Main Inputs", "Mod_n", PinionValue), "10.000");
    EXPECT_EQ(cell("Main Inputs", "PC_s", PinionValue), "33.432");
    EXPECT_EQ(cell("Main Inputs", "PN", PinionValue), "29.521");
    EXPECT_EQ(cell("Main Inputs", "PB", PinionValue), "31.175");
    EXPECT_EQ(cell("Main Inputs", "Px", PinionValue), "91.854");
    EXPECT_EQ(cell("Main Inputs", "Px", Description), "(mm) Axial pitch");
    EXPECT_EQ(cell("Center Distance", "DC_s", PinionValue), "1,064.178");
    EXPECT_EQ(cell("Center Distance", "DC_o", GearValue), "1,064.178");
    EXPECT_EQ(cell("Center Distance", "Mod_on", PinionValue), "10.000");
    // Chord to arc on the standard radius, 2R asin(c / 2R): 15.553461 to 15.603494
    // and 15.600218 to 15.650220 mm normal; normal backlash pi 10 less the two
    // maximums = 31.415927 - 31.253714 = 0.162 to 0.262 mm; transverse
    // 33.432131 less the two maximums over cos 20 = 0.173 to 0.279 mm.
    EXPECT_EQ(cell("Tooth Thickness", "TTK_sn", PinionValue), "15.553 / 15.603");
    EXPECT_EQ(cell("Tooth Thickness", "BackLash", PinionValue, 0), "0.173 / 0.279");
    EXPECT_EQ(cell("Tooth Thickness", "BackLash", PinionValue, 1), "0.162 / 0.262");
    EXPECT_EQ(cell("Tooth Thickness", "EGB", GearValue), "0.500");
    // Grouped digits are quoted on the clipboard, so that the line keeps four fields.
    EXPECT_NE(clipboard.text->find("DC_s,\"1,064.178\",\"1,064.178\",(mm) Standard center distance\r\n"),
              std::string::npos);
    expectGoldenTables("helical_metric_large");
}

TEST_F(FirstStepsTablesTest, DiameterFormAndTwoDecimals)
{
    settings.diamRad = 2;
    settings.formatChoice = 7;
    acceptAll();
    // Diameters: base 2 * 0.939693 = 1.879385 and 3.758770 in; pitch 2 and 4 in.
    EXPECT_EQ(cell("Main Inputs", "Rb", PinionValue), "1.88");
    EXPECT_EQ(cell("Main Inputs", "Rb", GearValue), "3.76");
    EXPECT_EQ(cell("Main Inputs", "Rb", Description), "(in) Base  (diameter)");
    EXPECT_EQ(cell("Main Inputs", "Rp_s", GearValue), "4.00");
    EXPECT_EQ(cell("Main Inputs", "Rp_s", Description), "(in) Standard pitch  (diameter)");
    EXPECT_EQ(cell("Center Distance", "Rp_o", PinionValue), "2.00");
    EXPECT_EQ(cell("Center Distance", "Rp_o", Description), "(in) Operating pitch  (diameter)");
    // Only radius rows change form.
    EXPECT_EQ(cell("Center Distance", "DC_o", PinionValue), "3.00");
    EXPECT_EQ(cell("Main Inputs", "Face", PinionValue), "1.00");
    EXPECT_EQ(cell("Tooth Thickness", "TTK_o", PinionValue), "0.15 / 0.16"); // 0.155 rounds away from zero
    EXPECT_EQ(cell("Tooth Thickness", "TTK_o%", PinionValue), "50.00");
}

} // namespace
} // namespace cindrel::sequence
