#include "core_file_commands.h"

#include "config/model_fit.h"
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
    FitLoaded(!workspace_.currentFileName.empty());
    return true;
}

bool CoreFileCommands::OpenContent(const std::string& content) {
    FitLoaded(LoadFromContent(workspace_, content));
    return true;
}

void CoreFileCommands::FitLoaded(bool loaded) {
    if (!loaded) return;
    const std::vector<std::string> changed = FitToModel(workspace_.config);
    if (!changed.empty())
        Tell(workspace_.GetPrompter(), MessageKind::Warning, ModelFitWarning(workspace_.config, changed));
}

bool CoreFileCommands::Save() { return qx::Save(workspace_, *dialogs_); }
bool CoreFileCommands::SaveAs() { return qx::SaveAs(workspace_, *dialogs_, true); }

void CoreFileCommands::OpenCommandLineFile(const std::string& argument) {
    std::vector<std::string> arguments;
    if (!argument.empty()) arguments.push_back(argument);
    qx::OpenCommandLineFile(workspace_, arguments);
    FitLoaded(!workspace_.currentFileName.empty());
}

}  // namespace qx::gui
