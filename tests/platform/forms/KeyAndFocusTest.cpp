#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/KeyCodes.h"
#include "forms/Label.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"

#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
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

// A window of a box, an editable and a list combo, a check box and two
// buttons, in that tab order, each logging its focus events and clicks.
struct FocusWindow {
    Form form{QStringLiteral("frmFocus")};
    TextBox& box = form.add<TextBox>({QStringLiteral("txtShare"), 0});
    ComboBox& combo = form.add<ComboBox>({QStringLiteral("cboUnits")}, ComboStyle::DropdownCombo);
    ComboBox& list = form.add<ComboBox>({QStringLiteral("cboList")}, ComboStyle::DropdownList);
    CheckBox& check = form.add<CheckBox>({QStringLiteral("chkAGMA")});
    CommandButton& next = form.add<CommandButton>({QStringLiteral("cmdNext")});
    CommandButton& back = form.add<CommandButton>({QStringLiteral("cmdBack")});
    std::vector<std::string> log;

    FocusWindow() {
        form.move(0, 0, 7000, 5000);
        const std::vector<Control*> all = {&box, &combo, &list, &check, &next, &back};
        for (std::size_t i = 0; i < all.size(); ++i) {
            Control* c = all[i];
            c->move(100, 100 + 450 * static_cast<double>(i), 2000, 350);
            const std::string name = c->name().toStdString();
            c->onGotFocus.connect([this, name] { log.push_back(name + " got"); });
            c->onLostFocus.connect([this, name] { log.push_back(name + " lost"); });
        }
        combo.addItem(QStringLiteral("in"));
        list.addItem(QStringLiteral("mm"));
        next.setCaption(QStringLiteral("&Next"));
        back.setCaption(QStringLiteral("&Back"));
        next.onClick.connect([this] { log.push_back("cmdNext click"); });
        back.onClick.connect([this] { log.push_back("cmdBack click"); });
        form.show();
        QApplication::setActiveWindow(form.window());
        box.setFocus();
        log.clear();
    }
    // Keys go where the user's keyboard sends them: the focused widget.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key, modifiers);
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
};

TEST(KeyFocus, TabAndShiftTabRaiseLostFocusThenGotFocusOnceEach) {
    FocusWindow w;
    for (int i = 0; i < 5; ++i)
        w.press(Qt::Key_Tab);
    EXPECT_EQ(w.log, (std::vector<std::string>{"txtShare lost", "cboUnits got", "cboUnits lost", "cboList got",
                                               "cboList lost", "chkAGMA got", "chkAGMA lost", "cmdNext got",
                                               "cmdNext lost", "cmdBack got"}));
    EXPECT_EQ(w.form.activeControl(), &w.back);
    w.log.clear();
    for (int i = 0; i < 5; ++i)
        w.press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(w.log, (std::vector<std::string>{"cmdBack lost", "cmdNext got", "cmdNext lost", "chkAGMA got",
                                               "chkAGMA lost", "cboList got", "cboList lost", "cboUnits got",
                                               "cboUnits lost", "txtShare got"}));
    EXPECT_EQ(w.form.activeControl(), &w.box);
    // Backtab, as some keyboards send Shift+Tab.
    w.log.clear();
    w.press(Qt::Key_Tab);
    w.press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.log, (std::vector<std::string>{"txtShare lost", "cboUnits got", "cboUnits lost", "txtShare got"}));
}

TEST(KeyFocus, ALostFocusHandlerThatKeepsTheFocusIsObeyedOnTab) {
    // A box that refuses to be left with a bad value takes the focus back; the
    // box the key was going to never gains nor loses it.
    FocusWindow w;
    w.box.onLostFocus.connect([&] {
        if (w.box.text() == QStringLiteral("0"))
            w.box.setFocus();
    });
    w.type(QStringLiteral("0"));
    w.press(Qt::Key_Tab);
    EXPECT_EQ(w.log, (std::vector<std::string>{"txtShare lost", "txtShare got"}));
    EXPECT_EQ(w.form.activeControl(), &w.box);
    w.log.clear();
    w.type(QStringLiteral("5"));
    w.press(Qt::Key_Tab);
    EXPECT_EQ(w.log, (std::vector<std::string>{"txtShare lost", "cboUnits got"}));
}

