#include "agma/AGMA_Materials.h"
#include "agma/StressCycles.h"

#include "agma/MaterialFile.h"

#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace cindrel::agma {
namespace {

class Errors : public runtime::ErrorReporter {
public:
    std::vector<std::string> reported;
    void reportError(std::string_view, std::string_view routine, std::string_view number, std::string_view,
                     std::string_view) override {
        reported.push_back(std::string(routine) + " " + std::string(number));
    }
};

LifeOutcome life(int changed, const char* speed, const char* ratio, std::array<const char*, 3> boxes,
                 std::array<const char*, 2> contacts, Errors& errors) {
    return deriveLife(changed, {speed, ratio, {boxes[0], boxes[1], boxes[2]}, {contacts[0], contacts[1]}}, errors);
}

TEST(Life, TheOtherTwoQuantitiesFollowTheOneChanged) {
    Errors errors;
    struct Case {
        int changed;
        const char* ratio;
        std::array<const char*, 3> boxes;
        std::array<const char*, 2> contacts;
        std::array<std::optional<std::string>, 3> expected;
    };
    const Case cases[] = {
        // 100 h · 60 · 1000 rpm = 6,000,000 pinion cycles, half of them on the gear.
        {Hours, "2", {"", "", "100"}, {"1", "1"}, {"6000000", "3000000", std::nullopt}},
        // 1,000,000 gear cycles · 2.5 = 2,500,000 pinion cycles; 1e6 · 2.5 / 60 / 1000 = 41.67 h.
        {GearCycles, "2.5", {"", "1000000", ""}, {"1", "1"}, {"2500000", std::nullopt, "41.7"}},
        {PinionCycles, "2", {"6,000,000", "", ""}, {"1", "1"}, {std::nullopt, "3000000", "100"}},
        // Contacts per revolution count on their own member: 3 on the gear.
        {Hours, "2", {"", "", "100"}, {"1", "3"}, {"6000000", "9000000", std::nullopt}},
        {PinionCycles, "2", {"6000000", "", ""}, {"2", "1"}, {std::nullopt, "1500000", "50"}},
        {GearCycles, "2.5", {"", "1000000", ""}, {"2", "1"}, {"5000000", std::nullopt, "41.7"}},
        // Never in exponent form.
        {Hours, "1", {"", "", "100000"}, {"1", "1"}, {"6000000000", "6000000000", std::nullopt}},
    };
    for (const Case& c : cases) {
        const LifeOutcome outcome = life(c.changed, "1000", c.ratio, c.boxes, c.contacts, errors);
        EXPECT_EQ(outcome.life, c.expected) << c.changed << " " << c.boxes[c.changed];
        EXPECT_TRUE(outcome.stressCyclesFollow);
        EXPECT_FALSE(outcome.message);
    }
    EXPECT_TRUE(errors.reported.empty());
}

TEST(Life, MissingSpeedOrRatioAsksForItFewContactsDoNothing) {
    Errors errors;
    const LifeOutcome noSpeed = life(Hours, "0", "2", {"", "", "100"}, {"1", "1"}, errors);
    ASSERT_TRUE(noSpeed.message);
    EXPECT_EQ(noSpeed.message->text, "Set RPM of pinion");
    EXPECT_EQ(noSpeed.focus, SetInputsBox::Speed);
    const LifeOutcome noRatio = life(Hours, "1000", "", {"", "", "100"}, {"1", "1"}, errors);
    ASSERT_TRUE(noRatio.message);
    EXPECT_EQ(noRatio.message->text, "Set gear ratio");
    EXPECT_EQ(noRatio.focus, SetInputsBox::Ratio);
    // A speed or ratio that is not a whole number is asked for, never read by
    // its first digits: "2,5" is no ratio of 2 (100 h would give 3,000,000
    // gear cycles), "1,8" no speed of 1 rpm.
    for (const auto& [speed, ratio, asked] : {std::tuple{"1,8", "2", "Set RPM of pinion"},
                                              std::tuple{"1800 rpm", "2", "Set RPM of pinion"},
                                              std::tuple{"1000", "2,5", "Set gear ratio"},
                                              std::tuple{"1000", "2.5:1", "Set gear ratio"}}) {
        const LifeOutcome slip = life(Hours, speed, ratio, {"", "", "100"}, {"1", "1"}, errors);
        ASSERT_TRUE(slip.message) << speed << " " << ratio;
        EXPECT_EQ(slip.message->text, asked);
        EXPECT_EQ(slip.focus, std::string(asked) == "Set gear ratio" ? SetInputsBox::Ratio : SetInputsBox::Speed);
        EXPECT_FALSE(slip.life[0] || slip.life[1] || slip.life[2]);
    }
    // Whole values as before: 100 h × 60 × 1000 rpm = 6,000,000; / 2.5 = 2,400,000.
    EXPECT_EQ(life(Hours, "1,000", "2.5*", {"", "", "100"}, {"1", "1"}, errors).life,
              (std::array<std::optional<std::string>, 3>{"6000000", "2400000", std::nullopt}));
    for (std::array<const char*, 2> contacts : {std::array{"0.5", "1"}, std::array{"1", ""}}) {
        const LifeOutcome none = life(Hours, "1000", "2", {"", "", "100"}, contacts, errors);
        EXPECT_FALSE(none.message);
        EXPECT_FALSE(none.life[0] || none.life[1] || none.life[2]);
        EXPECT_FALSE(none.stressCyclesFollow);
    }
}

// The changed box and the contacts count only as whole numbers; one that is
// not a number leaves the other boxes as they stand and the factors alone.
// 1000 rpm, ratio 2, one contact each: 2e4 h × 60 × 1000 = 1,200,000,000
// pinion cycles, 600,000,000 on the gear; 1,000,000 pinion cycles are
// 500,000 gear cycles and 1e6 / 60 / 1000 = 16.67 h.
TEST(Life, ABoxThatIsNotANumberDerivesNothing) {
    Errors errors;
    struct Case {
        int changed;
        std::array<const char*, 3> boxes;
        std::array<const char*, 2> contacts;
        std::array<std::optional<std::string>, 3> expected;
    };
    const Case cases[] = {
        {Hours, {"", "", "2e4"}, {"1", "1"}, {"1200000000", "600000000", std::nullopt}},
        {Hours, {"", "", "20,000"}, {"1", "1"}, {"1200000000", "600000000", std::nullopt}},
        {PinionCycles, {"1e6", "", ""}, {"1", "1"}, {std::nullopt, "500000", "16.7"}},
        {Hours, {"", "", "17x000"}, {"1", "1"}, {}},
        {Hours, {"", "", "-3"}, {"1", "1"}, {}},
        {Hours, {"", "", "1,5"}, {"1", "1"}, {}},
        {PinionCycles, {"10,000,000 cycles", "", ""}, {"1", "1"}, {}},
        {GearCycles, {"", "-1000000", ""}, {"1", "1"}, {}},
        {Hours, {"", "", "100"}, {"2x", "1"}, {}},
        {Hours, {"", "", "100"}, {"1", "1,5"}, {}},
    };
    for (const Case& c : cases) {
        const LifeOutcome outcome = life(c.changed, "1000", "2", c.boxes, c.contacts, errors);
        const auto& typed = c.boxes[static_cast<std::size_t>(c.changed)];
        EXPECT_EQ(outcome.life, c.expected) << typed << " " << c.contacts[0] << " " << c.contacts[1];
        EXPECT_EQ(outcome.stressCyclesFollow, c.expected[0] || c.expected[1]) << typed;
        EXPECT_FALSE(outcome.message);
    }
    EXPECT_TRUE(errors.reported.empty());

    EXPECT_EQ(pinionCyclesFromSpeed("2e4", "1", "600"), "720000000");
    EXPECT_EQ(pinionCyclesFromSpeed("17x000", "1", "600"), std::nullopt);
    EXPECT_EQ(pinionCyclesFromSpeed("1000", "2x", "600"), std::nullopt);
    EXPECT_EQ(gearCyclesFromRatio("17x000", "2"), std::nullopt);
    // Nor from a speed or ratio read by its first digits.
    EXPECT_EQ(pinionCyclesFromSpeed("100", "1", "1,8"), std::nullopt);
    EXPECT_EQ(pinionCyclesFromSpeed("100", "1", "1,800"), "10800000"); // 100 × 60 × 1800
    EXPECT_EQ(gearCyclesFromRatio("10000000", "2,5"), std::nullopt);
    EXPECT_EQ(gearCyclesFromRatio("10000000", "2.5"), "4000000");
}

TEST(Life, AResultBeyondTheSingleRangeIsReportedNotWritten) {
    Errors errors;
    const LifeOutcome outcome = life(Hours, "1e30", "1", {"", "", "1e30"}, {"1", "1"}, errors);
    EXPECT_FALSE(outcome.life[PinionCycles]);
    EXPECT_FALSE(outcome.life[GearCycles]);
    EXPECT_EQ(errors.reported, (std::vector<std::string>{"txtLife_Change 6", "txtLife_Change 6"}));
}

TEST(Life, SetInputsDeriveThePinionAndGearCycles) {
    EXPECT_EQ(pinionCyclesFromSpeed("100", "1", "1000"), "6000000");
    EXPECT_EQ(pinionCyclesFromSpeed("1,000", "2", "1000"), "120000000");
    EXPECT_EQ(pinionCyclesFromSpeed("", "1", "1000"), "0");
    EXPECT_EQ(pinionCyclesFromSpeed("41.7", "1", "1000"), "2502000");
    EXPECT_EQ(pinionCyclesFromSpeed("1e30", "1", "1e30"), std::nullopt);
    EXPECT_EQ(gearCyclesFromRatio("1e300", "2"), std::nullopt);
    EXPECT_EQ(gearCyclesFromRatio("10,000,000", "2"), "5000000");
    EXPECT_EQ(gearCyclesFromRatio("10000000", "4"), "2500000");
    for (const char* ratio : {"1", "0.5", "", "-3"})
        EXPECT_EQ(gearCyclesFromRatio("10000000", ratio), std::nullopt) << ratio;
}

class StressCycleFactors : public ::testing::Test {
protected:
    TemporaryFolder folder;
    MaterialsTable table = AGMA_Materials(folder.path()).Materials().table;

