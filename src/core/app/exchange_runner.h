#pragma once
// How a front end runs a short dialogue with the module that a user may
// have to wait for (a test's start or stop, which wakes the module first:
// up to twenty seconds with one that does not answer). The window runs it
// on a worker thread behind its progress window, with Cancel, and keeps
// painting and answering meanwhile; qxcfg and the tests run it where they
// are.

#include <functional>
#include <string>

#include "app/ui_dispatcher.h"

namespace qx {

class ExchangeRunner {
public:
    // Polled by the exchanges: true once the user has cancelled.
    using Cancelled = std::function<bool()>;
    // The exchanges themselves: true when they ran to their end, false
    // when they stopped early on a cancel.
    using Exchanges = std::function<bool(const Cancelled& cancelled)>;

    virtual ~ExchangeRunner() = default;

    // Runs `exchanges` (`what` tells the user what is going on, "Starting
    // Tx BER Test...") and returns once they have ended, with what they
    // returned. An error they raise after the user cancelled is the
    // cancel's doing: false then. Any other error is raised again here.
    virtual bool Run(const std::string& what, const Exchanges& exchanges) = 0;

    // How the exchanges reach what the user sees (the communication log)
    // while they run.
    virtual UiDispatcher& Ui() = 0;
};

// Runs the exchanges at once, on the caller's thread, with no way to cancel.
class InPlaceRunner final : public ExchangeRunner {
public:
    bool Run(const std::string&, const Exchanges& exchanges) override {
        return exchanges([] { return false; });
    }
    UiDispatcher& Ui() override { return ui_; }

private:
    DirectDispatcher ui_;
};

}  // namespace qx
