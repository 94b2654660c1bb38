#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/ScreenPlacement.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using namespace forms;

std::string text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// A 1024x768 screen with a 27-pixel panel along its top.
const QRect Panelled(0, 27, 1024, 741);

TEST(PlacedWithin, MovesTheLeastAndShrinksOnlyWhatDoesNotFit) {
    const struct {
        QRect frame, area;
        QSize minimum;
        QRect placed;
    } cases[] = {
        {{100, 100, 400, 300}, Panelled, {}, {100, 100, 400, 300}},
        {{50, -20, 400, 300}, Panelled, {}, {50, 27, 400, 300}},      // title bar above the top
        {{50, 10, 400, 300}, Panelled, {}, {50, 27, 400, 300}},       // title bar under the panel
        {{900, 700, 400, 300}, Panelled, {}, {624, 468, 400, 300}},   // off the right and the bottom
        {{100, 50, 724, 844}, Panelled, {}, {100, 27, 724, 741}},     // taller than the screen
        {{-10, 0, 1100, 900}, Panelled, {}, {0, 27, 1024, 741}},      // larger every way
        {{1900, 100, 400, 300}, {1024, 0, 800, 600}, {}, {1424, 100, 400, 300}}, // a second monitor
        // A minimum wider than the screen keeps the title bar's left end on it.
        {{500, 500, 300, 300}, Panelled, {1200, 100}, {0, 468, 1200, 300}},
        {{500, 500, 300, 300}, QRect(), {}, {500, 500, 300, 300}},    // no screen: left as it is
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(placedWithin(c.frame, c.area, c.minimum)), text(c.placed)) << text(c.frame);
}

// Every size up to past the screen, at places on, across and off each edge.
TEST(PlacedWithin, EverySizeAndPlaceEndsWhollyWithinTheArea) {
    for (int width = 1; width <= Panelled.width() + 60; ++width) {
        const int height = width * 3 / 4 + 1;
        for (int start = -1300; start <= 1300; start += 37) {
            const QRect frame(start, start / 2, width, height);
            const QRect placed = placedWithin(frame, Panelled);
            ASSERT_TRUE(Panelled.contains(placed)) << text(frame) << " -> " << text(placed);
            ASSERT_EQ(placed.width(), std::min(width, Panelled.width())) << text(frame);
            ASSERT_EQ(placed.height(), std::min(height, Panelled.height())) << text(frame);
            if (Panelled.contains(frame)) {
                ASSERT_EQ(placed, frame);
            }
            // Moved no further than onto the nearer edge.
            if (frame.left() >= Panelled.left() && frame.right() <= Panelled.right()) {
                ASSERT_EQ(placed.left(), frame.left()) << text(frame);
            } else if (frame.left() < Panelled.left()) {
                ASSERT_EQ(placed.left(), Panelled.left()) << text(frame);
            } else {
                ASSERT_EQ(placed.right(), Panelled.right()) << text(frame);
            }
        }
    }
}

TEST(AreaFor, TheScreenAFrameIsMostlyOnOrTheNearestOne) {
    const QRect primary(0, 0, 1024, 768);
    const QRect second(1024, 0, 800, 600);
    const QList<QRect> areas{primary, second};
    const struct {
        QRect frame;
        QRect area;
    } cases[] = {
        {{100, 100, 400, 300}, primary},
        {{1200, 100, 400, 300}, second},
        {{900, 100, 400, 300}, second},     // across both, more on the second
        {{3000, 100, 400, 300}, second},    // a monitor right of both has gone
        {{-3000, 100, 400, 300}, primary},  // one left of both has gone
        {{100, 2000, 400, 300}, primary},
        {{1500, 50, 0, 0}, second},         // no size: its corner counts
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(areaFor(c.frame, areas)), text(c.area)) << text(c.frame);
    EXPECT_TRUE(areaFor({0, 0, 10, 10}, {}).isNull());
}

