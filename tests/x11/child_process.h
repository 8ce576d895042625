#pragma once
// A program the X tests start (the X server, the window manager, the
// window), through env(1) with extra environment; standard input and output
// on pipes (else both go to the log file), fd 3 handed over on request.
// It ends with the test program however that ends, and is stopped (SIGTERM,
// then SIGKILL after a grace period) and reaped when the object goes.

#include <sys/types.h>

#include <string>
#include <vector>

namespace qx::x11test {

struct ChildOptions {
    std::vector<std::string> environment;  // "NAME=value"
    bool pipes = false;                    // standard input and output on pipes
    std::string log = "/dev/null";         // standard error, appended to
    int fd3 = -1;                          // becomes the child's fd 3
};

class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& command, const ChildOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int Input() const { return in_; }    // write end of its standard input
    int Output() const { return out_; }  // read end of its standard output
    bool Running();
    void Stop();

private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
};

}  // namespace qx::x11test
