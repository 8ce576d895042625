#include "cli/module_read.h"

#include "cli/cli_workspace.h"
#include "operations/read_back.h"

namespace qx::cli {

ModuleRead ReadModule(CliContext& context, const OnlineOptions& online) {
    // The module is reached as the options say: their host settings and
    // escape character.
    const auto reference = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*reference);
    ModuleReading reading = ReadModuleConfiguration(*reference, [&](Workspace& module) {
        return RunModuleOperation(context, module, online, ModuleOperation::Read);
    });
    return {std::move(reading.module), reading.outcome};
}

}  // namespace qx::cli
