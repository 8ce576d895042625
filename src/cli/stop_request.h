#pragma once
// The user's request to stop a module command: Ctrl-C, and SIGTERM on
// Linux; Ctrl-C, Ctrl-Break and closing the console window on Windows
// (SetConsoleCtrlHandler). Whatever the system delivers becomes one flag,
// which the commands poll; each decides what stopping means where it is (an
// operation is cancelled, a test ends). Further causes (a hang-up, say) feed
// the same flag from the platform's file.

#include <memory>

namespace qx::cli {

// True once the user has asked to stop while a guard was installed.
bool InterruptRequested();

// Installs the handlers while it lives. Guards nest (several modules at
// once, each running its operation inside the command's guard): the
// outermost installs and removes them.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct Handlers;  // what the outermost guard replaced, per platform
    std::unique_ptr<Handlers> handlers_;
};

}  // namespace qx::cli
