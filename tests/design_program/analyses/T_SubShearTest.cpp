#include "AnalysesShell.h"

#include "analyses/T_SubShear.h"
#include "model/T_Gear.h"
#include "model/T_MiscVars.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cindrel::analyses {
namespace {

using model::testing::PairInputs;
using testing::AnalysedPair;
using testing::reportLines;
using testsupport::errorNumberOf;

const std::string reportPath = "/designs/pair_SubSurface.CSV";

struct ShearedPair : AnalysedPair {
    explicit ShearedPair(const PairInputs& in) { model::testing::setUpPair(pair, in); }
    T_SubShear& shear() { return subShearOf(pair); }
    SubShearTable run() { return shear().GoSubShear(); }

    // The long printout's fields of the first depth: friction, PO and A.
    struct Contact {
        double mu = 0, PO = 0, A = 0;
    };
    Contact contact() {
        shell.csv = true;
        shell.longPrint = true;
        run();
        const std::vector<std::string> fields = testing::fieldsOf(reportLines(shell.files.at(reportPath)).at(3));
        EXPECT_EQ(fields.at(0), "STRESSES AT A DEPTH OF Z =");
        return {std::stod(fields.at(6)), std::stod(fields.at(8)), std::stod(fields.at(10))};
    }
};

// Numbers of a short-report record (depth, Z/A, orthogonal, unidirectional).
std::vector<double> numbersOf(const std::string& line) {
    std::vector<double> numbers;
    for (const std::string& field : testing::fieldsOf(line))
        numbers.push_back(std::stod(field));
    return numbers;
}

// Half band width and Hertz pressure worked outside the code from the line
// contact b = sqrt(4 w R / (pi E*)), p0 = 2 w / (pi b), with 1/R = 1/rho_p +
// IntExt / rho_g at the lowest point of single tooth contact (or the start
// of active profile when it lies beyond it) and 1/E* = 2 (1 - 0.3^2) / 30e6.
struct ContactCase {
    const char* name;
    PairInputs inputs;
    double A, PO;
};

PairInputs shortInternal() {
    PairInputs in = model::testing::internalPairInputs();
    in.pinionAddendumFactor = in.gearAddendumFactor = 0.3;
    return in;
}

TEST(SubShearContact, HalfWidthAndPressureAreTheClosedFormLineContact) {
    const ContactCase cases[] = {
        {"spur 20/40", model::testing::spurPairInputs(), 0.00242051761767494, 98740.1247884643},
        {"internal 20/60", model::testing::internalPairInputs(), 0.00335631958662669, 71209.6108410559},
        // The start of active profile of an internal pair lies beyond the
        // pinion's tangent point: (sqrt(ROG^2 - RBG^2) - L) / RBP.
        {"internal 20/60, addenda 0.3", shortInternal(), 0.00314044807355925, 75560.3870777343},
    };
    for (const ContactCase& c : cases) {
        ShearedPair sheared(c.inputs);
        const auto contact = sheared.contact();
        EXPECT_NEAR(contact.A, c.A, 1e-8 * c.A) << c.name;   // the band width's pi is 3.14159265
        EXPECT_NEAR(contact.PO, c.PO, 1e-8 * c.PO) << c.name;
        EXPECT_EQ(contact.mu, 0.06) << c.name;
    }
}

TEST(SubShearReference, SpurGoverningShearDepthAndHardness) {
    ShearedPair sheared(model::testing::spurPairInputs());
    EXPECT_FALSE(sheared.shear().MaxValues().has_value());
    const SubShearTable table = sheared.run();
    const SubShearExtremes maxima = *sheared.shear().MaxValues();
    // From a separate transcription: 49,198 psi at 0.0012103 in (half the band
    // width), 412.6 BHN with the safety factor 1.3.
    EXPECT_NEAR(std::get<double>(maxima(0, 0)), 49198, 0.5);
    EXPECT_NEAR(std::get<double>(maxima(0, 1)), 0.0012103, 1e-7);
    EXPECT_NEAR(std::get<double>(maxima(1, 0)), 412.6, 0.05);
    EXPECT_EQ(std::get<double>(maxima(1, 1)), std::get<double>(maxima(0, 1)));
    EXPECT_EQ(std::get<std::string>(maxima(0, 2)), "Max shear stress");
    EXPECT_EQ(std::get<std::string>(maxima(1, 2)), "Min required hardness with a safety factor of 1.3");
    EXPECT_EQ(table(6, 1), std::get<double>(maxima(0, 1)));
    EXPECT_EQ(table(6, 2), std::get<double>(maxima(0, 0)));
    EXPECT_NEAR(table(6, 3), 1.3 * table(6, 2) / 155, 1e-9);
    EXPECT_EQ(table(1, 1), 0);
    EXPECT_EQ(errorNumberOf([&] { table(54, 1); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table(1, 0); }), runtime::SubscriptOutOfRange);
}

TEST(SubShearPhysics, FrictionlessFieldMatchesTheClosedFormOfTheLineContact) {
    ShearedPair sheared(model::testing::spurPairInputs());
    sheared.pair.oMiscVars->aaFrictCoeff(0);
    const auto contact = sheared.contact();
    const std::vector<std::string> lines = reportLines(sheared.shell.files.at(reportPath));
    // Short rows follow the 53 long blocks of 54 lines and the three headings.
    const int firstDepthRow = 2 + 53 * 54 + 3;
    auto depthRow = [&](int tenths) { return numbersOf(lines.at(firstDepthRow + tenths)); };
    // The frictionless field of McEwen on the analysis' grid (x/a from 2.5
    // down in steps of 0.1), worked outside the code:
    //   z = 0.5 a: range of the orthogonal shear 0.498256 p0 (0.25 p0 each way near x = +-0.87 a);
    //   z = 0.8 a: largest principal shear 0.300244 p0 (0.3003 p0 at 0.786 a exactly).
    const std::vector<double> half = depthRow(5);
    EXPECT_NEAR(half[1], 0.5, 1e-12);
    EXPECT_NEAR(half[2] / contact.PO, 0.498256368819669, 1e-6);
    const std::vector<double> deeper = depthRow(8);
    EXPECT_NEAR(deeper[3] / contact.PO, 0.30024396195646, 1e-6);
    // The reversing range governs, its peak at half the band width.
    const SubShearExtremes maxima = *sheared.shear().MaxValues();
    EXPECT_NEAR(std::get<double>(maxima(0, 1)), 0.5 * contact.A, 1e-12);
    for (int tenths = 0; tenths < 53; ++tenths)
        EXPECT_LE(depthRow(tenths)[3] / contact.PO, 0.30024396195646 + 1e-6) << tenths;
}

TEST(SubShearFriction, CalculatedCoefficientOrANumberedError) {
    ShearedPair kelley(model::testing::spurPairInputs());
    kelley.pair.oMiscVars->aaCalculateFrictionCoeff(-1);
    kelley.pair.oMiscVars->aaSetRoughness(30);
    // 45 / (45 - S) 0.0099 log10|3.5e8 W / (VISCO Vs Ve^2 L^2)|, worked outside.
    EXPECT_NEAR(kelley.contact().mu, 0.118464535960763, 1e-9);

    struct Case {
        const char* name;
        double roughness, viscosity, rpm;
        int error;
    };
    const Case cases[] = {
        {"roughness 45", 45, 50, 1750, runtime::InvalidProcedureCall},
        {"coefficient below 0", 30, 1e12, 1750, runtime::InvalidProcedureCall},
        {"no sliding at zero speed", 30, 50, 0, runtime::DivisionByZero},
    };
    for (const Case& c : cases) {
        ShearedPair sheared(model::testing::spurPairInputs());
        sheared.pair.oMiscVars->aaCalculateFrictionCoeff(-1);
        sheared.pair.oMiscVars->aaSetRoughness(c.roughness);
        sheared.pair.oMiscVars->aaViscosity(c.viscosity);
        sheared.pair.oPinion->aaSpeed(false, c.rpm);
        try {
            sheared.run();
            ADD_FAILURE() << c.name;
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), c.error) << c.name;
            if (c.error == runtime::InvalidProcedureCall) {
                EXPECT_NE(error.description().find("calculated friction coefficient"), std::string::npos);
            }
        }
        EXPECT_FALSE(sheared.shear().MaxValues().has_value()) << c.name;
    }
}

