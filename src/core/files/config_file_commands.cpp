#include "files/config_file_commands.h"

#include <exception>
#include <filesystem>

#include "config/command_builder.h"
#include "config/readout_parser.h"
#include "files/config_file_format.h"
#include "files/file_read_write.h"
#include "serial/host_serial_settings.h"

namespace qx {

bool New(Workspace& workspace) {
    if (Ask(workspace.GetPrompter(), MessageKind::Confirmation, MessageButtons::OkCancel,
            std::string(kNewConfigurationQuestion)) != Answer::Ok)
        return false;
    workspace.config.SetDefaults();
    workspace.currentFileName.clear();
    return true;
}

bool LoadFromFile(Workspace& workspace, const std::string& path) {
    workspace.config.SetDefaults();
    try {
        workspace.replyText = TFileReadWrite().ReadLine(path);
        ProcessReadConfig(workspace.config, workspace.replyText, workspace.s21Reference, ReadoutSource::File);
        workspace.currentFileName = path;
        UpdateSerialParams(workspace.host, workspace.config);
        return true;
    } catch (const std::exception&) {
        // Whatever went wrong (no such file, not a file, too big, a key
        // missing, a value that is no number), the user learns one thing:
        // this file cannot be used. Nothing half-loaded stays behind.
        Tell(workspace.GetPrompter(), MessageKind::Error, std::string(kLoadErrorText));
        workspace.config.SetDefaults();
        workspace.currentFileName.clear();
        return false;
    }
}

bool Open(Workspace& workspace, FileDialogs& dialogs) {
    const auto path = dialogs.AskOpenPath();
    return path && LoadFromFile(workspace, *path);
}

bool SaveAs(Workspace& workspace, FileDialogs& dialogs, bool askForName) {
    workspace.config.ClearLog();
    const std::string commandText = JoinConfigCommands(BuildConfigCommandList(workspace.config));
    if (!askForName) {
        SaveToFile(commandText, workspace.currentFileName);
        return true;
    }
    const auto path = dialogs.AskSavePath();
    if (!path) return false;
    SaveToFile(commandText, *path);
    workspace.currentFileName = *path;
    return true;
}

std::string ConfigFileContent(const WorkingConfig& config) {
    return ConfigFileLine(JoinConfigCommands(BuildConfigCommandList(config))) + "\r\n";
}

bool Save(Workspace& workspace, FileDialogs& dialogs) {
    return SaveAs(workspace, dialogs, workspace.currentFileName.empty());
}

std::string_view FileExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return {};
    return path.substr(dot);
}

void OpenCommandLineFile(Workspace& workspace, const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) return;
    const std::string& argument = arguments.front();
    std::error_code ec;
    const auto status = std::filesystem::status(argument, ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_directory(status)) return;
    // Exact and case-sensitive, as the program has always compared it.
    if (FileExtension(argument) == kConfigFileExtension) {
        LoadFromFile(workspace, argument);
    } else {
        Tell(workspace.GetPrompter(), MessageKind::Error, argument + std::string(kNotAConfigurationFileSuffix));
    }
}

}  // namespace qx
