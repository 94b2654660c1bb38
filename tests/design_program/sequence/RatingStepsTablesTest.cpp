#include "RatingStepsFixture.h"
#include "GoldenTables.h"

#include "results/ResultTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace cindrel::sequence {
namespace {

using namespace testing;
using results::Cell;
using results::ResultTable;
using namespace results::ResultRow;

struct RatingTables : RatingStepsFixture {
    using RatingStepsFixture::RatingStepsFixture;

    // Walks to the last step; false when a step stops.
    bool acceptAll() { return nextTo(steps::ScoringGraphs); }

    const ResultTable& table(std::string_view step) const { return *navigator->state(step).StateString; }
    // Every step's table of the path, headed by the step's name.
    std::string tables() const
    {
        std::string text;
        for (const std::string& name : navigator->StateCollection().Keys()) {
            const T_State& state = navigator->state(name);
            if (state.StateString)
                text += "[" + name + "]\n" + describe(*state.StateString);
        }
        return text;
    }
    std::vector<std::string> keys(std::string_view step) const
    {
        std::vector<std::string> keys;
        const ResultTable& t = table(step);
        for (int row = 0; row < t.rowCount(); ++row)
            keys.push_back(results::cellText(t.at(row, Key), nullptr));
        return keys;
    }
    // A cell as shown, of the first row with the key.
    std::string cell(std::string_view step, std::string_view key, int column) const
    {
        const ResultTable& t = table(step);
        for (int row = 0; row < t.rowCount(); ++row) {
            if (results::cellText(t.at(row, Key), nullptr) == key)
                return results::cellText(t.at(row, column), [this](const results::LabelRef& label) {
                    return controls.value({label.window, label.name, label.index});
                });
        }
        ADD_FAILURE() << "no row " << key;
        return {};
    }
    bool empty(std::string_view step, std::string_view key, int column) const
    {
        const ResultTable& t = table(step);
        for (int row = 0; row < t.rowCount(); ++row) {
            if (results::cellText(t.at(row, Key), nullptr) == key)
                return std::holds_alternative<std::monostate>(t.at(row, column));
        }
        ADD_FAILURE() << "no row " << key;
        return false;
    }
};

// Spur 20/40, Pd 10, 20 degrees, face 1, 10 hp at 1750 rpm, steel, factors
// 1.0, J 0.32 / 0.38, default lubrication, number format "#,##0.000".
TEST(RatingTables, SpurEnglishFactorsOnTheMainWindow)
{
    RatingTables f;
    f.start();
    ASSERT_TRUE(f.acceptAll()) << f.current();
    EXPECT_TRUE(f.runLog.errors.empty());

    EXPECT_EQ(f.table(steps::AgmaOnMain).rowCount(), 13);
    EXPECT_EQ(f.keys(steps::HorsepowerAndCP),
              (std::vector<std::string>{"Power", "Torq", "RPM", "LinV", "F_tangential", "F_Radial", "Sb", "SCLPS", "E",
                                        "Mu", "CCP"}));
    const auto load = [&](const char* key, int column) { return f.cell(steps::HorsepowerAndCP, key, column); };
    // T = 63025.4 x 10 / 1750 = 360.145 lb-in; the gear's twice that.
    EXPECT_EQ(load("Torq", PinionValue), "360.145");
    EXPECT_EQ(load("Torq", GearValue), "720.290");
    EXPECT_EQ(load("RPM", GearValue), "875.000");
    // V = pi x 2 in x 1750 / 12 = 916.298 ft/min; Wt = T / r = 360.145 lb;
    // Wr = Wt tan 20 degrees = 131.082 lb.
    EXPECT_EQ(load("LinV", PinionValue), "916.298");
    EXPECT_EQ(load("F_tangential", GearValue), "360.145");
    EXPECT_EQ(load("F_Radial", PinionValue), "131.082");
    // Sb = Wt Pd / (F J): 360.145 x 10 / 0.32 = 11,254.536 and / 0.38 = 9,477.504.
    EXPECT_EQ(load("Sb", PinionValue), "11,254.536");
    EXPECT_EQ(load("Sb", GearValue), "9,477.504");
    // Cp = sqrt(1 / (pi x 2 x 0.91 / 30e6)) = 2,290.604.
    EXPECT_EQ(load("CCP", GearValue), "2,290.604");
    EXPECT_EQ(load("CCP", Description), "(\xE2\x88\x9Apsi) Elastic coefficient");
    EXPECT_EQ(load("E", PinionValue), "3.00E+07");
    EXPECT_EQ(load("Mu", GearValue), "0.300");
    EXPECT_EQ(load("SCLPS", PinionValue), load("SCLPS", GearValue));
    // The getter worked the I factor out and the navigator keeps it.
    EXPECT_GT(f.navigator->IFactor, 0);

    // The analyses' extremes worked outside the code: pinion sliding
    // -4.25848 at 5.432 degrees, load 360.145 lb at 16.866 degrees, flash
    // temperature 177.33 F at 5.432 degrees, film 0.1374 at 5.432 degrees,
    // shear 49,198 psi at 0.0012103 in, 412.6 BHN.
    const auto scoring = [&](const char* key, int column) { return f.cell(steps::ScoringInputs, key, column); };
    EXPECT_EQ(scoring("P.VSS", PinionValue), "-4.258");
    EXPECT_EQ(scoring("P.VSS", GearValue), "5.4");
    EXPECT_EQ(scoring("MaxLoad", PinionValue), "360.1");
    EXPECT_EQ(scoring("MaxLoad", GearValue), "16.9");
    EXPECT_EQ(scoring("MaxTemp", PinionValue), "177");
    EXPECT_EQ(scoring("MaxTemp", GearValue), "5.4");
    EXPECT_EQ(scoring("FilmTTK", PinionValue), ".14");
    EXPECT_EQ(scoring("FilmTTK", GearValue), "5.43");
    EXPECT_EQ(scoring("MaxSSS", PinionValue), "49198");
    EXPECT_EQ(scoring("MaxSSS", GearValue), ".0012");
    EXPECT_EQ(scoring("MinBHN", PinionValue), "413");
    EXPECT_EQ(scoring("RMS", PinionValue), "50.0");
    EXPECT_EQ(scoring("BulkTemp", PinionValue), "120.0");
    EXPECT_EQ(scoring("LubeExpo", PinionValue), "0.00008");
    EXPECT_EQ(scoring("Mods", Description), "Teeth NOT modified for tooth deflection, pure involute form");

    expectGolden("rating_spur_english.tables", f.tables());
    expectGolden("rating_spur_english.clipboard", f.clipboard.text.value_or(""));
}

// The same pair typed on the panels of the first steps too: the later
// tables do not change.
TEST(RatingTables, TheFirstStepsReadingTheSamePairLeaveTheLaterTablesAlone)
{
    RatingTables reference;
    reference.start();
    ASSERT_TRUE(reference.acceptAll());
    RatingTables typed;
    typed.fillFirstStepPanels(model::testing::spurPairInputs());
    // The first steps only: "Tooth Proportions" would keep the pair's own J
    // factors in place of the fixture's.
    StepHandlers firstSteps = designSteps();
    for (std::string_view step : {steps::ToothProportions, steps::PinionHob, steps::GearHob})
        firstSteps.set(step, {});
    typed.start(5, std::move(firstSteps));
    ASSERT_TRUE(typed.acceptAll()) << typed.current();
    EXPECT_TRUE(typed.messages.shown.empty());
    for (std::string_view step : {steps::AgmaOnMain, steps::HorsepowerAndCP, steps::ScoringInputs})
        EXPECT_EQ(describe(typed.table(step)), describe(reference.table(step))) << step;
    EXPECT_EQ(typed.clipboard.text->rfind("N,20,40,", 0), 0u);
}

TEST(RatingTables, HelicalMetricFactorsOnTheMainWindow)
{
    RatingTables f(model::testing::helicalPairInputs());
    f.useMetric();
    // 25 hp at 1200 rpm: 18.6425 kW.
    f.set("txtPowerInput1", "18.6425");
    f.set("txtPowerInput2", "1200");
    f.start();
    ASSERT_TRUE(f.acceptAll()) << f.current();
    EXPECT_EQ(f.keys(steps::HorsepowerAndCP),
              (std::vector<std::string>{"Power", "Torq", "RPM", "LinV", "F_tangential", "F_axial", "F_Radial", "Sb",
                                        "SHelical", "E", "Mu", "CCP"}));
    // 30e6 psi shows as 206,843 MPa; the ratio and the coefficient are unchanged.
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "E", PinionValue), "2.07E+05");
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "Power", GearValue), "18.643");
    // 63025.4 x 25 / 1200 = 1313.029 lb-in x 0.1129848 = 148.352 N-m.
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "Torq", PinionValue), "148.352");
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "E", Description), "(MPa) Modulus of elasticity");
    // Cp = sqrt(1 / (pi x 2 (1 - 0.3^2) / E)) with E = 206,842.77 MPa:
    // sqrt(206842.77 / 5.71770) = 190.200 root MPa.
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "CCP", PinionValue), "190.200");
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "CCP", Description), "(\xE2\x88\x9AMPa) Elastic coefficient");
    // 120 F is 48.889 C, in the number format.
    EXPECT_EQ(f.cell(steps::ScoringInputs, "BulkTemp", PinionValue), "48.889");
    EXPECT_EQ(f.cell(steps::ScoringInputs, "RMS", Description), "Surface roughness in micrometer RA");
    // 50 microinch RMS x 0.023091 = 1.15455 Ra.
    EXPECT_EQ(f.cell(steps::ScoringInputs, "RMS", PinionValue), "1.2");
    expectGolden("rating_helical_metric.tables", f.tables());
    expectGolden("rating_helical_metric.clipboard", f.clipboard.text.value_or(""));
}

