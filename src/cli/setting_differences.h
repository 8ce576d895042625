#pragma once
// What differs between configurations, as the commands that compare print
// it: the module's command lines (diff, write --verify: see
// config_difference.h), or the settings in the user's words, with the
// labels and units `qxcfg fields` shows (set --port's changes):
//   serial.flow: rs-485 -> cts-rts
//   s1: 1000 ms -> 500 ms
// As JSON:
//   [{"setting": "S7 Connection Attempts (ATS7=)", "wrote": "9", "module": "5"}]
//   [{"key": "s1", "before": 1000, "after": 500}]

#include <string>
#include <string_view>
#include <vector>

#include "config/config_difference.h"
#include "config/working_config.h"

namespace qx::cli {

// Each difference's two values under the keys given.
std::string DifferencesJson(const std::vector<SettingDifference>& differences, std::string_view firstKey,
                            std::string_view secondKey);

// A setting's value as `fields` shows it ("1000 ms", "cts-rts") and as JSON.
struct SettingValue {
    std::string shown;
    std::string json;
};

// Every setting's value, in the order of `fields`.
std::vector<SettingValue> SettingValues(const WorkingConfig& config);

struct SettingChange {
    std::string_view key;
    SettingValue before;
    SettingValue after;
};

// The settings whose values differ between two sets of SettingValues,
// leaving out what the module only reports (s9, s12, s13), which no write
// changes.
std::vector<SettingChange> SettingChanges(const std::vector<SettingValue>& before,
                                          const std::vector<SettingValue>& after);

std::string ChangeLine(const SettingChange& change);
std::string ChangesJson(const std::vector<SettingChange>& changes);

}  // namespace qx::cli
