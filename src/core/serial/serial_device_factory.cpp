#include "serial/serial_device_factory.h"

#include "serial/network_port_address.h"
#include "serial/network_serial_device.h"
#include "serial/system_serial_device.h"

namespace qx {

std::unique_ptr<SerialDevice> MakeSerialDevice(const std::string& path, std::shared_ptr<ClosingConnections> closing) {
    if (IsNetworkPort(path)) return std::make_unique<NetworkSerialDevice>(std::move(closing));
    return MakeSystemSerialDevice();
}

}  // namespace qx
