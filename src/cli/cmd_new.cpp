// qxcfg new: the factory defaults written as a configuration file.

#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"

namespace qx::cli {

int RunNew(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    std::optional<int> systemAddress;
    std::optional<std::string> output;
    while (!reader.AtEnd()) {
        if (auto v = reader.TakeOption("--sysaddr")) {
            systemAddress = static_cast<int>(ParseIntArg(*v, 0, 255, "--sysaddr"));
        } else if (auto o = reader.TakeOption("-o")) {
            output = *o;
        } else {
            throw UsageError("new: unexpected argument '" + reader.Peek() + "'");
        }
    }
    if (!output || output->empty()) throw UsageError("new: -o FILE is required");

    auto workspace = StartWorkspace(context, systemAddress);
    SaveConfiguration(context, *workspace, *output);
    return kExitOk;
}

}  // namespace qx::cli
