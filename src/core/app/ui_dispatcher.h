#pragma once
// Runs work on the user-interface thread. A worker thread that needs to
// touch what the user sees hands the work over and waits until it has run;
// an exception thrown there is thrown again in the caller. Called on the
// user-interface thread itself, the work runs at once.

#include <chrono>
#include <functional>
#include <thread>

namespace qx {

class UiDispatcher {
public:
    virtual ~UiDispatcher() = default;
    virtual void Invoke(const std::function<void()>& work) = 0;

    // Called on the user-interface thread: waits until `done` holds while
    // still running the work other threads hand over meanwhile (a thread
    // that is being waited for may itself be waiting for this one).
    virtual void WaitServing(const std::function<bool()>& done) {
        while (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};

// For front ends without a separate user-interface thread (qxcfg, tests):
// the work runs on the calling thread.
class DirectDispatcher : public UiDispatcher {
public:
    void Invoke(const std::function<void()>& work) override { work(); }
};

}  // namespace qx
