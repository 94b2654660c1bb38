#include "AnalysesShell.h"

#include "analyses/T_Scoring.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace cindrel::analyses {
namespace {

using model::testing::PairInputs;
using testing::AnalysedPair;
using testing::reportLines;
using testsupport::errorNumberOf;

constexpr double Pi = 3.14159265358979;
constexpr double Torque10hp1750rpm = 360.145142857143; // 10 x 63025.4 / 1750

struct ScoredPair : AnalysedPair {
    explicit ScoredPair(const PairInputs& in) { model::testing::setUpPair(pair, in); }
    T_Scoring& scoring() { return scoringOf(pair); }
    ScoringTable run() { return scoring().GoScoring(); }
};

// The first row carrying a key-point marker.
int rowOfMarker(const ScoringTable& table, int marker) {
    for (int row = 1; row <= 26; ++row)
        if (table(row, 8) == marker)
            return row;
    return 0;
}

void expectNear(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::abs(expected))) << what;
}

// Columns 1 to 9 of key points 1 to 3 worked outside the code, by a separate
// transcription of the formulas (roll angle, curvature radii, specific
// sliding from rolling velocities, load share 0.33 .. 1.0 of unmodified
// profiles, flash temperature with C_R = 3.0 for S = 50, film thickness
// 1.6e6 rho (alpha E')^0.6 (eta u / rho E')^0.7 / (m_N w_n / rho E')^0.13).
struct KeyPointCase {
    const char* name;
    PairInputs (*inputs)();
    double rows[3][9];
};

const KeyPointCase keyPointCases[] = {
    {"spur 20/40",
     model::testing::spurPairInputs,
     {{5.43215567793134, 0.0890913196206159, 0.936969110356389, -4.25847587815712, 118.847897142857,
       177.331613259768, 0.13739556334924, 1, 0.809830828709542},
      {16.8655030427857, 0.276606564913378, 0.749453865400957, -0.354728991402747, 360.145142857143,
       144.090497555878, 0.195166864251136, 2, 0.261844984239575},
      {20.8539582918412, 0.342020143325668, 0.684040286651337, 0, 360.145142857143, 120, 0.212188062845102, 3,
       0}}},
    // m_N = 0.665199525913013
    {"helical 25/50 at 15 degrees",
     model::testing::helicalPairInputs,
     {{9.58180391685317, 0.253145719586507, 1.4580090274181, -1.87978210692173, 267.862590917676,
       147.42332098105, 0.260753727122791, 1, 0.65275150588774},
      {18.2785117617584, 0.482907712686776, 1.22824703475254, -0.271720250561839, 811.704820962654,
       134.529533023218, 0.297780960303561, 2, 0.213663539950547},
      {21.5896062868086, 0.570384915668201, 1.1407698313364, 0, 811.704820962654, 120, 0.317733704227161, 3, 0}}},
    {"internal 20/60",
     model::testing::internalPairInputs,
     {{4.69562147511371, 0.0770116208849327, 0.761051907536269, -2.29409985484917, 118.847897142857,
       153.13270825889, 0.0974762798050083, 1, 0.696426931767742},
      {16.8655030427857, 0.276606564913378, 0.960646851227384, -0.157657328834815, 360.145142857143,
       129.477914047127, 0.243173652170774, 2, 0.136186525069122},
      {20.8539582918412, 0.342020143325668, 1.026060429977, 0, 360.145142857143, 120, 0.300718006188056, 3, 0}}},
};

