#include "ProportionsFixture.h"
#include "GoldenTables.h"

#include "model/T_Gear.h"
#include "results/TableRun.h"

#include <gtest/gtest.h>

namespace cindrel::sequence {
namespace {

using namespace testing;
using results::ResultTable;
using namespace results::ResultRow;

// J and I as the tables show them.
std::string threeDecimals(double value) { return results::TableRun::format(value, "0.000"); }

struct ProportionTablesTest : ::testing::Test, ProportionsFixture {
    const ResultTable& table(std::string_view step) const { return *navigator->state(step).StateString; }
    std::string cell(std::string_view step, int row, int column) const
    {
        return results::cellText(table(step).at(row, column), nullptr);
    }
    std::string cell(std::string_view step, std::string_view key, int column) const
    {
        return cellOfKey(table(step), key, column);
    }
    std::vector<std::string> keys(std::string_view step) const { return keysOf(table(step)); }
    void expectGoldenTables(const std::string& design, std::initializer_list<std::string_view> steps)
    {
        std::string text;
        for (const std::string_view step : steps)
            text += "[" + std::string(step) + "]\n" + describe(table(step));
        expectGolden(design + ".tables", text);
        expectGolden(design + ".clipboard", clipboard.text.value_or(""));
        EXPECT_TRUE(runLog.errors.empty()) << runLog.errors.front().description;
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().second;
    }
    int agmaFills() const
    {
        int fills = 0;
        for (const auto& write : watched.agmaWrites)
            fills += write.control.name == "txtEye" ? 1 : 0;
        return fills;
    }
};

const std::vector<std::string> spurKeys = {"RO",        "RR",     "AddF",    "Add",   "DedF",  "Ded",   "WDF",
                                           "WD",        "Clearance", "BaseClear", "TopLand", "The_od", "HPSTC",
                                           "The_p",     "LPSTC",  "The_lc",  "R_lc",  "Z",     "Mp",    "Lmin"};

TEST_F(ProportionTablesTest, SpurWithAHobbedPinion)
{
    // 20/40 at Pd 10 and 20 degrees, addendum factor 1, whole depth factor
    // 2.25, no edge break, standard centre distance 3 in. By hand:
    //   tips 1.1 and 2.1 in, roots 1.0 - 0.125 = 0.875 and 1.875 in,
    //   clearance 3 - 1.875 - 1.1 = 0.025 in;
    //   base radii cos 20 = 0.939693 and 1.879385 in; roll lengths to the
    //   tips sqrt(1.1^2 - 0.939693^2) = 0.571820 and sqrt(2.1^2 - 1.879385^2)
    //   = 0.936969 in; Z = 0.571820 + 0.936969 - 3 sin 20 = 0.482729 in;
    //   base pitch pi / 10 cos 20 = 0.295213 in, so Mp = 1.635;
    //   roll angle at the pinion's tip 0.571820 / 0.939693 rad = 34.866 deg.
    // Hob for Pd_n 1: addendum 1.25, edge radius 0.3, thickness pi/2: at
    //   Pd 10 0.125, 0.030 and 0.157 in; tip-to-flank 0.03 (1 - sin 20) =
    //   0.020 in; half flat pi/40 - (0.125 - 0.019739) tan 20 - 0.03 cos 20
    //   = 0.012 in; rack shift 0.
    set("lblFilletType", "1", 0);
    set("chkAGMA", "1");
    startSteps();
    nextUntil("Pinion Hob");
    ASSERT_EQ(current(), "Pinion Hob");
    const std::string accepted = describe(table("Tooth Proportions"));
    EXPECT_EQ(keys("Tooth Proportions"), spurKeys);
    EXPECT_EQ(cell("Tooth Proportions", "RO", PinionValue), "1.100");
    EXPECT_EQ(cell("Tooth Proportions", "RR", GearValue), "1.875");
    EXPECT_EQ(cell("Tooth Proportions", "Clearance", PinionValue), "0.025");
    EXPECT_EQ(cell("Tooth Proportions", "Z", PinionValue), "0.483");
    EXPECT_EQ(cell("Tooth Proportions", "Mp", GearValue), "1.635");
    EXPECT_EQ(cell("Tooth Proportions", "The_od", PinionValue), "34.866");

    const int setsBefore = clipboard.sets;
    const int fillsBefore = agmaFills();
    next();
    ASSERT_EQ(current(), "AGMA Factors");
    // The nested "Tooth Proportions" run and the hob table each put the path on the clipboard.
    EXPECT_EQ(clipboard.sets - setsBefore, 2);
    // Choosing the window fills it, and the table twice more with its J.
    EXPECT_EQ(agmaFills() - fillsBefore, 3);
    EXPECT_EQ(agma("txtJay", 0), results::TableRun::format(navigator->JFactors[0], "0.###"));

    const ResultTable& hob = table("Pinion Hob");
    ASSERT_EQ(hob.rowCount(), 14);
    EXPECT_EQ(describe(hob.at(13, Key)), "empty");
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(cell("Pinion Hob", row, GearValue), "FRR") << row;
    EXPECT_EQ(cell("Pinion Hob", "HobTTK", PinionValue), "0.157");
    EXPECT_EQ(cell("Pinion Hob", "HobAdd", PinionValue), "0.125");
    EXPECT_EQ(cell("Pinion Hob", "Tip2Flank", PinionValue), "0.020");
    EXPECT_EQ(cell("Pinion Hob", "HalfFlat", PinionValue), "0.012");
    EXPECT_EQ(cell("Pinion Hob", "RackShift", PinionValue), "0.000");
    EXPECT_EQ(cell("Pinion Hob", "Jay", PinionValue), threeDecimals(navigator->JFactors[0]));
    EXPECT_EQ(cell("Pinion Hob", "Eye", GearValue), cell("Pinion Hob", "Eye", PinionValue));
    // Rebuilt at the hob step: no J and I rows, as without a hob.
    EXPECT_EQ(keys("Tooth Proportions"), spurKeys);
    expectGolden("spur_pinion_hob.accepted", accepted);
    expectGoldenTables("spur_pinion_hob", {"Tooth Proportions", "Pinion Hob"});
}

TEST_F(ProportionTablesTest, HelicalWithOneEdgeBreakAndFullFillets)
{
    // 25/50 at Pd_n 8, 15 degrees helix, 20 degrees normal, face 2; an edge
    // break of 0.01 in on the gear only.
    model::testing::setUpHelicalPair(Oset);
    Oset.oGear->aaEdgeBreak(0, 0.01);
    Oset.oGear->aaEdgeBreak(1, 0.01);
    startSteps();
    nextUntil("Agma on Main");
    ASSERT_EQ(current(), "Agma on Main");
    std::vector<std::string> expected = {"RO-EGB"};
    expected.insert(expected.end(), spurKeys.begin(), spurKeys.end());
    expected.insert(expected.end(), {"Mn", "Ch", "Jay", "Jay*KF", "minRF", "RTan", "Eye"});
    EXPECT_EQ(keys("Tooth Proportions"), expected);
    // Without an edge break the pinion shows its tip at the minimum addendum;
    // the gear's is 0.01 in in.
    EXPECT_EQ(cell("Tooth Proportions", "RO-EGB", PinionValue), cell("Tooth Proportions", "RO", PinionValue));
    EXPECT_NE(cell("Tooth Proportions", "RO-EGB", GearValue), cell("Tooth Proportions", "RO", GearValue));
    EXPECT_EQ(cell("Tooth Proportions", "Jay", PinionValue), threeDecimals(navigator->JFactors[0]));
    EXPECT_EQ(cell("Tooth Proportions", "Eye", PinionValue), threeDecimals(navigator->IFactor));
    expectGoldenTables("helical_edge_break", {"Tooth Proportions"});
}

TEST_F(ProportionTablesTest, DiameterFormDoublesOnlyTheRadiusRows)
{
    model::testing::setUpHelicalPair(Oset);
    Oset.oGear->aaEdgeBreak(1, 0.01);
    startSteps();
    nextUntil("Agma on Main");
    const std::vector<std::string> radii = {cell("Tooth Proportions", "RO-EGB", PinionValue),
                                            cell("Tooth Proportions", "RO", PinionValue),
                                            cell("Tooth Proportions", "R_lc", GearValue),
                                            cell("Tooth Proportions", "minRF", GearValue),
                                            cell("Tooth Proportions", "RTan", GearValue)};
    settings.diamRad = 2;
    previous();
    next();
    ASSERT_EQ(current(), "Agma on Main");
    EXPECT_EQ(cell("Tooth Proportions", "RO-EGB", PinionValue), radii[0]);
    EXPECT_EQ(cell("Tooth Proportions", "RO-EGB", Description), "(in) Addendum radius (with edge break)");
    // Within the rounding of the radius shown: the diameter is formatted itself.
    EXPECT_NEAR(std::stod(cell("Tooth Proportions", "RO", PinionValue)), 2 * std::stod(radii[1]), 0.0011);
    EXPECT_NEAR(std::stod(cell("Tooth Proportions", "R_lc", GearValue)), 2 * std::stod(radii[2]), 0.0011);
    EXPECT_EQ(cell("Tooth Proportions", "minRF", GearValue), radii[3]);
    EXPECT_NEAR(std::stod(cell("Tooth Proportions", "RTan", GearValue)), 2 * std::stod(radii[4]), 0.0011);
    EXPECT_EQ(cell("Tooth Proportions", "RO", Description), "(in) Tip  (diameter)");
    EXPECT_EQ(cell("Tooth Proportions", "R_lc", Description), "(in)  (diameter) at lowest point of contact");
    EXPECT_EQ(cell("Tooth Proportions", "RTan", Description), "(in) Minimum involute point (diameter)");
    EXPECT_EQ(cell("Tooth Proportions", "minRF", Description), "(in) Minimum fillet radius ");
}

TEST_F(ProportionTablesTest, SpurMetricDiametersBothHobs)
{
    metric = true;
    settings.diamRad = 2;
    set("lblFilletType", "1", 0);
    set("lblFilletType", "1", 1);
    startSteps();
    nextUntil("Gear Hob");
    ASSERT_EQ(current(), "Gear Hob");
    ASSERT_EQ(table("Pinion Hob").rowCount(), 8);
    // Metric: 0.157 in is 3.990 mm; the pressure angle stays in degrees.
    EXPECT_EQ(cell("Pinion Hob", "HobTTK", PinionValue), "3.990");
    EXPECT_EQ(cell("Pinion Hob", "HobTTK", Description),
              "(mm) Hob thickness (at the standard pitch radius = generating radius)");
    EXPECT_EQ(cell("Pinion Hob", "HobPhi", PinionValue), "20.000");
    EXPECT_EQ(cell("Pinion Hob", "HobPhi", Description), "Hob pressure angle \xC2\xB0");

    // A format changed between the hob steps: the copied pinion cells keep
    // the form they were built in.
    settings.formatChoice = 7;
    next();
    ASSERT_EQ(current(), "Agma on Main");
    ASSERT_EQ(table("Gear Hob").rowCount(), 14);
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(cell("Gear Hob", row, PinionValue), cell("Pinion Hob", row, PinionValue)) << row;
    EXPECT_EQ(cell("Gear Hob", "HobTTK", GearValue), "3.99");
    EXPECT_EQ(cell("Gear Hob", "RackShift", PinionValue), "0.00");
    EXPECT_EQ(describe(table("Gear Hob").at(12, PinionValue)), "double " + results::cellText(navigator->IFactor, nullptr));
    EXPECT_TRUE(cell("Gear Hob", "RTan", Description).ends_with(" (diameter)"));
    EXPECT_EQ(cell("Tooth Proportions", "Lmin", Description), "(mm) Min length of contact");
    EXPECT_FALSE(navigator->state("Pinion Hob").PrintVariables);
    expectGoldenTables("spur_metric_both_hobs", {"Tooth Proportions", "Pinion Hob", "Gear Hob"});

    // The next pass through "Tooth Proportions" shows the pinion's hob again.
    previous();
    previous();
    previous();
    ASSERT_EQ(current(), "Tooth Proportions");
    next();
    EXPECT_TRUE(navigator->state("Pinion Hob").PrintVariables);
}

TEST_F(ProportionTablesTest, HelicalWithTheGearAloneHobbed)
{
    model::testing::setUpHelicalPair(Oset);
    set("lblFilletType", "1", 1);
    startSteps();
    nextUntil("Agma on Main");
    ASSERT_EQ(current(), "Agma on Main");
    const ResultTable& hob = table("Gear Hob");
    ASSERT_EQ(hob.rowCount(), 14);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(cell("Gear Hob", row, PinionValue), "FRR") << row;
    for (int column = 0; column < ColumnCount; ++column)
        EXPECT_EQ(describe(hob.at(13, column)), "empty") << column;
    EXPECT_TRUE(navigator->state("Tooth Proportions").PrintVariables);
    expectGoldenTables("helical_gear_hob", {"Tooth Proportions", "Gear Hob"});
}

TEST_F(ProportionTablesTest, HelicalBothHobs)
{
    model::testing::setUpHelicalPair(Oset);
    set("lblFilletType", "1", 0);
    set("lblFilletType", "1", 1);
    set("lblHobNormalVsActual", "1", 1);
    set("txtHobAddendum", "0.15625", 1); // the same hob at Pd_n 8, typed as it is
    set("txtHobEdgeRad", "0.0375", 1);
    set("txtHobTThk", "0.196349540849362", 1);
    startSteps();
    nextUntil("Agma on Main");
    ASSERT_EQ(current(), "Agma on Main");
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(cell("Gear Hob", row, PinionValue), cell("Gear Hob", row, GearValue)) << row;
    expectGoldenTables("helical_both_hobs", {"Tooth Proportions", "Pinion Hob", "Gear Hob"});
}

TEST_F(ProportionTablesTest, ClearanceMarks)
{
    // A pinion tip 0.005 in into the gear's root: only the description of
    // "Clearance" turns red. 10/60: the gear's tip passes the pinion's
    // tangent point, and all of "BaseClear" turns red and italic.
    struct Case {
        int pinionTeeth, gearTeeth;
        const char* pinionAddendum;
        std::int16_t clearanceRed, baseRed, baseItalic;
    };
    for (const Case& c : {Case{20, 40, "1", 0, 0, 0}, Case{20, 40, "1.3", 1, 0, 0}, Case{10, 60, "1", 0, 15, 15}}) {
        model::testing::PairInputs in;
        in.pinionTeeth = c.pinionTeeth;
        in.gearTeeth = c.gearTeeth;
        model::testing::setUpPair(Oset, in);
        set("txtODDim", c.pinionAddendum, 0);
        set("lblWholeDepthHowInput", "1", 0);
        set("txtWholeDepth", "1.25", 0);
        startSteps();
        nextUntil("Agma on Main");
        ASSERT_EQ(current(), "Agma on Main");
        const ResultTable& t = table("Tooth Proportions");
        SCOPED_TRACE(c.pinionAddendum);
        EXPECT_EQ(t.at(8, Key), results::Cell(std::string("Clearance")));
        EXPECT_EQ(t.at(8, RedMask), results::Cell(c.clearanceRed));
        EXPECT_EQ(t.at(8, ItalicMask), results::Cell(std::int16_t{0}));
        EXPECT_EQ(t.at(9, RedMask), results::Cell(c.baseRed));
        EXPECT_EQ(t.at(9, BoldMask), results::Cell(std::int16_t{0}));
        EXPECT_EQ(t.at(9, ItalicMask), results::Cell(c.baseItalic));
    }
}

TEST_F(ProportionTablesTest, GearOnlyRefusalLeavesTheTablesAndTheClipboard)
{
    // The pinion's tip at the centre after the gear hob's check: its top land
    // cannot be worked out, which counts as past the crossover.
    bool tipsAtTheCentre = false;
    StepHandlers handlers = proportionSteps();
    StepHandler gearHob = gearHobStep();
    gearHob.check = [check = gearHob.check, &tipsAtTheCentre](T_StateNavigator& navigator, T_State& state) {
        const bool passed = check(navigator, state);
        if (tipsAtTheCentre)
            navigator.Oset().oPinion->aaAddendumFactor(0, -10);
        return passed;
    };
    handlers.set("Gear Hob", gearHob);
    set("lblFilletType", "1", 1);
    startSteps(std::move(handlers));
    nextUntil("Agma on Main");
    ASSERT_EQ(current(), "Agma on Main");
    const ResultTable gearHobBefore = table("Gear Hob");

    previous();
    previous();
    ASSERT_EQ(current(), "Tooth Proportions");
    next();
    ASSERT_EQ(current(), "Gear Hob");
    const ResultTable proportionsBefore = table("Tooth Proportions");
    const std::optional<std::string> clipboardBefore = clipboard.text;
    const int setsBefore = clipboard.sets;
    const std::size_t errorsBefore = runLog.errors.size();
    tipsAtTheCentre = true;
    next();

    EXPECT_EQ(shownNumbers(), std::vector<int>{4115});
    EXPECT_EQ(current(), "Tooth Thickness");
    EXPECT_EQ(done(), (std::vector<std::string>{"Startup Screen", "Main Inputs", "Center Distance"}));
    EXPECT_EQ(table("Gear Hob"), gearHobBefore);
    EXPECT_EQ(table("Tooth Proportions"), proportionsBefore);
    EXPECT_EQ(clipboard.sets, setsBefore);
    EXPECT_EQ(clipboard.text, clipboardBefore);
    // The top land that could not be worked out is reported once.
    ASSERT_EQ(runLog.errors.size(), errorsBefore + 1);
    EXPECT_EQ(runLog.errors.back().routine, "GetString");
}

} // namespace
} // namespace cindrel::sequence
