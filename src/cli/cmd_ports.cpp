// qxcfg ports: the serial devices present, with the Com slot that stands for
// each under the mapping in force (--com), its stable by-id name, driver and
// USB description where the system gives them:
//
//   /dev/ttyUSB0  COM1
//     by-id:  /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0
//     driver: ftdi_sio
//     usb:    FTDI FT232R USB UART
//
// On Windows the ports come from the system's device map, each with its
// driver and the name Device Manager shows:
//
//   COM3  COM3
//     driver: FTDIBUS
//     name:   USB Serial Port (COM3)
//
// Com slots that --com points at a port server follow, one line each:
//
//   rfc2217://192.168.1.20:7777  COM2
//
// --sysfs DIR and --dev DIR look at another tree than /sys and /dev (a
// container's, or a test's). --json prints the same as one object:
//   {"ports": [{"path": "/dev/ttyUSB0", "com": "COM1", "by-id": "...",
//     "driver": "ftdi_sio", "usb": "FTDI FT232R USB UART"}, ...]}

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/json_text.h"
#include "cli/port_options.h"
#include "cli/usage_error.h"
#include "serial/port_discovery.h"

namespace qx::cli {

namespace {

void PrintJson(CliContext& context, const PortMap& map, const std::vector<SerialPortInfo>& ports,
               const std::vector<std::uint8_t>& network) {
    std::vector<std::string> entries;
    for (const SerialPortInfo& info : ports) {
        JsonLine entry;
        entry.Text("path", info.path);
        if (info.comSlot) entry.Text("com", PortName(*info.comSlot));
        if (!info.byIdPath.empty()) entry.Text("by-id", info.byIdPath);
        if (!info.driver.empty()) entry.Text("driver", info.driver);
        if (!info.description.empty()) entry.Text("usb", info.description);
        if (!info.friendlyName.empty()) entry.Text("name", info.friendlyName);
        entries.push_back(entry.Str());
    }
    for (const std::uint8_t slot : network)
        entries.push_back(JsonLine().Text("path", map.PathFor(slot)).Text("com", PortName(slot)).Str());
    context.out << JsonLine().Raw("ports", JsonArray(entries)).Str() << '\n';
}

struct PortsArgs {
    OnlineOptions online;  // --com only
    DiscoveryRoots roots;
    bool json = false;
};

int Ports(CliContext& context, PortsArgs& args) {
    const PortMap map = args.online.port.Ports();
    const auto ports = DiscoverSerialPorts(map, args.roots);
    const auto network = NetworkPortSlots(map);
    if (args.json) {
        PrintJson(context, map, ports, network);
        return kExitOk;
    }
    if (ports.empty() && network.empty()) context.out << "No serial devices found.\n";
    for (const SerialPortInfo& info : ports) {
        context.out << info.path;
        if (info.comSlot) context.out << "  " << PortName(*info.comSlot);
        context.out << '\n';
        if (!info.byIdPath.empty()) context.out << "  by-id:  " << info.byIdPath << '\n';
        if (!info.driver.empty()) context.out << "  driver: " << info.driver << '\n';
        if (!info.description.empty()) context.out << "  usb:    " << info.description << '\n';
        if (!info.friendlyName.empty()) context.out << "  name:   " << info.friendlyName << '\n';
    }
    for (const std::uint8_t slot : network) context.out << map.PathFor(slot) << "  " << PortName(slot) << '\n';
    return kExitOk;
}

}  // namespace

Command PortsCommand() {
    return Declare<PortsArgs>({
        .name = "ports",
        .usage = "[--com N=PATH]... [--sysfs DIR] [--dev DIR] [--json]",
        .summary = "list the serial devices and the COM slots that stand for them",
        .rows = {ComOption<PortsArgs>(), JsonFlag<PortsArgs>("print the list as one JSON object"),
                 Option("--sysfs", "DIR", "read another tree than /sys", Offer::File,
                        +[](PortsArgs& a, const Given& g) { a.roots.sys = g.value; }),
                 Option("--dev", "DIR", "read another tree than /dev", Offer::File,
                        +[](PortsArgs& a, const Given& g) { a.roots.dev = g.value; })},
        .exits = {{0, "done"}, {2, "usage error"}},
        .examples = {"qxcfg ports"},
        .run = Ports,
    });
}

}  // namespace qx::cli