TEST(ScoringReferencePairs, KeyPointsOneToThreeMatchTheWorkedValues) {
    for (const KeyPointCase& c : keyPointCases) {
        ScoredPair scored(c.inputs());
        const ScoringTable table = scored.run();
        for (int point = 1; point <= 3; ++point) {
            const int row = rowOfMarker(table, point);
            ASSERT_NE(row, 0) << c.name << " point " << point;
            for (int column = 1; column <= 9; ++column) {
                const double expected = c.rows[point - 1][column - 1];
                // Sliding at the pitch point is zero up to the last bits.
                if (expected == 0 && (column == 4 || column == 9))
                    EXPECT_NEAR(table(row, column), 0, 1e-12) << c.name;
                else
                    expectNear(table(row, column), expected,
                               std::string(c.name) + " point " + std::to_string(point) + " column " +
                                   std::to_string(column));
            }
        }
        // Rows ascend by roll angle; the two lowest carry marker 1, the two highest 5.
        for (int row = 2; row <= 26; ++row)
            EXPECT_LE(table(row - 1, 1), table(row, 1)) << c.name;
        EXPECT_EQ(table(1, 8), 1);
        EXPECT_EQ(table(2, 8), 1);
        EXPECT_EQ(table(25, 8), 5);
        EXPECT_EQ(table(26, 8), 5);
        EXPECT_EQ(table(1, 1), table(2, 1));
        EXPECT_EQ(table(25, 1), table(26, 1));
        // The film is never 0 where the normal unit load exceeds 0.1 lb/in.
        for (int row = 1; row <= 26; ++row)
            EXPECT_GT(table(row, 7), 0) << c.name << " row " << row;
    }
}

TEST(ScoringExtremes, HoldTheLargestSlidingLoadAndTemperatureAndTheSmallestFilm) {
    ScoredPair scored(model::testing::spurPairInputs());
    EXPECT_FALSE(scored.scoring().MaxValues().has_value());
    const ScoringTable table = scored.run();
    const ScoringExtremes extremes = *scored.scoring().MaxValues();
    const double lowestContact = 5.43215567793134 * Pi / 180;
    const double lowestSingle = 16.8655030427857 * Pi / 180;
    auto value = [&](int row, int column) { return std::get<double>(extremes(row, column)); };
    expectNear(value(0, 0), -4.25847587815712, "VSSP");
    expectNear(value(0, 1), lowestContact, "VSSP angle");
    // The gear's sliding, not negated, is largest at the pinion tip.
    expectNear(value(1, 0), -table(26, 9), "VSSG");
    expectNear(value(1, 1), table(26, 1) * Pi / 180, "VSSG angle");
    // The full load first reached at the lowest point of single tooth contact.
    expectNear(value(2, 0), Torque10hp1750rpm, "MaxLoad");
    expectNear(value(2, 1), lowestSingle, "MaxLoad angle");
    expectNear(value(3, 0), 177.331613259768, "MaxTemp");
    expectNear(value(3, 1), lowestContact, "MaxTemp angle");
    // Point 1 is never taken, its repeat (point 6) is.
    expectNear(value(4, 0), 0.13739556334924, "MinFilmTTK");
    expectNear(value(4, 1), lowestContact, "MinFilmTTK angle");
    const char* labels[] = {"VSSP", "VSSG", "MaxLoad", "MaxTemp", "MinFilmTTK"};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(std::get<std::string>(extremes(row, 2)), labels[row]);
    EXPECT_EQ(errorNumberOf([&] { extremes(5, 0); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table(0, 1); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table(1, 10); }), runtime::SubscriptOutOfRange);
}

TEST(ScoringExtremes, NoPointWithFilmLeavesTheMinimumFilmWithoutValueOrAngle) {
    PairInputs in = model::testing::spurPairInputs();
    in.horsePower = 1e-6; // normal unit load far below 0.1 lb/in everywhere
    ScoredPair scored(in);
    const ScoringTable table = scored.run();
    for (int row = 1; row <= 26; ++row)
        EXPECT_EQ(table(row, 7), 0);
    const ScoringExtremes extremes = *scored.scoring().MaxValues();
    EXPECT_FALSE(hasValue(extremes(4, 0)));
    EXPECT_FALSE(hasValue(extremes(4, 1)));
    EXPECT_EQ(std::get<std::string>(extremes(4, 2)), "MinFilmTTK");
}

TEST(ScoringLimits, AOneToOnePairMirrorsSlidingAndShareAboutThePitchPoint) {
    PairInputs in = model::testing::spurPairInputs();
    in.gearTeeth = 20;
    ScoredPair scored(in);
    const ScoringTable table = scored.run();
    // Up to the single-tooth points' two constants for 2 pi (6.2831853 and
    // 2 x 3.14159265358979), a few parts in 1e9.
    for (int row = 1; row <= 26; ++row) {
        EXPECT_NEAR(table(row, 4), table(27 - row, 9), 1e-8) << row;
        EXPECT_NEAR(table(row, 5), table(27 - row, 5), 1e-6) << row;
    }
}

