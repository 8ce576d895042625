#include "serial/port_map.h"

#include "serial/network_port_address.h"
#include "serial/system_port_names.h"

namespace qx {

std::string PortName(std::uint8_t portIndex) { return "COM" + std::to_string(portIndex + 1); }

std::optional<std::uint8_t> PortIndexFromName(std::string_view name) {
    if (name.size() != 4) return std::nullopt;
    for (std::size_t i = 0; i < 3; ++i)
        if ((name[i] | 0x20) != "com"[i]) return std::nullopt;
    if (name[3] < '1' || name[3] > '0' + kPortCount) return std::nullopt;
    return static_cast<std::uint8_t>(name[3] - '1');
}

bool IsComName(std::string_view name) {
    if (name.size() < 4) return false;
    for (std::size_t i = 0; i < 3; ++i)
        if ((name[i] | 0x20) != "com"[i]) return false;
    for (std::size_t i = 3; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

std::optional<ComMapping> ParseComMapping(std::string_view text) {
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos || eq + 1 >= text.size()) return std::nullopt;
    const auto slot = PortIndexFromName("COM" + std::string(text.substr(0, eq)));
    if (!slot) return std::nullopt;
    return ComMapping{*slot, std::string(text.substr(eq + 1))};
}

std::string BadComMappingText(std::string_view given) {
    return "--com takes N=PATH with N from 1 to 8, not '" + std::string(given) + "'";
}

std::string PortTextProblem(const std::string& port, std::string_view option) {
    const std::string name(option);
    if (IsNetworkPort(port) && !ParseNetworkPort(port))
        return name + " takes a network port as " + std::string(kNetworkPortForms) + ", not '" + port + "'";
    if (IsComName(port) && !PortIndexFromName(port) && !IsSystemPortName(port))
        return name + " takes COM1..COM8, not '" + port + "'";
    return {};
}

std::string PortMap::NameFor(std::uint8_t portIndex) const {
    if (IsOverridden(portIndex) && naming_[portIndex] == SlotNaming::ByPath) return overrides_[portIndex];
    return PortName(portIndex);
}

std::string PortMap::DefaultPath(std::uint8_t portIndex) { return DefaultPortPath(portIndex); }

std::string PortMap::PathFor(std::uint8_t portIndex) const {
    if (portIndex < kPortCount && !overrides_[portIndex].empty()) return overrides_[portIndex];
    return DefaultPath(portIndex);
}

void PortMap::Override(std::uint8_t portIndex, std::string path, SlotNaming naming) {
    if (portIndex >= kPortCount) return;
    overrides_[portIndex] = std::move(path);
    naming_[portIndex] = naming;
}

void PortMap::ClearOverride(std::uint8_t portIndex) {
    if (portIndex >= kPortCount) return;
    overrides_[portIndex].clear();
    naming_[portIndex] = SlotNaming::ComName;
}

bool PortMap::IsOverridden(std::uint8_t portIndex) const {
    return portIndex < kPortCount && !overrides_[portIndex].empty();
}

}  // namespace qx
