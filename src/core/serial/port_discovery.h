#pragma once
// The serial devices present on this computer, as Linux describes them in
// sysfs: each tty with a device behind it (built-in ports that the driver
// found no hardware for are left out), its stable name under
// /dev/serial/by-id where udev made one, its driver, and for USB adapters
// the maker and product texts. Which "Com n" slot stands for each device
// comes from a PortMap. The roots are parameters so that a test can build
// a tree of its own.

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
    std::string name;         // "ttyUSB0"
    std::string path;         // "/dev/ttyUSB0" (under the dev root)
    std::string byIdPath;     // "/dev/serial/by-id/usb-..."; empty when there is none
    std::string driver;       // "ftdi_sio", "cdc_acm", "serial8250"; empty when unknown
    std::string description;  // "FTDI FT232R USB UART" (manufacturer and product); empty when unknown
    std::optional<std::uint8_t> comSlot;  // the Com slot that stands for it
};

// Sorted by name (ttyACM0, ttyS0, ttyUSB0 ... with numbers in order).
std::vector<SerialPortInfo> DiscoverSerialPorts(const PortMap& ports, const DiscoveryRoots& roots = {});

// The slots of `ports` that point at a port server (rfc2217://, socket://),
// in slot order.
std::vector<std::uint8_t> NetworkPortSlots(const PortMap& ports);

// The slot of `ports` that stands for the device: an overridden slot whose
// path is the device or its by-id name, else a slot left at its default
// path "/dev/<name>".
std::optional<std::uint8_t> ComSlotFor(const PortMap& ports, const SerialPortInfo& info);

}  // namespace qx
