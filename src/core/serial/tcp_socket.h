#pragma once
// The network device's only contact with the system's sockets (BSD sockets
// on Linux, Winsock on Windows): resolving a port server's name, connecting
// to one of its addresses within a deadline, and a connected, non-blocking
// TCP socket that waits, receives, sends within a deadline and closes.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "serial/serial_device.h"
#include "serial/timed_read.h"

namespace qx {

// One address a name resolved to, as the system's connect call takes it.
struct TcpEndpoint {
    int family = 0;
    int type = 0;
    int protocol = 0;
    std::string address;  // the socket address's bytes
};

struct TcpResolution {
    std::vector<TcpEndpoint> endpoints;  // in the resolver's order
    OpenStatus status = OpenStatus::Opened;  // HostUnknown or NetworkError when it failed
    std::string detail;                      // the resolver's text when it failed
};

TcpResolution ResolveTcp(const std::string& host, const std::string& port);

// How a connection attempt failed, most telling first; Stopped when the
// caller's stop request ended the wait.
enum class ConnectFailure { None, Refused, TimedOut, Other, Stopped };

// Polled while a connection is waited for: true ends the wait (Stopped).
using ConnectStop = std::function<bool()>;

// How often a wait that may be stopped looks at its stop request.
inline constexpr int kStopPollMs = 100;

class TcpSocket {
public:
    TcpSocket() = default;
    ~TcpSocket() { Close(); }
    TcpSocket(TcpSocket&& other) noexcept;
    TcpSocket& operator=(TcpSocket&& other) noexcept;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Connects to `endpoint` before `deadlineMs` (steady clock, see
    // SteadyNowMs), with Nagle's delay off (a module's commands are short
    // and every one waits for an answer). On failure the socket stays
    // closed and `detail` holds the system's text. `stop` (may be empty) is
    // polled every kStopPollMs while the connection is under way.
    ConnectFailure Connect(const TcpEndpoint& endpoint, long long deadlineMs, std::string& detail,
                           const ConnectStop& stop = {});

    bool Valid() const { return handle_ != kNone; }
    void Close();

    // Waits up to `ms` milliseconds (-1: for ever) until something can be
    // received (data, or the end of the connection).
    WaitResult WaitReadable(int ms) const;

    enum class Received { Data, Nothing, Ended };
    // Appends up to `maxBytes` bytes that have come to `out`: Nothing when
    // none is there yet, Ended when the server closed or the connection broke.
    Received Receive(std::string& out, std::size_t maxBytes);

    // Hands all of `bytes` to the connection, waiting for room until
    // `deadlineMs`.
    WriteEnd Send(std::string_view bytes, long long deadlineMs);

    // Tells the server that nothing more will be sent; false when the
    // connection is gone.
    bool ShutdownSending();

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // a descriptor or a SOCKET
};

}  // namespace qx
