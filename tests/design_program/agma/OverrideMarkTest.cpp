#include "agma/OverrideMark.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace cindrel::agma {
namespace {

TEST(OverrideMark, ChangeTags) {
    struct Case {
        const char* box;
        int index;
        std::optional<std::string> tag;
        bool whileQuiet;
    };
    const Case cases[] = {
        {"txtKb", 1, "txtKb", false},   {"txtKm", -1, "txtKm", true},   {"txtKV", -1, "txtKv", false},
        {"txtCh", 0, "txtCh", false},   {"txtKo", -1, "txtKo", false},  {"txtKr", -1, "txtKr", false},
        {"txtYn", 1, "txtYn1", true},   {"txtZn", 0, "txtZn0", true},   {"txtSAC", 1, "txtSAC1", true},
        {"txtSAT", 0, "txtSAT0", true}, {"txtCf", -1, "txtCf", false},  {"txtKs", -1, std::nullopt, false},
        {"txtKt", -1, std::nullopt, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(changeTag(c.box, c.index), c.tag) << c.box;
        EXPECT_EQ(tagsWhileQuiet(c.box), c.whileQuiet) << c.box;
    }
}

TEST(OverrideMark, TagTests) {
    struct Case {
        const char* box;
        int index;
        const char* lastChange;
        bool passes;
    };
    const Case cases[] = {
        {"txtKb", 0, "txtKb", true},   {"txtKb", 1, "txtKb", true}, // no member in the tag: both pass
        {"txtKb", 0, "KbCalcs", false}, {"txtKm", -1, "txtKm", true}, {"txtKm", -1, "txtKmSpan", false},
        {"txtKV", -1, "txtKv", true},  {"txtKV", -1, "txtKV", false}, // compared exactly, case included
        {"txtCh", 1, "txtCh", true},   {"txtKo", -1, "optKo", false}, {"txtKr", -1, "txtKr", true},
        {"txtYn", 0, "txtYn0", true},  {"txtYn", 0, "txtYn1", false}, {"txtZn", 1, "txtZn1", true},
        {"txtZn", 0, "txtZn1", false}, {"txtZn", 0, "subZn", false},  {"txtSAC", 0, "txtSAC0", true},
        {"txtSAC", 1, "txtSAC0", false}, {"txtSAT", 1, "txtSAT1", true}, {"txtSAT", 0, "txtSAC0", false},
        {"txtCf", -1, "txtCf", true},  {"txtKs", -1, "", false},     {"txtKt", -1, "txtKt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(passesTagTest(c.box, c.index, c.lastChange), c.passes) << c.box << c.index << " " << c.lastChange;
}

TEST(OverrideMark, MarkOnLeaving) {
    EXPECT_EQ(markedOnLeaving("txtKm", -1, "1.25", "txtKm", true), "1.25*");
    // A click without typing never freezes a calculated value.
    EXPECT_EQ(markedOnLeaving("txtKm", -1, "1.371", "txtKm", false), std::nullopt);
    // No second mark.
    EXPECT_EQ(markedOnLeaving("txtKm", -1, "1.25*", "txtKm", true), std::nullopt);
    EXPECT_EQ(markedOnLeaving("txtZn", 0, "0.9", "txtZn1", true), std::nullopt);
    EXPECT_EQ(markedOnLeaving("txtKs", -1, "1.1", "txtKs", true), std::nullopt);
    EXPECT_EQ(markedOnLeaving("txtCh", 1, "", "txtCh", true), "*");
}

} // namespace
} // namespace cindrel::agma
