#include "ShellFixture.h"

#include "forms/Forms.h"
#include "shell/frmSettings.h"
#include "shell/mMiscellaneous.h"
#include "support/ScreenSizes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace vantropetest;
using testsupport::expectWhollyOnScreen;

// The drawing window, the inputs and settings dialogs and the message window,
// opened as a user opens them; with `storedElsewhere` each has a place stored
// from a larger screen or another monitor layout.
struct OnScreen : ShellTest, ::testing::WithParamInterface<bool> {
    void SetUp() override
    {
        testsupport::expectScreenOfTheSizeAsked();
        // Started again on the places stored, read as the installed program reads them.
        startup->EndProgram();
        startup.reset();
        if (GetParam()) {
            const char* const sides[] = {"_Left", "_Top", "_Width", "_Height"};
            const int places[][4] = {{30000, 2000, 9000, 8000},  // on a monitor right of this one
                                     {-2000, -600, 9000, 8000},  // title bar above the top
                                     {600, 900, 28000, 21000},   // from a larger screen
                                     {14000, 10000, 9000, 8000}}; // off the right and bottom
            int next = 0;
            for (const char* name : {"frmGears", "frmInputs", "frmSettings", "frmMessage"}) {
                for (int side = 0; side < 4; ++side)
                    store.values[{"Vantrope", vantrope::mMiscellaneous::PositionsSection, std::string(name) + sides[side]}] =
                        std::to_string(places[next % 4][side]);
                ++next;
            }
        }
        start();
    }
};

TEST_P(OnScreen, EveryWindowOpensWithItsFrameWithinTheScreen)
{
    expectWhollyOnScreen(gears().form());
    menu("mnuSettings").click();
    settle();
    expectWhollyOnScreen(startup->settingsDialog().form());
    dialog().show();
    expectWhollyOnScreen(dialog());
    startup->messages().showMessages();
    expectWhollyOnScreen(startup->messages(), "frmMessage");
    for (forms::Form* form : startup->windows().loaded())
        if (form->visible())
            expectWhollyOnScreen(*form);
}

INSTANTIATE_TEST_SUITE_P(StoredPlaces, OnScreen, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "StoredFromElsewhere" : "FirstRun"; });

TEST(SmallScreens, EveryWindowOfTheDrawingProgramOpensWithinA1024x768And800x600Screen)
{
    testsupport::runOnScreenOfSize("StoredPlaces/OnScreen.*", 1024, 768);
    testsupport::runOnScreenOfSize("StoredPlaces/OnScreen.*", 800, 600);
}

} // namespace