// Load share along the path for the three profile cases below a contact
// ratio of 2, as load over W_t = T_P / R_oP: the end values and the first
// and last full-load points.
struct ShareCase {
    const char* name;
    std::int16_t modified, pinionDriving;
    double atLowestContact, atTip;
};

TEST(ScoringLoadShare, EndValuesOfTheThreeProfileCases) {
    const ShareCase cases[] = {
        {"unmodified", 0, -1, 0.33, 0.33},
        {"modified, pinion driving", -1, -1, 0.14, 0},
        {"modified, gear driving", -1, 0, 0, 0.1396485},
    };
    for (const ShareCase& c : cases) {
        ScoredPair scored(model::testing::spurPairInputs());
        scored.pair.oMiscVars->aaModifiedProfiles(c.modified);
        scored.pair.oMiscVars->aaPinionDriving(c.pinionDriving);
        const ScoringTable table = scored.run();
        const double Wt = Torque10hp1750rpm; // R_oP = 1
        EXPECT_NEAR(table(1, 5) / Wt, c.atLowestContact, 1e-12) << c.name;
        EXPECT_NEAR(table(26, 5) / Wt, c.atTip, 1e-12) << c.name;
        EXPECT_NEAR(table(rowOfMarker(table, 2), 5) / Wt, 1.0, 1e-12) << c.name;
        EXPECT_NEAR(table(rowOfMarker(table, 4), 5) / Wt, 1.0, 1e-12) << c.name;
    }
}

TEST(ScoringLoadShare, ContactRatioOfTwoOrMoreFollowsTheTable) {
    // 60/60, 14.5 degrees, addendum 1.3: contact ratio 2.73; the pitch point
    // lies midway, so the quarter points sit at x = +0.5 and x = -0.5.
    PairInputs in = model::testing::spurPairInputs();
    in.pinionTeeth = in.gearTeeth = 60;
    in.normalPressureAngleDegrees = 14.5;
    in.pinionAddendumFactor = in.gearAddendumFactor = 1.3;
    ScoredPair scored(in);
    const ScoringTable table = scored.run();
    const double Wt = 120.048380952381; // 360.145 / R_oP 3.0
    EXPECT_NEAR(table(1, 5), 0, 1e-12);
    EXPECT_NEAR(table(26, 5), 0, 1e-12);
    EXPECT_NEAR(table(rowOfMarker(table, 3), 5) / Wt, 0.63368, 1e-9);
    const double first = table(1, 1), quarter = (table(26, 1) - table(1, 1)) / 4;
    int found = 0;
    for (int row = 1; row <= 26; ++row) {
        // S(7) + (0.5 - X(7)) / (X(6) - X(7)) (S(6) - S(7)) and the same about j = 15.
        if (std::abs(table(row, 1) - (first + quarter)) < 1e-9) {
            EXPECT_NEAR(table(row, 5) / Wt, 0.497698507433, 1e-9);
            ++found;
        }
        if (std::abs(table(row, 1) - (first + 3 * quarter)) < 1e-9) {
            EXPECT_NEAR(table(row, 5) / Wt, 0.492878707015, 1e-9);
            ++found;
        }
    }
    EXPECT_EQ(found, 2);
}

TEST(ScoringLoadShare, ContactRatioBelowOneCarriesTheFullLoadEverywhere) {
    PairInputs in = model::testing::spurPairInputs();
    in.pinionAddendumFactor = in.gearAddendumFactor = 0.3; // contact ratio 0.55
    ScoredPair scored(in);
    const ScoringTable table = scored.run();
    for (int row = 1; row <= 26; ++row)
        EXPECT_NEAR(table(row, 5), Torque10hp1750rpm, 1e-9) << row;
}

