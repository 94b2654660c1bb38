// "Show Hardness Patterns" opens the picture window of the two hardness patterns.
#include "AgmaWindowFixture.h"

#include "agma/frmHeatTreatTypes.h"
#include "forms/MenuItem.h"
#include "forms/PictureBox.h"

#include <QApplication>

TEST_F(AgmaWindowTest, HardnessPatternsShowTheirOwnPictures)
{
    load().show();
    form().get<forms::MenuItem>(q("mnuHardnessPatts")).onClick();
    forms::Form& patterns = (*windows)[cindrel::agma::frmHeatTreatTypes::WindowName];
    QCoreApplication::processEvents();
    EXPECT_TRUE(patterns.visible());
    EXPECT_EQ(patterns.caption(), QStringLiteral("Heat Treat Types"));
    EXPECT_EQ(patterns.get<forms::Label>(q("lblType"), 0).caption(),
              QStringLiteral("Type A, Flanks and Roots of teeth are hardened."));
    EXPECT_EQ(patterns.get<forms::Label>(q("lblType"), 1).caption(),
              QStringLiteral("Type B, Only the flanks of the teeth are hardened."));
    // Type A hardens the root too: case colour at the bottom of the fillet; type B leaves it soft.
    for (const auto& [name, rootHardened] : {std::pair{"imgFlank", true}, std::pair{"imgSpin", false}}) {
        const QImage image = patterns.get<forms::PictureBox>(q(name), 0).grab();
        ASSERT_FALSE(image.isNull());
        const QColor root = image.pixelColor(static_cast<int>(image.width() * 0.12), static_cast<int>(image.height() * 0.93));
        EXPECT_EQ(root.red() > 150 && root.green() < 100, rootHardened) << name;
    }
}
