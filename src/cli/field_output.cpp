#include "cli/field_output.h"

#include <algorithm>

#include "cli/json_text.h"
#include "config/setting_labels.h"

namespace qx::cli {

std::optional<std::string> SettingValueText(const WorkingConfig& config, const SettingKey& setting) {
    const FieldKind kind = Spec(setting.field).kind;
    const long value = kind == FieldKind::Radio ? static_cast<long>(config.Mode()) : config.Value(setting.field);
    if (kind == FieldKind::Number) return std::to_string(value);
    if (value < MinValue(setting, config.Model().family) || value > MaxValue(setting, config.Model().family)) return std::nullopt;
    return ValueLabel(setting, config.Model().family, value);
}

std::string SettingJsonValue(const WorkingConfig& config, const SettingKey& setting) {
    const auto text = SettingValueText(config, setting);
    if (!text) return "null";
    return Spec(setting.field).kind == FieldKind::Number ? *text : JsonString(*text);
}

void PrintFields(const WorkingConfig& config, std::ostream& out) {
    for (const FieldSpec& entry : AllFields()) out << entry.name << '=' << config.Value(entry.id) << '\n';
    out << "OperatingMode=" << static_cast<int>(config.Mode()) << '\n';
    out << "PlcModeActive=" << (config.PlcModeActive() ? 1 : 0) << '\n';
}

std::string ShownStatus(const Workspace& workspace) {
    const std::string& status = workspace.StatusText();
    return status.substr(std::min(status.find_first_not_of(' '), status.size()));
}

namespace {

// The members of the settings object: the model, the status line and every
// setting, values as JSON.
std::vector<std::pair<std::string_view, std::string>> SettingsJsonMembers(const Workspace& workspace) {
    std::vector<std::pair<std::string_view, std::string>> members = {
        {"model", JsonString(workspace.variant.ProductName)}, {"status", JsonString(ShownStatus(workspace))}};
    for (const SettingKey& setting : AllSettings())
        members.emplace_back(setting.key, SettingJsonValue(workspace.config, setting));
    return members;
}

}  // namespace

void PrintSettingsJson(const Workspace& workspace, std::ostream& out) {
    const char* separator = "{\n  ";
    for (const auto& [key, value] : SettingsJsonMembers(workspace)) {
        out << separator << JsonString(key) << ": " << value;
        separator = ",\n  ";
    }
    out << "\n}\n";
}

JsonLine SettingsMembers(const Workspace& workspace) {
    JsonLine line;
    for (const auto& [key, value] : SettingsJsonMembers(workspace)) line.Raw(key, value);
    return line;
}

void PrintFields(const Workspace& workspace, std::ostream& out, bool json) {
    if (json)
        PrintSettingsJson(workspace, out);
    else
        PrintFields(workspace.config, out);
}

}  // namespace qx::cli
