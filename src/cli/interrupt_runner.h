#pragma once
// How qxcfg runs a short dialogue with the module (a test's start or stop):
// where it is, with Ctrl-C (or a hang-up, or SIGTERM) as its Cancel, which
// ends a wake within one read of the port. An error the exchanges raise
// after the user asked to stop is the stop's doing (a port server's
// connection given up, say): the exchanges are then cancelled.

#include "app/exchange_runner.h"
#include "cli/stop_request.h"

namespace qx::cli {

class InterruptRunner final : public ExchangeRunner {
public:
    bool Run(const std::string&, const Exchanges& exchanges) override {
        const Cancelled cancelled = [] { return InterruptRequested(); };
        try {
            return exchanges(cancelled);
        } catch (...) {
            if (cancelled()) return false;
            throw;
        }
    }
    UiDispatcher& Ui() override { return ui_; }

private:
    DirectDispatcher ui_;
};

}  // namespace qx::cli
