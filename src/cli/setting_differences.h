#pragma once
// Lists of setting differences (see config_difference.h) as JSON, for the
// commands that compare: diff, write --verify, set --port.
//   [{"setting": "S7 Connection Attempts (ATS7=)", "wrote": "9", "module": "5"}]

#include <string>
#include <string_view>
#include <vector>

#include "config/config_difference.h"

namespace qx::cli {

// Each difference's two values under the keys given.
std::string DifferencesJson(const std::vector<SettingDifference>& differences, std::string_view firstKey,
                            std::string_view secondKey);

}  // namespace qx::cli
