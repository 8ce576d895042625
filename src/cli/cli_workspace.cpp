#include "cli/cli_workspace.h"

namespace qx::cli {

std::unique_ptr<Workspace> StartWorkspace(CliContext& context, std::optional<int> systemAddress) {
    auto workspace = std::make_unique<Workspace>(
        context.variant, context.prompter,
        systemAddress ? FixedSystemAddress(*systemAddress) : ClockSeededSystemAddress());
    workspace->StartUp();
    return workspace;
}

}  // namespace qx::cli
