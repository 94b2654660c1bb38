#include "ProbeInterface.h"

#include "automation/AutomationError.h"
#include "automation/RemoteObject.h"
#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace automation;
using namespace std::chrono_literals;
using testsupport::errorNumberOf;

namespace {

// Short, so that the tests of silent servers stay fast; long enough for a
// sanitizer build to start a server.
Timeouts quick() {
    Timeouts timeouts;
    timeouts.start = 10s;
    timeouts.call = 10s;
    timeouts.end = 10s;
    return timeouts;
}

std::unique_ptr<RemoteObject> startProbe(std::vector<std::string> options = {}, Timeouts timeouts = quick()) {
    return RemoteObject::create({PROBE_SERVER, std::move(options)}, {probe::ClassId, probe::InterfaceId},
                                timeouts);
}

// The error a call raises, with its description.
struct Raised {
    int number = 0;
    std::string description;
};
Raised raisedBy(auto&& call) {
    try {
        call();
    } catch (const runtime::RuntimeError& error) {
        return {error.number(), error.description()};
    }
    return {};
}

bool endsWithin(RemoteObject& object, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!object.hasEnded()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

bool processExists(int pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

std::string echo(RemoteObject& object, std::vector<Value> arguments) {
    return std::get<std::string>(object.call("Echo", arguments));
}

const std::vector<Value> fiveArguments{std::int16_t{7}, std::int32_t{70000}, 0.5, true, std::string("gear")};

} // namespace

TEST(RemoteObject, CreatesTheServerAndPassesEachTypeAsItIs) {
    auto object = startProbe();
    EXPECT_TRUE(object->isConnected());
    EXPECT_GT(object->processId(), 0);
    EXPECT_EQ(echo(*object, fiveArguments), "i16:7|i32:70000|d:0.5|b:True|t:\"gear\"|d:2.5|missing");
}

TEST(RemoteObject, TellsAnOmittedArgumentApartFromZero) {
    auto object = startProbe();
    std::vector<Value> omitted = fiveArguments;
    omitted.resize(7);
    EXPECT_EQ(echo(*object, omitted), "i16:7|i32:70000|d:0.5|b:True|t:\"gear\"|d:2.5|missing");
    std::vector<Value> zeros = fiveArguments;
    zeros.push_back(0.0);
    zeros.push_back(std::int32_t{0});
    EXPECT_EQ(echo(*object, zeros), "i16:7|i32:70000|d:0.5|b:True|t:\"gear\"|d:0|i32:0");
}

TEST(RemoteObject, ConvertsArgumentsToTheParameterTypes) {
    auto object = startProbe();
    // Halves round to even; true is -1; a nonzero number is true.
    EXPECT_EQ(echo(*object, {7.5, 8.5, std::int16_t{3}, 2.0, std::string("")}),
              "i16:8|i32:8|d:3|b:True|t:\"\"|d:2.5|missing");
    EXPECT_EQ(echo(*object, {true, false, true, std::int32_t{0}, std::string("x")}),
              "i16:-1|i32:0|d:-1|b:False|t:\"x\"|d:2.5|missing");
}

TEST(RemoteObject, BadCallsGetNumberedErrorsAndTheServerGoesOn) {
    auto object = startProbe();
    auto withArguments = [](std::vector<Value> arguments) { return arguments; };
    const struct {
        const char* member;
        std::vector<Value> arguments;
        int number;
    } cases[] = {
        {"Spin", {}, MemberNotFound},
        {"Echo", withArguments({std::int16_t{1}, 1, 1.0, true, std::string("x"), 1.0, 1, 1}), WrongNumberOfArguments},
        {"Echo", withArguments({std::int16_t{1}, 1, 1.0}), ArgumentNotOptional},
        {"Echo", withArguments({std::int16_t{1}, Missing{}, 1.0, true, std::string("x")}), ArgumentNotOptional},
        {"Echo", withArguments({std::string("7"), 1, 1.0, true, std::string("x")}), TypeMismatch},
        {"Echo", withArguments({std::int16_t{1}, 1, 1.0, true, 5.0}), TypeMismatch},
        {"Echo", withArguments({40000, 1, 1.0, true, std::string("x")}), Overflow},
        {"Echo", withArguments({std::int16_t{1}, 3e9, 1.0, true, std::string("x")}), Overflow},
    };
    for (const auto& c : cases) {
        std::vector<Value> arguments = c.arguments;
        EXPECT_EQ(errorNumberOf([&] { object->call(c.member, arguments); }), c.number) << c.member;
    }
    const Raised failure = raisedBy([&] { object->call("Fail", {std::int32_t{1234}, std::string("no teeth")}); });
    EXPECT_EQ(failure.number, 1234);
    EXPECT_EQ(failure.description, "no teeth");
    // Only the call that reached the member counts; the server is still there.
    EXPECT_EQ(std::get<std::int32_t>(object->call("Calls", {})), 2);
}

TEST(RemoteObject, FindsMembersWhateverTheCase) {
    auto object = startProbe();
    EXPECT_EQ(std::get<std::int32_t>(object->call("cALLS", {})), 1);
}

TEST(RemoteObject, ReturnsByReferenceValuesInPlace) {
    auto object = startProbe();
    std::vector<Value> arguments{std::int32_t{21}, std::string("ab")};
    EXPECT_EQ(object->call("Twice", arguments), Value(true));
    EXPECT_EQ(arguments[0], Value(std::int32_t{42}));
    EXPECT_EQ(arguments[1], Value(std::string("abab")));
}

TEST(RemoteObject, AServerThatDiesDuringACallIsReportedAndReaped) {
    auto object = startProbe();
    const int pid = object->processId();
    const Raised died = raisedBy([&] { object->call("Die", {}); });
    EXPECT_EQ(died.number, ServerUnavailable);
    EXPECT_NE(died.description.find("ended during Die"), std::string::npos) << died.description;
    EXPECT_FALSE(object->isConnected());
    EXPECT_EQ(object->processId(), 0);
    EXPECT_FALSE(processExists(pid));
    EXPECT_EQ(errorNumberOf([&] { object->call("Calls", {}); }), ServerUnavailable);
    // The client goes on: a new server serves.
    EXPECT_EQ(std::get<std::int32_t>(startProbe()->call("Calls", {})), 1);
}

TEST(RemoteObject, AServerKilledFromOutsideDuringACallIsReported) {
    auto object = startProbe();
    const int pid = object->processId();
    std::thread killer([pid] {
        std::this_thread::sleep_for(100ms);
        ::kill(pid, SIGKILL);
    });
    const int number = errorNumberOf([&] { object->call("Hang", {}); });
    killer.join();
    EXPECT_EQ(number, ServerUnavailable);
    EXPECT_FALSE(processExists(pid));
}

TEST(RemoteObject, AServerThatNeverAnswersTimesOutAndIsKilled) {
    Timeouts timeouts = quick();
    timeouts.call = 300ms;
    auto object = startProbe({}, timeouts);
    const int pid = object->processId();
    const Raised hung = raisedBy([&] { object->call("Hang", {}); });
    EXPECT_EQ(hung.number, ServerNotResponding);
    EXPECT_NE(hung.description.find("did not answer Hang within 0.3 seconds"), std::string::npos)
        << hung.description;
    EXPECT_FALSE(processExists(pid));
    EXPECT_EQ(errorNumberOf([&] { object->call("Calls", {}); }), ServerUnavailable);
}

TEST(RemoteObject, GarbageOnTheChannelIsAProtocolError) {
    auto object = startProbe();
    const int pid = object->processId();
    EXPECT_EQ(errorNumberOf([&] { object->call("Garbage", {}); }), ProtocolViolation);
    EXPECT_FALSE(processExists(pid));
}

TEST(RemoteObject, CallingAServerThatHasQuitRaisesNoSignal) {
    auto object = startProbe();
    object->call("Quit", {});
    ASSERT_TRUE(endsWithin(*object, 20s));
    // Writing to a channel whose far end has closed.
    EXPECT_EQ(errorNumberOf([&] { object->call("Calls", {}); }), ServerUnavailable);
}

TEST(RemoteObject, ServersThatCannotServeAreNotCreated) {
    TemporaryFolder folder;
    const std::string plain = folder.file("plain").string();
    std::ofstream(plain) << "#!/bin/sh\n";
    Timeouts silent = quick();
    silent.start = 300ms;
    const struct {
        std::string program;
        std::vector<std::string> options;
        Timeouts timeouts;
        int number;
        const char* says;
    } cases[] = {
        {(folder.path() / "missing").string(), {}, quick(), CannotCreateObject, "does not exist"},
        {folder.path().string(), {}, quick(), CannotCreateObject, "is a folder"},
        {plain, {}, quick(), CannotCreateObject, "may not be run"},
        {PROBE_SERVER, {"--exit"}, quick(), CannotCreateObject, "ended before answering"},
        {PROBE_SERVER, {"--mute"}, silent, CannotCreateObject, "did not answer within 0.3 seconds"},
        {PROBE_SERVER, {"--babble"}, quick(), InterfaceNotSupported, "does not speak this automation protocol"},
        {PROBE_SERVER, {"--serve-class={00000000-0000-0000-0000-000000000000}"}, quick(), InterfaceNotSupported,
         "serves class {00000000-0000-0000-0000-000000000000}"},
    };
    for (const auto& c : cases) {
        const Raised refused = raisedBy(
            [&] { RemoteObject::create({c.program, c.options}, {probe::ClassId, probe::InterfaceId}, c.timeouts); });
        EXPECT_EQ(refused.number, c.number) << c.program << " " << (c.options.empty() ? "" : c.options[0]);
        EXPECT_NE(refused.description.find(c.says), std::string::npos) << refused.description;
    }
}

TEST(RemoteObject, ReleaseLetsTheServerEndAndReapsIt) {
    auto object = startProbe();
    const int pid = object->processId();
    object->release();
    EXPECT_FALSE(processExists(pid));
    EXPECT_TRUE(object->hasEnded());
    EXPECT_EQ(errorNumberOf([&] { object->call("Calls", {}); }), ServerUnavailable);
    object->release();
}
