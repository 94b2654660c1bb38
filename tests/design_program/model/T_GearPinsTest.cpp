#include "model/T_Gear.h"

#include "RecordingShell.h"
#include "ReferencePairs.h"
#include "model/MGearMath.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"
#include "support/FifoWatchdog.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace cindrel::model {
namespace {

using testing::PairInputs;
using testing::RecordingShell;
using testsupport::errorNumberOf;

constexpr double Pi = 3.14159265358979;

PairInputs withTeeth(PairInputs in, std::int32_t pinion, std::int32_t gear) {
    in.pinionTeeth = pinion;
    in.gearTeeth = gear;
    return in;
}

PairInputs withHelix(PairInputs in, double degrees) {
    in.helixAngleDegrees = degrees;
    return in;
}

// Where a pin touches the flank, from its measurement alone: the pin centre
// lies on the base tangent through the contact point, half a transverse pin
// width from it (toward the tangent point on an external gear). Checked
// against the nearest point of a sampled involute to 1e-5 in.
double contactDiameter(const T_Gear& gear, double pin, double measurement) {
    const T_Set& pair = gear.pair();
    const double e = gear.IntExt;
    const double over = std::fmod(gear.N(), 2.0) == 0.0 ? 1.0 : std::cos(Pi / (2 * gear.N()));
    const double centre = (measurement - e * pin) / (2 * over);
    const double Rb = gear.Rb();
    const double roll = std::sqrt(centre * centre - Rb * Rb) - e * pin / (2 * std::cos(pair.Psi_b()));
    return 2 * std::hypot(Rb, roll);
}

// The pair in each test, with the list files in a folder of their own.
class PinsTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell.folder = folder.path().string();
        testing::setUpSpurPair(spur);
        testing::setUpInternalPair(internal);
        for (int number : {4210, 4211, 4212})
            shell.texts[number] = "text " + std::to_string(number);
    }

    void writeFile(const std::string& name, const std::string& content) {
        std::ofstream(folder.file(name), std::ios::binary) << content;
    }
    void writeInchPins(const std::string& items) { writeFile("PinsE.dat", "Pins on hand\r\ninch\r\n" + items); }

    std::vector<float> pinList(T_Gear& gear, bool renew) {
        bool ok = false;
        std::vector<float> list = gear.PinList(ok, renew);
        EXPECT_TRUE(ok);
        return list;
    }

    RecordingShell shell;
    TemporaryFolder folder;
    T_Set spur{shell};
    T_Set internal{shell};
    T_Gear& pinion = *spur.oPinion; // 20 teeth, Pd 10, 20°
    T_Gear& gear = *spur.oGear;     // 40 teeth
    T_Gear& ring = *internal.oGear; // 60 teeth internal, addendum 0.08
};

// ---- measurement ----

