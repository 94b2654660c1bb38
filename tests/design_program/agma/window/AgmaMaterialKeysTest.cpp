// A member's material chosen in the tree with the keyboard alone.
#include "AgmaWindowFixture.h"

#include <QTest>
#include <QTreeWidget>

TEST_F(AgmaWindowTest, AMaterialIsChosenWithTheKeyboard)
{
    load();
    form().show();
    form().get<forms::CommandButton>(q("cmdPoG"), 0).click();
    tree().ensureVisible(q("3a"));
    tree().select(q("2a"));
    auto* widget = static_cast<QTreeWidget*>(tree().widget());
    widget->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(text("txtYoungs", 0), "") << "selecting from code chooses nothing";

    QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(text("lblRecordKey", 0), "3a");
    EXPECT_EQ(agma->state().MaterialRow[0], rows::ThroughHardenedGrade1);
    EXPECT_EQ(text("txtYoungs", 0), "30,000,000");
    EXPECT_EQ(text("txtSAC", 0), "61,300");

    QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(agma->state().MaterialRow[0], rows::ThroughHardenedGrade2);
    QTest::keyClick(widget, Qt::Key_Up);
    QTest::keyClick(widget, Qt::Key_Return);
    EXPECT_EQ(agma->state().MaterialRow[0], rows::ThroughHardenedGrade1);
    EXPECT_EQ(text("lblRecordKey", 0), "3a");
}
