#include "cli/cli_context.h"
#include "cli/commands.h"

namespace qx::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"show", "[FILE] [--sysaddr N] [--set NAME=VALUE]... [--json]", RunShow},
    };
    return commands;
}

}  // namespace qx::cli
