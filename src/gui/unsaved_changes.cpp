#include "unsaved_changes.h"

#include "files/config_file_commands.h"

namespace qx::gui {
namespace {

// Before start-up has selected a mode there is nothing to save.
std::string Content(const WorkingConfig& config) {
    return config.Mode() == OperatingMode::None ? std::string() : ConfigFileContent(config);
}

}  // namespace

UnsavedChanges::UnsavedChanges(const WorkingConfig& config) : config_(config) { MarkUnchanged(); }

void UnsavedChanges::MarkUnchanged() { saved_ = Content(config_); }

bool UnsavedChanges::Modified() const { return Content(config_) != saved_; }

bool UnsavedChanges::OfferToSave(Prompter& prompter, const std::string& fileName,
                                 const std::function<bool()>& save) {
    if (!Modified()) return true;
    const Answer answer =
        Ask(prompter, MessageKind::Confirmation, MessageButtons::YesNoCancel,
            "Save changes to " + (fileName.empty() ? std::string("this configuration") : fileName) + "?");
    if (answer == Answer::No) return true;
    return answer == Answer::Yes && save();
}

}  // namespace qx::gui
