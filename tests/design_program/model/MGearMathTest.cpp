#include "model/MGearMath.h"

#include "model/MMath.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace cindrel::model {
namespace {

using MMath::InvFunction;
using MMath::Pi;

// One member given as a designer does (normal pitch and pressure angle) with
// the transverse values and radii that the measurements use.
struct Member {
    std::int32_t N;
    double normalPitch;
    double normalPressureAngleDegrees;
    double helixAngleDegrees;
    double normalThickness;
    bool internal;

    double psi() const { return MMath::Deg2Rad(helixAngleDegrees); }
    double P() const { return normalPitch * std::cos(psi()); }
    double phi() const { return std::atan(std::tan(MMath::Deg2Rad(normalPressureAngleDegrees)) / std::cos(psi())); }
    double D() const { return N / P(); }
    double Db() const { return D() * std::cos(phi()); }
    double psiB() const { return std::atan(std::tan(psi()) * std::cos(phi())); }
    double e() const { return internal ? -1 : 1; }
    // Transverse base tooth thickness.
    double tb() const { return Db() * (normalThickness / std::cos(psi()) / D() + e() * InvFunction(phi())); }
};

// Measurement over (external) or between (internal) two pins of diameter d.
double pinMeasurement(const Member& m, double d) {
    const double phiC =
        MMath::InverseInvolute(m.e() * (d / (m.Db() * std::cos(m.psiB())) + m.tb() / m.Db() - Pi / m.N));
    const double Rc = m.Db() / (2 * std::cos(phiC));
    if (MMath::IsEven(m.N))
        return 2 * (Rc + m.e() * d / 2);
    return 2 * Rc * std::cos(Pi / (2 * m.N)) + m.e() * d;
}

// Base tangent length over n teeth of an external member.
double spanMeasurement(const Member& m, std::int32_t n) {
    const double PB = Pi * m.Db() / m.N;
    return ((n - m.e()) * PB + m.e() * m.tb()) * std::cos(m.psiB());
}

double thicknessFromPins(const Member& m, double measurement, double d) {
    return MGearMath::TThkFromPins(m.N, m.P(), m.phi(), m.psi(), measurement, d, m.internal);
}

TEST(MGearMathTest, PinMeasurementGivesTheThicknessBack) {
    struct Case { Member member; double pin; };
    const Case cases[] = {
        {{20, 10, 20, 0, 0.15708, false}, 0.1728},  // even spur
        {{21, 10, 20, 0, 0.1500, false}, 0.1728},   // odd spur: pins not on one diameter
        {{40, 10, 20, 0, 0.1650, false}, 0.1728},
        {{24, 8, 20, 30, 0.1963, false}, 0.216},    // helical, even and odd
        {{25, 8, 20, 30, 0.1900, false}, 0.216},
        {{17, 4, 25, 15, 0.3927, false}, 0.432},
        {{60, 10, 20, 0, 0.15708, true}, 0.144},    // internal: between pins
        {{61, 10, 20, 0, 0.1500, true}, 0.144},
        {{72, 12, 20, 20, 0.1309, true}, 0.12},
        {{73, 12, 20, 20, 0.1250, true}, 0.12},
    };
    for (const Case& c : cases) {
        const Member& m = c.member;
        const double measurement = pinMeasurement(m, c.pin);
        EXPECT_NEAR(thicknessFromPins(m, measurement, c.pin), m.normalThickness, 1e-9)
            << m.N << " teeth, helix " << m.helixAngleDegrees << (m.internal ? ", internal" : "");
    }
}

// Round inputs worked through the routines' steps in a separate script (double
// precision, π = 3.14159265358979), so the expected thicknesses do not come
// from the forward formulas above. Helical members are given in the normal
// plane: P = Pn·cos ψ, φ = atan(tan φn / cos ψ).
TEST(MGearMathTest, HandWorkedThicknesses) {
    const double twenty = 20 * Pi / 180;
    const double thirty = 30 * Pi / 180;
    const double ringPitch = 12 * std::cos(twenty);
    const double ringAngle = std::atan(std::tan(twenty) / std::cos(twenty));
    struct PinCase { std::int32_t N; double P, phi, psi, M, pin; bool between; double expected; };
    const PinCase pinCases[] = {
        {20, 10, twenty, 0, 2.2, 0.1728, false, 0.140654982357489},  // even: pins on one diameter
        {21, 10, twenty, 0, 2.3, 0.1728, false, 0.143023224528225},  // odd: cos(π/42) correction
        {73, ringPitch, ringAngle, twenty, 6.2, 0.12, true, 0.184800465372498},  // internal, helical, odd
    };
    for (const PinCase& c : pinCases)
        EXPECT_NEAR(MGearMath::TThkFromPins(c.N, c.P, c.phi, c.psi, c.M, c.pin, c.between), c.expected, 1e-12)
            << c.N << " teeth over " << c.M;

    const double helicalPitch = 8 * std::cos(thirty);
    const double helicalAngle = std::atan(std::tan(twenty) / std::cos(thirty));
    struct SpanCase { std::int32_t N; double P, phi, W; std::int32_t k; double psi, expected; };
    const SpanCase spanCases[] = {
        {20, 10, twenty, 0.75, 3, 0, 0.140006030904303},
        {24, helicalPitch, helicalAngle, 0.95, 3, thirty, 0.158330186213791},
    };
    for (const SpanCase& c : spanCases)
        EXPECT_NEAR(MGearMath::TThkFromSpan(c.N, c.P, c.phi, c.W, c.k, c.psi), c.expected, 1e-12)
            << c.N << " teeth, span " << c.W;
}

TEST(MGearMathTest, PinsWithoutASolutionGiveZero) {
    const Member spur{20, 10, 20, 0, 0.15708, false};
    const double pin = 0.1728;
    const double measurements[] = {
        spur.Db() + pin - 0.01,  // pin centres inside the base circle
        pin,                     // pin-centre diameter 0
        pin / 2,                 // negative pin-centre diameter
        std::numeric_limits<double>::quiet_NaN(),
    };
    for (double measurement : measurements)
        EXPECT_EQ(thicknessFromPins(spur, measurement, pin), 0) << measurement;
    // Between pins the pin-centre diameter is the measurement plus the pin.
    const Member ring{60, 10, 20, 0, 0.15708, true};
    EXPECT_EQ(thicknessFromPins(ring, ring.Db() - pin - 0.01, pin), 0);
    EXPECT_EQ(thicknessFromPins(ring, -pin, pin), 0);
}

TEST(MGearMathTest, PinsPassErrorsOfTheDiametersToTheCaller) {
    int number = 0;
    try {
        MGearMath::TThkFromPins(20, 0, 0.35, 0, 2.2, 0.1728, false);
    } catch (const runtime::RuntimeError& error) {
        number = error.number();
    }
    EXPECT_EQ(number, runtime::DivisionByZero);
}

TEST(MGearMathTest, SpanMeasurementGivesTheThicknessBack) {
    struct Case { Member member; std::int32_t spanned; };
    const Case cases[] = {
        {{20, 10, 20, 0, 0.15708, false}, 3},
        {{21, 10, 20, 0, 0.1500, false}, 3},
        {{40, 10, 20, 0, 0.1650, false}, 5},
        {{24, 8, 20, 30, 0.1963, false}, 3},
        {{25, 8, 20, 30, 0.1900, false}, 4},
        {{17, 4, 25, 15, 0.3927, false}, 1},
    };
    for (const Case& c : cases) {
        const Member& m = c.member;
        const double span = spanMeasurement(m, c.spanned);
        EXPECT_NEAR(MGearMath::TThkFromSpan(m.N, m.P(), m.phi(), span, c.spanned, m.psi()), m.normalThickness,
                    1e-12)
            << m.N << " teeth over " << c.spanned << ", helix " << m.helixAngleDegrees;
    }
}

TEST(MGearMathTest, SpanSkipsFailingStepsAndRaisesNothing) {
    struct Case { std::int32_t teeth; double pitch, span; };
    const Case cases[] = {
        {20, 0, 0.9}, {0, 10, 0.9}, {20, 10, std::numeric_limits<double>::quiet_NaN()},
        {20, std::numeric_limits<double>::infinity(), 0.9},
    };
    for (const Case& c : cases) {
        double thickness = 0;
        EXPECT_NO_THROW(thickness = MGearMath::TThkFromSpan(c.teeth, c.pitch, 0.35, c.span, 3, 0.2));
        EXPECT_TRUE(std::isfinite(thickness)) << c.teeth << ", " << c.pitch << ", " << c.span;
    }
}

} // namespace
} // namespace cindrel::model
