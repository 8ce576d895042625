#include "cli/configuration_operand.h"

#include "cli/cli_history.h"
#include "cli/cli_workspace.h"
#include "files/config_file_commands.h"
#include "history/history_errors.h"
#include "history/history_operand.h"

namespace qx::cli {

void RequireConfiguration(const std::string& operand) {
    if (!IsHistoryOperand(operand)) RequireFile(operand);
}

bool LoadConfiguration(CliContext& context, Workspace& workspace, const std::string& operand) {
    RequireConfiguration(operand);
    if (!IsHistoryOperand(operand)) return LoadFromFile(workspace, operand);
    std::string content;
    try {
        const std::int64_t id = HistoryOperandId(operand);
        content = HistoryConfiguration(*OpenHistory(context.global), id);
    } catch (const EHistoryError& e) {
        Tell(workspace.GetPrompter(), MessageKind::Error, e.what());
        return false;
    }
    return LoadFromContent(workspace, content);
}

}  // namespace qx::cli
