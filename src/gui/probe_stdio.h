#pragma once
// The window probe's standard input and output, read and written without
// ever blocking the event loop: through a socket notifier on Linux, through
// a short poll of the input pipe on Windows.

#include <QByteArray>
#include <QObject>
#include <functional>

namespace qx::gui {

// Calls `onReadable` from the event loop whenever standard input has
// something to read or has ended. The watcher belongs to `parent`.
QObject* WatchStdin(QObject* parent, std::function<void()> onReadable);

// Appends what standard input holds now, without waiting; false once it
// has ended.
bool ReadAvailableStdin(QByteArray& into);

// All of `bytes` to standard output; false when it cannot be written.
bool WriteStdout(const QByteArray& bytes);

}  // namespace qx::gui
