#pragma once
// What the Configure, Read and Restore Factory Defaults commands do on the
// user-interface thread before the progress window runs the operation.

#include <optional>

#include "operations/workspace.h"
#include "config/command_builder.h"

namespace qx {

// Configure: refuses without an operating mode, clears the log and builds
// the command list. No value: nothing is to run.
std::optional<ConfigCommandList> PrepareWriteConfig(Workspace& workspace);

// Read: the status line and the log are cleared for the read's exchanges,
// and the S21 value the user has is kept, so the module's firmware can be
// judged against it. The fields stay as they are until the module's listing
// has arrived (Workspace::DefaultsForReadout): a read that gets no listing
// (the port cannot be opened, the module does not answer) loses nothing.
void PrepareReadModuleConfig(Workspace& workspace);

// Restore Factory Defaults: the user's confirmation.
bool ConfirmRestoreFactDefaults(Workspace& workspace);

}  // namespace qx
