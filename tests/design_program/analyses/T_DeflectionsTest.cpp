#include "AnalysesShell.h"

#include "analyses/T_Deflections.h"
#include "model/T_Gear.h"
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
using testing::fieldsOf;
using testing::reportLines;
using testsupport::errorNumberOf;

const std::string reportPath = "/designs/pair_Deflection.CSV";
constexpr double Missing = MissingValue;

struct DeflectedPair : AnalysedPair {
    explicit DeflectedPair(const PairInputs& in) { model::testing::setUpPair(pair, in); }
    T_Deflections& deflection() { return deflectionOf(pair); }
    DeflectionTable run() { return deflection().DeflectionsData(); }
};

TEST(DeflectionReference, SpurHertzianCoefficientAtPositionEleven) {
    DeflectedPair deflected(model::testing::spurPairInputs());
    const DeflectionTable table = deflected.run();
    // Worked outside the code for the 20/40 spur pair at the middle of the
    // path (rho_P 0.330456, rho_G 0.695605, w = T / Rb = 383.258 lb/in):
    // Q_H = (ln(E sqrt(h_P h_G) / ((1 - nu^2) 2 R p_max)) - nu / (1 - nu)) (1 - nu^2) 4 / pi.
    EXPECT_NEAR(table(11, 4), 4.31356003969483, 1e-9);
    EXPECT_NEAR(table(11, 7), 5.51069453406117e-05, 1e-15);
    EXPECT_NEAR(table(11, 8), table(11, 5) + table(11, 6) + table(11, 7), 1e-18);
    // Steel spur teeth are 10 to 20 N/(mm um) stiff: WOP / total deflection.
    const double WOP = 383.258455893734; // lb/in
    const double stiffness = WOP / table(11, 8) * 4.44822 / (25.4 * 25400);
    EXPECT_GT(stiffness, 10);
    EXPECT_LT(stiffness, 20);
    EXPECT_NEAR(stiffness, 14.3, 0.05);
}

TEST(DeflectionPhysics, HertzianHalfWidthAndPressureAreTheClosedFormLineContact) {
    // b = sqrt(4 w R / (pi E*)) with E* = E / (2 (1 - nu^2)), p0 = 2 w / (pi b).
    const LineContact contact = deflectionLineContact(0.33045551380301, 0.695604916173997, 383.258455893733,
                                                      30e6, 0.3);
    EXPECT_NEAR(contact.halfWidth, 0.00257529717669917, 1e-15);
    EXPECT_NEAR(contact.maximumPressure, 94742.4294006131, 1e-6);
    // Both flanks inside their base circles: no curvature, the tiny stand-ins.
    const LineContact none = deflectionLineContact(0, 0, 383.0, 30e6, 0.3);
    EXPECT_EQ(none.relativeRadius, 0);
    EXPECT_EQ(none.halfWidth, 0.0000001);
}

TEST(DeflectionPhysics, ThicknessAcrossTheCentreLineFollowsTheInvolute) {
    // The spur pinion's tooth: base radius cos 20 deg, half base angle
    // pi/40 + inv 20 deg. Exact: r cos(theta) = y with theta = beta - inv(acos(rb / r)),
    // thickness 2 r sin(theta), solved by bisection outside the code.
    const double rb = std::cos(20 * 3.14159265358979 / 180);
    const double inv20 = std::tan(20 * 3.14159265358979 / 180) - 20 * 3.14159265358979 / 180;
    const double beta = 3.14159265358979 / 40 + inv20;
    const double cases[][2] = {
        {0.95, 0.174688747115341}, {1.0, 0.155177524036949}, {1.05, 0.118943580935755}, {1.09, 0.0799391126509399}};
    for (const auto& c : cases) {
        const ProfileSearch search = searchProfilePoint(c[0], rb, beta);
        EXPECT_NEAR(search.TCNP, c[1], 0.002 * c[1]) << c[0];
    }
}

