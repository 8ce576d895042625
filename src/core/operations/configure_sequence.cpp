// Writing the configuration: the command list line by line, each answered
// by "OK", with the lines that would break the link held back (response
// codes off, and a rate or format this computer cannot follow), then the
// firmware check, the store and the restart.

#include <chrono>

#include "config/firmware_identification.h"
#include "operations/program_thread.h"
#include "operations/read_completion.h"
#include "serial/comqx7_object.h"
#include "serial/serial_errors.h"

namespace qx {

namespace {

constexpr int kListWait = 100;
constexpr int kProgressMax = 50;  // the 40 list lines plus 10
constexpr std::size_t kModeSlot = 39;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

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
        if (std::chrono::steady_clock::now() - wakeStart < std::chrono::seconds(3)) Pause(1000);
    }

    try {
        SetProgressText("Configuring Module...");
        std::size_t atqIndex = 0, atcIndex = 0, atbIndex = 0;
        for (std::size_t i = 0; i < kModeSlot; ++i) {
            if (StopOnCancel()) return;
            const std::string& line = commandList_[i];
            if (DeferSerialChange() && Contains(line, "ATC")) {
                atcIndex = i;
            } else if (DeferSerialChange() && Contains(line, "AT&B")) {
                atbIndex = i;
            } else if (Contains(line, "ATQ")) {
                atqIndex = i;
            } else {
                try {
                    channel.SendExpect(line + "\r", "OK", kListWait);
                } catch (const EWriteCommError&) {
                    if (!Contains(line, "AT&K5")) throw;
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

        // Slot 17 has just given the module its new escape character: later
        // wakes must use it.
        const long escapeCode = context_.workspace.config.Value(FieldId::sreg_2);
        context_.ui.Invoke([&] { context_.workspace.escape.Set(escapeCode); });
        channel.SetEscapeCharacter(context_.workspace.escape);

        try {
            channel.SendExpect(commandList_[kModeSlot] + "\r", "OK", kListWait);
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
        ConfigureClosingExchanges(channel, commandList_[atqIndex], commandList_[atcIndex], commandList_[atbIndex]);
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

void TProgramThread::ConfigureClosingExchanges(TCOMQX7Object& channel, const std::string& atqLine,
                                               const std::string& atcLine, const std::string& atbLine) {
    // The held-back rate and format go out with the store and the restart
    // in one line: the module answers at its new settings, which the host
    // cannot hear, so this wait simply runs out (its expected text is never
    // found).
    //
    // The exchanges here that are not judged by their reply must still have
    // gone out: a command that could not be written (the line dropped) ends
    // the operation as a failed exchange would, never as a success.
    const std::string deferredLine = atcLine + atbLine + "AT&WATZ" + "\r";
    if (atqLine == "ATQ1") {
        // Response codes go off now: from here on no reply is judged.
        SendUnchecked(channel, atqLine + "\r", "OK");
        StepProgress();
        ModuleChanging();
        if (DeferSerialChange()) {
            SendUnchecked(channel, deferredLine, "CR");
        } else {
            SendUnchecked(channel, "AT&W\r", "OK");
            Pause(50);
            SendUnchecked(channel, "ATZ\r", "\r");
            Pause(50);
        }
    } else {
        channel.SendExpect(atqLine + "\r", "OK", kListWait);
        OperationOutcome identified;
        context_.ui.Invoke([&] { identified = IdentifyDuringConfigure(context_.workspace, channel); });
        NoteIdentification(identified);
        ModuleChanging();
        if (DeferSerialChange()) {
            SendUnchecked(channel, deferredLine, "CR");
        } else {
            channel.SendExpect("AT&W\r", "OK", kListWait);
            SendUnchecked(channel, "ATZ\r", "\r");
        }
    }
    SetProgressPosition(kProgressMax);
}

}  // namespace qx
