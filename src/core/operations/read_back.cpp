#include "operations/read_back.h"

#include "app/module_rates.h"
#include "config/configuration_comparison.h"
#include "operations/host_follows_module.h"
#include "operations/operation_starters.h"

namespace qx {

namespace {

std::unique_ptr<Workspace> ReadingWorkspaceAt(const Workspace& reference, Prompter& prompter,
                                              const HostSerialSettings& host) {
    auto module = std::make_unique<Workspace>(reference.variant, prompter);
    module->StartUp();
    module->host = host;
    module->escape = reference.escape;
    module->config.SetNumber(FieldId::sreg_21, reference.config.Value(FieldId::sreg_21));
    PrepareReadModuleConfig(*module);
    return module;
}

ModuleReading ReadModuleAt(const Workspace& reference, const HostSerialSettings& host, const ReadRunner& runRead) {
    auto module = ReadingWorkspaceAt(reference, reference.GetPrompter(), host);
    OperationOutcome outcome = runRead(*module);
    return {std::move(outcome), std::move(module)};
}

}  // namespace

std::unique_ptr<Workspace> WorkspaceForReading(const Workspace& reference, Prompter& prompter) {
    return ReadingWorkspaceAt(reference, prompter, reference.host);
}

bool CanReadBack(const WorkingConfig& written) {
    const int code = written.Field(FieldId::Serial_Baud).choice;
    // A list without a selection wrote its default item, which the host
    // settings in hand reach as they did before.
    return !ModuleRateOf(code) || HostRateIndexFor(code).has_value();
}

ModuleReading ReadModuleConfiguration(const Workspace& reference, const ReadRunner& runRead) {
    return ReadModuleAt(reference, reference.host, runRead);
}

ReadBack ReadBackAndCompare(const Workspace& reference, const ReadRunner& runRead, ReadBackAt at) {
    HostSerialSettings host = reference.host;
    if (at == ReadBackAt::WrittenSettings) UpdateSerialParams(host, reference.config);
    ReadBack back{ReadModuleAt(reference, host, runRead), {}};
    if (back.outcome.IsDone()) back.differences = CompareConfigurations(reference.config, back.module->config);
    return back;
}

}  // namespace qx
