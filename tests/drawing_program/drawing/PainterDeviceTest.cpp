#include "drawing/mAPI_draw.h"
#include "drawing_program/DrawingFakes.h"
#include "painter/PainterDevice.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

struct PainterDraw : ::testing::Test {
    QImage image{60, 60, QImage::Format_RGB32};
    vantrope::PenTable pens;
    vantropetest::RecordingReporter log;
    vantrope::mAPI_draw draw{log};

    PainterDraw() { image.fill(Qt::white); }
};

TEST_F(PainterDraw, ColourNumbersHoldRedInTheLowByte)
{
    EXPECT_EQ(vantrope::colorFromNumber(113 + 256 * 46 + 65536 * 44), QColor(113, 46, 44));
}

TEST_F(PainterDraw, LinesAndCirclesUseTheSelectedPenAndLeaveTheInsideAlone)
{
    vantrope::PenHandle red = pens.CreatePen(0, 1, 255);
    vantrope::PenHandle blue = pens.CreatePen(0, 1, 0xFF0000);
    {
        QPainter painter(&image);
        vantrope::PainterDevice device(painter, pens);
        draw.DrawLine(device, 0, 0, 5, 10, 55, 10, 1, red);
        draw.DrawCircle(device, 30, 35, 15, blue);
        draw.DrawPolyLine(device, {{5, 55}, {55, 55}}, 1, 0, 0, 0, 0, red);
    }
    EXPECT_EQ(image.pixelColor(30, 10), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(30, 55), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(30, 35), QColor(Qt::white));
    // The circle's leftmost and rightmost columns are blue on its centre row.
    EXPECT_EQ(image.pixelColor(15, 35), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(44, 35), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(45, 35), QColor(Qt::white));
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(PainterDraw, AHandleThatIsNoPenDrawsThinBlack)
{
    {
        QPainter painter(&image);
        vantrope::PainterDevice device(painter, pens);
        draw.DrawLine(device, 0, 0, 0, 30, 59, 30, 1, 12345);
    }
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::black));
}

TEST_F(PainterDraw, TextIsDrawnInTheTextColourAboveItsBaselinePoint)
{
    {
        QPainter painter(&image);
        vantrope::PainterDevice device(painter, pens);
        draw.SetText(device, 5, 50, "MMMM", 255);
    }
    int red = 0, below = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 100 && c.blue() < 100)
                (y > 50 ? below : red)++;
        }
    EXPECT_GT(red, 10);
    EXPECT_EQ(below, 0);
}

} // namespace