TEST(DeflectionTableLayout, CharacteristicRowsHoldRollAnglesOnly) {
    DeflectedPair deflected(model::testing::spurPairInputs());
    const DeflectionTable table = deflected.run();
    // Pinion roll angles of C1 to C5 (the scoring's key points).
    const double rollAngles[] = {5.43215567793134, 16.8655030427857, 20.8539582918412, 23.4322, 34.8655};
    for (int j = 22; j <= 26; ++j) {
        // C2 is the tip less the model's base pitch: the scoring's 2 pi differs in the 8th digit.
        EXPECT_NEAR(table(j, 0), rollAngles[j - 22], j == 22 || j == 24 ? 1e-9 : 1e-4) << j;
        for (int c = 2; c <= 8; ++c)
            EXPECT_EQ(table(j, c), Missing);
        EXPECT_EQ(table(j, 9), 0);
    }
    // The pitch point rolls the same angle on both members.
    EXPECT_NEAR(table(24, 1), table(24, 0), 1e-9);
    EXPECT_NEAR(table(1, 0), table(22, 0), 1e-9);
    EXPECT_NEAR(table(21, 0), table(26, 0), 1e-9);
    for (int i = 1; i <= 21; ++i) {
        EXPECT_EQ(table(i, 9), Missing);
        for (int c = 2; c <= 8; ++c)
            EXPECT_GT(table(i, c), 0) << i << "," << c;
    }
    EXPECT_EQ(errorNumberOf([&] { table(27, 0); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table(1, -1); }), runtime::SubscriptOutOfRange);
}

TEST(DeflectionInternalPair, IsNotEvaluatedAndNeverReturnsTheEarlierTable) {
    DeflectedPair deflected(model::testing::spurPairInputs());
    deflected.run();
    model::testing::setUpPair(deflected.pair, model::testing::internalPairInputs());
    deflected.shell.csv = true;
    const DeflectionTable table = deflected.run();
    // The ring's roll angle at the start of contact: 0.761052 in over its
    // base radius 3 cos 20 deg (the scoring's internal key point 1).
    EXPECT_NEAR(table(22, 0), 4.69562147511371, 1e-9);
    EXPECT_NEAR(table(22, 1), 15.4678460195987, 1e-9);
    for (int row = 1; row <= 26; ++row)
        for (int c = 2; c <= 8; ++c)
            EXPECT_EQ(table(row, c), Missing) << row;
    EXPECT_EQ(deflected.shell.files.at(reportPath),
              "\"Deflection Routine\",\"Routines cannot evaluate internal gear\"\r\n");
}

TEST(DeflectionReport, SpurAndHelicalLayouts) {
    struct Case {
        const char* name;
        PairInputs inputs;
        std::size_t lines;
    };
    PairInputs barelyHelical = model::testing::spurPairInputs();
    barelyHelical.helixAngleDegrees = 0.0009; // operating helix below 0.001 degree
    PairInputs helical002 = model::testing::spurPairInputs();
    helical002.helixAngleDegrees = 0.002;
    const Case cases[] = {
        {"spur", model::testing::spurPairInputs(), 410},
        {"helical", model::testing::helicalPairInputs(), 413},
        {"helix 0.0009 degree", barelyHelical, 410},
        {"helix 0.002 degree", helical002, 413},
    };
    for (const Case& c : cases) {
        DeflectedPair deflected(c.inputs);
        deflected.shell.csv = true;
        deflected.run();
        const std::vector<std::string> lines = reportLines(deflected.shell.files.at(reportPath));
        ASSERT_EQ(lines.size(), c.lines) << c.name;
        EXPECT_EQ(lines[0], "\"Deflection Routine\"");
        EXPECT_EQ(lines[1], "\"NEQG\",\"NEQP\",\"REQG\",\"REQP\",\"RBEQG\",\"RBEQP\",\"BPN\",\"SNPSB\",\"SNPHM\","
                            "\"ROG\",\"PB\",\"ROP\",\"WOP\",\"WOG\",\"CD\",\"RRG\",\"RRP\"");
        EXPECT_EQ(fieldsOf(lines[2]).size(), 17u);
        EXPECT_EQ(lines[3], "\"Deflection Routine\"");
        EXPECT_EQ(fieldsOf(lines[5]).size(), 17u);
        EXPECT_EQ(fieldsOf(lines[6]).size(), 13u);
        EXPECT_EQ(fieldsOf(lines[7]).size(), 67u);
        EXPECT_EQ(fieldsOf(lines[7])[11], "  YHP");
        EXPECT_EQ(lines[28], "\"REMP\",1,8,8,\"\",\"\",\"\",\"PNP\",1,8,8");
        EXPECT_EQ(fieldsOf(lines[29]).size(), 14u);
        EXPECT_EQ(lines[386], "\"GEAR TOOTH DEFLECTION ANALYSIS\"");
        EXPECT_EQ(fieldsOf(lines[389]).size(), 10u);
        if (c.lines == 413) {
            EXPECT_EQ(lines[410], "\"Helical Deflection routine\"");
            EXPECT_EQ(lines[411], "\"DEFAVE\",\"FHEL\",\"DEFHEL\"");
            EXPECT_EQ(fieldsOf(lines[412]).size(), 3u);
        }
        EXPECT_EQ(deflected.shell.notes.back(),
                  "finished deflection routine, check \r\n" + reportPath + "\r\nfor output data");
    }
}

