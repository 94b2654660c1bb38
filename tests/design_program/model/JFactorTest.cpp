#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/GearBending.h"
#include "model/MMath.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace cindrel::model {
namespace {

using testing::PairInputs;
using testing::RecordingShell;

enum class Routine { FullCircular, Trochoidal, Agma };

const char* nameOf(Routine routine) {
    switch (routine) {
    case Routine::FullCircular: return "full circular";
    case Routine::Trochoidal: return "trochoidal";
    case Routine::Agma: return "AGMA";
    }
    return "";
}

// A pair set up from inputs; hob-generated members get the standard hob.
struct Pair {
    explicit Pair(const PairInputs& inputs) { testing::setUpPair(set, inputs); }

    double j(int member, Routine routine) {
        T_Gear& gear = set.member(member);
        if (routine == Routine::FullCircular)
            return gear.FullCircularFilletJFactor();
        gear.oHob->SetDefaultHob(1);
        return routine == Routine::Trochoidal ? gear.ZRK_Trochoidal_JFactor() : gear.AGMA_JFactor(0);
    }

    RecordingShell shell;
    T_Set set{shell};
};

// The 20/40 spur pinion thinned by 0.004 in and cut by a short hob
// (addendum 0.14, tip radius 0.02): its rack is shifted.
T_Gear& thinnedPinionWithShortHob(Pair& pair) {
    T_Gear& pinion = *pair.set.oPinion;
    for (std::int32_t limit = 0; limit < 2; ++limit)
        pinion.aaToothThickness(1, limit, 1, 0, 0, MMath::Pi / 20 - 0.004);
    pinion.oHob->SetDefaultHob(1);
    pinion.oHob->Addendum(0.14);
    pinion.oHob->TipRadius(0.02);
    return pinion;
}

PairInputs spurPair(std::int32_t pinionTeeth, std::int32_t gearTeeth, double pressureAngle = 20) {
    PairInputs in;
    in.pinionTeeth = pinionTeeth;
    in.gearTeeth = gearTeeth;
    in.normalPressureAngleDegrees = pressureAngle;
    return in;
}

// Every value worked out independently from the formulas, step by step (the
// load point from the line of action, the 300-point trochoid walk, the Newton
// iteration on the fillet normal); the virtual spur gears for the helical pair.
TEST(JFactorTest, ReferencePairsGiveTheirFactors) {
    struct Case {
        const char* pair;
        PairInputs inputs;
        int member;
        Routine routine;
        double J;
    };
    const Case cases[] = {
        {"spur", testing::spurPairInputs(), 0, Routine::FullCircular, 0.38458618},
        {"spur", testing::spurPairInputs(), 1, Routine::FullCircular, 0.43989087},
        {"spur", testing::spurPairInputs(), 0, Routine::Trochoidal, 0.39467916},
        {"spur", testing::spurPairInputs(), 1, Routine::Trochoidal, 0.44327340},
        {"spur", testing::spurPairInputs(), 0, Routine::Agma, 0.39458627},
        {"spur", testing::spurPairInputs(), 1, Routine::Agma, 0.44337563},
        {"helical", testing::helicalPairInputs(), 0, Routine::FullCircular, 0.52843655},
        {"helical", testing::helicalPairInputs(), 1, Routine::FullCircular, 0.56760141},
        {"helical", testing::helicalPairInputs(), 0, Routine::Trochoidal, 0.53465201},
        {"helical", testing::helicalPairInputs(), 1, Routine::Trochoidal, 0.56682389},
        {"helical", testing::helicalPairInputs(), 0, Routine::Agma, 0.53470323},
        {"helical", testing::helicalPairInputs(), 1, Routine::Agma, 0.56690659},
        {"internal", testing::internalPairInputs(), 0, Routine::FullCircular, 0.39360265},
        {"internal", testing::internalPairInputs(), 1, Routine::FullCircular, 0.58410896},
        {"internal", testing::internalPairInputs(), 0, Routine::Trochoidal, 0.40339228},
        {"internal", testing::internalPairInputs(), 0, Routine::Agma, 0.40358919},
    };
    for (const Case& c : cases) {
        Pair pair(c.inputs);
        EXPECT_NEAR(pair.j(c.member, c.routine), c.J, 5e-8)
            << c.pair << " member " << c.member << " " << nameOf(c.routine);
        EXPECT_TRUE(pair.shell.errors.empty()) << c.pair << " " << nameOf(c.routine);
    }
}

// The trochoidal Lewis search and the AGMA Newton iteration find the critical
// section independently; at 20 degrees they share the stress-correction
// exponents, so they must agree.
TEST(JFactorTest, TrochoidalSearchAndAgmaIterationAgreeAtTwentyDegrees) {
    const std::int32_t teeth[] = {17, 25, 35, 55, 135};
    for (std::int32_t pinionTeeth : teeth) {
        for (std::int32_t gearTeeth : teeth) {
            if (gearTeeth < pinionTeeth)
                continue;
            for (int member = 0; member < 2; ++member) {
                Pair trochoidal(spurPair(pinionTeeth, gearTeeth));
                Pair agma(spurPair(pinionTeeth, gearTeeth));
                EXPECT_NEAR(trochoidal.j(member, Routine::Trochoidal), agma.j(member, Routine::Agma), 5e-4)
                    << pinionTeeth << "/" << gearTeeth << " member " << member;
            }
        }
    }
}

// J of the standard rack (1.25 dedendum, 0.25 edge radius) at the highest point
// of single tooth contact, for a pinion of N teeth against a mate.
double agmaJ(std::int32_t teeth, std::int32_t mateTeeth, double pressureAngle, std::int16_t tipLoaded = 0,
             double edgeRadius = 0.25) {
    Pair pair(spurPair(teeth, mateTeeth, pressureAngle));
    T_Gear& pinion = *pair.set.oPinion;
    pinion.oHob->SetDefaultHob(1);
    pinion.oHob->TipRadius(edgeRadius / 10);
    return pinion.AGMA_JFactor(tipLoaded);
}

TEST(JFactorTest, AgmaFactorFollowsThePublishedTrends) {
    for (double pressureAngle : {20.0, 25.0}) {
        // More teeth, on the member or on its mate, make a stronger tooth.
        double previous = 0;
        for (std::int32_t teeth : {12, 17, 25, 35, 50, 85, 275, 1000}) {
            const double j = agmaJ(teeth, 50, pressureAngle);
            EXPECT_GT(j, previous) << pressureAngle << " deg, " << teeth << " teeth";
            previous = j;
        }
        previous = 0;
        for (std::int32_t mate : {25, 35, 50, 85, 275, 1000}) {
            const double j = agmaJ(25, mate, pressureAngle);
            EXPECT_GT(j, previous) << pressureAngle << " deg, mate " << mate;
            previous = j;
        }
        // A load at the tip bends more than one at the highest point of single contact.
        EXPECT_LT(agmaJ(25, 50, pressureAngle, 1), agmaJ(25, 50, pressureAngle) - 0.05);
        // A larger edge radius cuts a gentler fillet.
        EXPECT_GT(agmaJ(25, 50, pressureAngle, 0, 0.35), agmaJ(25, 50, pressureAngle, 0, 0.25));
    }
    EXPECT_GT(agmaJ(25, 50, 25), agmaJ(25, 50, 20) + 0.05);
}

TEST(JFactorTest, AgmaFactorIsNearThePublishedValues) {
    // Standard 20 degree full-depth gears loaded at the highest point of single contact.
    EXPECT_NEAR(agmaJ(52, 17, 20), 0.40, 0.015);
    EXPECT_NEAR(agmaJ(21, 21, 20), 0.33, 0.02);
    EXPECT_NEAR(agmaJ(26, 26, 20), 0.35, 0.02);
    EXPECT_NEAR(agmaJ(35, 35, 20), 0.38, 0.025);
}

TEST(JFactorTest, HobbedFactorsCutTheMembersRootRadius) {
    const double shift = -0.004 / (2 * std::tan(MMath::Deg2Rad(20)));
    for (Routine routine : {Routine::Trochoidal, Routine::Agma}) {
        Pair pair(testing::spurPairInputs());
        T_Gear& pinion = thinnedPinionWithShortHob(pair);
        routine == Routine::Trochoidal ? pinion.ZRK_Trochoidal_JFactor() : pinion.AGMA_JFactor(0);
        EXPECT_NEAR(pinion.RR(1), 1.0 + shift - 0.14, 1e-12) << nameOf(routine);
        EXPECT_NEAR(pinion.Dedendum(), 0.14 - shift, 1e-12) << nameOf(routine);
    }
}

// A shifted, protuberance hob exercises the rack shift, the generating
// pressure angle, the effective protuberance and the tip-to-flank height.
// Expected values worked out by hand from the formulas (20/40 spur pinion,
// tooth thinned by 0.004 in: rack shift -0.004 / (2 tan 20 deg) = -0.0054950;
// hob T = pi/20, a = 0.14, rho = 0.02, p = 0.002: rho (1 - cos 20) < p, so the
// tip-to-flank height is rho (1 - cos)/tan + p/sin - rho sin + rho = 0.0223211
// and the half flat T/2 - (a - h) tan 20 - rho cos 20 = 0.0157082).
TEST(JFactorTest, ShiftedProtuberanceHobGivesItsFactors) {
    struct Case {
        Routine routine;
        double J, Kf, filletRadius, formRadius;
    };
    const Case cases[] = {
        {Routine::Trochoidal, 0.28530111, 1.75007447, 0.03292053, 0.93970084},
        {Routine::Agma, 0.28312257, 1.73833824, 0.03401567, 0.93969487},
    };
    for (const Case& c : cases) {
        Pair pair(testing::spurPairInputs());
        T_Gear& pinion = thinnedPinionWithShortHob(pair);
        pinion.oHob->Protuberance(0.002);
        const double j =
            c.routine == Routine::Trochoidal ? pinion.ZRK_Trochoidal_JFactor() : pinion.AGMA_JFactor(0);
        EXPECT_NEAR(j, c.J, 5e-8) << nameOf(c.routine);
        EXPECT_NEAR(pinion.oStress.XJ, c.J, 5e-8) << nameOf(c.routine);
        EXPECT_NEAR(pinion.oStress.XKF, c.Kf, 5e-8) << nameOf(c.routine);
        EXPECT_NEAR(pinion.oStress.rRf, c.filletRadius, 5e-8) << nameOf(c.routine);
        EXPECT_NEAR(pinion.oStress.Rtangent, c.formRadius, 5e-8) << nameOf(c.routine);
        EXPECT_NEAR(pinion.RR(1), 1.0 - 0.004 / (2 * std::tan(MMath::Deg2Rad(20))) - 0.14, 1e-12)
            << nameOf(c.routine);
        EXPECT_TRUE(pair.shell.errors.empty()) << nameOf(c.routine);
    }
}

// Face contact ratio 1 or less: the load sits at the highest point of single
// contact of the virtual pair, the mate's virtual radii scaled by the ratio.
// 25/50, Pd_n 8, 20 deg normal, 15 deg helix, face 1.0: Mf = 8 sin 15 / pi
// = 0.659; pinion nn = 25 / cos^3 15 = 27.740 (r_n 13.870), so its mate's
// r_n2 = 2 r_n = 27.740 and r_na2 = r_n2 + 1; the gear's mate has r_n2 = r_n / 2.
// C6' = (r_nb2 + r_nb) tan 20, C4' = pi cos 20 + C6' - sqrt(r_na2^2 - r_nb2^2).
TEST(JFactorTest, AgmaHelicalBelowUnitFaceContactLoadsTheVirtualPairsSingleContactPoint) {
    struct Case {
        int member;
        double r_n2, r_nb2, r_na2, tanW, JOverCPsi, Kf, filletRadius, formRadius;
    };
    const Case cases[] = {
        {0, 27.74014165, 26.06720641, 28.74014165, 0.38976856, 0.44327587, 1.95264705, 0.06416743, 1.53207242},
        {1, 13.87007082, 13.03360320, 14.87007082, 0.38458886, 0.47832770, 1.98960135, 0.06165540, 3.13330345},
    };
    for (const Case& c : cases) {
        testing::PairInputs inputs = testing::helicalPairInputs();
        inputs.pinionFace = 1.0;
        inputs.gearFace = 1.0;
        Pair pair(inputs);
        pair.shell.csv = true;
        ASSERT_LE(pair.set.Mf(), 1);
        T_Gear& gear = pair.set.member(c.member);
        gear.oHob->SetDefaultHob(1);
        const double j = gear.AGMA_JFactor(0);
        EXPECT_NEAR(j / pair.set.C_Psi(), c.JOverCPsi, 5e-8) << c.member;
        EXPECT_NEAR(gear.oStress.XKF, c.Kf, 5e-8) << c.member;
        EXPECT_NEAR(gear.oStress.rRf, c.filletRadius, 5e-8) << c.member;
        EXPECT_NEAR(gear.oStress.Rtangent, c.formRadius, 5e-8) << c.member;

        // Records 7 to 10 of the trace: r_n2, r_nb2, r_na2, tan of the load pressure angle.
        const std::string& trace = pair.shell.files.at("/designs/pair_" + gear.Name() + "_AGMA-Hobbed_Stress.csv");
        std::istringstream lines(trace);
        std::vector<double> values;
        for (std::string line; std::getline(lines, line);)
            values.push_back(std::stod(line.substr(0, line.find(','))));
        ASSERT_EQ(values.size(), 69u) << c.member;
        EXPECT_NEAR(values[6], c.r_n2, 5e-8) << c.member;
        EXPECT_NEAR(values[7], c.r_nb2, 5e-8) << c.member;
        EXPECT_NEAR(values[8], c.r_na2, 5e-8) << c.member;
        EXPECT_NEAR(values[9], c.tanW, 5e-8) << c.member;
        EXPECT_EQ(values[5], 0) << "no tip radius when loaded below the tip";
        EXPECT_EQ(values[54], 1) << "Ch";
        EXPECT_EQ(values[63], 1) << "K_psi";
        EXPECT_TRUE(pair.shell.errors.empty()) << c.member;
    }
}

TEST(JFactorTest, HelicalRootRadiusIsMovedBackToTheRealGear) {
    Pair pair(testing::helicalPairInputs());
    T_Gear& pinion = *pair.set.oPinion;
    pinion.oHob->SetDefaultHob(1);
    pinion.oHob->Addendum(0.16);
    pinion.ZRK_Trochoidal_JFactor();
    EXPECT_NEAR(pinion.RR(1), pinion.Rp_s() - 0.16, 1e-12);
    EXPECT_NEAR(pinion.oStress.sRR, pinion.oStress.sRp - 0.16, 1e-12);
}

TEST(JFactorTest, InternalGearKeepsItsRootOutsideThePitchCircle) {
    for (Routine routine : {Routine::Trochoidal, Routine::Agma}) {
        Pair pair(testing::internalPairInputs());
        T_Gear& ring = *pair.set.oGear;
        pair.j(1, routine);
        EXPECT_NEAR(ring.RR(1), ring.Rp_s() + 0.125, 1e-12) << nameOf(routine);
        EXPECT_NEAR(ring.DedF(), 1.25, 1e-12) << nameOf(routine);
    }
}

TEST(JFactorTest, ASpurGearIsLoadedAtTheHighestSingleContactOfTheMinimumAddenda) {
    // 20/40, Pd 10: minimum addenda 0.9 and 0.8, maxima 1.0. The load point
    // of limit 0, worked by hand: HPSTC = (3 sin 20° − Rb_g θ(2.08)) / Rb_p
    // + 2π/20 = 0.4576308, RL = 1.0056493; limit 1 would give 0.4089683.
    for (Routine routine : {Routine::FullCircular, Routine::Trochoidal}) {
        Pair pair(testing::spurPairInputs());
        T_Gear& pinion = *pair.set.oPinion;
        pinion.aaAddendumFactor(0, 0.9);
        pair.set.oGear->aaAddendumFactor(0, 0.8);
        pair.j(0, routine);
        EXPECT_NEAR(pinion.oStress.sHPSTC, 0.4576308, 1e-7) << nameOf(routine);
        EXPECT_NEAR(pinion.oStress.sRL, 1.0056493, 1e-7) << nameOf(routine);
    }
}

TEST(JFactorTest, StressRecordDescribesTheRealOrVirtualSpurGear) {
    Pair spur(testing::spurPairInputs());
    T_Gear& spurPinion = *spur.set.oPinion;
    spurPinion.FullCircularFilletJFactor();
    const T_StressVars& real = spurPinion.oStress;
    EXPECT_EQ(real.VoR, "Real");
    EXPECT_EQ(real.Sn, 20);
    EXPECT_DOUBLE_EQ(real.sRp, 1.0);
    EXPECT_DOUBLE_EQ(real.sHPSTC, spurPinion.HPSTC(1));
    EXPECT_DOUBLE_EQ(real.sRL, spurPinion.RL());
    EXPECT_EQ(real.Done, -1);
    EXPECT_DOUBLE_EQ(real.XJ, spur.j(0, Routine::FullCircular));

    Pair helical(testing::helicalPairInputs());
    T_Gear& helicalPinion = *helical.set.oPinion;
    helicalPinion.FullCircularFilletJFactor();
    const T_StressVars& virtualGear = helicalPinion.oStress;
    const double cosPsi = std::cos(MMath::Deg2Rad(15));
    EXPECT_EQ(virtualGear.VoR, "Virtual");
    EXPECT_NEAR(virtualGear.Sn, 25 / (cosPsi * cosPsi * cosPsi), 1e-12);
    EXPECT_NEAR(virtualGear.sRp, virtualGear.Sn / 16, 1e-12);
    EXPECT_EQ(virtualGear.sHPSTC, 0); // the virtual gear is loaded at its tip
}

TEST(JFactorTest, AgmaWritesOnlyItsOwnResultsToTheRecord) {
    Pair pair(testing::spurPairInputs());
    T_Gear& pinion = *pair.set.oPinion;
    pinion.FullCircularFilletJFactor();
    const double lewisHeight = pinion.oStress.rH;
    pinion.oHob->SetDefaultHob(1);
    const double j = pinion.AGMA_JFactor(0);
    EXPECT_EQ(pinion.oStress.Source, "AGMA Routine");
    EXPECT_EQ(pinion.oStress.XJ, j);
    EXPECT_GT(pinion.oStress.XKF, 1);
    EXPECT_GT(pinion.oStress.rRf, 0);
    EXPECT_EQ(pinion.oStress.rH, lewisHeight);
}

TEST(JFactorTest, NoValidSectionGivesTheFailureValues) {
    // A tooth space that the standard-proportioned fillet circle cannot reach.
    PairInputs shallow = testing::spurPairInputs();
    shallow.dedendumFactor = 0.8;
    Pair shallowPair(shallow);
    EXPECT_EQ(shallowPair.j(0, Routine::FullCircular), 0);
    EXPECT_EQ(shallowPair.set.oPinion->oStress.XKF, 0);
    EXPECT_EQ(shallowPair.set.oPinion->oStress.YK, 0);

    // A hob so thick for its addendum that the fillet has no section to rate.
    for (Routine routine : {Routine::Trochoidal, Routine::Agma}) {
        Pair pair(testing::spurPairInputs());
        T_Gear& pinion = *pair.set.oPinion;
        pinion.oHob->SetDefaultHob(1);
        pinion.FullCircularFilletJFactor();
        const double previousJ = pinion.oStress.XJ;
        pinion.oHob->HobTTk(0.245);
        pinion.oHob->TipRadius(0.01);
        if (routine == Routine::Trochoidal) {
            EXPECT_EQ(pinion.ZRK_Trochoidal_JFactor(), 0);
        } else {
            EXPECT_EQ(pinion.AGMA_JFactor(0), -999);
            EXPECT_EQ(pinion.oStress.XJ, previousJ);
        }
        EXPECT_TRUE(pair.shell.errors.empty());
    }
}

TEST(JFactorTest, UnsetPairGivesFailureValuesWithoutCrashing) {
    RecordingShell shell;
    T_Set pair(shell);
    T_Gear& pinion = *pair.oPinion;
    EXPECT_EQ(pinion.FullCircularFilletJFactor(), 0);
    ASSERT_FALSE(shell.errors.empty());
    EXPECT_EQ(shell.errors.front().module, "T_Gear");
    EXPECT_EQ(shell.errors.front().routine, "FullCircularFillerJFactor");

    shell.errors.clear();
    EXPECT_EQ(pinion.ZRK_Trochoidal_JFactor(), 0);
    ASSERT_FALSE(shell.errors.empty());
    EXPECT_EQ(shell.errors.front().routine, "ZRK_Trochoidal_JFactor");

    shell.errors.clear();
    EXPECT_EQ(pinion.AGMA_JFactor(0), -999);
    EXPECT_TRUE(shell.errors.empty());
}

TEST(JFactorTest, CriticalPointIterationThatDoesNotSettleIsReported) {
    // The ring gear of an internal pair, rated as if hobbed like an external gear.
    Pair pair(testing::internalPairInputs());
    EXPECT_EQ(pair.j(1, Routine::Agma), -999);
    ASSERT_EQ(pair.shell.errors.size(), 1u);
    EXPECT_EQ(pair.shell.errors[0].module, "T_Gear");
    EXPECT_EQ(pair.shell.errors[0].routine, "AGMA_JFactor");
}

TEST(JFactorTest, JayDispatchesByFilletKindAndTheReservedKey) {
    struct Case {
        std::int32_t filletKind;
        int key;
        Routine expected;
    };
    const Case cases[] = {
        {0, 0, Routine::FullCircular}, {0, KeyF12, Routine::FullCircular}, {1, 0, Routine::Agma},
        {2, 122, Routine::Agma},       {1, KeyF12, Routine::Trochoidal},
    };
    for (const Case& c : cases) {
        Pair pair(testing::spurPairInputs());
        T_Gear& pinion = *pair.set.oPinion;
        pinion.oHob->SetDefaultHob(1);
        pinion.oHob->TipRadius(0.02);
        pinion.aaFilletRadius(c.filletKind);
        pair.shell.key = c.key;
        const double jay = pinion.Jay();

        Pair direct(testing::spurPairInputs());
        T_Gear& reference = *direct.set.oPinion;
        reference.oHob->SetDefaultHob(1);
        reference.oHob->TipRadius(0.02);
        const double expected = c.expected == Routine::FullCircular ? reference.FullCircularFilletJFactor()
                                : c.expected == Routine::Trochoidal ? reference.ZRK_Trochoidal_JFactor()
                                                                     : reference.AGMA_JFactor(0);
        EXPECT_EQ(jay, expected) << "fillet " << c.filletKind << " key " << c.key;
    }
}

TEST(JFactorTest, BendingStressUsesTheLeadingNumberOfEachFactor) {
    struct Case {
        const char* what;
        std::function<void(T_AGMA1&)> set;
        double J;
        double scale; // of WT pd / (Face J); 0 for no stress
    };
    const Case cases[] = {
        {"defaults", [](T_AGMA1&) {}, 0.4, 1},
        {"marked factor", [](T_AGMA1& f) { f.Kb(0, "1.25*"); }, 0.4, 1.25},
        {"all factors", [](T_AGMA1& f) { f.Ko("1.5"); f.Kv("1.2*"); f.Ks("1.1"); f.Km("1.3*"); }, 0.4,
         1.5 * 1.2 * 1.1 * 1.3},
        {"gear's factor only", [](T_AGMA1& f) { f.Kb(1, "2"); }, 0.4, 1},
        {"text without a number", [](T_AGMA1& f) { f.Ko("abc"); }, 0.4, 0},
        {"zero factor", [](T_AGMA1& f) { f.Km("0"); }, 0.4, 0},
    };
    for (const Case& c : cases) {
        Pair pair(testing::spurPairInputs());
        c.set(*pair.set.oAGMA1);
        T_Gear& pinion = *pair.set.oPinion;
        const double expected = c.scale * pinion.WT() * pair.set.pd() / (pair.set.Face() * c.J);
        const double stress = pinion.SB(c.J);
        EXPECT_TRUE(std::isfinite(stress)) << c.what;
        EXPECT_NEAR(stress, c.scale == 0 ? 0 : expected, 1e-9) << c.what;
        EXPECT_TRUE(pair.shell.errors.empty()) << c.what;
    }
}

// 0 and -999 are the J routines' failures: dividing by them gave 0 psi and
// -3.605 psi, stresses that read as numbers.
TEST(JFactorTest, AFailedJGivesNoBendingStress) {
    Pair pair(testing::spurPairInputs());
    for (T_Gear* member : {pair.set.oPinion.get(), pair.set.oGear.get()}) {
        for (double failed : {0.0, -999.0, -0.0004}) {
            try {
                member->SB(failed);
                ADD_FAILURE() << member->Name() << " J " << failed;
            } catch (const runtime::RuntimeError& error) {
                EXPECT_EQ(error.number(), runtime::InvalidProcedureCall);
                EXPECT_EQ(error.description().rfind(member->Name() + " J", 0), 0u) << error.description();
            }
        }
    }
    EXPECT_TRUE(pair.shell.errors.empty());
}

TEST(JFactorTest, FormClearanceReadsTheLastRoutinesTangentRadius) {
    Pair pair(testing::spurPairInputs());
    T_Gear& pinion = *pair.set.oPinion;
    EXPECT_DOUBLE_EQ(pinion.TIFF(), pinion.R_lc(0));
    pinion.FullCircularFilletJFactor();
    EXPECT_DOUBLE_EQ(pinion.TIFF(), pinion.R_lc(0) - pinion.oStress.Rtangent);
    EXPECT_GT(pinion.TIFF(), 0);
}

TEST(JFactorTest, LewisHeightForHighContactRatio) {
    Pair pair(testing::spurPairInputs());
    EXPECT_NEAR(pair.set.oPinion->LewisHeighHCR(), 0.94514551, 5e-8);
    EXPECT_NEAR(pair.set.oGear->LewisHeighHCR(), 1.93163647, 5e-8);
}

TEST(JFactorTest, StressConcentrationExponentsInterpolateOnPressureAngle) {
    const auto at14 = GearBending::lewisExponents(14.5);
    EXPECT_DOUBLE_EQ(at14.H, 0.22);
    EXPECT_DOUBLE_EQ(at14.L, 0.2);
    EXPECT_DOUBLE_EQ(at14.M, 0.4);
    const auto at20 = GearBending::lewisExponents(20);
    EXPECT_NEAR(at20.H, 0.18, 1e-4);
    EXPECT_NEAR(at20.L, 0.15, 1e-4);
    EXPECT_NEAR(at20.M, 0.45, 1e-4);
}

} // namespace
} // namespace cindrel::model
