#include "automation_interface/ExposeVantrope.h"
#include "shell/AutomatedDrawingProgram.h"
#include "support/TemporaryFolder.h"

#include "automation/Channel.h"
#include "automation/ChildProcess.h"
#include "automation/Message.h"
#include "runtime/RuntimeError.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using automation::Value;

automation::Timeouts timeouts()
{
    automation::Timeouts t;
    t.start = std::chrono::seconds(30);
    t.call = std::chrono::seconds(30);
    t.end = std::chrono::seconds(20);
    return t;
}

// The real drawing program, started by the client in a folder of its own
// (its log file, settings store and per-user folders).
class HandOver : public ::testing::Test {
protected:
    HandOver() : previous_(std::filesystem::current_path())
    {
        const std::string root = folder.path().string();
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("GEARSUITE_REGISTRY", (root + "/registry.sqlite3").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        std::filesystem::current_path(folder.path());
    }
    ~HandOver() override { std::filesystem::current_path(previous_); }

    std::string log() const
    {
        std::ifstream in(folder.file("Vantrope.log"), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    bool waitForLog(const std::string& text) const
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 30000) {
            if (log().find(text) != std::string::npos)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    static exposevantrope::LoadLocalsArguments element(std::int32_t e, std::int32_t teeth)
    {
        exposevantrope::LoadLocalsArguments a;
        a.GearElement = e;
        a.NumberOfTeeth = teeth;
        a.PressureAngleDegrees = 20;
        a.Addendum = 1.0;
        a.WholeDepthFactor = 2.25;
        a.ToothThickness = 0.5;
        a.InternalExternal = 1;
        a.FullRootRadius = true;
        return a;
    }

    TemporaryFolder folder;
    std::filesystem::path previous_;
};

constexpr char EndRecords[] = "\"Ending program......\"\r\n\r\n";

// The numbers the log shows for an element after the launch.
void expectElement(const std::string& log, int element, int teeth, double baseRadius)
{
    const std::regex pattern("element " + std::to_string(element) + " N (-?[0-9]+) Rb ([-0-9.e+]+)");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(log, match, pattern)) << element;
    EXPECT_EQ(std::stoi(match[1]), teeth);
    EXPECT_NEAR(std::stod(match[2]), baseRadius, 1e-9 * baseRadius);
}

TEST_F(HandOver, DesignProgramHandsAPairOverAndEndsTheDrawingProgram)
{
    cindrel::shell::AutomatedDrawingProgram program(VANTROPE_EXECUTABLE, timeouts());
    auto server = program.createServer();
    auto convert = [](const exposevantrope::LoadLocalsArguments& a) {
        cindrel::model::LoadLocalsArguments b;
        b.GearElement = a.GearElement;
        b.NumberOfTeeth = a.NumberOfTeeth;
        b.PressureAngleDegrees = a.PressureAngleDegrees;
        b.Addendum = a.Addendum;
        b.WholeDepthFactor = a.WholeDepthFactor;
        b.ToothThickness = a.ToothThickness;
        b.InternalExternal = a.InternalExternal;
        b.FullRootRadius = a.FullRootRadius;
        return b;
    };
    EXPECT_EQ(server->LoadLocals(convert(element(1, 10000))), 1);
    EXPECT_EQ(server->LoadLocals(convert(element(2, 20))), 1);
    EXPECT_EQ(server->LoadLocals(convert(element(3, 32))), 1);
    auto tool = convert(element(4, 10000));
    tool.OperatingTransDP = 8.0;
    tool.DP0Module1 = 0;
    EXPECT_EQ(server->LoadLocals(tool), 1);
    server->LaunchDrawings();
    const std::string afterLaunch = log();
    EXPECT_NE(afterLaunch.find("\"clsExposeVantrope_Initialize\""), std::string::npos);
    // Base radius N/2 cos 20 degrees, worked by hand.
    expectElement(afterLaunch, 1, 10000, 4698.463103929542);
    expectElement(afterLaunch, 2, 20, 9.396926207859083);
    expectElement(afterLaunch, 3, 32, 15.035081932574533);
    expectElement(afterLaunch, 4, 10000, 4698.463103929542);

    QElapsedTimer timer;
    timer.start();
    try {
        server->ExternalEndProgram(true);
    } catch (const runtime::RuntimeError&) {
        // The process may end before its answer arrives.
    }
    server.reset();
    EXPECT_LT(timer.elapsed(), 15000) << "ended by itself, not killed after the end timeout";
    EXPECT_NE(log().find(EndRecords), std::string::npos);
}

TEST_F(HandOver, BadCallsAreRefusedWithTheirNumbersAndDrawNothing)
{
    auto client = exposevantrope::Client::create(VANTROPE_EXECUTABLE, timeouts());
    ASSERT_EQ(client.LoadLocals(element(2, 20)), 1);
    auto& object = client.object();
    auto loadLocals = [](Value first, Value teeth) {
        return std::vector<Value>{first, teeth, 20.0, 0.0, 1.0, 2.25, 0.0, 0.5, std::int16_t{1}, true};
    };
    const struct {
        const char* name;
        std::string member;
        std::vector<Value> arguments;
        int number;
    } cases[] = {
        {"text for a number", "LoadLocals", loadLocals(std::int32_t{2}, std::string("many")), 13},
        {"teeth beyond 32 bits", "LoadLocals", loadLocals(std::int32_t{2}, 3e10), 6},
        {"too few arguments", "LoadLocals", {std::int32_t{2}, std::int32_t{20}}, 449},
        {"too many arguments", "LaunchDrawings", {std::int32_t{1}}, 450},
        {"no such member", "Explode", {}, 438},
        {"element index out of range", "GetInputs",
         {std::int16_t{7}, std::int32_t{0}, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, std::int16_t{1}, std::int16_t{0}, 0.0, 0.0,
          false},
         9},
    };
    for (const auto& c : cases) {
        std::vector<Value> arguments = c.arguments;
        try {
            object.call(c.member, arguments);
            ADD_FAILURE() << c.name << " was taken";
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), c.number) << c.name;
        }
    }
    auto outside = element(5, 99);
    EXPECT_EQ(client.LoadLocals(outside), 0);
    // The server goes on, holding what the good call stored, and drew nothing.
    exposevantrope::GetInputsArguments read;
    read.Index = 2;
    read.MeshIndex = 1;
    EXPECT_EQ(client.GetInputs(read), 1);
    EXPECT_EQ(read.NumbTeeth, 20);
    EXPECT_NEAR(read.PressAng, 0.3490658503988659, 1e-15);
    EXPECT_EQ(log().find("LaunchDrawings"), std::string::npos);
    bool no = false;
    client.ExternalEndProgram(no);
    EXPECT_TRUE(object.isConnected());
}