TEST(SubShearUnits, MetricConvertsDepthAndStressButNotHardness) {
    ShearedPair english(model::testing::spurPairInputs());
    const SubShearTable inch = english.run();
    ShearedPair sheared(model::testing::spurPairInputs());
    sheared.shell.metric = true;
    sheared.shell.csv = true;
    const SubShearTable metric = sheared.run();
    for (int row = 1; row <= 53; ++row) {
        EXPECT_DOUBLE_EQ(metric(row, 1), inch(row, 1) * 25.4);
        EXPECT_DOUBLE_EQ(metric(row, 2), inch(row, 2) * 0.00689475908677537);
        EXPECT_EQ(metric(row, 3), inch(row, 3));
    }
    const SubShearExtremes maxima = *sheared.shear().MaxValues();
    EXPECT_DOUBLE_EQ(std::get<double>(maxima(0, 0)), inch(6, 2) * 0.00689475908677537);
    EXPECT_DOUBLE_EQ(std::get<double>(maxima(0, 1)), inch(6, 1) * 25.4);
    EXPECT_EQ(std::get<double>(maxima(1, 0)), inch(6, 3));
    // The report stays in inch and psi.
    const std::vector<std::string> lines = reportLines(sheared.shell.files.at(reportPath));
    EXPECT_DOUBLE_EQ(numbersOf(lines.at(5 + 5))[2], inch(6, 2));
}

