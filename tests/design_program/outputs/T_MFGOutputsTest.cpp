#include "outputs/T_MFGOutputs.h"

#include "outputs/T_AGMATolerances.h"
#include "outputs/T_AGMATolsMetric.h"

#include "design_program/model/RecordingShell.h"
#include "design_program/model/ReferencePairs.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

// Expected values were worked apart from this code, in a separate Python
// calculation from textbook involute geometry (float64):
//   base radius Rb = N/(2 Pt) cos(phi_t); tan(phi_t) = tan(phi_n)/cos(psi)
//   operating angle cos(phi_o) = (e Rb1 + Rb2) / C  (e = +1 external, -1 internal)
//   roll angle at radius r: sqrt(r^2 - Rb^2)/Rb
//   lowest contact: roll length C sin(phi_o) less (external) the mate's tip
//     roll length Rb' tan(alpha_tip'), tip with its edge break off
//   LPSTC = tip roll (edge break off) - e 2pi/N, HPSTC = lowest contact + e 2pi/N,
//     both members at the row's limit (the mate's tip of that limit)
//   pins: inv(phi_c) = e (t_o/D_o + e inv(phi_o) + d/(Db cos psi_b) - pi/N),
//     M = Db/cos(phi_c) + e d (even N)
//   span: (k-1) p_bn + s_bn external; k p_bn + (p_b - s_b) cos psi_b for the
//     ring gear (anvils in the spaces either side of the k teeth)
//   arc thickness at the pitch circle: 2 Rp (t_o/(2 Rp_o) + e (inv phi_o - inv phi))
//   backlash: operating circular pitch less both members' thicknesses
//   roll angle at the pitch circles: tan(phi_o) and tan(phi), in degrees
// A worked line of the spur pinion, by hand: Rp = 20/20 = 1.0, Rb = 0.939693;
// tip (Max) 2 (1.0 + 1.0/10) = 2.2000; base 2 Rb = 1.8794; root (Max)
// 2 (1.0 + 0.1 - 0.225) = 1.7500; roll at OD (Max) sqrt(1.1^2 - Rb^2)/Rb
// = 0.60852 rad = 34.8655 deg.
namespace {

using cindrel::model::T_Gear;
using cindrel::model::T_Set;
using cindrel::model::testing::PairInputs;
using cindrel::model::testing::RecordingShell;
using cindrel::outputs::MfgHost;
using cindrel::outputs::MfgUnits;
using cindrel::outputs::T_AGMATolerances;
using cindrel::outputs::T_AGMATolsMetric;
using cindrel::outputs::T_MFGOutputs;
using testsupport::errorNumberOf;
using Table = T_MFGOutputs::Table;

class RecordingHost : public MfgHost, public runtime::ErrorReporter {
public:
    struct Error {
        std::string module, routine, number, description;
    };
    MfgUnits now;
    std::vector<std::string> clipboard;
    std::vector<std::string> runLog;
    std::vector<Error> errors;
    bool clipboardFails = false;

