#include "agma/SetInputs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace cindrel::agma {
namespace {

TEST(SetInputs, LifeBoxesFollowSpeedAndRatio) {
    struct Case {
        const char* name;
        int index;
        const char* value;
        const char* hours;
        const char* pinionCycles;
        const char* gearContacts;
        bool znMarked;
        std::optional<std::string> pinion, gear;
    };
    // 100 h × 60 × 1 contact × 1000 rpm = 6,000,000; 10,000,000 / 1 / 2.5 × 1 = 4,000,000.
    const Case cases[] = {
        {"speed with hours", 0, "1000", "100", "10000000", "1", false, "6000000", std::nullopt},
        {"speed, no hours", 0, "1000", "", "10000000", "1", false, std::nullopt, std::nullopt},
        {"speed, hours not a number", 0, "1000", "abc", "10000000", "1", false, std::nullopt, std::nullopt},
        {"speed 0", 0, "0", "100", "10000000", "1", false, std::nullopt, std::nullopt},
        {"speed, marked Zn", 0, "1000", "100", "10000000", "1", true, std::nullopt, std::nullopt},
        {"ratio 2.5", 4, "2.5", "", "10000000", "1", false, std::nullopt, "4000000"},
        {"ratio 1", 4, "1", "", "10000000", "1", false, std::nullopt, "10000000"},
        {"ratio 0.9", 4, "0.9", "", "10000000", "1", false, std::nullopt, std::nullopt},
        {"gear contacts 2", 4, "2.5", "", "10000000", "2", false, std::nullopt, "8000000"},
        {"ratio, cycles not a number", 4, "2.5", "", "many", "1", false, std::nullopt, std::nullopt},
        {"ratio, marked Zn", 4, "2.5", "", "10000000", "1", true, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SetInputsBoxes boxes;
        boxes.inps = {"1000", "5", "12", "2", "4.21"};
        boxes.inps[static_cast<std::size_t>(c.index)] = c.value;
        boxes.life = {c.pinionCycles, "", c.hours};
        boxes.contacts = {"1", c.gearContacts};
        boxes.znMarked = c.znMarked;
        const SetInputsChange change = setInputsChanged(c.index, boxes);
        EXPECT_EQ(change.pinionCycles, c.pinion) << c.name;
        EXPECT_EQ(change.gearCycles, c.gear) << c.name;
        EXPECT_EQ(change.recomputeCh, c.index == 4 && std::string(c.value) != "0.9") << c.name;
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
