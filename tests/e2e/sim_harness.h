#pragma once
// Test harness for qxsim: starts the real simulator on a temporary link and
// talks to it through the slave side with plain termios, as a host would.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace qx::simtest {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// A fresh directory under the system's temporary folder, removed with its
// contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// One running qxsim; stopped with SIGTERM when destroyed.
class SimProcess {
public:
    // `link` is the link path; `args` come after "--link PATH".
    SimProcess(const std::string& link, std::vector<std::string> args, const std::string& stderrFile);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    // SIGTERM, wait, and the exit status (-1 when it did not exit normally);
    // once stopped, the same status again.
    int Stop();
    // SIGKILL: gone at once, without cleaning up (as when a device vanishes).
    void Kill();

private:
    pid_t pid_ = -1;
    int exitStatus_ = -1;
    std::string slavePath_;
};

struct HostLine {
    unsigned rate = 9600;
    bool twoStopBits = false;
    bool oddParity = false;
    bool parity = false;
};

// The host side of the port: raw mode, the given line.
class HostPort {
public:
    explicit HostPort(const std::string& path, const HostLine& line = {});
    ~HostPort();
    HostPort(const HostPort&) = delete;
    HostPort& operator=(const HostPort&) = delete;

    void SetLine(const HostLine& line);
    void Purge();
    void Send(const std::string& text);
    // Everything that arrives within `window`.
    std::string ReadFor(Millis window);
    // Reads until `needle` has arrived or `timeout` has passed.
    std::string ReadUntil(const std::string& needle, Millis timeout);
    // Purge, send, and read until `needle` (default: the verbose OK).
    std::string Exchange(const std::string& command, const std::string& needle = "OK\r\n", Millis timeout = 3000ms);

private:
    int fd_ = -1;
};

// The first line a child process writes to `fd` (without its newline),
// waiting at most `timeout`; what came so far, perhaps nothing, when the
// time is up or the child closed its end.
std::string ReadFirstLine(int fd, Millis timeout);

// Full path of qxsim in the build.
std::string SimBinary();

}  // namespace qx::simtest