TEST(RatingTables, FactorsWindowHeadsTheFactorsWithMaterialsLivesAndTheKmEquation)
{
    RatingTables f;
    f.start(8);
    f.controls.setValue(agmaControl("txtKV", -1), "1.2*");
    f.controls.setValue(agmaControl("txtLife", 1), "n/a 5,000,000 cycles");
    ASSERT_TRUE(f.nextTo(steps::AgmaFactors));
    f.controls.click(agmaControl("cmdNext"));
    ASSERT_EQ(f.current(), steps::HorsepowerAndCP);
    // Without a load distribution equation: 18 rows, the factors in 4 to 15.
    const ResultTable& factors = f.table(steps::AgmaFactors);
    EXPECT_EQ(factors.rowCount(), 18);
    EXPECT_EQ(results::cellText(factors.at(4, Key), nullptr), "Km");
    EXPECT_EQ(results::cellText(factors.at(15, Key), nullptr), "Sh");
    for (int row : {16, 17})
        for (int column = 0; column < ColumnCount; ++column)
            EXPECT_TRUE(std::holds_alternative<std::monostate>(factors.at(row, column))) << row;
    EXPECT_EQ(f.cell(steps::AgmaFactors, "Cycles", PinionValue), "1.00E+07");
    // The digits of "n/a 5,000,000 cycles" make 5000000.
    EXPECT_EQ(f.cell(steps::AgmaFactors, "Cycles", GearValue), "5.00E+06");
    EXPECT_EQ(f.cell(steps::AgmaFactors, "Hours", GearValue), "20000");
    EXPECT_EQ(f.cell(steps::AgmaFactors, "Kv", GearValue), "1.2*");
    EXPECT_EQ(f.cell(steps::AgmaFactors, "Ch", GearValue), "1.0");
    f.next();
    ASSERT_EQ(f.current(), steps::ScoringInputs);
    EXPECT_EQ(f.keys(steps::HorsepowerAndCP),
              (std::vector<std::string>{"Power", "Torq", "RPM", "LinV", "F_tangential", "F_Radial", "Sb", "SAT",
                                        "SCLPS", "SAC", "E", "Mu", "CCP"}));

    // A material caption changed after the build shows on the next reading.
    f.controls.setValue(mainControl("lblMaterial", 0), "Steel Carburized");
    f.next();
    EXPECT_NE(f.clipboard.text->find("Pinion,Steel Carburized,Steel Carburized,Steel Carburized"),
              std::string::npos)
        << *f.clipboard.text;
    expectGolden("rating_factors_window.tables", f.tables());
    expectGolden("rating_factors_window.clipboard", f.clipboard.text.value_or(""));
}

