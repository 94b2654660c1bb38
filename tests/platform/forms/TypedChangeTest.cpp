#include "forms/Form.h"
#include "forms/TextBox.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace forms;

// A box knows whether the user typed in it since it got the focus, so that a
// window can tell a typed value from one its code wrote.
TEST(TypedChange, OnlyTypingSinceTheFocusCounts) {
    Form form{QStringLiteral("frmTyped")};
    TextBox& box = form.add<TextBox>({QStringLiteral("txtKm"), -1});
    TextBox& other = form.add<TextBox>({QStringLiteral("txtKo"), -1});
    form.move(0, 0, 4000, 3000);
    box.move(100, 100, 1500, 300);
    other.move(100, 600, 1500, 300);
    form.show();
    QApplication::setActiveWindow(form.window());

    box.setFocus();
    box.setText(QStringLiteral("1.371"));
    EXPECT_FALSE(box.typedSinceFocus());
    QTest::keyClicks(box.keyTarget(), QStringLiteral("5"));
    EXPECT_EQ(box.text(), QStringLiteral("1.3715"));
    EXPECT_TRUE(box.typedSinceFocus());
    box.setText(QStringLiteral("1.2")); // a later write by code does not undo the typing
    EXPECT_TRUE(box.typedSinceFocus());

    other.setFocus();
    box.setFocus(); // a new visit starts untyped
    EXPECT_FALSE(box.typedSinceFocus());
    EXPECT_FALSE(other.typedSinceFocus());
}

} // namespace

namespace {

// Two controls on the same place: the one brought to the front is seen.
TEST(ZOrder, TheControlBroughtToTheFrontIsSeen) {
    Form form{QStringLiteral("frmStack")};
    TextBox& under = form.add<TextBox>({QStringLiteral("txtUnder"), -1});
    TextBox& over = form.add<TextBox>({QStringLiteral("txtOver"), -1});
    form.move(0, 0, 4000, 3000);
    under.move(100, 100, 1500, 300);
    over.move(100, 100, 1500, 300);
    form.show();
    const QPoint middle = under.widget()->geometry().center();
    QWidget* parent = under.widget()->parentWidget();
    under.setZOrder(Control::ZOrder::Front);
    EXPECT_EQ(parent->childAt(middle), under.widget());
    under.setZOrder(Control::ZOrder::Back);
    EXPECT_EQ(parent->childAt(middle), over.widget());
}

} // namespace
