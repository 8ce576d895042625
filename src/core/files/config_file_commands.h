#pragma once
// The file commands of the main window on its configuration and the file it
// belongs to (a ConfigDocument: the workspace): New, Open, Save, Save As,
// loading a file and the file named on the command line. The caption
// follows the current file (Workspace::Caption).

#include <string>
#include <string_view>
#include <vector>

#include "files/config_document.h"
#include "files/file_dialogs.h"

namespace qx {

inline constexpr std::string_view kNewConfigurationQuestion = "Open new configuration?";
inline constexpr std::string_view kLoadErrorText = "Unable to load file. The file may be corrupt, or incorrect.";
inline constexpr std::string_view kNotAConfigurationFileSuffix = " is not a valid configuration file.";

// Asks "Open new configuration?" (OK/Cancel); on OK every field returns to
// its default and there is no current file. Returns whether it did.
bool New(ConfigDocument& document);

// Defaults, then the file's line parsed as a file listing; the file becomes
// the current one and the document follows it (the workspace's host serial
// settings take the loaded module settings). Any failure shows the one load message, returns to the
// defaults and leaves no current file. Returns whether the load succeeded.
// The parser's own messages (flow control, mode, unit address, fast mode
// on the basic model) appear as during a module read. A file the model
// refuses (fast mode on the basic model) leaves the defaults and no current
// file, so that a Save cannot overwrite it with them; it counts as loaded.
bool LoadFromFile(ConfigDocument& document, const std::string& path);

// As LoadFromFile, from the bytes a configuration file holds that come from
// elsewhere (a configuration the module history kept): the first line is
// loaded, and there is no current file afterwards (a Save asks for a name).
bool LoadFromContent(ConfigDocument& document, const std::string& content);

// Asks for a file and loads it. Returns whether a file was loaded.
bool Open(ConfigDocument& document, FileDialogs& dialogs);

// The bytes of the configuration's file as it stands: its one line, built
// from the command list for the current operating mode, and CR LF.
std::string ConfigFileContent(const WorkingConfig& config);

// The one way a configuration file is written: the document is told first
// (the workspace clears its log), then its content replaces the file at
// path as every save of the program does (files/file_save.h), and the file
// becomes the current one. A failed write throws EFileWriteError and
// changes neither the current file nor the old file on disk.
void WriteConfigFile(ConfigDocument& document, const std::string& path);

// WriteConfigFile to a path asked for when askForName (nothing happens when
// the user cancels; returns false), else over the current file.
bool SaveAs(ConfigDocument& document, FileDialogs& dialogs, bool askForName);

// SaveAs, asking for a name exactly when there is no current file.
bool Save(ConfigDocument& document, FileDialogs& dialogs);

// The start-up step for the command line's arguments (after the program's
// name): the first one, when it names an existing file, is loaded if its
// extension is exactly ".X7R" and refused with "<argument> is not a valid
// configuration file." otherwise. No argument, an empty one or a missing
// file: nothing.
void OpenCommandLineFile(ConfigDocument& document, const std::vector<std::string>& arguments);

// The extension of a path: from the last "." of its file name, dot
// included; empty when there is none.
std::string_view FileExtension(std::string_view path);

}  // namespace qx
