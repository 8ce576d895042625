#include "core_file_commands.h"

#include "files/config_file_commands.h"

namespace qx::gui {

void CoreFileCommands::New() { qx::New(workspace_); }
void CoreFileCommands::Open() { qx::Open(workspace_, *dialogs_); }
void CoreFileCommands::Save() { qx::Save(workspace_, *dialogs_); }
void CoreFileCommands::SaveAs() { qx::SaveAs(workspace_, *dialogs_, true); }

void CoreFileCommands::OpenCommandLineFile(const std::string& argument) {
    std::vector<std::string> arguments;
    if (!argument.empty()) arguments.push_back(argument);
    qx::OpenCommandLineFile(workspace_, arguments);
}

}  // namespace qx::gui
