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

// Read: every field back to its default, except S21, which is kept so the
// module's firmware can be judged against the value the user had.
void PrepareReadModuleConfig(Workspace& workspace);

// Restore Factory Defaults: the user's confirmation.
bool ConfirmRestoreFactDefaults(Workspace& workspace);

}  // namespace qx
