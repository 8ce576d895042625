#include "serial/tcp_connect.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "serial/timed_read.h"

namespace qx {

namespace {

struct AddrInfoFree {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

// Connects one address: 0 when connected, else the error (ETIMEDOUT when
// the deadline passed first).
int ConnectOne(const addrinfo& address, long long deadlineMs, UniqueFd& out) {
    UniqueFd fd(::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol));
    if (!fd.Valid()) return errno;
    if (::connect(fd.Get(), address.ai_addr, address.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) return errno;
        for (;;) {
            pollfd p{fd.Get(), POLLOUT, 0};
            const int ready = ::poll(&p, 1, MsUntil(deadlineMs));
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return errno;
            if (ready == 0) return ETIMEDOUT;
            break;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
        if (error != 0) return error;
    }
    const int on = 1;
    ::setsockopt(fd.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    out = std::move(fd);
    return 0;
}

OpenStatus StatusOfConnectError(int error) {
    switch (error) {
        case ECONNREFUSED: return OpenStatus::ConnectionRefused;
        case ETIMEDOUT: return OpenStatus::NoAnswer;
        default: return OpenStatus::NetworkError;
    }
}

}  // namespace

TcpConnectResult ConnectTcp(const std::string& host, const std::string& port, long long deadlineMs) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    if (resolved != 0) {
        const bool unknown = resolved == EAI_NONAME || resolved == EAI_FAIL || resolved == EAI_AGAIN ||
                             resolved == EAI_NODATA || resolved == EAI_ADDRFAMILY;
        return {UniqueFd(), unknown ? OpenStatus::HostUnknown : OpenStatus::NetworkError,
                resolved == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(resolved)};
    }
    const std::unique_ptr<addrinfo, AddrInfoFree> list(found);
    // The most telling error wins: a refusal says more than a time-out on
    // another of the host's addresses, which says more than the rest.
    int worst = ENETUNREACH;
    auto rank = [](int e) { return e == ECONNREFUSED ? 3 : e == ETIMEDOUT ? 2 : 1; };
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        UniqueFd fd;
        const int error = ConnectOne(*a, deadlineMs, fd);
        if (error == 0) return {std::move(fd), OpenStatus::Opened, {}};
        if (rank(error) >= rank(worst)) worst = error;
        if (MsUntil(deadlineMs) == 0) break;
    }
    return {UniqueFd(), StatusOfConnectError(worst), std::strerror(worst)};
}

}  // namespace qx
