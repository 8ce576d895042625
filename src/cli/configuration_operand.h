#pragma once
// A configuration named where a command takes one: a .X7R file, or
// "history:ID", the configuration a module history entry kept (show, set,
// commands, diff, write, history show).

#include <string>

#include "cli/cli_context.h"
#include "operations/workspace.h"

namespace qx::cli {

// Loads it into the workspace as the window's Open loads a file; false when
// it could not be, its reason said as an ERROR line. A file that is not
// there throws EFileReadError ("No such file: PATH"). A history entry
// leaves no current file behind.
// Throws EFileReadError ("No such file: PATH") when the operand names a
// file that is not there; a history entry is checked when it is loaded.
// Commands call it first where a missing file must be said before other
// errors.
void RequireConfiguration(const std::string& operand);

bool LoadConfiguration(CliContext& context, Workspace& workspace, const std::string& operand);

}  // namespace qx::cli
