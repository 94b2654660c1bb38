#include "model/T_Gear.h"

#include "RecordingShell.h"
#include "ReferencePairs.h"
#include "model/MGearMath.h"
#include "model/T_Set.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace cindrel::model {
namespace {

using testing::PairInputs;
using testing::RecordingShell;

constexpr double Pi = 3.14159265358979;

PairInputs pairOf(PairInputs in, std::int32_t pinion, std::int32_t gear, double helixDegrees) {
    in.pinionTeeth = pinion;
    in.gearTeeth = gear;
    in.helixAngleDegrees = helixDegrees;
    return in;
}

PairInputs external(std::int32_t pinion, std::int32_t gear, double normalPitch, double helixDegrees) {
    PairInputs in = pairOf(testing::spurPairInputs(), pinion, gear, helixDegrees);
    in.normalDiametralPitch = normalPitch;
    return in;
}

// The 60-tooth ring of the reference internal pair, addendum 0.8 / Pd.
PairInputs internal(std::int32_t ring, double helixDegrees) {
    return pairOf(testing::internalPairInputs(), 20, ring, helixDegrees);
}

class SpanTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell.texts = {{4210, "span measurement exceeds facewidth, select fewer teeth to span"},
                       {4211, "The number of teeth selected for span measure is less than the minimum number allowed"},
                       {4212, "The number of teeth selected for span measure is greater than the maximum number allowed"}};
    }

    T_Gear& member(const PairInputs& in, int index) {
        testing::setUpPair(pair, in);
        return pair.member(index);
    }

    RecordingShell shell;
    T_Set pair{shell};
};

// Expected values from the published base tangent length
//   W = m_n cos α_n (π (k − 0.5) + z inv α_t)   (external),
// and for an internal gear, over k teeth with the anvils in the spaces beyond
// them, (k + 1) base pitches less one base thickness:
//   W = m_n cos α_n (π (k + 0.5) + z inv α_t),
// with m_n = 1 / Pd_n inch. By hand for 20 teeth, Pd 10, 20°, k = 3:
//   0.1 · 0.939693 · (2.5 π + 20 · 0.0149044) = 0.0939693 · 8.152071 = 0.766044.
TEST_F(SpanTest, SpanMeasurementGivesTheThicknessBack) {
    const struct {
        const char* what;
        PairInputs inputs;
        int index;
        std::int16_t teeth;
        double span;
    } cases[] = {
        {"spur, even", testing::spurPairInputs(), 0, 3, 0.7660439376},
        {"spur, 40 teeth", testing::spurPairInputs(), 1, 5, 1.3844813035},
        {"spur, odd", external(21, 40, 10, 0), 0, 3, 0.7674444916},
        {"helical, odd", testing::helicalPairInputs(), 0, 3, 0.9708571015},
        {"helical, even", testing::helicalPairInputs(), 1, 5, 1.7572059884},
        {"internal", internal(60, 0), 1, 5, 1.7077055260},
        {"internal, odd", internal(61, 0), 1, 5, 1.7091060799},
        {"internal helical", internal(60, 15), 1, 6, 2.0116522066},
    };
    for (const auto& c : cases) {
        T_Gear& gear = member(c.inputs, c.index);
        std::string messages;
        const double span = gear.SpanMeasurement(c.teeth, messages, 0);
        EXPECT_NEAR(span, c.span, 1e-9) << c.what;
        EXPECT_EQ(messages, "") << c.what;
        if (gear.IntExt == -1)
            continue; // the reverse routine reads external spans only
        const double thickness = MGearMath::TThkFromSpan(static_cast<std::int32_t>(gear.N()), pair.pd(), pair.Phi(),
                                                         span, c.teeth, pair.Psi());
        EXPECT_NEAR(thickness, Pi / (2 * c.inputs.normalDiametralPitch), 1e-9) << c.what;
    }
}

TEST_F(SpanTest, MaximumThicknessSpansMore) {
    T_Gear& gear = member(testing::spurPairInputs(), 0);
    gear.aaToothThickness(1, 1, 1, 0, 0, 0.16);
    std::string messages;
    const double span = gear.SpanMeasurement(3, messages, 1);
    // Extra normal thickness at the pitch circle adds its projection, times cos 20°, to the span.
    EXPECT_NEAR(span, 0.7660439376 + (0.16 - Pi / 20) * 0.9396926208, 1e-9);
    EXPECT_NEAR(MGearMath::TThkFromSpan(20, 10, pair.Phi(), span, 3, 0), 0.16, 1e-9);
}

