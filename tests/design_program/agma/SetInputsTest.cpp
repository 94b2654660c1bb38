#include "agma/SetInputs.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace cindrel::agma {
namespace {

// The cycles follow the speed and the ratio whatever marks the factor boxes
// carry; each member's cycles at its own speed with its own contacts.
TEST(SetInputs, LifeBoxesFollowSpeedAndRatio) {
    struct Case {
        const char* name;
        int index;
        const char* speed;
        const char* ratio;
        const char* hours;
        const char* pinionCycles;
        std::array<const char*, 2> contacts;
        std::optional<std::string> pinion, gear;
    };
    const Case cases[] = {
        // 1000 h × 60 × 600 rpm = 36,000,000; the gear at 300 rpm 18,000,000.
        {"speed with hours", 0, "600", "2", "1000", "108000000", {"1", "1"}, "36000000", "18000000"},
        // 1000 h × 60 × 2 × 600 = 72,000,000; 1000 h × 60 × 3 × 600 / 2 = 54,000,000.
        {"speed, contacts", 0, "600", "2", "1000", "108000000", {"2", "3"}, "72000000", "54000000"},
        // 100 h × 60 × 1000 rpm / 4.21 = 1,425,178.1: whole cycles.
        {"speed, uneven ratio", 0, "1000", "4.21", "100", "", {"1", "1"}, "6000000", "1425178"},
        {"speed, ratio below 1", 0, "1000", "0.9", "100", "", {"1", "1"}, "6000000", std::nullopt},
        {"speed, no hours", 0, "1000", "2", "", "10000000", {"1", "1"}, std::nullopt, std::nullopt},
        {"speed, hours not a number", 0, "1000", "2", "abc", "10000000", {"1", "1"}, std::nullopt, std::nullopt},
        {"speed 0", 0, "0", "2", "100", "10000000", {"1", "1"}, std::nullopt, std::nullopt},
        // 10,000,000 / 1 / 2.5 × 1 = 4,000,000.
        {"ratio 2.5", 4, "1000", "2.5", "", "10000000", {"1", "1"}, std::nullopt, "4000000"},
        {"ratio 1", 4, "1000", "1", "", "10000000", {"1", "1"}, std::nullopt, "10000000"},
        {"ratio 0.9", 4, "1000", "0.9", "", "10000000", {"1", "1"}, std::nullopt, std::nullopt},
        {"gear contacts 2", 4, "1000", "2.5", "", "10000000", {"1", "2"}, std::nullopt, "8000000"},
        // 10,000,000 / 4.21 = 2,375,296.9.
        {"uneven ratio", 4, "1000", "4.21", "", "10000000", {"1", "1"}, std::nullopt, "2375297"},
        {"ratio, cycles not a number", 4, "1000", "2.5", "", "many", {"1", "1"}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SetInputsBoxes boxes;
        boxes.inps = {c.speed, "5", "12", "2", c.ratio};
        boxes.life = {c.pinionCycles, "", c.hours};
        boxes.contacts = {c.contacts[0], c.contacts[1]};
        const SetInputsChange change = setInputsChanged(c.index, boxes);
        EXPECT_EQ(change.pinionCycles, c.pinion) << c.name;
        EXPECT_EQ(change.gearCycles, c.gear) << c.name;
        EXPECT_EQ(change.recomputeCh, c.index == 4 && std::string(c.ratio) != "0.9") << c.name;
    }
}

// The hours and contacts count only as whole numbers: a slip of the keyboard
// derives no cycles from its digits, as no speed derives none. 600 rpm, ratio
// 2, pinion 1 and gear 3 contacts per revolution, worked by hand:
//   1000 h:  1000 × 60 × 1 × 600 = 36,000,000;  1000 × 60 × 3 × 300 = 54,000,000
//   20000 h: 20000 × 60 × 1 × 600 = 720,000,000; 20000 × 60 × 3 × 300 = 1,080,000,000
TEST(SetInputs, HoursAndContactsAreReadWhole) {
    struct Case {
        const char* hours;
        std::array<const char*, 2> contacts;
        std::optional<std::string> pinion, gear;
    };
    const Case cases[] = {
        {"1,000", {"1", "3"}, "36000000", "54000000"},
        {"1000", {"1", "3"}, "36000000", "54000000"},
        {"20000", {"1", "3"}, "720000000", "1080000000"},
        {"2e4", {"1", "3"}, "720000000", "1080000000"},
        {"20,000", {"1", "3"}, "720000000", "1080000000"},
        {"17x000", {"1", "3"}, std::nullopt, std::nullopt},
        {"-3", {"1", "3"}, std::nullopt, std::nullopt},
        {"1,5", {"1", "3"}, std::nullopt, std::nullopt},
        {"1000 h", {"1", "3"}, std::nullopt, std::nullopt},
        {"1.0.0", {"1", "3"}, std::nullopt, std::nullopt},
        // A contacts box that is no number leaves its own member's cycles alone.
        {"1000", {"2x", "3"}, std::nullopt, "54000000"},
        {"1000", {"1", "3,0"}, "36000000", std::nullopt},
        {"1000", {"-1", "3"}, std::nullopt, "54000000"},
    };
    for (const Case& c : cases) {
        SetInputsBoxes boxes;
        boxes.inps = {"600", "5", "12", "2", "2"};
        boxes.life = {"108000000", "54000000", c.hours};
        boxes.contacts = {c.contacts[0], c.contacts[1]};
        const SetInputsChange change = setInputsChanged(0, boxes);
        EXPECT_EQ(change.pinionCycles, c.pinion) << c.hours << " " << c.contacts[0];
        EXPECT_EQ(change.gearCycles, c.gear) << c.hours << " " << c.contacts[1];
    }
    // A new ratio reads the pinion cycles whole: 20,000 / 1 / 2 × 3 = 30,000.
    SetInputsBoxes boxes;
    boxes.inps = {"600", "5", "12", "2", "2"};
    boxes.contacts = {"1", "3"};
    for (const auto& [cycles, gear] : {std::pair<const char*, std::optional<std::string>>{"2e4", "30000"},
                                       {"20,000", "30000"},
                                       {"17x000", std::nullopt},
                                       {"-3", std::nullopt}}) {
        boxes.life = {cycles, "", ""};
        EXPECT_EQ(setInputsChanged(4, boxes).gearCycles, gear) << cycles;
    }
}

// The Set Inputs boxes count only as whole numbers: "2,5" is no ratio of 2,
// and a changed box that is not one empties what it would have worked
// (nothing stays worked from the first digits typed). 10,000,000 pinion
// cycles, 100 h, one contact each, worked by hand:
//   ratio 2.5: 10,000,000 / 2.5 = 4,000,000;  ratio 2: 5,000,000
//   ratio 1,000.5: 10,000,000 / 1000.5 = 9995.0
//   1800 rpm: 100 × 60 × 1800 = 10,800,000 pinion, / 2 = 5,400,000 gear
TEST(SetInputs, SetInputsBoxesAreReadWhole) {
    struct Case {
        int index;
        std::array<const char*, 5> inps;
        std::optional<std::string> pinion, gear;
        bool km, kv, ch;
        bool emptyKm = false;
    };
    const Case cases[] = {
        {4, {"1800", "2", "4", "5", "2.5"}, std::nullopt, "4000000", false, false, true},
        {4, {"1800", "2", "4", "5", "2.5*"}, std::nullopt, "4000000", false, false, true},
        {4, {"1800", "2", "4", "5", "2"}, std::nullopt, "5000000", false, false, true},
        {4, {"1800", "2", "4", "5", "1,000.5"}, std::nullopt, "9995", false, false, true},
        // Ch follows: its calculator gives none for such a ratio.
        {4, {"1800", "2", "4", "5", "2,5"}, std::nullopt, "", false, false, true},
        {4, {"1800", "2", "4", "5", "2,"}, std::nullopt, "", false, false, true},
        {4, {"1800", "2", "4", "5", "2.5:1"}, std::nullopt, "", false, false, true},
        // An empty ratio reads 0, as before: nothing.
        {4, {"1800", "2", "4", "5", ""}, std::nullopt, std::nullopt, false, false, false},
        {0, {"1800", "2", "4", "5", "2"}, "10800000", "5400000", false, true, false},
        {0, {"1,800", "2", "4", "5", "2"}, "10800000", "5400000", false, true, false},
        {0, {"1,8", "2", "4", "5", "2"}, "", "", false, true, false},
        {0, {"", "2", "4", "5", "2"}, std::nullopt, std::nullopt, false, true, false},
        // A ratio that is not a number gives the gear no cycles from a new speed.
        {0, {"1800", "2", "4", "5", "2,5"}, "10800000", std::nullopt, false, true, false},
        {0, {"1,8", "2", "4", "5", "2,5"}, "", std::nullopt, false, true, false},
        {1, {"1800", "1.5", "4", "5", "2"}, std::nullopt, std::nullopt, true, false, false},
        {1, {"1800", "1,5", "4", "5", "2"}, std::nullopt, std::nullopt, false, false, false, true},
        {2, {"1800", "2", "4.5", "5", "2"}, std::nullopt, std::nullopt, true, true, false},
        {2, {"1800", "2", "4,5", "5", "2"}, std::nullopt, std::nullopt, false, true, false, true},
        {2, {"1800", "2", "4 in", "5", "2"}, std::nullopt, std::nullopt, false, true, false, true},
        {3, {"1800", "2", "4", "5,5", "2"}, std::nullopt, std::nullopt, false, false, false},
    };
    for (const Case& c : cases) {
        SetInputsBoxes boxes;
        boxes.inps = {c.inps[0], c.inps[1], c.inps[2], c.inps[3], c.inps[4]};
        boxes.life = {"10000000", "5000000", "100"};
        boxes.contacts = {"1", "1"};
        const SetInputsChange change = setInputsChanged(c.index, boxes);
        const char* typed = c.inps[static_cast<std::size_t>(c.index)];
        EXPECT_EQ(change.pinionCycles, c.pinion) << c.index << " " << typed;
        EXPECT_EQ(change.gearCycles, c.gear) << c.index << " " << typed;
        EXPECT_EQ(change.recomputeKm, c.km) << c.index << " " << typed;
        EXPECT_EQ(change.recomputeKv, c.kv) << c.index << " " << typed;
        EXPECT_EQ(change.recomputeCh, c.ch) << c.index << " " << typed;
        EXPECT_EQ(change.emptyKm, c.emptyKm) << c.index << " " << typed;
        // Emptied cycles leave the factors to be emptied, not worked out.
        EXPECT_EQ(change.stressCyclesFollow(), (c.pinion && !c.pinion->empty()) || (c.gear && !c.gear->empty()))
            << c.index << " " << typed;
    }
}

// A slip empties only what the program worked from the box: a life box or
// factor the user marked stays, and cycles the speed does not drive (no
// hours, no contacts, the gear at a ratio below 1) are not its own.
TEST(SetInputs, ASlipEmptiesOnlyWhatTheBoxWorked) {
    struct Case {
        const char* name;
        int index;
        const char* slip;
        std::array<const char*, 3> life;
        std::array<const char*, 2> contacts;
        const char* ratio;
        bool kvMarked, kmMarked;
        std::optional<std::string> pinion, gear;
        bool kv, emptyKm;
    };
    const Case cases[] = {
        {"marked cycles", 0, "1,8", {"9e6*", "4e6*", "100"}, {"1", "1"}, "2", false, false, std::nullopt, std::nullopt, true, false},
        {"marked gear cycles", 4, "2,5", {"9e6", "4e6*", "100"}, {"1", "1"}, "2,5", false, false, std::nullopt, std::nullopt, false, false},
        {"no hours", 0, "1,8", {"9e6", "4e6", ""}, {"1", "1"}, "2", false, false, std::nullopt, std::nullopt, true, false},
        {"hours 0", 0, "1,8", {"9e6", "4e6", "0"}, {"1", "1"}, "2", false, false, std::nullopt, std::nullopt, true, false},
        {"hours a slip", 0, "1,8", {"9e6", "4e6", "1,5"}, {"1", "1"}, "2", false, false, std::nullopt, std::nullopt, true, false},
        {"no pinion contacts", 0, "1,8", {"9e6", "4e6", "100"}, {"", "1"}, "2", false, false, std::nullopt, "", true, false},
        {"no gear contacts", 0, "1,8", {"9e6", "4e6", "100"}, {"1", "0"}, "2", false, false, "", std::nullopt, true, false},
        {"ratio below 1", 0, "1,8", {"9e6", "4e6", "100"}, {"1", "1"}, "0.9", false, false, "", std::nullopt, true, false},
        {"Kv marked", 0, "1,8", {"9e6", "4e6", "100"}, {"1", "1"}, "2", true, false, "", "", false, false},
        {"Km marked, face", 1, "1,5", {"9e6", "4e6", "100"}, {"1", "1"}, "2", false, true, std::nullopt, std::nullopt, false, false},
        {"Km marked, diameter", 2, "4,5", {"9e6", "4e6", "100"}, {"1", "1"}, "2", false, true, std::nullopt, std::nullopt, true, false},
        {"both marked, diameter", 2, "4,5", {"9e6", "4e6", "100"}, {"1", "1"}, "2", true, true, std::nullopt, std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        SetInputsBoxes boxes;
        boxes.inps = {"1800", "2", "4", "5", c.ratio};
        boxes.inps[static_cast<std::size_t>(c.index)] = c.slip;
        boxes.life = {c.life[0], c.life[1], c.life[2]};
        boxes.contacts = {c.contacts[0], c.contacts[1]};
        boxes.kvMarked = c.kvMarked;
        boxes.kmMarked = c.kmMarked;
        const SetInputsChange change = setInputsChanged(c.index, boxes);
        EXPECT_EQ(change.pinionCycles, c.pinion) << c.name;
        EXPECT_EQ(change.gearCycles, c.gear) << c.name;
        EXPECT_EQ(change.recomputeKv, c.kv) << c.name;
        EXPECT_EQ(change.emptyKm, c.emptyKm) << c.name;
        EXPECT_FALSE(change.recomputeKm) << c.name;
    }
}

TEST(SetInputs, CalculatorsFollowUnlessMarked) {
    struct Case {
        int index;
        const char* value;
        bool kvMarked, kmMarked;
        bool km, kv;
    };
    const Case cases[] = {{0, "1000", false, false, false, true}, {0, "1000", true, false, false, false},
                          {1, "5", false, false, true, false},    {1, "0", false, false, false, false},
                          {1, "5", false, true, false, false},    {2, "12", false, false, true, true},
                          {2, "12", true, false, true, false},    {2, "-1", false, false, false, false},
                          {3, "2", false, false, false, false}};
    for (const Case& c : cases) {
        SetInputsBoxes boxes;
        boxes.inps = {"1000", "5", "12", "2", "4.21"};
        boxes.inps[static_cast<std::size_t>(c.index)] = c.value;
        boxes.kvMarked = c.kvMarked;
        boxes.kmMarked = c.kmMarked;
        const SetInputsChange change = setInputsChanged(c.index, boxes);
        EXPECT_EQ(change.recomputeKm, c.km) << c.index << " " << c.value;
        EXPECT_EQ(change.recomputeKv, c.kv) << c.index << " " << c.value;
    }
}

} // namespace
} // namespace cindrel::agma
