#pragma once
// qxcfg set --from-json J: the members of a JSON object of field values,
//   {"sreg_14": 200, "OperatingMode": 3, "sreg_2": "35"}
// applied in the object's order as the user's actions NAME=VALUE (see
// field_actions.h). A number field also takes a string, typed as its text;
// every other field, and OperatingMode, take numbers only. Whatever cannot be
// applied is a usage error naming the key.

#include <string>
#include <string_view>

#include "config/working_config.h"

namespace qx::cli {

// Applies the object in `json` (the file's text); `source` names it in errors.
void ApplyJsonActions(WorkingConfig& config, std::string_view json, const std::string& source);

// The text of a JSON file (at most 1 MiB); std::runtime_error with the
// system's reason when it cannot be read.
std::string ReadJsonFile(const std::string& path);

}  // namespace qx::cli