TEST(DeflectionReport, SpurBlocksCarryTheEquivalentGearsAndTheInputs) {
    DeflectedPair deflected(model::testing::spurPairInputs());
    deflected.shell.csv = true;
    deflected.run();
    const std::vector<std::string> lines = reportLines(deflected.shell.files.at(reportPath));
    const std::vector<std::string> block1 = fieldsOf(lines[2]);
    // Spur: the equivalent gears are the real ones; equal faces load both alike.
    EXPECT_EQ(block1[0], "40");
    EXPECT_EQ(block1[1], "20");
    EXPECT_NEAR(std::stod(block1[2]), 2.0, 1e-12);
    EXPECT_NEAR(std::stod(block1[12]), 383.258455893734, 1e-9); // WOP = T / (Rb F)
    EXPECT_EQ(block1[12], block1[13]);                            // WOG
    const std::vector<std::string> block2 = fieldsOf(lines[5]);
    EXPECT_EQ(block2[0], "40");
    EXPECT_NEAR(std::stod(block2[13]), 10, 1e-12); // normal diametral pitch
    EXPECT_NEAR(std::stod(block2[15]), 20, 1e-9);  // operating normal pressure angle, degrees
    EXPECT_EQ(block2[16], "0");
}

TEST(DeflectionDumps, WrittenOnEveryRunWithoutTheReportWhenCsvIsOff) {
    DeflectedPair deflected(model::testing::spurPairInputs());
    const DeflectionTable table = deflected.run();
    EXPECT_EQ(deflected.shell.files.count(reportPath), 0u);
    for (const auto& note : deflected.shell.notes)
        EXPECT_EQ(note.find("finished deflection routine"), std::string::npos);
    const std::vector<std::string> data = reportLines(deflected.shell.files.at("Data.dat"));
    const std::vector<std::string> smoothed = reportLines(deflected.shell.files.at("Data1.dat"));
    ASSERT_EQ(data.size(), 26u);
    ASSERT_EQ(smoothed.size(), 26u);
    for (int j = 1; j <= 26; ++j) {
        const std::vector<std::string> fields = fieldsOf(smoothed[j - 1]);
        ASSERT_EQ(fields.size(), 9u);
        EXPECT_EQ(fields[0], fieldsOf(data[j - 1])[0]);
        EXPECT_EQ(fields[8], fieldsOf(data[j - 1])[8]);
        EXPECT_NEAR(std::stod(fields[7]), table(j, 8), 1e-14 * std::abs(table(j, 8)));
    }
}

TEST(DeflectionDumps, ADumpThatCannotBeWrittenIsReportedAndTheAnalysisGoesOn) {
    DeflectedPair deflected(model::testing::spurPairInputs());
    deflected.shell.failOpen = true;
    const DeflectionTable table = deflected.run();
    EXPECT_NEAR(table(11, 4), 4.31356003969483, 1e-9);
    ASSERT_EQ(deflected.shell.errors.size(), 2u);
    for (const auto& error : deflected.shell.errors) {
        EXPECT_EQ(error.module, "Deflections");
        EXPECT_EQ(error.routine, "Filter");
    }
    EXPECT_EQ(deflected.shell.errors[0].other, "Data.dat");
    EXPECT_EQ(deflected.shell.errors[1].other, "Data1.dat");
}

