#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace forms {

// A window's frame rectangle (title bar and borders included) brought within
// an area: no larger than the area, nor smaller than `minimum`, and moved the
// least distance. A frame that cannot fit (its minimum exceeds the area) keeps
// its top-left corner in the area, so its title bar can still be reached.
QRect placedWithin(const QRect& frame, const QRect& area, const QSize& minimum = {});

// Of `areas`, the one a frame belongs to: the one it overlaps most, or, when
// it overlaps none (stored on a monitor that has gone), the nearest one; the
// first (the primary screen's) breaks ties. Null when there are no areas.
QRect areaFor(const QRect& frame, const QList<QRect>& areas);

// The available areas of the screens, the primary screen's first.
QList<QRect> availableScreenAreas();

// The frame the window system puts round a top-level widget, once known
// (null while it is hidden for the first time or not yet framed).
QMargins knownFrameMargins(const QWidget& window);

// What the window system's frame will likely be: the frame of a shown window
// of the program that has one, or none.
QMargins likelyFrameMargins();

// The frame to plan a window's place with: its own once known, else that of
// a shown window (likelyFrameMargins); none for a frameless window.
QMargins expectedFrameMargins(const QWidget& window);

// Moves and sizes a top-level widget (shown or not) so that its frame lies
// within the available area of its screen. `margins` stands in for the frame
// while the window system has not told it. True when the widget was changed.
bool keepFrameOnScreen(QWidget& window, const QMargins& margins);

} // namespace forms
