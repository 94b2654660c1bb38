#include "RatingStepsFixture.h"

#include "model/T_AGMA1.h"

#include <gtest/gtest.h>

namespace cindrel::sequence {
namespace {

using namespace testing;

struct AgmaFactorsStandInTest : ::testing::Test, RatingStepsFixture {
    void SetUp() override
    {
        start(8);
        ASSERT_TRUE(nextTo(steps::AgmaFactors));
        navigator->All4Horsepowers = AllowablePowers{};
        set("lblKmString", "Km = 1.2");
    }
    void box(const char* name, const char* value, int index = -1) { controls.setValue(agmaControl(name, index), value); }
    std::string label(const char* name, int index = -1) const { return get(mainControl(name, index)); }
};

TEST_F(AgmaFactorsStandInTest, NextCommitsTheBoxesAsTypedAndMovesOn)
{
    box("txtKV", "1.25*");
    box("txtKm", "1.4");
    box("txtCh", "1.02", 0);
    box("txtCh", "1.05", 1);
    box("txtZn", "0.9", 1);
    box("txtLife", "1,000,000 cycles", 0);
    box("txtLife", "", 2);
    controls.click(agmaControl("cmdNext"));

    const model::T_AGMA1& factors = *Oset.oAGMA1;
    EXPECT_EQ(factors.Kv(), "1.25*");
    EXPECT_EQ(factors.Km(), "1.4");
    EXPECT_EQ(factors.Ch(0), "1.02");
    EXPECT_EQ(factors.Ch(1), "1.05");
    EXPECT_EQ(factors.Zn(1), "0.9");
    // The digits of the life texts, as plain numbers.
    EXPECT_EQ(label("lblGearLife", 0), "1000000");
    EXPECT_EQ(label("lblGearLife", 1), "5000000");
    EXPECT_EQ(label("lblGearLife", 2), "0");
    // No load distribution calculator, no materials, no allowable power yet.
    EXPECT_EQ(label("lblKmString"), "");
    EXPECT_EQ(label("lblMaterial", 0), "Steel Through hardened");
    EXPECT_FALSE(navigator->All4Horsepowers.has_value());
    EXPECT_EQ(current(), steps::HorsepowerAndCP);
    EXPECT_TRUE(navigator->StateCollection().Exists(steps::AgmaFactors));
}

TEST_F(AgmaFactorsStandInTest, PreviousCommitsAndStepsBack)
{
    box("txtKs", "1.1");
    controls.click(agmaControl("cmdPrevious"));
    EXPECT_EQ(Oset.oAGMA1->Ks(), "1.1");
    EXPECT_EQ(current(), steps::ToothProportions);
}

TEST_F(AgmaFactorsStandInTest, OnlyAUsersCloseIsRefusedAndCommitsWithTheLastMove)
{
    box("txtKo", "1.5");
    EXPECT_FALSE(agmaWindow->QueryUnload(false));
    EXPECT_EQ(Oset.oAGMA1->Ko(), "1.0");
    EXPECT_EQ(current(), steps::AgmaFactors);

    EXPECT_TRUE(agmaWindow->QueryUnload(true));
    EXPECT_EQ(Oset.oAGMA1->Ko(), "1.5");
    // The last move was forward.
    EXPECT_EQ(current(), steps::HorsepowerAndCP);
}

TEST_F(AgmaFactorsStandInTest, SilencedWindowIgnoresItsButtons)
{
    agmaWindow->setStopTheEvents(true);
    box("txtKo", "1.5");
    controls.click(agmaControl("cmdNext"));
    EXPECT_EQ(Oset.oAGMA1->Ko(), "1.0");
    EXPECT_EQ(current(), steps::AgmaFactors);
}

TEST_F(AgmaFactorsStandInTest, ALifeThatIsNoNumberIsShownAndTheSequenceStays)
{
    box("txtLife", "1.5.2", 1);
    controls.click(agmaControl("cmdNext"));
    EXPECT_EQ(current(), steps::AgmaFactors);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].second.rfind("Error 13", 0), 0u) << messages.shown[0].second;
    ASSERT_EQ(runLog.errors.size(), 1u);
    EXPECT_EQ(runLog.errors[0].routine, "CommitFactors");
}

} // namespace
} // namespace cindrel::sequence
