#include "probe_stdio.h"

#include <windows.h>

#include <QTimer>

namespace qx::gui {

namespace {

// A pipe cannot be waited on by the event loop: it is looked at every so often.
constexpr int kPollMs = 20;

}  // namespace

QObject* WatchStdin(QObject* parent, std::function<void()> onReadable) {
    auto* timer = new QTimer(parent);
    QObject::connect(timer, &QTimer::timeout, parent, [onReadable] {
        DWORD available = 0;
        const BOOL ok = ::PeekNamedPipe(::GetStdHandle(STD_INPUT_HANDLE), nullptr, 0, nullptr, &available, nullptr);
        if (!ok || available > 0) onReadable();
    });
    timer->start(kPollMs);
    return timer;
}

bool ReadAvailableStdin(QByteArray& into) {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    for (;;) {
        DWORD available = 0;
        if (!::PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr)) return false;
        if (available == 0) return true;
        QByteArray chunk(static_cast<qsizetype>(available), '\0');
        DWORD got = 0;
        if (!::ReadFile(input, chunk.data(), available, &got, nullptr) || got == 0) return false;
        into.append(chunk.constData(), static_cast<qsizetype>(got));
    }
}

bool WriteStdout(const QByteArray& bytes) {
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    for (qsizetype done = 0; done < bytes.size();) {
        DWORD n = 0;
        if (!::WriteFile(output, bytes.constData() + done, static_cast<DWORD>(bytes.size() - done), &n, nullptr) ||
            n == 0)
            return false;
        done += n;
    }
    return true;
}

}  // namespace qx::gui
