#pragma once
// The configuration-file commands of the File menu and the toolbar, and the
// file named on the command line. The main window refreshes its caption and
// focus after each of them.

#include <string>

namespace qx::gui {

class FileCommands {
public:
    virtual ~FileCommands() = default;
    virtual void New() = 0;
    virtual void Open() = 0;
    virtual void Save() = 0;
    virtual void SaveAs() = 0;
    // The first command-line argument, loaded at start-up.
    virtual void OpenCommandLineFile(const std::string& argument) = 0;
};

}  // namespace qx::gui
