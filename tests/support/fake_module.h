#pragma once
// A module played by a test on a real pseudo-terminal: every line the port
// sends (ended by a carriage return) is recorded and answered by a function
// of that line; an escape sequence (three equal characters without a CR)
// counts as a line of its own. Tests open the slave side as their port.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/unique_fd.h"
#include "support/pty_pair.h"

namespace qx::test {

class FakeModule {
public:
    using Responder = std::function<std::string(const std::string& line)>;

    explicit FakeModule(Responder responder) : responder_(std::move(responder)) {
        PtyPair pty = OpenPtyPair();
        master_ = std::move(pty.master);
        heldSlave_ = std::move(pty.heldSlave);
        slavePath_ = std::move(pty.slavePath);
        thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
    }

    const std::string& SlavePath() const { return slavePath_; }

    std::vector<std::string> Lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    // Sends unasked, e.g. the result lines of a test mode.
    void Push(const std::string& text) { WriteAll(text); }

private:
    void WriteAll(const std::string& text) { WriteAllTo(master_.Get(), text); }

    void Answer(const std::string& line) {
        {
            std::lock_guard lock(mutex_);
            lines_.push_back(line);
        }
        const std::string reply = responder_(line);
        if (!reply.empty()) WriteAll(reply);
    }

    void Run(std::stop_token stop) {
        std::string pending;
        char buffer[4096];
        while (!stop.stop_requested()) {
            pollfd p{master_.Get(), POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0) {
                // Quiet line: a waiting escape sequence is complete.
                if (pending.size() == 3 && pending[0] == pending[1] && pending[1] == pending[2]) {
                    Answer(pending);
                    pending.clear();
                }
                continue;
            }
            const ssize_t n = ::read(master_.Get(), buffer, sizeof buffer);
            if (n <= 0) continue;
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] == '\r') {
                    Answer(pending);
                    pending.clear();
                } else {
                    pending += buffer[i];
                }
            }
        }
    }

    Responder responder_;
    UniqueFd master_;
    UniqueFd heldSlave_;
    std::string slavePath_;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::jthread thread_;  // last: starts once everything it uses exists
};

}  // namespace qx::test
