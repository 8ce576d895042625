#pragma once
// The second line of an opening error for a port of this computer (not a
// port server), in the terms of its operating system: what the system calls
// a missing device, who holds a busy one and how to get at it.

#include <string>

#include "serial/serial_device.h"

namespace qx {

// For NoSuchDevice, InUse and PermissionDenied on the device `path`; empty
// for any other status. `portsHint` names where the front end lists the
// ports ("qxcfg ports", a menu path); empty names none.
std::string LocalPortHint(OpenStatus status, const std::string& path, const std::string& portsHint);

}  // namespace qx
