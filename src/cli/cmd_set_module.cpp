// qxcfg set --port P NAME=VALUE...: changes settings on the module itself.
// The module is read as the window's Read does; the settings of a JSON
// object (--from-json) are applied as a file load applies them, then the
// user's actions in order, with the window's rules, cascades and questions;
// the configuration is written as Configure does and read back
// (module_write.h). Printed: what changed on the module, one line per
// setting as the module stores it,
//
//   S7 Connection Attempts (ATS7=): 5 -> 9
//
// or "nothing changed on the module"; exit 1 when the module holds
// something else than was written. With --json one object per port, the
// changes under "changed". -o FILE saves the configuration read back.

#include "cli/cli_workspace.h"
#include "cli/each_port.h"
#include "cli/field_actions.h"
#include "cli/json_actions.h"
#include "cli/module_read.h"
#include "cli/module_write.h"
#include "cli/outcome_exit.h"
#include "cli/setting_differences.h"
#include "cli/set_arguments.h"
#include "cli/setting_names.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

PortResult SetOnePort(CliContext& context, const OnlineOptions& online, const SetArgs& changes,
                      const std::string& jsonText) {
    ModuleRead read = ReadModule(context, online);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return {rc, read.outcome.text};
    // Ctrl-C while the module was read: the read ran to its end, but the
    // user has asked to stop before anything is written.
    if (read.outcome.cancelRequested) {
        context.err << "qxcfg: set: nothing written to the module\n";
        return {kExitCancelled, {}};
    }
    Workspace& workspace = *read.workspace;
    const ConfigCommandList before = BuildConfigCommandList(workspace.config);
    const RangePolicy policy{context.err, changes.strict};
    if (changes.jsonPath) ApplyJsonSettings(workspace.config, jsonText, *changes.jsonPath, policy);
    for (const std::string& action : changes.actions) ApplyUserAction(workspace.config, action, policy);

    ModuleWrite write = WriteToModule(context, online, workspace, {true, changes.json});
    // Without a read-back nothing can be said of what the module holds.
    if (!write.readBack) return write.result;
    const auto changed = CompareCommandLists(before, BuildConfigCommandList(write.readBack->config));
    write.result.details.Raw("changed", DifferencesJson(changed, "before", "after"));
    if (!changes.json) {
        for (const auto& d : changed) context.out << d.caption << ": " << d.first << " -> " << d.second << '\n';
        if (changed.empty()) context.out << "nothing changed on the module\n";
    }
    if (changes.output) {
        const int saved = SaveReadResult(context, *write.readBack, changes.output);
        if (write.result.exitCode == kExitOk) write.result.exitCode = saved;
    }
    return write.result;
}

}  // namespace

int SetOnModule(CliContext& context, SetArgs& changes) {
    const OnlineOptions& online = changes.online;
    if (changes.actions.empty() && !changes.jsonPath)
        throw UsageError("set: at least one NAME=VALUE (or --from-json J) is required");
    // Unknown names and values of the wrong form are refused before any
    // module is woken.
    for (const std::string& action : changes.actions) CheckUserAction(action, context.variant.Family);
    const std::string jsonText = changes.jsonPath ? ReadJsonFile(*changes.jsonPath) : std::string();

    if (changes.output && (changes.output->empty() || *changes.output == kStandardOutput))
        throw UsageError("set --port: -o needs a file name");
    if (online.ports.size() > 1) {
        if (changes.output) throw UsageError("set: -o takes one port");
        return RunOnEachPort(
            context, online,
            [&changes, &jsonText](CliContext& own, const OnlineOptions& one) {
                return SetOnePort(own, one, changes, jsonText);
            },
            changes.json);
    }
    const PortResult result = SetOnePort(context, online, changes, jsonText);
    if (changes.json) context.out << PortJson(online.PortText(), result) << '\n';
    return result.exitCode;
}

}  // namespace qx::cli