// Expected values from the textbook relations, worked apart from the model:
// inv φc = t/D + inv φt + d/(Db cos ψb) − π/N (external; internal
// inv φc = π/N − t/D + inv φt − d/(Db cos ψb)), M = Db/cos φc ± d, the
// first term times cos(90°/N) for an odd count. Two of them by hand:
//  20 teeth, Pd 10, 20°, t = π/20, d = 0.1728: D = 2, Db = 1.879385,
//  inv φc = 0.078540 + 0.014904 + 0.091945 − 0.157080 = 0.028310,
//  φc = 24.552°, Rc = 1.033101, M = 2 Rc + d = 2.239002.
//  25 teeth, Pd_n 8, 20° normal, 15° helix, t_n = π/16, d = 0.216:
//  Pd 7.727407, φt 20.6469°, ψb 14.0761°, D 3.235238, Db 3.027443,
//  t = 0.203276, inv φc = 0.062832 + 0.016453 + 0.073556 − 0.125664
//  = 0.027178, φc = 24.2366°, Rc = 1.660041, M = 2 Rc cos 3.6° + d = 3.529531.
TEST_F(PinsTest, MeasurementOverAndBetweenPinsGivesTheThicknessBack) {
    const PairInputs helical = testing::helicalPairInputs();
    const PairInputs internalGear = testing::internalPairInputs();
    const struct {
        const char* what;
        PairInputs inputs;
        int member;
        double pin, measurement;
    } cases[] = {
        {"spur, even", testing::spurPairInputs(), 0, 0.1728, 2.2390018215},
        {"spur, odd", withTeeth(testing::spurPairInputs(), 21, 40), 0, 0.1728, 2.3332122048},
        {"helical, odd", helical, 0, 0.216, 3.5295305537},
        {"helical, even", helical, 1, 0.216, 6.7745127353},
        {"internal, even", internalGear, 1, 0.144, 5.8664762896},
        {"internal, odd", withTeeth(internalGear, 20, 61), 1, 0.144, 5.9644515718},
        {"internal helical, even", withHelix(internalGear, 15), 1, 0.144, 6.0781400416},
        {"internal helical, odd", withHelix(withTeeth(internalGear, 20, 61), 15), 1, 0.144, 6.1795714935},
    };
    for (const auto& c : cases) {
        T_Set pair(shell);
        testing::setUpPair(pair, c.inputs);
        T_Gear& member = pair.member(c.member);
        std::string message;
        std::int32_t fit = 9;
        const double measurement = member.PinMeasure(c.pin, message, "", 0, fit);
        EXPECT_NEAR(measurement, c.measurement, 1e-9) << c.what;
        const double thickness =
            MGearMath::TThkFromPins(member.N(), pair.pd(), pair.Phi(), pair.Psi(), measurement, c.pin, member.IntExt == -1);
        EXPECT_NEAR(thickness, Pi / (2 * c.inputs.normalDiametralPitch), 1e-9) << c.what;
    }
}

TEST_F(PinsTest, TheMaximumThicknessMeasuresOverMore) {
    pinion.aaToothThickness(1, 1, 1, 0, 0, 0.16);
    std::string message;
    std::int32_t fit = 0;
    const double least = pinion.PinMeasure(0.1728, message, "", 0, fit);
    const double most = pinion.PinMeasure(0.1728, message, "", 1, fit);
    EXPECT_GT(most, least);
    EXPECT_NEAR(MGearMath::TThkFromPins(20, 10, spur.Phi(), 0, most, 0.1728, false), 0.16, 1e-9);
}

// Contact radii: the nearest point of the sampled involute to the pin centre.
TEST_F(PinsTest, ContactRadiusAndWhyAPinDoesNotFit) {
    writeInchPins("0.05\r\n0.1\r\n0.12\r\n0.1728\r\n0.25\r\n0.4\r\n");
    const std::string why = "\r\nthis Pin ";
    const struct {
        T_Gear* member;
        double pin;
        std::int32_t limit;
        std::int32_t fit;
        std::string message;
    } cases[] = {
        {&pinion, 0.1728, 0, 0, "Pin 0.1728 contact radius =1.0003"},
        {&pinion, 0.35, 0, 0, "Pin 0.35 contact radius =1.0992"},
        {&pinion, 0.12, 0, 1,
         "Pin 0.12 contact radius =0.9399" + why +
             "won't protrude past addendum, try; 0.1728 (next bigger pin, Min tooth thickness on Pinion)"},
        {&pinion, 0.4, 1, -1,
         "Pin 0.4 contact radius =1.1187" + why +
             "too big to fit in tooth, try; 0.2500 (next smaller pin, Max tooth thickness on Pinion)"},
        {&gear, 0.1, 0, 1,
         "Pin 0.1 contact radius =1.9043" + why +
             "interferes with Root of tooth, try; 0.1200 (next bigger pin, Min tooth thickness on Gear)" + why +
             "won't protrude past addendum, try; 0.1200 (next bigger pin, Min tooth thickness on Gear)"},
        // Internal: a small pin sinks toward the root, a big one rides on the tips.
        {&ring, 0.1728, 0, 0, "Pin 0.1728 contact radius =2.9888"},
        {&ring, 0.2, 0, 0, "Pin 0.2 contact radius =2.9393"}, // centre inside the tips, contact outside
        {&ring, 0.05, 1, 1,
         "Pin 0.05 contact radius =3.1362" + why +
             "interferes with Root of tooth, try; 0.1000 (next bigger pin, Max tooth thickness on Gear)" + why +
             "won't protrude past addendum, try; 0.1000 (next bigger pin, Max tooth thickness on Gear)"},
        {&ring, 0.22, 0, -1,
         "Pin 0.22 contact radius =2.8889" + why +
             "too big to fit in tooth, try; 0.1728 (next smaller pin, Min tooth thickness on Gear)"},
    };
    for (const auto& c : cases) {
        std::string message = "earlier text";
        std::int32_t fit = 9;
        c.member->PinMeasure(c.pin, message, "", c.limit, fit);
        EXPECT_EQ(message, c.message) << c.member->Name() << " " << c.pin;
        EXPECT_EQ(fit, c.fit) << c.member->Name() << " " << c.pin;
    }
}

