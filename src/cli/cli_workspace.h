#pragma once
// What the file commands of qxcfg share: a workspace started as the window
// starts, and its configuration saved where the command line says.

#include <memory>
#include <optional>
#include <string>

#include "operations/workspace.h"
#include "cli/cli_context.h"

namespace qx::cli {

// The main window's state right after start-up; the default system address
// is N when given, else random.
std::unique_ptr<Workspace> StartWorkspace(CliContext& context, std::optional<int> systemAddress);

// The name that stands for standard output where a command writes a file.
inline constexpr std::string_view kStandardOutput = "-";

// What can be told of a file to be saved before the work that gives its
// content (a module read, say) begins: EFileWriteError, as the save would
// give it, for a folder that does not exist or a name that is a folder.
// Standard output ("-") passes.
void CheckSaveTarget(const std::string& path);

// A file to be read must be there: EFileReadError "No such file: PATH"
// otherwise (a file that is there but cannot be used says so when read).
void RequireFile(const std::string& path);

// The configuration written as a configuration file to `path`
// (WriteConfigFile); for "-" its bytes go to standard output instead
// (EFileWriteError when that fails) and the current file is left as it was.
void SaveConfiguration(CliContext& context, Workspace& workspace, const std::string& path);

}  // namespace qx::cli
