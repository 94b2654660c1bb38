#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/KeyCodes.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"

#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace forms;

struct KeyWindow {
    Form form{QStringLiteral("frmMain")};
    Frame& frame = form.add<Frame>({QStringLiteral("fraHelixAngle"), 2});
    TextBox& box = form.add<TextBox>({QStringLiteral("txtNumTeeth"), 0, &frame});
    TextBox& other = form.add<TextBox>({QStringLiteral("txtNumTeeth"), 1, &frame});
    std::vector<std::string> log;

    KeyWindow() {
        form.move(0, 0, 6000, 4500);
        frame.move(0, 0, 5000, 3000);
        box.move(100, 300, 1500, 300);
        other.move(100, 900, 1500, 300);
        form.show();
        QApplication::setActiveWindow(form.window());
        box.onKeyDown.connect([this](int& key, int) { log.push_back("box KeyDown " + std::to_string(key)); });
        box.onKeyPress.connect([this](int& c) { log.push_back("box KeyPress " + std::to_string(c)); });
        box.onKeyUp.connect([this](int& key, int) { log.push_back("box KeyUp " + std::to_string(key)); });
        form.onKeyDown.connect([this](int& key, int) { log.push_back("form KeyDown " + std::to_string(key)); });
    }
    QWidget* boxWidget() const { return box.keyTarget(); }
};

TEST(KeyPreview, TheWindowSeesEachKeyBeforeTheFocusedControl) {
    for (const bool preview : {true, false}) {
        KeyWindow w;
        w.form.setKeyPreview(preview);
        QTest::keyClick(w.boxWidget(), Qt::Key_A);
        std::vector<std::string> expected = {"box KeyDown 65", "box KeyPress 97", "box KeyUp 65"};
        if (preview)
            expected.insert(expected.begin(), "form KeyDown 65");
        EXPECT_EQ(w.log, expected) << "preview " << preview;
        EXPECT_EQ(w.box.text(), QStringLiteral("a"));
    }
}

TEST(KeyPreview, KeysReportClassicCodes) {
    KeyWindow w;
    w.form.setKeyPreview(true);
    std::vector<int> codes;
    w.form.onKeyDown.connect([&](int& key, int) { codes.push_back(key); });
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_F1, Qt::Key_Return})
        QTest::keyClick(w.boxWidget(), key);
    EXPECT_EQ(codes, (std::vector<int>{37, 38, 39, 40, 33, 112, 13}));
}

