#pragma once

#include "grid/Grid.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include <string>

namespace gridtest {

inline QTableView& bodyOf(grid::Grid& grid) { return *static_cast<QTableView*>(grid.keyTarget()); }

inline std::string span(const QRect& rect) {
    return std::to_string(rect.top()) + ".." + std::to_string(rect.bottom());
}

// What is wrong with a grid scrolled to its end, empty when nothing is: the
// last row shows whole, the top row starts right below the fixed rows, and
// (when asked) the current cell shows whole.
inline std::string endFault(grid::Grid& grid, bool currentToo = false) {
    QCoreApplication::processEvents();
    QTableView& body = bodyOf(grid);
    const QRect room = body.viewport()->rect();
    const int fixed = grid.fixedRowCount();
    const int lastRow = grid.rowCount() - 1 - fixed;
    const QRect last = body.visualRect(body.model()->index(lastRow, 0));
    if (last.top() < 0 || last.bottom() > room.bottom())
        return "last row at " + span(last) + " in a body of " + std::to_string(room.height());
    if (const int at = body.rowViewportPosition(grid.topRow() - fixed); at != 0)
        return "top row " + std::to_string(grid.topRow()) + " at " + std::to_string(at);
    if (currentToo) {
        const QModelIndex current = body.currentIndex();
        const QRect cell = body.visualRect(current);
        if (current.row() != lastRow || grid.currentRow() != grid.rowCount() - 1)
            return "current row " + std::to_string(grid.currentRow());
        if (!room.contains(cell))
            return "current cell at x " + std::to_string(cell.left()) + ", y " + span(cell);
    }
    return {};
}

// The ways a user or the program reaches the end of the grid.
enum class EndBy { Keys, PageDown, Wheel, ScrollBar, TopRowPastEnd };

inline const char* nameOf(EndBy way) {
    switch (way) {
    case EndBy::Keys: return "Ctrl+End";
    case EndBy::PageDown: return "Page Down";
    case EndBy::Wheel: return "wheel";
    case EndBy::ScrollBar: return "scroll bar";
    case EndBy::TopRowPastEnd: return "top row past the end";
    }
    return "";
}

inline void reachEnd(grid::Grid& grid, EndBy way) {
    QTableView& body = bodyOf(grid);
    switch (way) {
    case EndBy::Keys: QTest::keyClick(&body, Qt::Key_End, Qt::ControlModifier); break;
    case EndBy::PageDown:
        // Pressed until the current row moves no further.
        for (int press = 0, before = -1; press < grid.rowCount() && grid.currentRow() != before; ++press) {
            before = grid.currentRow();
            QTest::keyClick(&body, Qt::Key_PageDown);
        }
        break;
    case EndBy::Wheel:
        // Turned until the grid moves no further.
        for (int turn = 0, before = -1; turn < grid.rowCount() && grid.topRow() != before; ++turn) {
            before = grid.topRow();
            QWheelEvent wheel(QPointF(5, 5), body.viewport()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(body.viewport(), &wheel);
        }
        break;
    case EndBy::ScrollBar:
        // Dragged to the bottom once, as a user does: the fixed rows the
        // scroll changes must not take the end away again.
        body.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCoreApplication::processEvents();
        break;
    case EndBy::TopRowPastEnd: grid.setTopRow(grid.rowCount() + 5); break;
    }
}

} // namespace gridtest
