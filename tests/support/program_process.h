#pragma once
// A program a test starts and keeps running beside it (an X server, a
// window manager, the window, ser2net), through env(1) with extra
// environment; standard input and output on pipes (else both go to the log
// file), fd 3 handed over on request. It ends with the test program however
// that ends, and is stopped (SIGTERM, then SIGKILL after a grace period) and
// reaped when the object goes.

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace qx::test {

struct ProgramOptions {
    std::vector<std::string> environment;  // "NAME=value"
    bool pipes = false;                    // standard input and output on pipes
    std::string log = "/dev/null";         // standard error, appended to
    int fd3 = -1;                          // becomes the child's fd 3
};

class ProgramProcess {
public:
    ProgramProcess(const std::vector<std::string>& command, const ProgramOptions& options) {
        // env(1) sets the environment and finds the program on PATH.
        std::vector<std::string> argv = {"/usr/bin/env"};
        argv.insert(argv.end(), options.environment.begin(), options.environment.end());
        argv.insert(argv.end(), command.begin(), command.end());
        std::vector<char*> args;
        for (std::string& a : argv) args.push_back(a.data());
        args.push_back(nullptr);
        std::array<int, 2> in{-1, -1};
        std::array<int, 2> out{-1, -1};
        if (options.pipes && (::pipe2(in.data(), O_CLOEXEC) != 0 || ::pipe2(out.data(), O_CLOEXEC) != 0))
            throw std::runtime_error("pipe failed");
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only calls that are safe between fork and exec from here on.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) ::_exit(127);
            const int log = ::open(options.log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
            ::dup2(options.pipes ? in[0] : ::open("/dev/null", O_RDONLY | O_CLOEXEC), STDIN_FILENO);
            ::dup2(options.pipes ? out[1] : log, STDOUT_FILENO);
            ::dup2(log, STDERR_FILENO);
            // dup2 onto itself would keep the close-on-exec flag.
            if (options.fd3 == 3) ::fcntl(3, F_SETFD, 0);
            if (options.fd3 >= 0 && options.fd3 != 3) ::dup2(options.fd3, 3);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        if (options.pipes) {
            ::close(in[0]);
            ::close(out[1]);
            in_ = in[1];
            out_ = out[0];
        }
        if (pid_ < 0) {
            Stop();
            throw std::runtime_error("cannot start " + command.at(0));
        }
    }
    ~ProgramProcess() { Stop(); }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    int Input() const { return in_; }    // write end of its standard input
    int Output() const { return out_; }  // read end of its standard output

    bool Running() {
        int status = 0;
        if (pid_ < 0 || ::waitpid(pid_, &status, WNOHANG) == 0) return pid_ >= 0;
        pid_ = -1;  // ended and reaped
        return false;
    }

    // SIGTERM, and SIGKILL when it has not ended after a grace period.
    void Stop() {
        ClosePipes();
        if (!Running()) return;
        ::kill(pid_, SIGTERM);
        using namespace std::chrono_literals;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (Running() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
        Kill();
    }

    // SIGKILL: gone at once, without cleaning up.
    void Kill() {
        ClosePipes();
        if (!Running()) return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }

private:
    void ClosePipes() {
        for (int* fd : {&in_, &out_}) {
            if (*fd >= 0) ::close(*fd);
            *fd = -1;
        }
    }

    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
};

}  // namespace qx::test
