// The quality of each member, shared by the AGMA factors window and the
// manufacturing outputs window, in the started program.
#include "design_program/shell/windows/StartedProgram.h"

#include "forms/ComboBox.h"
#include "forms/Label.h"

class QualityExchange : public StartedProgram {
protected:
    void SetUp() override { answerDisclaimer(true, false); }

    forms::ComboBox& kv(int member) { return window("frmAGMA").get<forms::ComboBox>(QStringLiteral("cmbKV"), member); }
    forms::ComboBox& quality(int member)
    {
        return window("frmMFGOutputs").get<forms::ComboBox>(QStringLiteral("cmbQuality"), member);
    }
    std::string recorded(int member)
    {
        return window("frmAGMA").get<forms::Label>(QStringLiteral("lblComboQuality"), member).caption().toStdString();
    }
};

TEST_F(QualityExchange, EachWindowsChoiceReachesTheOtherAndTheExchangeEnds)
{
    ASSERT_EQ(quality(0).listCount(), 11);
    EXPECT_EQ(quality(0).list(0).toStdString(), "5");
    EXPECT_EQ(quality(1).list(10).toStdString(), "15");

    // Quality number 12 in the manufacturing window is "very accurate gearing".
    quality(0).setListIndex(7);
    EXPECT_EQ(recorded(0), "7");
    EXPECT_EQ(kv(0).listIndex(), 7);
    EXPECT_EQ(kv(0).text().toStdString(), "very accurate gearing");
    EXPECT_EQ(quality(0).listIndex(), 7);

    // A choice on the Kv page reaches the manufacturing window.
    kv(1).setListIndex(3);
    EXPECT_EQ(quality(1).listIndex(), 3);
    EXPECT_EQ(recorded(1), "3");

    // Quality number 14 has no Kv item: the Kv list keeps its choice.
    quality(1).setListIndex(9);
    EXPECT_EQ(recorded(1), "9");
    EXPECT_EQ(kv(1).listIndex(), 3);
    EXPECT_EQ(quality(1).listIndex(), 9);

    // A typed Kv clears both windows' choices.
    window("frmAGMA").get<forms::TextBox>(QStringLiteral("txtKV")).setText(QStringLiteral("1.2"));
    for (int member : {0, 1}) {
        EXPECT_EQ(quality(member).listIndex(), -1);
        EXPECT_EQ(recorded(member), "-1");
    }
    EXPECT_EQ(startup->runLog().RunNoteCount(), 0);
}
