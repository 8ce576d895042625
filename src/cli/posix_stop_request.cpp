#include "cli/stop_request.h"

#include <signal.h>

#include <atomic>
#include <csignal>

namespace qx::cli {

namespace {

// Written by the signal handler only; the one piece of process state a
// handler may touch.
volatile std::sig_atomic_t interrupted = 0;
std::atomic<int> installed{0};

extern "C" void OnInterrupt(int) { interrupted = 1; }

}  // namespace

struct InterruptGuard::Handlers {
    struct sigaction previousInt {};
    struct sigaction previousTerm {};
};

bool InterruptRequested() { return interrupted != 0; }

InterruptGuard::InterruptGuard() {
    if (installed.fetch_add(1) != 0) return;
    interrupted = 0;
    handlers_ = std::make_unique<Handlers>();
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &handlers_->previousInt);
    sigaction(SIGTERM, &action, &handlers_->previousTerm);
}

InterruptGuard::~InterruptGuard() {
    if (installed.fetch_sub(1) != 1 || !handlers_) return;
    sigaction(SIGINT, &handlers_->previousInt, nullptr);
    sigaction(SIGTERM, &handlers_->previousTerm, nullptr);
}

}  // namespace qx::cli
