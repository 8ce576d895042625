#pragma once
// The device behind a port name: a network port for "rfc2217://" and
// "socket://" names, the system's serial port for anything else (a device
// path, a COM name).

#include <memory>
#include <string>

#include "serial/closing_connections.h"
#include "serial/serial_device.h"

namespace qx {

// `closing` takes over the connections a network port closes (may be null;
// see ClosingConnections).
std::unique_ptr<SerialDevice> MakeSerialDevice(const std::string& path,
                                               std::shared_ptr<ClosingConnections> closing = nullptr);

}  // namespace qx
