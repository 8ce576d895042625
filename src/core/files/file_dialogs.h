#pragma once
// The open and save dialogs of the file commands, behind a seam: the
// window shows its file dialogs, qxcfg answers with the paths it was
// given, tests script the answers. Both dialogs filter on "*.X7R", add
// ".X7R" to a name typed without extension, start in the current working
// directory and leave it at the folder last chosen; the save dialog asks
// nothing when the chosen file exists.

#include <optional>
#include <string>
#include <string_view>

namespace qx {

inline constexpr std::string_view kConfigFileFilter = "*.X7R|*.X7R";

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> AskOpenPath() = 0;
    virtual std::optional<std::string> AskSavePath() = 0;
};

// The dialogs' default extension: ".X7R" added when the file name (after
// the last "/") has no extension.
std::string WithDefaultExtension(std::string_view path);

}  // namespace qx
