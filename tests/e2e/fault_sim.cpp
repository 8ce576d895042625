#include "e2e/fault_sim.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>

#include "e2e/sim_harness.h"

extern char** environ;

namespace qx::faulttest {
namespace {

using namespace std::chrono_literals;

// The first line the child prints (the slave's path), within `timeout`.
std::string FirstLine(int fd, std::chrono::milliseconds timeout) {
    std::string text;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return {};
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
        std::array<char, 256> buffer{};
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n <= 0) return {};
        text.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return text.substr(0, text.find('\n'));
}

}  // namespace

FaultSim::FaultSim(std::string link, const std::vector<std::string>& args, std::string stderrFile)
    : link_(std::move(link)), stderrFile_(std::move(stderrFile)) {
    std::array<int, 2> out{};
    if (::pipe2(out.data(), O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> all = {simtest::SimBinary(), "--link", link_, "--verbose"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int rc = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) pid_ = -1;
    if (pid_ > 0) slavePath_ = FirstLine(out[0], 10s);
    ::close(out[0]);
}

FaultSim::~FaultSim() { Stop(); }

bool FaultSim::WaitForHost(std::chrono::milliseconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (StderrText().find("qxsim: rx ") != std::string::npos) return true;
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

void FaultSim::Vanish() {
    ::unlink(link_.c_str());
    if (pid_ < 0) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    exitStatus_ = -1;
}

int FaultSim::Stop() {
    if (pid_ < 0) return exitStatus_;
    ::kill(pid_, SIGTERM);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitStatus_;
}

std::string FaultSim::StderrText() const {
    std::ifstream in(stderrFile_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace qx::faulttest
