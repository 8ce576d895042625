#include "serial/port_discovery.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>


namespace qx {

namespace fs = std::filesystem;

namespace {

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

fs::path Resolved(const fs::path& path) {
    std::error_code ec;
    const fs::path resolved = fs::canonical(path, ec);
    return ec ? fs::path() : resolved;
}

// The driver is the name of the directory that device/driver links to.
std::string DriverOf(const fs::path& ttyDir) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(ttyDir / "device" / "driver", ec);
    return ec ? std::string() : target.filename().string();
}

// USB adapters: the USB device directory, a level or two above the tty's
// device (the interface), holds "manufacturer" and "product".
std::string UsbDescription(const fs::path& ttyDir) {
    const fs::path device = Resolved(ttyDir / "device");
    if (device.empty()) return {};
    fs::path dir = device;
    for (int level = 0; level < 3 && !dir.empty() && dir != dir.root_path(); ++level, dir = dir.parent_path()) {
        if (!fs::exists(dir / "product")) continue;
        const std::string maker = FirstLine(dir / "manufacturer");
        const std::string product = FirstLine(dir / "product");
        if (maker.empty()) return product;
        // Many adapters repeat the maker in the product text.
        return product.starts_with(maker) ? product : maker + " " + product;
    }
    return {};
}

// A built-in UART that the driver found no hardware for reports type 0.
bool IsPhantomUart(const fs::path& ttyDir, const std::string& driver) {
    if (driver != "serial8250") return false;
    return FirstLine(ttyDir / "type") == "0";
}

void AddByIdNames(std::vector<SerialPortInfo>& ports, const DiscoveryRoots& roots) {
    std::error_code ec;
    const fs::path byId = fs::path(roots.dev) / "serial" / "by-id";
    for (const auto& entry : fs::directory_iterator(byId, ec)) {
        const fs::path target = Resolved(entry.path());
        for (SerialPortInfo& info : ports)
            if (info.byIdPath.empty() && !target.empty() && Resolved(info.path) == target)
                info.byIdPath = entry.path().string();
    }
}

}  // namespace

std::vector<SerialPortInfo> DiscoverSerialPorts(const PortMap& ports, const DiscoveryRoots& roots) {
    std::vector<SerialPortInfo> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(roots.sys) / "class" / "tty", ec)) {
        const fs::path ttyDir = entry.path();
        std::error_code linkError;
        if (!fs::exists(ttyDir / "device", linkError)) continue;  // a virtual terminal, a pseudo-terminal
        SerialPortInfo info;
        info.name = ttyDir.filename().string();
        info.path = (fs::path(roots.dev) / info.name).string();
        if (!fs::exists(info.path, linkError)) continue;
        info.driver = DriverOf(ttyDir);
        if (IsPhantomUart(ttyDir, info.driver)) continue;
        info.description = UsbDescription(ttyDir);
        found.push_back(std::move(info));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return PortNameLess(a.name, b.name); });
    AddByIdNames(found, roots);
    for (SerialPortInfo& info : found) info.comSlot = ComSlotFor(ports, info);
    return found;
}

}  // namespace qx
