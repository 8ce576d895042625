#include "e2e/ser2net_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "app/unique_fd.h"

namespace qx::nettest {

namespace {

using namespace std::chrono_literals;

sockaddr_in Loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

bool Accepts(int port) {
    UniqueFd s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in a = Loopback(port);
    return s.Valid() && ::connect(s.Get(), reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
}

std::string Ser2NetBinary() {
    for (const char* path : {"/usr/sbin/ser2net", "/usr/bin/ser2net", "/usr/local/sbin/ser2net"})
        if (::access(path, X_OK) == 0) return path;
    throw std::runtime_error("ser2net is not installed (scripts/setup installs it)");
}

}  // namespace

int FreeLocalPort() {
    UniqueFd s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in a = Loopback(0);
    socklen_t length = sizeof a;
    if (!s.Valid() || ::bind(s.Get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(s.Get(), reinterpret_cast<sockaddr*>(&a), &length) != 0)
        throw std::runtime_error("no free local port");
    return ntohs(a.sin_port);
}

UniqueFd ListenOnLoopback(int port) {
    UniqueFd s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in a = Loopback(port);
    const int on = 1;
    ::setsockopt(s.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (!s.Valid() || ::bind(s.Get(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(s.Get(), 1) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    return s;
}

Ser2NetServer::Ser2NetServer(const std::string& device, const std::string& folder, Accepter accepter)
    : accepter_(accepter), port_(FreeLocalPort()) {
    const std::string binary = Ser2NetBinary();
    const std::string config = folder + "/ser2net.yaml";
    {
        std::ofstream out(config);
        out << "connection: &module\n"
            << "  accepter: " << (accepter == Accepter::Rfc2217 ? "telnet(rfc2217)," : "") << "tcp,127.0.0.1,"
            << port_ << "\n"
            << "  connector: serialdev," << device << ",9600n81,local\n";
    }
    const std::string log = folder + "/ser2net.log";
    const std::string pidFile = folder + "/ser2net.pid";
    // -n -d: in the foreground, its messages to the log; -u: no UUCP lock
    // files (the test's devices are locked by their users themselves).
    test::ProgramOptions options;
    options.log = log;
    process_ = std::make_unique<test::ProgramProcess>(
        std::vector<std::string>{binary, "-n", "-d", "-u", "-c", config, "-P", pidFile}, options);
    // Listening is the sign it is ready; a connection made to see it is
    // closed at once, before the test's first one.
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!Accepts(port_)) {
        if (!process_->Running()) throw std::runtime_error("ser2net ended at start; see " + log);
        if (std::chrono::steady_clock::now() > end) {
            process_->Kill();
            throw std::runtime_error("ser2net does not listen; see " + log);
        }
        std::this_thread::sleep_for(10ms);
    }
}

std::string Ser2NetServer::Url() const {
    return std::string(accepter_ == Accepter::Rfc2217 ? "rfc2217" : "socket") + "://127.0.0.1:" +
           std::to_string(port_);
}

void Ser2NetServer::Kill() { process_->Kill(); }

}  // namespace qx::nettest
