#include "cli/module_read.h"

#include "cli/cli_workspace.h"
#include "cli/field_output.h"
#include "cli/usage_error.h"
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

void PrintReadResult(CliContext& context, const Workspace& workspace, bool json) {
    if (json) {
        PrintSettingsJson(workspace, context.out);
    } else {
        PrintFields(workspace.config, context.out);
        context.out << "StatusLine=" << workspace.StatusText() << '\n';
    }
}

std::string SaveReadResult(CliContext& context, Workspace& workspace, const std::optional<std::string>& path) {
    if (!path) return {};
    try {
        SaveConfiguration(context, workspace, *path);
    } catch (const std::exception& e) {
        context.err << ErrorLines(e.what());
        return e.what();
    }
    return {};
}

}  // namespace qx::cli