TEST(KeyFocus, AFocusMoveInsideAKeysHandlerRaisesItsEvents) {
    // Space clicks a button on its release; the click moves the focus.
    FocusWindow w;
    w.next.onClick.connect([&] { w.box.setFocus(); });
    w.next.setFocus();
    w.log.clear();
    w.press(Qt::Key_Space);
    EXPECT_EQ(w.log, (std::vector<std::string>{"cmdNext click", "cmdNext lost", "txtShare got"}));
}

TEST(AccessKeys, AButtonsKeyLeavesTheBoxFirstThenClicks) {
    // The box's leaving handler puts the value right; the click must read it.
    FocusWindow w;
    QString read;
    w.box.onLostFocus.connect([&] { w.box.setText(QStringLiteral("60")); });
    w.next.onClick.connect([&] { read = w.box.text(); });
    w.type(QStringLiteral("40"));
    w.press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(w.log, (std::vector<std::string>{"txtShare lost", "cmdNext got", "cmdNext click"}));
    EXPECT_EQ(read, QStringLiteral("60"));
    EXPECT_EQ(w.form.activeControl(), &w.next);
    // A button that already has the focus clicks at once.
    w.log.clear();
    w.press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(w.log, (std::vector<std::string>{"cmdNext click"}));
}

// A label's access key moves the focus to the control after it, as the
// window orders them, passing over one that cannot take the focus; it types
// nothing and clicks nothing.
TEST(AccessKeys, ALabelsKeyMovesTheFocusToTheControlAfterIt) {
    Form form(QStringLiteral("frmLabels"));
    auto& modulusLabel = form.add<Label>({QStringLiteral("lblYoungsModulusTitle")});
    auto& modulus = form.add<TextBox>({QStringLiteral("txtYoungsModulus"), 0});
    auto& units = form.add<TextBox>({QStringLiteral("txtUnits")});
    auto& notesLabel = form.add<Label>({QStringLiteral("lblNotes")});
    auto& locked = form.add<TextBox>({QStringLiteral("txtLocked")});
    auto& notes = form.add<TextBox>({QStringLiteral("txtNotes")});
    auto& goLabel = form.add<Label>({QStringLiteral("lblGo")});
    auto& go = form.add<CommandButton>({QStringLiteral("cmdGo")});
    form.move(0, 0, 6000, 5000);
    int top = 100;
    for (Control* c : std::vector<Control*>{&modulusLabel, &modulus, &units, &notesLabel, &locked, &notes, &goLabel, &go}) {
        c->move(100, top, 2500, 350);
        top += 450;
    }
    modulusLabel.setCaption(QStringLiteral("&Young's Modulus"));
    notesLabel.setCaption(QStringLiteral("N&otes"));
    goLabel.setCaption(QStringLiteral("&Run"));
    go.setCaption(QStringLiteral("Go"));
    locked.setEnabled(false);
    int clicks = 0;
    go.onClick.connect([&] { ++clicks; });
    form.show();
    QApplication::setActiveWindow(form.window());

    struct Case {
        Qt::Key key;
        Control* focused;
    };
    const Case cases[] = {{Qt::Key_Y, &modulus}, {Qt::Key_O, &notes}, {Qt::Key_R, &go}, {Qt::Key_Y, &modulus}};
    units.setFocus();
    for (const Case& c : cases) {
        QTest::keyClick(QApplication::focusWidget(), c.key, Qt::AltModifier);
        EXPECT_EQ(form.activeControl(), c.focused) << char(c.key);
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(modulus.text(), QString());
    EXPECT_EQ(notes.text(), QString());
    // A hidden label's key moves nothing, though its control still shows.
    modulusLabel.setVisible(false);
    units.setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::AltModifier);
    EXPECT_EQ(form.activeControl(), &units);
    EXPECT_EQ(units.text(), QString());
}

