#pragma once
// The configuration-file commands of the File menu and the toolbar, and the
// file named on the command line. The main window refreshes its caption and
// focus after each of them. New and the opens return whether the fields
// were replaced (by the file, or by the defaults a failed load leaves);
// the saves whether a file was written.

#include <string>

namespace qx::gui {

class FileCommands {
public:
    virtual ~FileCommands() = default;
    virtual bool New() = 0;
    virtual bool Open() = 0;
    // A file chosen elsewhere (the recent files), opened as Open does.
    virtual bool OpenPath(const std::string& path) = 0;
    // A configuration file's bytes that are no file (a module history
    // entry), opened as Open does; no current file afterwards.
    virtual bool OpenContent(const std::string& content) = 0;
    virtual bool Save() = 0;
    virtual bool SaveAs() = 0;
    // The first command-line argument, loaded at start-up.
    virtual void OpenCommandLineFile(const std::string& argument) = 0;
};

}  // namespace qx::gui