TEST(ScoringLimits, HelixUpTo0Point0001DegreeIsSpurAndAbove0Point001DegreeNearlySo) {
    ScoredPair spur(model::testing::spurPairInputs());
    const ScoringTable reference = spur.run();
    for (double degrees : {0.0001, 0.001}) {
        PairInputs in = model::testing::spurPairInputs();
        in.helixAngleDegrees = degrees;
        ScoredPair scored(in);
        const ScoringTable table = scored.run();
        // m_N = F / L_min tends to 1 with the helix angle.
        EXPECT_NEAR(table(1, 6), reference(1, 6), 1e-4) << degrees;
        EXPECT_NEAR(table(1, 7), reference(1, 7), 1e-6) << degrees;
    }
}

TEST(ScoringUnits, MetricConvertsLoadAndTemperatureOnly) {
    ScoredPair english(model::testing::spurPairInputs());
    const ScoringTable inch = english.run();
    ScoredPair scored(model::testing::spurPairInputs());
    scored.shell.metric = true;
    const ScoringTable metric = scored.run();
    for (int row = 1; row <= 26; ++row) {
        EXPECT_DOUBLE_EQ(metric(row, 5), inch(row, 5) * 4.44822);
        EXPECT_DOUBLE_EQ(metric(row, 6), (inch(row, 6) - 32) / 1.8);
        for (int column : {1, 2, 3, 4, 7, 8, 9})
            EXPECT_EQ(metric(row, column), inch(row, column));
    }
    const ScoringExtremes extremes = *scored.scoring().MaxValues();
    EXPECT_DOUBLE_EQ(std::get<double>(extremes(2, 0)), Torque10hp1750rpm * 4.44822);
    EXPECT_NEAR(std::get<double>(extremes(3, 0)), (177.331613259768 - 32) / 1.8, 1e-9);
    EXPECT_NEAR(std::get<double>(extremes(3, 1)), 5.43215567793134 * Pi / 180, 1e-12);
}

TEST(ScoringInputs, TypedFrictionAlwaysAndFactorsReadAsLeadingNumbers) {
    ScoredPair plain(model::testing::spurPairInputs());
    const ScoringTable reference = plain.run();
    ScoredPair scored(model::testing::spurPairInputs());
    scored.pair.oMiscVars->aaCalculateFrictionCoeff(-1);
    scored.pair.oAGMA1->Ko("2.0*");
    const ScoringTable table = scored.run();
    // Load column unchanged; the unit load doubles, the rise by 2^0.75.
    EXPECT_EQ(table(1, 5), reference(1, 5));
    EXPECT_NEAR(table(1, 6) - 120, (reference(1, 6) - 120) * std::pow(2.0, 0.75), 1e-9);
}

// ---------------------------------------------------------------- report

struct ScoringReport : ::testing::Test {
    ScoredPair scored{model::testing::spurPairInputs()};
    const std::string path = "/designs/pair_Scoring.CSV";
    void SetUp() override { scored.shell.csv = true; }
};

