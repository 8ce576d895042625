// Before a configuration is written, the module's serial rate and format
// are brought to what the configuration wants, and the host follows, so
// that the rest of the exchange runs at the new settings. Rates the rules
// do not let this computer follow (ModuleRate::hostFollows) are not
// followed: those commands are held back and sent together with the final
// store.

#include "app/module_rates.h"
#include "config/command_slots.h"
#include "config/module_serial.h"
#include "operations/host_follows_module.h"
#include "operations/program_thread.h"
#include "serial/comqx7_object.h"

namespace qx {

using namespace std::chrono_literals;

namespace {

// Sets a flag back when the step ends, on every path.
class RestoreOnExit {
public:
    RestoreOnExit(std::atomic<bool>& flag, bool during, bool after) : flag_(flag), after_(after) { flag_ = during; }
    ~RestoreOnExit() { flag_ = after_; }
    RestoreOnExit(const RestoreOnExit&) = delete;
    RestoreOnExit& operator=(const RestoreOnExit&) = delete;

private:
    std::atomic<bool>& flag_;
    bool after_;
};

}  // namespace

void TProgramThread::CheckSerialParameters(Channel& channel) {
    // Replies in this step reach the log directly: we are on its thread.
    RestoreOnExit exchange(workerExchangeActive_, false, true);
    Workspace& ws = context_.workspace;
    const WorkingConfig& config = ws.config;
    ProgressSink& progress = context_.progress;

    // Held back already: the port cannot follow the module (see PortFollowsWrite).
    if (DeferSerialChange()) return;
    const int baud = config.Field(FieldId::Serial_Baud).choice;
    if (!HostFollowsModuleRate(baud)) {
        deferSerialChange_ = true;
        return;
    }
    progress.SetText("Checking Serial Parameters...");
    const SerialFormat format = SerialFormatOf(config);
    const auto followedBaud = HostRateIndexFor(baud);
    const bool rateDiffers = followedBaud && baud != ws.host.BaudIndex + 1;
    const bool formatDiffers = format.data != ws.host.DataBits || format.stop != ws.host.StopBits ||
                               HostParity(format.parity) != ws.host.Parity;
    if (Terminated()) return;

    if (rateDiffers) {
        progress.SetText("Waking Modem...");
        channel->Wake({.stop = [this] { return Terminated(); }});
        if (Terminated()) return;
        progress.SetText("Changing Serial Parameters...");
        channel->SendCommand(std::string(Slot(slot::ATC).command) + std::to_string(baud) + "\r", "", 5ms);
        progress.SetText("Updating Serial Parameters...");
        ws.host.BaudIndex = *followedBaud;
        if (context_.displaySerialSettings) context_.displaySerialSettings();
        progress.Refresh();
        channel.reset();
        channel = Open(ws.host);
    }
    if (Terminated()) return;

    if (formatDiffers) {
        progress.SetText("Waking Modem...");
        channel->Wake({.stop = [this] { return Terminated(); }});
        if (Terminated()) return;
        progress.SetText("Changing Serial Parameters...");
        channel->SendCommand(std::string(Slot(slot::ATandB).command) + std::to_string(SerialFormatCode(format)) + "\r",
                             "", 5ms);
        progress.SetText("Updating Serial Parameters...");
        UpdateSerialParams(ws.host, config);
        if (context_.displaySerialSettings) context_.displaySerialSettings();
        channel.reset();
        channel = Open(ws.host);
    }
}

}  // namespace qx
