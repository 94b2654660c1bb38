#include "runtime/ScopeExit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

using runtime::onScopeExit;

static_assert(!std::is_copy_constructible_v<runtime::ScopeExit<void (*)()>>);
static_assert(!std::is_copy_assignable_v<runtime::ScopeExit<void (*)()>>);
static_assert(std::is_nothrow_destructible_v<runtime::ScopeExit<void (*)()>>);

TEST(ScopeExit, RunsOnceOnNormalExit) {
    int runs = 0;
    {
        auto guard = onScopeExit([&] { ++runs; });
        EXPECT_EQ(runs, 0);
    }
    EXPECT_EQ(runs, 1);
}

TEST(ScopeExit, RunsWhenAnErrorLeavesTheScope) {
    int runs = 0;
    EXPECT_THROW(
        {
            auto guard = onScopeExit([&] { ++runs; });
            throw std::runtime_error("raised");
        },
        std::runtime_error);
    EXPECT_EQ(runs, 1);
}

TEST(ScopeExit, ReleasedDoesNotRun) {
    int runs = 0;
    {
        auto guard = onScopeExit([&] { ++runs; });
        guard.release();
    }
    EXPECT_EQ(runs, 0);
    EXPECT_THROW(
        {
            auto guard = onScopeExit([&] { ++runs; });
            guard.release();
            throw std::runtime_error("raised");
        },
        std::runtime_error);
    EXPECT_EQ(runs, 0);
}

TEST(ScopeExit, RunNowRunsOnceThenNotAgainAtTheEnd) {
    int runs = 0;
    {
        auto guard = onScopeExit([&] { ++runs; });
        guard.runNow();
        EXPECT_EQ(runs, 1);
        guard.runNow();
    }
    EXPECT_EQ(runs, 1);
}

TEST(ScopeExit, GuardsRunInReverseOrder) {
    int order = 0;
    int first = 0;
    int second = 0;
    {
        auto a = onScopeExit([&] { first = ++order; });
        auto b = onScopeExit([&] { second = ++order; });
    }
    EXPECT_EQ(second, 1);
    EXPECT_EQ(first, 2);
}