TEST(RatingTables, FactorsTableWithTheKmEquationAndALifeWithoutANumber)
{
    RatingTables f;
    f.start(8);
    ASSERT_TRUE(f.nextTo(steps::AgmaFactors));
    f.controls.click(agmaControl("cmdNext"));
    // As the real window would leave them: a Km equation and a caption
    // that does not start with a number; the table rebuilt.
    f.controls.setValue(mainControl("lblKmString"), "Km = (1 + Cmc*(Cpf*Cpm + Cma*Ce))");
    f.controls.setValue(mainControl("lblGearLife", 0), "about 1e7");
    T_StateNavigator& navigator = *f.navigator;
    bool fail = false;
    navigator.GetString(navigator.state(steps::AgmaFactors), fail);
    const ResultTable& factors = f.table(steps::AgmaFactors);
    EXPECT_EQ(factors.rowCount(), 17);
    EXPECT_EQ(f.keys(steps::AgmaFactors)[4], "Km String");
    EXPECT_EQ(f.cell(steps::AgmaFactors, "Km String", Description), "Km = (1 + Cmc*(Cpf*Cpm + Cma*Ce))");
    EXPECT_EQ(f.cell(steps::AgmaFactors, "Cycles", PinionValue), "0.00E+00");
    EXPECT_EQ(f.keys(steps::AgmaFactors)[16], "Sh");
    // A label that is gone reads "".
    f.controls.remove(mainControl("lblMaterial", 1));
    navigator.GetString(navigator.state(steps::AgmaFactors), fail);
    EXPECT_NE(f.clipboard.text->find("\r\nGear,,,\r\n"), std::string::npos) << *f.clipboard.text;
}

