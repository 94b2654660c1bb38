#include "FirstStepsFixture.h"

#include "sequence/StepsToothThickness.h"

#include "resources/ResourceStrings.h"
#include "results/ResultTable.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>

namespace cindrel::sequence {
namespace {

using namespace testing;

const char* const InterferenceWarning = "Your gears are interfering, backlash < 0, --continuing--";

// The shortest text that reads back as exactly this number.
std::string exact(double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// Both limits of both members' thickness, typed at the operating circle.
void thicknesses(FirstStepsFixture& f, const std::string& pinionMin, const std::string& pinionMax,
                 const std::string& gearMin, const std::string& gearMax)
{
    f.set("txtMinTThk", pinionMin, 0);
    f.set("txtMaxTThk", pinionMax, 0);
    f.set("txtMinTThk", gearMin, 1);
    f.set("txtMaxTThk", gearMax, 1);
}

// The thickness step reading as the program's, then a limit stored as the
// reading never leaves it (maximum under minimum).
StepHandlers withThicknessAfterReading(int member, int limit, double value)
{
    StepHandlers handlers = designSteps();
    StepHandler thickness = toothThicknessStep();
    thickness.read = [read = thickness.read, member, limit, value](T_StateNavigator& navigator, T_State& state) {
        read(navigator, state);
        navigator.Oset().member(member).aaToothThickness(1, limit, 0, 1, 0, value);
    };
    handlers.set(steps::ToothThickness, thickness);
    return handlers;
}

struct Case {
    const char* name;
    // Changes the 20/30 design before the sequence starts.
    std::function<void(FirstStepsFixture&)> setup;
    // Changes the thickness panel once the operating pitch is known.
    std::function<void(FirstStepsFixture&, double PCo)> atThickness;
    std::function<StepHandlers()> handlers;
    std::vector<int> shown;
    const char* reached;
};

TEST(FirstStepsChecksTest, MessagesInOrderAndTheStepReached)
{
    // 20/30 teeth at Pd 10: standard centre distance 50 / 20 = 2.5 in; the
    // spread limits are 1.25 * 2.5 = 3.125 and 0.8 * 2.5 = 2.0 in.
    // At the standard distance PC_o = pi / 10 = 0.3141593 in.
    const auto teeth = [](const char* pinion, const char* gear) {
        return [=](FirstStepsFixture& f) {
            f.set("txtNumTeeth", pinion, 0);
            f.set("txtNumTeeth", gear, 1);
        };
    };
    const auto typedCentreDistance = [](const char* inches) {
        return [=](FirstStepsFixture& f) {
            f.set("lblOCDHowInput", "1");
            f.set("txtOCD", inches);
        };
    };
    const auto set = [](const char* name, const char* value, int index = -1) {
        return [=](FirstStepsFixture& f) { f.set(name, value, index); };
    };
    // Pd 1: PC_o = pi; both members' maximum thickness (PC_o - backlash) / 2.
    const auto minimumBacklash = [](double backlash) {
        return [=](FirstStepsFixture& f, double PCo) {
            const std::string t = exact((PCo - backlash) / 2);
            thicknesses(f, t, t, t, t);
        };
    };
    const auto interfering = [](FirstStepsFixture& f, double PCo) {
        const std::string t = exact((PCo + 0.01) / 2);
        thicknesses(f, t, t, t, t);
    };

    const Case cases[] = {
        {"gear has fewer teeth", teeth("18", "17"), {}, {}, {2028}, "Main Inputs"},
        {"equal teeth, external", teeth("20", "20"), {}, {}, {}, "Tooth Proportions"},
        {"no pinion teeth", teeth("abc", "30"), {}, {}, {3002}, "Main Inputs"},
        {"two negative tooth counts", teeth("-20", "-30"), {}, {}, {3002}, "Main Inputs"},
        {"negative gear face", set("txtFaceWidth", "-1", 1), {}, {}, {3002}, "Main Inputs"},
        {"zero pitch", set("txtDP", "0"), {}, {}, {3002}, "Main Inputs"},
        {"negative pressure angle", set("txtPADeg", "-20"), {}, {}, {3002}, "Main Inputs"},
        {"1:1 internal",
         [](FirstStepsFixture& f) {
             f.set("txtNumTeeth", "30", 0);
             f.set("lblMeshOption", "-1");
         },
         {}, {}, {2027}, "Center Distance"},
        {"mesh kind not chosen", set("lblMeshOption", "0"), {}, {}, {3003}, "Center Distance"},
        {"zero centre distance", typedCentreDistance("0"), {}, {}, {3017}, "Center Distance"},
        {"no such centre-distance mode", set("lblOCDHowInput", "4"), {}, {}, {3017}, "Center Distance"},
        {"largest spread", typedCentreDistance("3.125"), {}, {}, {}, "Tooth Proportions"},
        // At 0.8 of the distance PC_o = pi / (20 / (2 * 0.8)) = 0.2513 in, less
        // than the two maximum thicknesses 0.310 in: the teeth interfere.
        {"smallest compression", typedCentreDistance("2.0"), {}, {}, {0}, "Tooth Proportions"},
        {"spread too large", typedCentreDistance("3.12525"), {}, {}, {3004}, "Center Distance"},
        {"compression too small", typedCentreDistance("1.99975"), {}, {}, {3005}, "Center Distance"},
        {"no pinion thickness", {}, [](FirstStepsFixture& f, double) { thicknesses(f, "", "", "0.15", "0.155"); },
         {}, {4230}, "Tooth Thickness"},
        {"no gear thickness", {}, [](FirstStepsFixture& f, double) { thicknesses(f, "0.15", "0.155", "0", "0"); },
         {}, {4200}, "Tooth Thickness"},
        {"only the pinion maximum", {},
         [](FirstStepsFixture& f, double) { thicknesses(f, "0", "0.155", "0.15", "0.155"); }, {}, {},
         "Tooth Proportions"},
        {"a tenth and a whole pitch pass", {},
         [](FirstStepsFixture& f, double PCo) { thicknesses(f, exact(PCo / 10), exact(PCo), "0.15", "0.155"); },
         {}, {0}, "Tooth Proportions"},
        {"pinion under a tenth", {},
         [](FirstStepsFixture& f, double PCo) {
             thicknesses(f, exact(std::nextafter(PCo / 10, 0.0)), "0.155", "0.15", "0.155");
         },
         {}, {4201}, "Tooth Thickness"},
        {"gear under a tenth", {},
         [](FirstStepsFixture& f, double PCo) {
             const std::string under = exact(std::nextafter(PCo / 10, 0.0));
             thicknesses(f, "0.15", "0.155", under, under);
         },
         {}, {4202}, "Tooth Thickness"},
        {"pinion over a pitch", {},
         [](FirstStepsFixture& f, double PCo) {
             thicknesses(f, "0.15", exact(std::nextafter(PCo, 1.0)), "0.15", "0.155");
         },
         {}, {4207}, "Tooth Thickness"},
        {"gear over a pitch", {},
         [](FirstStepsFixture& f, double PCo) { thicknesses(f, "0.15", "0.155", "0.15", exact(PCo * 1.5)); }, {},
         {4207}, "Tooth Thickness"},
        {"pinion maximum under its minimum", {}, {}, [] { return withThicknessAfterReading(0, 1, 0.14); }, {4203},
         "Tooth Thickness"},
        {"gear maximum under its minimum", {}, {}, [] { return withThicknessAfterReading(1, 1, 0.14); }, {4204},
         "Tooth Thickness"},
        {"backlash -0.0005 at Pd 1", set("txtDP", "1"), minimumBacklash(-0.0005), {}, {}, "Tooth Proportions"},
        {"backlash -0.002 at Pd 1", set("txtDP", "1"), minimumBacklash(-0.002), {}, {0}, "Tooth Proportions"},
        {"pinion edge breaks reversed",
         [](FirstStepsFixture& f) {
             f.set("txtMinEdgeBreak", "0.02", 0);
             f.set("txtMaxEdgeBreak", "0.01", 0);
         },
         {}, {}, {4145}, "Tooth Thickness"},
        {"gear edge breaks reversed after the warning",
         [](FirstStepsFixture& f) {
             f.set("txtMinEdgeBreak", "0.02", 1);
             f.set("txtMaxEdgeBreak", "0.01", 1);
         },
         interfering, {}, {0, 4146}, "Tooth Thickness"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FirstStepsFixture f;
        f.set("txtNumTeeth", "30", 1);
        if (c.setup)
            c.setup(f);
        f.startSteps(c.handlers ? c.handlers() : designSteps());
        f.nextUntil("Tooth Thickness");
        if (f.current() == "Tooth Thickness") {
            if (c.atThickness)
                c.atThickness(f, f.Oset.PC_o());
            f.next();
        }

        EXPECT_EQ(f.shownNumbers(), c.shown);
        EXPECT_EQ(f.current(), c.reached);
        for (const auto& [number, text] : f.messages.shown) {
            // 3002 names the input at fault: its texts are checked below.
            if (number != 3002) {
                EXPECT_EQ(text, number == 0 ? std::string(InterferenceWarning) : resources::ResourceStrings(number));
            }
        }
    }
}

TEST(FirstStepsChecksTest, AnUnusableMainInputIsNamedAndMustBeGreaterThanZero)
{
    const struct {
        const char* box;
        int index;
        const char* typed;
        bool metric;
        const char* text;
    } cases[] = {
        {"txtNumTeeth", 0, "0", false, "The number of teeth of the pinion must be greater than zero."},
        {"txtNumTeeth", 1, "-40", false, "The number of teeth of the gear must be greater than zero."},
        {"txtFaceWidth", 0, "0", false, "The face width of the pinion must be greater than zero."},
        {"txtFaceWidth", 1, "-1", false, "The face width of the gear must be greater than zero."},
        {"txtFaceWidth", 1, "-25.4", true, "The face width of the gear must be greater than zero."},
        {"txtDP", -1, "-10", false, "The diametral pitch must be greater than zero."},
        {"txtDP", -1, "-2.5", true, "The module must be greater than zero."},
        {"txtPADeg", -1, "0", false, "The pressure angle must be greater than zero."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FirstStepsFixture f;
        f.metric = c.metric;
        f.set(c.box, c.typed, c.index);
        f.startSteps();
        f.nextUntil("Tooth Thickness");
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].first, 3002);
        EXPECT_EQ(f.messages.shown[0].second, c.text);
        EXPECT_EQ(f.current(), "Main Inputs");
    }
}

TEST(FirstStepsChecksTest, MissingThicknessMessageNamesTheMemberWithout)
{
    const struct {
        const char* pinionMin;
        const char* pinionMax;
        const char* gearMin;
        const char* gearMax;
        const char* text;
    } cases[] = {
        {"", "", "0.15", "0.155", "Must fill in at least maximum or minimum pinion tooth thickness"},
        {"0.15", "0.155", "", "", "Must fill in at least maximum or minimum gear tooth thickness"},
        // Both missing: the pinion is named first and the step stops there.
        {"", "", "", "", "Must fill in at least maximum or minimum pinion tooth thickness"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FirstStepsFixture f;
        f.startSteps();
        f.nextUntil("Tooth Thickness");
        thicknesses(f, c.pinionMin, c.pinionMax, c.gearMin, c.gearMax);
        f.next();
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].second, c.text);
        EXPECT_EQ(f.current(), "Tooth Thickness");
    }
}

TEST(FirstStepsChecksTest, UnchosenMeshShowsTheModelsBoxFirst)
{
    FirstStepsFixture f;
    f.set("lblMeshOption", "0");
    f.startSteps();
    f.nextUntil("Tooth Thickness");
    EXPECT_EQ(f.shell.messages, std::vector<std::string>{"error in IntExt, (intext=0)"});
    EXPECT_EQ(f.shownNumbers(), std::vector<int>{3003});
}

TEST(FirstStepsChecksTest, SingleLimitStandsForBothInTheModelAndTheTable)
{
    FirstStepsFixture f;
    f.startSteps();
    f.nextUntil("Tooth Thickness");
    thicknesses(f, "0", "0.155", "0.15", "0");
    f.next();
    ASSERT_EQ(f.current(), "Tooth Proportions");
    EXPECT_EQ(f.Oset.oPinion->TTK_o(1, 0), 0.155);
    EXPECT_EQ(f.Oset.oGear->TTK_o(1, 1), 0.15);
    // The panel keeps what was typed.
    EXPECT_EQ(f.get("txtMinTThk", 0), "0");
    const results::ResultTable& table = *f.navigator->state("Tooth Thickness").StateString;
    EXPECT_EQ(results::cellText(table.at(2, results::ResultRow::Key), nullptr), "TTK_o");
    EXPECT_EQ(results::cellText(table.at(2, results::ResultRow::PinionValue), nullptr), "0.155 / 0.155");
    EXPECT_EQ(results::cellText(table.at(2, results::ResultRow::GearValue), nullptr), "0.150 / 0.150");
}

TEST(FirstStepsChecksTest, CentreDistanceCaptions)
{
    // 20/30 at Pd 10: standard centre distance 2.5 in, 63.5 mm.
    // At 2.6 in: cos(phi_o) = 2.5 cos 20 / 2.6 = 0.9035510, phi_o = 25.37123
    // degrees; the sum of the addendum modifications
    // (inv 25.37123 - inv 20) * (20 + 30) / (2 tan 20)
    // = (0.0314082 - 0.0149044) * 50 / 0.7279404 = 1.1336.
    struct Case {
        bool metric;
        const char* dp;
        const char* typed;
        const char* standard;
        const char* shiftTotal;
    };
    const Case cases[] = {
        {false, "10", "2.6", "2.500", "1.1336"},
        {true, "2.54", "66.04", "63.500", "1.1336"}, // module 2.54 mm is Pd 10
    };
    for (const Case& c : cases) {
        FirstStepsFixture f;
        f.metric = c.metric;
        f.set("txtNumTeeth", "30", 1);
        f.set("txtDP", c.dp);
        f.set("lblOCDHowInput", "1");
        f.set("txtOCD", c.typed);
        f.startSteps();
        f.nextUntil("Tooth Thickness");
        EXPECT_EQ(f.get("lblStandardOCD"), c.standard);
        EXPECT_EQ(f.get("lblAddShiftTotal"), c.shiftTotal);
    }
}

} // namespace
} // namespace cindrel::sequence
