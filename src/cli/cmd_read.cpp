// qxcfg read: reads the module's configuration as the window's Read does,
// prints it like show, and saves it when asked.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/each_port.h"
#include "cli/field_output.h"
#include "cli/module_read.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"

namespace qx::cli {

void PrintReadResult(CliContext& context, const Workspace& workspace, bool json) {
    if (json) {
        PrintSettingsJson(workspace, context.out);
    } else {
        PrintFields(workspace.config, context.out);
        context.out << "StatusLine=" << workspace.StatusText() << '\n';
    }
}

int SaveReadResult(CliContext& context, Workspace& workspace, const std::optional<std::string>& path) {
    if (!path) return kExitOk;
    try {
        SaveConfiguration(context, workspace, *path);
    } catch (const std::exception& e) {
        context.err << "qxcfg: " << e.what() << '\n';
        return kExitUsage;
    }
    return kExitOk;
}

int RunRead(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    std::optional<std::string> output;
    bool json = false;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        if (auto o = reader.TakeOption("-o")) {
            output = *o;
        } else if (reader.TakeFlag("--json")) {
            json = true;
        } else {
            throw UsageError("read: unexpected argument '" + reader.Peek() + "'");
        }
    }
    if (online.ports.size() > 1) {
        if (output) throw UsageError("read: -o takes one port");
        return RunOnEachPort(context, online, [](CliContext& own, const OnlineOptions& one) {
            const ModuleRead read = ReadModule(own, one);
            const int rc = Conclude(own, read.outcome);
            if (read.outcome.IsFailed()) return PortResult{rc, read.outcome.text};
            return PortResult{rc, ShownStatus(*read.workspace)};
        }, json);
    }
    const ModuleRead read = ReadModule(context, online);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return rc;
    // "-o -" puts the file on standard output, and nothing else.
    if (output != kStandardOutput) PrintReadResult(context, *read.workspace, json);
    return SaveReadResult(context, *read.workspace, output);
}

}  // namespace qx::cli