    MemberCycleFactors one(int row, const char* cycles, const char* hardness = "300", bool conservative = false) {
        const MaterialRecord material = table.record(row);
        const StressCycleOutcome outcome =
            stressCycleFactors({StressCycleMember{&material, cycles, hardness, conservative},
                                StressCycleMember{nullptr, "1", "", false}});
        EXPECT_FALSE(outcome.members[1]);
        return outcome.members[0].value();
    }
};

constexpr int ThroughHardened = 3, FlameHardened = 8, Carburized = 22, Nitrided = 31, NitralloyGrade3 = 47,
              DuctileIron = 60;

// Worked separately: 4.9404 · 2e6^-0.1045 = 1.0847; 1.3558 · 5e6^-0.0178 =
// 1.0303; 1.6831 · 5e6^-0.0323 = 1.0227; 2.466 · 2e6^-0.056 = 1.0943.
TEST_F(StressCycleFactors, ThroughHardenedSteelBelowAndAboveTheKnee) {
    const MemberCycleFactors below = one(ThroughHardened, "2000000");
    EXPECT_EQ(below.yn.value, "1.085");
    EXPECT_EQ(below.yn.factor, "4.9404 * 2000000");
    EXPECT_EQ(below.yn.exponent, "-0.1045");
    EXPECT_FALSE(below.conservativeShown);
    EXPECT_EQ(below.zn.value, "1.094");
    EXPECT_EQ(below.zn.factor, "2.466 * 2000000");
    const MemberCycleFactors above = one(ThroughHardened, "5000000");
    EXPECT_TRUE(above.conservativeShown);
    EXPECT_EQ(above.yn.value, "1.030");
    EXPECT_EQ(above.yn.exponent, "-0.0178");
    EXPECT_EQ(one(ThroughHardened, "5000000", "300", true).yn.value, "1.023");
}

// Each pair of curves meets at its knee: Yn 1.040 at 3,000,000 cycles and
// Zn 1.000 at 10,000,000, the published values.
TEST_F(StressCycleFactors, CurvesMeetAtTheirKnees) {
    struct Case {
        int row;
        const char* hardness;
    };
    for (const Case& c : {Case{ThroughHardened, "200"}, Case{ThroughHardened, "300"}, Case{ThroughHardened, "450"},
                          Case{FlameHardened, ""}, Case{Carburized, ""}, Case{Nitrided, ""}}) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(one(c.row, "2999999", c.hardness).yn.value, "1.040");
        const MemberCycleFactors knee = one(c.row, "3,000,000", c.hardness);
        EXPECT_EQ(knee.yn.value, "1.040");
        EXPECT_TRUE(knee.conservativeShown);
        EXPECT_EQ(one(c.row, "9999999", c.hardness).zn.value, "1.000");
        EXPECT_EQ(one(c.row, "10,000,000", c.hardness).zn.value, "1.000");
        EXPECT_EQ(one(c.row, "10,000,000", c.hardness, true).zn.value, "1.000");
    }
}

