#include "probe_stdio.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace qx::gui {

QObject* WatchStdin(QObject* parent, std::function<void()> onReadable) {
    ::fcntl(STDIN_FILENO, F_SETFL, ::fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [onReadable] { onReadable(); });
    return notifier;
}

bool ReadAvailableStdin(QByteArray& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<qsizetype>(n));
            continue;
        }
        return n != 0;  // 0: the asking side has gone; -1: nothing more for now
    }
}

bool WriteStdout(const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

}  // namespace qx::gui
