#include "files/config_file_commands.h"

#include <exception>
#include <filesystem>
#include <functional>

#include "app/utf8_path.h"
#include "config/command_builder.h"
#include "config/readout_parser.h"
#include "files/config_file_format.h"
#include "files/file_read_write.h"
#include "files/file_save.h"

namespace qx {

bool New(ConfigDocument& document) {
    if (Ask(document.GetPrompter(), MessageKind::Confirmation, MessageButtons::OkCancel,
            std::string(kNewConfigurationQuestion)) != Answer::Ok)
        return false;
    document.config.SetDefaults();
    document.currentFileName.clear();
    return true;
}

namespace {

// The load both kinds of source share: `line` gives the configuration's one
// line (and throws when there is none to give); `name` becomes the current
// file, empty for a configuration that is no file.
bool LoadConfigLine(ConfigDocument& document, const std::function<std::string()>& line, const std::string& name) {
    document.config.SetDefaults();
    try {
        document.replyText = line();
        if (!ProcessReadConfig(document.config, document.replyText, document.s21Reference, ReadoutSource::File)) {
            // The model refused the file and has said so; the fields are at
            // their defaults. The file does not become the current one, so
            // that a Save cannot write those defaults over it.
            document.currentFileName.clear();
            return true;
        }
        document.currentFileName = name;
        document.FileLoaded();
        return true;
    } catch (const std::exception&) {
        // Whatever went wrong (no such file, not a file, too big, a key
        // missing, a value that is no number), the user learns one thing:
        // this file cannot be used. Nothing half-loaded stays behind.
        Tell(document.GetPrompter(), MessageKind::Error, std::string(kLoadErrorText));
        document.config.SetDefaults();
        document.currentFileName.clear();
        return false;
    }
}

}  // namespace

bool LoadFromFile(ConfigDocument& document, const std::string& path) {
    return LoadConfigLine(document, [&path] { return TFileReadWrite().ReadLine(path); }, path);
}

bool LoadFromContent(ConfigDocument& document, const std::string& content) {
    return LoadConfigLine(document, [&content] { return content.substr(0, content.find_first_of("\r\n")); }, {});
}

bool Open(ConfigDocument& document, FileDialogs& dialogs) {
    const auto path = dialogs.AskOpenPath();
    return path && LoadFromFile(document, *path);
}

std::string ConfigFileContent(const WorkingConfig& config) {
    return ConfigFileLine(JoinConfigCommands(BuildConfigCommandList(config))) + "\r\n";
}

void WriteConfigFile(ConfigDocument& document, const std::string& path) {
    document.Saving();
    SaveFileContent(path, ConfigFileContent(document.config));
    document.currentFileName = path;
}

bool SaveAs(ConfigDocument& document, FileDialogs& dialogs, bool askForName) {
    if (!askForName) {
        WriteConfigFile(document, document.currentFileName);
        return true;
    }
    const auto path = dialogs.AskSavePath();
    if (!path) return false;
    WriteConfigFile(document, *path);
    return true;
}

bool Save(ConfigDocument& document, FileDialogs& dialogs) {
    return SaveAs(document, dialogs, document.currentFileName.empty());
}

std::string_view FileExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return {};
    return path.substr(dot);
}

void OpenCommandLineFile(ConfigDocument& document, const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) return;
    const std::string& argument = arguments.front();
    std::error_code ec;
    const auto status = std::filesystem::status(PathFromUtf8(argument), ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_directory(status)) return;
    // Exact and case-sensitive, as the program has always compared it.
    if (FileExtension(argument) == kConfigFileExtension) {
        LoadFromFile(document, argument);
    } else {
        Tell(document.GetPrompter(), MessageKind::Error, argument + std::string(kNotAConfigurationFileSuffix));
    }
}

}  // namespace qx
