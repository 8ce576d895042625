#pragma once
// What the file commands work on: the working configuration, the file it
// was last loaded from or saved to, and the text the readout parser reads.
// The workspace is one; it also makes the rest of the program follow a
// loaded file (this computer's serial settings take the file's) and clears
// its communication log before a save.

#include <string>

#include "config/working_config.h"

namespace qx {

class ConfigDocument {
public:
    ConfigDocument(ModelFamily family, Prompter& prompter, SystemAddressSource systemAddress)
        : config(family, prompter, std::move(systemAddress)) {}
    virtual ~ConfigDocument() = default;
    ConfigDocument(const ConfigDocument&) = delete;
    ConfigDocument& operator=(const ConfigDocument&) = delete;

    Prompter& GetPrompter() const { return config.GetPrompter(); }

    // After a file's configuration has been loaded.
    virtual void FileLoaded() {}
    // Before the configuration is saved.
    virtual void Saving() {}

    WorkingConfig config;
    std::string replyText;        // the latest text from the module, or a file's line
    std::string currentFileName;  // empty when there is none
    int s21Reference = 0;         // the S21 value the firmware is judged against
};

}  // namespace qx
