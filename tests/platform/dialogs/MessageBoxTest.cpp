#include "dialogs/MessageBox.h"
#include "dialogs/QtDialogProvider.h"
#include "dialogs/ScriptedDialogProvider.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace dialogs;

namespace {

struct StyleCase {
    int style;
    std::vector<int> buttons;
    int icon;
    int defaultButton;
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << "style " << c.style; }

class StyleDecoding : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StyleDecoding, GivesButtonsIconAndDefault) {
    const StyleCase& c = GetParam();
    const MessageBoxRequest request = messageBoxRequest(QStringLiteral("text"), c.style, QStringLiteral("T"));
    EXPECT_EQ(request.buttons(), c.buttons);
    EXPECT_EQ(request.icon, c.icon);
    EXPECT_EQ(request.defaultButton, c.defaultButton);
}

INSTANTIATE_TEST_SUITE_P(
    NumericStyles, StyleDecoding,
    ::testing::Values(
        StyleCase{0, {ButtonOK}, IconNone, ButtonOK},
        StyleCase{OKCancel + IconInformation, {ButtonOK, ButtonCancel}, IconInformation, ButtonOK},
        StyleCase{YesNoCancel + IconQuestion + DefaultButton2, {ButtonYes, ButtonNo, ButtonCancel}, IconQuestion, ButtonNo},
        StyleCase{YesNo + IconCritical, {ButtonYes, ButtonNo}, IconCritical, ButtonYes},
        StyleCase{AbortRetryIgnore + IconExclamation + DefaultButton3, {ButtonAbort, ButtonRetry, ButtonIgnore}, IconExclamation, ButtonIgnore},
        StyleCase{RetryCancel + DefaultButton2, {ButtonRetry, ButtonCancel}, IconNone, ButtonCancel},
        // A default beyond the buttons shown, an unknown set and an unknown icon fall back.
        StyleCase{OKCancel + DefaultButton3, {ButtonOK, ButtonCancel}, IconNone, ButtonOK},
        StyleCase{9, {ButtonOK}, IconNone, ButtonOK},
        StyleCase{YesNo + 80, {ButtonYes, ButtonNo}, IconNone, ButtonYes},
        StyleCase{4096 + YesNo, {ButtonYes, ButtonNo}, IconNone, ButtonYes}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return "Style" + std::to_string(info.param.style); });

TEST(ClosedBoxAnswer, DoesTheLeast) {
    EXPECT_EQ(closedBoxAnswer(messageBoxRequest({}, OKOnly)), ButtonOK);
    EXPECT_EQ(closedBoxAnswer(messageBoxRequest({}, YesNoCancel)), ButtonCancel);
    EXPECT_EQ(closedBoxAnswer(messageBoxRequest({}, YesNo)), ButtonNo);
    EXPECT_EQ(closedBoxAnswer(messageBoxRequest({}, AbortRetryIgnore)), ButtonAbort);
}

class DefaultTitle : public ::testing::Test {
protected:
    void TearDown() override { setDefaultTitle(QString()); }
    ScriptedDialogProvider script;
    ScopedDialogProvider use{script};
};

TEST_F(DefaultTitle, IsTheApplicationNameUntilSet) {
    script.answerEveryMessageBox(ButtonOK);
    script.answerCheckableMessage(CheckableOK, false);
    messageBox(QStringLiteral("one"));
    setDefaultTitle(QStringLiteral("Cindrel"));
    messageBox(QStringLiteral("two"));
    messageBox(QStringLiteral("three"), OKOnly, QStringLiteral("Km message"));
    checkableMessage({});

    const auto boxes = script.requestsOf<MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].title, QCoreApplication::applicationName());
    EXPECT_EQ(boxes[1].title, QStringLiteral("Cindrel"));
    EXPECT_EQ(boxes[2].title, QStringLiteral("Km message"));
    EXPECT_EQ(script.requestsOf<CheckableMessageRequest>().at(0).title, QStringLiteral("Cindrel"));
}

// The real Qt box, answered by pressing one of its buttons from a timer.
int pressInQtBox(const MessageBoxRequest& request,
                 const std::function<void(QMessageBox&)>& press) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box shown";
            return;
        }
        press(*box);
    });
    QtDialogProvider provider;
    return provider.messageBox(request);
}

QAbstractButton* buttonWithText(QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons())
        if (button->text().remove(QLatin1Char('&')) == text)
            return button;
    return nullptr;
}

TEST(QtMessageBox, ReturnsTheCodeOfTheButtonPressed) {
    const MessageBoxRequest request =
        messageBoxRequest(QStringLiteral("The data has changed, save?"), YesNoCancel + IconQuestion,
                          QStringLiteral("Cindrel, Save?"));
    QString shownTitle;
    const int answer = pressInQtBox(request, [&](QMessageBox& box) {
        shownTitle = box.windowTitle();
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.buttons().size(), 3);
        buttonWithText(box, QStringLiteral("No"))->click();
    });
    EXPECT_EQ(answer, ButtonNo);
    EXPECT_EQ(shownTitle, QStringLiteral("Cindrel, Save?"));
}

TEST(QtMessageBox, StartsOnTheDefaultButtonAndAnswersCancelWhenClosed) {
    const int answer = pressInQtBox(messageBoxRequest(QStringLiteral("q"), YesNoCancel + DefaultButton2),
                                    [](QMessageBox& box) {
                                        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), buttonWithText(box, QStringLiteral("No")));
                                        box.reject();
                                    });
    EXPECT_EQ(answer, ButtonCancel);
}

TEST(QtMessageBox, AbortRetryIgnoreGivesTheirCodes) {
    EXPECT_EQ(pressInQtBox(messageBoxRequest({}, AbortRetryIgnore),
                           [](QMessageBox& box) { buttonWithText(box, QStringLiteral("Retry"))->click(); }),
              ButtonRetry);
    EXPECT_EQ(pressInQtBox(messageBoxRequest({}, AbortRetryIgnore),
                           [](QMessageBox& box) { buttonWithText(box, QStringLiteral("Ignore"))->click(); }),
              ButtonIgnore);
}

TEST(QtMessageBox, ShowsTheTextAsPlainLines) {
    const QString text = QStringLiteral("File  /d/<b>gear</b>.cnd not found\r\nerror #53");
    pressInQtBox(messageBoxRequest(text), [](QMessageBox& box) {
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.text(), QStringLiteral("File  /d/<b>gear</b>.cnd not found\nerror #53"));
        box.accept();
    });
}

} // namespace
