#include "cli/cli_workspace.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/utf8_path.h"

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

void CheckSaveTarget(const std::string& path) {
    if (path == kStandardOutput) return;
    namespace fs = std::filesystem;
    const fs::path target = PathFromUtf8(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code targetError, folderError;
    const fs::file_status folderStatus = fs::status(folder, folderError);
    std::string reason;
    if (fs::is_directory(target, targetError))
        reason = std::strerror(EISDIR);
    else if (!fs::exists(folderStatus))
        reason = folderError ? folderError.message() : std::strerror(ENOENT);
    else if (!fs::is_directory(folderStatus))
        reason = std::strerror(ENOTDIR);
    if (!reason.empty()) throw EFileWriteError("Cannot save " + path + ": " + reason);
}

void RequireFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(PathFromUtf8(path), ec)) throw EFileReadError("No such file: " + path);
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
