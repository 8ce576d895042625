#pragma once
// The hourglass while the user-interface thread is busy with the module:
// shown for the lifetime of the object, restored on every path out.

#include <QApplication>

namespace qx::gui {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace qx::gui
