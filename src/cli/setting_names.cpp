#include "cli/setting_names.h"

#include "cli/usage_error.h"
#include "config/integer_text.h"
#include "config/setting_labels.h"

namespace qx::cli {

namespace {

// The name the mode has always had on qxcfg's command line.
constexpr std::string_view kModeControlName = "OperatingMode";

std::string JoinLabels(const std::vector<std::string>& labels) {
    std::string text;
    for (const auto& label : labels) text += (text.empty() ? "" : ", ") + label;
    return text;
}

}  // namespace

SettingName ResolveSettingName(const std::string& name) {
    if (name == kSerialFormatKey) return {};
    if (const SettingKey* setting = FindSettingKey(name))
        return {setting, setting->field, false, IsModeSetting(*setting)};
    if (name == kModeControlName) return {&AllSettings().front(), FieldId::rb_TransMode, true, true};
    if (const auto field = FindField(name)) return {&SettingOf(*field), *field, true};
    throw UsageError("unknown setting '" + name + "' (qxcfg fields lists them)");
}

long ParseLabelledValue(const SettingName& named, ModelFamily family, const std::string& name,
                        const std::string& text) {
    const SettingKey& setting = *named.setting;
    const int min = MinValue(setting, family), max = MaxValue(setting, family);
    const auto number = ParseInteger(text);
    const bool isItemNumber = number && *number >= min && *number <= max;
    const auto label = LabelValue(setting, family, text);
    if (named.byControlName && isItemNumber) return *number;
    if (label) return *label;
    if (isItemNumber) return *number;
    throw UsageError(name + " takes one of " + JoinLabels(ValueLabels(setting, family)) + " (or a number from " +
                     std::to_string(min) + " to " + std::to_string(max) + "), not '" + text + "'");
}

SerialFormat ParseSerialFormatArg(const std::string& text) {
    if (const auto format = ParseSerialFormat(text)) return *format;
    throw UsageError(std::string(kSerialFormatKey) +
                     " takes parity N, Z, O or E, data bits 7 or 8 and stop bits 1 or 2, written like N-8-1, not '" +
                     text + "'");
}

}  // namespace qx::cli
