#pragma once
// The device behind a port name: a network port for "rfc2217://" and
// "socket://" names, the system's serial port for anything else (a device
// path, a COM name).

#include <memory>
#include <string>

#include "serial/serial_device.h"

namespace qx {

std::unique_ptr<SerialDevice> MakeSerialDevice(const std::string& path);

}  // namespace qx
