#include "forms/Form.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace forms;

void flushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

const std::vector<ControlSpec> recentFilesLayout = {
    {.kind = ControlKind::MenuItem, .name = "mnuFile", .caption = "&File"},
    {.kind = ControlKind::MenuItem, .name = "mnuFileRecent", .index = 0, .container = "mnuFile", .caption = "-"},
    {.kind = ControlKind::MenuItem, .name = "mnuFileExit", .container = "mnuFile", .caption = "E&xit"},
};

// The recent-files menu rebuilds itself from the click of one of its own
// members: every member but 0 is unloaded, then loaded afresh.
void rebuildRecentFiles(Form& form, const QStringList& files, int& clicks) {
    for (int index : form.arrayIndexes(QStringLiteral("mnuFileRecent")))
        if (index != 0)
            form.unloadArrayMember(QStringLiteral("mnuFileRecent"), index);
    for (int i = 1; i <= files.size(); ++i) {
        auto& item = static_cast<MenuItem&>(form.loadArrayMember(QStringLiteral("mnuFileRecent"), i));
        item.setCaption(QStringLiteral("%1;   %2").arg(i).arg(files[i - 1]));
        item.onClick.connect([&form, &clicks, files] {
            ++clicks;
            rebuildRecentFiles(form, files, clicks);
        });
    }
}

TEST(Robustness, AMenuArrayMemberMayUnloadItselfFromItsOwnClick) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, recentFilesLayout);
    int clicks = 0;
    rebuildRecentFiles(form, {QStringLiteral("a.cnd"), QStringLiteral("b.cnd")}, clicks);
    QMenu* file = form.get<MenuItem>(QStringLiteral("mnuFile")).submenu();
    for (int round = 0; round < 3; ++round) {
        form.get<MenuItem>(QStringLiteral("mnuFileRecent"), 2).action()->trigger();
        flushDeferredDeletes();
    }
    EXPECT_EQ(clicks, 3);
    QStringList captions;
    for (QAction* action : file->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"-", "1;   a.cnd", "2;   b.cnd", "E&xit"}));
}

// The modal show must return without touching the destroyed window (the
// sanitizer build reports any use after free).
TEST(Robustness, DestroyingAWindowWhileItsModalLoopRunsEndsTheLoop) {
    auto* form = new Form(QStringLiteral("frmOptions"));
    bool destroyed = false;
    QTimer::singleShot(0, [form, &destroyed] {
        delete form;
        destroyed = true;
    });
    form->show(Modality::Modal);
    EXPECT_TRUE(destroyed);
    flushDeferredDeletes();
}

} // namespace