// 250 and 400 HB start the next curve: at 10^6 cycles 2.3194 · 10^6^-0.0538
// = 1.1030, 4.9404 · 10^6^-0.1045 = 1.1661, 9.4518 · 10^6^-0.148 = 1.2232.
TEST_F(StressCycleFactors, BendingCurveByHardness) {
    struct Case {
        const char* hardness;
        const char* yn;
    };
    for (const Case& c : {Case{"160", "1.103"}, Case{"249.9", "1.103"}, Case{"250", "1.166"}, Case{"399", "1.166"},
                          Case{"400", "1.223"}, Case{"40,000", "1.223"}})
        EXPECT_EQ(one(ThroughHardened, "1000000", c.hardness).yn.value, c.yn) << c.hardness;
    const MemberCycleFactors soft = one(ThroughHardened, "1000000", "159");
    EXPECT_EQ(soft.yn.value, "Err");
    EXPECT_EQ(soft.yn.factor, "no curve below 160 HB");
    EXPECT_EQ(soft.zn.value, "1.138"); // pitting does not depend on it: 2.466 · 10^6^-0.056
}

// Nitrided steels, Nitralloy 135M grade 3 as the others: at 10^6 cycles
// Yn = 3.517 · 10^6^-0.0817 = 1.1376, Zn = 1.249 · 10^6^-0.0138 = 1.0322.
TEST_F(StressCycleFactors, NitridedSteelsBelowTheKnees) {
    for (int row : {Nitrided, NitralloyGrade3}) {
        const MemberCycleFactors nitrided = one(row, "1000000");
        EXPECT_EQ(nitrided.yn.value, "1.138") << row;
        EXPECT_EQ(nitrided.zn.value, "1.032") << row;
        EXPECT_EQ(nitrided.zn.factor, "1.249 * 1000000") << row;
    }
}

