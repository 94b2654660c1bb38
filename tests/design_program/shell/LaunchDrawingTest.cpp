#include "automation_interface/VantropeRecord.h"
#include "design_program/model/DrawingFixtures.h"
#include "design_program/model/RecordingShell.h"

#include "model/MMath.h"
#include "model/T_Set.h"
#include "shell/AutomatedDrawingProgram.h"
#include "shell/Launcher.h"
#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cmath>

using namespace cindrel::model;
using namespace cindrel::model::testing;
using cindrel::shell::AutomatedDrawingProgram;
using vantroperecord::RecordedCall;

namespace {

automation::Timeouts timeouts() {
    automation::Timeouts t;
    t.start = std::chrono::seconds(10);
    t.call = std::chrono::seconds(10);
    t.end = std::chrono::seconds(10);
    return t;
}

// The design program with the drawing program's test server in its place.
class HandOverToTestServer : public ::testing::Test {
protected:
    explicit HandOverToTestServer(std::vector<std::string> options = {}) {
        options.push_back("--record=" + record());
        drawing = std::make_unique<AutomatedDrawingProgram>(VANTROPE_TEST_SERVER, timeouts(), options);
        shell.drawing = drawing.get();
    }

    std::string record() const { return folder.file("calls.txt").string(); }
    std::vector<RecordedCall> calls() const { return vantroperecord::read(record()); }

