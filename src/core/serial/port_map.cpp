#include "serial/port_map.h"

namespace qx {

std::string PortName(std::uint8_t portIndex) { return "COM" + std::to_string(portIndex + 1); }

std::optional<std::uint8_t> PortIndexFromName(std::string_view name) {
    if (name.size() != 4) return std::nullopt;
    for (std::size_t i = 0; i < 3; ++i)
        if ((name[i] | 0x20) != "com"[i]) return std::nullopt;
    if (name[3] < '1' || name[3] > '0' + kPortCount) return std::nullopt;
    return static_cast<std::uint8_t>(name[3] - '1');
}

std::string PortMap::DefaultPath(std::uint8_t portIndex) { return "/dev/ttyUSB" + std::to_string(portIndex); }

std::string PortMap::PathFor(std::uint8_t portIndex) const {
    if (portIndex < kPortCount && !overrides_[portIndex].empty()) return overrides_[portIndex];
    return DefaultPath(portIndex);
}

void PortMap::Override(std::uint8_t portIndex, std::string path) {
    if (portIndex < kPortCount) overrides_[portIndex] = std::move(path);
}

void PortMap::ClearOverride(std::uint8_t portIndex) {
    if (portIndex < kPortCount) overrides_[portIndex].clear();
}

bool PortMap::IsOverridden(std::uint8_t portIndex) const {
    return portIndex < kPortCount && !overrides_[portIndex].empty();
}

}  // namespace qx
