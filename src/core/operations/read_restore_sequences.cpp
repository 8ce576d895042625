// Reading the module's listing, and restoring its factory settings.

#include "operations/program_thread.h"
#include "operations/read_completion.h"
#include "serial/comqx7_object.h"

namespace qx {

using namespace std::chrono_literals;

namespace {
constexpr int kProgressMax = 20;
}

void TProgramThread::ReadSequence(TCOMQX7Object& channel, bool freshFields) {
    SetProgressText("Reading Module...");
    SetProgressPosition(0);
    SetProgressMax(kProgressMax);
    SetProgressPosition(5);
    RefreshProgressWindow();
    if (StopOnCancel()) return;

    SetProgressPosition(10);
    try {
        WakeModem(channel);
    } catch (const std::exception&) {
        // The listing request below decides whether the module is there.
    }
    SetProgressText("Reading Module...");
    if (StopOnCancel()) return;

    SetProgressPosition(15);
    // The listing ends with its last stored destination.
    channel.SendExpect("AT&V\r", "&Z3=", 100ms);
    SetProgressPosition(kProgressMax);
    SetProgressText("Updating Main Form...");
    OperationOutcome completed = OperationOutcome::Done();
    context_.ui.Invoke([&] {
        if (freshFields) context_.workspace.DefaultsForReadout();
        completed = UpdateReadConfig(context_.workspace, channel);
    });
    NoteIdentification(completed);
    if (completed.IsFailed()) Failed(std::move(completed));
}

void TProgramThread::RestoreSequence(TCOMQX7Object& channel) {
    SetProgressText("Restoring Defaults...");
    SetProgressPosition(0);
    SetProgressMax(kProgressMax);
    SetProgressPosition(5);
    RefreshProgressWindow();
    if (StopOnCancel()) return;

    try {
        WakeModem(channel);
    } catch (const std::exception&) {
    }
    SetProgressText("Restoring Defaults...");
    if (StopOnCancel()) return;

    SetProgressPosition(10);
    ModuleChanging();
    channel.SendCommand("AT&F&W\r", "\r", 100ms);
    if (!Terminated()) SetProgressPosition(kProgressMax);
}

}  // namespace qx
