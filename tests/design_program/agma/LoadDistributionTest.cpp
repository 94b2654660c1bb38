#include "agma/LoadDistribution.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace cindrel::agma {
namespace {

constexpr int Open = 0, Commercial = 1, Precision = 2, ExtraPrecision = 3;

KmOutcome km(const char* face, const char* diameter, std::optional<int> style, bool cmc = false, bool ce = false,
             const char* cpm = "Cpm= 1.0") {
    return loadDistributionFactor({face, diameter, style, cmc, ce, cpm});
}

// Cpf and Cma worked by hand from the AGMA 2001 empirical method.
TEST(LoadDistribution, PinionProportionFactorByFaceWidth) {
    struct Case {
        double face, diameter, expected;
    };
    const Case cases[] = {
        {1, 1, 0.1 - 0.025},                                         // first row, up to 1 inch
        {1, 10, 0.05 - 0.025},                                       // F/(10d) = 0.01 counts as 0.05
        {17, 10, 0.17 - 0.0375 + 0.2125},                            // second row up to 17
        {17.5, 10, 0.175 - 0.1109 + 0.36225 - 0.069825},             // third row above 17
        {40, 10, 0.4 - 0.1109 + 0.828 - 0.3648},                     // 40 still on the third row
        {40.5, 10, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(pinionProportionFactor(c.face, c.diameter), c.expected, 1e-6) << c.face << " " << c.diameter;
}

TEST(LoadDistribution, MeshAlignmentFactorOfEachKindOfGearing) {
    // A + 10 B + 100 C with the published constants.
    EXPECT_NEAR(meshAlignmentFactor(Open, 10), 0.247 + 0.167 - 0.00765, 1e-12);
    EXPECT_NEAR(meshAlignmentFactor(Commercial, 10), 0.127 + 0.158 - 0.01093, 1e-12);
    EXPECT_NEAR(meshAlignmentFactor(Precision, 10), 0.0675 + 0.128 - 0.00926, 1e-12);
    EXPECT_NEAR(meshAlignmentFactor(ExtraPrecision, 10), 0.038 + 0.102 - 0.00822, 1e-12);
    for (std::optional<int> none : {std::optional<int>(), std::optional<int>(4), std::optional<int>(-1)})
        EXPECT_EQ(meshAlignmentFactor(none, 10), meshAlignmentFactor(Open, 10));
}

TEST(LoadDistribution, KmAndItsEquation) {
    struct Case {
        const char* face;
        const char* diameter;
        std::optional<int> style;
        bool cmc, ce;
        const char* cpm;
        const char* expected;
    };
    const Case cases[] = {
        {"3", "4", Open, false, false, "Cpm= 1.0", "1.371"},          // 1 + 0.075 + 0.2964
        {"3", "4", Open, true, true, "Cpm= 1.0", "1.250"},            // 1 + 0.8 (0.075 + 0.8 · 0.2964)
        {"3", "4", Open, true, false, "Cpm= 1.0", "1.297"},           // 1 + 0.8 (0.075 + 0.2964)
        {"3", "4", Open, false, true, "Cpm= 1.0", "1.312"},           // 1 + 0.075 + 0.8 · 0.2964
        {"3", "4", ExtraPrecision, false, false, "Cpm= 1.1", "1.150"}, // 1 + 0.075 · 1.1 + 0.0679
        {"20", "10", Commercial, false, false, "Cpm= 1.0", "1.811"},  // 1 + 0.4119 + 0.3993
        {"1", "10", Open, false, false, "Cpm= 1.0", "1.289"},         // Cpf 0.025, not -0.015
        {"40", "10", Open, false, false, "Cpm= 1.0", "2.545"},        // 1 + 0.7523 + 0.7926
        {"3", "4", std::nullopt, false, false, "Cpm= 1.0", "1.371"},  // no kind chosen: open
        {"3.0*", "4,000", Open, false, false, "Cpm= 1.0", "1.346"},   // 1 + 0.05 + 0.2964: the 0.05 floor
    };
    for (const Case& c : cases) {
        const KmOutcome outcome = km(c.face, c.diameter, c.style, c.cmc, c.ce, c.cpm);
        EXPECT_EQ(outcome.km, c.expected) << c.face << " " << c.diameter;
        EXPECT_FALSE(outcome.message) << c.face;
        EXPECT_EQ(outcome.focus, SetInputsBox::None);
    }
    EXPECT_EQ(km("3", "4", Open).equation,
              "Km = (1 + Cmc*(Cpf*Cpm + Cma*Ce)): 1.371 = (1 + 1*(0.075*1.000 + 0.296*1))");
    EXPECT_EQ(km("3", "4", Open, true, true).equation,
              "Km = (1 + Cmc*(Cpf*Cpm + Cma*Ce)): 1.250 = (1 + 0.8*(0.075*1.000 + 0.296*0.8))");
}

TEST(LoadDistribution, WideFacesWarnOrGiveNoKm) {
    // Beyond 40 inch Cpf is 0: 1 + 0.0675 + 0.64 - 0.2315 = 1.476.
    for (const char* face : {"50", "60"}) {
        const KmOutcome wide = km(face, "10", Precision);
        ASSERT_TRUE(wide.message) << face;
        EXPECT_EQ(wide.message->title, "Km message");
        EXPECT_EQ(wide.message->text, "You are exceeding the AGMA limits for the facewidth.  You may continue,\n"
                                      "however, the calculated Km factor will tend to be optimistic.");
    }
    EXPECT_EQ(km("50", "10", Precision).km, "1.476");
    for (const char* face : {"60.001", "80", "150"}) {
        const KmOutcome far = km(face, "10", Open);
        ASSERT_TRUE(far.message);
        EXPECT_EQ(far.message->text, "The facewidth is far out of bounds and a calculated\n"
                                     "Km value is outside the scope of this program.  Use\n"
                                     "a Km value based on experience");
        EXPECT_EQ(far.km, "");
        EXPECT_EQ(far.equation, "");
    }
}

TEST(LoadDistribution, BadInputsSendTheUserBackAndWriteNoKm) {
    struct Case {
        const char* face;
        const char* diameter;
        const char* message;
        SetInputsBox focus;
    };
    const Case cases[] = {
        {"3", "0", "Operating pitch diameter not valid", SetInputsBox::PitchDiameter},
        {"3", "-4", "Operating pitch diameter not valid", SetInputsBox::PitchDiameter},
        {"-3", "4", "Face width is negative, can't be", SetInputsBox::FaceWidth},
        {"", "4", "Face width not filled in", SetInputsBox::FaceWidth},
        // Never a face of 1 or a diameter of 4 from a slip of the keyboard.
        {"1,5", "4", "Face width is not a number", SetInputsBox::FaceWidth},
        {"3", "4,5", "Operating pitch diameter not valid", SetInputsBox::PitchDiameter},
    };
    for (const Case& c : cases) {
        const KmOutcome outcome = km(c.face, c.diameter, Open);
        ASSERT_TRUE(outcome.message);
        EXPECT_EQ(outcome.message->text, c.message);
        EXPECT_EQ(outcome.message->title, "");
        EXPECT_EQ(outcome.focus, c.focus);
        EXPECT_EQ(outcome.km, std::nullopt);
        EXPECT_EQ(outcome.equation, "");
    }
    EXPECT_EQ(km("1e400", "4", Open).km, std::nullopt);
}

TEST(LoadDistribution, ModifierCaptions) {
    EXPECT_EQ(cmcCaption(true), "Cmc=0.8");
    EXPECT_EQ(cmcCaption(false), "Cmc=1.0");
    EXPECT_EQ(ceCaption(true), "Ce=0.8");
    EXPECT_EQ(ceCaption(false), "Ce=1.0");
}

TEST(LoadDistribution, PinionProportionModifierFromOffsetAndSpan) {
    struct Case {
        const char* offset;
        const char* span;
        std::optional<std::string> caption;
        bool recompute;
    };
    const Case cases[] = {
        {"0", "10", "Cpm= 1.0", false}, {"0", "0", "Cpm= 1.0", false}, {"2", "0", std::nullopt, false},
        {"2", "10", "Cpm= 1.1", true},  {"1.75", "10", "Cpm= 1.1", true}, {"1.74", "10", "Cpm= 1.0", true},
        {"-2", "10", "Cpm= 1.0", true},
    };
    for (const Case& c : cases) {
        const CpmOutcome outcome = pinionProportionModifier(c.offset, c.span);
        EXPECT_EQ(outcome.caption, c.caption) << c.offset << " / " << c.span;
        EXPECT_EQ(outcome.recomputeKm, c.recompute) << c.offset << " / " << c.span;
    }
}

TEST(LoadDistribution, OffsetCheckTellsWhyOnTheThirdFailureInARow) {
    BearingSpanChecks checks;
    EXPECT_TRUE(checks.offsetLeft("5", "10").passed);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(checks.offsetLeft("6", "10").message, "");
        EXPECT_FALSE(checks.offsetLeft("6", "10").passed);
        const BearingSpanChecks::Outcome third = checks.offsetLeft("6", "10");
        EXPECT_FALSE(third.passed);
        EXPECT_EQ(third.message, "The offset must be less than half of the span between bearings");
    }
    EXPECT_FALSE(checks.offsetLeft("6", "10").passed);
    EXPECT_TRUE(checks.offsetLeft("1", "10").passed); // a pass starts the count again
    EXPECT_EQ(checks.offsetLeft("6", "10").message, "");
    EXPECT_EQ(checks.offsetLeft("6", "10").message, "");
}

TEST(LoadDistribution, SpanCheckTellsWhyOnTheSecondFailureInARow) {
    BearingSpanChecks checks;
    EXPECT_TRUE(checks.spanLeft("5", "10").passed);
    EXPECT_EQ(checks.spanLeft("6", "10").message, "");
    const BearingSpanChecks::Outcome second = checks.spanLeft("6", "10");
    EXPECT_FALSE(second.passed);
    EXPECT_EQ(second.message, "The span between bearings must be at least twice the offset");
    EXPECT_EQ(checks.spanLeft("6", "10").message, "");
    EXPECT_FALSE(checks.spanLeft("1e400", "10").passed);
}

TEST(LoadDistribution, SelectionLabelsNameAnOptionOrNone) {
    EXPECT_EQ(optionNamed("2", 4), 2);
    EXPECT_EQ(optionNamed(" 3 ", 4), 3);
    EXPECT_EQ(optionNamed("0", 7), 0);
    for (const char* none : {"", "lbloptGearStyle", "4", "-1", "1.5", "2x"})
        EXPECT_EQ(optionNamed(none, 4), std::nullopt) << none;
}

} // namespace
} // namespace cindrel::agma
