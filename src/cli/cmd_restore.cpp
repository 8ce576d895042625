// qxcfg restore: the module restores and stores its factory settings and is
// read back, as the window's Restore Factory Defaults does.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/each_port.h"
#include "cli/field_output.h"
#include "cli/module_read.h"
#include "cli/module_reach.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/operation_starters.h"

namespace qx::cli {

namespace {

// Factory settings may move the module off the rate, format or escape
// character the port options reached it at; standard output keeps the
// fields alone, so the note goes with the others.
void SayWhereTheModuleAnswers(CliContext& context, const OnlineOptions& online, const Workspace& restored) {
    if (const auto reach = ReachAfterWrite(online, restored.config))
        context.err << "qxcfg: restore: " << ReachText(*reach) << '\n';
}

struct RestoreArgs {
    OnlineOptions online;
    bool json = false;
};

// One module restored and read back: its fields printed (unless JSON is
// wanted), its settings in the port's JSON object.
PortResult RestoreOnePort(CliContext& context, const OnlineOptions& online, bool json) {
    auto module = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*module);
    const OperationOutcome outcome = RunModuleOperation(context, *module, online, ModuleOperation::RestoreDefaults);
    const int rc = Conclude(context, outcome);
    // A restore whose read-back a late Ctrl-C skipped has no fields to show.
    if (!outcome.IsDone()) return {rc, outcome.text};
    SayWhereTheModuleAnswers(context, online, *module);
    if (!json) PrintReadResult(context, *module, false);
    PortResult result{rc, ShownStatus(*module)};
    result.details = SettingsMembers(*module);
    return result;
}

int Restore(CliContext& context, RestoreArgs& args) {
    const OnlineOptions& online = args.online;
    auto workspace = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*workspace);
    // Asked once, whatever the number of modules; nothing is sent before.
    if (!ConfirmRestoreFactDefaults(*workspace)) {
        if (context.prompter.DeclinedUnasked())
            context.err << "qxcfg: restore: not restoring factory defaults without a terminal to ask; give --yes "
                           "to confirm\n";
        return ConcludeEveryPort(context, online, args.json,
                                 {Conclude(context, OperationOutcome::Declined()), {}});
    }
    return RunOnPorts(context, online, args.json, [json = args.json](CliContext& own, const OnlineOptions& one) {
        return RestoreOnePort(own, one, json);
    });
}

}  // namespace

Command RestoreCommand() {
    return Declare<RestoreArgs>({
        .name = "restore",
        .usage = "[PORT OPTIONS] [--json]",
        .summary = "restore the module's factory defaults and read it back",
        .rows = Join(Join({JsonFlag<RestoreArgs>("print the fields as one JSON object"), NoBackupFlag<RestoreArgs>()},
                          OperationOptions<RestoreArgs>()),
                     {SeveralPorts<RestoreArgs>()}),
        .exits = OperationExits(),
        .examples = {"qxcfg --yes restore --port /dev/ttyUSB0"},
        .run = Restore,
    });
}

}  // namespace qx::cli
