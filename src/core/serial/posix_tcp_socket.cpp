#include "serial/tcp_socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include "serial/posix_write_within.h"

namespace qx {

namespace {

struct AddrInfoFree {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

ConnectFailure FailureOf(int error) {
    switch (error) {
        case ECONNREFUSED: return ConnectFailure::Refused;
        case ETIMEDOUT: return ConnectFailure::TimedOut;
        default: return ConnectFailure::Other;
    }
}

}  // namespace

TcpResolution ResolveTcp(const std::string& host, const std::string& port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    TcpResolution result;
    if (resolved != 0) {
        const bool unknown = resolved == EAI_NONAME || resolved == EAI_FAIL || resolved == EAI_AGAIN ||
                             resolved == EAI_NODATA || resolved == EAI_ADDRFAMILY;
        result.status = unknown ? OpenStatus::HostUnknown : OpenStatus::NetworkError;
        result.detail = resolved == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(resolved);
        return result;
    }
    const std::unique_ptr<addrinfo, AddrInfoFree> list(found);
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next)
        result.endpoints.push_back({a->ai_family, a->ai_socktype, a->ai_protocol,
                                    std::string(reinterpret_cast<const char*>(a->ai_addr), a->ai_addrlen)});
    return result;
}

void TcpSocket::Close() {
    if (handle_ != kNone) ::close(static_cast<int>(std::exchange(handle_, kNone)));
}

ConnectFailure TcpSocket::Connect(const TcpEndpoint& endpoint, long long deadlineMs, std::string& detail,
                                  const ConnectStop& stop) {
    Close();
    const int fd = ::socket(endpoint.family, endpoint.type | SOCK_NONBLOCK | SOCK_CLOEXEC, endpoint.protocol);
    if (fd < 0) {
        detail = std::strerror(errno);
        return FailureOf(errno);
    }
    handle_ = fd;
    auto fail = [&](int error) {
        Close();
        detail = std::strerror(error);
        return FailureOf(error);
    };
    const auto* address = reinterpret_cast<const sockaddr*>(endpoint.address.data());
    if (::connect(fd, address, static_cast<socklen_t>(endpoint.address.size())) != 0) {
        if (errno != EINPROGRESS) return fail(errno);
        for (;;) {
            if (stop && stop()) {
                Close();
                return ConnectFailure::Stopped;
            }
            const int left = MsUntil(deadlineMs);
            pollfd p{fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, stop && (left < 0 || left > kStopPollMs) ? kStopPollMs : left);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return fail(errno);
            if (ready == 0 && MsUntil(deadlineMs) == 0) return fail(ETIMEDOUT);
            if (ready > 0) break;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return fail(errno);
        if (error != 0) return fail(error);
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return ConnectFailure::None;
}

WaitResult TcpSocket::WaitReadable(int ms) const {
    pollfd p{static_cast<int>(handle_), POLLIN, 0};
    const int ready = ::poll(&p, 1, ms);
    if (ready < 0) return errno == EINTR ? WaitResult::Ready : WaitResult::Failed;
    return ready == 0 ? WaitResult::TimedOut : WaitResult::Ready;
}

TcpSocket::Received TcpSocket::Receive(std::string& out, std::size_t maxBytes) {
    std::array<char, 4096> buffer{};
    const ssize_t n = ::recv(static_cast<int>(handle_), buffer.data(), std::min(buffer.size(), maxBytes), 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return Received::Nothing;
    if (n <= 0) return Received::Ended;
    out.append(buffer.data(), static_cast<std::size_t>(n));
    return Received::Data;
}

WriteEnd TcpSocket::Send(std::string_view bytes, long long deadlineMs) {
    const auto send = [](int fd, const char* data, std::size_t size) { return ::send(fd, data, size, MSG_NOSIGNAL); };
    return WriteWithin(static_cast<int>(handle_), bytes, deadlineMs, send);
}

bool TcpSocket::ShutdownSending() { return ::shutdown(static_cast<int>(handle_), SHUT_WR) == 0; }

}  // namespace qx
