// qxcfg commands: the 40 lines that Configure would send, in slot order.

#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/usage_error.h"
#include "config/command_builder.h"
#include "files/config_file_commands.h"

namespace qx::cli {

namespace {

struct CommandsArgs {
    std::optional<std::string> file;
    std::optional<int> systemAddress;
};

int ListCommands(CliContext& context, CommandsArgs& args) {
    auto workspace = StartWorkspace(context, args.systemAddress);
    if (args.file) RequireFile(*args.file);
    if (args.file && !LoadFromFile(*workspace, *args.file)) return kExitUsage;
    for (const std::string& line : BuildConfigCommandList(workspace->config)) context.out << line << '\n';
    return kExitOk;
}

}  // namespace

Command CommandsCommand() {
    return Declare<CommandsArgs>({
        .name = "commands",
        .usage = "[FILE] [--sysaddr N]",
        .summary = "print the 40 command lines that Configure sends for FILE",
        .rows = {Operand("FILE", "", Offer::ConfigFile, Accepts::NoDash, false, Keep<&CommandsArgs::file>),
                 SystemAddressOption<CommandsArgs>()},
        .exits = FileExits(),
        .examples = {"qxcfg commands site.X7R"},
        .run = ListCommands,
    });
}

}  // namespace qx::cli
