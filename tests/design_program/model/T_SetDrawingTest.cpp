#include "DrawingFixtures.h"
#include "RecordingShell.h"

#include "model/DrawingProgram.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace cindrel::model;
using namespace cindrel::model::testing;
using ::testing::ElementsAre;

namespace {

// A drawing program in this process that logs what happens to its servers.
class LoggingDrawingProgram : public DrawingProgram {
public:
    class Server : public DrawingServer {
    public:
        Server(LoggingDrawingProgram& program, int number) : program_(program), number_(number) {}
        ~Server() override { log("released"); }
        std::int32_t LoadLocals(const LoadLocalsArguments& a) override {
            log("LoadLocals " + std::to_string(a.GearElement));
            return 1;
        }
        void LaunchDrawings() override { log("LaunchDrawings"); }
        void ExternalEndProgram(bool end) override { log(end ? "ExternalEndProgram True" : "ExternalEndProgram False"); }

    private:
        void log(const std::string& event) {
            program_.events.push_back(std::to_string(number_) + " " + event);
            if (program_.failingEvent == event)
                runtime::raise(462, "The automation server has ended or is unavailable: it ended during " + event);
        }
        LoggingDrawingProgram& program_;
        int number_;
    };

    std::unique_ptr<DrawingServer> createServer() override {
        events.push_back("create " + std::to_string(++created));
        return std::make_unique<Server>(*this, created);
    }
    void startStandalone() override { events.push_back("start"); }

    std::vector<std::string> events;
    std::string failingEvent;
    int created = 0;
};

class HandOver : public ::testing::Test {
protected:
    HandOver() {
        shell.drawing = &drawing;
        setUpSpurDrawingPair(*pair);
    }

    LoggingDrawingProgram drawing;
    RecordingShell shell;
    std::unique_ptr<T_Set> pair = std::make_unique<T_Set>(shell);
};

std::vector<std::string> oneHandOver(int server) {
    const std::string n = std::to_string(server);
    return {"create " + n, n + " LoadLocals 1", n + " LoadLocals 2", n + " LoadLocals 3", n + " LoadLocals 4",
            n + " LaunchDrawings"};
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST_F(HandOver, EndsTheDrawingProgramOfTheLastHandOverFirstAndWithThePair) {
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    pair.reset();
    EXPECT_EQ(drawing.events, joined({oneHandOver(1), {"1 ExternalEndProgram True", "1 released"}, oneHandOver(2),
                                      {"2 ExternalEndProgram True", "2 released"}}));
    EXPECT_THAT(shell.notes, ::testing::IsSupersetOf({"Sending /designs/pair data to Vantrope",
                                                      "Sent drawing data okay, no return info available from Vantrope"}));
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(HandOver, IgnoresAFailureToEndTheLastDrawingProgram) {
    drawing.failingEvent = "ExternalEndProgram True";
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    EXPECT_EQ(pair->LaunchDrawing(), 1);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(drawing.created, 2);
}

TEST_F(HandOver, ShowsAFailedCallWithItsNumberAndKeepsTheServerToEndItLater) {
    drawing.failingEvent = "LaunchDrawings";
    EXPECT_EQ(pair->LaunchDrawing(), 0);
    EXPECT_THAT(shell.messages,
                ElementsAre("The automation server has ended or is unavailable: it ended during LaunchDrawings\r\n"
                            "error #462"));
    EXPECT_EQ(shell.notes.back(), "Sending /designs/pair data to Vantrope");
    pair.reset();
    EXPECT_EQ(drawing.events, joined({oneHandOver(1), {"1 ExternalEndProgram True", "1 released"}}));
}

TEST(HandOverWithoutDrawingProgram, ShowsThatTheClassCannotBeCreated) {
    RecordingShell shell;
    T_Set pair(shell);
    setUpSpurDrawingPair(pair);
    EXPECT_EQ(pair.LaunchDrawing(), 0);
    EXPECT_THAT(shell.messages,
                ElementsAre("Component can't create object: no drawing program is installed\r\nerror #429"));
}

TEST(HandOverWithoutDrawingProgram, ShowsAPairWithoutPitchInsteadOfFailingTheMenu) {
    LoggingDrawingProgram drawing;
    RecordingShell shell;
    shell.drawing = &drawing;
    T_Set pair(shell);
    EXPECT_EQ(pair.LaunchDrawing(), 0);
    // The pitch ratio of a pair without pitch is 0/0.
    EXPECT_THAT(shell.messages, ElementsAre("Overflow\r\nerror #6"));
    EXPECT_TRUE(drawing.events.empty());
}
