#pragma once
// Reading the module as the window's Read does, into a workspace of its
// own (read, get, set --port, diff port:).

#include <memory>
#include <optional>
#include <string>

#include "app/operation_outcome.h"
#include "operations/workspace.h"
#include "cli/online_options.h"

namespace qx::cli {

// The workspace a Read filled, and what came of the Read.
struct ModuleRead {
    std::unique_ptr<Workspace> workspace;
    OperationOutcome outcome;
};

// Not concluded: the caller says what came of it (see outcome_exit.h).
ModuleRead ReadModule(CliContext& context, const OnlineOptions& online);

// A configuration read from a module, printed as read prints it: its
// fields and status line, or the settings as JSON.
void PrintReadResult(CliContext& context, const Workspace& workspace, bool json);

// Saves a module's configuration as read to `path` (when given) and says why
// it could not be: that reason, or empty when it was saved (a failed save
// ends the command with exit code 2).
std::string SaveReadResult(CliContext& context, Workspace& workspace, const std::optional<std::string>& path);

}  // namespace qx::cli
