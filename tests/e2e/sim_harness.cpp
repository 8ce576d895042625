#include "e2e/sim_harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace qx::simtest {
namespace {

speed_t SpeedOf(unsigned rate) {
    switch (rate) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: throw std::invalid_argument("rate not in the harness: " + std::to_string(rate));
    }
}

}  // namespace

std::string ReadFirstLine(int fd, Millis timeout) {
    std::string line;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<Millis>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) break;
        std::array<char, 256> buffer{};
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n <= 0) break;
        line.append(buffer.data(), static_cast<std::size_t>(n));
    }
    if (const std::size_t nl = line.find('\n'); nl != std::string::npos) line.resize(nl);
    return line;
}

std::string SimBinary() { return std::string(QX_BIN_DIR) + "/qxsim"; }

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qxsim-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

SimProcess::SimProcess(const std::string& link, std::vector<std::string> args, const std::string& stderrFile) {
    std::array<int, 2> out{};
    if (::pipe2(out.data(), O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> all = {SimBinary(), "--link", link};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int rc = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        pid_ = -1;
        throw std::runtime_error("cannot start " + all[0]);
    }
    slavePath_ = ReadFirstLine(out[0], 10'000ms);
    ::close(out[0]);
}

SimProcess::~SimProcess() { Stop(); }

int SimProcess::Stop() {
    if (pid_ < 0) return exitStatus_;
    ::kill(pid_, SIGTERM);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitStatus_;
}

void SimProcess::Kill() {
    if (pid_ < 0) return;
    ::kill(pid_, SIGKILL);
    Stop();  // reaps it; the SIGTERM then finds no process
    exitStatus_ = -1;
}

HostPort::HostPort(const std::string& path, const HostLine& line) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) throw std::runtime_error("cannot open " + path);
    SetLine(line);
    Purge();
}

HostPort::~HostPort() {
    if (fd_ >= 0) ::close(fd_);
}

void HostPort::SetLine(const HostLine& line) {
    termios tio{};
    ::tcgetattr(fd_, &tio);
    ::cfmakeraw(&tio);
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | PARODD);
    if (line.twoStopBits) tio.c_cflag |= CSTOPB;
    if (line.parity) tio.c_cflag |= PARENB;
    if (line.oddParity) tio.c_cflag |= PARENB | PARODD;
    ::cfsetspeed(&tio, SpeedOf(line.rate));
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) throw std::runtime_error("tcsetattr failed");
}

// Input only: flushing a pty's output would also throw away bytes written
// but not yet read by the simulator.
void HostPort::Purge() { ::tcflush(fd_, TCIFLUSH); }

void HostPort::Send(const std::string& text) {
    if (::write(fd_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        throw std::runtime_error("short write");
    }
}

std::string HostPort::ReadFor(Millis window) { return ReadUntil(std::string(1, '\0') + "never", window); }

std::string HostPort::ReadUntil(const std::string& needle, Millis timeout) {
    std::string text;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (text.find(needle) == std::string::npos) {
        const auto left = std::chrono::duration_cast<Millis>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        std::array<char, 1024> buffer{};
        const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
        if (n > 0) text.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return text;
}

std::string HostPort::Exchange(const std::string& command, const std::string& needle, Millis timeout) {
    Purge();
    Send(command);
    return ReadUntil(needle, timeout);
}

}  // namespace qx::simtest
