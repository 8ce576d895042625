#include "support/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <utility>

#ifndef QX_BIN_DIR
#define QX_BIN_DIR "."
#endif

extern char** environ;

namespace qx::test {

namespace {

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe() {
        if (pipe2(fd, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    }
    ~Pipe() {
        for (int f : fd)
            if (f >= 0) close(f);
    }
    void CloseRead() { close(std::exchange(fd[0], -1)); }
    void CloseWrite() { close(std::exchange(fd[1], -1)); }
};

}  // namespace

std::string BinPath(const std::string& program) { return std::string(QX_BIN_DIR) + "/" + program; }

namespace {

// `terminal`, when not -1, becomes the program's standard input instead of
// a pipe carrying `stdinText`.
ProcessResult Run(const std::string& program, const std::vector<std::string>& args, const std::string& stdinText,
                  const ProcessWatch& watch, int terminal = -1) {
    const std::string path = BinPath(program);
    std::vector<std::string> argStrings{path};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);

    Pipe in, out, err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, terminal >= 0 ? terminal : in.fd[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err.fd[1], 2);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + path);
    in.CloseRead();
    out.CloseWrite();
    err.CloseWrite();
    // A child that exits without reading its input must not kill the test.
    std::signal(SIGPIPE, SIG_IGN);
    if (!stdinText.empty()) {
        [[maybe_unused]] auto n = write(in.fd[1], stdinText.data(), stdinText.size());
    }
    in.CloseWrite();

    ProcessResult result;
    std::array<pollfd, 2> fds{{{out.fd[0], POLLIN, 0}, {err.fd[0], POLLIN, 0}}};
    int open = 2;
    while (open > 0) {
        if (watch) watch(pid, result);
        if (poll(fds.data(), fds.size(), watch ? 50 : -1) < 0 && errno != EINTR) break;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? result.out : result.err).append(buf, static_cast<std::size_t>(n));
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& stdinText) {
    return Run(program, args, stdinText, {});
}

ProcessResult RunProgramWatched(const std::string& program, const std::vector<std::string>& args,
                                const ProcessWatch& watch) {
    return Run(program, args, {}, watch);
}

ProcessResult RunProgramOnTerminal(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& typed) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0)
        throw std::runtime_error("no pseudo-terminal");
    // A fresh terminal: canonical input, as a user's shell leaves it. What
    // the user types waits in its input queue until the program reads.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) throw std::runtime_error("cannot open " + std::string(name));
    [[maybe_unused]] auto n = ::write(master, typed.data(), typed.size());
    ProcessResult result = Run(program, args, {}, {}, slave);
    ::close(slave);
    ::close(master);
    return result;
}

}  // namespace qx::test
