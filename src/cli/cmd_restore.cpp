// qxcfg restore: the module restores and stores its factory settings and is
// read back, as the window's Restore Factory Defaults does.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/each_port.h"
#include "cli/field_output.h"
#include "cli/module_reach.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/operation_starters.h"

namespace qx::cli {

void PrintReadResult(CliContext& context, const Workspace& workspace, bool json);

namespace {

// Factory settings may move the module off the rate, format or escape
// character the port options reached it at; standard output keeps the
// fields alone, so the note goes with the others.
void SayWhereTheModuleAnswers(CliContext& context, const OnlineOptions& online, const Workspace& restored) {
    if (const auto reach = ReachAfterWrite(online, restored.config))
        context.err << "qxcfg: restore: " << ReachText(*reach) << '\n';
}

}  // namespace

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
    // Asked once, whatever the number of modules; nothing is sent before.
    if (!ConfirmRestoreFactDefaults(*workspace)) {
        if (context.prompter.DeclinedUnasked())
            context.err << "qxcfg: restore: not restoring factory defaults without a terminal to ask; give --yes "
                           "to confirm\n";
        return Conclude(context, OperationOutcome::Declined());
    }
    if (online.ports.size() > 1) {
        return RunOnEachPort(context, online, [](CliContext& own, const OnlineOptions& one) {
            auto module = StartWorkspace(own, std::nullopt);
            one.ApplyTo(*module);
            const OperationOutcome outcome = RunModuleOperation(own, *module, one, ModuleOperation::RestoreDefaults);
            const int rc = Conclude(own, outcome);
            if (outcome.IsDone()) SayWhereTheModuleAnswers(own, one, *module);
            return PortResult{rc, outcome.IsFailed() ? outcome.text : ShownStatus(*module)};
        }, json);
    }
    const OperationOutcome outcome = RunModuleOperation(context, *workspace, online, ModuleOperation::RestoreDefaults);
    const int rc = Conclude(context, outcome);
    // A restore whose read-back a late Ctrl-C skipped has no fields to show.
    if (outcome.IsDone()) {
        SayWhereTheModuleAnswers(context, online, *workspace);
        PrintReadResult(context, *workspace, json);
    }
    return rc;
}

}  // namespace qx::cli
