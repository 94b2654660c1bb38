#include "log/MessageLogger.h"
#include "messages/frmMessage.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using vantrope::frmMessage;
using vantrope::MessageLogger;
using vantrope::messageLine;

namespace {

TEST(MessageLine, JoinsTheNonEmptyParts)
{
    struct Case {
        const char *module, *routine, *number, *description, *extra, *line;
    };
    const Case cases[] = {
        {"clsGear", "Inputs", "13", "Type mismatch", "2",
         "\r\nModule; clsGear, Routine; Inputs, Mess#13, Description; Type mismatch, 2"},
        {"", "ReadInputs", "11", "Division by zero", "", "\r\n, Routine; ReadInputs, Mess#11, Description; Division by zero"},
        {"clsMesh", "", "", "", "", "\r\nModule; clsMesh"},
        {"", "", "", "", "", "\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(messageLine(c.module, c.routine, c.number, c.description, c.extra), c.line) << c.line;
}

TEST(MessageLogger, AppendsLinesAndShowsTheWindow)
{
    frmMessage window;
    MessageLogger logger(window);
    logger.LogMessage("clsGear", "Inputs", "13", "Type mismatch", "2");
    logger.reportError("mAPI_draw", "DrawLine", "6", "Overflow", "");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Vantrope Messages");
    EXPECT_EQ(window.text(), "\r\nModule; clsGear, Routine; Inputs, Mess#13, Description; Type mismatch, 2"
                             "\r\nModule; mAPI_draw, Routine; DrawLine, Mess#6, Description; Overflow");
    EXPECT_EQ(window.txtMess()->toPlainText(),
              "\nModule; clsGear, Routine; Inputs, Mess#13, Description; Type mismatch, 2"
              "\nModule; mAPI_draw, Routine; DrawLine, Mess#6, Description; Overflow");
}

TEST(MessageLogger, MessagesOffLeavesNoTrace)
{
    frmMessage window;
    MessageLogger logger(window);
    bool off = true;
    logger.setMessagesOff([&off] { return off; });
    logger.LogMessage("clsGear", "Inputs", "13", "Type mismatch", "");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.text(), "");
    off = false;
    logger.LogMessage("clsGear", "Inputs", "13", "Type mismatch", "");
    EXPECT_TRUE(window.isVisible());
}

TEST(MessageWindow, ClosingHidesAndKeepsTheTextClearingEmptiesIt)
{
    frmMessage window;
    MessageLogger logger(window);
    logger.LogMessage("A", "", "", "", "");
    EXPECT_TRUE(window.close() == false || !window.isVisible());
    EXPECT_FALSE(window.isVisible());
    logger.LogMessage("B", "", "", "", "");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.text(), "\r\nModule; A\r\nModule; B");
    window.mnuClearErrs()->trigger();
    EXPECT_EQ(window.text(), "");
    EXPECT_EQ(window.txtMess()->toPlainText(), "");
}

TEST(MessageWindow, F10ReachesClearMessagesFromTheKeyboard)
{
    frmMessage window;
    MessageLogger logger(window);
    logger.LogMessage("A", "", "", "", "");
    window.activateWindow();
    window.txtMess()->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.txtMess(), Qt::Key_F10);
    EXPECT_EQ(window.menuBar()->activeAction(), window.mnuClearErrs());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window.text(), "");
    EXPECT_EQ(window.menuBar()->activeAction(), nullptr);
}

} // namespace