TEST(SubShearReport, ShortAndLongLayouts) {
    ShearedPair sheared(model::testing::spurPairInputs());
    sheared.shell.csv = true;
    sheared.run();
    std::vector<std::string> lines = reportLines(sheared.shell.files.at(reportPath));
    ASSERT_EQ(lines.size(), 114u);
    const std::vector<std::string> head = {
        "\"SUB-SURFACE SHEAR ROUTINE\"", "",
        "\"ACTUAL DEPTH.\",\"DEPTH/BAND\",\"ORTHOGONAL\",\"UNIDIRECTIONAL\"",
        "\"(IN)\",\"WIDTH\",\"REVERSING\",\"SHEAR STRESS(PSI)\"", "\"\",\"\",\"SHEAR STRESS(PSI)\""};
    for (std::size_t i = 0; i < head.size(); ++i)
        EXPECT_EQ(lines[i], head[i]);
    EXPECT_EQ(lines[58], "");
    EXPECT_EQ(lines[59], "\"ACTUAL DEPTH\",\"MAXIMUM SHEAR\",\"Required Hardness,(Bhn)\"");
    EXPECT_EQ(lines[60], "\"(Inch).\",\" STRESS (PSI)\",\"at:1.3 Safety Factor (CO)\"");
    EXPECT_EQ(numbersOf(lines[61]).size(), 3u);
    EXPECT_EQ(numbersOf(lines[5]).size(), 4u);

    sheared.shell.longPrint = true;
    sheared.run();
    lines = reportLines(sheared.shell.files.at(reportPath));
    ASSERT_EQ(lines.size(), 114u + 53 * 54);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[4], "\"X/A\",\"SX/PO\",\"SZ/PO\",\"SY/PO\",\"SXZ/PO\",\"S1/PO\",\"S2/PO\",\"S3/PO\",\"S12/PO\","
                        "\"S23/PO\",\"S13/PO\",\"SSMAX/PO\"");
    // Surface at the centre: SX = -PO (1 + 0) ... with the friction term 0 at x = 0.
    const std::vector<double> centre = numbersOf(lines[5 + 25]);
    ASSERT_EQ(centre.size(), 12u);
    EXPECT_NEAR(centre[0], 0, 1e-12);
    EXPECT_NEAR(centre[1], -1, 1e-12);
    EXPECT_NEAR(centre[2], -1, 1e-12);
    EXPECT_NEAR(centre[3], -0.6, 1e-12);
    EXPECT_NEAR(centre[4], -0.06, 1e-12);
}

TEST(SubShearReport, OffOrNotOpeningWritesNothingAndTheRunGoesOn) {
    ShearedPair sheared(model::testing::spurPairInputs());
    sheared.shell.longPrint = true;
    sheared.run();
    EXPECT_TRUE(sheared.shell.files.empty());
    sheared.shell.csv = true;
    sheared.shell.failOpen = true;
    EXPECT_NEAR(sheared.run()(6, 2), 49198, 0.5);
    EXPECT_TRUE(sheared.shell.files.empty());
}

TEST(SubShearReport, RunLogNamesRowFour) {
    ShearedPair sheared(model::testing::spurPairInputs());
    const SubShearTable table = sheared.run();
    EXPECT_EQ(sheared.shell.notes.back(),
              "about to instantiate T_Chart for T_SubShear,variables in sub-shear array (4,1-3) " +
                  runtime::numberText(table(4, 1)) + ", " + runtime::numberText(table(4, 2)) + ", " +
                  runtime::numberText(table(4, 3)));
}

TEST(SubShearErrors, AFailingRunRaisesItsNumberLeavesNoMaximaAndKeepsTheEarlierReport) {
    using namespace testing;
    expectFailingRunsKeepTheirFiles<ShearedPair>(
        {{"zero face", zeroFace, runtime::DivisionByZero},
         {"zero teeth", zeroPinionTeeth, runtime::DivisionByZero},
         {"tip inside its base circle", pinionTipInsideBaseCircle, runtime::InvalidProcedureCall}},
        [](ShearedPair& p) { p.run(); },
        [](ShearedPair& p, const char* name) { EXPECT_FALSE(p.shear().MaxValues().has_value()) << name; });
}

} // namespace
} // namespace cindrel::analyses
