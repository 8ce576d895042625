#include "serial/serial_device_factory.h"

#include "serial/network_port_address.h"
#include "serial/network_serial_device.h"
#include "serial/system_serial_device.h"

namespace qx {

std::unique_ptr<SerialDevice> MakeSerialDevice(const std::string& path) {
    if (IsNetworkPort(path)) return std::make_unique<NetworkSerialDevice>();
    return MakeSystemSerialDevice();
}

}  // namespace qx
