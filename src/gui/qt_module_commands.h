#pragma once
// The module commands of the window: Read, Configure and Restore Factory
// Defaults run their operation on a worker thread behind the modal progress
// window; so do the transmit test's clicks and the receive tests' Start and
// Stop (ProgressExchangeRunner), each with Cancel; the receive tests run in
// their own modal test window.
//
// Every channel opens "Com n" through the window's port map, with the
// model's product name and the escape character in force, and its traffic
// goes into the session's log.
//
// With a history, Read, Configure, Restore Factory Defaults and the
// comparisons keep what they read and wrote in it (Configure first backs the
// module up when asked), and the history's notices are shown once the
// operation has ended; Module History lists it.

#include <cstdint>
#include <memory>

#include "app/operation_outcome.h"
#include "config/command_builder.h"
#include "module_commands.h"
#include "operations/module_operation.h"
#include "operations/operation_context.h"
#include "operations/read_back.h"
#include "operations/tx_ber_test.h"
#include "serial/closing_connections.h"
#include "progress_exchange_runner.h"

class QWidget;

namespace qx::gui {

class QtUiDispatcher;
class TMainForm;
class WindowHistory;

class QtModuleCommands final : public ModuleCommands {
public:
    // `history`: null keeps nothing.
    explicit QtModuleCommands(TMainForm& form, WindowHistory* history = nullptr);
    ~QtModuleCommands() override;
    QtModuleCommands(const QtModuleCommands&) = delete;
    QtModuleCommands& operator=(const QtModuleCommands&) = delete;

    bool ReadModuleConfig() override;
    void WriteConfig() override;
    bool RestoreFactDefaults() override;
    void TxBertest() override;
    void RxBerTest(int testNumber) override;
    void FindModule() override;
    void CompareWithModule() override;
    void SetVerifyAfterConfigure(bool verify) override { verifyAfterConfigure_ = verify; }
    void SetBackupBeforeConfigure(bool backup) override { backupBeforeConfigure_ = backup; }
    std::optional<std::string> ModuleHistory() override;
    bool StopTestsBeforeExit() override;

    // Opens a command channel with the given host settings.
    ChannelFactory OpenChannel();

private:
    // Shows the progress window modally while the operation's worker runs
    // on `workspace`; returns what came of it once the worker has ended.
    OperationOutcome RunOperation(Workspace& workspace, ModuleOperation operation, ConfigCommandList commandList);
    // Reads the connected module into a workspace of its own (the window's
    // fields stay as they are) and shows how it differs from the window's
    // configuration, under `title`, read at `at`.
    void ShowDifferencesFromModule(const char* title, ReadBackAt at);
    // One click of the transmit test's menu item.
    void ClickTxBerTest();
    // A command of the window begins: the history's entries name it, and
    // whether its writes first back the module up.
    void BeginHistoryCommand(const char* command, bool backup = false);
    // The history's notices, shown on this thread.
    void TellHistoryNotices();
    // Module History's Compare with Module: the entry's configuration with
    // the module read at the window's host settings.
    void CompareEntryWithModule(const std::string& configuration, std::int64_t id, QWidget* over);

    TMainForm& form_;
    WindowHistory* history_;
    std::unique_ptr<QtUiDispatcher> ui_;
    std::unique_ptr<ProgressExchangeRunner> runner_;
    // The window's connections to port servers, kept until the next opening
    // of the same server instead of waited on at each close.
    std::shared_ptr<ClosingConnections> closing_ = std::make_shared<ClosingConnections>();
    TxBerTest txBer_;
    bool verifyAfterConfigure_ = false;
    bool backupBeforeConfigure_ = false;
};

}  // namespace qx::gui
