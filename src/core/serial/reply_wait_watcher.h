#pragma once
// Sees the reply waits of a command channel: each exchange's command and
// the longest its wait can last as it begins (see ReplyWaitBound), and its
// end. A front end uses it to tell a user what a long silence is. Called on
// the thread that uses the channel.

#include <chrono>
#include <string>

namespace qx {

class ReplyWaitWatcher {
public:
    virtual ~ReplyWaitWatcher() = default;
    virtual void WaitBegins(const std::string& command, std::chrono::milliseconds bound) = 0;
    virtual void WaitEnded() = 0;
};

// Tells the watcher (if any) that the wait has ended when it leaves scope,
// on every path, a thrown error's included.
class WaitEndGuard {
public:
    explicit WaitEndGuard(ReplyWaitWatcher* watcher) : watcher_(watcher) {}
    ~WaitEndGuard() {
        if (watcher_) watcher_->WaitEnded();
    }
    WaitEndGuard(const WaitEndGuard&) = delete;
    WaitEndGuard& operator=(const WaitEndGuard&) = delete;

private:
    ReplyWaitWatcher* watcher_;
};

}  // namespace qx