TEST_F(ScoringReport, HoldsItsRecordsInOrderInEnglishUnits) {
    scored.shell.metric = true;
    scored.run();
    const std::vector<std::string> lines = reportLines(scored.shell.files.at(path));
    ASSERT_EQ(lines.size(), 107u);
    EXPECT_EQ(lines[0], "\"FLASH TEMPERATURE & FILM THICKNESS ROUTINE\"");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "\"Units in this module all English, ie. inch, pound, F\"");
    EXPECT_EQ(lines[3], "\"Teeth UN-MODIFIED for tooth flexure under load\"");
    EXPECT_EQ(lines[5], "\"roll angle, curvature radii arrays and kinematic parameters.\"");
    EXPECT_EQ(lines[9], "\"\",\"(RAD)\",\"(IN)\",\"\",\"(RAD)\",\"(IN)\",\"(FT/MIN)\",\"(FT/MIN)\",\"(IN/SEC)\","
                        "\"(IN/SEC)\"");
    EXPECT_EQ(lines[10].substr(0, 23), "\"LC\",0.0948090020608065");
    EXPECT_EQ(lines[15], "");
    EXPECT_EQ(lines[16].substr(0, 5), "\"  \",");
    EXPECT_EQ(lines[41], "\"\",\"(RAD)\",\"(VS/VRP)\",\"(VS/VRG)\",\"(VS/VLP)\",\"(VS/VLP)\",\"(VS/VE)\"");
    EXPECT_EQ(lines[71], "\"CONSTANT COEFFICIENT OF FRICTION\"");
    EXPECT_EQ(lines[72], "\"UNMODIFIED TOOTH PROFILES\"");
    EXPECT_EQ(lines[76], "\"Calculating Flash Temperature & Film Thickness parameters.\"");
    // Point 1 in English units whatever the display: W, f, final temperature.
    EXPECT_NE(lines[77].find(",118.847897142857,"), std::string::npos) << lines[77];
    EXPECT_NE(lines[77].find(",0.06,"), std::string::npos);
    EXPECT_NE(lines[77].find(",177.33161325976"), std::string::npos);
    EXPECT_EQ(lines[104], "");
    EXPECT_EQ(lines[105], "\"AVERAGE POWER LOSS = \"");
    EXPECT_EQ(lines[106].substr(0, 3), "\"\",");
    EXPECT_NE(lines[106].find(",\" HP = \","), std::string::npos);
    EXPECT_EQ(lines[106].substr(lines[106].size() - 11), ",\" BTU/MIN\"");
}

TEST_F(ScoringReport, TracesContactBelowTheBaseCircle) {
    // A long gear addendum on a small pressure angle reaches past the
    // pinion's base tangent point.
    scored.pair.oGear->aaAddendumFactor(0, 1.6);
    scored.pair.oGear->aaAddendumFactor(1, 1.7);
    scored.run();
    const std::vector<std::string> lines = reportLines(scored.shell.files.at(path));
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "\"Checking for contact below Pinion base circle.\"");
    EXPECT_EQ(lines[4], "\"CONTACT BELOW B. C. ON THE \",20,\" TOOTH MEMBER\"");
    EXPECT_EQ(lines[5].substr(0, 51), "\"MAX USABLE BREAK RADIUS ON THE MATING MEMBER IS \",");
    EXPECT_EQ(lines.size(), 111u);
}

TEST_F(ScoringReport, OffOrNotOpeningWritesNothingAndTheRunGoesOn) {
    scored.shell.csv = false;
    scored.run();
    EXPECT_TRUE(scored.shell.files.empty());
    scored.shell.csv = true;
    scored.shell.failOpen = true;
    const ScoringTable table = scored.run();
    EXPECT_TRUE(scored.shell.files.empty());
    EXPECT_NEAR(table(1, 6), 177.331613259768, 1e-9);
    EXPECT_TRUE(scored.scoring().MaxValues().has_value());
}

TEST_F(ScoringReport, RunLogNamesRowFourOfTheTable) {
    const ScoringTable table = scored.run();
    std::string expected = "instantiating T_Chart for T_Scoring, w/ variables in scoring array (4,1-8) ";
    for (int column = 1; column <= 8; ++column)
        expected += std::string(column > 1 ? ", " : "") + (table(4, column) >= 0 ? " " : "") +
                    runtime::numberText(table(4, column));
    EXPECT_EQ(scored.shell.notes.back(), expected);
}

// ---------------------------------------------------------------- errors

TEST(ScoringErrors, AFailingRunRaisesItsNumberLeavesNoExtremesAndKeepsTheEarlierReport) {
    using namespace testing;
    expectFailingRunsKeepTheirFiles<ScoredPair>(
        {{"zero face", zeroFace, runtime::DivisionByZero},
         // 0/0 inside the run: the language's overflow, not a division by zero.
         {"zero speed", [](model::T_Set& p) { p.oPinion->aaSpeed(false, 0); }, runtime::Overflow},
         {"zero teeth", zeroPinionTeeth, runtime::Overflow},
         {"tip inside its base circle", pinionTipInsideBaseCircle, runtime::InvalidProcedureCall}},
        [](ScoredPair& p) { p.run(); },
        [](ScoredPair& p, const char* name) { EXPECT_FALSE(p.scoring().MaxValues().has_value()) << name; });
}

} // namespace
} // namespace cindrel::analyses
