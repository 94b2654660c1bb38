#include "ShellFixture.h"

#include "shell/clsExposeVantrope.h"

#include "runtime/RuntimeError.h"

#include <cmath>
#include <limits>
#include <numbers>

using namespace vantropetest;
using exposevantrope::LoadLocalsArguments;
using vantrope::ElementInputs;

namespace {

struct AutomationClass : ShellTest {
    vantrope::clsExposeVantrope object{*startup};

    AutomationClass() { object.Initialize(); }

    // One element as the design program hands it over.
    static LoadLocalsArguments element(std::int32_t e, std::int32_t teeth)
    {
        LoadLocalsArguments a;
        a.GearElement = e;
        a.NumberOfTeeth = teeth;
        a.PressureAngleDegrees = 20;
        a.CenterDistance = 0.1 * e;
        a.Addendum = 1.0 + 0.01 * e;
        a.WholeDepthFactor = 2.25;
        a.EdgeBreak = 0.02;
        a.ToothThickness = 0.5;
        a.InternalExternal = -1;
        a.FullRootRadius = false;
        a.BackaLasha = 0.04;
        a.Protuberance = 0.003 * e;
        a.OperatingTransDP = 1.0;
        a.DP0Module1 = 0;
        return a;
    }

    void handOver()
    {
        ASSERT_EQ(object.LoadLocals(element(1, 10000)), 1);
        ASSERT_EQ(object.LoadLocals(element(2, 20)), 1);
        ASSERT_EQ(object.LoadLocals(element(3, 32)), 1);
        ASSERT_EQ(object.LoadLocals(element(4, 10000)), 1);
    }

    ElementInputs read(std::int16_t index, std::int16_t mesh)
    {
        ElementInputs v;
        EXPECT_EQ(object.GetInputs(index, v, mesh), 1);
        return v;
    }
};

TEST_F(AutomationClass, CreationMakesItTheSourceAndHidesTheFileMenu)
{
    EXPECT_EQ(startup->current(), &object);
    EXPECT_FALSE(menu("mnuFile").visible());
}

TEST_F(AutomationClass, ElementOutsideOneToFourGivesZeroAndStoresNothing)
{
    handOver();
    for (std::int32_t e : {0, 5, -1}) {
        auto a = element(e, 99);
        a.PressureAngleDegrees = 25;
        a.OperatingTransDP = 4;
        EXPECT_EQ(object.LoadLocals(a), 0) << e;
    }
    EXPECT_EQ(read(2, 1).NumbTeeth, 20);
    EXPECT_NEAR(read(2, 1).PressAng, 20 * std::numbers::pi / 180, 1e-15);
    EXPECT_EQ(startup->Osettings->GearSizer, 1.0);
}

TEST_F(AutomationClass, PitchAndUnitSteps)
{
    struct Case {
        std::optional<double> pitch;
        std::optional<std::int32_t> unit;
        std::int32_t result;
        double sizer;
        std::int16_t unitAfter;
    };
    // GearSizer starts from 1/4 and unit 1 in each case.
    const Case cases[] = {
        {std::nullopt, std::nullopt, 1, 1.0, 0},    // omitted: the defaults 1 and 0
        {0.0, 0, 0, 0.25, 0},                       // a zero pitch fails its step alone
        {12.0, 0, 1, 1.0 / 12, 0},
        {2.0, 70000, 0, 0.5, 1},                    // beyond 16 bits: unit kept
        {std::numeric_limits<double>::quiet_NaN(), 1, 0, 0.25, 1},
        {1e-320, 1, 0, 0.25, 1},                    // 1/pitch overflows
    };
    for (const Case& c : cases) {
        startup->Osettings->GearSizer = 0.25;
        startup->Osettings->GearSizerOPT = 1;
        auto a = element(2, 21);
        a.OperatingTransDP = c.pitch;
        a.DP0Module1 = c.unit;
        EXPECT_EQ(object.LoadLocals(a), c.result);
        EXPECT_DOUBLE_EQ(startup->Osettings->GearSizer, c.sizer);
        EXPECT_EQ(startup->Osettings->GearSizerOPT, c.unitAfter);
        // The other steps stored their values.
        EXPECT_EQ(read(2, 1).NumbTeeth, 21);
    }
}

TEST_F(AutomationClass, NonFiniteValueFailsItsStepAndKeepsTheOldValue)
{
    handOver();
    auto a = element(3, 40);
    a.Addendum = std::numeric_limits<double>::infinity();
    a.CenterDistance = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(object.LoadLocals(a), 0);
    const ElementInputs v = read(3, 1);
    EXPECT_EQ(v.NumbTeeth, 40);
    EXPECT_DOUBLE_EQ(v.Addendum, 1.03);
    EXPECT_DOUBLE_EQ(v.CenterDist, 0.3);
}

TEST_F(AutomationClass, ServesTheStoredValuesByElementAndMesh)
{
    handOver();
    // Pinion and gear share slot 1: the gear's call came last.
    EXPECT_DOUBLE_EQ(read(2, 1).CenterDist, 0.3);
    EXPECT_DOUBLE_EQ(read(1, 0).CenterDist, 0.1);
    EXPECT_DOUBLE_EQ(read(4, 2).CenterDist, 0.4);
    EXPECT_DOUBLE_EQ(read(4, 3).CenterDist, 0.0);
    for (std::int16_t e = 1; e <= 4; ++e)
        EXPECT_NEAR(read(e, 1).PressAng, 0.3490658503988659, 1e-15);

    // Tools: their own protuberance, external, no backlash, full root radius,
    // whatever was handed over.
    for (std::int16_t e : {1, 4}) {
        const ElementInputs v = read(e, 1);
        EXPECT_EQ(v.IntExt, 1);
        EXPECT_EQ(v.BackLash, 0.0);
        EXPECT_TRUE(v.FRR);
        EXPECT_DOUBLE_EQ(v.Protube, 0.003 * e);
    }
    // The pinion is external whatever was handed; the gear keeps its flag.
    EXPECT_EQ(read(2, 1).IntExt, 1);
    EXPECT_EQ(read(3, 1).IntExt, -1);
    EXPECT_EQ(read(3, 1).Protube, 0.0);
    EXPECT_FALSE(read(3, 1).FRR);
    // Backlash only in the pinion and gear mesh.
    EXPECT_DOUBLE_EQ(read(3, 1).BackLash, 0.04);
    EXPECT_EQ(read(3, 2).BackLash, 0.0);
    EXPECT_EQ(read(2, 0).BackLash, 0.0);
}

TEST_F(AutomationClass, ElementZeroLeavesTheToolAndGearFieldsAlone)
{
    ElementInputs v;
    v.IntExt = -7;
    v.Protube = 9;
    v.BackLash = 8;
    v.FRR = false;
    EXPECT_EQ(object.GetInputs(0, v, 0), 1);
    EXPECT_EQ(v.IntExt, -7);
    EXPECT_EQ(v.Protube, 9);
    EXPECT_EQ(v.BackLash, 8);
    EXPECT_FALSE(v.FRR);
}

TEST_F(AutomationClass, IndexOutsideZeroToFourRaisesNine)
{
    ElementInputs v;
    for (auto [index, mesh] : {std::pair<std::int16_t, std::int16_t>{5, 1}, {-1, 1}, {2, 5}, {2, -1}}) {
        try {
            object.GetInputs(index, v, mesh);
            ADD_FAILURE() << index << " " << mesh;
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), runtime::SubscriptOutOfRange);
        }
    }
}

