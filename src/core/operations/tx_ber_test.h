#pragma once
// The transmit bit-error-rate test: one menu item that starts the module
// transmitting and, clicked again, stops it. The menu caption is the test's
// only state; the port is open only during each click.

#include <string>

#include "app/operation_outcome.h"
#include "operations/workspace.h"
#include "operations/operation_context.h"

namespace qx {

class TxBerTest {
public:
    TxBerTest() = default;
    // For a front end that knows the module is transmitting already.
    explicit TxBerTest(bool running) : caption_(running ? "Stop Tx BER Test" : "Start Tx BER Test") {}

    // "Start Tx BER Test" or "Stop Tx BER Test".
    const std::string& Caption() const { return caption_; }

    // One click. Opening the port may raise (the caller's default error
    // report shows it); every other error is reported here and leaves the
    // caption as it was.
    OperationOutcome TxBertest(Workspace& workspace, const ChannelFactory& openChannel);

private:
    std::string caption_ = "Start Tx BER Test";
};

}  // namespace qx