// Below the lowest count the curve is read there: 4.9404 · 1000^-0.1045 =
// 2.4003, 2.466 · 10000^-0.056 = 1.4723; the label keeps the typed count.
TEST_F(StressCycleFactors, FewCyclesAreRaisedToTheLowestCount) {
    const MemberCycleFactors few = one(ThroughHardened, "500");
    EXPECT_EQ(few.yn.value, "2.400");
    EXPECT_EQ(few.yn.factor, "4.9404 * 500");
    EXPECT_EQ(one(ThroughHardened, "1000").zn.value, "1.472");
}

TEST_F(StressCycleFactors, MaterialsWithoutCurvesOrWithBadCells) {
    const MemberCycleFactors iron = one(DuctileIron, "10000000");
    EXPECT_EQ(iron.yn.value, "1.000");
    EXPECT_EQ(iron.zn.value, "1.000");

    MaterialsTable user;
    const int source = user.addSource("user.tbl");
    // A row without stress cycle columns.
    user.addRow(source, splitMaterialFields("0,,,none,Nitrided steel,,30000000,0.31"));
    const MemberCycleFactors none = [&] {
        const MaterialRecord material = user.record(0);
        return stressCycleFactors({StressCycleMember{&material, "10000000", "300", false},
                                   StressCycleMember{nullptr, "1", "", false}})
            .members[0]
            .value();
    }();
    EXPECT_EQ(none.yn.value, "Err");
    EXPECT_EQ(none.zn.value, "Err");
    // Column 24 (a Zn exponent) and column 31 (the 666 mark) hold no number.
    user.addRow(source, splitMaterialFields("1,,,bad,Through Hardened steel,,,,,,,,,,,,,,,,,"
                                             "10000,10000000,2.466,x,1.4488,-0.023,2.466,-0.056,"
                                             "1000,3000000,666x,666,1.3558,-0.0178,1.6831,-0.0323"));
    const MaterialRecord bad = user.record(1);
    const MaterialRecord good = table.record(ThroughHardened);
    const StressCycleOutcome outcome = stressCycleFactors(
        {StressCycleMember{&bad, "1000000", "300", false}, StressCycleMember{&good, "1000000", "300", false}});
    EXPECT_EQ(outcome.members[0]->yn.value, "Err"); // "666x" is no 666: not the hardness curves
    EXPECT_EQ(outcome.members[0]->zn.value, "Err");
    EXPECT_EQ(outcome.members[1]->yn.value, "1.166"); // the gear starts clean
    EXPECT_EQ(outcome.members[1]->zn.value, "1.138");
}

