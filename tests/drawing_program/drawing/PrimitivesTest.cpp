#include "drawing/clsDrawOpts.h"
#include "drawing/mAPI_draw.h"
#include "drawing_program/DrawingFakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using vantrope::DevicePoint;
using vantrope::mAPI_draw;
using vantrope::Pen;
using vantrope::PenTable;
using vantropetest::DeviceCall;
using vantropetest::RecordingDevice;
using vantropetest::RecordingReporter;
using vantropetest::Report;

namespace {

struct Primitives : ::testing::Test {
    PenTable pens;
    RecordingDevice device{pens};
    RecordingReporter log;
    mAPI_draw draw{log};
    vantrope::PenHandle red = pens.CreatePen(0, 1, 255);
};

TEST_F(Primitives, LineIsScaledOffsetAndRoundedHalfToEven)
{
    draw.DrawLine(device, 100, 50, 0.25, 1.0, 2.5, -0.5, 10, red);
    // 0.25·10+100 = 102.5 → 102; 1·10+50 = 60; 2.5·10+100 = 125; -5+50 = 45.
    EXPECT_EQ(device.calls, (std::vector<DeviceCall>{{"MoveToEx", {{102, 60}}, {0, 1, 255}, {}},
                                                     {"LineTo", {{125, 45}}, {0, 1, 255}, {}}}));
    EXPECT_EQ(device.selected, red);
}

TEST_F(Primitives, CircleBoxCornersRoundHalfToEven)
{
    draw.DrawCircle(device, 100.5, 200.5, 10, red);
    ASSERT_EQ(device.calls.size(), 1u);
    EXPECT_EQ(device.calls[0].points, (std::vector<DevicePoint>{{90, 190}, {110, 210}}));
    EXPECT_EQ(device.calls[0].pen, (Pen{0, 1, 255}));
}

TEST_F(Primitives, PenCircleUsesAWidthTwoPenAndReleasesIt)
{
    std::size_t before = pens.liveCount();
    draw.DrawPenCircle(device, 10, 10, 3, 0x00FF00, pens);
    ASSERT_EQ(device.calls.size(), 1u);
    EXPECT_EQ(device.calls[0].pen, (Pen{0, 2, 0x00FF00}));
    EXPECT_EQ(pens.liveCount(), before);
}

TEST_F(Primitives, PolylineCountZeroDrawsEveryRowCountThreeTheFirstThree)
{
    vantrope::PointArray points{{0, 0}, {1, 1}, {2, 0}, {3, -1}};
    draw.DrawPolyLine(device, points, 2, 10, 20, 0, 0, red);
    draw.DrawPolyLine(device, points, 2, 10, 20, 3, 0, red);
    ASSERT_EQ(device.calls.size(), 2u);
    EXPECT_EQ(device.calls[0].points, (std::vector<DevicePoint>{{10, 20}, {12, 22}, {14, 20}, {16, 18}}));
    EXPECT_EQ(device.calls[1].points, (std::vector<DevicePoint>{{10, 20}, {12, 22}, {14, 20}}));
}

TEST_F(Primitives, TextSitsOnItsLowerLeftCornerAndKeepsItsColour)
{
    draw.SetText(device, 20.5, 40.4, "Hertz", 0x0000FF);
    ASSERT_EQ(device.calls.size(), 1u);
    // The fake measures 7 pixels a character and 12 high.
    EXPECT_EQ(device.calls[0].points, (std::vector<DevicePoint>{{20, 28}, {55, 40}}));
    EXPECT_EQ(device.textColor, 0x0000FF);
    draw.SetText(device, 0, 0, "", 0x00FF00);
    EXPECT_EQ(device.textColor, 0x00FF00);
}

TEST_F(Primitives, FailuresAreLoggedAndNothingFurtherIsDrawn)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    vantrope::PointArray points{{0, 0}, {1, 1}};
    draw.DrawLine(device, 0, 0, 0, 0, nan, 0, 1, red);
    draw.DrawCircle(device, 0, 0, 1e300, red);
    draw.DrawPolyLine(device, points, 1, 0, 0, 5, 0, red);
    draw.DrawPolyLine(device, points, 1, 0, 0, -1, 0, red);
    draw.DrawPenCircle(device, nan, 0, 1, 0, pens);
    draw.SetText(device, 3e10, 0, "x", 0);
    EXPECT_EQ(log.reports, (std::vector<Report>{
                               {"mAPI_draw", "DrawLine", "6", "Overflow", ""},
                               {"mAPI_draw", "DrawCircle", "6", "Overflow", ""},
                               {"mAPI_draw", "DrawPolyLine", "9", "Subscript out of range", ""},
                               {"mAPI_draw", "DrawPolyLine", "9", "Subscript out of range", ""},
                               {"mAPI_draw", "DrawCircle", "6", "Overflow", ""},
                               {"mAPI_draw", "SetText", "6", "Overflow", ""},
                           }));
    // Only the line's first point got out before its second failed.
    ASSERT_EQ(device.calls.size(), 1u);
    EXPECT_EQ(device.calls[0].what, "MoveToEx");
    EXPECT_EQ(pens.liveCount(), 1u);
}

TEST(DrawOpts, GetHandleReplacesThePenAndPassesValuesUnchanged)
{
    PenTable pens;
    vantrope::clsDrawOpts option;
    option.LineType = 7;
    option.Thickness = -2;
    option.Color = 0x123456;
    option.GetHandle(pens);
    ASSERT_NE(option.Handle, 0);
    EXPECT_EQ(*pens.find(option.Handle), (Pen{7, -2, 0x123456}));
    vantrope::PenHandle first = option.Handle;
    option.Color = 1;
    option.GetHandle(pens);
    EXPECT_EQ(pens.find(first), nullptr);
    EXPECT_EQ(pens.liveCount(), 1u);
    EXPECT_EQ(pens.find(option.Handle)->color, 1);
}

} // namespace
