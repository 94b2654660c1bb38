#include "forms/Form.h"
#include "forms/Layout.h"
#include "forms/Toolbar.h"

#include "support/ErrorCapture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace forms;

using testsupport::errorNumberOf;

TEST(Toolbars, ImageButtonsByKeyWithToolTipsVisibilityAndClicks) {
    Form form(QStringLiteral("frmScreenOutput"));
    auto& toolbar = form.add<Toolbar>({QStringLiteral("tbrOutputs")});
    toolbar.move(0, 0, 6000, 420);
    toolbar.addButton(QStringLiteral("btnCloseWindow"), toolbarImage(QStringLiteral("close-window")),
                      QStringLiteral("Closes This Window"));
    toolbar.addButton(QStringLiteral("btnUpdateOutputs"), toolbarImage(QStringLiteral("update-outputs")),
                      QStringLiteral("Update Outputs Now"));
    toolbar.addButton(QStringLiteral("btnMainInputs"), toolbarImage(QStringLiteral("main-inputs")),
                      QStringLiteral("Gear Set Inputs"));
    EXPECT_EQ(toolbar.buttonKeys(),
              (std::vector<QString>{"btnCloseWindow", "btnUpdateOutputs", "btnMainInputs"}));
    EXPECT_EQ(toolbar.buttonToolTip(QStringLiteral("btnMainInputs")), QStringLiteral("Gear Set Inputs"));

    std::vector<QString> clicked;
    toolbar.onButtonClick.connect([&](const QString& key) { clicked.push_back(key); });
    form.show();
    QCoreApplication::processEvents();
    toolbar.setButtonVisible(QStringLiteral("btnUpdateOutputs"), false);
    EXPECT_FALSE(toolbar.buttonVisible(QStringLiteral("btnUpdateOutputs")));
    EXPECT_TRUE(toolbar.buttonVisible(QStringLiteral("btnMainInputs")));
    for (const char* key : {"btnMainInputs", "btnCloseWindow"})
        static_cast<QAbstractButton*>(toolbar.buttonWidget(QString::fromLatin1(key)))->click();
    EXPECT_EQ(clicked, (std::vector<QString>{"btnMainInputs", "btnCloseWindow"}));
    QCoreApplication::processEvents();
    EXPECT_FALSE(toolbar.buttonWidget(QStringLiteral("btnUpdateOutputs"))->isVisible());

    EXPECT_EQ(errorNumberOf([&] { toolbar.setButtonVisible(QStringLiteral("btnScoring"), true); }), 35601);
    EXPECT_EQ(errorNumberOf([&] { toolbar.addButton(QStringLiteral("btnMainInputs"), {}, {}); }), 35602);
}

TEST(Toolbars, EveryImageIsCompiledInAndDrawn) {
    const std::vector<QString> names = toolbarImageNames();
    EXPECT_EQ(names.size(), 10u);
    for (const QString& name : names) {
        const QImage image = toolbarImage(name).pixmap(20, 20).toImage();
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(drawn, 40) << name.toStdString();
        EXPECT_LT(drawn, 400) << name.toStdString() << " is not a filled square";
    }
    EXPECT_TRUE(toolbarImage(QStringLiteral("no-such-image")).isNull());
}

TEST(Toolbars, ATableRowOfKindToolbarBuildsOne) {
    Form form(QStringLiteral("frmScreenOutput"));
    const ControlSpec spec{.kind = ControlKind::Toolbar, .name = "tbrOutputs", .width = 6000, .height = 420};
    buildControl(form, spec).setVisible(false);
    EXPECT_FALSE(form.get<Toolbar>(QStringLiteral("tbrOutputs")).visible());
    EXPECT_EQ(form.get<Toolbar>(QStringLiteral("tbrOutputs")).height(), 420);
}

} // namespace
