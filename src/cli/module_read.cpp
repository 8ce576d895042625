#include "cli/module_read.h"

#include "cli/cli_workspace.h"
#include "operations/operation_starters.h"

namespace qx::cli {

ModuleRead ReadModule(CliContext& context, const OnlineOptions& online) {
    ModuleRead read{StartWorkspace(context, std::nullopt), {}};
    online.ApplyTo(*read.workspace);
    PrepareReadModuleConfig(*read.workspace);
    read.outcome = RunModuleOperation(context, *read.workspace, online, ModuleOperation::Read);
    return read;
}

}  // namespace qx::cli
