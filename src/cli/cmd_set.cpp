// qxcfg set: a configuration file loaded, changed by the user's actions in
// order (those of a JSON object given with --from-json first, then the
// NAME=VALUE arguments), and saved again (over itself, or to another file).

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
    ArgReader reader(std::move(args));
    std::optional<std::string> file;
    std::optional<std::string> output;
    std::optional<std::string> json;
    std::vector<std::string> actions;
    while (!reader.AtEnd()) {
        if (auto o = reader.TakeOption("-o")) {
            output = *o;
        } else if (auto j = reader.TakeOption("--from-json")) {
            if (json) throw UsageError("set: --from-json is given twice");
            json = *j;
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
    if (!LoadFromFile(*workspace, *file)) return kExitFailure;
    if (json) ApplyJsonActions(workspace->config, ReadJsonFile(*json), *json);
    for (const auto& action : actions) ApplyUserAction(workspace->config, action);
    // The window moves the focus away before saving, so the field being
    // edited has already been left; every action above left its field.
    if (output) {
        SaveConfiguration(context, *workspace, *output);
    } else {
        FixedPathDialogs dialogs(*file);
        SaveAs(*workspace, dialogs, false);
    }
    return kExitOk;
}

}  // namespace qx::cli
