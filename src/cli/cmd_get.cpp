// qxcfg get: reads the module as the window's Read does and prints settings
// straight from it. Named settings print their values, one per line in the
// order named, each as `set` takes it back: a readable key by its label
// ("9600", "on", "single-connect"), a control name as its number
// ("Serial_Baud" 4), serial.format as N-8-1. Without names every setting
// prints as KEY=VALUE in the order of `qxcfg fields`.
//
// --json prints one object: the named settings under their keys (a
// template set --from-json takes), or without names the whole settings
// object of read --json.

#include <algorithm>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/common_options.h"
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

// Each setting once, under its key.
void PrintNamedJson(CliContext& context, const WorkingConfig& config, const std::vector<SettingName>& names) {
    JsonLine object;
    std::vector<std::string_view> keys;
    for (const SettingName& named : names) {
        const std::string_view key = named.setting ? named.setting->key : kSerialFormatKey;
        if (std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
        keys.push_back(key);
        if (named.setting)
            object.Raw(key, SettingJsonValue(config, *named.setting));
        else
            object.Text(key, SerialFormatText(config));
    }
    context.out << object.Str() << '\n';
}

struct GetArgs {
    OnlineOptions online;
    std::vector<std::string> names;
    bool json = false;
};

int Get(CliContext& context, GetArgs& args) {
    const OnlineOptions& online = args.online;
    if (online.ports.size() > 1) throw UsageError("get takes one --port");
    // Every name is checked before the module is woken.
    std::vector<SettingName> resolved;
    for (const std::string& name : args.names) resolved.push_back(ResolveSettingName(name));

    const ModuleRead read = ReadModule(context, online);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return rc;
    const WorkingConfig& config = read.workspace->config;
    if (args.json && args.names.empty()) {
        PrintSettingsJson(*read.workspace, context.out);
    } else if (args.json) {
        PrintNamedJson(context, config, resolved);
    } else if (args.names.empty()) {
        for (const SettingKey& setting : AllSettings())
            context.out << setting.key << '=' << SettingValueText(config, setting).value_or("") << '\n';
    } else {
        for (const SettingName& named : resolved) context.out << ValueText(config, named) << '\n';
    }
    return rc;
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
        .exits = OperationExits(),
        .examples = {"qxcfg get --port /dev/ttyUSB0 s7 serial.baud"},
        .run = Get,
    });
}

}  // namespace qx::cli