TEST_F(StressCycleFactors, NoCyclesMakesAllFourUnity) {
    const MaterialRecord material = table.record(ThroughHardened);
    for (std::array<const char*, 2> cycles : {std::array{"0", "100"}, std::array{"100", ""}}) {
        const StressCycleOutcome outcome = stressCycleFactors(
            {StressCycleMember{&material, cycles[0], "300", false}, StressCycleMember{&material, cycles[1], "300", false}});
        EXPECT_TRUE(outcome.noCycles);
        EXPECT_FALSE(outcome.members[0] || outcome.members[1]);
    }
    EXPECT_EQ(UnityFactor, "1*");
    const StressCycleOutcome noMaterial = stressCycleFactors(
        {StressCycleMember{nullptr, "100", "300", false}, StressCycleMember{nullptr, "100", "300", false}});
    EXPECT_FALSE(noMaterial.noCycles);
    EXPECT_FALSE(noMaterial.members[0] || noMaterial.members[1]);
}

// Cycles count only as a whole number: a slip is neither a count from its
// first digits nor no cycles; the factors stay and the commit names the box.
TEST_F(StressCycleFactors, CyclesThatAreNotANumberChangeNothing) {
    const MaterialRecord material = table.record(ThroughHardened);
    for (std::array<const char*, 2> cycles : {std::array{"17x000", "1000000"}, std::array{"1000000", "-3"},
                                              std::array{"1,5", "1000000"}}) {
        const StressCycleOutcome outcome = stressCycleFactors(
            {StressCycleMember{&material, cycles[0], "300", false}, StressCycleMember{&material, cycles[1], "300", false}});
        EXPECT_FALSE(outcome.noCycles) << cycles[0] << " " << cycles[1];
        EXPECT_FALSE(outcome.members[0] || outcome.members[1]) << cycles[0] << " " << cycles[1];
    }
    // 4.9404 · 2e6^-0.1045 = 1.0847, however the count is written.
    for (const char* cycles : {"2e6", "2,000,000"})
        EXPECT_EQ(one(ThroughHardened, cycles).yn.value, "1.085") << cycles;
}

} // namespace
} // namespace cindrel::agma