// The allowable-power table and the factors' source decide the rows.
TEST(RatingTables, LoadTableSizesByAllowablePowerModeAndHelix)
{
    struct SizeCase {
        bool allowable;
        int mode;
        bool helical;
        int rows;
    };
    const SizeCase cases[] = {
        {false, 5, false, 11}, {false, 5, true, 12}, {false, 8, false, 13}, {false, 8, true, 14},
        {true, 5, false, 15},  {true, 5, true, 16},  {true, 8, false, 17},  {true, 8, true, 18},
    };
    for (const SizeCase& c : cases) {
        RatingTables f(c.helical ? model::testing::helicalPairInputs() : model::testing::spurPairInputs());
        if (c.helical) {
            f.set("txtPowerInput1", "25");
            f.set("txtPowerInput2", "1200");
        }
        f.start(c.mode);
        ASSERT_TRUE(f.nextTo(steps::HorsepowerAndCP));
        if (c.allowable)
            f.navigator->All4Horsepowers =
                AllowablePowers{{{"PAC", 12, 13, "Allowable Pitting Power"}, {"PAT", 15, 16, "Allowable Bending Power"}}};
        f.next();
        const std::string label = std::to_string(c.rows) + " rows";
        ASSERT_EQ(f.table(steps::HorsepowerAndCP).rowCount(), c.rows) << label;
        const std::vector<std::string> keys = f.keys(steps::HorsepowerAndCP);
        // No row is left empty.
        EXPECT_FALSE(keys.back().empty()) << label;
        EXPECT_EQ(keys.back(), "CCP") << label;
        if (c.allowable) {
            EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 5),
                      (std::vector<std::string>{"PAC", "PAT", "Power", "Pitting SF", "Bending SF"}))
                << label;
        }
        if (c.mode == 8 && c.helical) {
            EXPECT_EQ(std::vector<std::string>(keys.end() - 7, keys.end()),
                      (std::vector<std::string>{"Sb", "SAT", "SHelical", "SAC", "E", "Mu", "CCP"}))
                << label;
        }
    }
}

