#include "operations/tx_ber_test.h"

#include "operations/receive_data.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"

namespace qx {

using namespace std::chrono_literals;

OperationOutcome TxBerTest::TxBertest(Workspace& workspace, const ChannelFactory& openChannel) {
    InPlaceRunner here;
    return TxBertest(workspace, openChannel, here);
}

namespace {

// The click's commands on an open channel; false when the user cancelled.
bool RunTestCommands(TCOMQX7Object& channel, bool starting, const ExchangeRunner::Cancelled& cancelled) {
    const StopRequestScope stop(channel, cancelled);
    channel.Wake();
    if (cancelled()) return false;
    if (!starting) {
        channel.SendExpect("ATZ\r", "\r", 100ms);
        return true;
    }
    channel.SendExpect("AT&K0\r", "OK", 100ms);
    if (cancelled()) return false;
    channel.ClearModemLine();
    if (cancelled()) return false;
    // Once the module has answered this it transmits: a cancel that comes
    // during the answer's wait but after the answer no longer counts.
    channel.SendExpect("AT&T0\r", "00", 100ms);
    return true;
}

}  // namespace

OperationOutcome TxBerTest::TxBertest(Workspace& workspace, const ChannelFactory& openChannel,
                                      ExchangeRunner& runner) {
    const bool starting = !Running();
    std::unique_ptr<TCOMQX7Object> channel;
    bool opened = false;  // written by the exchanges, read once they have ended
    bool completed = false;
    try {
        const auto exchanges = [&](const ExchangeRunner::Cancelled& cancelled) {
            channel = openChannel(workspace.host);
            opened = true;
            UiDispatcher& ui = runner.Ui();
            channel->SetOnReply([&workspace, &ui](const std::string& text) {
                ui.Invoke([&] { ReceiveData(workspace, text); });
            });
            return RunTestCommands(*channel, starting, cancelled);
        };
        completed = runner.Run(starting ? "Starting Tx BER Test..." : "Stopping Tx BER Test...", exchanges);
    } catch (const std::exception& e) {
        // The channel closes before the report shows.
        channel.reset();
        if (!opened) throw;
        return ReportFailure(workspace.GetPrompter(), ReportSite::TransmitTest, workspace.variant.ProductName, e);
    }
    // The channel closes here; the module goes on transmitting until stopped.
    channel.reset();
    if (!completed) return OperationOutcome::Cancelled();
    caption_ = starting ? "Stop Tx BER Test" : "Start Tx BER Test";
    Tell(workspace.GetPrompter(), MessageKind::Information,
         starting ? "Transmit Bit Error Rate Test started." : "Transmit Bit Error Rate Test stopped.");
    return OperationOutcome::Done();
}

}  // namespace qx
