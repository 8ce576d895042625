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
// Set once the command has begun on a module (its first guard).
volatile std::sig_atomic_t moduleBegun = 0;
std::atomic<int> installed{0};

// The signals that ask a command to stop.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void OnInterrupt(int) { interrupted = 1; }

// Outside a guard, before the command began on a module, nothing is under
// way: the program ends at once with Ctrl-C's code (never 128 + the
// signal). Between two operations on a module (a write and its read-back)
// the request is only noted: the first may have changed the module, and
// the run finishes to say so.
extern "C" void OnStopOutsideGuard(int) {
    if (!moduleBegun) ::_exit(kExitCancelled);
    interrupted = 1;
}

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
    for (const int s : kStopSignals) sigaction(s, &action, nullptr);
}

bool InterruptRequested() { return interrupted != 0; }

InterruptGuard::InterruptGuard() {
    if (installed.fetch_add(1) != 0) return;
    interrupted = 0;
    moduleBegun = 1;
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
