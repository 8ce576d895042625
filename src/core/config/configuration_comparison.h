#pragma once
// Two working configurations compared setting by setting, as a module would
// see them: the differences in the command lines that write each (see
// CompareCommandLists). qxcfg diff and the window's comparison with the
// connected module both use it, so they always agree.

#include <vector>

#include "config/config_difference.h"
#include "config/working_config.h"

namespace qx {

// In command slot order; empty when a module would store the same.
std::vector<SettingDifference> CompareConfigurations(const WorkingConfig& first, const WorkingConfig& second);

}  // namespace qx