    MfgUnits units() const override { return now; }
    void replaceClipboardText(std::string_view text) override
    {
        if (clipboardFails)
            runtime::raise(runtime::PermissionDenied, "Can't open clipboard");
        clipboard.emplace_back(text);
    }
    void showRunLogText(std::string_view text) override { runLog.emplace_back(text); }
    runtime::ErrorReporter& errorReporter() override { return *this; }
    void reportError(std::string_view module, std::string_view routine, std::string_view number,
                     std::string_view description, std::string_view) override
    {
        errors.push_back({std::string(module), std::string(routine), std::string(number), std::string(description)});
    }
};

MfgUnits metricUnits() { return {true, 25.4, "(mm) ", "(\u00B5m) "}; }

// The members' own limits all differ, so that a swapped limit index shows.
struct Shop {
    double operatingCentre;
    double addendum[2][2], edgeBreak[2][2], thickness[2][2]; // [member][limit]
    double rRf[2], Rtangent[2];
};

void setUp(T_Set& pair, const PairInputs& in, const Shop& shop)
{
    cindrel::model::testing::setUpPair(pair, in);
    pair.aaOperatingCenterDistance(0, shop.operatingCentre);
    for (int i = 0; i < 2; ++i) {
        T_Gear& member = pair.member(i);
        for (int limit = 0; limit < 2; ++limit) {
            member.aaAddendumFactor(limit, shop.addendum[i][limit]);
            member.aaEdgeBreak(limit, shop.edgeBreak[i][limit]);
            member.aaToothThickness(1, limit, 0, 1, 0, shop.thickness[i][limit]); // operating transverse arc
        }
        member.oStress.rRf = shop.rRf[i];
        member.oStress.Rtangent = shop.Rtangent[i];
    }
}

// 20/40 spur, Pd 10, 20 deg, external, centre 3.02 (standard 3.0), faces 1.0 and 0.9.
void setUpSpur(T_Set& pair)
{
    PairInputs in;
    in.gearFace = 0.9;
    setUp(pair, in,
          {3.02, {{0.98, 1.0}, {0.97, 1.0}}, {{0.005, 0.010}, {0.004, 0.008}}, {{0.152, 0.156}, {0.150, 0.154}},
           {0.035, 0.040}, {0.95, 1.92}});
}

// 20/60 internal helical, Pd_n 8, 20 deg normal, 15 deg helix, centre 2.60
// (standard 2.58819), faces 1.5 and 1.25.
void setUpHelicalInternal(T_Set& pair)
{
    PairInputs in;
    in.gearTeeth = 60;
    in.internalExternal = -1;
    in.normalDiametralPitch = 8;
    in.helixAngleDegrees = 15;
    in.pinionFace = 1.5;
    in.gearFace = 1.25;
    setUp(pair, in,
          {2.60, {{0.98, 1.0}, {0.78, 0.8}}, {{0.006, 0.012}, {0.005, 0.010}}, {{0.196, 0.200}, {0.190, 0.195}},
           {0.030, 0.045}, {1.25, 3.80}});
}

struct Tolerances {
    std::string texts[2][6];
};

template <class Class>
Tolerances tolerancesOf(T_Set& pair, const double quality[2], RecordingHost& host)
{
    Class tolerances(host);
    Tolerances result;
    for (int i = 0; i < 2; ++i) {
        const T_Gear& member = pair.member(i);
        tolerances.aaVariablesIn(static_cast<std::int16_t>(quality[i]), static_cast<std::int16_t>(member.N()),
                                 static_cast<float>(pair.Pd_n()), static_cast<float>(pair.Psi()),
                                 static_cast<float>(member.GearFace()), "");
        const std::string texts[6] = {tolerances.RadialRunout(),  tolerances.PitchVariation(),
                                      tolerances.ProfileTolerance(), tolerances.ToothAlignment(),
                                      tolerances.TotalComposite(), tolerances.Tooth2ToothComposite()};
        for (int t = 0; t < 6; ++t)
            result.texts[i][t] = texts[t];
    }
    return result;
}

// The six tolerance rows, in table order, labelled with the small unit.
void appendTolerances(Table& rows, const Tolerances& tol, const std::string& small)
{
    const char* names[6] = {"Radial runout tolerance ",         "Pitch variation tolerance ",
                            "Profile tolerance ",               "Tooth alignment(lead) tolerance ",
                            "Total composite tolerance ",       "Tooth to tooth composite tolerance "};
    for (int t = 0; t < 6; ++t)
        rows.push_back({names[t] + small, tol.texts[0][t], tol.texts[1][t], "0"});
}

class MfgTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int number : {4210, 4211, 4212})
            shell.texts[number] = "message " + std::to_string(number);
    }

    // The spur pair with the shop inputs of the worked figures; 4 decimals.
    void spurInputs()
    {
        setUpSpur(pair);
        table.TIF(0, 0.0025);
        table.TIF(1, 0.003);
        table.PinDiam(0, 0.1728);
        table.PinDiam(1, 0.1728);
        table.TeethSpanned(0, 3);
        table.TeethSpanned(1, 5);
        table.Quality(0, 10);
        table.Quality(1, 9);
        table.Decimals(3);
    }

    Table spurExpected()
    {
        const double quality[2] = {10, 9};
        Table rows = {
            {"Number of teeth ", "20", "40", "0"},
            {"pressure Angle (\u00B0)", "20.0000", "20.0000", "3"},
            {"diametral pitch ", "10.0000", "10.0000", "3"},
            {"Tip diameter (Max) (in) ", "2.2000", "4.2000", "0"},
            {"Tip diameter (Min) (in) ", "2.1960", "4.1940", "0"},
            {"Root diameter (Max) (in) ", "1.7500", "3.7500", "0"},
            {"Root diameter (Min) (in) ", "1.7460", "3.7440", "0"},
            {"True involute form diameter (in) ", "1.8998", "3.8945", "0"},
            {"Pin measurement (Max) (in) ", "2.2454", "4.2564", "0"},
            {"Pin measurement (Min) (in) ", "2.2365", "4.2467", "0"},
            {"Pin diameter (in) ", "0.1728", "0.1728", "0"},
            {"Span measurement (Max) (in) ", "0.7687", "1.3900", "0"},
            {"Span measurement (Min) (in) ", "0.7650", "1.3862", "0"},
            {"Number of teeth spanned ", "3", "5", "0"},
            {"Minimum fillet radius (in) ", "0.0350", "0.0400", "0"},
            {"Arc tooth thickness (@operating circle)-(Max) (in) ", "0.1560", "0.1540", "0"},
            {"Arc tooth thickness (@operating circle)-(Min) (in) ", "0.1520", "0.1500", "0"},
            {"Arc tooth thickness (@pitch circle)-(Max) (in) ", "0.1599", "0.1629", "0"},
            {"Arc tooth thickness (@pitch circle)-(Min) (in) ", "0.1560", "0.1590", "0"},
            {"Transverse operating backlash (in) ", "Max 0.0143", "Min 0.0063", "0"},
            {"Base diameter (in) ", "1.8794", "3.7588", "0"},
            {"Face width (Min) (in) ", "1.0000", "0.9000", "0"},
            {"Roll Angle @OD (Max) (\u00B0)", "34.8655", "28.5649", "0"},
            {"Roll Angle @OD (Min) (\u00B0)", "34.6303", "28.3593", "0"},
            {"Roll Angle @Edge Break OD (Max) (\u00B0)", "34.2754", "28.2905", "0"},
            {"Roll Angle @Edge Break OD (Min) (\u00B0)", "33.4364", "27.8051", "0"},
            {"Roll Angle @HPSTC (Max)(\u00B0)", "27.4614", "24.8835", "0"},
            {"Roll Angle @HPSTC (Min)(\u00B0)", "28.4322", "25.3030", "0"},
            {"Roll Angle @Pitch Circle (Operating)(\u00B0)", "22.0141", "22.0141", "0"}, // tan(21.0177 deg) in deg
            {"Roll Angle @Pitch Circle (Manufactured)(\u00B0)", "20.8540", "20.8540", "0"}, // tan 20 deg = 0.363970 rad
            {"Roll Angle @LPSTC (Max)(\u00B0)", "16.2754", "19.2905", "0"},
            {"Roll Angle @LPSTC (Min)(\u00B0)", "15.4364", "18.8051", "0"},
            {"Roll Angle @Lowest Contact (\u00B0)", "9.4614", "15.8835", "0"},
            {"Roll Angle @TIFF (\u00B0)", "8.4757", "15.5376", "0"},
            {"Roll Angle @RTangent (\u00B0)", "8.5095", "11.9758", "0"},
            {"Radius Tangent(in) ", "0.9500", "1.9200", "0"},
            {"Radius at Lowest Contact (in) ", "0.9551", "1.9540", "0"},
            {"Break edges of teeth (Max) (in) ", "0.0100", "0.0080", "0"},
            {"Break edges of teeth (Min) (in) ", "0.0050", "0.0040", "0"},
        };
        appendTolerances(rows, tolerancesOf<T_AGMATolerances>(pair, quality, host), "(0.0001 in ) ");
        rows.push_back({"Quality number ", "10", "9", "0"});
        return rows;
    }

    RecordingShell shell;
    T_Set pair{shell};
    RecordingHost host;
    T_MFGOutputs table{pair, host};
};

