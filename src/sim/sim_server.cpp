#include "sim/sim_server.h"

#include "sim/host_line.h"
#include "sim/sim_error.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <thread>

namespace qx::sim {
namespace {

int PollTimeout(std::optional<TimePoint> deadline, TimePoint now) {
    if (!deadline) return -1;
    if (*deadline <= now) return 0;
    const auto wait = std::chrono::ceil<Millis>(*deadline - now).count();
    return static_cast<int>(std::min<long long>(wait, 60'000));
}

std::optional<TimePoint> Earliest(std::optional<TimePoint> a, std::optional<TimePoint> b) {
    if (a && b) return std::min(*a, *b);
    return a ? a : b;
}

}  // namespace

SimServer::SimServer(PtyLink& link, Module& module, const FaultSet& faults, bool verbose)
    : link_(link), module_(module), faults_(faults), line_(module.Line()),
      verbose_(verbose) {}

void SimServer::Run(int stopFd) {
    while (true) {
        const TimePoint before = Clock::now();
        std::array<pollfd, 2> fds{{{link_.Master(), POLLIN, 0}, {stopFd, POLLIN, 0}}};
        const int timeout = PollTimeout(Earliest(module_.NextDeadline(), queue_.NextDue()), before);
        if (::poll(fds.data(), fds.size(), timeout) < 0) {
            if (errno == EINTR) continue;
            ThrowSystemError("poll");
        }
        if (fds[1].revents != 0) {
            // Take the signal off the descriptor, or it would strike as soon
            // as the mask is restored.
            signalfd_siginfo info{};
            [[maybe_unused]] const ssize_t n = ::read(stopFd, &info, sizeof info);
            return;
        }
        const TimePoint now = Clock::now();
        if ((fds[0].revents & POLLIN) != 0) {
            ReadInput(now);
        } else if ((fds[0].revents & (POLLHUP | POLLERR)) != 0) {
            // Not expected while the slave is held open; never spin on it.
            std::this_thread::sleep_for(Millis(20));
        }
        module_.Tick(now);
        QueueOutput(now);
        Flush(now);
        if (hungUp_) {
            Log("hang-up", "(the line goes dead)");
            return;
        }
    }
}

void SimServer::ReadInput(TimePoint now) {
    std::array<char, 4096> buffer{};
    while (true) {
        const ssize_t n = ::read(link_.Master(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        const std::string bytes(buffer.data(), static_cast<std::size_t>(n));
        // A real module at another rate or format would only see garbage.
        if (!HostAtModuleLine()) {
            Log("dropped (host line differs)", bytes);
            continue;
        }
        Log("rx", bytes);
        module_.Receive(bytes, now);
    }
}

void SimServer::QueueOutput(TimePoint now) {
    for (Output& output : module_.TakeOutput()) {
        const Millis delay = faults_.Delay(output);
        queue_.Push(std::move(output), now + delay);
    }
}

void SimServer::Flush(TimePoint now) {
    for (const Output& output : queue_.TakeDue(now)) {
        std::string bytes = faults_.Filter(output);
        if (!bytes.empty() && !HostAtModuleLine()) {
            // Sent at the wrong rate: what the host gets has nothing in common
            // with the text.
            for (char& c : bytes) c = static_cast<char>(c ^ 0x80);
        }
        Log("tx", bytes);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(link_.Master(), bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            // A full pty (nobody reading) loses the rest, as a line would.
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        if (output.lineAfter) line_ = *output.lineAfter;
        if (faults_.HangsUpAfter(output)) {
            // Nothing more goes out: what the module still had to say is lost
            // with the line.
            hungUp_ = true;
            return;
        }
    }
}

bool SimServer::HostAtModuleLine() const {
    const auto host = ReadHostLine(link_.HeldSlave());
    return host && HostMatches(*host, line_);
}

void SimServer::Log(const char* what, const std::string& bytes) const {
    if (!verbose_ || bytes.empty()) return;
    std::string shown;
    for (const unsigned char c : bytes) {
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            std::array<char, 5> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02X", c);
            shown += hex.data();
        } else {
            shown += static_cast<char>(c);
        }
    }
    std::fprintf(stderr, "qxsim: %s %s\n", what, shown.c_str());
}

}  // namespace qx::sim
