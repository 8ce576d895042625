#pragma once
// Runs a short dialogue with the module (a test's start or stop) on a worker
// thread behind the modal progress window, so that the windows keep
// painting and answering while the module is woken. Cancel, Esc and the
// close box ask the exchanges to stop; the channel's waits then end within
// one read of the port. The window closes when the worker has ended.

#include <memory>

#include "app/exchange_runner.h"

namespace qx::gui {

class ProgressWindow;
class QtUiDispatcher;

class ProgressExchangeRunner final : public ExchangeRunner {
public:
    ProgressExchangeRunner(ProgressWindow& window, QtUiDispatcher& ui) : window_(window), ui_(ui) {}

    bool Run(const std::string& what, const Exchanges& exchanges) override;
    UiDispatcher& Ui() override;

private:
    ProgressWindow& window_;
    QtUiDispatcher& ui_;
};

}  // namespace qx::gui
