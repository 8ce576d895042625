#include "serial/closing_connections.h"

#include <algorithm>

#include "serial/timed_read.h"

namespace qx {

void ClosingConnections::Keep(const std::string& server, TcpSocket socket) {
    const std::lock_guard lock(mutex_);
    kept_.emplace_back(server, std::move(socket));
}

void ClosingConnections::AwaitRelease(const std::string& server, long long deadlineMs) {
    std::vector<TcpSocket> closing;
    {
        const std::lock_guard lock(mutex_);
        for (auto& [name, socket] : kept_)
            if (name == server) closing.push_back(std::move(socket));
        std::erase_if(kept_, [](const auto& kept) { return !kept.second.Valid(); });
    }
    const long long bound = SteadyNowMs() + kReleaseMs;
    const long long until = deadlineMs == kNoDeadline ? bound : std::min(bound, deadlineMs);
    // What the server still sends is of no use: only its end is awaited.
    for (TcpSocket& socket : closing) {
        for (;;) {
            if (socket.WaitReadable(MsUntil(until)) != WaitResult::Ready) break;
            std::string ignored;
            if (socket.Receive(ignored, 4096) == TcpSocket::Received::Ended) break;
        }
    }
}

}  // namespace qx
