#include "agma/AgmaWindowState.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace cindrel::agma {
namespace {

TEST(FlagScope, NestedScopesGiveBackWhatTheyFound) {
    AgmaWindowState state;
    {
        FlagScope outer(state.StopTheEvents);
        {
            FlagScope inner(state.StopTheEvents);
            EXPECT_TRUE(state.StopTheEvents);
        }
        EXPECT_TRUE(state.StopTheEvents); // the inner handler left the outer one's flag set
    }
    EXPECT_FALSE(state.StopTheEvents);
}

TEST(FlagScope, RestoredWhenAHandlerLeavesByAnException) {
    AgmaWindowState state;
    try {
        FlagScope guard(state.LifeGuard);
        throw std::runtime_error("step failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(state.LifeGuard);
}

TEST(AgmaWindowState, StartsAsTheWindowLoadsIt) {
    const AgmaWindowState state;
    EXPECT_EQ(state.NotesTop, 5600);
    EXPECT_EQ(state.MaterialRow[0], 0);
    EXPECT_EQ(state.MaterialKey[1], "");
    EXPECT_FALSE(state.ChApplies);
    EXPECT_TRUE(state.Materials.empty());
}

} // namespace
} // namespace cindrel::agma
