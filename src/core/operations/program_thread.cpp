#include "operations/program_thread.h"

#include "operations/receive_data.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"
#include "serial/serial_errors.h"

namespace qx {

using namespace std::chrono_literals;

TProgramThread::TProgramThread(OperationContext context, ModuleOperation operation, ConfigCommandList commandList)
    : context_(std::move(context)), operation_(operation), commandList_(std::move(commandList)) {
    context_.progress.SetText("Opening COM Port...");
    workerExchangeActive_ = true;
}

TProgramThread::~TProgramThread() { Wait(); }

void TProgramThread::Start() { thread_ = std::thread([this] { Execute(); }); }

void TProgramThread::Wait() {
    if (thread_.joinable()) thread_.join();
}

void TProgramThread::Execute() {
    deferSerialChange_ = false;
    try {
        switch (operation_) {
            case ModuleOperation::Configure: RunConfigure(); break;
            case ModuleOperation::Read: RunRead(); break;
            case ModuleOperation::RestoreDefaults: RunRestoreDefaults(); break;
        }
    } catch (const std::exception& e) {
        // Last resort: an error that escaped the operation's own report
        // (only possible when showing that report failed).
        Failed(FailureAt(ReportSite::LastResort, context_.workspace.variant.ProductName, e));
        try {
            ShowThreadMessage(outcome_.text, MessageKind::Error);
        } catch (...) {
        }
    } catch (...) {
        Failed(OperationOutcome::Failure(ReportKind::R5, {}, ErrorClass::Other));
    }
    outcome_.cancelRequested = Terminated();
    if (stoppedOnCancel_ && !outcome_.IsFailed()) outcome_.kind = OutcomeKind::Cancelled;
    KeepInHistory();
    workerExchangeActive_ = false;
    try {
        context_.ui.Invoke([this] { context_.progress.Close(); });
    } catch (...) {
    }
}

// ---- Wrappers: open, run, close; the port is closed before any message ----

TProgramThread::Channel TProgramThread::Open(const HostSerialSettings& settings) {
    Channel channel = context_.openChannel(settings);
    portName_ = channel->PortNameGiven();
    portPath_ = channel->PortPath();
    channel->SetOnReply([this](const std::string& text) { ReceiveData(text); });
    return channel;
}

bool TProgramThread::StopOnCancel() {
    if (!Terminated()) return false;
    stoppedOnCancel_ = true;
    return true;
}

void TProgramThread::Failed(OperationOutcome failure) {
    failure.moduleMayHaveChanged = outcome_.moduleMayHaveChanged;
    if (failure.otherModel.empty()) failure.otherModel = outcome_.otherModel;
    if (failure.firmware.empty()) failure.firmware = outcome_.firmware;
    outcome_ = std::move(failure);
}

void TProgramThread::NoteIdentification(const OperationOutcome& identified) {
    if (!identified.otherModel.empty()) outcome_.otherModel = identified.otherModel;
    if (!identified.firmware.empty()) outcome_.firmware = identified.firmware;
}

void TProgramThread::ReportError(Channel& channel, const std::exception& e) {
    channel.reset();
    // The user stopped the opening itself: nothing was sent, nothing to report.
    if (dynamic_cast<const EOpenAbandoned*>(&e)) {
        stoppedOnCancel_ = true;
        return;
    }
    Failed(FailureAt(ReportSite::ModuleOperation, context_.workspace.variant.ProductName, e));
    ShowThreadMessage(outcome_.text, MessageKind::Error);
}

void TProgramThread::RunConfigure() {
    Channel channel;
    try {
        channel = Open(context_.workspace.host);
        if (!PortFollowsWrite(*channel)) return;
        BackUpBeforeWrite(*channel);
        context_.ui.Invoke([&] { CheckSerialParameters(channel); });
        ConfigureSequence(*channel);
        channel.reset();
    } catch (const std::exception& e) {
        ReportError(channel, e);
    }
}

void TProgramThread::RunRead() {
    Channel channel;
    try {
        channel = Open(context_.workspace.host);
        ReadSequence(*channel, true);
        channel.reset();
    } catch (const std::exception& e) {
        ReportError(channel, e);
    }
}

void TProgramThread::RunRestoreDefaults() {
    Channel channel;
    try {
        channel = Open(context_.workspace.host);
        // Restoring replaces every setting the module stores, as a write does.
        BackUpBeforeWrite(*channel);
        RestoreSequence(*channel);
        channel.reset();
        // The module now talks at its factory settings; the host follows,
        // even when the restore was cancelled (the read then stops at once).
        context_.ui.Invoke([this] {
            SetDefaultSerialSettings(context_.workspace.host, false);
            if (context_.displaySerialSettings) context_.displaySerialSettings();
        });
        channel = Open(context_.workspace.host);
        // The fields are read over as they stand.
        ReadSequence(*channel, false);
        channel.reset();
    } catch (const std::exception& e) {
        ReportError(channel, e);
    }
}

// ---- Receive handler and thread-side operations -----------------------------

void TProgramThread::ReceiveData(const std::string& text) {
    if (!workerExchangeActive_) return qx::ReceiveData(context_.workspace, text);
    context_.workspace.replyText = text;
    AppendReplyLine(text + "\r");
}

void TProgramThread::AppendReplyLine(const std::string& text) {
    context_.ui.Invoke([&] { context_.workspace.AppendLogLine(text + "\r"); });
}

void TProgramThread::SetProgressText(const std::string& text) {
    context_.ui.Invoke([&] { context_.progress.SetText(text); });
}

void TProgramThread::SetProgressPosition(int position) {
    context_.ui.Invoke([&] { context_.progress.SetPosition(position); });
}

void TProgramThread::SetProgressMax(int max) {
    context_.ui.Invoke([&] { context_.progress.SetMax(max); });
}

void TProgramThread::StepProgress() {
    context_.ui.Invoke([&] { context_.progress.Step(); });
}

void TProgramThread::RefreshProgressWindow() {
    context_.ui.Invoke([&] { context_.progress.Refresh(); });
}

Answer TProgramThread::ShowThreadMessage(const std::string& text, MessageKind kind, MessageButtons buttons) {
    Answer answer = Answer::Ok;
    context_.ui.Invoke([&] { answer = context_.workspace.GetPrompter().Show(Message{kind, buttons, text}); });
    return answer;
}

}  // namespace qx
