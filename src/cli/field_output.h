#pragma once
// Prints the working configuration: one NAME=VALUE line per field in
// field-table order (control names), then OperatingMode and PlcModeActive;
// or, as JSON, one object with the model, the status line and every
// setting under its readable key, values as labels:
//   {"model": "QX7T-R", "status": "V1.95 ...", "mode": "transparent",
//    "system-address": 17, ..., "serial.baud": "9600", ..., "s21": 1}
// That object is what set/write --from-json take back (json_actions.h).

#include <optional>
#include <ostream>
#include <string>

#include "cli/json_text.h"
#include "operations/workspace.h"
#include "config/setting_keys.h"

namespace qx::cli {

// A setting's value as text: a number's decimal, else its label ("9600",
// "on", "single-connect"); none for a choice with nothing selected.
std::optional<std::string> SettingValueText(const WorkingConfig& config, const SettingKey& setting);
// The same as JSON: a number, a string, or null.
std::string SettingJsonValue(const WorkingConfig& config, const SettingKey& setting);

// The status line as shown in a result: without the blanks it starts with.
std::string ShownStatus(const Workspace& workspace);

void PrintFields(const WorkingConfig& config, std::ostream& out);
// The settings object, one member a line.
void PrintSettingsJson(const Workspace& workspace, std::ostream& out);
// Its members, for the one-line object of a port (each_port.h).
JsonLine SettingsMembers(const Workspace& workspace);
// One of the two, as the command's --json flag says.
void PrintFields(const Workspace& workspace, std::ostream& out, bool json);

}  // namespace qx::cli
