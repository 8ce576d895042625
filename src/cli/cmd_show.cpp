// qxcfg show: the working configuration after start-up (and optionally the
// user's actions), printed field by field.

#include "app/workspace.h"
#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/field_actions.h"
#include "cli/field_output.h"
#include "cli/usage_error.h"

namespace qx::cli {

int RunShow(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    std::optional<int> systemAddress;
    std::vector<std::string> actions;
    bool json = false;
    while (!reader.AtEnd()) {
        if (auto v = reader.TakeOption("--sysaddr")) {
            systemAddress = static_cast<int>(ParseIntArg(*v, 0, 255, "--sysaddr"));
        } else if (auto a = reader.TakeOption("--set")) {
            actions.push_back(*a);
        } else if (reader.TakeFlag("--json")) {
            json = true;
        } else {
            throw UsageError("show: unexpected argument '" + reader.Peek() + "'");
        }
    }

    Workspace workspace(context.variant, context.prompter,
                        systemAddress ? FixedSystemAddress(*systemAddress) : ClockSeededSystemAddress());
    workspace.StartUp();
    for (const auto& action : actions) ApplyUserAction(workspace.config, action);

    if (json)
        PrintFieldsJson(workspace.config, context.out);
    else
        PrintFields(workspace.config, context.out);
    return kExitOk;
}

}  // namespace qx::cli
