// The design steps walked from the keyboard: the keys that leave a box run
// its leaving handler before the step reads it.
#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/ComboBox.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"
#include "model/T_Gear.h"

#include <QApplication>
#include <QTest>

namespace {

class KeyboardWalk : public WalkedProgram {
protected:
    forms::TextBox& box(const char* name, int index = -1)
    {
        return index < 0 ? main().get<forms::TextBox>(QString::fromLatin1(name))
                         : main().get<forms::TextBox>(QString::fromLatin1(name), index);
    }
    void settle() { QCoreApplication::processEvents(); }

    // The default spur design, each member's thickness as its share, to the
    // Tooth Thickness step with the main window active.
    void walkToToothThickness()
    {
        next();
        ASSERT_EQ(current(), "Main Inputs");
        main().get<forms::ComboBox>(QStringLiteral("cmbToothOrient")).setListIndex(0);
        next();
        ASSERT_EQ(current(), "Center Distance");
        next();
        ASSERT_EQ(current(), "Tooth Thickness");
        for (int member : {0, 1}) {
            main().get<forms::ComboBox>(QStringLiteral("cmbTThkHowInput"), member).setListIndex(0);
            box("txtTThkPercentage", member).setText(QStringLiteral("50"));
        }
        box("txtMinBL").setText(QStringLiteral("0.004"));
        box("txtMaxBL").setText(QStringLiteral("0.008"));
        ASSERT_TRUE(main().visible());
        QApplication::setActiveWindow(main().window());
        settle();
    }
    // Into the box, everything selected, the value typed.
    void typeInto(const char* name, int index, const char* value)
    {
        box(name, index).setFocus();
        settle();
        QWidget* target = box(name, index).keyTarget();
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(target, QString::fromLatin1(value));
    }
};

TEST_F(KeyboardWalk, AltNReadsTheThicknessSharesAsTheBoxLeftMadeThem)
{
    walkToToothThickness();
    typeInto("txtTThkPercentage", 0, "40");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
    // A button's press shown on the screen may come a moment later.
    for (int i = 0; i < 50 && current() == "Tooth Thickness"; ++i)
        QTest::qWait(20);

    ASSERT_EQ(current(), "Tooth Proportions");
    const auto& set = navigator().Oset();
    // The shares as typed and completed, 40 to 60 (read before the leaving
    // handler, 40 to the 50 left from before).
    EXPECT_NEAR(set.oGear->TTK_o(0, 1) / set.oPinion->TTK_o(0, 1), 60.0 / 40.0, 1e-12);
    EXPECT_EQ(box("txtTThkPercentage", 1).text(), QStringLiteral("60"));
    EXPECT_EQ(box("txtMinBL").text(), QStringLiteral("0.004"));
    EXPECT_EQ(box("txtMaxBL").text(), QStringLiteral("0.008"));
}

} // namespace
