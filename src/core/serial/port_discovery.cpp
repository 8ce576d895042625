#include "serial/port_discovery.h"

#include "serial/network_port_address.h"
#include "serial/system_port_names.h"

namespace qx {

bool PortNameLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        std::size_t i = s.size();
        while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9') --i;
        return std::pair{s.substr(0, i), s.substr(i)};
    };
    const auto [aStem, aNum] = split(a);
    const auto [bStem, bNum] = split(b);
    if (aStem != bStem) return aStem < bStem;
    if (aNum.size() != bNum.size()) return aNum.size() < bNum.size();
    return aNum < bNum;
}

std::optional<std::uint8_t> ComSlotFor(const PortMap& ports, const SerialPortInfo& info) {
    const std::string systemPath = DevicePathOfName(info.name);
    for (std::uint8_t slot = 0; slot < kPortCount; ++slot) {
        const std::string path = ports.PathFor(slot);
        if (ports.IsOverridden(slot) ? (path == info.path || path == systemPath ||
                                        (!info.byIdPath.empty() && path == info.byIdPath))
                                     : path == systemPath)
            return slot;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> NetworkPortSlots(const PortMap& ports) {
    std::vector<std::uint8_t> slots;
    for (std::uint8_t slot = 0; slot < kPortCount; ++slot)
        if (ports.IsOverridden(slot) && IsNetworkPort(ports.PathFor(slot))) slots.push_back(slot);
    return slots;
}

}  // namespace qx
