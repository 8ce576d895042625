#pragma once
// The user's own actions on the working configuration, written NAME=VALUE:
//   number      VALUE is typed as its text, then the field is left
//   choice      the user picks item VALUE (drop-down pick or radio group click)
//   check box   set to VALUE (0 or 1) by a click
//   radio       VALUE 1 checks it by a click
//   OperatingMode=N   clicks that mode's radio button
// Anything that a user could not do this way is a usage error.

#include <string>

#include "config/working_config.h"

namespace qx::cli {

void ApplyUserAction(WorkingConfig& config, const std::string& assignment);

}  // namespace qx::cli
