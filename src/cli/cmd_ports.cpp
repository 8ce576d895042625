// qxcfg ports: the serial devices present, with the Com slot that stands for
// each under the mapping in force (--com), its stable by-id name, driver and
// USB description where the system gives them:
//
//   /dev/ttyUSB0  COM1
//     by-id:  /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0
//     driver: ftdi_sio
//     usb:    FTDI FT232R USB UART
//
// Com slots that --com points at a port server follow, one line each:
//
//   rfc2217://192.168.1.20:7777  COM2
//
// --sysfs DIR and --dev DIR look at another tree than /sys and /dev (a
// container's, or a test's).

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/port_options.h"
#include "cli/usage_error.h"
#include "serial/port_discovery.h"

namespace qx::cli {

int RunPorts(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    PortOptions port;
    DiscoveryRoots roots;
    while (!reader.AtEnd()) {
        if (auto sys = reader.TakeOption("--sysfs")) {
            roots.sys = *sys;
        } else if (auto dev = reader.TakeOption("--dev")) {
            roots.dev = *dev;
        } else if (reader.Peek().starts_with("--com")) {
            port.Take(reader);
        } else {
            throw UsageError("ports: unexpected argument '" + reader.Peek() + "'");
        }
    }
    const PortMap map = port.Ports();
    const auto ports = DiscoverSerialPorts(map, roots);
    const auto network = NetworkPortSlots(map);
    if (ports.empty() && network.empty()) context.out << "No serial devices found.\n";
    for (const SerialPortInfo& info : ports) {
        context.out << info.path;
        if (info.comSlot) context.out << "  " << PortName(*info.comSlot);
        context.out << '\n';
        if (!info.byIdPath.empty()) context.out << "  by-id:  " << info.byIdPath << '\n';
        if (!info.driver.empty()) context.out << "  driver: " << info.driver << '\n';
        if (!info.description.empty()) context.out << "  usb:    " << info.description << '\n';
    }
    for (const std::uint8_t slot : network) context.out << map.PathFor(slot) << "  " << PortName(slot) << '\n';
    return kExitOk;
}

}  // namespace qx::cli
