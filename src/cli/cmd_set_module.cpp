// qxcfg set --port P NAME=VALUE...: changes settings on the module itself.
// The module is read as the window's Read does; the settings of a JSON
// object (--from-json) are applied as a file load applies them, then the
// user's actions in order, with the window's rules, cascades and questions;
// the configuration is written as Configure does and read back
// (module_write.h). Printed: what changed on the module, one line per
// setting in the user's words, as `qxcfg fields` shows it,
//
//   s7: 5 -> 9
//   serial.flow: rs-485 -> cts-rts
//
// or "nothing changed on the module"; exit 1 when the module holds
// something else than was written. With --json one object per port, the
// changes under "changed" ({"key": "s7", "before": 5, "after": 9}); with
// several ports each port's changes follow its result line. -o FILE saves
// the configuration read back.

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
    const std::vector<SettingValue> before = SettingValues(workspace.config);
    const RangePolicy policy{context.err, changes.strict};
    if (changes.jsonPath) ApplyJsonSettings(workspace.config, jsonText, *changes.jsonPath, policy);
    for (const std::string& action : changes.actions) ApplyUserAction(workspace.config, action, policy);

    ModuleWrite write = WriteToModule(context, online, workspace, {true, changes.json});
    // Without a read-back nothing can be said of what the module holds.
    if (!write.readBack) return write.result;
    const auto changed = SettingChanges(before, SettingValues(write.readBack->config));
    write.result.details.Raw("changed", ChangesJson(changed));
    for (const auto& change : changed) write.result.lines.push_back(ChangeLine(change));
    if (changed.empty()) write.result.lines.push_back("nothing changed on the module");
    if (!changes.json)
        for (const std::string& line : write.result.lines) context.out << line << '\n';
    if (std::string failed = SaveReadResult(context, *write.readBack, changes.output); !failed.empty()) {
        if (write.result.exitCode == kExitOk) {
            write.result.exitCode = kExitUsage;
            write.result.text = std::move(failed);
        }
    }
    return write.result;
}

}  // namespace

int SetOnModule(CliContext& context, SetArgs& changes) {
    const OnlineOptions& online = changes.online;
    std::string jsonText;
    // Unknown names, values of the wrong form, settings the model never
    // shows, the JSON object and the file to save are all checked before
    // any module is woken.
    const auto check = [&] {
        if (changes.actions.empty() && !changes.jsonPath)
            throw UsageError("set: at least one NAME=VALUE (or --from-json J) is required");
        for (const std::string& action : changes.actions) CheckUserAction(action, context.variant.Record(), changes.strict);
        if (changes.jsonPath) jsonText = ReadJsonFile(*changes.jsonPath);
        if (!changes.output) return;
        if (changes.output->empty() || *changes.output == kStandardOutput)
            throw UsageError("set --port: -o needs a file name");
        if (online.ports.size() > 1) throw UsageError("set: -o takes one port");
        CheckSaveTarget(*changes.output);
    };
    return RunOnPorts(
        context, online, changes.json,
        [&changes, &jsonText](CliContext& own, const OnlineOptions& one) {
            return SetOnePort(own, one, changes, jsonText);
        },
        check);
}

}  // namespace qx::cli
