#pragma once
// Reading the module as the window's Read does, into a workspace of its
// own (read, get, set --port, diff port:).

#include <memory>

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

}  // namespace qx::cli
