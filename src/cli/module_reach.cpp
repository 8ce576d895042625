#include "cli/module_reach.h"

#include "app/escape_character.h"
#include "config/module_serial.h"
#include "operations/host_follows_module.h"

namespace qx::cli {

std::optional<ModuleReach> ReachAfterWrite(const OnlineOptions& online, const WorkingConfig& written) {
    const HostSerialSettings before = online.port.Settings();
    HostSerialSettings after = before;
    UpdateSerialParams(after, written);
    // No rate chosen (nothing to tell of) or one the list does not know.
    const int rateCode = written.Choice(FieldId::Serial_Baud);
    if (rateCode < 0 || rateCode >= static_cast<int>(kModuleSerialRates.size())) return std::nullopt;
    ModuleReach reach;
    reach.rate = std::to_string(kModuleSerialRates[static_cast<std::size_t>(rateCode)]);
    reach.format = DisplaySerialSettings(after).other;
    reach.escapeCode = static_cast<int>(written.Value(FieldId::sreg_2));
    reach.hostCanUse = HostBaudIndexForModuleRate(written.Choice(FieldId::Serial_Baud)).has_value();
    const bool same = reach.rate == DisplaySerialSettings(before).rate &&
                      reach.format == DisplaySerialSettings(before).other &&
                      reach.escapeCode == online.escapeCode.value_or(EscapeCharacter::kDefault);
    if (same) return std::nullopt;
    return reach;
}

std::string ReachText(const ModuleReach& reach) {
    const std::string escape = std::to_string(reach.escapeCode);
    return "module now answers at " + reach.rate + " " + reach.format + ", escape character " + escape +
           (reach.hostCanUse
                ? " (--baud " + reach.rate + " --format " + reach.format + " --escape-char " + escape + ")"
                : " (a rate this computer's port cannot be set to)");
}

std::string ReachJson(const ModuleReach& reach) {
    return JsonLine()
        .Number("baud", std::stoll(reach.rate))
        .Text("format", reach.format)
        .Number("escape-char", reach.escapeCode)
        .Str();
}

}  // namespace qx::cli
