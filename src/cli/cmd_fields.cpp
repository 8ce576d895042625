// qxcfg fields: every setting a NAME=VALUE may name, with its readable key,
// the window's caption and control name, kind, range and unit or choices,
// default, the command it feeds, and the models and modes it applies to.
// Choices are those of the model chosen with --model.

#include "cli/cli_context.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/json_text.h"
#include "cli/usage_error.h"
#include "config/setting_labels.h"

namespace qx::cli {

namespace {

std::string_view KindName(const SettingKey& setting) {
    switch (Spec(setting.field).kind) {
        case FieldKind::Number: return "number";
        case FieldKind::Flag: return "flag";
        case FieldKind::Choice:
        case FieldKind::Radio: break;
    }
    return "choice";
}

std::string_view Caption(const SettingKey& setting) {
    return IsModeSetting(setting) ? std::string_view("Operating Mode") : Spec(setting.field).caption;
}

// The control names: the field and its mirror, or the five mode buttons.
std::vector<std::string_view> Controls(const SettingKey& setting) {
    std::vector<std::string_view> names;
    if (IsModeSetting(setting)) {
        for (int mode = 1; mode <= 5; ++mode) names.push_back(Spec(*ModeRadioButton(static_cast<OperatingMode>(mode))).name);
        return names;
    }
    names.push_back(Spec(setting.field).name);
    if (setting.mirror) names.push_back(Spec(*setting.mirror).name);
    return names;
}

// What the value's label is called in the window: the item's own text, or
// the mode button's caption.
std::string_view ItemText(const SettingKey& setting, const WorkingConfig& config, int value) {
    if (IsModeSetting(setting)) return Spec(*ModeRadioButton(static_cast<OperatingMode>(value))).caption;
    if (Spec(setting.field).kind == FieldKind::Flag) return value ? "checked" : "clear";
    return config.Field(setting.field).items[static_cast<std::size_t>(value)];
}

std::vector<std::string_view> ModeNames(unsigned modeSet) {
    static const SettingKey& mode = AllSettings().front();
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < mode.labels.size(); ++i)
        if (AppliesIn(modeSet, static_cast<OperatingMode>(i + 1))) names.push_back(mode.labels[i]);
    return names;
}

std::vector<std::string_view> Models(const SettingKey& setting) { return ModelsWith(setting.needs); }

// The value a started program holds; none for the system address, which
// every start draws at random.
std::optional<std::string> DefaultLabel(const SettingKey& setting, const WorkingConfig& defaults) {
    if (setting.field == FieldId::ed_TM_SysAdd) return std::nullopt;
    const long value = IsModeSetting(setting) ? static_cast<long>(defaults.Mode()) : defaults.Value(setting.field);
    return ValueLabel(setting, defaults.Model().family, value);
}

template <typename Range>
std::string Joined(const Range& items, std::string_view separator) {
    std::string text;
    for (const auto& item : items) text += (text.empty() ? "" : std::string(separator)) + std::string(item);
    return text;
}

void PrintText(const WorkingConfig& defaults, std::ostream& out) {
    const ModelFamily family = defaults.Model().family;
    for (const SettingKey& s : AllSettings()) {
        out << s.key;
        if (!s.alias.empty()) out << " (" << s.alias << ')';
        out << "  " << Caption(s) << "  [" << Joined(Controls(s), ", ") << "]\n    " << KindName(s) << ' ';
        if (Spec(s.field).kind == FieldKind::Number) {
            out << MinValue(s, family) << ".." << MaxValue(s, family);
            if (!s.unit.empty()) out << ' ' << s.unit;
            if (s.step != 1) out << " (stored in steps of " << s.step << ')';
        } else {
            out << Joined(ValueLabels(s, family), " | ");
        }
        if (const auto d = DefaultLabel(s, defaults)) out << "; default " << *d;
        const std::string command = SettingCommand(s);
        out << "; " << (command.empty() ? std::string("not written") : "feeds " + command);
        const unsigned applies = s.modes;
        out << "; " << (applies == modes::kEvery ? std::string("every mode") : Joined(ModeNames(applies), ", "));
        if (s.needs != ModelFeature::None) out << "; " << Joined(Models(s), ", ") << " only";
        if (s.readOnly) out << "; read only";
        if (!s.note.empty()) out << "; " << s.note;
        out << '\n';
    }
}

template <typename Range>
std::string JsonArray(const Range& items) {
    std::string text = "[";
    for (const auto& item : items) text += (text.size() > 1 ? ", " : "") + JsonString(item);
    return text + "]";
}

void PrintJson(const Workspace& workspace, std::ostream& out) {
    const WorkingConfig& defaults = workspace.config;
    const ModelFamily family = defaults.Model().family;
    out << "{\n  \"model\": " << JsonString(workspace.variant.ProductName) << ",\n  \"settings\": [";
    const char* separator = "\n";
    for (const SettingKey& s : AllSettings()) {
        out << separator << "    {\"key\": " << JsonString(s.key);
        separator = ",\n";
        if (!s.alias.empty()) out << ", \"alias\": " << JsonString(s.alias);
        out << ", \"caption\": " << JsonString(Caption(s)) << ", \"controls\": " << JsonArray(Controls(s))
            << ", \"kind\": " << JsonString(KindName(s));
        if (Spec(s.field).kind == FieldKind::Number) {
            out << ", \"min\": " << MinValue(s, family) << ", \"max\": " << MaxValue(s, family);
            if (!s.unit.empty()) out << ", \"unit\": " << JsonString(s.unit);
            if (s.step != 1) out << ", \"step\": " << s.step;
        } else {
            out << ", \"choices\": [";
            const auto labels = ValueLabels(s, family);
            for (std::size_t i = 0; i < labels.size(); ++i) {
                const int value = MinValue(s, family) + static_cast<int>(i);
                out << (i ? ", " : "") << "{\"label\": " << JsonString(labels[i]) << ", \"value\": " << value
                    << ", \"text\": " << JsonString(ItemText(s, defaults, value)) << '}';
            }
            out << ']';
        }
        if (const auto d = DefaultLabel(s, defaults))
            out << ", \"default\": " << (Spec(s.field).kind == FieldKind::Number ? *d : JsonString(*d));
        if (const std::string command = SettingCommand(s); !command.empty())
            out << ", \"command\": " << JsonString(command);
        out << ", \"modes\": " << JsonArray(ModeNames(s.modes)) << ", \"models\": " << JsonArray(Models(s))
            << ", \"read-only\": " << (s.readOnly ? "true" : "false");
        if (!s.note.empty()) out << ", \"note\": " << JsonString(s.note);
        out << '}';
    }
    out << "\n  ]\n}\n";
}

struct FieldsArgs {
    bool json = false;
};

int Fields(CliContext& context, FieldsArgs& args) {
    // The defaults are those of a program just started for the model.
    const auto workspace = StartWorkspace(context, std::nullopt);
    if (args.json)
        PrintJson(*workspace, context.out);
    else
        PrintText(workspace->config, context.out);
    return kExitOk;
}

}  // namespace

Command FieldsCommand() {
    return Declare<FieldsArgs>({
        .name = "fields",
        .usage = "[--json]",
        .summary = "list every setting a NAME=VALUE may name: key, caption, range or choices, default",
        .rows = {JsonFlag<FieldsArgs>("print the list as one JSON object")},
        .exits = {{0, "done"}, {2, "usage error"}},
        .examples = {"qxcfg --model QX5T fields"},
        .run = Fields,
    });
}

}  // namespace qx::cli
