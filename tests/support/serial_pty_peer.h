#pragma once
// The far end of a real pseudo-terminal, played by a thread that follows a
// script: whenever what it has received since the last step contains the
// step's text, it sends the step's replies (each after its own pause) and
// moves on. Tests open the slave side as their serial port.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/unique_fd.h"
#include "support/pty_pair.h"

namespace qx::test {

struct PeerReply {
    int delayMs = 0;
    std::string text;
};

struct PeerStep {
    std::string expect;  // empty: acts at once
    std::vector<PeerReply> replies;
};

class PtyPeer {
public:
    PtyPeer() {
        PtyPair pty = OpenPtyPair();
        master_ = std::move(pty.master);
        heldSlave_ = std::move(pty.heldSlave);
        slavePath_ = std::move(pty.slavePath);
        thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
    }
    ~PtyPeer() {
        thread_.request_stop();
        thread_.join();
    }

    const std::string& SlavePath() const { return slavePath_; }
    int HeldSlaveFd() const { return heldSlave_.Get(); }

    void Script(std::vector<PeerStep> steps) {
        std::lock_guard lock(mutex_);
        steps_ = std::move(steps);
        next_ = 0;
        pending_.clear();
    }
    // Sends at once from the calling thread.
    void Send(const std::string& text) { WriteAll(text); }

    std::string Received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }
    bool ScriptDone() const {
        std::lock_guard lock(mutex_);
        return next_ >= steps_.size();
    }

private:
    void WriteAll(const std::string& text) { WriteAllTo(master_.Get(), text); }

    void Run(std::stop_token stop) {
        char buffer[4096];
        while (!stop.stop_requested()) {
            std::vector<PeerReply> toSend;
            {
                std::lock_guard lock(mutex_);
                if (next_ < steps_.size() && pending_.find(steps_[next_].expect) != std::string::npos) {
                    toSend = steps_[next_].replies;
                    pending_.clear();
                    ++next_;
                }
            }
            for (const auto& r : toSend) {
                std::this_thread::sleep_for(std::chrono::milliseconds(r.delayMs));
                WriteAll(r.text);
            }
            if (!toSend.empty()) continue;
            pollfd p{master_.Get(), POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0) continue;
            const ssize_t n = ::read(master_.Get(), buffer, sizeof buffer);
            if (n <= 0) continue;
            std::lock_guard lock(mutex_);
            received_.append(buffer, static_cast<std::size_t>(n));
            pending_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    UniqueFd master_;
    UniqueFd heldSlave_;
    std::string slavePath_;
    mutable std::mutex mutex_;
    std::vector<PeerStep> steps_;
    std::size_t next_ = 0;
    std::string pending_;
    std::string received_;
    std::jthread thread_;
};

// Milliseconds since `start`.
inline long long ElapsedMs(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace qx::test
