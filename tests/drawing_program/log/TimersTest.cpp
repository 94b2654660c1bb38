#include "log/Timers.h"

#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

using vantrope::Timers;

namespace {

struct Caption : vantrope::CaptionTarget {
    void setCaption(std::string_view caption) override { text = caption; }
    std::string text;
};

TEST(Timers, ElapsedGoesToTheCaptionOrAMessageBox)
{
    std::uint32_t now = 1000;
    std::string boxed;
    Timers timers([&now] { return now; }, [&boxed](std::string_view text) { boxed = text; });
    Caption mnuTime;
    timers.StartTimer(1);
    now += 16;
    EXPECT_EQ(timers.StopTimer(1, &mnuTime), "16-mSec");
    EXPECT_EQ(mnuTime.text, "16-mSec");
    EXPECT_EQ(boxed, "");
    timers.StopTimer(1, nullptr);
    EXPECT_EQ(boxed, "16-mSec");
}

TEST(Timers, StopWithoutStartMeasuresFromZero)
{
    Timers timers([] { return 250u; });
    EXPECT_EQ(timers.StopTimer(4, nullptr), "250-mSec");
}

TEST(Timers, ACounterWrapBetweenStartAndStopStillGivesTheTime)
{
    std::uint32_t now = 0xFFFFFFF0u;
    Timers timers([&now] { return now; });
    timers.StartTimer(0);
    now = 0x10u;
    EXPECT_EQ(timers.StopTimer(0, nullptr), "32-mSec");
}

TEST(Timers, SlotOutsideZeroToFiveIsASubscriptError)
{
    Timers timers([] { return 0u; });
    for (int index : {-1, 6}) {
        EXPECT_EQ(testsupport::errorNumberOf([&] { timers.StartTimer(index); }), 9);
        EXPECT_EQ(testsupport::errorNumberOf([&] { timers.StopTimer(index, nullptr); }), 9);
    }
    EXPECT_EQ(testsupport::errorNumberOf([&] { timers.StartTimer(5); }), 0);
}

} // namespace