// An access key and a mouse click alike: the button pressed clicks only when
// the box left lets the focus go to it, enabled and shown.
TEST(AccessKeys, NoClickWhenTheBoxLeftKeepsTheFocusOrDisablesTheButton) {
    struct Case {
        const char* name;
        bool mouse;
        std::function<void(FocusWindow&)> onLeave;
        std::vector<std::string> expected;
    };
    const auto takeBack = [](FocusWindow& w) { w.box.setFocus(); };
    const auto disable = [](FocusWindow& w) { w.next.setEnabled(false); };
    const std::vector<Case> cases = {
        {"key, focus taken back", false, takeBack, {"txtShare lost", "txtShare got"}},
        // A button disabled or hidden as it takes the focus hands it on.
        {"key, button disabled", false, disable, {"txtShare lost", "cmdBack got"}},
        {"key, button hidden", false, [](FocusWindow& w) { w.next.setVisible(false); }, {"txtShare lost", "cmdBack got"}},
        {"mouse, focus taken back", true, takeBack, {"txtShare lost", "txtShare got"}},
        {"mouse, button disabled", true, disable, {"txtShare lost", "cmdBack got"}},
        {"mouse, value put right", true, [](FocusWindow& w) { w.box.setText(QStringLiteral("60")); },
         {"txtShare lost", "cmdNext got", "cmdNext click"}},
    };
    for (const Case& c : cases) {
        FocusWindow w;
        bool once = false;
        w.box.onLostFocus.connect([&] {
            if (!std::exchange(once, true))
                c.onLeave(w);
        });
        if (c.mouse)
            QTest::mouseClick(w.next.widget(), Qt::LeftButton);
        else
            w.press(Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(w.log, c.expected) << c.name;
        if (!c.mouse)
            continue;
        // A refused press holds for that press alone: the next one clicks.
        QCoreApplication::processEvents();
        w.log.clear();
        w.next.setEnabled(true);
        QTest::mouseClick(w.next.widget(), Qt::LeftButton);
        EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "cmdNext click"), 1) << c.name;
    }
}

TEST(EnterKey, EnterOnAFocusedButtonClicksItAsSpaceDoes) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        FocusWindow w;
        w.back.setDefault(true);
        w.next.setFocus();
        w.log.clear();
        w.press(key);
        EXPECT_EQ(w.log, (std::vector<std::string>{"cmdNext click"})) << "key " << key << ": the focused button, not the default one";
    }
    // Enter in a box still presses the default button.
    FocusWindow w;
    w.back.setDefault(true);
    w.press(Qt::Key_Return);
    EXPECT_EQ(w.log, (std::vector<std::string>{"cmdBack click"}));
}

const std::vector<ControlSpec> menuBarLayout = {
    {.kind = ControlKind::MenuItem, .name = "mnuHidden", .caption = "&Hidden", .visible = false},
    {.kind = ControlKind::MenuItem, .name = "mnuFile", .caption = "&File"},
    {.kind = ControlKind::MenuItem, .name = "mnuNew", .container = "mnuFile", .caption = "&New"},
    {.kind = ControlKind::MenuItem, .name = "mnuOpen", .container = "mnuFile", .caption = "&Open"},
    {.kind = ControlKind::MenuItem, .name = "mnuOutputs", .caption = "Outputs"},
    {.kind = ControlKind::MenuItem, .name = "mnuPrint", .container = "mnuOutputs", .caption = "Print Report"},
    {.kind = ControlKind::MenuItem, .name = "mnuSave", .container = "mnuOutputs", .caption = "Save Report"},
    {.kind = ControlKind::MenuItem, .name = "mnuExit", .caption = "---Return to Main---"},
};

