#include "support/run_process.h"

#include <fcntl.h>
#include <poll.h>
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

ProcessResult Run(const std::string& program, const std::vector<std::string>& args, const std::string& stdinText,
                  const ProcessWatch& watch) {
    const std::string path = BinPath(program);
    std::vector<std::string> argStrings{path};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);

    Pipe in, out, err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd[0], 0);
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

}  // namespace qx::test