TEST_F(MfgTableTest, SpurEnglishExternalRows)
{
    spurInputs();
    ASSERT_TRUE(table.MakeNewArray());
    ASSERT_TRUE(table.MFGArray().has_value());
    const Table expected = spurExpected();
    const Table& built = *table.MFGArray();
    ASSERT_EQ(built.size(), 46u);
    for (std::size_t row = 0; row < expected.size(); ++row)
        EXPECT_EQ(built[row], expected[row]) << "row " << row;
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(MfgTableTest, HelicalMetricInternalRows)
{
    shell.lengthFactor = 25.4;
    host.now = metricUnits();
    setUpHelicalInternal(pair);
    table.TIF(0, 0.003);
    table.TIF(1, 0.004);
    table.PinDiam(0, 0.216); // inches: the window divides the typed millimetres
    table.PinDiam(1, 0.18);
    table.TeethSpanned(0, 3);
    table.TeethSpanned(1, 7);
    table.Quality(0, 8);
    table.Quality(1, 11);
    table.HelixHand(0, "Left");
    table.HelixHand(1, "Right");
    table.Decimals(2);
    ASSERT_TRUE(table.MakeNewArray());

    const double quality[2] = {8, 11};
    Table expected = {
        {"Number of teeth ", "20", "60", "0"},
        {"pressure Angle (\u00B0)", "20.647", "20.647", "3"},
        {"Normal pressure Angle (\u00B0)", "20.000", "20.000", "3"},
        {"Helix Angle(\u00B0)", "15.000", "15.000", "3"},
        {"Helix hand", "Left", "Right", "0"},
        {"Module ", "3.287", "3.287", "3"}, // 25.4 / (8 cos 15)
        {"Normal Module ", "3.175", "3.175", "3"},
        {"Tip diameter (Max) (mm) ", "72.090", "192.140", "0"},
        {"Tip diameter (Min) (mm) ", "71.963", "192.267", "0"}, // the ring's tip opens as its addendum shrinks
        {"Root diameter (Max) (mm) ", "57.803", "205.285", "0"},
        {"Root diameter (Min) (mm) ", "57.676", "205.158", "0"},
        {"True involute form diameter (mm) ", "61.690", "203.403", "0"}, // ring: larger radius plus TIF
        {"Pin measurement (Max) (mm) ", "73.365", "194.458", "0"}, // between pins on the ring
        {"Pin measurement (Min) (mm) ", "73.140", "194.772", "0"},
        {"Pin diameter (mm) ", "5.486", "4.572", "0"},
        {"Span measurement (Max) (mm) ", "24.422", "73.767", "0"},
        {"Span measurement (Min) (mm) ", "24.330", "73.882", "0"},
        {"Number of teeth spanned ", "3", "7", "0"},
        {"Minimum fillet radius (mm) ", "0.762", "1.143", "0"},
        {"Arc tooth thickness (@operating circle)-(Max) (mm) ", "5.080", "4.953", "0"},
        {"Arc tooth thickness (@operating circle)-(Min) (mm) ", "4.978", "4.826", "0"},
        {"Arc tooth thickness (normal@operating circle)-(Max) (mm) ", "4.907", "4.784", "0"},
        {"Arc tooth thickness (normal@operating circle)-(Min) (mm) ", "4.809", "4.662", "0"},
        {"Arc tooth thickness (@pitch circle)-(Max) (mm) ", "5.172", "4.586", "0"},
        {"Arc tooth thickness (@pitch circle)-(Min) (mm) ", "5.071", "4.460", "0"},
        {"Arc tooth thickness (normal@pitch circle)-(Max) (mm) ", "4.996", "4.430", "0"},
        {"Arc tooth thickness (normal@pitch circle)-(Min) (mm) ", "4.898", "4.308", "0"},
        {"Transverse operating backlash (mm) ", "Max 0.569", "Min 0.341", "0"},
        {"Base diameter (mm) ", "61.518", "184.553", "0"},
        {"Face width (Min) (mm) ", "38.100", "31.750", "0"},
        {"Roll Angle @OD (Max) (\u00B0)", "35.005", "16.597", "0"},
        {"Roll Angle @OD (Min) (\u00B0)", "34.777", "16.738", "0"},
        {"Roll Angle @Edge Break OD (Max) (\u00B0)", "34.457", "16.878", "0"},
        {"Roll Angle @Edge Break OD (Min) (\u00B0)", "33.670", "17.292", "0"},
        {"Roll Angle @HPSTC (Max)(\u00B0)", "23.896", "20.399", "0"}, // the ring's rises as its tip opens
        {"Roll Angle @HPSTC (Min)(\u00B0)", "25.138", "20.136", "0"},
        {"Roll Angle @Pitch Circle (Operating)(\u00B0)", "22.370", "22.370", "0"}, // tan(21.327 deg)
        {"Roll Angle @Pitch Circle (Manufactured)(\u00B0)", "21.590", "21.590", "0"}, // tan(20.647 deg)
        {"Roll Angle @LPSTC (Max)(\u00B0)", "16.457", "22.878", "0"},
        {"Roll Angle @LPSTC (Min)(\u00B0)", "15.670", "23.292", "0"},
        {"Roll Angle @Lowest Contact (\u00B0)", "5.896", "26.399", "0"},
        {"Roll Angle @TIFF (\u00B0)", "4.293", "26.549", "0"},
        {"Roll Angle @RTangent (\u00B0)", "14.662", "17.575", "0"},
        {"Radius Tangent(mm) ", "31.750", "96.520", "0"},
        {"Radius at Lowest Contact (mm) ", "30.997", "101.424", "0"},
        {"Break edges of teeth (Max) (mm) ", "0.305", "0.254", "0"},
        {"Break edges of teeth (Min) (mm) ", "0.152", "0.127", "0"},
    };
    appendTolerances(expected, tolerancesOf<T_AGMATolsMetric>(pair, quality, host), "(\u00B5m) ");
    expected.push_back({"Quality number ", "8", "11", "0"});

    const Table& built = *table.MFGArray();
    ASSERT_EQ(built.size(), 54u);
    for (std::size_t row = 0; row < expected.size(); ++row)
        EXPECT_EQ(built[row], expected[row]) << "row " << row;
}

TEST_F(MfgTableTest, ToleranceRowsComeFromTheClassTheMetricBoxPicks)
{
    spurInputs();
    const double quality[2] = {10, 9};
    const Tolerances inch = tolerancesOf<T_AGMATolerances>(pair, quality, host);
    const Tolerances metric = tolerancesOf<T_AGMATolsMetric>(pair, quality, host);
    // Six different texts per member, so that a getter in the wrong row shows.
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(std::set<std::string>(std::begin(inch.texts[i]), std::end(inch.texts[i])).size(), 6u);
    ASSERT_NE(inch.texts[0][0], metric.texts[0][0]);

    for (bool ticked : {false, true}) {
        host.now.metricChecked = ticked; // lengths stay in inches either way
        ASSERT_TRUE(table.MakeNewArray());
        const Tolerances& chosen = ticked ? metric : inch;
        const Table& built = *table.MFGArray();
        for (int t = 0; t < 6; ++t) {
            EXPECT_EQ(built[39 + t][1], chosen.texts[0][t]) << "ticked " << ticked << " row " << 39 + t;
            EXPECT_EQ(built[39 + t][2], chosen.texts[1][t]) << "ticked " << ticked << " row " << 39 + t;
        }
        EXPECT_EQ(built[3][1], "2.2000");
    }
}

TEST_F(MfgTableTest, EveryBuildPutsTheWholeTableOnTheClipboard)
{
    spurInputs();
    ASSERT_TRUE(table.MakeNewArray());
    std::string expected;
    for (const auto& row : spurExpected())
        expected += row[0] + ", " + row[1] + ", " + row[2] + ", " + row[3] + "\r\n";
    ASSERT_EQ(host.clipboard.size(), 1u);
    EXPECT_EQ(host.clipboard[0], expected);
    const std::string head = "Number of teeth , 20, 40, 0\r\npressure Angle (\u00B0), 20.0000, 20.0000, 3\r\n";
    const std::string tail = "\r\nQuality number , 10, 9, 0\r\n";
    EXPECT_EQ(host.clipboard[0].substr(0, head.size()), head);
    EXPECT_EQ(host.clipboard[0].substr(host.clipboard[0].size() - tail.size()), tail);
}

TEST_F(MfgTableTest, TheCopyCommandPutsTheHeadedTableWithoutLayoutIndexOrFinalLineEnd)
{
    EXPECT_FALSE(table.Array2ClipBoard());
    EXPECT_TRUE(host.clipboard.empty());
    spurInputs();
    ASSERT_TRUE(table.MakeNewArray());
    ASSERT_TRUE(table.Array2ClipBoard());
    ASSERT_EQ(host.clipboard.size(), 2u);
    const std::string& copied = host.clipboard[1];
    const std::string head = "Description, Pinion, Gear\r\nNumber of teeth ,20,40\r\npressure Angle (\u00B0),20.0000,20.0000\r\n";
    EXPECT_EQ(copied.substr(0, head.size()), head);
    const std::string tail = "\r\nQuality number ,10,9";
    EXPECT_EQ(copied.substr(copied.size() - tail.size()), tail);
    std::size_t lines = 1;
    for (std::size_t at = copied.find("\r\n"); at != std::string::npos; at = copied.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 47u);

    host.clipboardFails = true;
    EXPECT_FALSE(table.Array2ClipBoard());
    EXPECT_EQ(host.clipboard.size(), 2u);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].routine, "Array2ClipBoard");
}

