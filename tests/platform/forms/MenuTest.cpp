#include "forms/AccessKey.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace forms;

const std::vector<ControlSpec> fileMenuLayout = {
    {.kind = ControlKind::MenuItem, .name = "mnuFile", .caption = "&File"},
    {.kind = ControlKind::MenuItem, .name = "mnuNew", .container = "mnuFile", .caption = "&New", .shortcut = QKeySequence("Ctrl+N")},
    {.kind = ControlKind::MenuItem, .name = "mnuFileRecent", .index = 0, .container = "mnuFile", .caption = "-"},
    {.kind = ControlKind::MenuItem, .name = "mnuSpacer", .container = "mnuFile", .caption = "-"},
    {.kind = ControlKind::MenuItem, .name = "mnuFileExit", .container = "mnuFile", .caption = "E&xit"},
    {.kind = ControlKind::MenuItem, .name = "mnuCopyGraph", .caption = "Copy Graph to Clipboard", .visible = false},
    {.kind = ControlKind::MenuItem, .name = "mnuGraphCopyBMP", .container = "mnuCopyGraph", .caption = "Copy Graph to Clipboard as Bitmap"},
    {.kind = ControlKind::MenuItem, .name = "mnuDraw", .caption = "&Draw"},
};

QStringList captionsOf(QWidget* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

TEST(Menus, MenusBuildFromTheLayoutWithCaptionsShortcutsAndSeparators) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, fileMenuLayout);
    auto& file = form.get<MenuItem>(QStringLiteral("mnuFile"));
    ASSERT_NE(file.submenu(), nullptr);
    EXPECT_EQ(captionsOf(file.submenu()), (QStringList{"&New", "-", "-", "E&xit"}));
    EXPECT_EQ(form.get<MenuItem>(QStringLiteral("mnuNew")).action()->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(captionsOf(form.menuBar()).size(), 3);
    EXPECT_FALSE(form.get<MenuItem>(QStringLiteral("mnuCopyGraph")).action()->isVisible());
    EXPECT_EQ(form.get<MenuItem>(QStringLiteral("mnuDraw")).submenu(), nullptr) << "a command on the menu bar";
}