TEST_F(PinsTest, NoPinOrNoPinCentreIsAnErrorAppended) {
    std::string message = "before";
    std::int32_t fit = 0;
    EXPECT_EQ(gear.PinMeasure(0.0, message, "", 1, fit), 0.0);
    EXPECT_EQ(message, "before\r\nPinDiameterFromList = 0, error in PinMeasure of GearMax");
    EXPECT_EQ(fit, 1);

    // So thin a pin sinks below the base circle: no pressure angle at its centre.
    message = "before";
    fit = 0;
    EXPECT_EQ(pinion.PinMeasure(0.05, message, "", 0, fit), 0.0);
    EXPECT_EQ(message, "before\r\nPhi(Pin) = 0, error in PinMeasure of PinionMin");
    EXPECT_EQ(fit, 1);
    EXPECT_TRUE(shell.inputsOpened.empty());
}

TEST_F(PinsTest, MetricPinsAreMillimetres) {
    shell.lengthFactor = 25.4;
    writeFile("PinsM.dat", "Pins on hand\r\nmm\r\n3.048\r\n4.38912\r\n6\r\n");
    std::string message;
    std::int32_t fit = 9;
    EXPECT_NEAR(pinion.PinMeasure(4.38912, message, "", 0, fit), 2.2390018215, 1e-9);
    EXPECT_EQ(message, "Pin 0.1728 contact radius =1.0003");
    pinion.PinMeasure(3.048, message, "", 0, fit);
    EXPECT_EQ(message, "Pin 0.12 contact radius =0.9399\r\nthis Pin won't protrude past addendum, try; 4.3891 "
                       "(next bigger pin, Min tooth thickness on Pinion)");
    ASSERT_EQ(shell.inputsOpened.size(), 1u);
    EXPECT_EQ(shell.inputsOpened[0], (folder.path() / "PinsM.dat").string());
}

// ---- first guess ----

