#include "forms/Form.h"
#include "forms/ListView.h"
#include "forms/Slider.h"
#include "forms/TabStrip.h"
#include "forms/Timer.h"
#include "forms/TreeView.h"

#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using namespace forms;

using testsupport::errorNumberOf;

TEST(TabStrips, SelectingATabRaisesClickWithThePreviousTab) {
    Form form(QStringLiteral("frmAGMA"));
    auto& tabs = form.add<TabStrip>({QStringLiteral("tabMain")});
    for (const char* caption : {"Set Inputs", "Materials", "Kv", "Kb"})
        tabs.addTab(QString::fromLatin1(caption));
    EXPECT_EQ(tabs.selectedTab(), 0);
    std::vector<std::pair<int, int>> seen; // previous, now
    tabs.onTabClick.connect([&](int previous) {
        seen.emplace_back(previous, tabs.selectedTab());
        // A failed check sends the strip back to the tab that was left: nested.
        if (tabs.selectedTab() == 3)
            tabs.setSelectedTab(previous);
    });
    tabs.setSelectedTab(2);
    tabs.setSelectedTab(2);
    tabs.setSelectedTab(3);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 2}, {2, 3}, {3, 2}}));
    EXPECT_EQ(tabs.selectedTab(), 2);
    EXPECT_EQ(errorNumberOf([&] { tabs.setSelectedTab(4); }), 380);
}

TEST(TabStrips, HiddenTabsKeepTheirNumbersAndPagesHoldControls) {
    Form form(QStringLiteral("frmOptions"));
    auto& tabs = form.add<TabStrip>({QStringLiteral("tabOptions")});
    for (const char* caption : {"File", "Preferences", "Units", "Window", "User Info"})
        tabs.addTab(QString::fromLatin1(caption));
    tabs.setTabVisible(2, false);
    tabs.setTabVisible(3, false);
    tabs.setSelectedTab(4);
    EXPECT_EQ(tabs.selectedTab(), 4);
    EXPECT_EQ(tabs.tabCaption(4), QStringLiteral("User Info"));
    EXPECT_FALSE(tabs.tabVisible(2));
    auto& list = form.add<ListView>({QStringLiteral("lstFileLocations"), -1, &tabs, 0});
    EXPECT_EQ(list.widget()->parentWidget(), tabs.childArea(0));
    EXPECT_TRUE(list.widget()->parentWidget()->isHidden()) << "the page of an unselected tab is hidden";
}

TEST(ListViews, ReportRowsWithKeysSubItemsAndCheckboxes) {
    Form form(QStringLiteral("frmOptions"));
    auto& list = form.add<ListView>({QStringLiteral("lstFileLocations")});
    list.addColumn(QStringLiteral("Description"), QStringLiteral("Description"), 1000);
    list.addColumn(QStringLiteral("Parameter"), QStringLiteral("FolderLocation"), 3000);
    const int row = list.addItem(QStringLiteral("Outputs Folder"), QStringLiteral("OutputsFolder"));
    list.setSubItem(row, 1, QStringLiteral("/home/user/gears"));
    EXPECT_EQ(list.subItem(list.findItem(QStringLiteral("OutputsFolder")), 1), QStringLiteral("/home/user/gears"));
    EXPECT_EQ(list.columnKey(1), QStringLiteral("FolderLocation"));
    EXPECT_EQ(errorNumberOf([&] { list.addItem(QStringLiteral("x"), QStringLiteral("OutputsFolder")); }), 35602);
    EXPECT_EQ(errorNumberOf([&] { list.subItem(0, 2); }), 381);
    list.setCheckboxes(true);
    list.setChecked(row, true);
    EXPECT_TRUE(list.isChecked(row));
    EXPECT_EQ(list.selectedItem(), -1);
    list.setSelectedItem(row);
    EXPECT_EQ(list.selectedItem(), row);
}

TEST(TreeViews, KeyedNodesWithParentsPathsAndSortedTopLevel) {
    Form form(QStringLiteral("frmAGMA"));
    auto& tree = form.add<TreeView>({QStringLiteral("TreeView")});
    tree.setSorted(true);
    tree.addNode({}, TreeView::Relationship::Last, QStringLiteral("0a"), QStringLiteral("Standard"));
    tree.addNode({}, TreeView::Relationship::Last, QStringLiteral("5a"), QStringLiteral("Aluminium"));
    tree.addNode(QStringLiteral("0a"), TreeView::Relationship::Child, QStringLiteral("1a"), QStringLiteral("Steel"));
    tree.addNode(QStringLiteral("1a"), TreeView::Relationship::Child, QStringLiteral("23a"), QStringLiteral("Grade 1"));

    EXPECT_EQ(tree.nodeKey(3), QStringLiteral("23a"));
    EXPECT_EQ(tree.parentKey(QStringLiteral("23a")), QStringLiteral("1a"));
    EXPECT_EQ(tree.parentKey(QStringLiteral("0a")), QString());
    EXPECT_EQ(tree.fullPath(QStringLiteral("23a")), QStringLiteral("Standard\\Steel\\Grade 1"));
    EXPECT_EQ(tree.childKeys(QStringLiteral("0a")), std::vector<QString>{QStringLiteral("1a")});
    EXPECT_EQ(static_cast<QTreeWidget*>(tree.widget())->topLevelItem(0)->text(0), QStringLiteral("Aluminium"));

    tree.ensureVisible(QStringLiteral("23a"));
    EXPECT_TRUE(tree.isExpanded(QStringLiteral("1a")));
    tree.setExpanded(QStringLiteral("1a"), false);
    EXPECT_FALSE(tree.isExpanded(QStringLiteral("1a")));
    int clicks = 0;
    tree.onNodeClick.connect([&](const QString&) { ++clicks; });
    tree.select(QStringLiteral("23a"));
    EXPECT_EQ(tree.selectedKey(), QStringLiteral("23a"));
    EXPECT_EQ(clicks, 0) << "selecting from code is no click";

    EXPECT_EQ(errorNumberOf([&] { tree.addNode(QStringLiteral("99a"), TreeView::Relationship::Child, "x", "x"); }), 35601);
    EXPECT_EQ(errorNumberOf([&] { tree.addNode({}, TreeView::Relationship::Last, "1a", "again"); }), 35602);
    EXPECT_EQ(errorNumberOf([&] { tree.select(QStringLiteral("7a")); }), 35601);
    tree.removeNode(QStringLiteral("1a"));
    EXPECT_FALSE(tree.hasNode(QStringLiteral("23a")));
    EXPECT_EQ(tree.nodeCount(), 2);
}

