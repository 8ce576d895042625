// qxcfg commands: the 40 lines that Configure would send, in slot order.

#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/usage_error.h"
#include "config/command_builder.h"
#include "files/config_file_commands.h"

namespace qx::cli {

int RunCommands(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    std::optional<int> systemAddress;
    std::optional<std::string> file;
    while (!reader.AtEnd()) {
        if (auto v = reader.TakeOption("--sysaddr")) {
            systemAddress = static_cast<int>(ParseIntArg(*v, 0, 255, "--sysaddr"));
        } else if (!file && !reader.Peek().starts_with("-")) {
            file = reader.Next();
        } else {
            throw UsageError("commands: unexpected argument '" + reader.Peek() + "'");
        }
    }

    auto workspace = StartWorkspace(context, systemAddress);
    if (file && !LoadFromFile(*workspace, *file)) return kExitUsage;
    for (const std::string& line : BuildConfigCommandList(workspace->config)) context.out << line << '\n';
    return kExitOk;
}

}  // namespace qx::cli
