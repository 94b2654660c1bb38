// The lost-focus checks of the contacts and the bearing lengths on the shown window.
#include "AgmaWindowFixture.h"

#include <QApplication>

class AgmaFocusChecks : public AgmaWindowTest {
protected:
    void SetUp() override { showWithMaterials(rows::ThroughHardenedGrade1, rows::ThroughHardenedGrade1); }
    void moveFocusTo(const char* name, int index = -1)
    {
        box(name, index).setFocus();
        settle();
    }
    bool focused(const char* name, int index = -1) { return box(name, index).hasFocus(); }
};

TEST_F(AgmaFocusChecks, FewerThanOneContactIsToldAndTheFocusGoesBack)
{
    tabs().setSelectedTab(6);
    moveFocusTo("txtContacts", 1);
    type("txtContacts", 1, "0");
    moveFocusTo("txtLife", 0);
    EXPECT_EQ(lastMessage(), "Set Gear contacts per revolution greater than 1");
    EXPECT_TRUE(focused("txtContacts", 1));
    // A count that is not a number is no count, whatever its first digit.
    type("txtContacts", 1, "2x");
    moveFocusTo("txtLife", 0);
    EXPECT_EQ(messageCount(), 2u);
    EXPECT_TRUE(focused("txtContacts", 1));
    type("txtContacts", 1, "1");
    moveFocusTo("txtLife", 0);
    EXPECT_EQ(messageCount(), 2u);
    EXPECT_TRUE(focused("txtLife", 0));
}

TEST_F(AgmaFocusChecks, BadBearingLengthsReturnTheFocusAndAreToldAfterRepeatedTries)
{
    tabs().setSelectedTab(4);
    type("txtKmSpan", "10");
    type("txtKmOffset", "6");
    // Each round: back into the offset box (the span box is left: its check
    // fails), then out of it (the offset check fails, the focus goes to the span).
    for (int attempt = 1; attempt <= 3; ++attempt) {
        moveFocusTo("txtKmOffset");
        EXPECT_TRUE(focused("txtKmOffset")) << attempt;
        moveFocusTo("txtKm");
        EXPECT_TRUE(focused("txtKmSpan")) << attempt;
        if (attempt < 3) {
            EXPECT_EQ(messageCount(), 0u) << attempt;
        }
    }
    const auto told = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].text.toStdString(), "The span between bearings must be at least twice the offset");
    EXPECT_EQ(told[1].text.toStdString(), "The offset must be less than half of the span between bearings");

    // Good lengths pass and start the counts again.
    type("txtKmOffset", "2");
    moveFocusTo("txtKmOffset");
    moveFocusTo("txtKm");
    EXPECT_TRUE(focused("txtKm"));
    EXPECT_EQ(dialogs.requestsOf<dialogs::MessageBoxRequest>().size(), 2u);
}
