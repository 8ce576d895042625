#pragma once
// The transmit bit-error-rate test: one menu item that starts the module
// transmitting and, clicked again, stops it. The menu caption is the test's
// only state; the port is open only during each click.
//
// A click's exchanges (opening the port, the wake, the test's commands) run
// through an ExchangeRunner: the window runs them on a worker behind its
// progress window, where Cancel ends them within one read of the port.

#include <string>

#include "app/exchange_runner.h"
#include "app/operation_outcome.h"
#include "operations/operation_context.h"
#include "operations/workspace.h"

namespace qx {

class TxBerTest {
public:
    TxBerTest() = default;
    // For a front end that knows the module is transmitting already.
    explicit TxBerTest(bool running) : caption_(running ? "Stop Tx BER Test" : "Start Tx BER Test") {}

    // "Start Tx BER Test" or "Stop Tx BER Test".
    const std::string& Caption() const { return caption_; }
    // Whether the module was left transmitting: the caption offers Stop.
    bool Running() const { return caption_.find("Stop") != std::string::npos; }

    // One click. Opening the port may raise (the caller's default error
    // report shows it); every other error is reported here and leaves the
    // caption as it was, as a cancel does (outcome Cancelled, no message).
    OperationOutcome TxBertest(Workspace& workspace, const ChannelFactory& openChannel);
    OperationOutcome TxBertest(Workspace& workspace, const ChannelFactory& openChannel, ExchangeRunner& runner);

private:
    std::string caption_ = "Start Tx BER Test";
};

}  // namespace qx
