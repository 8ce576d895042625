#pragma once
// A pseudo-terminal for a test's fake far end: the master side for the
// fake, and the slave side held open (raw) for the whole test, so that the
// port under test can close and reopen without the master seeing a hang-up.

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "app/unique_fd.h"

namespace qx::test {

struct PtyPair {
    UniqueFd master;
    UniqueFd heldSlave;
    std::string slavePath;
};

inline PtyPair OpenPtyPair() {
    PtyPair p;
    p.master.Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!p.master.Valid() || ::grantpt(p.master.Get()) != 0 || ::unlockpt(p.master.Get()) != 0)
        throw std::runtime_error("no pseudo-terminal");
    char name[128];
    if (::ptsname_r(p.master.Get(), name, sizeof name) != 0) throw std::runtime_error("ptsname");
    p.slavePath = name;
    p.heldSlave.Reset(::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    termios t{};
    ::tcgetattr(p.heldSlave.Get(), &t);
    ::cfmakeraw(&t);
    ::tcsetattr(p.heldSlave.Get(), TCSANOW, &t);
    return p;
}

// Writes the whole text to the master side, waiting while the line is full.
inline void WriteAllTo(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace qx::test
