#pragma once
// The window's file commands: the core's New, Open, Save and Save As on the
// workspace, with the file dialogs given. A file the window loads that holds
// settings its model cannot (another model's file) has them put back, and
// the user is told which (FitToModel).

#include <memory>

#include "operations/workspace.h"
#include "file_commands.h"
#include "files/file_dialogs.h"

namespace qx::gui {

class CoreFileCommands final : public FileCommands {
public:
    CoreFileCommands(Workspace& workspace, std::unique_ptr<FileDialogs> dialogs)
        : workspace_(workspace), dialogs_(std::move(dialogs)) {}

    bool New() override;
    bool Open() override;
    bool OpenPath(const std::string& path) override;
    bool OpenContent(const std::string& content) override;
    bool Save() override;
    bool SaveAs() override;
    void OpenCommandLineFile(const std::string& argument) override;

private:
    // After a load that succeeded: another model's settings put back, in
    // one warning.
    void FitLoaded(bool loaded);

    Workspace& workspace_;
    std::unique_ptr<FileDialogs> dialogs_;
};

}  // namespace qx::gui
