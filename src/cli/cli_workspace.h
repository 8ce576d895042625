#pragma once
// What the file commands of qxcfg share: a workspace started as the window
// starts, and file "dialogs" that answer with the path given on the
// command line.

#include <memory>
#include <optional>
#include <string>

#include "operations/workspace.h"
#include "cli/cli_context.h"
#include "files/file_dialogs.h"

namespace qx::cli {

// The main window's state right after start-up; the default system address
// is N when given, else random.
std::unique_ptr<Workspace> StartWorkspace(CliContext& context, std::optional<int> systemAddress);

// The name that stands for standard output where a command writes a file.
inline constexpr std::string_view kStandardOutput = "-";

// The configuration saved as the window's Save As saves it, to `path`; for
// "-" its bytes go to standard output instead (EFileWriteError when that
// fails). The current file is then left as it was.
void SaveConfiguration(CliContext& context, Workspace& workspace, const std::string& path);

// Save dialogs that choose the given path; an open dialog chooses it too.
class FixedPathDialogs : public FileDialogs {
public:
    explicit FixedPathDialogs(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> AskOpenPath() override { return path_; }
    std::optional<std::string> AskSavePath() override { return path_; }

private:
    std::string path_;
};

}  // namespace qx::cli
