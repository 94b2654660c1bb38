// The design steps walked from the keyboard: the keys that leave a box run
// its leaving handler before the step reads it.
#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/ComboBox.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"
#include "model/T_Gear.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <memory>
#include <vector>

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
    // Alt with a letter, where the keyboard sends it.
    void altKey(Qt::Key key)
    {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused != nullptr ? focused : main().window(), key, Qt::AltModifier);
        settle();
    }
    int countClicks(const char* button)
    {
        auto counter = std::make_shared<int>(0);
        main().get<forms::CommandButton>(QString::fromLatin1(button)).onClick.connect([counter] { ++*counter; });
        counters.push_back(counter);
        return static_cast<int>(counters.size()) - 1;
    }
    int clicks(int counter) const { return *counters[static_cast<std::size_t>(counter)]; }

    std::vector<std::shared_ptr<int>> counters;
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

TEST_F(KeyboardWalk, AltPAltNAndAltIPressPreviousNextAndFinish)
{
    walkToToothThickness();
    const int finishes = countClicks("cmdFinished");
    typeInto("txtTThkPercentage", 0, "40");
    altKey(Qt::Key_P);
    ASSERT_EQ(current(), "Center Distance");
    altKey(Qt::Key_N);
    ASSERT_EQ(current(), "Tooth Thickness");
    EXPECT_EQ(box("txtTThkPercentage", 0).text(), QStringLiteral("40"));
    box("txtTThkPercentage", 0).setFocus();
    settle();
    altKey(Qt::Key_I);
    EXPECT_EQ(clicks(finishes), 1);
    EXPECT_NE(current(), "Tooth Thickness");
    EXPECT_EQ(box("txtTThkPercentage", 0).text(), QStringLiteral("40")) << "Alt+I typed into the box";
}

TEST_F(KeyboardWalk, AltIFinishesFromTheFirstStepAndDoesNothingOnTheLast)
{
    QApplication::setActiveWindow(main().window());
    settle();
    const int finishes = countClicks("cmdFinished");
    altKey(Qt::Key_I);
    EXPECT_EQ(clicks(finishes), 1);
    // The default design passes every check on its way to the last step,
    // where Finish does not show.
    ASSERT_EQ(current(), "Scoring and SubShear Graphs");
    ASSERT_FALSE(main().get<forms::CommandButton>(QStringLiteral("cmdFinished")).visible());
    altKey(Qt::Key_I);
    EXPECT_EQ(clicks(finishes), 1);
    EXPECT_EQ(current(), "Scoring and SubShear Graphs");
}

// The File menu's letter is the File menu's alone: no button of any step
// shares it, so each press opens the menu and none moves the focus.
TEST_F(KeyboardWalk, AltFOpensTheFileMenuOnEveryPress)
{
    const int finishes = countClicks("cmdFinished");
    QMenu* fileMenu = main().get<forms::MenuItem>(QStringLiteral("mnuFile")).submenu();
    const auto& finish = main().get<forms::CommandButton>(QStringLiteral("cmdFinished"));
    const auto pressAltFThrice = [&](const std::string& where) {
        for (int press = 0; press < 3; ++press) {
            altKey(Qt::Key_F);
            EXPECT_EQ(QApplication::activePopupWidget(), fileMenu) << where << ", press " << press + 1;
            EXPECT_NE(QApplication::focusWidget(), finish.widget()) << where << ", press " << press + 1;
            if (QWidget* menu = QApplication::activePopupWidget())
                QTest::keyClick(menu, Qt::Key_Escape);
            settle();
        }
    };
    QApplication::setActiveWindow(main().window());
    settle();
    pressAltFThrice("Startup Screen");
    walkToToothThickness();
    box("txtTThkPercentage", 0).setFocus();
    settle();
    pressAltFThrice("Tooth Thickness");
    EXPECT_EQ(clicks(finishes), 0);
    EXPECT_EQ(current(), "Tooth Thickness");
}

TEST_F(KeyboardWalk, AnAltLetterOfNoButtonNorMenuTypesNothing)
{
    next();
    ASSERT_EQ(current(), "Main Inputs");
    QApplication::setActiveWindow(main().window());
    forms::TextBox& teeth = box("txtNumTeeth", 0);
    const QString before = teeth.text();
    teeth.setFocus();
    settle();
    QTest::keyClick(teeth.keyTarget(), Qt::Key_End);
    altKey(Qt::Key_Z);
    EXPECT_EQ(teeth.text(), before);
    // Over the selected text of the next box.
    QTest::keyClick(teeth.keyTarget(), Qt::Key_Tab);
    settle();
    forms::TextBox* nextBox = dynamic_cast<forms::TextBox*>(main().activeControl());
    ASSERT_NE(nextBox, nullptr);
    const QString selected = nextBox->text();
    altKey(Qt::Key_Z);
    EXPECT_EQ(nextBox->text(), selected);
    EXPECT_EQ(current(), "Main Inputs");
}

} // namespace
