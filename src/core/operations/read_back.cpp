#include "operations/read_back.h"

#include "config/configuration_comparison.h"
#include "config/module_serial.h"
#include "operations/operation_starters.h"

namespace qx {

bool CanReadBack(const WorkingConfig& written) { return HostCanUseModuleRate(written.Choice(FieldId::Serial_Baud)); }

std::unique_ptr<Workspace> WorkspaceForReading(const Workspace& reference, Prompter& prompter) {
    auto module = std::make_unique<Workspace>(reference.variant, prompter);
    module->StartUp();
    module->host = reference.host;
    module->escape = reference.escape;
    module->config.SetNumber(FieldId::sreg_21, reference.config.Value(FieldId::sreg_21));
    PrepareReadModuleConfig(*module);
    return module;
}

ModuleReading ReadModuleConfiguration(const Workspace& reference, const ReadRunner& runRead) {
    ModuleReading reading;
    reading.module = WorkspaceForReading(reference, reference.GetPrompter());
    reading.outcome = runRead(*reading.module);
    return reading;
}

ReadBack ReadBackAndCompare(const Workspace& reference, const ReadRunner& runRead) {
    ReadBack back{ReadModuleConfiguration(reference, runRead), {}};
    if (back.outcome.IsDone()) back.differences = CompareConfigurations(reference.config, back.module->config);
    return back;
}

}  // namespace qx
