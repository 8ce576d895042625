#pragma once
// File commands for a build without the configuration-file support: each
// says so on the status line and changes nothing else.

#include "config/working_config.h"
#include "file_commands.h"

namespace qx::gui {

inline constexpr const char* kFilesUnavailableText = "Configuration files are not available in this version.";

class UnavailableFileCommands final : public FileCommands {
public:
    explicit UnavailableFileCommands(WorkingConfig& config) : config_(config) {}
    void New() override { Tell(); }
    void Open() override { Tell(); }
    void Save() override { Tell(); }
    void SaveAs() override { Tell(); }
    void OpenCommandLineFile(const std::string& argument) override {
        if (!argument.empty()) Tell();
    }

private:
    void Tell() { config_.SetStatusText(kFilesUnavailableText); }
    WorkingConfig& config_;
};

}  // namespace qx::gui