    TemporaryFolder folder;
    std::unique_ptr<AutomatedDrawingProgram> drawing;
    RecordingShell shell;
    std::unique_ptr<T_Set> pair = std::make_unique<T_Set>(shell);
};

struct Expected {
    const char* name;
    double value;
};

// Each named argument as a number, to 1e-12 relative.
void expectNumbers(const RecordedCall& call, std::initializer_list<Expected> expected) {
    for (const auto& [name, value] : expected)
        EXPECT_NEAR(call.number(name), value, 1e-12 * std::max(1.0, std::abs(value)))
            << "element " << call["GearElement"] << " " << name << " = " << call[name];
}

bool processGone(int pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

} // namespace

// English units, external spur pair at the standard centre distance: Pd =
// Pdn = 10, k = 1, Phi = 20 degrees. Worked by hand:
// - pinion's hob: rack shift (hob thickness + pinion thickness - pi/Pdn) /
//   (2 tan 20) = (0.16 + 0.15 - 0.314159) / 0.727940 = -0.0057137 in, times
//   Pd = -0.057137; addendum 0.1 x 10 = 1.0; tip radius 0.03 x 10 = 0.3;
//   thickness 0.16 x 10 / pi = 0.509296; protuberance 0.002 x k = 0.002.
// - pinion and gear: no centre distance excess; thickness 0.15 / (pi / 10) =
//   0.477465; pinion addendum 1.1, whole depth 1.1 + 1.25 = 2.35, edge break
//   0.01 x 10 = 0.1 and a hob-cut fillet; gear 1.0, 2.25, 0.2, full root.
// - gear's tool, no hob step: the standard rack, thickness 0.5 of the pitch,
//   addendum 1.25, sharp tip, standing off (0.15 - 0.157080) / 0.727940 x 10
//   = -0.097256; the real pitch 10 with flag 0 (diametral pitch), no backlash
//   argument.
TEST_F(HandOverToTestServer, SendsTheFourElementsOfASpurPairInInches) {
    setUpSpurDrawingPair(*pair);
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    const auto recorded = calls();
    ASSERT_EQ(recorded.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(recorded[i].member, "LoadLocals");
        EXPECT_EQ(recorded[i]["GearElement"], std::to_string(i + 1));
        EXPECT_EQ(recorded[i]["FileName"], "\"/designs/pair\"");
        expectNumbers(recorded[i], {{"PressureAngleDegrees", 20}});
    }
    EXPECT_EQ(recorded[4].member, "LaunchDrawings");

    const RecordedCall &pinionHob = recorded[0], &pinion = recorded[1], &gear = recorded[2], &gearHob = recorded[3];
    EXPECT_EQ(pinionHob["NumberOfTeeth"], "10000");
    expectNumbers(pinionHob, {{"CenterDistance", -0.05713743827657287}, {"Addendum", 1.0}, {"WholeDepthFactor", 3},
                              {"EdgeBreak", 0.3}, {"ToothThickness", 0.5092958178940656}, {"BackaLasha", 0},
                              {"Protuberance", 0.002}, {"OperatingTransDP", 0}, {"DP0Module1", 0}});
    EXPECT_EQ(pinionHob["InternalExternal"], "1");
    EXPECT_EQ(pinionHob["FullRootRadius"], "True");

    EXPECT_EQ(pinion["NumberOfTeeth"], "20");
    expectNumbers(pinion, {{"CenterDistance", 0}, {"Addendum", 1.1}, {"WholeDepthFactor", 2.35}, {"EdgeBreak", 0.1},
                           {"ToothThickness", 0.4774648292756865}, {"Protuberance", 0}, {"OperatingTransDP", 0}});
    EXPECT_EQ(pinion["FullRootRadius"], "False");

    EXPECT_EQ(gear["NumberOfTeeth"], "40");
    expectNumbers(gear, {{"CenterDistance", 0}, {"Addendum", 1.0}, {"WholeDepthFactor", 2.25}, {"EdgeBreak", 0.2},
                         {"ToothThickness", 0.4774648292756865}});
    EXPECT_EQ(gear["InternalExternal"], "1");
    EXPECT_EQ(gear["FullRootRadius"], "True");

    expectNumbers(gearHob, {{"CenterDistance", -0.09725565462465434}, {"Addendum", 1.25}, {"EdgeBreak", 0},
                            {"ToothThickness", 0.5}, {"Protuberance", 0}, {"OperatingTransDP", 10}});
    EXPECT_EQ(gearHob["BackaLasha"], "(missing)");
    EXPECT_EQ(gearHob["DP0Module1"], "0");
}

// Metric units, internal helical pair: Pdn = 10, psi = 15 degrees, so Pd =
// 10 cos 15 = 9.659258 and k = 1 / cos 15 = 1.035276; Phi = atan(tan 20 /
// cos 15) = 20.646896 degrees; DC_s = (60 - 20) / (2 Pd) = 2.070552 in and
// the centre distance is 0.02 in more. Worked separately:
// - pinion and gear: excess 0.02 x Pd = 0.193185; the operating pinion
//   radius is DC_O / (60/20 - 1), so PC_o = pi DC_O / 20 and the thickness
//   0.15 / PC_o = 0.456783; pinion addendum 1.0 / k = 0.965926, whole depth
//   2.25 / k = 2.173333, edge break 0.01 x 10 = 0.1; gear addendum 0.8 / k =
//   0.772741, whole depth 2.05 / k = 1.980148, internal (-1).
// - the racks' shifts take the standard normal thicknesses, carried along
//   the involute from the operating circle (cos Phi_o = DC_s cos Phi /
//   DC_O): pinion 0.151022 in, gear 0.120945 in. Pinion's hob, 0.17 in
//   thick: (0.17 + 0.151022 - pi / 10) / (2 tan 20) x Pd = 0.091066; the
//   gear has no hob step, so its tool is the standard rack, pi / 20 thick:
//   (0.120945 - pi / 20) / (2 tan 20) x Pd = -0.479488.
// - pinion's hob: addendum 0.09 x Pd = 0.869333, thickness 0.17 x 10 / pi =
//   0.541127, tip radius 0.02 x 10 = 0.2, protuberance 0.003 x k = 0.003106.
//   Gear's tool: the standard rack, addendum 1.25, thickness 0.5, sharp tip,
//   no protuberance, whatever its hob holds from an earlier design.
// - the real pitch Pd / 25.4 = 0.380286 teeth per mm, flag 1 (module).
TEST_F(HandOverToTestServer, SendsTheFourElementsOfAnInternalHelicalPairInMetricUnits) {
    shell.lengthFactor = 25.4;
    setUpInternalHelicalDrawingPair(*pair);
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    const auto recorded = calls();
    ASSERT_EQ(recorded.size(), 5u);
    for (int i = 0; i < 4; ++i)
        expectNumbers(recorded[i], {{"PressureAngleDegrees", 20.64689648704647}});

    const RecordedCall &pinionHob = recorded[0], &pinion = recorded[1], &gear = recorded[2], &gearHob = recorded[3];
    expectNumbers(pinionHob, {{"CenterDistance", 0.09106569249375722}, {"Addendum", 0.8693332436601614},
                              {"ToothThickness", 0.5411268065124443}, {"EdgeBreak", 0.2},
                              {"Protuberance", 0.003105828541230249}, {"OperatingTransDP", 0}, {"DP0Module1", 0}});
    EXPECT_EQ(pinionHob["InternalExternal"], "1");

    expectNumbers(pinion, {{"CenterDistance", 0.19318516525781365}, {"Addendum", 0.9659258262890683},
                           {"WholeDepthFactor", 2.173333109150404}, {"EdgeBreak", 0.1},
                           {"ToothThickness", 0.45678342071122996}});
    EXPECT_EQ(pinion["InternalExternal"], "1");

    expectNumbers(gear, {{"CenterDistance", 0.19318516525781365}, {"Addendum", 0.7727406610312547},
                         {"WholeDepthFactor", 1.98014794389259}, {"EdgeBreak", 0},
                         {"ToothThickness", 0.45678342071122996}});
    EXPECT_EQ(gear["InternalExternal"], "-1");

    expectNumbers(gearHob, {{"CenterDistance", -0.47948758257115165}, {"Addendum", 1.25}, {"ToothThickness", 0.5},
                            {"EdgeBreak", 0}, {"Protuberance", 0}, {"OperatingTransDP", 0.38028575838152295}});
    EXPECT_EQ(gearHob["InternalExternal"], "1");
    EXPECT_EQ(gearHob["DP0Module1"], "1");
}

TEST_F(HandOverToTestServer, ASecondDrawEndsTheFirstDrawingProgramAndThePairEndsTheLast) {
    setUpSpurDrawingPair(*pair);
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    pair.reset();
    const auto recorded = calls();
    ASSERT_EQ(recorded.size(), 12u);
    const int first = recorded[0].processId, second = recorded[6].processId;
    EXPECT_NE(first, second);
    EXPECT_EQ(recorded[5].processId, first);
    EXPECT_EQ(recorded[5]["UsingResumeNextOnError"], "True");
    EXPECT_EQ(recorded[11].processId, second);
    EXPECT_EQ(recorded[11]["UsingResumeNextOnError"], "True");
    EXPECT_TRUE(processGone(first));
    EXPECT_TRUE(processGone(second));
}

class HandOverToDyingServer : public HandOverToTestServer {
protected:
    HandOverToDyingServer() : HandOverToTestServer({"--die-on=LaunchDrawings"}) {}
};

TEST_F(HandOverToDyingServer, ShowsTheEndedServerAndTheNextDrawStillWorks) {
    setUpSpurDrawingPair(*pair);
    EXPECT_EQ(pair->LaunchDrawing(), 0);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_THAT(shell.messages[0], ::testing::StartsWith("The automation server has ended or is unavailable: "));
    EXPECT_THAT(shell.messages[0], ::testing::EndsWith("ended during LaunchDrawings\r\nerror #462"));
    // Ending the dead one is ignored; the next server dies the same way.
    EXPECT_EQ(pair->LaunchDrawing(), 0);
    EXPECT_EQ(shell.messages.size(), 2u);
}

TEST(HandOverToMissingProgram, ShowsThatTheClassCannotBeCreated) {
    TemporaryFolder folder;
    AutomatedDrawingProgram drawing(AutomatedDrawingProgram::programIn(folder.path().string()), timeouts());
    RecordingShell shell;
    shell.drawing = &drawing;
    T_Set pair(shell);
    setUpSpurDrawingPair(pair);
    EXPECT_EQ(pair.LaunchDrawing(), 0);
    EXPECT_THAT(shell.messages, ::testing::ElementsAre("Component can't create object: " +
                                                      (folder.path() / "vantrope").string() +
                                                      " does not exist\r\nerror #429"));
}

TEST(DrawingProgramStandalone, StartsTheProgramBesideTheDesignProgramWithoutArguments) {
    TemporaryFolder folder;
    const std::string program = AutomatedDrawingProgram::programIn(folder.path().string());
    shellservices::RecordingLauncher launcher;
    shellservices::ScopedLauncher scoped(launcher);
    AutomatedDrawingProgram drawing(program);
    EXPECT_EQ(testsupport::errorNumberOf([&] { drawing.startStandalone(); }), runtime::FileNotFound);
    EXPECT_TRUE(launcher.startedPrograms.isEmpty());
    { std::ofstream(program) << "#!/bin/sh\n"; }
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    drawing.startStandalone();
    EXPECT_EQ(launcher.startedPrograms, QStringList{QString::fromStdString(program)});
}
