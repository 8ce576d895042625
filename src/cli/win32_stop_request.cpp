#include "cli/stop_request.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace qx::cli {

namespace {

// Set by the console's handler thread, read by the commands.
std::atomic<bool> interrupted{false};
std::atomic<int> installed{0};

// Windows ends the process as soon as the handler returns from a closing
// console (and some 5 s after the event at the latest): the handler waits,
// briefly, for the command to stop the module's operation first.
constexpr auto kClosingGrace = std::chrono::milliseconds(4500);

BOOL WINAPI OnConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT: interrupted = true; return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT: {
            interrupted = true;
            const auto end = std::chrono::steady_clock::now() + kClosingGrace;
            while (installed.load() > 0 && std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return TRUE;
        }
        default: return FALSE;
    }
}

}  // namespace

struct InterruptGuard::Handlers {};

// Windows has no hang-up or broken-pipe signal: a closed console is handled
// by the guard, and a failed write simply fails.
void PrepareStopSignals() {}

bool InterruptRequested() { return interrupted; }

InterruptGuard::InterruptGuard() {
    if (installed.fetch_add(1) != 0) return;
    interrupted = false;
    handlers_ = std::make_unique<Handlers>();
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

InterruptGuard::~InterruptGuard() {
    if (installed.fetch_sub(1) != 1 || !handlers_) return;
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

}  // namespace qx::cli
