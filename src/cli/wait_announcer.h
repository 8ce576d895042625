#pragma once
// When standard error is not a terminal there is no bar to show that qxcfg
// is waiting for the module. A reply wait that has lasted 2 s is then
// announced by one line naming what is waited for and how long the wait
// may last, so that a log or a script's output explains the silence:
//
//   waking the module (reply to +++): up to 9 s
//   reading the module's settings (reply to AT&V): up to 9 s
//   waiting for the reply to ATS7=9: up to 4 s
//   connecting to rfc2217://modems:7777: up to 10 s (5 s to connect, 5 s for the option)
//
// A wait that ends sooner is not mentioned. The announcer watches the
// channels of one command (one at a time); its own thread says the line.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "serial/reply_wait_watcher.h"

namespace qx::cli {

// What the exchange of `command` waits for: "waking the module (reply to +++)".
std::string ExchangeWaitSubject(const std::string& command);
// "WHAT: up to N s", the bound in whole seconds, rounded up, and "
// (DETAIL)" when the bound has parts worth naming.
std::string WaitLine(const std::string& what, std::chrono::milliseconds bound, const std::string& detail = {});

class WaitAnnouncer : public ReplyWaitWatcher {
public:
    using Say = std::function<void(const std::string& line)>;

    explicit WaitAnnouncer(std::chrono::milliseconds after = std::chrono::seconds(2)) : after_(after) {}
    ~WaitAnnouncer() override;
    WaitAnnouncer(const WaitAnnouncer&) = delete;
    WaitAnnouncer& operator=(const WaitAnnouncer&) = delete;

    // Where the lines go; without it (the default) nothing is announced.
    void SayWith(Say say) { say_ = std::move(say); }
    bool Active() const { return static_cast<bool>(say_); }

    void WaitBegins(const std::string& command, std::chrono::milliseconds bound) override;
    void WaitEnded() override;
    // Any wait: what is waited for ("connecting to ...") and its bound,
    // with its parts (see WaitLine); WaitEnded ends it.
    void Begins(const std::string& what, std::chrono::milliseconds bound, const std::string& detail = {});

private:
    void Watch(std::stop_token stop);

    std::chrono::milliseconds after_;
    Say say_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    struct Pending {
        std::string line;
        std::chrono::steady_clock::time_point due;
    };
    std::optional<Pending> pending_;  // the wait in progress, not yet announced
    std::uint64_t generation_ = 0;    // counts the waits begun and ended
    std::jthread thread_;             // started by the first wait that may last long
};

}  // namespace qx::cli
