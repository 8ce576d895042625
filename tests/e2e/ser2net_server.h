#pragma once
// Debian's ser2net in front of a device, for tests: a configuration file
// written to the test's folder, the server started in the foreground on a
// free local TCP port, and stopped (or killed) by the test.

#include <memory>
#include <string>

#include "app/unique_fd.h"
#include "support/program_process.h"

namespace qx::nettest {

enum class Accepter { Rfc2217, RawTcp };

// A free TCP port on 127.0.0.1 at the time of asking.
int FreeLocalPort();

// A socket listening on 127.0.0.1:`port` (for servers a test plays itself).
UniqueFd ListenOnLoopback(int port);

class Ser2NetServer {
public:
    // Serves `device` (at 9600 N-8-1 until a client says otherwise) on
    // 127.0.0.1; the configuration and the server's output go to `folder`.
    // Throws when ser2net is missing or does not start listening.
    Ser2NetServer(const std::string& device, const std::string& folder, Accepter accepter = Accepter::Rfc2217);
    Ser2NetServer(const Ser2NetServer&) = delete;
    Ser2NetServer& operator=(const Ser2NetServer&) = delete;

    int Port() const { return port_; }
    // "rfc2217://127.0.0.1:PORT" or "socket://127.0.0.1:PORT".
    std::string Url() const;
    // Gone at once, its connections broken (as a server that crashes or
    // loses power).
    void Kill();

private:
    Accepter accepter_;
    int port_ = 0;
    std::unique_ptr<test::ProgramProcess> process_;
};

}  // namespace qx::nettest
