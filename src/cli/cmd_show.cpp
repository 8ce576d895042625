// qxcfg show: the working configuration after start-up, or after loading a
// configuration file as the window loads it, then optionally the user's
// actions, printed field by field.

#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/field_actions.h"
#include "cli/field_output.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"

namespace qx::cli {

int RunShow(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    std::optional<int> systemAddress;
    std::optional<std::string> file;
    std::vector<std::string> actions;
    bool json = false;
    bool strict = false;
    while (!reader.AtEnd()) {
        if (auto v = reader.TakeOption("--sysaddr")) {
            systemAddress = static_cast<int>(ParseIntArg(*v, 0, 255, "--sysaddr"));
        } else if (auto a = reader.TakeOption("--set")) {
            actions.push_back(*a);
        } else if (reader.TakeFlag("--json")) {
            json = true;
        } else if (reader.TakeFlag("--strict")) {
            strict = true;
        } else if (!file && !reader.Peek().starts_with("-")) {
            file = reader.Next();
        } else {
            throw UsageError("show: unexpected argument '" + reader.Peek() + "'");
        }
    }

    auto workspace = StartWorkspace(context, systemAddress);
    if (file && !LoadFromFile(*workspace, *file)) return kExitFailure;
    const RangePolicy policy{context.err, strict};
    for (const auto& action : actions) ApplyUserAction(workspace->config, action, policy);

    PrintFields(*workspace, context.out, json);
    return kExitOk;
}

}  // namespace qx::cli