TEST_F(MfgTableTest, RunLogShowsThePinTextOfTheMinCallAndTheSpanMessages)
{
    spurInputs();
    ASSERT_TRUE(table.MakeNewArray());
    // The contact radii worked with the pin formula above, at the minimum thickness.
    ASSERT_EQ(host.runLog.size(), 1u);
    EXPECT_EQ(host.runLog[0], "Pinion; Pin 0.1728 contact radius =0.9993\r\nGear; Pin 0.1728 contact radius =2.0052");

    // No pin: each call appends its line and the pin rows show 0. No teeth
    // spanned on the pinion, whose fewest allowed is 0: 0 and no message.
    // 30 on the gear, above the 6 whose span still touches below its tip:
    // 1 + (sqrt(4.2^2 - 3.7588^2) - 0.2059 base thickness) / 0.2952 = 6.65.
    table.PinDiam(0, 0);
    table.TeethSpanned(0, 0);
    table.TeethSpanned(1, 30);
    ASSERT_EQ(pair.oPinion->SpanMeasNumbTeethMin(), 0);
    ASSERT_TRUE(table.MakeNewArray());
    const Table& built = *table.MFGArray();
    EXPECT_EQ(built[8][1], "0.0000");
    EXPECT_EQ(built[9][1], "0.0000");
    EXPECT_EQ(built[11][1], "0.0000");
    EXPECT_EQ(built[13][1], "0");
    ASSERT_EQ(host.runLog.size(), 2u);
    EXPECT_EQ(host.runLog[1], "Pinion; \r\nPinDiameterFromList = 0, error in PinMeasure of PinionMax"
                              "\r\nPinDiameterFromList = 0, error in PinMeasure of PinionMin\r\n"
                              "Gear; Pin 0.1728 contact radius =2.0052"
                              "\r\nmessage 4212 (6 teeth max.) for the GearMax"
                              "\r\nmessage 4212 (6 teeth max.) for the GearMin");
}