TEST_F(AutomationClass, LaunchDrawingsDrawsEveryMeshAndEndsOnPinionAndGear)
{
    handOver();
    EXPECT_EQ(startup->OmeshMaster->Opini->N, 0) << "nothing is drawn before the launch";
    object.LaunchDrawings();
    settle();
    auto& master = *startup->OmeshMaster;
    EXPECT_EQ(&master.ActiveMesh(), master.mesh(1));
    EXPECT_EQ(master.OpiniTool->N, 10000);
    EXPECT_EQ(master.Opini->N, 20);
    EXPECT_EQ(master.Ogear->N, 32);
    EXPECT_EQ(master.OgearTool->N, 10000);
    // Base radius = N/2 cos 20 degrees.
    EXPECT_NEAR(master.Opini->Rb, 9.396926207859083, 1e-9);
    EXPECT_NEAR(master.Ogear->Rb, 15.035081932574533, 1e-9);
    EXPECT_TRUE(menu("mnuMeshMain").visible());
    EXPECT_FALSE(menu("mnuHelp").visible());
    EXPECT_FALSE(menu("mnuFile").visible());
}

TEST_F(AutomationClass, ExternalEndProgramEndsOnlyWhenTrue)
{
    bool no = false;
    object.ExternalEndProgram(no);
    EXPECT_EQ(endings, 0);
    EXPECT_FALSE(startup->hasEnded());
    bool yes = true;
    object.ExternalEndProgram(yes);
    EXPECT_EQ(endings, 1);
    EXPECT_TRUE(startup->hasEnded());
    // Calls after the end draw nothing and do not fail.
    object.LaunchDrawings();
}

} // namespace
