#pragma once

#include <QGuiApplication>

namespace platform {

// The hourglass while a synchronous computation runs, and back, also when the
// computation ends in an error. Application-wide, because nothing of the
// program reacts while the computation holds the event loop anyway, and a
// window's own cursor would miss its text boxes, which carry their own.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace platform