struct Windows {
    Forms forms;
    Windows() {
        for (const char* name : {"frmMain", "frmNotes", "frmOther"})
            forms.define(QString::fromLatin1(name), [](Form&) {});
    }
    ~Windows() {
        forms.unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Form& operator[](const char* name) { return forms[QString::fromLatin1(name)]; }
};

QRect screenArea() { return availableScreenAreas().front(); }

double twips(int pixels) { return pixels * 15.0; }

void expectFrameOnScreen(Form& form) {
    QCoreApplication::processEvents();
    const QRect frame = form.window()->frameGeometry();
    EXPECT_TRUE(screenArea().contains(frame)) << text(frame) << " on " << text(screenArea());
    EXPECT_GT(form.frameExtra().height(), 0) << "shown with its frame";
}

// Places stored on a larger screen or another monitor layout, set before the
// window is first shown.
TEST(FormsOnScreen, AWindowPlacedOffTheScreenOpensWithItsWholeFrameOnIt) {
    const QRect area = screenArea();
    const struct {
        const char* why;
        QRect place;
    } cases[] = {
        {"title bar above the top", {40, area.top() - 200, 300, 200}},
        {"off the right and bottom", {area.right() - 50, area.bottom() - 40, 300, 200}},
        {"on a monitor that has gone", {area.right() + 2000, 300, 300, 200}},
        {"taller than the screen", {20, 20, 300, area.height() + 100}},
        {"larger every way", {-100, -100, area.width() + 300, area.height() + 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Windows windows;
        Form& form = windows["frmOther"];
        form.move(twips(c.place.x()), twips(c.place.y()), twips(c.place.width()), twips(c.place.height()));
        form.show();
        expectFrameOnScreen(form);
        // What fits is kept.
        if (c.place.width() < area.width() - 10) {
            EXPECT_EQ(form.window()->geometry().width(), c.place.width());
        }
    }
}

// A window shown first and then placed by code, as the program does when it
// opens one window where another stands.
TEST(FormsOnScreen, ShownWindowsMovedByCodeStayOnTheScreen) {
    const QRect area = screenArea();
    Windows windows;
    Form& form = windows["frmOther"];
    form.move(0, 0, 4500, 3000);
    form.show();
    form.setTop(twips(area.top() - 400));
    form.setLeft(twips(area.left() - 400));
    expectFrameOnScreen(form);
    form.move(twips(area.right() + 100), twips(area.bottom() + 100));
    expectFrameOnScreen(form);
    form.setHeight(twips(area.height() * 2));
    expectFrameOnScreen(form);
}

// Heights in single pixels round the screen's: each opens wholly on it.
TEST(FormsOnScreen, EveryHeightRoundTheScreensOpensOnIt) {
    const QRect area = screenArea();
    Windows windows;
    Form& form = windows["frmOther"];
    for (int height = area.height() - 40; height <= area.height() + 40; ++height) {
        SCOPED_TRACE(height);
        form.move(twips(area.left() + 10), twips(area.top() + 10), 4500, twips(height));
        form.show();
        expectFrameOnScreen(form);
        form.hide();
    }
}

// The window system minimises or maximises a window (the user's title bar
// button); the program, drawing meanwhile, then sets it back to normal. The
// frame returns to where it was, as large as it was, however often.
TEST(FormsOnScreen, AWindowSetBackToNormalByCodeReturnsToItsFrameAfterTheWindowSystemChangedItsState) {
    Windows windows;
    Form& form = windows["frmOther"];
    form.move(twips(102), twips(90), twips(340), twips(425));
    form.show();
    QCoreApplication::processEvents();
    ASSERT_GT(form.frameExtra().height(), 0) << "shown with its frame";
    const QRect frame = form.window()->frameGeometry();
    ASSERT_EQ(frame.topLeft(), QPoint(102, 90));
    for (const Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        SCOPED_TRACE(state == Qt::WindowMinimized ? "minimised" : "maximised");
        for (int round = 0; round < 3; ++round) {
            form.window()->setWindowState(state);
            QCoreApplication::processEvents();
            ASSERT_NE(form.windowState(), WindowState::Normal) << "the state the window system set is seen";
            if (state == Qt::WindowMinimized) {
                // What code reads meanwhile is the place it returns to.
                EXPECT_EQ(form.left(), twips(102));
                EXPECT_EQ(form.top(), twips(90));
                EXPECT_EQ(form.height(), twips(frame.height())) << "round " << round;
            }
            form.setWindowState(WindowState::Normal);
            QCoreApplication::processEvents();
            EXPECT_EQ(text(form.window()->frameGeometry()), text(frame)) << "round " << round;
        }
    }
}

// Raises seen on the windows, in order.
struct RaiseLog : QObject {
    std::vector<QString> raised;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ZOrderChange)
            raised.push_back(watched->objectName());
        return false;
    }
    void watch(Form& form) {
        form.window()->setObjectName(form.name());
        form.window()->installEventFilter(this);
    }
    // Raised last after the main window was raised last.
    bool inFrontOfMain(const char* name) const {
        const auto last = [this](const QString& window) {
            const auto at = std::find(raised.rbegin(), raised.rend(), window);
            return at == raised.rend() ? -1 : static_cast<int>(raised.rend() - at);
        };
        return last(QString::fromLatin1(name)) > last(QStringLiteral("frmMain")) && last(QStringLiteral("frmMain")) > 0;
    }
};

TEST(FormsInFront, AnOwnedWindowStaysInFrontOfItsOwnerShownAfterIt) {
    Windows windows;
    Form& notes = windows["frmNotes"];
    notes.keepInFrontOf(windows.forms.find(QStringLiteral("frmMain")));
    notes.show(); // before its owner is loaded, as at the start
    EXPECT_FALSE(windows.forms.isLoaded(QStringLiteral("frmMain"))) << "showing it loads no owner";

    Form& main = windows["frmMain"];
    RaiseLog log;
    log.watch(main);
    log.watch(notes);
    main.show();
    EXPECT_TRUE(log.inFrontOfMain("frmNotes"));

    // Shown again by any path, it is the main window's.
    notes.hide();
    notes.show();
    EXPECT_EQ(notes.window()->windowHandle()->transientParent(), main.window()->windowHandle());
    // Only a dialog is kept in front of its window by X11 window managers;
    // it keeps the buttons of a window.
    EXPECT_EQ(notes.window()->windowType(), Qt::Dialog);
    EXPECT_TRUE(notes.window()->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
    EXPECT_TRUE(notes.window()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    log.raised.clear();
    main.show();
    EXPECT_TRUE(log.inFrontOfMain("frmNotes"));

    // An owner given to show is kept for later shows; a hidden window is not raised.
    Form& other = windows["frmOther"];
    other.show(Modality::Modeless, &main);
    other.hide();
    log.watch(other);
    log.raised.clear();
    main.show();
    EXPECT_FALSE(log.inFrontOfMain("frmOther"));
    other.show();
    main.show();
    EXPECT_TRUE(log.inFrontOfMain("frmOther"));
    EXPECT_EQ(other.window()->windowHandle()->transientParent(), main.window()->windowHandle());
}

} // namespace
