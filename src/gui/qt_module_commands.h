#pragma once
// The module commands of the window: Read, Configure and Restore Factory
// Defaults run their operation on a worker thread behind the modal progress
// window; the transmit test runs on this thread under the hourglass; the
// receive tests run in their own modal test window.
//
// Every channel opens "Com n" through the window's port map, with the
// model's product name and the escape character in force.

#include <memory>

#include "app/operation_outcome.h"
#include "config/command_builder.h"
#include "module_commands.h"
#include "operations/module_operation.h"
#include "operations/operation_context.h"
#include "operations/read_back.h"
#include "operations/tx_ber_test.h"

namespace qx::gui {

class QtUiDispatcher;
class TMainForm;

class QtModuleCommands final : public ModuleCommands {
public:
    explicit QtModuleCommands(TMainForm& form);
    ~QtModuleCommands() override;
    QtModuleCommands(const QtModuleCommands&) = delete;
    QtModuleCommands& operator=(const QtModuleCommands&) = delete;

    void ReadModuleConfig() override;
    void WriteConfig() override;
    void RestoreFactDefaults() override;
    void TxBertest() override;
    void RxBerTest(int testNumber) override;
    void FindModule() override;
    void CompareWithModule() override;
    void SetVerifyAfterConfigure(bool verify) override { verifyAfterConfigure_ = verify; }

    // Opens a command channel with the given host settings.
    ChannelFactory OpenChannel();

private:
    // Shows the progress window modally while the operation's worker runs
    // on `workspace`; returns what came of it once the worker has ended.
    OperationOutcome RunOperation(Workspace& workspace, ModuleOperation operation, ConfigCommandList commandList);
    // Reads the connected module into a workspace of its own (the window's
    // fields stay as they are) and shows how it differs from the window's
    // configuration.
    void ShowDifferencesFromModule(ReadBackAt at);

    TMainForm& form_;
    std::unique_ptr<QtUiDispatcher> ui_;
    TxBerTest txBer_;
    bool verifyAfterConfigure_ = false;
};

}  // namespace qx::gui
