// Before a configuration is written, the module's serial rate and format
// are brought to what the configuration wants, and the host follows, so
// that the rest of the exchange runs at the new settings. Rates this
// computer's port cannot run at are not followed: those commands are held
// back and sent together with the final store.

#include "operations/program_thread.h"
#include "serial/comqx7_object.h"

namespace qx {

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

bool HostCannotFollow(int serialBaudIndex) {
    return serialBaudIndex == 8 || serialBaudIndex == 11 || serialBaudIndex == 13;
}

}  // namespace

void TProgramThread::CheckSerialParameters(Channel& channel) {
    // Replies in this step reach the log directly: we are on its thread.
    RestoreOnExit exchange(workerExchangeActive_, false, true);
    Workspace& ws = context_.workspace;
    const WorkingConfig& config = ws.config;
    ProgressSink& progress = context_.progress;

    const int baud = config.Choice(FieldId::Serial_Baud);
    if (HostCannotFollow(baud)) {
        deferSerialChange_ = true;
        return;
    }
    progress.SetText("Checking Serial Parameters...");
    const int parityIndex = config.Choice(FieldId::Serial_Parity);
    // "None" and "Zero" both mean no parity bit on the host's side.
    const int hostParity = parityIndex == 2 ? 1 : parityIndex == 3 ? 2 : 0;
    const auto followedBaud = HostBaudIndexForModuleRate(baud);
    const bool rateDiffers = followedBaud && baud != ws.host.BaudIndex + 1;
    const bool formatDiffers = config.Choice(FieldId::Serial_Data) != ws.host.DataBits ||
                               config.Choice(FieldId::Serial_Stop) != ws.host.StopBits ||
                               hostParity != ws.host.Parity;
    if (Terminated()) return;

    if (rateDiffers) {
        progress.SetText("Waking Modem...");
        channel->Wake();
        if (Terminated()) return;
        progress.SetText("Changing Serial Parameters...");
        channel->SendCommand("ATC" + std::to_string(baud) + "\r", "", 5);
        progress.SetText("Updating Serial Parameters...");
        ws.host.BaudIndex = *followedBaud;
        if (context_.displaySerialSettings) context_.displaySerialSettings();
        progress.Refresh();
        channel.reset();
        channel = Open(ws.host);
    }
    if (Terminated()) return;

    if (formatDiffers) {
        const int formatCode = config.Choice(FieldId::Serial_Stop) + 2 * config.Choice(FieldId::Serial_Data) +
                               4 * config.Choice(FieldId::Serial_Parity);
        progress.SetText("Waking Modem...");
        channel->Wake();
        if (Terminated()) return;
        progress.SetText("Changing Serial Parameters...");
        channel->SendCommand("AT&B" + std::to_string(formatCode) + "\r", "", 5);
        progress.SetText("Updating Serial Parameters...");
        UpdateSerialParams(ws.host, config);
        if (context_.displaySerialSettings) context_.displaySerialSettings();
        channel.reset();
        channel = Open(ws.host);
    }
}

}  // namespace qx
