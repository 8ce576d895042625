#include "serial/system_port_names.h"

namespace qx {

std::string DefaultPortPath(std::uint8_t portIndex) { return "/dev/ttyUSB" + std::to_string(portIndex); }

std::string DevicePathOfName(const std::string& name) { return "/dev/" + name; }

bool IsSystemPortName(std::string_view) { return false; }

}  // namespace qx
