#include "forms/Form.h"
#include "forms/ListView.h"
#include "forms/Slider.h"
#include "forms/TabStrip.h"
#include "forms/TextBox.h"

#include "support/ErrorCapture.h"

#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <utility>

namespace {

using namespace forms;

using testsupport::errorNumberOf;

// A listener on the widget's own signal that fails at its next emission only:
// it stands for anything that raises while a control updates its widget.
// (Only widgets whose update leaves nothing of Qt's behind when unwound; a
// combo's item model does, which the leak check would report.)
template <typename Widget, typename Signal>
void failNextEmission(Widget* widget, Signal signal)
{
    auto armed = std::make_shared<bool>(true);
    QObject::connect(widget, signal, widget, [armed] {
        if (std::exchange(*armed, false))
            throw std::runtime_error("the widget's update failed");
    });
}

// A control quiets its widget's signals while its code updates the widget.
// A call that raises partway must not leave it quiet: the user's next act on
// the control still fires its event.
TEST(ScopedFlags, ACallFromCodeThatRaisesPartwayLeavesTheUsersNextEventFiring)
{
    Form form(QStringLiteral("frmScoped"));

    auto& list = form.add<ListView>({QStringLiteral("lstMeshes")});
    list.addColumn(QStringLiteral("Mesh"), QStringLiteral("Mesh"), 1000);
    list.setCheckboxes(true);
    list.addItem(QStringLiteral("Mesh 1"), QStringLiteral("m1"));
    int checks = 0;
    list.onItemCheck.connect([&](int row) { checks += row == 0 ? 1 : 100; });
    // No row 5: the error is raised between quieting the list and the write.
    EXPECT_EQ(errorNumberOf([&] { list.setSubItem(5, 0, QStringLiteral("Mesh 6")); }), InvalidPropertyArrayIndex);
    static_cast<QTreeWidget*>(list.widget())->topLevelItem(0)->setCheckState(0, Qt::Checked); // the user's tick
    EXPECT_EQ(checks, 1) << "list";

    auto& box = form.add<TextBox>({QStringLiteral("txtTeeth")});
    auto* edit = static_cast<QLineEdit*>(box.keyTarget());
    int changes = 0;
    box.onChange.connect([&] { ++changes; });
    failNextEmission(edit, &QLineEdit::textChanged);
    EXPECT_THROW(box.setText(QStringLiteral("21")), std::runtime_error);
    changes = 0;
    QTest::keyClicks(edit, QStringLiteral("5"));
    EXPECT_EQ(changes, 1) << "text box";

    auto& slider = form.add<Slider>({QStringLiteral("sldZoom")});
    auto* sliderWidget = static_cast<QSlider*>(slider.widget());
    int moves = 0;
    slider.onChange.connect([&] { ++moves; });
    failNextEmission(sliderWidget, &QSlider::valueChanged);
    EXPECT_THROW(slider.setValueQuietly(5), std::runtime_error);
    sliderWidget->setValue(7); // as the user's keys move it
    EXPECT_EQ(moves, 1) << "slider";

    auto& tabs = form.add<TabStrip>({QStringLiteral("tabMain")});
    for (const char* caption : {"Set Inputs", "Materials", "Kv"})
        tabs.addTab(QString::fromLatin1(caption));
    auto* bar = tabs.widget()->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    std::vector<int> left;
    tabs.onTabClick.connect([&](int previous) { left.push_back(previous); });
    // Hiding the current tab moves the bar on, which the strip must not take for a click.
    failNextEmission(bar, &QTabBar::currentChanged);
    EXPECT_THROW(tabs.setTabVisible(0, false), std::runtime_error);
    bar->setCurrentIndex(2); // the user's click on Kv
    EXPECT_EQ(left, std::vector<int>{0}) << "tab strip";
    EXPECT_EQ(tabs.selectedTab(), 2);
}

} // namespace
