// qxcfg get: reads the module as the window's Read does and prints settings
// straight from it. Named settings print their values, one per line in the
// order named, each as `set` takes it back: a readable key by its label
// ("9600", "on", "single-connect"), a control name as its number
// ("Serial_Baud" 4), serial.format as N-8-1. Without names every setting
// that set takes in the module's mode and model prints as KEY=VALUE in the
// order of `qxcfg fields`, and what the module only reports as
// read-only:KEY=VALUE, so that `qxcfg set FILE $(qxcfg get)` takes it all.
//
// --json prints the port's object: the named settings under their keys (a
// template set --from-json takes), or without names the whole settings
// object of read --json.

#include <algorithm>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/each_port.h"
#include "cli/field_actions.h"
#include "cli/field_output.h"
#include "cli/json_text.h"
#include "cli/module_read.h"
#include "cli/outcome_exit.h"
#include "cli/setting_names.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

std::string SerialFormatText(const WorkingConfig& config) {
    return SerialFormatLabel(SerialFormatOf(config)).value_or("");
}

// The value as the name it was asked by takes it.
std::string ValueText(const WorkingConfig& config, const SettingName& named) {
    if (!named.setting) return SerialFormatText(config);
    if (!named.byControlName) return SettingValueText(config, *named.setting).value_or("");
    if (named.wholeMode) return std::to_string(static_cast<int>(config.Mode()));
    return std::to_string(config.Value(named.field));
}

// The named settings under their keys, each once: a template set
// --from-json takes. serial.format holds the parity, data bits and stop
// bits, so those are left out when it is named too.
JsonLine NamedJson(const WorkingConfig& config, const std::vector<SettingName>& names) {
    const bool format = std::any_of(names.begin(), names.end(), [](const SettingName& n) { return !n.setting; });
    JsonLine object;
    std::vector<std::string_view> keys;
    for (const SettingName& named : names) {
        const std::string_view key = named.setting ? named.setting->key : kSerialFormatKey;
        const bool part = named.setting && (named.setting->field == FieldId::Serial_Parity ||
                                            named.setting->field == FieldId::Serial_Data ||
                                            named.setting->field == FieldId::Serial_Stop);
        if ((format && part) || std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
        keys.push_back(key);
        if (named.setting)
            object.Raw(key, SettingJsonValue(config, *named.setting));
        else
            object.Text(key, SerialFormatText(config));
    }
    return object;
}

// Every setting as KEY=VALUE, as set takes it back: those the window lets
// the user set in the module's mode and model, and, marked, what the module
// only reports (set skips those with a note).
void PrintSettable(std::ostream& out, const WorkingConfig& config) {
    for (const SettingKey& setting : AllSettings()) {
        const std::string value = SettingValueText(config, setting).value_or("");
        if (setting.readOnly)
            out << kReportedMark << setting.key << '=' << value << '\n';
        else if (!WhyNotSettable(config, setting, setting.field, std::string(setting.key)))
            out << setting.key << '=' << value << '\n';
    }
}

struct GetArgs {
    OnlineOptions online;
    std::vector<std::string> names;
    bool json = false;
};

PortResult GetFromPort(CliContext& context, const OnlineOptions& online, const GetArgs& args,
                       const std::vector<SettingName>& resolved) {
    const ModuleRead read = ReadModule(context, online);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return {rc, read.outcome.text};
    const WorkingConfig& config = read.workspace->config;
    PortResult result{rc, {}};
    if (args.json) {
        result.details = args.names.empty() ? SettingsMembers(*read.workspace) : NamedJson(config, resolved);
    } else if (args.names.empty()) {
        PrintSettable(context.out, config);
    } else {
        for (const SettingName& named : resolved) context.out << ValueText(config, named) << '\n';
    }
    return result;
}

int Get(CliContext& context, GetArgs& args) {
    const OnlineOptions& online = args.online;
    online.RequireOnePort("get");
    // Every name is checked before the module is woken.
    std::vector<SettingName> resolved;
    for (const std::string& name : args.names) resolved.push_back(ResolveSettingName(name));
    return RunOnPorts(context, online, args.json, [&](CliContext& own, const OnlineOptions& one) {
        return GetFromPort(own, one, args, resolved);
    });
}

}  // namespace

Command GetCommand() {
    return Declare<GetArgs>({
        .name = "get",
        .usage = "[PORT OPTIONS] [NAME...] [--json]",
        .summary = "read the module and print the settings named (every setting as KEY=VALUE without names)",
        .rows = Join({Operand("NAME", "a setting as qxcfg fields lists it; its value is printed as set takes it back",
                              Offer::SettingName, Accepts::NoDash, true, Append<&GetArgs::names>),
                      JsonFlag<GetArgs>("print the settings named (or all) as one JSON object, as set --from-json "
                                        "takes it")},
                     OperationOptions<GetArgs>()),
        .exits = ModuleExits(),
        .examples = {"qxcfg get --port /dev/ttyUSB0 s7 serial.baud"},
        .run = Get,
    });
}

}  // namespace qx::cli