TEST(DeflectionTrappedErrors, AFailingStepMarksOnlyItsDependentValues) {
    DeflectedPair deflected(model::testing::spurPairInputs());
    deflected.pair.oGear->aaModulus_Elasticity(0); // the gear tooth's deflection divides by it
    const DeflectionTable table = deflected.run();
    for (int i = 1; i <= 21; ++i) {
        EXPECT_GT(table(i, 5), 0) << i;
        EXPECT_EQ(table(i, 6), Missing) << i;
        EXPECT_GT(table(i, 7), 0) << i;
        EXPECT_EQ(table(i, 8), Missing) << i;
    }
    ASSERT_EQ(deflected.shell.errors.size(), 21u);
    EXPECT_EQ(deflected.shell.errors[0].module, "Deflections");
    EXPECT_EQ(deflected.shell.errors[0].routine, "HertzDeflection");
    EXPECT_EQ(deflected.shell.errors[0].number, "11");
}

TEST(DeflectionErrors, AFailingRunRaisesItsNumberAndKeepsTableReportAndDumps) {
    using namespace testing;
    DeflectedPair spur(model::testing::spurPairInputs());
    const DeflectionTable before = spur.run();
    expectFailingRunsKeepTheirFiles<DeflectedPair>(
        {{"zero face", zeroFace, runtime::InvalidProcedureCall},
         {"face not wider than its edge breaks",
          [](model::T_Set& p) {
              p.oGear->aaFaceWidth(0.015);
              p.oPinion->aaEdgeBreak(1, 0.01);
          },
          runtime::InvalidProcedureCall},
         {"zero teeth", zeroPinionTeeth, runtime::DivisionByZero},
         {"tip inside its base circle", pinionTipInsideBaseCircle, runtime::InvalidProcedureCall}},
        [](DeflectedPair& p) { p.run(); },
        [&](DeflectedPair& p, const char* name) { EXPECT_EQ(p.deflection().DeflectionArray(), before) << name; });
}

// ---------------------------------------------------------------- smoothing

struct SmoothingCase {
    const char* name;
    int column;
    std::vector<double> before; // rows 1, 2, 3, ... of the column; the rest 1
    std::vector<double> after;
};

TEST(DeflectionFilter, SmoothsSpikesAsATableOfCases) {
    const SmoothingCase cases[] = {
        {"three times its successor becomes the mean of its neighbours", 5, {1, 1, 3, 1, 1}, {1, 1, 1, 1, 1}},
        {"a replacement is seen by the next tests", 5, {1, 1, 9, 3, 1, 1}, {1, 1, 1.25, 1.5, 1, 1}},
        {"a zero successor skips the forward test", 5, {1, 3, 3, 0, 1}, {1, 2, 3, 0, 1}},
        {"row 1 is never replaced", 2, {10, 1, 1}, {10, 1, 1}},
        {"a missing successor is not used", 8, {1, 1, 3, Missing, 1}, {1, 1, 3, Missing, 1}},
        {"a missing value is not changed", 8, {1, Missing, 1}, {1, Missing, 1}},
        {"columns 0, 1 and 9 never change", 1, {1, 1, 3, 1, 1}, {1, 1, 3, 1, 1}},
        {"column 9", 9, {1, 1, 3, 1, 1}, {1, 1, 3, 1, 1}},
    };
    for (const SmoothingCase& c : cases) {
        DeflectionTable table;
        table.fill(1);
        for (std::size_t k = 0; k < c.before.size(); ++k)
            table(static_cast<int>(k) + 1, c.column) = c.before[k];
        smoothSpikes(table);
        for (std::size_t k = 0; k < c.after.size(); ++k)
            EXPECT_EQ(table(static_cast<int>(k) + 1, c.column), c.after[k]) << c.name << " row " << k + 1;
    }
}

TEST(DeflectionFilter, RowTwentyOneIsOnlyANeighbour) {
    DeflectionTable table;
    table.fill(1);
    table(21, 4) = 10;
    table(20, 4) = 4;
    smoothSpikes(table);
    EXPECT_EQ(table(21, 4), 10);
    // Row 20 against row 19 (backward pass) is 4 times it: the mean of 19 and 21.
    EXPECT_EQ(table(20, 4), 5.5);
}

} // namespace
} // namespace cindrel::analyses