// A "-" caption is drawn as a plain line, as tall as the window system's own
// separator, never as an item showing the dash; a caption set later switches
// the item between command and separator.
TEST(Menus, ADashCaptionIsAPlainSeparatorLine) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, fileMenuLayout);
    QMenu* file = form.get<MenuItem>(QStringLiteral("mnuFile")).submenu();
    ASSERT_NE(file, nullptr);
    QMenu plain;
    plain.addAction(QStringLiteral("&New"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    plain.addSeparator();
    plain.addSeparator();
    plain.addAction(QStringLiteral("E&xit"));
    EXPECT_EQ(file->sizeHint(), plain.sizeHint());
    for (QAction* action : file->actions())
        EXPECT_TRUE(!action->isSeparator() || action->text().isEmpty());

    auto& recent = form.get<MenuItem>(QStringLiteral("mnuFileRecent"), 0);
    recent.setCaption(QStringLiteral("1;   a.cnd"));
    EXPECT_FALSE(recent.action()->isSeparator());
    EXPECT_EQ(recent.action()->text(), QStringLiteral("1;   a.cnd"));
    EXPECT_NE(file->sizeHint(), plain.sizeHint());
    recent.setCaption(QStringLiteral("-"));
    EXPECT_TRUE(recent.action()->isSeparator());
    EXPECT_EQ(file->sizeHint(), plain.sizeHint());
}

TEST(Menus, ArrayMembersLoadedAtRunTimeFollowTheArrayAndUnload) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, fileMenuLayout);
    for (int i = 1; i <= 3; ++i)
        static_cast<MenuItem&>(form.loadArrayMember(QStringLiteral("mnuFileRecent"), i))
            .setCaption(QStringLiteral("%1;   pair%1.cnd").arg(i));
    auto& file = form.get<MenuItem>(QStringLiteral("mnuFile"));
    EXPECT_EQ(captionsOf(file.submenu()),
              (QStringList{"&New", "-", "1;   pair1.cnd", "2;   pair2.cnd", "3;   pair3.cnd", "-", "E&xit"}));

    int clicked = 0;
    form.get<MenuItem>(QStringLiteral("mnuFileRecent"), 2).onClick.connect([&] { ++clicked; });
    form.get<MenuItem>(QStringLiteral("mnuFileRecent"), 2).action()->trigger();
    EXPECT_EQ(clicked, 1);

    form.unloadArrayMember(QStringLiteral("mnuFileRecent"), 2);
    form.unloadArrayMember(QStringLiteral("mnuFileRecent"), 3);
    EXPECT_EQ(captionsOf(file.submenu()), (QStringList{"&New", "-", "1;   pair1.cnd", "-", "E&xit"}));
    static_cast<MenuItem&>(form.loadArrayMember(QStringLiteral("mnuFileRecent"), 2)).setCaption(QStringLiteral("2;   b.cnd"));
    EXPECT_EQ(captionsOf(file.submenu()), (QStringList{"&New", "-", "1;   pair1.cnd", "2;   b.cnd", "-", "E&xit"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Menus, CheckedEnabledVisible) {
    Form form(QStringLiteral("frmMisc"));
    auto& options = form.add<MenuItem>({QStringLiteral("mnuOpt")});
    auto& autoClose = form.add<MenuItem>({QStringLiteral("mnuAutoClose"), -1, &options});
    autoClose.setChecked(!autoClose.checked());
    EXPECT_TRUE(autoClose.action()->isChecked());
    autoClose.setEnabled(false);
    EXPECT_FALSE(autoClose.action()->isEnabled());
    autoClose.setVisible(false);
    EXPECT_FALSE(autoClose.visible());
}

struct CaptionCase {
    const char* caption;
    const char* shown;
    char key;
};

TEST(AccessKeys, CaptionsMarkTheirKeyAndReadBackAsSet) {
    const std::vector<CaptionCase> cases = {
        {"&File", "File", 'F'},
        {"S&ave Gear Set As...", "Save Gear Set As...", 'A'},
        {"Input Power && Torque", "Input Power & Torque", 0},
        {"Scoring && Subshear &Inputs", "Scoring & Subshear Inputs", 'I'},
        {"Launch Vantrope", "Launch Vantrope", 0},
        {"Ends with &", "Ends with &", 0},
        {"", "", 0},
    };
    Form form(QStringLiteral("frmMain"));
    auto& button = form.add<CommandButton>({QStringLiteral("cmdTest")});
    // Wide enough for every caption on one line: a narrower button wraps it.
    button.move(0, 0, 4500, 375);
    for (const CaptionCase& c : cases) {
        const QString caption = QString::fromUtf8(c.caption);
        EXPECT_EQ(displayedCaption(caption), QString::fromUtf8(c.shown)) << c.caption;
        EXPECT_EQ(accessKey(caption), c.key == 0 ? QChar() : QChar(c.key)) << c.caption;
        button.setCaption(caption);
        EXPECT_EQ(button.caption(), caption);
        EXPECT_EQ(displayedCaption(static_cast<QAbstractButton*>(button.widget())->text()), QString::fromUtf8(c.shown))
            << "Qt shows what the caption means: " << c.caption;
    }
}

} // namespace

namespace {

TEST(Menus, AHiddenMenuPopsUpAndReturnsWhenClosed) {
    forms::Form form(QStringLiteral("frmMain"));
    forms::buildLayout(form, fileMenuLayout);
    form.show();
    auto& graphMenu = form.get<forms::MenuItem>(QStringLiteral("mnuCopyGraph"));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        shown = popup == graphMenu.submenu();
        if (popup != nullptr)
            popup->close();
    });
    form.popupMenu(graphMenu);
    EXPECT_TRUE(shown);
}

} // namespace