TEST_F(MfgTableTest, DecimalsApplyToValuesButNotToCounts)
{
    spurInputs();
    struct Case {
        std::int32_t listPosition;
        const char* tip;
    };
    for (const Case& c : {Case{0, "2.2"}, Case{2, "2.200"}, Case{6, "2.2000000"}}) {
        table.Decimals(c.listPosition);
        ASSERT_TRUE(table.MakeNewArray());
        const Table& built = *table.MFGArray();
        EXPECT_EQ(built[3][1], c.tip);
        EXPECT_EQ(built[0][1], "20");
        EXPECT_EQ(built[13][1], "3");
        EXPECT_EQ(built[45][1], "10");
    }
}

TEST_F(MfgTableTest, NoDecimalsUntilTheWindowSetsThem)
{
    setUpSpur(pair);
    ASSERT_TRUE(table.MakeNewArray());
    EXPECT_EQ((*table.MFGArray())[3][1], "2");
    EXPECT_EQ((*table.MFGArray())[45][1], "0"); // no quality chosen: 0, out of the tolerances' range
}

TEST_F(MfgTableTest, BadIndexesAndDecimalsAreRefused)
{
    EXPECT_EQ(errorNumberOf([&] { table.TIF(2, 0.1); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table.PinDiam(-1, 0.1); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)table.TeethSpanned(2); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table.Decimals(INT_MAX); }), runtime::Overflow);
}

