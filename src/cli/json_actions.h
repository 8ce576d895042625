#pragma once
// qxcfg set/write --from-json J: a JSON object of settings, as show --json,
// read --json and parse-listing --json print it,
//   {"model": "QX7T-R", "status": "", "mode": "auto-connect-master",
//    "system-address": 17, "serial.baud": "9600", "s7": 9, ...}
// applied the way a file load applies values (stored_values.h): in a fixed
// order, hidden settings taken as stored. Members are readable keys or
// control names; a value is a number or a string (a label, an item number,
// or a number field's whole number). "model" must be the model qxcfg works
// for; "status" (a string) and the registers the module only reports (s9,
// s12, s13: whole numbers) describe a module that was read and are not
// applied; "port", "result" (which must be "ok"), "exit", "text" and
// "error" describe the command that printed the object and are not applied
// either.
// A template names only the settings it changes. Whatever cannot be
// applied is a usage error naming the key; a number that does not fit as
// given (number_fit.h) is met as RangePolicy says.

#include <string>
#include <string_view>

#include "cli/field_actions.h"
#include "config/working_config.h"

namespace qx::cli {

// Applies the object in `json` (the file's text); `source` names it in errors.
void ApplyJsonSettings(WorkingConfig& config, std::string_view json, const std::string& source,
                       const RangePolicy& policy);

// The text of a JSON file, or of standard input for "-" (at most 1 MiB);
// std::runtime_error with the system's reason when it cannot be read.
std::string ReadJsonFile(const std::string& path);

}  // namespace qx::cli
