#pragma once
// The stored settings ("AT&W") kept in a text file across runs:
//
//   qxsim-state 1
//   B=0
//   ...            one line per letter setting, in listing order
//   S0=1 ... S21=1 one line per S-register
//   &Z0=3,4,7 ...  one line per stored destination list
//
// Every key must be present exactly once with a value the module accepts.

#include "sim/module_settings.h"

#include <optional>
#include <string>

namespace qx::sim {

std::string SerializeSettings(const ModuleSettings& settings);
// Empty with `problem` set when the text is not a complete, valid state.
std::optional<ModuleSettings> ParseSettings(const std::string& text, const ModelInfo& model, std::string& problem);

class StateFile {
public:
    explicit StateFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // Empty when there is no file yet; throws SimError when the file cannot
    // be read or is corrupt (the message says why).
    std::optional<ModuleSettings> Load(const ModelInfo& model) const;
    // Writes a temporary file next to the state file and renames it over, so
    // a crash never leaves half a state behind. Throws SimError on failure.
    void Save(const ModuleSettings& settings) const;

private:
    std::string path_;
};

}  // namespace qx::sim
