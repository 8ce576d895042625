#include "serial/tcp_connect.h"

#include "serial/timed_read.h"

namespace qx {

namespace {

OpenStatus StatusOf(ConnectFailure failure) {
    switch (failure) {
        case ConnectFailure::Refused: return OpenStatus::ConnectionRefused;
        case ConnectFailure::TimedOut: return OpenStatus::NoAnswer;
        default: return OpenStatus::NetworkError;
    }
}

// A refusal says more than a time-out on another of the host's addresses,
// which says more than the rest.
int Rank(ConnectFailure failure) {
    switch (failure) {
        case ConnectFailure::Refused: return 3;
        case ConnectFailure::TimedOut: return 2;
        default: return 1;
    }
}

}  // namespace

TcpConnectResult ConnectTcp(const std::string& host, const std::string& port, long long deadlineMs,
                            const ConnectStop& stop) {
    TcpResolution resolved = ResolveTcp(host, port);
    if (resolved.status != OpenStatus::Opened) return {TcpSocket(), resolved.status, std::move(resolved.detail)};
    ConnectFailure worst = ConnectFailure::Other;
    std::string worstDetail = "no address to connect to";
    for (const TcpEndpoint& endpoint : resolved.endpoints) {
        TcpSocket socket;
        std::string detail;
        const ConnectFailure failure = socket.Connect(endpoint, deadlineMs, detail, stop);
        if (failure == ConnectFailure::None) return {std::move(socket), OpenStatus::Opened, {}};
        if (failure == ConnectFailure::Stopped) return {TcpSocket(), OpenStatus::Abandoned, {}};
        if (Rank(failure) >= Rank(worst)) {
            worst = failure;
            worstDetail = std::move(detail);
        }
        if (MsUntil(deadlineMs) == 0) break;
    }
    return {TcpSocket(), StatusOf(worst), std::move(worstDetail)};
}

}  // namespace qx
