#include "operations/operation_starters.h"

namespace qx {

std::optional<ConfigCommandList> PrepareWriteConfig(Workspace& workspace) {
    if (workspace.config.Mode() == OperatingMode::None) {
        Tell(workspace.GetPrompter(), MessageKind::Warning, "An operating mode must be selected!");
        return std::nullopt;
    }
    workspace.ClearLog();
    return BuildConfigCommandList(workspace.config);
}

void PrepareReadModuleConfig(Workspace& workspace) {
    workspace.s21Reference = static_cast<int>(workspace.config.Value(FieldId::sreg_21));
    workspace.SetStatusText({});
    workspace.ClearLog();
}

bool ConfirmRestoreFactDefaults(Workspace& workspace) {
    return AskDestructive(workspace.GetPrompter(), MessageKind::Warning, MessageButtons::YesNo,
               "This option will delete all existing configuration data\r\n"
               "and restore factory defaults to the modem. Continue?") == Answer::Yes;
}

}  // namespace qx
