#include "serial/port_discovery.h"

#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <map>

#include "app/win32_text.h"

namespace qx {

namespace {

// The class of serial and parallel ports ("Ports (COM & LPT)").
constexpr GUID kPortsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

class RegistryKey {
public:
    RegistryKey(HKEY parent, const wchar_t* path) {
        if (::RegOpenKeyExW(parent, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    explicit RegistryKey(HKEY key) : key_(key == INVALID_HANDLE_VALUE ? nullptr : key) {}
    ~RegistryKey() {
        if (key_) ::RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return key_; }

    // A text value; empty when there is none.
    std::string Text(const wchar_t* name) const {
        wchar_t value[256] = {};
        DWORD size = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        if (!key_ || ::RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
                         ERROR_SUCCESS || type != REG_SZ)
            return {};
        return Utf8FromWide(value);
    }

private:
    HKEY key_ = nullptr;
};

// The port names ("COM1") the system's device map lists now, one per
// device ("\Device\Serial0", "\Device\VCP0").
std::vector<std::string> DeviceMapPorts() {
    std::vector<std::string> names;
    const RegistryKey map(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM");
    if (!map.Get()) return names;
    for (DWORD i = 0;; ++i) {
        wchar_t device[256];
        DWORD deviceSize = 256;
        wchar_t port[64] = {};
        DWORD portSize = sizeof port - sizeof(wchar_t);
        DWORD type = 0;
        const LONG r = ::RegEnumValueW(map.Get(), i, device, &deviceSize, nullptr, &type,
                                       reinterpret_cast<BYTE*>(port), &portSize);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r == ERROR_SUCCESS && type == REG_SZ) names.push_back(Utf8FromWide(port));
    }
    return names;
}

struct SetupDetails {
    std::string friendlyName;
    std::string driver;
};

std::string DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t value[256] = {};
    DWORD type = 0;
    if (!::SetupDiGetDeviceRegistryPropertyW(devices, &device, property, &type, reinterpret_cast<BYTE*>(value),
                                             sizeof value - sizeof(wchar_t), nullptr) ||
        type != REG_SZ)
        return {};
    return Utf8FromWide(value);
}

// What the device setup API knows of each present port, by port name.
std::map<std::string, SetupDetails> SetupApiPorts() {
    std::map<std::string, SetupDetails> details;
    const HDEVINFO devices = ::SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return details;
    for (DWORD i = 0;; ++i) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!::SetupDiEnumDeviceInfo(devices, i, &device)) break;
        const RegistryKey key(::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
        const std::string port = key.Text(L"PortName");
        if (port.empty()) continue;
        details[port] = {DeviceProperty(devices, device, SPDRP_FRIENDLYNAME),
                         DeviceProperty(devices, device, SPDRP_SERVICE)};
    }
    ::SetupDiDestroyDeviceInfoList(devices);
    return details;
}

}  // namespace

std::vector<SerialPortInfo> DiscoverSerialPorts(const PortMap& ports, const DiscoveryRoots&) {
    const auto details = SetupApiPorts();
    std::vector<SerialPortInfo> found;
    for (const std::string& name : DeviceMapPorts()) {
        SerialPortInfo info;
        info.name = name;
        info.path = name;
        if (const auto it = details.find(name); it != details.end()) {
            info.friendlyName = it->second.friendlyName;
            info.driver = it->second.driver;
        }
        found.push_back(std::move(info));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return PortNameLess(a.name, b.name); });
    found.erase(std::unique(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.name == b.name; }),
                found.end());
    for (SerialPortInfo& info : found) info.comSlot = ComSlotFor(ports, info);
    return found;
}

}  // namespace qx
