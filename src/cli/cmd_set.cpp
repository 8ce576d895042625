// qxcfg set: a configuration file loaded, changed by the settings of a JSON
// object given with --from-json (applied as a file load applies values),
// then by the user's actions NAME=VALUE in order, and saved again (over
// itself, or to another file). With --port it changes the module instead.

#include <filesystem>

#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/field_actions.h"
#include "cli/json_actions.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"

namespace qx::cli {

int RunSet(CliContext& context, std::vector<std::string> args) {
    // With a port the settings are changed on the module (cmd_set_module.cpp).
    for (const std::string& arg : args)
        if (arg == "--port" || arg.starts_with("--port=")) return RunSetOnModule(context, std::move(args));
    ArgReader reader(std::move(args));
    std::optional<std::string> file;
    std::optional<std::string> output;
    std::optional<std::string> json;
    std::vector<std::string> actions;
    bool strict = false;
    while (!reader.AtEnd()) {
        if (auto o = reader.TakeOption("-o")) {
            output = *o;
        } else if (auto j = reader.TakeOption("--from-json")) {
            if (json) throw UsageError("set: --from-json is given twice");
            json = *j;
        } else if (reader.TakeFlag("--strict")) {
            strict = true;
        } else if (reader.Peek().starts_with("-")) {
            throw UsageError("set: unexpected argument '" + reader.Peek() + "'");
        } else if (!file) {
            file = reader.Next();
        } else {
            actions.push_back(reader.Next());
        }
    }
    if (!file) throw UsageError("set: FILE is required");
    if (actions.empty() && !json) throw UsageError("set: at least one NAME=VALUE (or --from-json J) is required");
    if (output && output->empty()) throw UsageError("set: -o needs a file name");

    auto workspace = StartWorkspace(context, std::nullopt);
    // A whole configuration given as JSON may make a new file: it starts
    // from the factory defaults, as `new` does.
    const bool newFile = json && !std::filesystem::exists(*file);
    if (!newFile && !LoadFromFile(*workspace, *file)) return kExitUsage;
    const RangePolicy policy{context.err, strict};
    if (json) ApplyJsonSettings(workspace->config, ReadJsonFile(*json), *json, policy);
    for (const auto& action : actions) ApplyUserAction(workspace->config, action, policy);
    // The window moves the focus away before saving, so the field being
    // edited has already been left; every action above left its field.
    if (output)
        SaveConfiguration(context, *workspace, *output);
    else
        WriteConfigFile(*workspace, *file);
    return kExitOk;
}

}  // namespace qx::cli