TEST(RatingTables, ServiceFactorsDivideTheValuesNotTheirTexts)
{
    struct ServiceCase {
        int formatChoice;
        const char* power;
        float pitting, bending;
        const char* pittingFactor;
        const char* bendingFactor;
    };
    const ServiceCase cases[] = {
        // 12 / 10 = 1.200 and 15 / 10 = 1.500 in the default format.
        {3, "10", 12, 15, "1.200", "1.500"},
        {3, "1000", 1500, 15, "1.500", "0.015"},
        // "#,##0.0": 1.26 / 1.04 = 1.2115 shows 1.2 (the texts 1.3 / 1.0 gave
        // 1.3); 0.04 / 1.04 = 0.03846 would show 0.0 and keeps three digits.
        {1, "1.04", 1.26f, 0.04f, "1.2", "0.0385"},
    };
    for (const ServiceCase& c : cases) {
        RatingTables f;
        f.settings.formatChoice = c.formatChoice;
        f.set("txtPowerInput1", c.power);
        f.start();
        ASSERT_TRUE(f.nextTo(steps::HorsepowerAndCP));
        f.navigator->All4Horsepowers = AllowablePowers{
            {{"PAC", c.pitting, 30, "Allowable Pitting Power"}, {"PAT", c.bending, 16, "Allowable Bending Power"}}};
        f.next();
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "Pitting SF", PinionValue), c.pittingFactor) << c.power;
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "Bending SF", PinionValue), c.bendingFactor) << c.power;
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "PAC", Description), "Allowable Pitting Power(hp) ");
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "Pitting SF", Description), "Pitting Service Factor");
        // Kind and masks of the service-factor rows stay unwritten.
        const ResultTable& t = f.table(steps::HorsepowerAndCP);
        for (int column = RowKind; column < ColumnCount; ++column)
            EXPECT_TRUE(std::holds_alternative<std::monostate>(t.at(3, column)));
    }
}

// The window's powers, as it rounded them and as worked out: kilowatts come
// from the latter, to the three figures the horsepower has. 20.126 hp (20.1)
// x 0.7457 = 15.008 kW, shown 15.0, where 20.1 x 0.7457 would give 14.989;
// 59.359 hp (59.4) is 44.264 kW, shown 44.3, where 59.4 would give 44.295.
TEST(RatingTables, AllowablePowersInKilowattsComeFromThePowersWorkedOut)
{
    const AllowablePowers handed{{{"PAC", 20.1f, 59.4f, "Allowable Pitting Power", 20.126, 59.359},
                                  {"PAT", 122, 139, "Allowable Bending Power", 121.74, 139.14}}};
    const struct {
        bool metric;
        const char* pinionPitting;
        const char* gearPitting;
        const char* gearBending;
    } cases[] = {{false, "20.100", "59.400", "139.000"}, {true, "15.000", "44.300", "104.000"}};
    for (const auto& c : cases) {
        RatingTables f;
        if (c.metric)
            f.useMetric();
        f.start();
        ASSERT_TRUE(f.nextTo(steps::HorsepowerAndCP));
        f.navigator->All4Horsepowers = handed;
        f.next();
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "PAC", PinionValue), c.pinionPitting) << c.metric;
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "PAC", GearValue), c.gearPitting) << c.metric;
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "PAT", GearValue), c.gearBending) << c.metric;
    }
}

