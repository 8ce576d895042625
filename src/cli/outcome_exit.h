#pragma once
// From an operation's outcome to what qxcfg says and returns: the exit code,
// and the notes the reports already shown do not give (a Ctrl-C that came
// too late to stop anything, a module of the other model).

#include "app/operation_outcome.h"
#include "cli/cli_context.h"

namespace qx::cli {

// Done 0, Failed 1, Declined 3; Cancelled 130 when nothing on the module
// changed, else 0 (what could not be stopped has happened).
int ExitCodeFor(const OperationOutcome& outcome);

// Prints the outcome's notes on standard error (the other-model warning
// once per command) and returns ExitCodeFor(outcome).
int Conclude(CliContext& context, const OperationOutcome& outcome);

}  // namespace qx::cli
