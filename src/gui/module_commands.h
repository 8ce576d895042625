#pragma once
// The commands that talk to a module. The main window runs them on the
// user-interface thread after its own part (the focus rule); everything
// else (the operation thread, the progress window, the diagnostics) lives
// behind this interface. Read and Restore return whether they completed,
// the module's configuration then in the fields.

#include <optional>
#include <string>

namespace qx::gui {

class ModuleCommands {
public:
    virtual ~ModuleCommands() = default;
    virtual bool ReadModuleConfig() = 0;     // Comm_Read, tb_UpLoad
    virtual void WriteConfig() = 0;          // Comm_Configure, tb_Program
    virtual bool RestoreFactDefaults() = 0;  // Adv_Defaults, tb_Defaults
    virtual void TxBertest() = 0;            // Diag_TxBer
    virtual void RxBerTest(int testNumber) = 0;  // Diag_RxBer 1, Diag_TxRxBer 2, Diag_RSSI 3
    virtual void FindModule() = 0;               // Comm_Find
    virtual void CompareWithModule() = 0;        // Comm_Compare
    virtual void SetVerifyAfterConfigure(bool verify) = 0;  // Comm_Verify
    virtual void SetBackupBeforeConfigure(bool backup) = 0;  // Comm_Backup
    // Comm_History: the module history's list, with its comparisons and
    // saves; the configuration of the entry the user chose to open, if any.
    virtual std::optional<std::string> ModuleHistory() = 0;
    // Before the program ends: a test left running on the module is
    // stopped, as its Stop would. False when that failed and the user
    // would rather not exit.
    virtual bool StopTestsBeforeExit() = 0;
};

// Until the module operations are built in: the commands do nothing.
class NoModuleCommands final : public ModuleCommands {
public:
    bool ReadModuleConfig() override { return false; }
    void WriteConfig() override {}
    bool RestoreFactDefaults() override { return false; }
    void TxBertest() override {}
    void RxBerTest(int) override {}
    void FindModule() override {}
    void CompareWithModule() override {}
    void SetVerifyAfterConfigure(bool) override {}
    void SetBackupBeforeConfigure(bool) override {}
    std::optional<std::string> ModuleHistory() override { return std::nullopt; }
    bool StopTestsBeforeExit() override { return true; }
};

}  // namespace qx::gui
