#pragma once
// The second line of an opening error: what stopped the port from opening,
// in words a user can act on, when the system told us. The first line stays
// the fixed "<port>- This port may be already in use or not present.".

#include <string>

#include "serial/serial_device.h"

namespace qx {

// `path` is the device path or network address that was opened, `detail`
// the device's OpenFailureDetail(). `portsHint` says where the user of the
// front end finds the ports present ("qxcfg ports", a menu's path); a
// missing device names it, when given. Empty when there is nothing to add.
std::string OpenFailureHint(OpenStatus status, const std::string& path, const std::string& detail,
                            const std::string& portsHint = {});

}  // namespace qx
