#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/Layout.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"

#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QMouseEvent>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace forms;

// A small window declared as data: the centre distance panel of a gear pair.
const std::vector<ControlSpec> demoLayout = {
    {.kind = ControlKind::PictureBox, .name = "picStates", .index = 2, .left = 0, .top = 0, .width = 5400, .height = 3000},
    {.kind = ControlKind::Label, .name = "lblTitle", .container = "picStates", .containerIndex = 2, .left = 120, .top = 120, .width = 3000, .height = 300, .caption = "Center Distance"},
    {.kind = ControlKind::Frame, .name = "fraMesh", .container = "picStates", .containerIndex = 2, .left = 120, .top = 480, .width = 2400, .height = 1000, .caption = "Input the type of mesh:"},
    {.kind = ControlKind::OptionButton, .name = "optMesh", .index = 0, .container = "fraMesh", .left = 120, .top = 300, .width = 2000, .height = 255, .caption = "External Gear", .value = 1},
    {.kind = ControlKind::OptionButton, .name = "optMesh", .index = 1, .container = "fraMesh", .left = 120, .top = 600, .width = 2000, .height = 255, .caption = "Internal Gear"},
    {.kind = ControlKind::Label, .name = "lblMeshOption", .container = "picStates", .containerIndex = 2, .caption = "1", .dataField = "frmMain_lblMeshOption", .visible = false},
    {.kind = ControlKind::ComboBox, .name = "cmbPAPlane", .container = "picStates", .containerIndex = 2, .left = 2700, .top = 480, .width = 1500, .height = 315, .items = {"Normal", "Transverse"}},
    {.kind = ControlKind::TextBox, .name = "txtOCD", .container = "picStates", .containerIndex = 2, .left = 2700, .top = 960, .width = 1500, .height = 315, .caption = "3.0", .dataField = "frmMain_txtOCD"},
    {.kind = ControlKind::CheckBox, .name = "chkMetricUnits", .container = "picStates", .containerIndex = 2, .left = 2700, .top = 1440, .width = 1800, .height = 255, .caption = "Metric Units", .dataField = "frmMain_chkMetricUnits"},
    {.kind = ControlKind::CommandButton, .name = "cmdNext", .left = 4200, .top = 3120, .width = 1095, .height = 375, .caption = "&Next"},
};

TEST(DemoWindow, BuiltFromATableShownAndGrabbed) {
    Forms forms;
    forms.define(QStringLiteral("frmDemo"), [](Form& form) {
        form.setCaption(QStringLiteral("Cindrel"));
        form.move(0, 0, 5400, 3600);
        buildLayout(form, demoLayout);
        form.get<PictureBox>(QStringLiteral("picStates"), 2).setPainter([](QPainter& painter) {
            painter.setPen(Qt::darkBlue);
            painter.drawLine(10, 190, 340, 190);
        });
    });
    Form& demo = forms[QStringLiteral("frmDemo")];
    int activations = 0;
    demo.onActivate.connect([&] { ++activations; });
    demo.show();
    QApplication::setActiveWindow(demo.window());
    QCoreApplication::processEvents();

    const QImage image = demo.window()->grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.size() * image.devicePixelRatio(), QSize(360, 240));
    EXPECT_FALSE(demo.get<PictureBox>(QStringLiteral("picStates"), 2).grab().isNull());
    EXPECT_GE(activations, 1);

    std::vector<QString> saved;
    for (Control* control : demo.savedControls())
        saved.push_back(control->dataField());
    EXPECT_EQ(saved, (std::vector<QString>{"frmMain_lblMeshOption", "frmMain_txtOCD", "frmMain_chkMetricUnits"}));
    EXPECT_TRUE(demo.get<OptionButton>(QStringLiteral("optMesh"), 0).isSelected());
    EXPECT_FALSE(demo.find(QStringLiteral("lblMeshOption"))->isChanged()) << "layout values are not changes";
}

TEST(DemoWindow, LabelsTakeMouseClicksAndDroppedFiles) {
    Form form(QStringLiteral("frmMain"));
    auto& drop = form.add<Label>({QStringLiteral("lblDrop"), 0});
    drop.move(0, 0, 3000, 600);
    drop.setCaption(QStringLiteral("Drop a design here"));
    drop.setAcceptFiles(true);
    form.show();
    int clicks = 0;
    QStringList dropped;
    drop.onClick.connect([&] { ++clicks; });
    drop.onFilesDropped.connect([&](const QStringList& files) { dropped = files; });

    QTest::mouseClick(drop.widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/pair one.cnd"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(drop.widget(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(drop.widget(), &event);
    EXPECT_EQ(dropped, QStringList{QStringLiteral("/tmp/pair one.cnd")});

    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent textEnter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(drop.widget(), &textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
    QDropEvent textEvent(QPointF(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    dropped.clear();
    QCoreApplication::sendEvent(drop.widget(), &textEvent);
    EXPECT_TRUE(dropped.isEmpty()) << "a drop holding no file does nothing";
}

} // namespace

namespace {

using namespace forms;

TEST(DemoWindow, MouseEventsGoToTheControlUnderTheMouseOnly) {
    Form form(QStringLiteral("frmAbout"));
    form.move(0, 0, 4920, 3390);
    auto& link = form.add<Label>({QStringLiteral("lblWebSite")});
    link.move(990, 627, 2948, 319);
    form.show();
    std::vector<std::pair<double, double>> formMoves;
    int linkMoves = 0;
    form.onMouseMove.connect([&](const MouseEventArgs& e) { formMoves.emplace_back(e.x, e.y); });
    link.onMouseMove.connect([&](const MouseEventArgs&) { ++linkMoves; });

    const auto move = [](QWidget* widget, QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    };
    move(form.clientArea(), QPoint(10, 20));
    move(link.widget(), QPoint(5, 5));

    EXPECT_EQ(formMoves, (std::vector<std::pair<double, double>>{{150, 300}}));
    EXPECT_EQ(linkMoves, 1);
}

} // namespace
