#include "operations/tx_ber_test.h"

#include "operations/receive_data.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"

namespace qx {

using namespace std::chrono_literals;

OperationOutcome TxBerTest::TxBertest(Workspace& workspace, const ChannelFactory& openChannel) {
    const bool starting = caption_.find("Start") != std::string::npos;
    auto channel = openChannel(workspace.host);
    channel->SetOnReply([&workspace](const std::string& text) { ReceiveData(workspace, text); });
    Prompter& prompter = workspace.GetPrompter();
    OperationOutcome outcome = OperationOutcome::Done();
    try {
        channel->Wake();
        if (starting) {
            channel->SendExpect("AT&K0\r", "OK", 100ms);
            channel->ClearModemLine();
            channel->SendExpect("AT&T0\r", "00", 100ms);
            caption_ = "Stop Tx BER Test";
            Tell(prompter, MessageKind::Information, "Transmit Bit Error Rate Test started.");
        } else {
            channel->SendExpect("ATZ\r", "\r", 100ms);
            caption_ = "Start Tx BER Test";
            Tell(prompter, MessageKind::Information, "Transmit Bit Error Rate Test stopped.");
        }
    } catch (const std::exception& e) {
        outcome = ReportFailure(prompter, ReportSite::TransmitTest, workspace.variant.ProductName, e);
    }
    // The channel closes here; the module goes on transmitting until stopped.
    return outcome;
}

}  // namespace qx
