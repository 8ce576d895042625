#pragma once
// Opens a TCP connection to a port server within a deadline and says why
// when it cannot: the name does not resolve, nothing listens, or nothing
// answered in time. The socket comes back non-blocking, with Nagle's
// delay off.

#include <string>

#include "serial/serial_device.h"
#include "serial/tcp_socket.h"

namespace qx {

struct TcpConnectResult {
    TcpSocket socket;    // valid only when status is Opened
    OpenStatus status;   // Opened, HostUnknown, ConnectionRefused, NoAnswer, NetworkError or Abandoned
    std::string detail;  // the resolver's or the system's text when it failed
};

// Tries every address `host` resolves to, in the resolver's order, until
// one connects or `deadlineMs` (steady clock, see SteadyNowMs) passes, or
// `stop` (may be empty) asks to give up.
TcpConnectResult ConnectTcp(const std::string& host, const std::string& port, long long deadlineMs,
                            const ConnectStop& stop = {});

}  // namespace qx
