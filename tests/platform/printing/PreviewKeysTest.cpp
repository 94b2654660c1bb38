#include "printing/PreviewControl.h"

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Layout.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace printing;

// A letter page at 100 % in a window far smaller than it, shown and focused
// as a keyboard user reaches it: by Tab from a button before it.
struct ShownPreview : ::testing::Test {
    forms::Form form{QStringLiteral("frmPrintPreview")};
    forms::CommandButton* button = nullptr;
    PreviewControl* control = nullptr;

    ShownPreview()
    {
        registerPrintPreviewKind();
        button = &dynamic_cast<forms::CommandButton&>(forms::buildControl(
            form, {.kind = forms::ControlKind::CommandButton, .name = "cmdPrint", .width = 900, .height = 375, .caption = "Print"}));
        control = &dynamic_cast<PreviewControl&>(forms::buildControl(
            form, {.kind = forms::ControlKind::PrintPreview, .name = "prtPrintPreview", .top = 450, .width = 4500, .height = 3000}));
        control->printer().startDoc();
        control->printer().paragraph(QStringLiteral("A page taller and wider than its view."));
        control->printer().endDoc();
        form.move(0, 0, 5400, 4500);
        form.show();
        QApplication::processEvents();
    }

    QScrollBar& vertical() { return *control->preview().verticalScrollBar(); }
    QScrollBar& horizontal() { return *control->preview().horizontalScrollBar(); }
    QWidget* focused() { return QApplication::focusWidget(); }
};

TEST_F(ShownPreview, TheKeysScrollThePageFromTopToBottomAndSideToSide)
{
    ASSERT_GT(vertical().maximum(), 3 * vertical().pageStep()) << "the page is taller than the view";
    ASSERT_GT(horizontal().maximum(), 0);
    button->setFocus();
    QTest::keyClick(focused(), Qt::Key_Tab);
    ASSERT_EQ(focused(), &control->preview()) << "Tab reaches the page";

    const int page = vertical().pageStep();
    const int line = vertical().singleStep();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int top;
    } steps[] = {
        {Qt::Key_Down, Qt::NoModifier, line},
        {Qt::Key_Down, Qt::NoModifier, 2 * line},
        {Qt::Key_Up, Qt::NoModifier, line},
        {Qt::Key_PageDown, Qt::NoModifier, line + page},
        {Qt::Key_PageUp, Qt::NoModifier, line},
        {Qt::Key_End, Qt::NoModifier, vertical().maximum()},
        {Qt::Key_PageDown, Qt::NoModifier, vertical().maximum()},
        {Qt::Key_Home, Qt::NoModifier, 0},
        {Qt::Key_Up, Qt::NoModifier, 0},
        {Qt::Key_End, Qt::ControlModifier, vertical().maximum()},
        {Qt::Key_Home, Qt::ControlModifier, 0},
    };
    for (const auto& step : steps) {
        QTest::keyClick(focused(), step.key, step.modifiers);
        EXPECT_EQ(vertical().value(), step.top) << QKeySequence(step.key | step.modifiers).toString().toStdString();
    }
    QTest::keyClick(focused(), Qt::Key_Right);
    EXPECT_EQ(horizontal().value(), horizontal().singleStep());
    QTest::keyClick(focused(), Qt::Key_Left);
    EXPECT_EQ(horizontal().value(), 0);
    EXPECT_EQ(focused(), &control->preview()) << "the keys scroll; the focus stays on the page";
}

} // namespace
