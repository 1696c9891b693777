#pragma once

#include <QApplication>

namespace vel::wingui {

// Shows the wait cursor for the guard's lifetime; the previous cursor comes
// back whatever happens.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace vel::wingui
