#pragma once
// The serial devices present on this computer. On Linux as sysfs describes
// them: each tty with a device behind it (built-in ports that the driver
// found no hardware for are left out), its stable name under
// /dev/serial/by-id where udev made one, its driver, and for USB adapters
// the maker and product texts. On Windows the ports the system lists in
// its device map (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM), with the driver
// and the name Device Manager shows where the device setup API gives them.
// Which "Com n" slot stands for each device comes from a PortMap. The
// roots are parameters so that a test can build a tree of its own (Linux).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "serial/port_map.h"

namespace qx {

struct DiscoveryRoots {
    std::string sys = "/sys";
    std::string dev = "/dev";
};

struct SerialPortInfo {
    std::string name;          // "ttyUSB0", "COM3"
    std::string path;          // "/dev/ttyUSB0" (under the dev root), "COM3"
    std::string byIdPath;      // "/dev/serial/by-id/usb-..."; empty when there is none
    std::string driver;        // "ftdi_sio", "cdc_acm", "serial8250", "FTDIBUS"; empty when unknown
    std::string description;   // "FTDI FT232R USB UART" (manufacturer and product); empty when unknown
    std::string friendlyName;  // "USB Serial Port (COM3)" as Device Manager shows it (Windows)
    std::optional<std::uint8_t> comSlot;  // the Com slot that stands for it
};

// "ttyUSB10" after "ttyUSB9", "COM10" after "COM9": letters first, then
// the number's value.
bool PortNameLess(const std::string& a, const std::string& b);

// Sorted by name (ttyACM0, ttyS0, ttyUSB0 ... with numbers in order).
std::vector<SerialPortInfo> DiscoverSerialPorts(const PortMap& ports, const DiscoveryRoots& roots = {});

// The slots of `ports` that point at a port server (rfc2217://, socket://),
// in slot order.
std::vector<std::uint8_t> NetworkPortSlots(const PortMap& ports);

// The slot of `ports` that stands for the device: an overridden slot whose
// path is the device, its system path or its by-id name, else a slot left
// at its default path, the device's system path ("/dev/<name>",
// "\\.\<name>").
std::optional<std::uint8_t> ComSlotFor(const PortMap& ports, const SerialPortInfo& info);

}  // namespace qx