TEST_F(PinsTest, FirstGuess) {
    T_Set helical(shell);
    testing::setUpHelicalPair(helical);
    const struct {
        const char* what;
        const T_Gear* member;
        bool simple;
        double pin;
    } cases[] = {
        {"1.728 / Pd", &pinion, true, 0.1728},
        {"1.44 / Pd, internal", &ring, true, 0.144},
        {"1.728 / transverse Pd", helical.oPinion.get(), true, 0.2236},
        // Mid working depth, worked apart from the model.
        {"mid depth", &pinion, false, 0.1581},
        {"mid depth, internal", &ring, false, 0.1502},
        {"mid depth, helical", helical.oPinion.get(), false, 0.1994},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(c.member->PinFirstGuess(c.simple), c.pin) << c.what;

    shell.lengthFactor = 25.4;
    EXPECT_DOUBLE_EQ(pinion.PinFirstGuess(false), 0.1581 * 25.4);
}

TEST_F(PinsTest, TheMidDepthPinTouchesAtMidDepth) {
    T_Set helical(shell);
    testing::setUpHelicalPair(helical);
    for (T_Gear* member : {&pinion, &gear, &ring, helical.oPinion.get(), helical.oGear.get()}) {
        const double pin = member->PinFirstGuess(false);
        std::string message;
        std::int32_t fit = 0;
        const double measurement = member->PinMeasure(pin, message, "", 0, fit);
        const double midDepth = member->RR(1) + member->Ro(-1, 1, 0);
        // The guess is rounded to 0.0001 in.
        EXPECT_NEAR(contactDiameter(*member, pin, measurement), midDepth, 2e-4) << member->Name() << " " << member->N();
    }
}

TEST_F(PinsTest, MidDepthInsideTheBaseCircleTakesThePinJustOutsideIt) {
    PairInputs deep = testing::spurPairInputs();
    deep.pinionAddendumFactor = 0;
    deep.dedendumFactor = 3; // root 0.7, tip 1.0: halfway at 1.7, inside Db 1.879
    T_Set pair(shell);
    testing::setUpPair(pair, deep);
    const T_Gear& member = *pair.oPinion;
    const double pin = member.PinFirstGuess(false);
    std::string message;
    std::int32_t fit = 0;
    const double measurement = pair.oPinion->PinMeasure(pin, message, "", 0, fit);
    EXPECT_NEAR(contactDiameter(member, pin, measurement), 2 * member.Rb(), 2e-3);
}

// ---- pin list ----

TEST_F(PinsTest, ListIsReadFromTheProgramFolderPastTwoHeaderLines) {
    writeFile("PinsE.dat", "0.5, 0.6\r\n\"7\"\r\n0.1\r\n0.12, \"0.1728\"\r\n\r\n  0.25  \n0.4");
    writeFile("PinsM.dat", "a\nb\n3.048\n4.5\n");
    EXPECT_EQ(pinList(pinion, false), (std::vector<float>{0.1f, 0.12f, 0.1728f, 0.25f, 0.4f}));
    shell.lengthFactor = 25.4;
    EXPECT_EQ(pinList(gear, false), (std::vector<float>{3.048f, 4.5f}));
    EXPECT_EQ(shell.inputsOpened,
              (std::vector<std::string>{(folder.path() / "PinsE.dat").string(), (folder.path() / "PinsM.dat").string()}));
    EXPECT_EQ(shell.inputsClosed, 2);
}

TEST_F(PinsTest, ListIsKeptUntilRenewedOrTheUnitsChange) {
    writeInchPins("0.1\r\n0.2\r\n");
    writeFile("PinsM.dat", "header\r\nheader\r\n");
    const std::vector<float> inch{0.1f, 0.2f};
    EXPECT_EQ(pinList(pinion, false), inch);
    EXPECT_EQ(pinList(pinion, false), inch);
    EXPECT_EQ(shell.inputsOpened.size(), 1u);
    EXPECT_EQ(pinList(pinion, true), inch);
    EXPECT_EQ(shell.inputsOpened.size(), 2u);

    // A metric list without pins must not hand back the inch list as millimetres.
    shell.lengthFactor = 25.4;
    EXPECT_TRUE(pinList(pinion, false).empty());
    shell.lengthFactor = 1;
    EXPECT_EQ(pinList(pinion, false), inch);
    EXPECT_EQ(shell.inputsOpened.size(), 4u);
    EXPECT_EQ(shell.inputsClosed, 4);
}

TEST_F(PinsTest, AListWithoutPinsLeavesTheListItHad) {
    writeInchPins("0.1\r\n0.2\r\n");
    pinList(pinion, false);
    writeInchPins("");
    EXPECT_EQ(pinList(pinion, true), (std::vector<float>{0.1f, 0.2f}));
}

TEST_F(PinsTest, EverySearchRereadsTheListWhenTheSettingAsks) {
    writeInchPins("0.1\r\n0.2\r\n");
    double current = 0.15;
    pinion.PinDiameterFromList(current, 1);
    pinion.PinDiameterFromList(current, 1);
    EXPECT_EQ(shell.inputsOpened.size(), 1u);
    shell.updatePinListEveryTime = true;
    pinion.PinDiameterFromList(current, 1);
    pinion.PinDiameterFromList(current, 1);
    EXPECT_EQ(shell.inputsOpened.size(), 3u);
}

TEST_F(PinsTest, ABadListRaisesClosesTheFileAndKeepsTheLastGoodList) {
    const struct {
        const char* what;
        std::string content;
        int error;
    } cases[] = {
        {"one line only", "header\r\n", runtime::InputPastEndOfFile},
        {"empty", "", runtime::InputPastEndOfFile},
        {"a word", "h\r\nh\r\n0.1\r\nabc\r\n", runtime::TypeMismatch},
        {"a word after a comma", "h\r\nh\r\n0.1, x\r\n", runtime::TypeMismatch},
        {"a number and more", "h\r\nh\r\n0.1 in\r\n", runtime::TypeMismatch},
        {"zero", "h\r\nh\r\n0\r\n", runtime::TypeMismatch},
        {"negative", "h\r\nh\r\n0.1\r\n-0.2\r\n", runtime::TypeMismatch},
        {"beyond single precision", "h\r\nh\r\n1e39\r\n", runtime::Overflow},
        {"binary", std::string("h\r\nh\r\n\0\xff\x01", 9), runtime::TypeMismatch},
    };
    for (const auto& c : cases) {
        RecordingShell own;
        own.folder = shell.folder;
        T_Set pair(own);
        testing::setUpSpurPair(pair);
        T_Gear& member = *pair.oPinion;
        writeInchPins("0.1\r\n0.2\r\n");
        bool ok = false;
        member.PinList(ok, false);
        writeFile("PinsE.dat", c.content);
        EXPECT_EQ(errorNumberOf([&] { member.PinList(ok, true); }), c.error) << c.what;
        EXPECT_EQ(own.inputsClosed, 2) << c.what;
        EXPECT_EQ(member.PinList(ok, false), (std::vector<float>{0.1f, 0.2f})) << c.what;
        EXPECT_EQ(own.inputsOpened.size(), 2u) << c.what;
        // The search passes the error on rather than searching a broken list.
        double current = 0.15;
        EXPECT_EQ(errorNumberOf([&] { member.PinDiameterFromList(current, 1); }), 0) << c.what;
        own.updatePinListEveryTime = true;
        EXPECT_EQ(errorNumberOf([&] { member.PinDiameterFromList(current, 1); }), c.error) << c.what;
        EXPECT_EQ(errorNumberOf([&] { member.PinDiamTested(); }), c.error) << c.what;
        EXPECT_EQ(own.inputsClosed, static_cast<int>(own.inputsOpened.size())) << c.what;
    }
}

TEST_F(PinsTest, ABadLineIsNamedInTheErrorDescription) {
    writeInchPins("0.1\r\n\r\n0.2, abc\r\n");
    try {
        bool ok = false;
        pinion.PinList(ok, false);
        FAIL() << "no error raised";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), runtime::TypeMismatch);
        EXPECT_NE(error.description().find("line 5 of PinsE.dat"), std::string::npos) << error.description();
    }
}