// A failed build reports through the error handler and leaves the kept
// table, the clipboard and the run log as they were.
TEST_F(MfgTableTest, FailedBuildKeepsTheTableClipboardAndRunLog)
{
    spurInputs();
    ASSERT_TRUE(table.MakeNewArray());
    const Table before = *table.MFGArray();

    struct Case {
        const char* what;
        std::function<void()> breakIt;
        std::function<void()> mendIt;
        int number;
    };
    const Case cases[] = {
        {"decimals beyond any table", [&] { table.Decimals(40); }, [&] { table.Decimals(3); },
         runtime::InvalidProcedureCall},
        {"clipboard locked", [&] { host.clipboardFails = true; }, [&] { host.clipboardFails = false; },
         runtime::PermissionDenied},
        {"quality beyond 16 bits", [&] { table.Quality(0, 1e6); }, [&] { table.Quality(0, 10); }, runtime::Overflow},
        {"allowance not a number", [&] { table.TIF(1, std::nan("")); }, [&] { table.TIF(1, 0.003); },
         runtime::Overflow},
        {"pin not a number", [&] { table.PinDiam(1, std::nan("")); }, [&] { table.PinDiam(1, 0.1728); },
         runtime::Overflow},
        // Teeth 0: the pin measurement divides by the teeth count.
        {"no teeth", [&] { pair.oPinion->aaNumberOfTeeth(0); }, [&] { pair.oPinion->aaNumberOfTeeth(20); },
         runtime::DivisionByZero},
    };
    for (const Case& c : cases) {
        c.breakIt();
        host.errors.clear();
        EXPECT_FALSE(table.MakeNewArray()) << c.what;
        ASSERT_EQ(host.errors.size(), 1u) << c.what;
        EXPECT_EQ(host.errors[0].module, "T_MFGOutputs");
        EXPECT_EQ(host.errors[0].routine, "MakeNewArray");
        EXPECT_EQ(host.errors[0].number, std::to_string(c.number)) << c.what;
        // The window tells the reason itself: the run log may be off.
        EXPECT_FALSE(table.lastFailure().empty()) << c.what;
        EXPECT_EQ(*table.MFGArray(), before) << c.what;
        EXPECT_EQ(host.clipboard.size(), 1u) << c.what;
        EXPECT_EQ(host.runLog.size(), 1u) << c.what;
        c.mendIt();
    }
    ASSERT_TRUE(table.MakeNewArray());
    EXPECT_EQ(*table.MFGArray(), before);
    EXPECT_EQ(table.lastFailure(), "");
}

} // namespace