TEST(RatingTables, ZeroPowerLeavesTheServiceFactorsEmpty)
{
    RatingTables f;
    f.start();
    ASSERT_TRUE(f.nextTo(steps::HorsepowerAndCP));
    f.next();
    // Power 0 would stop the check: the table is built for a pair whose
    // power went to 0 after it.
    f.Oset.aaHorsePower(false, 0);
    f.navigator->All4Horsepowers =
        AllowablePowers{{{"PAC", 12, 13, "Allowable Pitting Power"}, {"PAT", 15, 16, "Allowable Bending Power"}}};
    T_State& load = f.navigator->state(steps::HorsepowerAndCP);
    bool fail = false;
    f.navigator->GetString(load, fail);
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "Power", PinionValue), "0.000");
    for (const char* key : {"Pitting SF", "Bending SF"})
        for (int column : {PinionValue, GearValue})
            EXPECT_TRUE(f.empty(steps::HorsepowerAndCP, key, column)) << key << column;
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "Torq", Key), "Torq");
}

// The real "Tooth Proportions" step takes I and J of the panels' design;
// the steps before it leave the pair as set up.
StepHandlers fromToothProportions()
{
    StepHandlers handlers = designSteps();
    for (std::string_view step : {steps::MainInputs, steps::CenterDistance, steps::ToothThickness})
        handlers.set(step, {});
    return handlers;
}

std::int16_t redMask(const RatingTables& f, std::string_view step, std::string_view key)
{
    const ResultTable& t = f.table(step);
    for (int row = 0; row < t.rowCount(); ++row)
        if (results::cellText(t.at(row, Key), nullptr) == key)
            return std::get<std::int16_t>(t.at(row, RedMask));
    ADD_FAILURE() << "no row " << key;
    return 0;
}

// A dedendum factor of 0.7 leaves a full circular fillet no critical section:
// that member's J is 0. The other keeps the published 20/40 value (J 0.385
// pinion, 0.440 gear, held in single precision) and its stress Wt Pd / (F J),
// Wt = 63025.4 x 10 / 1750 = 360.145 lb: 3,601.4514 / 0.38499999 = 9,354.4195
// psi, / 0.44 = 8,185.117 psi.
TEST(RatingTables, AFailedJIsMarkedAndNamedAndGivesNoBendingStress)
{
    struct Case {
        int member;
        int failedColumn, soundColumn;
        const char* named;
        std::int16_t mask;
        const char* soundJ;
        const char* soundStress;
    };
    const Case cases[] = {
        {0, PinionValue, GearValue, "Pinion J factor failed", results::ColumnBitPinion | results::ColumnBitDescription,
         "0.440", "8,185.117"},
        {1, GearValue, PinionValue, "Gear J factor failed", results::ColumnBitGear | results::ColumnBitDescription,
         "0.385", "9,354.420"},
    };
    for (const Case& c : cases) {
        RatingTables f;
        f.set("lblWholeDepthHowInput", "1", c.member);
        f.set("txtWholeDepth", "0.7", c.member);
        f.start(5, fromToothProportions());
        ASSERT_TRUE(f.acceptAll()) << f.current();
        const std::vector<int> shown = f.messageNumbers();
        EXPECT_NE(std::find(shown.begin(), shown.end(), c.member == 0 ? 4113 : 4114), shown.end()) << c.named;

        const auto proportions = [&](const char* key, int column) { return f.cell(steps::ToothProportions, key, column); };
        EXPECT_EQ(proportions("Jay", c.failedColumn), "failed") << c.named;
        EXPECT_EQ(proportions("Jay", c.soundColumn), c.soundJ) << c.named;
        EXPECT_THAT(proportions("Jay", Description), ::testing::HasSubstr(c.named));
        EXPECT_EQ(redMask(f, steps::ToothProportions, "Jay"), c.mask);
        // What the failed routine left in the record is no result.
        for (const char* key : {"Jay*KF", "minRF"})
            EXPECT_EQ(proportions(key, c.failedColumn), "J failed") << key;

        const auto load = [&](const char* key, int column) { return f.cell(steps::HorsepowerAndCP, key, column); };
        EXPECT_EQ(load("Sb", c.failedColumn), "J failed") << c.named;
        EXPECT_EQ(load("Sb", c.soundColumn), c.soundStress) << c.named;
        EXPECT_THAT(load("Sb", Description), ::testing::HasSubstr(c.named));
        EXPECT_EQ(redMask(f, steps::HorsepowerAndCP, "Sb"), c.mask);
        EXPECT_TRUE(f.runLog.errors.empty());
    }
}

