#include "cli/wait_announcer.h"

#include "files/communication_log_file.h"

namespace qx::cli {

namespace {

bool IsEscapeSequence(const std::string& command) {
    return command.size() == 3 && command[0] == command[1] && command[1] == command[2] && command[0] != '\r';
}

}  // namespace

std::string ExchangeWaitSubject(const std::string& command) {
    const std::string sent = ReadableLogText(command.ends_with('\r') ? command.substr(0, command.size() - 1) : command);
    std::string what;
    if (command == "\r") {
        what = "waking the module (reply to CR)";
    } else if (IsEscapeSequence(command)) {
        what = "waking the module (reply to " + sent + ")";
    } else if (command == "ATI\r") {
        what = "identifying the module (reply to ATI)";
    } else if (command == "AT&V\r") {
        what = "reading the module's settings (reply to AT&V)";
    } else {
        what = "waiting for the reply to " + sent;
    }
    return what;
}

std::string WaitLine(const std::string& what, std::chrono::milliseconds bound, const std::string& detail) {
    const long long seconds = (bound.count() + 999) / 1000;
    return what + ": up to " + std::to_string(seconds) + " s" + (detail.empty() ? "" : " (" + detail + ")");
}

WaitAnnouncer::~WaitAnnouncer() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

void WaitAnnouncer::WaitBegins(const std::string& command, std::chrono::milliseconds bound) {
    if (say_) Begins(ExchangeWaitSubject(command), bound);
}

void WaitAnnouncer::Begins(const std::string& what, std::chrono::milliseconds bound, const std::string& detail) {
    if (!say_) return;
    std::lock_guard lock(mutex_);
    ++generation_;
    pending_.reset();
    // A wait that cannot last longer than the announcing time is never announced.
    if (bound > after_) {
        pending_ = Pending{WaitLine(what, bound, detail), std::chrono::steady_clock::now() + after_};
        if (!thread_.joinable()) thread_ = std::jthread([this](std::stop_token stop) { Watch(stop); });
    }
    changed_.notify_all();
}

void WaitAnnouncer::WaitEnded() {
    if (!say_) return;
    std::lock_guard lock(mutex_);
    ++generation_;
    pending_.reset();
    changed_.notify_all();
}

// The line is said under the lock: a wait's end (and whatever the command
// writes after it) waits until its announcement is out, so the two never mix.
void WaitAnnouncer::Watch(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        if (!pending_) {
            changed_.wait(lock, stop, [this] { return pending_.has_value(); });
            continue;
        }
        const std::uint64_t watched = generation_;
        const auto due = pending_->due;
        if (changed_.wait_until(lock, stop, due, [this, watched] { return generation_ != watched; })) continue;
        if (stop.stop_requested()) break;
        say_(pending_->line);
        pending_.reset();
    }
}

}  // namespace qx::cli