// A node chosen with the keyboard raises NodeClick as a click does: the node
// a key makes current and selected, or the current node on Enter or Space.
TEST(TreeViews, ANodeChosenWithTheKeyboardIsClicked) {
    Form form(QStringLiteral("frmAGMA"));
    auto& tree = form.add<TreeView>({QStringLiteral("TreeView")});
    tree.addNode({}, TreeView::Relationship::Last, QStringLiteral("0a"), QStringLiteral("Standard"));
    tree.addNode(QStringLiteral("0a"), TreeView::Relationship::Child, QStringLiteral("1a"), QStringLiteral("Steel"));
    tree.addNode(QStringLiteral("1a"), TreeView::Relationship::Child, QStringLiteral("2a"), QStringLiteral("Grade 1"));
    tree.addNode(QStringLiteral("1a"), TreeView::Relationship::Child, QStringLiteral("3a"), QStringLiteral("Grade 2"));
    tree.addNode({}, TreeView::Relationship::Last, QStringLiteral("5a"), QStringLiteral("Aluminium"));
    tree.ensureVisible(QStringLiteral("3a"));
    std::vector<QString> clicked;
    tree.onNodeClick.connect([&](const QString& key) { clicked.push_back(key); });
    form.show();
    auto* widget = static_cast<QTreeWidget*>(tree.widget());
    widget->setFocus();
    QCoreApplication::processEvents();
    tree.select(QStringLiteral("1a"));
    ASSERT_TRUE(clicked.empty()) << "selecting from code is no click";

    struct Case {
        Qt::Key key;
        const char* clickedKey; // nullptr: no NodeClick
    };
    // One typed letter: letters typed close together search as one word.
    const Case cases[] = {
        {Qt::Key_Down, "2a"},     {Qt::Key_Down, "3a"},   {Qt::Key_Up, "2a"},    {Qt::Key_Home, "0a"},
        {Qt::Key_Return, "0a"},   {Qt::Key_End, "5a"},    {Qt::Key_S, "0a"},     {Qt::Key_PageDown, "5a"},
        {Qt::Key_PageUp, "0a"},   {Qt::Key_End, "5a"},    {Qt::Key_Space, "5a"}, {Qt::Key_Up, "3a"},
        {Qt::Key_Left, "1a"},     {Qt::Key_Left, nullptr}, {Qt::Key_Enter, "1a"}, {Qt::Key_Up, "0a"},
        {Qt::Key_Down, "1a"},     {Qt::Key_Down, "5a"},   {Qt::Key_Down, nullptr},
    };
    for (const Case& c : cases) {
        clicked.clear();
        QTest::keyClick(widget, c.key);
        const std::vector<QString> expected =
            c.clickedKey == nullptr ? std::vector<QString>{} : std::vector<QString>{QString::fromLatin1(c.clickedKey)};
        EXPECT_EQ(clicked, expected) << "key " << QKeySequence(c.key).toString().toStdString() << " after "
                                     << tree.selectedKey().toStdString();
        if (c.clickedKey != nullptr) {
            EXPECT_EQ(tree.selectedKey(), QString::fromLatin1(c.clickedKey));
        }
    }
    EXPECT_FALSE(tree.isExpanded(QStringLiteral("1a"))) << "Left folded Steel, choosing nothing";

    clicked.clear();
    const QRect steel = widget->visualItemRect(widget->topLevelItem(0)->child(0));
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, steel.center());
    EXPECT_EQ(clicked, std::vector<QString>{QStringLiteral("1a")}) << "a click is one NodeClick";

    // A handler that empties the tree on the chosen node leaves it usable.
    tree.onNodeClick.connect([&](const QString&) { tree.clear(); });
    QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(tree.nodeCount(), 0);
    QTest::keyClick(widget, Qt::Key_Down);
}

TEST(Sliders, ChangeFromCodeAndQuietMoves) {
    Form form(QStringLiteral("frmInputs"));
    auto& slider = form.add<Slider>({QStringLiteral("sldSlider")});
    slider.setRange(0, 100000);
    int changes = 0;
    slider.onChange.connect([&] { ++changes; });
    slider.setValue(13618);
    slider.setValue(13618);
    slider.setValueQuietly(200);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(slider.sliderValue(), 200);
    EXPECT_EQ(errorNumberOf([&] { slider.setValue(100001); }), 380);
    static_cast<QSlider*>(slider.widget())->setValue(400); // as the user's keys move it
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(slider.sliderValue(), 400);
}

TEST(Timers, TickWhileEnabledWithAnInterval) {
    Form form(QStringLiteral("frmMisc"));
    auto& timer = form.add<Timer>({QStringLiteral("Timer")});
    int ticks = 0;
    timer.onTimer.connect([&] { ++ticks; });
    timer.setInterval(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));
    timer.setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
}

} // namespace
