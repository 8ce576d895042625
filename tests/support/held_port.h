#pragma once
// A device held open and locked by another process, as another program
// holds a port: a child process under a chosen command name that keeps the
// device until the object goes.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace qx::test {

class HeldPort {
public:
    HeldPort(const std::string& path, const char* processName) {
        // Close-on-exec, so that programs the test starts meanwhile hold no
        // end of these pipes.
        if (::pipe2(toParent_, O_CLOEXEC) != 0 || ::pipe2(toChild_, O_CLOEXEC) != 0) Fail("pipe");
        pid_ = ::fork();
        if (pid_ < 0) Fail("fork");
        if (pid_ == 0) {
            // Only async-signal-safe calls here: the parent has threads.
            ::prctl(PR_SET_NAME, processName, 0, 0, 0);
            const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
            const char ok = (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ? 'y' : 'n';
            (void)!::write(toParent_[1], &ok, 1);
            char c;
            (void)!::read(toChild_[0], &c, 1);
            ::_exit(0);
        }
        char ok = 0;
        if (::read(toParent_[0], &ok, 1) != 1 || ok != 'y') Fail("the holder could not lock");
    }
    ~HeldPort() { Release(); }
    HeldPort(const HeldPort&) = delete;
    HeldPort& operator=(const HeldPort&) = delete;

    pid_t Pid() const { return pid_; }
    // The holder lets go of the device and ends.
    void Release() {
        if (pid_ > 0) {
            (void)!::write(toChild_[1], "x", 1);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
        for (int* fd : {&toParent_[0], &toParent_[1], &toChild_[0], &toChild_[1]}) {
            if (*fd >= 0) ::close(*fd);
            *fd = -1;
        }
    }

private:
    // The destructor does not run for a constructor that throws.
    [[noreturn]] void Fail(const char* what) {
        Release();
        throw std::runtime_error(what);
    }

    int toParent_[2] = {-1, -1};
    int toChild_[2] = {-1, -1};
    pid_t pid_ = -1;
};

}  // namespace qx::test
