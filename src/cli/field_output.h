#pragma once
// Prints the working configuration: one NAME=VALUE line per field in
// field-table order, then OperatingMode and PlcModeActive; or the same as
// one JSON object.

#include <ostream>

#include "config/working_config.h"

namespace qx::cli {

void PrintFields(const WorkingConfig& config, std::ostream& out);
void PrintFieldsJson(const WorkingConfig& config, std::ostream& out);

}  // namespace qx::cli
