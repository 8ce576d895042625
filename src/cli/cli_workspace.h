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

// The configuration written as a configuration file to `path`
// (WriteConfigFile); for "-" its bytes go to standard output instead
// (EFileWriteError when that fails) and the current file is left as it was.
void SaveConfiguration(CliContext& context, Workspace& workspace, const std::string& path);

}  // namespace qx::cli
