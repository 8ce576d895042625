#pragma once
// The second line of an opening error whose cause is a missing permission.

#include <string>

namespace qx {

// Names the device, the group that owns it and the usual fix, e.g.
// "Permission denied on /dev/ttyUSB0: add your user to the group 'dialout'
// (sudo usermod -aG dialout $USER), then log out and in again."
std::string PermissionDeniedHint(const std::string& devicePath);

}  // namespace qx
