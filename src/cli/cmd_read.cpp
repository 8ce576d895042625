// qxcfg read: reads the module's configuration as the window's Read does,
// prints it like show, and saves it when asked.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/each_port.h"
#include "cli/field_output.h"
#include "cli/online_options.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"
#include "operations/operation_starters.h"

namespace qx::cli {

void PrintReadResult(CliContext& context, const Workspace& workspace, bool json) {
    if (json) {
        PrintSettingsJson(workspace, context.out);
    } else {
        PrintFields(workspace.config, context.out);
        context.out << "StatusLine=" << workspace.config.View().statusText << '\n';
    }
}

int SaveReadResult(CliContext& context, Workspace& workspace, const std::optional<std::string>& path) {
    if (!path) return kExitOk;
    try {
        SaveConfiguration(context, workspace, *path);
    } catch (const std::exception& e) {
        context.err << "qxcfg: " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

namespace {

// The module's configuration after a Read, or nothing when it failed.
std::unique_ptr<Workspace> ReadModule(CliContext& context, const OnlineOptions& online) {
    auto workspace = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*workspace);
    PrepareReadModuleConfig(*workspace);
    if (RunModuleOperation(context, *workspace, online, ModuleOperation::Read) != kExitOk) return nullptr;
    return workspace;
}

}  // namespace

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
        return RunOnEachPort(context, online, [](CliContext& own, const OnlineOptions& one, std::string& summary) {
            auto workspace = ReadModule(own, one);
            if (!workspace) return kExitFailure;
            const std::string& status = workspace->config.View().statusText;
            summary = status.substr(std::min(status.find_first_not_of(' '), status.size()));
            return kExitOk;
        });
    }
    auto workspace = ReadModule(context, online);
    if (!workspace) return context.prompter.ErrorsShown() > 0 ? kExitFailure : kExitCancelled;
    // "-o -" puts the file on standard output, and nothing else.
    if (output != kStandardOutput) PrintReadResult(context, *workspace, json);
    return SaveReadResult(context, *workspace, output);
}

}  // namespace qx::cli
