#include "serial/tcp_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "app/win32_text.h"

namespace qx {

namespace {

// Winsock serves a process between WSAStartup and WSACleanup: started at
// the first use of a socket, ended when the program ends.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) ::WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

private:
    bool started_ = false;
};

void EnsureWinsock() { static const WinsockSession session; }

SOCKET SocketOf(std::intptr_t handle) { return static_cast<SOCKET>(handle); }

struct AddrInfoFree {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

ConnectFailure FailureOf(int error) {
    switch (error) {
        case WSAECONNREFUSED: return ConnectFailure::Refused;
        case WSAETIMEDOUT: return ConnectFailure::TimedOut;
        default: return ConnectFailure::Other;
    }
}

enum class Direction { Read, Write };

// Waits up to `ms` (-1: for ever) until the socket can be read, or written
// (which includes a connection attempt's end, failed ones too: select()
// reports those, where WSAPoll() did not on older systems): positive when
// ready, 0 on time-out, negative on failure.
int WaitFor(SOCKET socket, Direction direction, int ms) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(socket, &ready);
    FD_SET(socket, &failed);
    timeval limit{ms / 1000, (ms % 1000) * 1000};
    const int n = ::select(0, direction == Direction::Read ? &ready : nullptr,
                           direction == Direction::Write ? &ready : nullptr, &failed, ms < 0 ? nullptr : &limit);
    return n == SOCKET_ERROR ? -1 : n;
}

}  // namespace

TcpResolution ResolveTcp(const std::string& host, const std::string& port) {
    EnsureWinsock();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    TcpResolution result;
    if (resolved != 0) {
        const bool unknown = resolved == WSAHOST_NOT_FOUND || resolved == WSANO_DATA || resolved == WSATRY_AGAIN ||
                             resolved == WSANO_RECOVERY;
        result.status = unknown ? OpenStatus::HostUnknown : OpenStatus::NetworkError;
        result.detail = Win32ErrorText(static_cast<unsigned long>(resolved));
        return result;
    }
    const std::unique_ptr<addrinfo, AddrInfoFree> list(found);
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next)
        result.endpoints.push_back({a->ai_family, a->ai_socktype, a->ai_protocol,
                                    std::string(reinterpret_cast<const char*>(a->ai_addr), a->ai_addrlen)});
    return result;
}

void TcpSocket::Close() {
    if (handle_ != kNone) ::closesocket(SocketOf(std::exchange(handle_, kNone)));
}

ConnectFailure TcpSocket::Connect(const TcpEndpoint& endpoint, long long deadlineMs, std::string& detail,
                                  const ConnectStop& stop) {
    Close();
    EnsureWinsock();
    const SOCKET s = ::WSASocketW(endpoint.family, endpoint.type, endpoint.protocol, nullptr, 0,
                                  WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    auto fail = [&](int error) {
        Close();
        detail = Win32ErrorText(static_cast<unsigned long>(error));
        return FailureOf(error);
    };
    if (s == INVALID_SOCKET) return fail(::WSAGetLastError());
    handle_ = static_cast<std::intptr_t>(s);
    u_long nonBlocking = 1;
    if (::ioctlsocket(s, FIONBIO, &nonBlocking) != 0) return fail(::WSAGetLastError());
    const auto* address = reinterpret_cast<const sockaddr*>(endpoint.address.data());
    if (::connect(s, address, static_cast<int>(endpoint.address.size())) != 0) {
        const int error = ::WSAGetLastError();
        if (error != WSAEWOULDBLOCK) return fail(error);
        for (;;) {
            if (stop && stop()) {
                Close();
                return ConnectFailure::Stopped;
            }
            const int left = MsUntil(deadlineMs);
            const int ready = WaitFor(s, Direction::Write, stop && (left < 0 || left > kStopPollMs) ? kStopPollMs : left);
            if (ready < 0) return fail(::WSAGetLastError());
            if (ready == 0 && MsUntil(deadlineMs) == 0) return fail(WSAETIMEDOUT);
            if (ready > 0) break;
        }
        int soError = 0;
        int length = sizeof soError;
        if (::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &length) != 0)
            return fail(::WSAGetLastError());
        if (soError != 0) return fail(soError);
    }
    const BOOL on = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    return ConnectFailure::None;
}

WaitResult TcpSocket::WaitReadable(int ms) const {
    const int ready = WaitFor(SocketOf(handle_), Direction::Read, ms);
    if (ready < 0) return WaitResult::Failed;
    return ready == 0 ? WaitResult::TimedOut : WaitResult::Ready;
}

TcpSocket::Received TcpSocket::Receive(std::string& out, std::size_t maxBytes) {
    std::array<char, 4096> buffer{};
    const int n = ::recv(SocketOf(handle_), buffer.data(), static_cast<int>(std::min(buffer.size(), maxBytes)), 0);
    if (n == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK) return Received::Nothing;
    if (n <= 0) return Received::Ended;
    out.append(buffer.data(), static_cast<std::size_t>(n));
    return Received::Data;
}

WriteEnd TcpSocket::Send(std::string_view bytes, long long deadlineMs) {
    const SOCKET s = SocketOf(handle_);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const int n = ::send(s, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n == SOCKET_ERROR && ::WSAGetLastError() != WSAEWOULDBLOCK) return WriteEnd::Failed;
        const int ready = WaitFor(s, Direction::Write, MsUntil(deadlineMs));
        if (ready == 0) return WriteEnd::TimedOut;
        if (ready < 0) return WriteEnd::Failed;
    }
    return WriteEnd::Done;
}

bool TcpSocket::ShutdownSending() { return ::shutdown(SocketOf(handle_), SD_SEND) == 0; }

}  // namespace qx