TEST(MenuKeys, F10ActivatesTheMenuBarAndTheArrowsAndEnterChoose) {
    FocusWindow w;
    buildLayout(w.form, menuBarLayout);
    std::vector<std::string> chosen;
    for (const char* name : {"mnuNew", "mnuOpen", "mnuPrint", "mnuSave", "mnuExit"})
        w.form.get<MenuItem>(QString::fromLatin1(name)).onClick.connect([&chosen, name] { chosen.emplace_back(name); });
    QMenuBar* bar = w.form.menuBar();
    ASSERT_TRUE(bar->isVisible());
    // Keys go to the open menu, else where the keyboard sends them.
    const auto keys = [&](std::initializer_list<Qt::Key> sequence) {
        for (const Qt::Key key : sequence) {
            QWidget* menu = QApplication::activePopupWidget();
            QTest::keyClick(menu != nullptr ? menu : QApplication::focusWidget(), key);
        }
    };

    w.press(Qt::Key_F10);
    EXPECT_EQ(bar->activeAction(), w.form.get<MenuItem>(QStringLiteral("mnuFile")).action())
        << "the first visible menu, past a hidden one";
    EXPECT_TRUE(w.log.empty()) << "a menu leaves the box's focus alone";
    // Down opens the menu at its first command; Right goes on to the menu
    // without access letters, opened at its first command.
    keys({Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(chosen, (std::vector<std::string>{"mnuSave"}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // Left from the first menu, round to the command on the bar itself.
    w.press(Qt::Key_F10);
    keys({Qt::Key_Left, Qt::Key_Return});
    EXPECT_EQ(chosen, (std::vector<std::string>{"mnuSave", "mnuExit"}));
    // And on from that command along the bar, round to the first menu, opened.
    w.press(Qt::Key_F10);
    keys({Qt::Key_Left, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(chosen, (std::vector<std::string>{"mnuSave", "mnuExit", "mnuOpen"}));
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_EQ(w.form.activeControl(), &w.box);
    EXPECT_TRUE(w.log.empty()) << "nor do the commands chosen";

    // Escape closes the menu, then leaves the bar; the box takes the keys again.
    w.press(Qt::Key_F10);
    keys({Qt::Key_Escape});
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_NE(bar->activeAction(), nullptr) << "the bar stays active";
    // A letter on the active bar opens the menu it is the access key of.
    keys({Qt::Key_H, Qt::Key_F});
    EXPECT_EQ(QApplication::activePopupWidget(), w.form.get<MenuItem>(QStringLiteral("mnuFile")).submenu())
        << "the hidden menu's letter is passed over";
    // Down reopens it at its first command.
    keys({Qt::Key_Escape, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(chosen.back(), "mnuNew");
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_EQ(w.form.activeControl(), &w.box);
    w.press(Qt::Key_F10);
    keys({Qt::Key_Escape, Qt::Key_Escape});
    EXPECT_EQ(bar->activeAction(), nullptr);
    w.type(QStringLiteral("7"));
    EXPECT_EQ(w.box.text(), QStringLiteral("7"));
    EXPECT_EQ(w.form.activeControl(), &w.box);
    EXPECT_TRUE(w.log.empty());
}

TEST(MenuKeys, F10WithoutAMenuBarIsAPlainKey) {
    FocusWindow w;
    w.form.setKeyPreview(true);
    std::vector<int> codes;
    w.form.onKeyDown.connect([&](int& key, int) { codes.push_back(key); });
    w.press(Qt::Key_F10);
    EXPECT_EQ(codes, (std::vector<int>{121}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(w.form.activeControl(), &w.box);
    // A KeyDown handler that takes F10 keeps it from the menu bar.
    buildLayout(w.form, menuBarLayout);
    w.form.onKeyDown.connect([](int& key, int) {
        if (key == 121)
            key = 0;
    });
    w.press(Qt::Key_F10);
    EXPECT_EQ(w.form.menuBar()->activeAction(), nullptr);
}

// Alt with a letter that is no access key and no menu of the window types
// nothing, in any box; the window's keys act as before, and AltGr types.
TEST(AltKeys, AnAltLetterTypesOnlyWhenItIsNoAltLetter) {
    // Keys as the keyboard sends them, with their text: AltGr comes from the
    // X server as the key of the character, with the group switch or with no
    // modifier at all, and on the forms' own platform as Ctrl+Alt.
    const auto send = [](Qt::Key key, const char* text, Qt::KeyboardModifiers modifiers) {
        return [=](FocusWindow&) {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, QString::fromUtf8(text), modifiers);
        };
    };
    const auto altKey = [](Qt::Key key, Qt::KeyboardModifiers more = Qt::NoModifier) {
        return [=](FocusWindow& w) { w.press(key, Qt::AltModifier | more); };
    };
    struct Case {
        const char* name;
        std::function<void(FocusWindow&)> keys;
        const char* expected; // the box's text, "20" typed before
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"Alt+Z at the end", altKey(Qt::Key_Z), "20", {}},
        {"Alt+I over the selected text",
         [](FocusWindow& w) {
             w.press(Qt::Key_A, Qt::ControlModifier);
             w.press(Qt::Key_I, Qt::AltModifier);
         },
         "20", {}},
        {"Alt+Shift+Z", altKey(Qt::Key_Z, Qt::ShiftModifier), "20", {}},
        {"Alt+H, the letter of a hidden menu", altKey(Qt::Key_H), "20", {}},
        {"Alt+5", altKey(Qt::Key_5), "20", {}},
        {"AltGr with the group switch", send(Qt::Key_Q, "@", Qt::GroupSwitchModifier), "20@", {}},
        {"AltGr with the group switch and Alt", send(Qt::Key_E, "\u20ac", Qt::GroupSwitchModifier | Qt::AltModifier),
         "20\u20ac", {}},
        {"AltGr with no modifier", send(Qt::Key_BracketLeft, "[", Qt::NoModifier), "20[", {}},
        {"AltGr as Ctrl+Alt", send(Qt::Key_Q, "@", Qt::ControlModifier | Qt::AltModifier), "20@", {}},
        {"Ctrl+Alt+Z", send(Qt::Key_Z, "\x1a", Qt::ControlModifier | Qt::AltModifier), "20", {}},
        {"Alt+N, an access key", altKey(Qt::Key_N), "20", {"txtShare lost", "cmdNext got", "cmdNext click"}},
        {"Alt+F, a menu's letter",
         [](FocusWindow& w) {
             w.press(Qt::Key_F, Qt::AltModifier);
             if (QApplication::activePopupWidget() == w.form.get<MenuItem>(QStringLiteral("mnuFile")).submenu())
                 w.log.emplace_back("File menu open");
             if (QWidget* menu = QApplication::activePopupWidget())
                 QTest::keyClick(menu, Qt::Key_Escape);
         },
         "20", {"File menu open"}},
    };
    for (const Case& c : cases) {
        FocusWindow w;
        buildLayout(w.form, menuBarLayout);
        w.type(QStringLiteral("20"));
        c.keys(w);
        EXPECT_EQ(w.box.text().toStdString(), c.expected) << c.name;
        EXPECT_EQ(w.log, c.log) << c.name;
    }
}

TEST(AltKeys, AnAltLetterTypesNothingInAComboNorAMultiLineBox) {
    FocusWindow w;
    auto& notes = w.form.add<TextBox>({QStringLiteral("txtNotes")}, TextBoxLines::Multi);
    notes.move(2500, 100, 2000, 1000);
    w.press(Qt::Key_Tab);
    ASSERT_EQ(w.form.activeControl(), &w.combo);
    w.type(QStringLiteral("mm"));
    w.press(Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(w.combo.text(), QStringLiteral("mm"));
    notes.setFocus();
    w.type(QStringLiteral("ok"));
    w.press(Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(notes.text(), QStringLiteral("ok"));
}

TEST(AltKeys, AnAltLetterIsAKeyDownWithoutAKeyPress) {
    // As on the forms' platform: the handlers see the key and Alt, no character.
    KeyWindow w;
    w.form.setKeyPreview(true);
    int shift = -1;
    w.box.onKeyDown.connect([&](int& key, int state) {
        if (key == 'Z')
            shift = state;
    });
    QTest::keyClick(w.boxWidget(), Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(w.log, (std::vector<std::string>{"form KeyDown 18", "box KeyDown 18", "form KeyDown 90",
                                               "box KeyDown 90", "box KeyUp 90", "box KeyUp 18"}));
    EXPECT_EQ(shift, ShiftState::Alt);
    EXPECT_EQ(w.box.text(), QString());
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
