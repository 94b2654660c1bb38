#include "DrawingFixtures.h"
#include "RecordingShell.h"

#include "model/DrawingProgram.h"
#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
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
            program_.loaded.push_back(a);
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
    std::vector<LoadLocalsArguments> loaded;
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

namespace {

struct RackCase {
    const char* name;
    void (*design)(T_Set&);
    // Expected for the pinion's tool (element 1) and the gear's (element 4).
    double pinionRackCentre, pinionRackThickness;
    double gearRackCentre, gearRackThickness;
};

// The standard minimum normal thickness pi / (2 Pdn) less 0.004 in.
void thinned(T_Gear& member) {
    member.aaToothThickness(1, 0, 1, 0, 0, MMath::Pi / (2 * member.pair().Pd_n()) - 0.004);
}

// The pinion's hob as the "Pinion Hob" step fills it: addendum 0.1 in,
// thickness 0.16 in, tip radius 0.03 in.
void pinionHob(T_Set& pair) {
    T_Hob& hob = *pair.oPinion->oHob;
    hob.Addendum(0.1);
    hob.HobTTk(0.16);
    hob.TipRadius(0.03);
}

// Worked by hand. The standard rack (thickness pi / (2 Pdn), sent as 0.5 of
// the pitch) cutting a member of minimum normal thickness t stands off its
// pitch line by (t - pi / (2 Pdn)) / (2 tan 20) = (t - pi / (2 Pdn)) /
// 0.72794047, sent times Pd: 0 at the standard thickness; thinned by 0.004 in,
// -0.00549495 in, times Pd 10 = -0.0549495, or on the 25/50 helical pair (Pdn
// 8, 15 degrees) times Pd 8 cos 15 = 7.7274066, -0.0424618. The hob of a
// visited step, 0.16 in thick, stands (0.16 - pi / 20) / 0.72794047 =
// 0.00401182 in off (0.0401182) and travels as 0.16 x 10 / pi = 0.5092958.
const RackCase rackCases[] = {
    {"DefaultDesignStandardThickness", [](T_Set& p) { setUpSpurPair(p); }, 0, 0.5, 0, 0.5},
    {"ThinnedGear",
     [](T_Set& p) {
         setUpSpurPair(p);
         thinned(*p.oGear);
     },
     0, 0.5, -0.0549495, 0.5},
    {"ThinnedPinion",
     [](T_Set& p) {
         setUpSpurPair(p);
         thinned(*p.oPinion);
     },
     -0.0549495, 0.5, 0, 0.5},
    {"ThinnedHelicalGear",
     [](T_Set& p) {
         setUpHelicalPair(p);
         thinned(*p.oGear);
     },
     0, 0.5, -0.0424618, 0.5},
    {"PinionHobOfAVisitedStep",
     [](T_Set& p) {
         setUpSpurPair(p);
         p.oPinion->aaFilletRadius(1);
         pinionHob(p);
     },
     0.0401182, 0.5092958, 0, 0.5},
    // The hob of an earlier design: this one's pinion has no hob step.
    {"PinionHobLeftFromAnEarlierDesign",
     [](T_Set& p) {
         setUpSpurPair(p);
         pinionHob(p);
     },
     0, 0.5, 0, 0.5},
    // A hob-cut pinion whose hob a new design forgot, before its hob step.
    {"HobCutPinionWithItsHobForgotten",
     [](T_Set& p) {
         setUpSpurPair(p);
         p.oPinion->aaFilletRadius(1);
         thinned(*p.oPinion);
         pinionHob(p);
         p.oPinion->oHob->Forget();
     },
     -0.0549495, 0.5, 0, 0.5},
};

void PrintTo(const RackCase& c, std::ostream* os) { *os << c.name; }

class RackDrawn : public ::testing::TestWithParam<RackCase> {};

} // namespace

TEST_P(RackDrawn, StandsOffThePitchLineAsTheRackSentCuts) {
    const RackCase& c = GetParam();
    LoggingDrawingProgram drawing;
    RecordingShell shell;
    shell.drawing = &drawing;
    T_Set pair(shell);
    c.design(pair);
    ASSERT_EQ(pair.LaunchDrawing(), 1);
    ASSERT_EQ(drawing.loaded.size(), 4u);
    const LoadLocalsArguments& pinionRack = drawing.loaded[0];
    const LoadLocalsArguments& gearRack = drawing.loaded[3];
    EXPECT_NEAR(pinionRack.CenterDistance, c.pinionRackCentre, 1e-6);
    EXPECT_NEAR(pinionRack.ToothThickness, c.pinionRackThickness, 1e-6);
    EXPECT_NEAR(gearRack.CenterDistance, c.gearRackCentre, 1e-6);
    EXPECT_NEAR(gearRack.ToothThickness, c.gearRackThickness, 1e-6);
    // The standard rack is sharp-tipped, 1.25 deep; the hob keeps its own.
    const bool hob = c.pinionRackThickness != 0.5;
    EXPECT_NEAR(pinionRack.Addendum, hob ? 1.0 : 1.25, 1e-12);
    EXPECT_NEAR(pinionRack.EdgeBreak, hob ? 0.3 : 0.0, 1e-12);
    EXPECT_EQ(gearRack.Addendum, 1.25);
    EXPECT_EQ(gearRack.EdgeBreak, 0.0);
    EXPECT_EQ(gearRack.Protuberance, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Designs, RackDrawn, ::testing::ValuesIn(rackCases),
                         [](const ::testing::TestParamInfo<RackCase>& info) { return std::string(info.param.name); });
