#pragma once
// Prints the working configuration: one NAME=VALUE line per field in
// field-table order, then OperatingMode and PlcModeActive; or the same as
// one JSON object.

#include <ostream>

#include "config/working_config.h"

namespace qx::cli {

void PrintFields(const WorkingConfig& config, std::ostream& out);
void PrintFieldsJson(const WorkingConfig& config, std::ostream& out);
// One of the two, as the command's --json flag says.
void PrintFields(const WorkingConfig& config, std::ostream& out, bool json);

}  // namespace qx::cli
