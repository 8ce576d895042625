#pragma once
// The user's request to stop a module command: Ctrl-C, SIGTERM and a
// hang-up (SIGHUP: the terminal closed, the ssh session dropped) on Linux;
// Ctrl-C, Ctrl-Break and closing the console window on Windows
// (SetConsoleCtrlHandler). Whatever the system delivers becomes one flag,
// which the commands poll; each decides what stopping means where it is (an
// operation is cancelled, a test ends, a test running on the module is
// stopped there first).
//
// Outside a guard, before a command has begun on a module, Ctrl-C, a
// hang-up and SIGTERM end the program at once with Ctrl-C's exit code;
// once it has, they are noted and the run finishes. A reader that goes
// away (a closed pipe) never ends the program: the write fails, and qxcfg
// says so.

#include <memory>

namespace qx::cli {

// Called first: the program's answers to those signals outside a guard.
void PrepareStopSignals();

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
