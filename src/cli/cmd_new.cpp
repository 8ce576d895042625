// qxcfg new: the factory defaults written as a configuration file.

#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

struct NewArgs {
    std::optional<std::string> output;
    std::optional<int> systemAddress;
};

int New(CliContext& context, NewArgs& args) {
    if (!args.output || args.output->empty()) throw UsageError("new: -o FILE is required");
    auto workspace = StartWorkspace(context, args.systemAddress);
    SaveConfiguration(context, *workspace, *args.output);
    return kExitOk;
}

}  // namespace

Command NewCommand() {
    return Declare<NewArgs>({
        .name = "new",
        .usage = "-o FILE [--sysaddr N]",
        .summary = "write the factory defaults as a configuration file",
        .rows = {Option("-o", "FILE", "the file to write, used as given (- for standard output)", Offer::ConfigFile,
                        Keep<&NewArgs::output>),
                 SystemAddressOption<NewArgs>("the system address (default random 1..254)")},
        .exits = FileExits(),
        .examples = {"qxcfg new -o site.X7R --sysaddr 17"},
        .run = New,
    });
}

}  // namespace qx::cli
