#pragma once
// Port servers other than ser2net in front of a device, for tests, each on
// a free port of 127.0.0.1: pyserial's example RFC 2217 server (through
// tests/support/pty_rfc2217_server.py, which lets it serve a
// pseudo-terminal), socat as a plain TCP server (for every client, or for
// the first one only), and the servers of tests/support/odd_port_server.py
// that misbehave on purpose.

#include <memory>
#include <string>

#include "support/program_process.h"

namespace qx::nettest {

enum class ServerKind {
    Pyserial,     // rfc2217://, follows every line setting
    Socat,        // socket://, at 9600 N-8-1
    SocatOneShot, // socket://, serves its first client and ends
    KeepsRate,    // rfc2217://, acknowledges every rate as 9600
    Flood,        // a stream of 0xFF bytes from the start
    InUse,        // says "Port already in use" and closes
    Closes,       // closes at once
    Mute,         // takes what comes and says nothing
    Streams,      // bytes without end, answering nothing
    StreamsAfterPurge,  // rfc2217://, answers all, streams once a purge is answered
};

class PortServerProcess {
public:
    // Serves `device` (when the kind needs one); its output goes to a log
    // in `folder`. Returns once the server listens.
    PortServerProcess(ServerKind kind, const std::string& device, const std::string& folder);
    // Stops the server, and waits (up to 10 s) until none of its processes
    // holds the device any more: socat serves each client in a process of
    // its own, which ends a moment after its client.
    ~PortServerProcess();
    PortServerProcess(const PortServerProcess&) = delete;
    PortServerProcess& operator=(const PortServerProcess&) = delete;

    // "rfc2217://127.0.0.1:PORT" or "socket://127.0.0.1:PORT".
    std::string Url(const std::string& scheme) const;
    int Port() const { return port_; }

private:
    std::string device_;
    int port_ = 0;
    std::unique_ptr<test::ProgramProcess> process_;
};

}  // namespace qx::nettest
