#pragma once
// The serial port of this operating system: the termios device on Linux
// (posix_serial_device.h), the Win32 communications port on Windows
// (win32_serial_device.h).

#include <memory>

#include "serial/serial_device.h"

namespace qx {

std::unique_ptr<SerialDevice> MakeSystemSerialDevice();

}  // namespace qx
