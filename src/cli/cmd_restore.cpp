// qxcfg restore: the module restores and stores its factory settings and is
// read back, as the window's Restore Factory Defaults does.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/each_port.h"
#include "cli/online_options.h"
#include "cli/usage_error.h"
#include "operations/operation_starters.h"

namespace qx::cli {

void PrintReadResult(CliContext& context, const Workspace& workspace, bool json);

int RunRestore(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    bool json = false;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        if (reader.TakeFlag("--json")) {
            json = true;
        } else {
            throw UsageError("restore: unexpected argument '" + reader.Peek() + "'");
        }
    }
    auto workspace = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*workspace);
    // Asked once, whatever the number of modules.
    if (!ConfirmRestoreFactDefaults(*workspace)) return kExitOk;
    if (online.ports.size() > 1) {
        return RunOnEachPort(context, online, [](CliContext& own, const OnlineOptions& one, std::string& summary) {
            auto module = StartWorkspace(own, std::nullopt);
            one.ApplyTo(*module);
            const int rc = RunModuleOperation(own, *module, one, ModuleOperation::RestoreDefaults);
            summary = module->config.View().statusText;
            return rc;
        });
    }
    const int rc = RunModuleOperation(context, *workspace, online, ModuleOperation::RestoreDefaults);
    if (rc != kExitOk) return rc;
    PrintReadResult(context, *workspace, json);
    return kExitOk;
}

}  // namespace qx::cli
