#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"
#include "forms/TextBox.h"

#include "runtime/RuntimeError.h"

#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

using namespace forms;

TEST(TwipsGeometry, ControlValuesReadBackAsSet) {
    Form form(QStringLiteral("frmMain"));
    auto& frame = form.add<Frame>({QStringLiteral("fraPA"), 0});
    frame.move(0, 0, 4000, 3000);
    auto& box = form.add<TextBox>({QStringLiteral("txtPADeg"), -1, &frame});
    for (const double twips : {0.0, 15.0, 1000.0, 1007.0, 7.5, 2295.0}) {
        box.move(twips, twips + 1, twips + 2, twips + 3);
        EXPECT_EQ(box.left(), twips);
        EXPECT_EQ(box.top(), twips + 1);
        EXPECT_EQ(box.width(), twips + 2);
        EXPECT_EQ(box.height(), twips + 3);
        EXPECT_EQ(box.widget()->x(), qRound(twips / 15.0)) << twips;
    }
    EXPECT_EQ(box.widget()->parentWidget(), frame.widget()) << "placed inside its container";
}

TEST(TwipsGeometry, MovedByTheWindowSystemReadsThePixels) {
    Form form(QStringLiteral("frmMain"));
    auto& box = form.add<TextBox>({QStringLiteral("txtDP")});
    box.move(1007, 0, 1500, 300);
    box.widget()->move(10, 0);
    EXPECT_EQ(box.left(), 150);
}

TEST(TwipsGeometry, NegativeSizeIsRefused) {
    Form form(QStringLiteral("frmRunNotes"));
    auto& box = form.add<TextBox>({QStringLiteral("txtRunNotes")});
    try {
        box.setWidth(-120);
        FAIL();
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), 380);
    }
}

TEST(TwipsGeometry, WindowBoundsAndInnerSize) {
    Form form(QStringLiteral("frmMain"));
    form.move(1000, 1507, 7800, 7000);
    EXPECT_EQ(form.left(), 1000);
    EXPECT_EQ(form.top(), 1507);
    EXPECT_EQ(form.width(), 7800);
    EXPECT_EQ(form.height(), 7000);
    EXPECT_EQ(form.scaleWidth(), 7800);
    EXPECT_EQ(form.scaleHeight(), 7000);

    auto& file = form.add<MenuItem>({QStringLiteral("mnuFile")});
    file.setCaption(QStringLiteral("&File"));
    const double barTwips = form.menuBar()->sizeHint().height() * 15.0;
    EXPECT_GT(barTwips, 0);
    EXPECT_EQ(form.scaleHeight(), 7000 - barTwips);
    file.setVisible(false);
    EXPECT_EQ(form.scaleHeight(), 7000) << "a menu bar with no visible menu takes no room";
}

TEST(TwipsGeometry, ResizeRunsOnRealSizeChangesOnly) {
    Form form(QStringLiteral("frmMain"));
    form.move(0, 0, 6000, 4500);
    int resizes = 0;
    form.onResize.connect([&] { ++resizes; });
    form.move(100, 100, 6000, 4500);
    EXPECT_EQ(resizes, 0);
    form.setWidth(7800);
    EXPECT_EQ(resizes, 1);
    form.setWindowState(WindowState::Maximized);
    EXPECT_EQ(resizes, 2);
    form.setWindowState(WindowState::Normal);
    EXPECT_EQ(resizes, 3);
    form.show(); // first shown: laid out once
    EXPECT_EQ(resizes, 4);
    form.hide();
    form.show();
    EXPECT_EQ(resizes, 4);
}

TEST(TwipsGeometry, MinimisedAndMaximisedWindowsKeepTheirNormalBounds) {
    Form form(QStringLiteral("frmScreenOutput"));
    form.move(300, 450, 6000, 4500);
    form.setWindowState(WindowState::Minimized);
    EXPECT_EQ(form.windowState(), WindowState::Minimized);
    EXPECT_EQ(form.left(), 300);
    EXPECT_EQ(form.width(), 6000);

    // Bounds set while not normal are the ones it returns to.
    form.move(600, 750, 5000, 4000);
    form.setWindowState(WindowState::Normal);
    EXPECT_EQ(form.windowState(), WindowState::Normal);
    EXPECT_EQ(form.left(), 600);
    EXPECT_EQ(form.top(), 750);
    EXPECT_EQ(form.width(), 5000);
    EXPECT_EQ(form.height(), 4000);
}

} // namespace
