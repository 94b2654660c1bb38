#include "ProportionsFixture.h"

#include "model/T_Gear.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace cindrel::sequence {
namespace {

using namespace testing;
using model::testing::PairInputs;

struct Message {
    int number;
    const char* text = nullptr; // checked when given
};

struct CheckCase {
    const char* name;
    PairInputs pair;
    // Panel entries: control, value, index.
    std::vector<std::tuple<const char*, const char*, int>> panel;
    std::vector<Message> messages; // every box of the walk, in order
    const char* endsOn;            // where the walk stops
    bool metric = false;
    // Changes the model between the check and the table of "Gear Hob".
    std::function<void(model::T_Set&)> beforeGearHobTable = {};
};

PairInputs pair(int pinionTeeth, int gearTeeth)
{
    PairInputs in;
    in.pinionTeeth = pinionTeeth;
    in.gearTeeth = gearTeeth;
    return in;
}

// A tip radius of 0 at the minimum addendum: the top land cannot be worked
// out and the J routines fail (-999).
void tipsAtTheCentre(model::T_Set& Oset, bool pinion, bool gear)
{
    for (int i : {0, 1}) {
        model::T_Gear& member = Oset.member(i);
        if (i == 0 ? pinion : gear)
            member.aaAddendumFactor(0, -member.Rp_s() * Oset.Pd_n());
    }
}

// 6/60 with the gear's addendum at 1.5 (dedenda 1.55 and 1.25 keep the tips
// clear): the pinion's radius of curvature at its lowest point of single
// contact is negative, and so is I (-0.018).
const std::vector<std::tuple<const char*, const char*, int>> negativeI = {
    {"txtODDim", "1.5", 1}, {"lblWholeDepthHowInput", "1", 0}, {"txtWholeDepth", "1.55", 0},
    {"lblWholeDepthHowInput", "1", 1}, {"txtWholeDepth", "1.25", 1}};

std::vector<std::tuple<const char*, const char*, int>> with(std::vector<std::tuple<const char*, const char*, int>> panel,
                                                         std::initializer_list<std::tuple<const char*, const char*, int>> more)
{
    panel.insert(panel.end(), more);
    return panel;
}

// The clearance in the unit shown: -0.005 in, or -0.005 x 25.4 = -0.127 mm.
const char* const noClearancePinion =
    "There is no clearance between the top of the Pinion teeth and the roots of the Gear teeth (clearance -0.0050 in)";
const char* const noClearanceGearMetric =
    "There is no clearance between the top of the Gear teeth and the roots of the Pinion teeth (clearance -0.1270 mm)";

// The walks, each from the start with the fixture's 20/40 design changed as
// listed. Clearances: the tip of one member at addendum factor 1.3 against
// the other's dedendum factor 1.25 at Pd 10 leaves -0.005 in.
const CheckCase checkCases[] = {
    {"NothingToSay", pair(20, 40), {}, {}, "Agma on Main"},
    {"PinionMinimumAboveMaximum", pair(20, 40), {{"TxtAddTol", "-0.01", 0}}, {{3045}}, "Tooth Proportions"},
    {"GearMinimumAboveMaximum", pair(20, 40), {{"TxtAddTol", "-0.01", 1}}, {{3046}}, "Tooth Proportions"},
    {"HobbedInternalGear", model::testing::internalPairInputs(), {{"txtODDim", "0.8", 1}, {"lblFilletType", "1", 1}},
     {{3040}}, "Tooth Proportions"},
    {"GearBaseAboveTip", pair(20, 40), {{"txtODDim", "-2", 1}}, {{3006}}, "Tooth Proportions"},
    {"PinionBaseAboveTip", pair(20, 40), {{"txtODDim", "-1", 0}}, {{3007}}, "Tooth Proportions"},
    {"PinionTipWithoutClearance",
     pair(20, 40),
     {{"txtODDim", "1.3", 0}, {"lblWholeDepthHowInput", "1", 0}, {"txtWholeDepth", "1.25", 0}},
     {{3010, noClearancePinion}},
     "Agma on Main"},
    // A hobbed gear root has no fixed radius to clear: no warning.
    {"PinionTipAgainstAHobbedRoot",
     pair(20, 40),
     {{"txtODDim", "1.3", 0}, {"lblWholeDepthHowInput", "1", 0}, {"txtWholeDepth", "1.25", 0}, {"lblFilletType", "1", 1}},
     {},
     "Agma on Main"},
    {"GearTipWithoutClearanceInMillimetres",
     pair(20, 40),
     {{"txtODDim", "1.3", 1}, {"lblWholeDepthHowInput", "1", 1}, {"txtWholeDepth", "1.25", 1}},
     {{3011, noClearanceGearMetric}},
     "Agma on Main",
     true},
    {"ContactBelowThePinionsBase", pair(10, 60), {}, {{3022}}, "Agma on Main"},
    {"ContactBelowBothBases", pair(10, 10), {}, {{3022}, {3023}}, "Agma on Main"},
    // The mate's tip that reaches furthest is the one of largest addendum.
    // Worked by hand, Pd 10, 20 degrees, no edge breaks: a tip reaches below
    // the member's base circle when it lies beyond the member's base tangent
    // point, at a distance sqrt(Rb_mate^2 + (C sin 20)^2) from the mate's
    // centre. Addenda typed as factors with a tolerance in inches.
    // Internal 20/60, C 2: sqrt((3 cos 20)^2 + (2 sin 20)^2) = 2.90088 in;
    // the ring's tips at 3 - 0.099 = 2.901 clear it, at 3 - 0.100 = 2.900 not.
    {"InternalLargestAddendumBelowThePinionsBase", model::testing::internalPairInputs(),
     {{"txtODDim", "1", 1}, {"TxtAddTol", "0.001", 1}}, {{3022}}, "Agma on Main"},
    // Addenda 0.098 / 0.099 in: tips at 2.902 and 2.901 in.
    {"InternalAddendaClearOfThePinionsBase", model::testing::internalPairInputs(),
     {{"txtODDim", "0.99", 1}, {"TxtAddTol", "0.001", 1}}, {}, "Agma on Main"},
    // External 14/60, C 3.7: sqrt((3 cos 20)^2 + (3.7 sin 20)^2) = 3.090085 in;
    // gear tips at 3.085 (addendum 0.085) clear, at 3.100 (0.100) not.
    {"ExternalLargestAddendumBelowThePinionsBase", pair(14, 60), {{"TxtAddTol", "0.015", 1}}, {{3022}},
     "Agma on Main"},
    // Addenda 0.085 / 0.090 in: tips at 3.085 and 3.090 in.
    {"ExternalAddendaClearOfThePinionsBase", pair(14, 60), {{"txtODDim", "0.9", 1}, {"TxtAddTol", "0.005", 1}}, {},
     "Agma on Main"},
    // 12/12, C 1.2: sqrt((0.6 cos 20)^2 + (1.2 sin 20)^2) = 0.697378 in; tips
    // at 0.695 (addendum 0.095) clear, at 0.700 (0.100) not, on both members.
    {"LargestAddendaBelowBothBases", pair(12, 12), {{"TxtAddTol", "0.005", 0}, {"TxtAddTol", "0.005", 1}},
     {{3022}, {3023}}, "Agma on Main"},
    // An internal gear's tips point inwards: addenda 0.17 / 0.19 in put them
    // at 2.83 and 2.81 in, the second inside its base circle, 3 cos 20 =
    // 2.819078 in.
    {"InternalGearTipInsideItsBase", model::testing::internalPairInputs(),
     {{"txtODDim", "1.9", 1}, {"TxtAddTol", "0.02", 1}}, {{3006}}, "Tooth Proportions"},
    // 40/80 at addendum factor 1.4 (dedendum 1.65): contact ratio 2.39.
    {"HighContactRatio",
     pair(40, 80),
     {{"txtODDim", "1.4", 0},
      {"txtODDim", "1.4", 1},
      {"lblWholeDepthHowInput", "1", 0},
      {"lblWholeDepthHowInput", "1", 1},
      {"txtWholeDepth", "1.65", 0},
      {"txtWholeDepth", "1.65", 1}},
     {{3039}},
     "Agma on Main"},
    {"InvalidIWarnsWithoutHobs", pair(6, 60), negativeI, {{3022}, {4112, "Invalid I geometry factor"}}, "Agma on Main"},
    {"InvalidIStopsThePinionHob", pair(6, 60), with(negativeI, {{"lblFilletType", "1", 0}}), {{3022}, {4112}},
     "Pinion Hob"},
    {"InvalidIStopsTheGearHobWithItsValue", pair(6, 60), with(negativeI, {{"lblFilletType", "1", 1}}),
     {{3022}, {4112, "Invalid I geometry factor\r\nI = -0.018"}}, "Gear Hob"},
    // Both hobbed: the pinion's hob step takes no I; the gear's does.
    {"BothHobbedTakeIOnTheGearHob", pair(6, 60),
     with(negativeI, {{"lblFilletType", "1", 0}, {"lblFilletType", "1", 1}}),
     {{3022}, {4112, "Invalid I geometry factor\r\nI = -0.018"}}, "Gear Hob"},
    {"PinionHobWithoutAddendum", pair(20, 40), {{"lblFilletType", "1", 0}, {"txtHobAddendum", "0", 0}}, {{3009}},
     "Pinion Hob"},
    {"PinionHobWithNegativeThickness", pair(20, 40), {{"lblFilletType", "1", 0}, {"txtHobTThk", "-1.5", 0}},
     {{3009}}, "Pinion Hob"},
    {"GearHobWithoutThickness", pair(20, 40), {{"lblFilletType", "1", 1}, {"txtHobTThk", "0", 1}}, {{3008}},
     "Gear Hob"},
    // Edge radius 0.06 in on a 0.125 in addendum: the half flat is -0.009 in.
    {"PointedPinionHobWarns", pair(20, 40), {{"lblFilletType", "1", 0}, {"txtHobEdgeRad", "0.6", 0}}, {{3015}},
     "Agma on Main"},
    {"BothHobbedFindingsOnlyWarn",
     pair(20, 40),
     {{"lblFilletType", "1", 0}, {"lblFilletType", "1", 1}},
     {{4115}, {4116}, {4113}, {4114}},
     "Agma on Main",
     false,
     [](model::T_Set& Oset) { tipsAtTheCentre(Oset, true, true); }},
    {"GearOnlyRefusesAtTheFirstFinding",
     pair(20, 40),
     {{"lblFilletType", "1", 1}},
     {{4115}},
     "Tooth Thickness",
     false,
     [](model::T_Set& Oset) { tipsAtTheCentre(Oset, true, false); }},
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

struct ProportionChecksTest : ::testing::TestWithParam<CheckCase>, ProportionsFixture {
    // Next from the start until the AGMA step, a step that stays, or a step
    // back onto a step already passed.
    void walk()
    {
        std::set<std::string> passed;
        for (int presses = 0; presses < 12; ++presses) {
            const std::string before = current();
            if (before == "Agma on Main" || before == "AGMA Factors")
                return;
            passed.insert(before);
            next();
            if (current() == before || passed.count(current()) != 0)
                return;
        }
    }
};

TEST_P(ProportionChecksTest, MessagesInOrderAndWhereTheStepEnds)
{
    const CheckCase& c = GetParam();
    model::testing::setUpPair(Oset, c.pair);
    for (const auto& [name, value, index] : c.panel)
        set(name, value, index);
    metric = c.metric;
    StepHandlers handlers = proportionSteps();
    if (c.beforeGearHobTable) {
        StepHandler gearHob = gearHobStep();
        gearHob.check = [check = gearHob.check, change = c.beforeGearHobTable](T_StateNavigator& navigator, T_State& state) {
            const bool passed = check(navigator, state);
            change(navigator.Oset());
            return passed;
        };
        handlers.set("Gear Hob", gearHob);
    }
    startSteps(std::move(handlers));
    walk();

    std::vector<int> expected;
    for (const Message& m : c.messages)
        expected.push_back(m.number);
    EXPECT_EQ(shownNumbers(), expected);
    for (std::size_t i = 0; i < c.messages.size() && i < messages.shown.size(); ++i) {
        if (c.messages[i].text != nullptr) {
            EXPECT_EQ(messages.shown[i].second, c.messages[i].text);
        }
    }
    EXPECT_EQ(current(), c.endsOn);
}

INSTANTIATE_TEST_SUITE_P(Walks, ProportionChecksTest, ::testing::ValuesIn(checkCases),
                         [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace cindrel::sequence

namespace cindrel::sequence {
namespace {

// Whatever a proportion or hob box holds, a walk ends in a message or on the
// AGMA step: no error escapes, the AGMA factors window reacts again, and the
// sequence can be walked back to the start.
TEST(ProportionInputsTest, AnyTypedTextEndsInAMessageOrTheNextStep)
{
    const char* const boxes[] = {"txtODDim", "TxtAddTol", "txtWholeDepth", "lblODHowInput", "lblWholeDepthHowInput",
                                 "lblFilletType", "txtHobAddendum", "txtHobEdgeRad", "txtHobPA", "txtHobTThk",
                                 "txtHobProtuberance", "lblHobNormalVsActual"};
    const char* const texts[] = {"", "abc", "-1", "0", "1e308", "-1e308", "1e400", "&HFFFF", "3.5", "9e15"};
    for (const char* box : boxes) {
        for (const int member : {0, 1}) {
            for (const char* text : texts) {
                SCOPED_TRACE(std::string(box) + "(" + std::to_string(member) + ") = \"" + text + "\"");
                ProportionsFixture f;
                f.set("lblFilletType", "1", 0);
                f.set("lblFilletType", "1", 1);
                f.set(box, text, member);
                f.startSteps();
                for (int presses = 0; presses < 8 && f.current() != "Agma on Main"; ++presses)
                    f.next();
                EXPECT_FALSE(f.agmaWindow.stopTheEvents);
                const std::string where = f.current();
                EXPECT_TRUE(where == "Agma on Main" || !f.messages.shown.empty()) << where;
                f.navigator->BeginNew();
                EXPECT_EQ(f.current(), "Startup Screen");
            }
        }
    }
}

} // namespace
} // namespace cindrel::sequence
