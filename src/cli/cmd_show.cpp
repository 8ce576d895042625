// qxcfg show: the working configuration after start-up, or after loading a
// configuration file as the window loads it, then optionally the user's
// actions, printed field by field.

#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/field_actions.h"
#include "cli/field_output.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"

namespace qx::cli {

namespace {

struct ShowArgs {
    std::optional<std::string> file;
    std::optional<int> systemAddress;
    std::vector<std::string> actions;
    bool strict = false;
    bool json = false;
};

int Show(CliContext& context, ShowArgs& args) {
    auto workspace = StartWorkspace(context, args.systemAddress);
    if (args.file) RequireFile(*args.file);
    if (args.file && !LoadFromFile(*workspace, *args.file)) return kExitUsage;
    const RangePolicy policy{context.err, args.strict};
    for (const auto& action : args.actions) ApplyUserAction(workspace->config, action, policy);

    PrintFields(*workspace, context.out, args.json);
    return kExitOk;
}

}  // namespace

Command ShowCommand() {
    return Declare<ShowArgs>({
        .name = "show",
        .usage = "[FILE] [--sysaddr N] [--set NAME=VALUE]... [--strict] [--json]",
        .summary = "print a configuration (the defaults, or FILE) after the changes given",
        .rows = {Operand("FILE", "a .X7R configuration file to start from", Offer::ConfigFile, Accepts::NoDash, false,
                         Keep<&ShowArgs::file>),
                 SystemAddressOption<ShowArgs>(),
                 Option("--set", "NAME=VALUE",
                        "a user's action on a setting, in order (NAME as qxcfg fields lists it)", Offer::Setting,
                        Append<&ShowArgs::actions>),
                 StrictFlag<ShowArgs>(),
                 JsonFlag<ShowArgs>("print the settings as one JSON object (set --from-json takes it back)")},
        .exits = FileExits(),
        .examples = {"qxcfg show --sysaddr 17 --set serial.baud=1200"},
        .run = Show,
    });
}

}  // namespace qx::cli