// A span over k teeth touches the flanks at d_M with d_M² = d_b² + (W cos β_b)²;
// the fewest teeth touch above the root (for a ring, inside the tips less edge
// break), the most below them (for a ring, short of the root); the best count is
// the published k = z/π (tan α_M / cos² β_b − inv α_t) + 0.5 with α_M at mid
// working depth (external), or the count whose d_M is nearest mid depth.
// Worked apart from the model for each case.
TEST_F(SpanTest, FewestMostAndBestTeethToSpan) {
    const struct {
        const char* what;
        PairInputs inputs;
        int index;
        std::int16_t fewest, most, best;
    } cases[] = {
        {"spur, root inside the base circle", testing::spurPairInputs(), 0, 0, 4, 2},
        {"spur 40, root inside the base circle", testing::spurPairInputs(), 1, 0, 6, 5},
        {"spur 60", external(20, 60, 10, 0), 1, 5, 8, 7},
        {"helical, root inside the base circle", testing::helicalPairInputs(), 0, 0, 5, 3},
        {"helical 50", testing::helicalPairInputs(), 1, 4, 8, 6},
        {"helical 60 at 30°", external(20, 60, 8, 30), 1, 8, 12, 10},
        {"internal", internal(60, 0), 1, 5, 8, 7},
        {"internal, odd", internal(61, 0), 1, 5, 8, 7},
        {"internal helical", internal(60, 15), 1, 6, 9, 7},
    };
    for (const auto& c : cases) {
        const T_Gear& gear = member(c.inputs, c.index);
        EXPECT_EQ(gear.SpanMeasNumbTeethMin(), c.fewest) << c.what;
        EXPECT_EQ(gear.SpanMeasNumbTeethMax(), c.most) << c.what;
        EXPECT_EQ(gear.SpanMeasNumbTeethBest(), c.best) << c.what;
    }
}

TEST_F(SpanTest, MostTeethAreCappedAtTheCountOverTwoAndAHalf) {
    // 8 teeth at 45° helix: the tips allow a span over 4 teeth (4.35 by
    // the formula), more than 8 / 2.5.
    T_Gear& gear = member(external(8, 40, 10, 45), 0);
    EXPECT_EQ(gear.SpanMeasNumbTeethMax(), 3);
    std::string messages;
    gear.SpanMeasurement(3, messages, 0);
    EXPECT_EQ(messages.find("greater than the maximum"), std::string::npos) << messages;
    gear.SpanMeasurement(4, messages, 0);
    EXPECT_NE(messages.find("greater than the maximum number allowed (3 teeth max.)"), std::string::npos) << messages;
}

TEST_F(SpanTest, MessagesForTooFewTooManyAndTooWide) {
    const std::string fewer = "The number of teeth selected for span measure is less than the minimum number allowed";
    const std::string more = "The number of teeth selected for span measure is greater than the maximum number allowed";
    const std::string wide = "span measurement exceeds facewidth, select fewer teeth to span";

    // Spur 60 teeth: 5 to 8.
    T_Gear& spur = member(external(20, 60, 10, 0), 1);
    spur.aaFaceWidth(0.01);
    const struct {
        std::int16_t teeth;
        std::int32_t limit;
        std::string messages;
    } spurCases[] = {
        {5, 0, "before"},
        {8, 1, "before"},
        {9, 1, "before\r\n" + more + " (8 teeth max.) for the GearMax"},
        {4, 0, "before\r\n" + fewer + " (5 teeth min.) for the GearMin"},
        // None: no span, but still fewer than allowed.
        {0, 0, "before\r\n" + fewer + " (5 teeth min.) for the GearMin"},
    };
    for (const auto& c : spurCases) {
        std::string messages = "before";
        const double span = spur.SpanMeasurement(c.teeth, messages, c.limit);
        EXPECT_EQ(messages, c.messages) << c.teeth;
        EXPECT_EQ(span == 0.0, c.teeth == 0) << c.teeth;
    }

    // 8 teeth at 45°, face 0.5: a span over 3 teeth (0.7676) needs
    // 0.7676 sin 45° = 0.543 of face, over 2 teeth 0.334.
    T_Gear& helical = member(external(8, 40, 10, 45), 0);
    helical.aaFaceWidth(0.5);
    std::string messages;
    EXPECT_NEAR(helical.SpanMeasurement(3, messages, 1), 0.7676281358, 1e-9);
    EXPECT_EQ(messages, "\r\n" + wide + ", PinionMax");
    messages.clear();
    helical.SpanMeasurement(2, messages, 0);
    EXPECT_EQ(messages, "");
}

} // namespace
} // namespace cindrel::model
