#pragma once
// The stable name udev gives a serial device under /dev/serial/by-id (the
// adapter's maker, product and serial number), which names the same
// adapter whichever order the adapters were plugged in.

#include <string>

namespace qx {

// The by-id link that leads to the same device as `device` (itself a path
// or a link); empty when there is none (a built-in port, a pseudo-terminal,
// a network address, a system without such links). `devRoot` is "/dev" but
// for tests.
std::string ByIdPathOf(const std::string& device, const std::string& devRoot = "/dev");

}  // namespace qx
