#include "serial/system_port_names.h"

#include "serial/port_map.h"

namespace qx {

namespace {

constexpr std::string_view kDeviceNamespace = "\\\\.\\";

}  // namespace

std::string DefaultPortPath(std::uint8_t portIndex) { return DevicePathOfName(PortName(portIndex)); }

std::string DevicePathOfName(const std::string& name) { return std::string(kDeviceNamespace) + name; }

bool IsSystemPortName(std::string_view name) {
    if (name.starts_with(kDeviceNamespace)) name.remove_prefix(kDeviceNamespace.size());
    return IsComName(name);
}

}  // namespace qx
