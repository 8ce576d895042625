#pragma once
// Connections to port servers that this program has closed, while their
// servers may still be freeing the serial port behind them. A port server
// frees its port only once it has closed its side of the connection too,
// so a client that reopens at once (at a new rate, or to read back what it
// wrote) would find the port still taken. Closing does not wait for that:
// the connection, its sending side shut down, is kept here, and the next
// opening of the same server first waits, briefly, for the server to
// close it. At the end of a run nobody waits.
//
// A front end holds one and hands it to the channels it opens; the
// channels of several threads may share it.

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "serial/tcp_socket.h"

namespace qx {

class ClosingConnections {
public:
    // The longest an opening waits for a server to close its side.
    static constexpr int kReleaseMs = 1000;

    // Keeps `socket` (its sending side shut down) of the connection to
    // `server` ("HOST:PORT").
    void Keep(const std::string& server, TcpSocket socket);
    // Before a new connection to `server`: waits until the server has
    // closed every kept connection to it, for kReleaseMs at most and not
    // past `deadlineMs`, and lets them go.
    void AwaitRelease(const std::string& server, long long deadlineMs);

private:
    std::mutex mutex_;
    std::vector<std::pair<std::string, TcpSocket>> kept_;
};

}  // namespace qx
