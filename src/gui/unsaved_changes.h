#pragma once
// Whether the window's configuration holds changes the user has not saved:
// what Save would write now differs from what it would have written when
// the configuration was last saved, opened, made new or read from a module.
// A change undone is no change. The caption marks it, and the commands that
// replace the fields, and Exit, offer to save it first.

#include <functional>
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

    // Before the changes would be lost: "Save changes to <file>?" (or "to
    // this configuration?" without a file), Yes / No / Cancel; Yes runs
    // `save` (false: it did not save, as when its dialog was cancelled).
    // True when the command may go on: nothing to save, saved, or No.
    bool OfferToSave(Prompter& prompter, const std::string& fileName, const std::function<bool()>& save);

private:
    const WorkingConfig& config_;
    std::string saved_;
};

}  // namespace qx::gui
