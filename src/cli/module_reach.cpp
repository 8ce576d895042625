#include "cli/module_reach.h"

#include "app/escape_character.h"
#include "app/module_rates.h"
#include "operations/host_follows_module.h"

namespace qx::cli {

std::optional<ModuleReach> ReachAfterWrite(const OnlineOptions& online, const WorkingConfig& written) {
    const HostSerialSettings before = online.port.Settings();
    HostSerialSettings after = before;
    UpdateSerialParams(after, written);
    // No rate chosen (nothing to tell of) or one the list does not know.
    const int rateCode = written.Field(FieldId::Serial_Baud).choice;
    const ModuleRate* rate = ModuleRateOf(rateCode);
    if (!rate) return std::nullopt;
    ModuleReach reach;
    reach.rate = std::to_string(rate->bitsPerSecond);
    reach.format = DisplaySerialSettings(after).other;
    reach.escapeCode = static_cast<int>(written.Value(FieldId::sreg_2));
    reach.hostCanUse = HostRateIndexFor(rateCode).has_value();
    const bool lineSame =
        reach.rate == DisplaySerialSettings(before).rate && reach.format == DisplaySerialSettings(before).other;
    reach.connectionLeftBehind = !lineSame && online.port.CarriesBytesOnly();
    if (lineSame && reach.escapeCode == online.escapeCode.value_or(EscapeCharacter::kDefault)) return std::nullopt;
    return reach;
}

std::string ReadCommandAfterWrite(const OnlineOptions& online, const WorkingConfig& written) {
    const HostSerialSettings before = online.port.Settings();
    std::string command = "qxcfg read --port " + online.port.Ports().PathFor(before.PortIndex);
    if (!online.port.CarriesBytesOnly()) {
        HostSerialSettings after = before;
        UpdateSerialParams(after, written);
        const SerialSettingsTexts texts = DisplaySerialSettings(after);
        command += " --baud " + texts.rate + " --format " + texts.other;
    }
    const int escape = static_cast<int>(written.Value(FieldId::sreg_2));
    if (escape != EscapeCharacter::kDefault) command += " --escape-char " + std::to_string(escape);
    return command;
}

std::string ReachText(const ModuleReach& reach) {
    const std::string escape = std::to_string(reach.escapeCode);
    std::string how;
    if (!reach.hostCanUse)
        how = "a rate this computer's port cannot be set to";
    else if (reach.connectionLeftBehind)
        how = "which this connection cannot reach: the port server keeps its own line settings";
    else
        how = "--baud " + reach.rate + " --format " + reach.format + " --escape-char " + escape;
    return "module now answers at " + reach.rate + " " + reach.format + ", escape character " + escape + " (" + how +
           ")";
}

std::string ReachJson(const ModuleReach& reach) {
    return JsonLine()
        .Number("baud", std::stoll(reach.rate))
        .Text("format", reach.format)
        .Number("escape-char", reach.escapeCode)
        .Str();
}

}  // namespace qx::cli
