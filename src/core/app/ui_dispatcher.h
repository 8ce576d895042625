#pragma once
// Runs work on the user-interface thread. A worker thread that needs to
// touch what the user sees hands the work over and waits until it has run;
// an exception thrown there is thrown again in the caller. Called on the
// user-interface thread itself, the work runs at once.

#include <functional>

namespace qx {

class UiDispatcher {
public:
    virtual ~UiDispatcher() = default;
    virtual void Invoke(const std::function<void()>& work) = 0;
};

// For front ends without a separate user-interface thread (qxcfg, tests):
// the work runs on the calling thread.
class DirectDispatcher : public UiDispatcher {
public:
    void Invoke(const std::function<void()>& work) override { work(); }
};

}  // namespace qx
