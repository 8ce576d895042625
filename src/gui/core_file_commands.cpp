#include "core_file_commands.h"

#include "files/config_file_commands.h"

namespace qx::gui {

bool CoreFileCommands::New() { return qx::New(workspace_); }

bool CoreFileCommands::Open() {
    const auto path = dialogs_->AskOpenPath();
    return path && OpenPath(*path);
}

bool CoreFileCommands::OpenPath(const std::string& path) {
    // Loaded or not, the fields now hold the file's configuration or the
    // defaults.
    LoadFromFile(workspace_, path);
    return true;
}

bool CoreFileCommands::Save() { return qx::Save(workspace_, *dialogs_); }
bool CoreFileCommands::SaveAs() { return qx::SaveAs(workspace_, *dialogs_, true); }

void CoreFileCommands::OpenCommandLineFile(const std::string& argument) {
    std::vector<std::string> arguments;
    if (!argument.empty()) arguments.push_back(argument);
    qx::OpenCommandLineFile(workspace_, arguments);
}

}  // namespace qx::gui