TEST(KeyPreview, TypedPunctuationIsAKeyWithACodeToo) {
    // The window keeps the last key pressed; a sign or a decimal point typed
    // last must replace the key before it. Codes of a US keyboard: "-" 189,
    // "." 190, "," 188, keypad "." 110 and "-" 109, Shift 16 then "!" on key 49.
    KeyWindow w;
    w.form.setKeyPreview(true);
    std::vector<int> codes;
    w.form.onKeyDown.connect([&](int& key, int) { codes.push_back(key); });
    QTest::keyClicks(w.boxWidget(), QStringLiteral("-1.5,"));
    QTest::keyClick(w.boxWidget(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(w.boxWidget(), Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(w.boxWidget(), Qt::Key_Exclam, Qt::ShiftModifier);
    EXPECT_EQ(codes, (std::vector<int>{189, 49, 190, 53, 188, 110, 109, 16, 49}));
}

TEST(KeyPreview, HandlersCanSwallowOrReplaceAKey) {
    KeyWindow w;
    w.form.setKeyPreview(true);
    w.form.onKeyDown.connect([](int& key, int) {
        if (key == 'X')
            key = 0;
    });
    w.box.onKeyPress.connect([](int& c) {
        if (c == 'b')
            c = 'B';
    });
    QTest::keyClicks(w.boxWidget(), QStringLiteral("axb"));
    EXPECT_EQ(w.box.text(), QStringLiteral("aB"));
}

TEST(Focus, GotAndLostFocusFollowTheFocus) {
    KeyWindow w;
    w.other.setFocus();
    std::vector<std::string> focus;
    w.box.onGotFocus.connect([&] { focus.push_back("box got"); });
    w.box.onLostFocus.connect([&] { focus.push_back("box lost"); });
    w.other.onGotFocus.connect([&] { focus.push_back("other got"); });
    w.box.setFocus();
    w.other.setFocus();
    EXPECT_EQ(focus, (std::vector<std::string>{"box got", "box lost", "other got"}));
    EXPECT_EQ(w.form.activeControl(), &w.other);
}

TEST(Focus, MenusAndOtherWindowsLeaveTheFocusOfAControlAlone) {
    // A box that acts on losing the focus must not act when the user merely
    // opens a menu or looks at another window; only a move to another control counts.
    KeyWindow w;
    w.box.setFocus();
    std::vector<std::string> focus;
    w.box.onGotFocus.connect([&] { focus.push_back("got"); });
    w.box.onLostFocus.connect([&] { focus.push_back("lost"); });
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::TabFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(w.boxWidget(), &out);
        QFocusEvent in(QEvent::FocusIn, reason);
        QCoreApplication::sendEvent(w.boxWidget(), &in);
    }
    EXPECT_EQ(focus, (std::vector<std::string>{"lost", "got"}));
    // A window coming to the front with the focus on another control: that one gets it.
    w.other.onGotFocus.connect([&] { focus.push_back("other got"); });
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(w.other.keyTarget(), &in);
    EXPECT_EQ(focus, (std::vector<std::string>{"lost", "got", "other got"}));
}

TEST(Focus, SetFocusOnAControlThatCannotTakeItIsError5) {
    struct Case {
        const char* name;
        std::function<void(KeyWindow&)> arrange;
    };
    const std::vector<Case> cases = {
        {"hidden control", [](KeyWindow& w) { w.box.setVisible(false); }},
        {"disabled control", [](KeyWindow& w) { w.box.setEnabled(false); }},
        {"hidden container", [](KeyWindow& w) { w.frame.setVisible(false); }},
        {"disabled container", [](KeyWindow& w) { w.frame.setEnabled(false); }},
        {"hidden window", [](KeyWindow& w) { w.form.hide(); }},
    };
    for (const Case& c : cases) {
        KeyWindow w;
        c.arrange(w);
        try {
            w.box.setFocus();
            ADD_FAILURE() << c.name;
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), 5) << c.name;
            EXPECT_EQ(error.description(), "Invalid procedure call or argument");
        }
    }
}

TEST(DefaultAndCancel, EnterAndEscapePressTheirButtons) {
    KeyWindow w;
    auto& ok = w.form.add<CommandButton>({QStringLiteral("cmdOK")});
    auto& cancel = w.form.add<CommandButton>({QStringLiteral("cmdCancel")});
    ok.setDefault(true);
    cancel.setCancel(true);
    ok.onClick.connect([&] { w.log.push_back("OK"); });
    cancel.onClick.connect([&] { w.log.push_back("Cancel"); });
    w.log.clear();
    QTest::keyClick(w.boxWidget(), Qt::Key_Return);
    QTest::keyClick(w.boxWidget(), Qt::Key_Escape);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "OK"), 1);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "Cancel"), 1);
}

TEST(UserChoices, ClicksRaiseTheSameEventsAsCode) {
    Form form(QStringLiteral("frmMain"));
    auto& check = form.add<CheckBox>({QStringLiteral("chkAGMA")});
    auto& optA = form.add<OptionButton>({QStringLiteral("optPower"), 0});
    auto& optB = form.add<OptionButton>({QStringLiteral("optPower"), 1});
    check.move(0, 0, 2000, 300);
    optA.move(0, 400, 2000, 300);
    optB.move(0, 800, 2000, 300);
    form.show();
    int checkClicks = 0, optionClicks = 0;
    check.onClick.connect([&] { ++checkClicks; });
    optB.onClick.connect([&] { ++optionClicks; });
    optA.setSelected(true);

    static_cast<QAbstractButton*>(check.widget())->click();
    static_cast<QAbstractButton*>(optB.widget())->click();
    static_cast<QAbstractButton*>(optB.widget())->click();

    EXPECT_EQ(check.checkValue(), 1);
    EXPECT_EQ(checkClicks, 1);
    EXPECT_TRUE(optB.isSelected());
    EXPECT_FALSE(optA.isSelected());
    EXPECT_EQ(optionClicks, 1) << "clicking the selected option again raises nothing";
    EXPECT_TRUE(static_cast<QAbstractButton*>(optB.widget())->isChecked());
}

} // namespace
