#include "serial/local_port_hint.h"

namespace qx {

namespace {

// "COM9" for "\\.\COM9": the name Device Manager shows.
std::string ShownName(const std::string& path) {
    constexpr std::string_view kDeviceNamespace = "\\\\.\\";
    return path.starts_with(kDeviceNamespace) ? path.substr(kDeviceNamespace.size()) : path;
}

}  // namespace

std::string LocalPortHint(OpenStatus status, const std::string& path, const std::string& portsHint) {
    switch (status) {
        case OpenStatus::NoSuchDevice:
            return "No such port: " + ShownName(path) +
                   " (Device Manager lists the ports under \"Ports (COM & LPT)\"" +
                   (portsHint.empty() ? "" : "; see also: " + portsHint) + ")";
        case OpenStatus::InUse:
        case OpenStatus::PermissionDenied:
            return "In use by another program: Windows lets one program at a time open a serial port; close the "
                   "other one (a terminal, another configuration tool) and try again.";
        default: return {};
    }
}

}  // namespace qx
