#pragma once
// The worker that runs one module operation (Configure, Read or
// RestoreDefaults) while the progress window is shown. It opens the port
// through a command channel, runs the operation's exchanges, and closes the
// port again on every path; every effect on what the user sees goes through
// the UiDispatcher while the worker waits.
//
// Execute() is the thread body: the window runs it on a thread of its own
// (Start); qxcfg may run it on its own thread directly. Once it has ended
// (Wait), Outcome() says what came of the operation.

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "app/operation_outcome.h"
#include "app/prompter.h"
#include "config/command_builder.h"
#include "operations/module_operation.h"
#include "operations/operation_context.h"

namespace qx {

class TProgramThread {
public:
    // Runs on the user-interface thread: the status line reads "Opening COM
    // Port..." until the operation sets its own.
    TProgramThread(OperationContext context, ModuleOperation operation, ConfigCommandList commandList);
    ~TProgramThread();
    TProgramThread(const TProgramThread&) = delete;
    TProgramThread& operator=(const TProgramThread&) = delete;

    void Start();  // runs Execute on a new thread
    void Execute();
    void Wait();   // until a started thread has ended

    // What came of the operation; read it only after Execute has returned
    // (after Wait when the operation ran on its own thread).
    const OperationOutcome& Outcome() const { return outcome_; }

    // Cancel: polled at the points named in the sequences; an exchange in
    // progress always runs to its end.
    void RequestTermination() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    bool WorkerExchangeActive() const { return workerExchangeActive_; }
    bool DeferSerialChange() const { return deferSerialChange_; }

    // The main window's receive handler for this operation's channels: the
    // text becomes ReplyText and a line of the communication log.
    void ReceiveData(const std::string& text);

    // Thread-side operations: each runs on the user-interface thread while
    // the worker waits (at once when already there).
    void SetProgressText(const std::string& text);
    void SetProgressPosition(int position);
    void SetProgressMax(int max);
    void StepProgress();
    void RefreshProgressWindow();
    Answer ShowThreadMessage(const std::string& text, MessageKind kind, MessageButtons buttons = MessageButtons::Ok);
    void AppendReplyLine(const std::string& text);

private:
    using Channel = std::unique_ptr<TCOMQX7Object>;

    Channel Open(const HostSerialSettings& settings);
    // At a safe point: true when the user has asked to stop, and the
    // operation then ends here as cancelled.
    bool StopOnCancel();
    // The module may hold something else from here on (store, factory reset).
    void ModuleChanging() { outcome_.moduleMayHaveChanged = true; }
    void Failed(OperationOutcome failure);
    // Keeps what an identification found (the other model named).
    void NoteIdentification(const OperationOutcome& identified);
    void RunConfigure();
    void RunRead();
    void RunRestoreDefaults();
    void ReportError(Channel& channel, const std::exception& e);

    void WakeModem(TCOMQX7Object& channel);
    // Before a write that moves the module's rate or character format: the
    // port must reach the module there. False when the write must not go
    // on (the report shown, or the user's No taken).
    bool PortFollowsWrite(TCOMQX7Object& channel);
    void CheckSerialParameters(Channel& channel);  // user-interface thread
    void ConfigureSequence(TCOMQX7Object& channel);
    // The held-back response-codes line, and the rate and format lines held
    // while this computer cannot follow them (empty when it can).
    void ConfigureClosingExchanges(TCOMQX7Object& channel, const std::string& responseCodesLine,
                                   const std::string& deferredLines);
    // `freshFields`: the fields return to their defaults (S21 kept) once
    // the listing has arrived, before it is parsed into them.
    void ReadSequence(TCOMQX7Object& channel, bool freshFields);
    void RestoreSequence(TCOMQX7Object& channel);
    // The module history (module_history.cpp): the module's configuration
    // read and kept before a write or a restore, when the history asks for
    // it; and what the operation read or wrote, kept once it has ended.
    void BackUpBeforeWrite(TCOMQX7Object& channel);
    void KeepInHistory();

    OperationContext context_;
    ModuleOperation operation_;
    ConfigCommandList commandList_;
    std::atomic<bool> terminated_{false};
    bool stoppedOnCancel_ = false;  // worker only
    // Worker only, until it has ended: Done until a step fails, or a Cancel
    // stops the operation.
    OperationOutcome outcome_ = OperationOutcome::Done();
    std::atomic<bool> workerExchangeActive_{false};
    std::atomic<bool> deferSerialChange_{false};
    std::string portName_;  // worker only: the port the operation opened, as given...
    std::string portPath_;  // ...and the device it stands for; empty until a port opened
    std::thread thread_;
};

}  // namespace qx
