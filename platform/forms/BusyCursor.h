#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor for as long as the object lives: an error raised under it
// still gives the normal cursor back, where a hand-written restore would leave
// the wait cursor for the rest of the session.
namespace forms {

class [[nodiscard]] BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    BusyCursor(BusyCursor&&) = delete;
    BusyCursor& operator=(BusyCursor&&) = delete;
};

} // namespace forms
