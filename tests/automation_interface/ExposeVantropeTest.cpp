#include "automation_interface/ExposeVantrope.h"
#include "automation_interface/VantropeRecord.h"

#include "automation/AutomationError.h"
#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <thread>

using namespace exposevantrope;
using namespace std::chrono_literals;

namespace {

class ExposeVantropeServer : public ::testing::Test {
protected:
    ExposeVantropeServer() : client(Client::create(VANTROPE_TEST_SERVER, timeouts(), {"--record=" + recordPath()})) {}

    static automation::Timeouts timeouts() {
        automation::Timeouts t;
        t.start = 10s;
        t.call = 10s;
        t.end = 10s;
        return t;
    }
    std::string recordPath() const { return folder.file("calls.txt").string(); }
    std::vector<vantroperecord::RecordedCall> calls() const { return vantroperecord::read(recordPath()); }

    static LoadLocalsArguments required() {
        LoadLocalsArguments a;
        a.GearElement = 2;
        a.NumberOfTeeth = 25;
        a.PressureAngleDegrees = 20;
        a.FullRootRadius = true;
        a.InternalExternal = 1;
        return a;
    }

    bool serverEndsWithin(std::chrono::milliseconds bound) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!client.object().hasEnded()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    TemporaryFolder folder;
    Client client;
};

} // namespace

TEST_F(ExposeVantropeServer, LoadLocalsFillsOmittedArgumentsWithTheirDefaultsOnly) {
    EXPECT_EQ(client.LoadLocals(required()), 1);
    LoadLocalsArguments zeros = required();
    zeros.BackaLasha = 0.0;
    zeros.Protuberance = 0.0;
    zeros.OperatingTransDP = 0.0;
    zeros.DP0Module1 = 0;
    zeros.FileName = "";
    EXPECT_EQ(client.LoadLocals(zeros), 1);

    const auto recorded = calls();
    ASSERT_EQ(recorded.size(), 2u);
    const auto& omitted = recorded[0];
    EXPECT_EQ(omitted["NumberOfTeeth"], "25");
    EXPECT_EQ(omitted["InternalExternal"], "1");
    EXPECT_EQ(omitted["FullRootRadius"], "True");
    EXPECT_EQ(omitted["BackaLasha"], "(missing)");
    EXPECT_EQ(omitted["Protuberance"], "(missing)");
    EXPECT_EQ(omitted["OperatingTransDP"], "1");
    EXPECT_EQ(omitted["DP0Module1"], "0");
    EXPECT_EQ(omitted["FileName"], "(missing)");
    const auto& given = recorded[1];
    EXPECT_EQ(given["BackaLasha"], "0");
    EXPECT_EQ(given["Protuberance"], "0");
    EXPECT_EQ(given["OperatingTransDP"], "0");
    EXPECT_EQ(given["FileName"], "\"\"");
}

TEST_F(ExposeVantropeServer, GetInputsBringsItsByReferenceValuesBack) {
    GetInputsArguments a;
    a.Index = 3;
    a.MeshIndex = 1;
    a.FullRR = false;
    EXPECT_EQ(client.GetInputs(a), 1);
    EXPECT_EQ(a.NumbTeeth, 30);
    EXPECT_EQ(a.PressAng, 0.25);
    EXPECT_EQ(a.CenterDist, 1.0);
    EXPECT_EQ(a.Addendum, 1.25);
    EXPECT_EQ(a.Dedendum, 2.5);
    EXPECT_EQ(a.EdgeBreak, 0.125);
    EXPECT_EQ(a.ToothThickness, 0.5);
    EXPECT_EQ(a.INTEXTo, -1);
    EXPECT_EQ(a.Protuberance, 0.0625);
    EXPECT_EQ(a.BackLash, 0.03125);
    EXPECT_TRUE(a.FullRR);
    // Inputs by value stay as they were.
    EXPECT_EQ(a.Index, 3);
    EXPECT_EQ(a.MeshIndex, 1);
}

TEST_F(ExposeVantropeServer, ExternalEndProgramEndsTheServerOnlyWhenTrue) {
    bool keepRunning = false;
    client.ExternalEndProgram(keepRunning);
    client.LaunchDrawings();
    EXPECT_FALSE(client.object().hasEnded());

    bool end = true;
    client.ExternalEndProgram(end);
    EXPECT_TRUE(serverEndsWithin(20s));
    EXPECT_EQ(testsupport::errorNumberOf([&] { client.LaunchDrawings(); }), automation::ServerUnavailable);

    const auto recorded = calls();
    ASSERT_EQ(recorded.size(), 3u);
    EXPECT_EQ(recorded[0]["UsingResumeNextOnError"], "False");
    EXPECT_EQ(recorded[1].member, "LaunchDrawings");
    EXPECT_EQ(recorded[2]["UsingResumeNextOnError"], "True");
}
