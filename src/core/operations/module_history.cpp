// What the module operations keep in the module history: every read that
// completed, every write and restore whose store went out (with what came
// of it), and, when asked, the module's configuration read just before a
// write or a restore. Keeping is never the operation's business: the recorder turns a
// failure into a notice, and the operation's outcome stays its own.

#include <chrono>

#include "config/readout_parser.h"
#include "history/history_recorder.h"
#include "operations/program_thread.h"
#include "operations/read_back.h"
#include "operations/read_completion.h"
#include "serial/by_id_path.h"
#include "serial/comqx7_object.h"

namespace qx {

namespace {

using namespace std::chrono_literals;

// The backup read's own messages (a listing's flow-control remark, say) are
// not the write's: nobody sees them, and a question gets its first button.
class UnseenPrompter : public Prompter {
public:
    Answer Show(const Message& m) override { return m.buttons == MessageButtons::YesNo ? Answer::Yes : Answer::Ok; }
};

std::string OnOneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        const bool lineEnd = c == '\r' || c == '\n';
        if (!lineEnd) line += c;
        else if (!line.empty() && line.back() != ' ') line += ' ';
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

std::string OutcomeText(const OperationOutcome& outcome) {
    switch (outcome.kind) {
        case OutcomeKind::Done: return outcome.cancelRequested ? "done (the cancel came too late)" : "done";
        case OutcomeKind::Failed: return "failed: " + OnOneLine(outcome.text);
        case OutcomeKind::Cancelled: return "cancelled";
        case OutcomeKind::Declined: return "declined";
    }
    return {};
}

HistoryEntry ModuleEntry(HistoryKind kind, const std::string& portName, const std::string& portPath,
                         const std::string& model) {
    HistoryEntry entry;
    entry.kind = kind;
    entry.port = portName;
    entry.device = portPath;
    entry.byIdPath = ByIdPathOf(portPath);
    entry.model = model;
    return entry;
}

// The command an entry names when the front end has not said one.
std::string OperationName(ModuleOperation operation) {
    switch (operation) {
        case ModuleOperation::Configure: return "Configure";
        case ModuleOperation::Read: return "Read";
        case ModuleOperation::RestoreDefaults: return "Restore Factory Defaults";
    }
    return {};
}

}  // namespace

void TProgramThread::BackUpBeforeWrite(TCOMQX7Object& channel) {
    HistoryRecorder* history = context_.history;
    if (!history || !history->WantsBackup(portPath_) || Terminated()) return;
    UnseenPrompter unseen;
    const std::unique_ptr<Workspace> module = WorkspaceForReading(context_.workspace, unseen);
    try {
        WakeModem(channel);
        SetProgressText("Reading Module...");
        channel.SendExpect("AT&V\r", "&Z3=", 100ms);
        module->replyText = context_.workspace.replyText;
        ProcessReadConfig(module->config, module->replyText, module->s21Reference, ReadoutSource::Module);
        FirmwareReply identified;
        context_.ui.Invoke([&] { identified = ReadFirmwareVer(context_.workspace, channel); });
        HistoryEntry entry =
            ModuleEntry(HistoryKind::BeforeWrite, portName_, portPath_, context_.workspace.variant.ProductName);
        entry.command = OperationName(operation_);
        entry.firmware = FirmwareLine(identified);
        entry.outcome = "done";
        TakeConfiguration(entry, module->config);
        history->Record(std::move(entry));
    } catch (const std::exception& e) {
        // The write goes on: its own exchanges decide whether the module is there.
        history->NotKept("the module could not be read before the write (" + OnOneLine(e.what()) + ")");
    }
}

void TProgramThread::KeepInHistory() {
    HistoryRecorder* history = context_.history;
    if (!history || portPath_.empty()) return;
    const bool completed = outcome_.IsDone();
    HistoryKind kind = HistoryKind::Read;
    switch (operation_) {
        case ModuleOperation::Read:
            if (!completed) return;
            break;
        case ModuleOperation::Configure: kind = HistoryKind::Written; break;
        case ModuleOperation::RestoreDefaults: kind = HistoryKind::RestoredDefaults; break;
    }
    // A write or restore that stopped before its store changed nothing stored.
    if (!completed && !outcome_.moduleMayHaveChanged) return;
    try {
        HistoryEntry entry = ModuleEntry(kind, portName_, portPath_, context_.workspace.variant.ProductName);
        entry.command = OperationName(operation_);
        entry.firmware = outcome_.firmware;
        entry.outcome = OutcomeText(outcome_);
        // A restore keeps what its read found; without that read, nothing.
        const bool configuration = operation_ == ModuleOperation::Configure || completed;
        if (configuration) context_.ui.Invoke([&] { TakeConfiguration(entry, context_.workspace.config); });
        history->Record(std::move(entry));
    } catch (const std::exception& e) {
        history->NotKept(e.what());
    }
}

}  // namespace qx
