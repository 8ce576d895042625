#pragma once
// Runs a check in a child process, for what must not touch the test
// process itself: giving up root (permission bits do not stop root, and
// CI runs as root) or a mount namespace with a small tmpfs (a full disk).

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

namespace qx::test {

inline constexpr uid_t kNobody = 65534;

// The child's exit code: what `body` returns (by convention the number of
// failed expectations), 253 when it threw, 254 when the child did not end
// normally. The child never returns into the test.
inline int ExitCodeOfChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 253;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 254;
}

// In a child: becomes the unprivileged user "nobody" when running as root.
inline bool GiveUpRoot() { return ::geteuid() != 0 || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0); }

// In a child: a tmpfs of `size` (e.g. "64k") on `folder`, seen by this
// process only. False where the system does not permit it.
inline bool MountPrivateTmpfs(const std::string& folder, const char* size) {
    if (::unshare(CLONE_NEWNS) != 0) return false;
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    return ::mount("tmpfs", folder.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
}

// In a child: `folder` read-only for this process and the programs it
// starts (which root cannot write past either). False where the system does
// not permit it.
inline bool MountPrivateReadOnly(const std::string& folder) {
    if (::unshare(CLONE_NEWNS) != 0) return false;
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) return false;
    return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

}  // namespace qx::test
