#include "e2e/port_server_process.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "e2e/ser2net_server.h"

#ifndef QX_SOURCE_DIR
#define QX_SOURCE_DIR "."
#endif

namespace qx::nettest {

namespace {

using namespace std::chrono_literals;

// Whether a socket listens on local TCP `port`, read from /proc: a probing
// connection would use up a server that serves one client only.
bool Listens(int port) {
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);  // the heading
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, ":%04X", port);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (state == "0A" && local.ends_with(wanted)) return true;
    }
    return false;
}

// Whether a process other than this one and the simulator (which keeps its
// own end's other side open) has `device` open.
bool HeldByAnother(const std::string& device) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) return false;
    const std::string self = std::to_string(::getpid());
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        std::string name;
        std::getline(std::ifstream(process.path() / "comm"), name);
        if (process.path().filename() == self || name == "qxsim") continue;
        for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", error))
            if (fs::read_symlink(fd.path(), error) == target) return true;
    }
    return false;
}

std::vector<std::string> CommandFor(ServerKind kind, const std::string& device, int port) {
    const std::string support = std::string(QX_SOURCE_DIR) + "/tests/support/";
    const std::string listen = "TCP-LISTEN:" + std::to_string(port) + ",bind=127.0.0.1,reuseaddr";
    const std::string line = "FILE:" + device + ",raw,echo=0,b9600";
    const auto odd = [&](const char* mode) {
        return std::vector<std::string>{"/usr/bin/python3", support + "odd_port_server.py", mode, std::to_string(port),
                                        device};
    };
    switch (kind) {
        case ServerKind::Pyserial:
            return {"/usr/bin/python3", support + "pty_rfc2217_server.py", device, "-p", std::to_string(port)};
        case ServerKind::Socat: return {"socat", listen + ",fork", line};
        case ServerKind::SocatOneShot: return {"socat", listen, line};
        case ServerKind::KeepsRate: return odd("keeps-rate");
        case ServerKind::Flood: return odd("flood");
        case ServerKind::InUse: return odd("in-use");
        case ServerKind::Closes: return odd("closes");
        case ServerKind::Mute: return odd("mute");
        case ServerKind::Streams: return odd("stream");
        case ServerKind::StreamsAfterPurge: return odd("stream-after-purge");
    }
    return {};
}

}  // namespace

PortServerProcess::PortServerProcess(ServerKind kind, const std::string& device, const std::string& folder)
    : device_(device), port_(FreeLocalPort()) {
    test::ProgramOptions options;
    options.log = folder + "/port-server.log";
    process_ = std::make_unique<test::ProgramProcess>(CommandFor(kind, device, port_), options);
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!Listens(port_)) {
        if (!process_->Running() || std::chrono::steady_clock::now() > end)
            throw std::runtime_error("the port server does not listen; see " + options.log);
        std::this_thread::sleep_for(10ms);
    }
}

PortServerProcess::~PortServerProcess() {
    process_.reset();
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (HeldByAnother(device_) && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(10ms);
}

std::string PortServerProcess::Url(const std::string& scheme) const {
    return scheme + "://127.0.0.1:" + std::to_string(port_);
}

}  // namespace qx::nettest
