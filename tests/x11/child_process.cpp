#include "x11/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace qx::x11test {
namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> all;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& x : extra) replaced = replaced || x.rfind(key, 0) == 0;
        if (!replaced) all.push_back(entry);
    }
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> p;
    for (std::string& t : texts) p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

// The program's file: as given when it holds a "/", else found on PATH.
std::string ProgramFile(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string file = folders.substr(start, end - start) + "/" + name;
        if (::access(file.c_str(), X_OK) == 0) return file;
        start = end + 1;
    }
    throw std::runtime_error(name + " is not installed (run scripts/setup)");
}

}  // namespace

ChildProcess::ChildProcess(std::vector<std::string> argv, const ChildOptions& options) {
    const std::string program = ProgramFile(argv.at(0));
    std::array<int, 2> in{-1, -1};
    std::array<int, 2> out{-1, -1};
    if (options.pipes && (::pipe2(in.data(), O_CLOEXEC) != 0 || ::pipe2(out.data(), O_CLOEXEC) != 0))
        throw std::runtime_error("pipe failed");
    std::vector<std::string> env = MergedEnvironment(options.environment);
    std::vector<char*> args = Pointers(argv);
    std::vector<char*> envp = Pointers(env);
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        // Only calls that are safe between fork and exec from here on. The
        // child ends with the test program, however that ends.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        const int error = ::open(options.stderrFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        ::dup2(options.pipes ? in[0] : ::open("/dev/null", O_RDONLY | O_CLOEXEC), STDIN_FILENO);
        ::dup2(options.pipes ? out[1] : error, STDOUT_FILENO);
        ::dup2(error, STDERR_FILENO);
        // dup2 onto itself would keep the close-on-exec flag.
        if (options.fd3 == 3) ::fcntl(3, F_SETFD, 0);
        if (options.fd3 >= 0 && options.fd3 != 3) ::dup2(options.fd3, 3);
        ::execve(program.c_str(), args.data(), envp.data());
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
        throw std::runtime_error("cannot start " + argv[0]);
    }
}

ChildProcess::~ChildProcess() { Stop(); }

bool ChildProcess::Running() {
    if (pid_ < 0) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == 0) return true;
    pid_ = -1;  // ended and reaped (or not ours to wait for)
    return false;
}

void ChildProcess::Stop() {
    for (int* fd : {&in_, &out_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (!Running()) return;
    ::kill(pid_, SIGTERM);
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (Running() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
    if (!Running()) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

}  // namespace qx::x11test