TEST_F(HandOver, ClientGoneMidSessionEndsTheDrawingProgramCleanly)
{
    auto client = exposevantrope::Client::create(VANTROPE_EXECUTABLE, timeouts());
    ASSERT_EQ(client.LoadLocals(element(2, 20)), 1);
    const int pid = client.object().processId();
    ASSERT_GT(pid, 0);
    // The channel closes as when the client dies.
    QElapsedTimer timer;
    timer.start();
    client.object().release();
    EXPECT_LT(timer.elapsed(), 15000);
    EXPECT_TRUE(client.object().hasEnded());
    EXPECT_TRUE(waitForLog(EndRecords));
    EXPECT_NE(::kill(pid, 0), 0) << "no process left, not even a zombie";
}

// A client that sends its hello and its calls in one write: the server reads
// them together, before its event loop has run anything else.
TEST_F(HandOver, CallsThatComeWithTheHelloDrawTheHandedOverPair)
{
    int sockets[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);
    constexpr int ChildChannel = 3;
    automation::ChildProcess process(VANTROPE_EXECUTABLE,
                                     {VANTROPE_EXECUTABLE, "--automation-channel=" + std::to_string(ChildChannel)},
                                     sockets[1], ChildChannel);
    ::close(sockets[1]);

    auto loadLocals = [](std::uint32_t id, std::int32_t e, std::int32_t teeth) {
        return automation::protocol::Call{id, "LoadLocals",
                                          {e, teeth, 20.0, 0.0, 1.0, 2.25, 0.0, 0.5, std::int16_t{1}, true}};
    };
    const std::vector<automation::protocol::Message> messages = {
        automation::protocol::Hello{automation::protocol::Version, exposevantrope::ClassId,
                                    exposevantrope::InterfaceId},
        loadLocals(1, 1, 10000),
        loadLocals(2, 2, 20),
        loadLocals(3, 3, 40),
        loadLocals(4, 4, 10000),
        automation::protocol::Call{5, "LaunchDrawings", {}},
    };
    std::vector<std::uint8_t> bytes;
    for (const auto& message : messages) {
        const std::vector<std::uint8_t> frame = automation::protocol::encodeFrame(message);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    ASSERT_EQ(::write(sockets[0], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));

    automation::Channel channel(sockets[0]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        automation::protocol::Message reply;
        std::string problem;
        ASSERT_EQ(channel.receive(reply, deadline, problem), automation::Channel::Status::Ok) << problem;
        if (i == 0)
            ASSERT_TRUE(std::holds_alternative<automation::protocol::Welcome>(reply));
        else
            ASSERT_TRUE(std::holds_alternative<automation::protocol::Answer>(reply)) << "call " << i;
    }
    const std::string afterLaunch = log();
    EXPECT_EQ(afterLaunch.find("set inputsource as frmInputs"), std::string::npos);
    // Base radius N/2 cos 20 degrees, worked by hand.
    expectElement(afterLaunch, 2, 20, 9.396926207859083);
    expectElement(afterLaunch, 3, 40, 18.79385241571817);
    channel.close();
    process.finish(std::chrono::seconds(15));
}

TEST_F(HandOver, AnElementThatCannotBeDrawnIsRefusedWithItsReason)
{
    auto client = exposevantrope::Client::create(VANTROPE_EXECUTABLE, timeouts());
    ASSERT_EQ(client.LoadLocals(element(2, 20)), 1);
    const struct {
        const char* name;
        std::int32_t teeth;
        double thickness;
        double addendum;
        const char* reason;
    } cases[] = {
        {"no teeth", 0, 0.5, 1.0, "number of teeth 0"},
        {"negative teeth", -3, 0.5, 1.0, "number of teeth -3"},
        {"one tooth", 1, 0.5, 1.0, "number of teeth 1"},
        {"no thickness", 20, 0.0, 1.0, "tooth thickness 0"},
        {"a whole pitch thick", 20, 1.0, 1.0, "tooth thickness 1"},
        {"a huge addendum", 20, 0.5, 1e300, "addendum 1e+300"},
        {"an addendum as deep as the pitch radius", 20, 0.5, -10.0, "addendum -10"},
    };
    for (const auto& c : cases) {
        auto a = element(2, c.teeth);
        a.ToothThickness = c.thickness;
        a.Addendum = c.addendum;
        try {
            client.LoadLocals(a);
            ADD_FAILURE() << c.name << " was taken";
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), 5) << c.name;
            EXPECT_NE(error.description().find(c.reason), std::string::npos) << c.name << ": " << error.description();
        }
    }
    // Nothing of them was stored.
    exposevantrope::GetInputsArguments read;
    read.Index = 2;
    read.MeshIndex = 1;
    EXPECT_EQ(client.GetInputs(read), 1);
    EXPECT_EQ(read.NumbTeeth, 20);
    EXPECT_DOUBLE_EQ(read.ToothThickness, 0.5);
    EXPECT_DOUBLE_EQ(read.Addendum, 1.0);
    // A small pinion with a real addendum is still taken.
    EXPECT_EQ(client.LoadLocals(element(2, 3)), 1);
}

} // namespace