// 6/60 with the gear's addendum at 1.5 and dedenda 1.55 / 1.25: the pinion's
// radius of curvature at its lowest point of single contact is negative, and
// so is I (-0.018). No contact stress is worked out from it.
TEST(RatingTables, AFailedIIsMarkedAndGivesNoContactStress)
{
    model::testing::PairInputs sixToSixty;
    sixToSixty.pinionTeeth = 6;
    sixToSixty.gearTeeth = 60;
    RatingTables f(sixToSixty);
    f.set("txtODDim", "1.5", 1);
    for (int i : {0, 1})
        f.set("lblWholeDepthHowInput", "1", i);
    f.set("txtWholeDepth", "1.55", 0);
    f.set("txtWholeDepth", "1.25", 1);
    f.start(5, fromToothProportions());
    // The load table is built as its step is accepted.
    ASSERT_TRUE(f.nextTo(steps::ScoringInputs)) << f.current();
    const std::vector<int> shown = f.messageNumbers();
    EXPECT_NE(std::find(shown.begin(), shown.end(), 4112), shown.end());
    EXPECT_EQ(f.navigator->IFactor, -0.018);

    EXPECT_EQ(f.cell(steps::ToothProportions, "Eye", PinionValue), "failed");
    EXPECT_THAT(f.cell(steps::ToothProportions, "Eye", Description), ::testing::HasSubstr("I factor failed"));
    for (int column : {PinionValue, GearValue})
        EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "SCLPS", column), "I failed");
    EXPECT_THAT(f.cell(steps::HorsepowerAndCP, "SCLPS", Description), ::testing::HasSubstr("I factor failed"));
    EXPECT_EQ(redMask(f, steps::HorsepowerAndCP, "SCLPS"), results::ColumnBitAll - results::ColumnBitKey);
    // The failed I is not replaced by one the getter works out.
    EXPECT_EQ(f.navigator->IFactor, -0.018);
    EXPECT_TRUE(f.runLog.errors.empty());
}

// An I that rounds to 0.000 when taken is a failed one too, not one for the
// contact-stress getter to work out anew.
TEST(RatingTables, ATakenIOfZeroIsAFailureNotAnInvitation)
{
    RatingTables f;
    f.start();
    ASSERT_TRUE(f.nextTo(steps::HorsepowerAndCP));
    f.navigator->IFactor = 0;
    f.navigator->IFactorTaken = true;
    f.next();
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "SCLPS", PinionValue), "I failed");
    EXPECT_EQ(f.navigator->IFactor, 0);
}

TEST(RatingTables, HerringboneShowsNoAxialForce)
{
    RatingTables f(model::testing::helicalPairInputs());
    f.shell.orientation = 2;
    f.start();
    ASSERT_TRUE(f.nextTo(steps::ScoringInputs));
    EXPECT_EQ(f.cell(steps::HorsepowerAndCP, "F_axial", PinionValue), "0.000");
}

