#include "cli/cli_workspace.h"

#include <cerrno>
#include <cstring>

#include "files/config_file_commands.h"
#include "files/file_errors.h"

namespace qx::cli {

std::unique_ptr<Workspace> StartWorkspace(CliContext& context, std::optional<int> systemAddress) {
    auto workspace = std::make_unique<Workspace>(
        context.variant, context.prompter,
        systemAddress ? FixedSystemAddress(*systemAddress) : ClockSeededSystemAddress());
    workspace->StartUp();
    return workspace;
}

void SaveConfiguration(CliContext& context, Workspace& workspace, const std::string& path) {
    if (path != kStandardOutput) return WriteConfigFile(workspace, path);
    errno = 0;
    context.out << ConfigFileContent(workspace.config) << std::flush;
    if (!context.out)
        throw EFileWriteError(std::string("Cannot save to standard output: ") +
                              (errno ? std::strerror(errno) : "write error"));
}

}  // namespace qx::cli
