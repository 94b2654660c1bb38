#include "ScreenPlacement.h"

#include "FormWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdint>

namespace forms {

namespace {

// Where `start` goes along one axis so that [start, start + length) lies in
// [low, high); a length larger than the span starts at its low end.
int placedAlong(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

std::int64_t overlapArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : std::int64_t(common.width()) * common.height();
}

// Squared distance between two rectangles (0 when they touch or overlap).
std::int64_t gapSquared(const QRect& a, const QRect& b) {
    const auto gap = [](int lowA, int highA, int lowB, int highB) -> std::int64_t {
        if (highA < lowB)
            return std::int64_t(lowB) - highA;
        if (highB < lowA)
            return std::int64_t(lowA) - highB;
        return 0;
    };
    const std::int64_t dx = gap(a.left(), a.right(), b.left(), b.right());
    const std::int64_t dy = gap(a.top(), a.bottom(), b.top(), b.bottom());
    return dx * dx + dy * dy;
}

} // namespace

QRect placedWithin(const QRect& frame, const QRect& area, const QSize& minimum) {
    if (area.isEmpty())
        return frame;
    const int width = std::max(std::min(frame.width(), area.width()), minimum.width());
    const int height = std::max(std::min(frame.height(), area.height()), minimum.height());
    const int left = placedAlong(frame.left(), width, area.left(), area.left() + area.width());
    const int top = placedAlong(frame.top(), height, area.top(), area.top() + area.height());
    return {left, top, width, height};
}

QRect areaFor(const QRect& frame, const QList<QRect>& areas) {
    if (areas.isEmpty())
        return {};
    // An empty frame still has a place: its top-left corner.
    const QRect probe = frame.isEmpty() ? QRect(frame.topLeft(), QSize(1, 1)) : frame;
    const QRect* best = &areas.front();
    std::int64_t bestOverlap = overlapArea(probe, *best);
    for (const QRect& area : areas) {
        const std::int64_t overlap = overlapArea(probe, area);
        if (overlap > bestOverlap) {
            best = &area;
            bestOverlap = overlap;
        }
    }
    if (bestOverlap > 0)
        return *best;
    std::int64_t bestGap = gapSquared(probe, *best);
    for (const QRect& area : areas) {
        const std::int64_t gap = gapSquared(probe, area);
        if (gap < bestGap) {
            best = &area;
            bestGap = gap;
        }
    }
    return *best;
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr)
        areas.push_back(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            areas.push_back(screen->availableGeometry());
    return areas;
}

QMargins knownFrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QMargins likelyFrameMargins() {
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || (window->flags() & Qt::FramelessWindowHint) || window->type() == Qt::Popup ||
            window->type() == Qt::ToolTip)
            continue;
        const QMargins margins = window->frameMargins();
        if (!margins.isNull())
            return margins;
    }
    return {};
}

QMargins expectedFrameMargins(const QWidget& window) {
    if (window.windowFlags() & Qt::FramelessWindowHint)
        return {};
    const QMargins own = knownFrameMargins(window);
    return own.isNull() ? likelyFrameMargins() : own;
}

bool keepFrameOnScreen(QWidget& window, const QMargins& margins) {
    // A maximised or minimised window is placed by the window system.
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return false;
    auto* form = dynamic_cast<FormWindow*>(&window);
    const QPoint topLeft = form != nullptr ? form->framePosition() : window.pos();
    const QRect frame(topLeft, window.size().grownBy(margins));
    const QRect area = areaFor(frame, availableScreenAreas());
    const QRect placed = placedWithin(frame, area, window.minimumSize().grownBy(margins));
    if (placed == frame)
        return false;
    // A window's position is that of its frame; its size is that within it.
    if (placed.size() != frame.size())
        window.resize(placed.size().shrunkBy(margins));
    if (placed.topLeft() != frame.topLeft()) {
        if (form != nullptr)
            form->moveFrame(placed.topLeft());
        else
            window.move(placed.topLeft());
    }
    return true;
}

} // namespace forms