TEST_F(PinsTest, AMissingListGivesTheFirstGuessOnceAndThenNothing) {
    bool ok = true;
    EXPECT_TRUE(pinion.PinList(ok, false).empty());
    EXPECT_FALSE(ok);

    double current = 0.15;
    EXPECT_DOUBLE_EQ(pinion.PinDiameterFromList(current, 1), 0.1581);
    EXPECT_EQ(pinion.PinDiameterFromList(current, 1), 0.0);
    EXPECT_DOUBLE_EQ(pinion.PinDiamTested(), 0.158);
    EXPECT_EQ(shell.inputsOpened.size(), 2u);

    // The gear has not tried yet; its search also ends at its own first guess.
    EXPECT_DOUBLE_EQ(gear.PinDiamTested(), 0.158);
    EXPECT_EQ(shell.inputsOpened.size(), 3u);
    // Given up for the run, even once the file is there.
    writeInchPins("0.1728\r\n0.2\r\n");
    EXPECT_EQ(pinion.PinDiameterFromList(current, 1), 0.0);
    EXPECT_EQ(shell.inputsOpened.size(), 3u);
}

// A FIFO would block the read for good, a folder cannot be read: either is
// a list that failed to open.
TEST_F(PinsTest, AFifoOrAFolderIsNoList) {
    ASSERT_EQ(::mkfifo(folder.file("PinsE.dat").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.file("PinsM.dat"));
    testsupport::FifoWatchdog watchdog(folder.file("PinsE.dat"));
    for (double lengthFactor : {1.0, 25.4}) {
        shell.lengthFactor = lengthFactor;
        bool ok = true;
        EXPECT_TRUE(pinion.PinList(ok, true).empty());
        EXPECT_FALSE(ok) << lengthFactor;
    }
    EXPECT_FALSE(watchdog.fired());
}

// ---- search ----

TEST_F(PinsTest, NextPinFromTheList) {
    const struct {
        double current;
        std::int32_t fit;
        double pin;
    } cases[] = {
        {0.15, 1, 0.1728}, {0.15, -1, 0.12},  {0.1728, 1, 0.25}, {0.1728, -1, 0.12},
        {0.5, 1, 0.0},     {0.4, 1, 0.0},     {0.1, -1, 0.0},    {0.05, -1, 0.0},
        {0.15, 0, 0.0},    {0.15, 2, 0.0},
    };
    // The searches must not depend on the list being in order.
    for (const char* list : {"0.1\r\n0.12\r\n0.1728\r\n0.25\r\n0.4\r\n", "0.4, 0.1, 0.25\r\n0.12, 0.1728\r\n"}) {
        writeInchPins(list);
        pinList(pinion, true);
        for (const auto& c : cases) {
            double current = c.current;
            EXPECT_EQ(pinion.PinDiameterFromList(current, c.fit), c.pin) << c.current << " " << c.fit;
            EXPECT_EQ(current, c.current);
        }
    }

    // No pin yet: the search starts from the first guess, and says so.
    double current = 0.0;
    EXPECT_EQ(pinion.PinDiameterFromList(current, 1), 0.1728);
    EXPECT_DOUBLE_EQ(current, 0.1581);
    current = 0.0;
    EXPECT_EQ(pinion.PinDiameterFromList(current, -1), 0.12);
}

TEST_F(PinsTest, TheSearchEndsAtAListPinThatFits) {
    // First guess 0.1581: 0.16 does not reach past the tip, 0.165 fits.
    writeInchPins("0.12\r\n0.16\r\n0.165\r\n0.4\r\n");
    EXPECT_EQ(pinion.PinDiamTested(), 0.165);
    writeInchPins("0.1\r\n0.1728\r\n0.3\r\n");
    EXPECT_EQ(gear.PinDiamTested(), 0.1728);
    EXPECT_EQ(ring.PinDiamTested(), 0.1728);
}

TEST_F(PinsTest, TheSearchGivesUpAfterSeventeenMeasurements) {
    // 0.4 rides on the pinion's tips and 0.12 sinks below them: each sends
    // the search to the other. With the list reread on every search, each
    // measurement reads it twice (the pin its message proposes, the pin to
    // measure next), and the search once more to start.
    writeInchPins("0.12\r\n0.4\r\n");
    shell.updatePinListEveryTime = true;
    // No pin fits: the first guess, not the last unmeasured candidate.
    EXPECT_DOUBLE_EQ(pinion.PinDiamTested(), 0.158);
    EXPECT_EQ(shell.inputsOpened.size(), 1u + 17u * 2u);
    // The count starts again with the next search.
    EXPECT_DOUBLE_EQ(pinion.PinDiamTested(), 0.158);
    EXPECT_EQ(shell.inputsOpened.size(), 2u * (1u + 17u * 2u));
}

TEST_F(PinsTest, ShippedListsReadAndAscend) {
    shell.folder = GEARSUITE_TEST_DATA "/../../design_program/resources/data";
    for (double factor : {1.0, 25.4}) {
        shell.lengthFactor = factor;
        const std::vector<float> list = pinList(pinion, false);
        ASSERT_GT(list.size(), 20u) << factor;
        for (std::size_t i = 1; i < list.size(); ++i)
            EXPECT_LT(list[i - 1], list[i]) << factor << " " << i;
    }
}

} // namespace
} // namespace cindrel::model
