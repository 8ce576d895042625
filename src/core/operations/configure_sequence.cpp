// Writing the configuration: the command list line by line, each answered
// by "OK", with the lines that would break the link held back (response
// codes off, and a rate or format this computer cannot follow), then the
// firmware check, the store and the restart.

#include <chrono>

#include "config/command_slots.h"
#include "config/firmware_identification.h"
#include "config/module_serial.h"
#include "operations/program_thread.h"
#include "operations/read_completion.h"
#include "serial/comqx7_object.h"
#include "serial/serial_errors.h"

namespace qx {

namespace {

using namespace std::chrono_literals;

constexpr auto kListWait = 100ms;           // each list line, the store and the restart
constexpr auto kEarlyWakeFailure = 3s;      // a wake that failed sooner than this...
constexpr auto kSettleAfterWakeFailure = 1s;  // ...gets this long to settle
constexpr auto kAfterUncheckedStore = 50ms;   // after "AT&W" and "ATZ" with response codes off
constexpr int kProgressMax = kConfigCommandCount + 10;  // the list lines plus 10

// The held-back response-codes line that switches them off ("ATQ1").
bool ResponseCodesGoOff(const std::string& line) { return line == std::string(Slot(slot::ATQ).command) + "1"; }

// The flow-control line a module without XON/XOFF refuses.
bool IsXonXoffLine(const CommandSlot& slot, const std::string& line) {
    return slot.rule == ValueRule::FlowControl &&
           line == std::string(slot.command) + std::to_string(FlowControlCode(kXonXoffItem));
}

void Pause(std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }

}  // namespace

void TProgramThread::ConfigureSequence(TCOMQX7Object& channel) {
    SetProgressText("Configuring Module...");
    SetProgressPosition(0);
    SetProgressMax(kProgressMax);
    StepProgress();
    RefreshProgressWindow();

    // A failed wake is not fatal here (the first list line decides), but a
    // quick failure gets a second to settle before the list goes out.
    const auto wakeStart = std::chrono::steady_clock::now();
    try {
        WakeModem(channel);
    } catch (const std::exception&) {
        if (std::chrono::steady_clock::now() - wakeStart < kEarlyWakeFailure) Pause(kSettleAfterWakeFailure);
    }

    try {
        SetProgressText("Configuring Module...");
        std::string heldBackLine, deferredLines;
        std::size_t lastSlot = 0;
        for (std::size_t i = 0; i < kConfigCommandCount; ++i) {
            const CommandSlot& slot = Slot(i);
            const std::string& line = commandList_[i];
            if (slot.sending == Sending::Last) {
                lastSlot = i;
                continue;
            }
            if (StopOnCancel()) return;
            if (slot.sending == Sending::HeldWhileDeferred && DeferSerialChange()) {
                deferredLines += line;
            } else if (slot.sending == Sending::HeldBack) {
                heldBackLine = line;
            } else {
                try {
                    channel.SendExpect(line + "\r", "OK", kListWait);
                } catch (const EWriteCommError&) {
                    if (!IsXonXoffLine(slot, line)) throw;
                    Failed(OperationOutcome::Failure(ReportKind::Own,
                                                     "Error programming XON/XOFF flow control. This parameter is "
                                                     "not supported by the module firmware.",
                                                     ErrorClass::WriteComm));
                    ShowThreadMessage(Outcome().text, MessageKind::Error);
                    return;
                }
                StepProgress();
            }
        }

        // The S2 line has just given the module its new escape character:
        // later wakes must use it.
        const long escapeCode = context_.workspace.config.Value(FieldId::sreg_2);
        context_.ui.Invoke([&] { context_.workspace.escape.Set(escapeCode); });
        channel.SetEscapeCharacter(context_.workspace.escape);

        try {
            channel.SendExpect(commandList_[lastSlot] + "\r", "OK", kListWait);
            StepProgress();
        } catch (const std::exception&) {
            // A new operating mode may take the module out of command mode.
            WakeModem(channel);
        }

        SetProgressText("Configuring Module...");
        if (StopOnCancel()) return;
        StepProgress();
        WakeModem(channel);
        if (StopOnCancel()) return;

        SetProgressText("Configuring Module...");
        ConfigureClosingExchanges(channel, heldBackLine, deferredLines);
    } catch (const std::exception&) {
        if (context_.workspace.config.Checked(FieldId::Adv_Resp)) {
            ShowThreadMessage(
                "\"Disable Response Codes\" is selected, if this parameter is already set in the modem\n\r"
                "then you need to restore factory defaults (switch 2) on the modem before configuring.",
                MessageKind::Warning);
        }
        throw;
    }
}

void TProgramThread::ConfigureClosingExchanges(TCOMQX7Object& channel, const std::string& responseCodesLine,
                                               const std::string& deferredLines) {
    // The held-back rate and format go out with the store and the restart
    // in one line: the module answers at its new settings, which the host
    // cannot hear, so this wait simply runs out (its expected text is never
    // found).
    //
    // The exchanges here that are not judged by their reply must still have
    // gone out: a command that could not be written (the line dropped) ends
    // the operation as a failed exchange would, never as a success.
    const std::string deferredLine = deferredLines + "AT&WATZ" + "\r";
    if (ResponseCodesGoOff(responseCodesLine)) {
        // Response codes go off now: from here on no reply is judged.
        channel.SendDelivered(responseCodesLine + "\r", "OK", kListWait);
        StepProgress();
        ModuleChanging();
        if (DeferSerialChange()) {
            channel.SendDelivered(deferredLine, "CR", kListWait);
        } else {
            channel.SendDelivered("AT&W\r", "OK", kListWait);
            Pause(kAfterUncheckedStore);
            channel.SendDelivered("ATZ\r", "\r", kListWait);
            Pause(kAfterUncheckedStore);
        }
    } else {
        channel.SendExpect(responseCodesLine + "\r", "OK", kListWait);
        OperationOutcome identified = OperationOutcome::Done();
        context_.ui.Invoke([&] { identified = IdentifyDuringConfigure(context_.workspace, channel); });
        NoteIdentification(identified);
        ModuleChanging();
        if (DeferSerialChange()) {
            channel.SendDelivered(deferredLine, "CR", kListWait);
        } else {
            channel.SendExpect("AT&W\r", "OK", kListWait);
            channel.SendDelivered("ATZ\r", "\r", kListWait);
        }
    }
    SetProgressPosition(kProgressMax);
}

}  // namespace qx