// The scoring table with maxima handed in by a check of the test's own.
struct GivenMaxima : RatingTables {
    void startWith(std::function<void(T_StateNavigator&)> maxima)
    {
        StepHandlers handlers = laterSteps();
        StepHandler scoring = *handlers.find(steps::ScoringInputs);
        scoring.check = [maxima](T_StateNavigator& navigator, T_State&) {
            maxima(navigator);
            return true;
        };
        handlers.set(steps::ScoringInputs, scoring);
        start(5, std::move(handlers));
    }
};

TEST(RatingTables, RollAnglesInDegreesWithTheirPatternsAndSignedSliding)
{
    GivenMaxima f;
    f.startWith([](T_StateNavigator& navigator) {
        analyses::ScoringExtremes scores;
        for (int k = 0; k < 5; ++k) {
            scores(k, 0) = 1.0;
            scores(k, 1) = 0.5; // 28.6479 degrees
        }
        scores(0, 0) = -4.2585;
        scores(1, 0) = -0.75;
        navigator.ScoringMaxValues = scores;
        analyses::SubShearExtremes shear;
        shear(0, 0) = 49198.4;
        shear(0, 1) = 0.0012103;
        shear(1, 0) = 412.6;
        shear(1, 1) = 0.0012103;
        navigator.SubShearMaxValues = shear;
    });
    f.set("optModifiedProfiles", "False", 0);
    f.set("optModifiedProfiles", "True", 1);
    ASSERT_TRUE(f.acceptAll());
    const auto cell = [&](const char* key, int column) { return f.cell(steps::ScoringInputs, key, column); };
    EXPECT_EQ(f.keys(steps::ScoringInputs),
              (std::vector<std::string>{"RMS", "BulkTemp", "Viscosity", "LubeExpo", "FriCoeff", "Mods", "G.VSS",
                                        "P.VSS", "MaxLoad", "MaxTemp", "FilmTTK", "MaxSSS", "MinBHN"}));
    for (const char* key : {"G.VSS", "P.VSS", "MaxLoad"})
        EXPECT_EQ(cell(key, GearValue), "28.6") << key;
    EXPECT_EQ(cell("MaxTemp", GearValue), "28.6");
    EXPECT_EQ(cell("FilmTTK", GearValue), "28.65");
    EXPECT_EQ(cell("G.VSS", PinionValue), "-0.750");
    EXPECT_EQ(cell("P.VSS", PinionValue), "-4.259");
    EXPECT_EQ(cell("G.VSS", Description), "Gear Max.Specific sliding (slip ratio)  (at pinion roll angle\xC2\xB0)");
    EXPECT_EQ(cell("MaxSSS", Description), "(psi) Maximum subsurface shear at depth in(in) ");
    EXPECT_EQ(cell("Mods", PinionValue), "Teeth IDEALLY MODIFIED for tooth deflection");
    EXPECT_EQ(cell("MinBHN", GearValue), ".0012");
}

TEST(RatingTables, MaximaWithoutAnArrayLeaveTheirCellsEmpty)
{
    GivenMaxima f;
    f.startWith([](T_StateNavigator& navigator) {
        navigator.ScoringMaxValues.reset();
        navigator.SubShearMaxValues.reset();
    });
    ASSERT_TRUE(f.acceptAll());
    const ResultTable& t = f.table(steps::ScoringInputs);
    ASSERT_EQ(t.rowCount(), 13);
    for (int row = 6; row <= 12; ++row) {
        EXPECT_TRUE(std::holds_alternative<std::monostate>(t.at(row, PinionValue))) << row;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(t.at(row, GearValue))) << row;
        EXPECT_FALSE(results::cellText(t.at(row, Description), nullptr).empty()) << row;
        EXPECT_EQ(t.at(row, RowKind), Cell(results::RowKindPair)) << row;
    }
    EXPECT_TRUE(f.runLog.errors.empty());
    expectGolden("rating_no_maxima.tables", describe(t));
}

} // namespace
} // namespace cindrel::sequence
