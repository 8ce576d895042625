#pragma once
// How this operating system names its serial ports: Linux by device paths
// (/dev/ttyUSB0, /dev/ttyS0), Windows by "COMn" names, which reach every
// port, COM10 and above too, through the device namespace ("\\.\COM12").

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// The device that "COMn" (index n-1) stands for when nothing names another:
// /dev/ttyUSB(n-1) on Linux, where USB adapters are how modules are usually
// connected; the port COMn itself on Windows.
std::string DefaultPortPath(std::uint8_t portIndex);

// The device path of a serial device the system lists by `name`
// ("ttyUSB0" -> "/dev/ttyUSB0", "COM3" -> "\\.\COM3").
std::string DevicePathOfName(const std::string& name);

// Whether `name` is a port the system itself names, which a user may give
// wherever a device path goes: on Windows any "COMn" ("COM12") and its
// device-namespace form ("\\.\COM12"); on Linux none (there "COM9" would be
// a file name, and so a typing error).
bool IsSystemPortName(std::string_view name);

}  // namespace qx
