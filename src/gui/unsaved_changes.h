#pragma once
// Whether the window's configuration holds changes the user has not saved:
// what Save would write now differs from what it would have written when
// the configuration was last saved, opened, made new or read from a module.
// A change undone is no change. The caption marks it, and the commands that
// replace the fields, and Exit, offer to save it first.

#include <string>

#include "app/prompter.h"
#include "config/working_config.h"

namespace qx::gui {

class UnsavedChanges {
public:
    explicit UnsavedChanges(const WorkingConfig& config);

    // The configuration as it stands is the one saved (or just replaced).
    void MarkUnchanged();
    bool Modified() const;

private:
    const WorkingConfig& config_;
    std::string saved_;
};

// "Save changes to <file>?" (or "to this configuration?" without a file),
// Yes / No / Cancel.
Answer AskToSaveChanges(Prompter& prompter, const std::string& fileName);

}  // namespace qx::gui
