#include "shell/clsNoShowMessage.h"

#include "../RecordingRunLog.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

using cindrel::shell::clsNoShowMessage;

namespace {

class NoShowMessageTest : public ::testing::Test {
protected:
    int ask(int buttons) { return clsNoShowMessage(log, store).ShowMessage("Fill in your address?", "PrintUserInfo", buttons); }
    std::size_t shown() const { return dialogs.requestsOf<dialogs::CheckableMessageRequest>().size(); }

    TemporaryFolder folder;
    registry::Store store{folder.file("registry.sqlite3")};
    RecordingRunLog log;
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider scoped{dialogs};
};

TEST_F(NoShowMessageTest, ATickedAnswerSilencesTheQuestionForGood)
{
    dialogs.answerCheckableMessage(clsNoShowMessage::Yes, true);
    EXPECT_EQ(ask(clsNoShowMessage::Yes | clsNoShowMessage::No), 2);
    const auto request = dialogs.requestsOf<dialogs::CheckableMessageRequest>().at(0);
    EXPECT_EQ(request.title, "PrintUserInfo");
    EXPECT_EQ(request.text, "Fill in your address?");
    EXPECT_EQ(request.buttonBits, 6);
    EXPECT_FALSE(request.checked);

    EXPECT_EQ(ask(6), 0);
    EXPECT_EQ(shown(), 1u) << "nothing is shown once silenced";
    registry::Handle key = 0;
    ASSERT_EQ(store.openKey(registry::root::CurrentUser, "Software\\Cindrel\\Preferences\\CheckedMessageBoxes",
                            registry::access::Read, key),
              registry::status::Success);
    registry::Value value;
    EXPECT_EQ(store.queryValue(key, "PrintUserInfo", value), registry::status::Success);
    EXPECT_EQ(value.asText().value_or(""), "True");
    store.closeKey(key);
}

TEST_F(NoShowMessageTest, CancelOrClosingRemembersNothing)
{
    struct Case {
        int pressed;
        bool ticked;
        int result;
    };
    for (const Case c : {Case{8, true, 8}, Case{0, true, 0}, Case{4, false, 4}, Case{1, false, 1}}) {
        dialogs.answerCheckableMessage(c.pressed, c.ticked);
        EXPECT_EQ(ask(15), c.result) << c.pressed;
    }
    dialogs.answerCheckableMessage(clsNoShowMessage::OK, false);
    EXPECT_EQ(ask(clsNoShowMessage::OK), 1) << "still asked";
    EXPECT_EQ(shown(), 5u);
}

} // namespace
