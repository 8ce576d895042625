#include "cli/stop_request.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

#include "cli/usage_error.h"

namespace qx::cli {

namespace {

// Written by the signal handler only; the one piece of process state a
// handler may touch.
volatile std::sig_atomic_t interrupted = 0;
std::atomic<int> installed{0};

// The signals that ask a command to stop.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void OnInterrupt(int) { interrupted = 1; }

// Outside a guard nothing is under way on a module: the program ends at
// once, as Ctrl-C ends it, and with its code (never 128 + the signal).
extern "C" void OnStopOutsideGuard(int) { ::_exit(kExitCancelled); }

}  // namespace

struct InterruptGuard::Handlers {
    struct sigaction previous[std::size(kStopSignals)] {};
};

void PrepareStopSignals() {
    // A reader that went away makes a write fail with EPIPE instead.
    ::signal(SIGPIPE, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = OnStopOutsideGuard;
    sigemptyset(&action.sa_mask);
    for (const int s : {SIGTERM, SIGHUP}) sigaction(s, &action, nullptr);
}

bool InterruptRequested() { return interrupted != 0; }

InterruptGuard::InterruptGuard() {
    if (installed.fetch_add(1) != 0) return;
    interrupted = 0;
    handlers_ = std::make_unique<Handlers>();
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
        sigaction(kStopSignals[i], &action, &handlers_->previous[i]);
}

InterruptGuard::~InterruptGuard() {
    if (installed.fetch_sub(1) != 1 || !handlers_) return;
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
        sigaction(kStopSignals[i], &handlers_->previous[i], nullptr);
}

}  // namespace qx::cli
