#include "cli/setting_differences.h"

#include "cli/field_output.h"
#include "cli/json_text.h"

namespace qx::cli {

std::string DifferencesJson(const std::vector<SettingDifference>& differences, std::string_view firstKey,
                            std::string_view secondKey) {
    std::vector<std::string> entries;
    for (const SettingDifference& d : differences)
        entries.push_back(JsonLine().Text("setting", d.caption).Text(firstKey, d.first).Text(secondKey, d.second).Str());
    return JsonArray(entries);
}

std::vector<SettingValue> SettingValues(const WorkingConfig& config) {
    std::vector<SettingValue> values;
    for (const SettingKey& setting : AllSettings()) {
        const auto text = SettingValueText(config, setting);
        std::string shown = text.value_or("(none)");
        if (text && !setting.unit.empty()) shown += " " + std::string(setting.unit);
        values.push_back({std::move(shown), SettingJsonValue(config, setting)});
    }
    return values;
}

std::vector<SettingChange> SettingChanges(const std::vector<SettingValue>& before,
                                          const std::vector<SettingValue>& after) {
    std::vector<SettingChange> changes;
    const auto settings = AllSettings();
    for (std::size_t i = 0; i < settings.size() && i < before.size() && i < after.size(); ++i)
        if (!settings[i].readOnly && before[i].json != after[i].json)
            changes.push_back({settings[i].key, before[i], after[i]});
    return changes;
}

std::string ChangeLine(const SettingChange& change) {
    return std::string(change.key) + ": " + change.before.shown + " -> " + change.after.shown;
}

std::string ChangesJson(const std::vector<SettingChange>& changes) {
    std::vector<std::string> entries;
    for (const SettingChange& c : changes)
        entries.push_back(JsonLine().Text("key", c.key).Raw("before", c.before.json).Raw("after", c.after.json).Str());
    return JsonArray(entries);
}

}  // namespace qx::cli
