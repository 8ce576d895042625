#include "cli/setting_differences.h"

#include "cli/json_text.h"

namespace qx::cli {

std::string DifferencesJson(const std::vector<SettingDifference>& differences, std::string_view firstKey,
                            std::string_view secondKey) {
    std::vector<std::string> entries;
    for (const SettingDifference& d : differences)
        entries.push_back(JsonLine().Text("setting", d.caption).Text(firstKey, d.first).Text(secondKey, d.second).Str());
    return JsonArray(entries);
}

}  // namespace qx::cli
