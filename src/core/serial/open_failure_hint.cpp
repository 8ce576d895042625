#include "serial/open_failure_hint.h"

#include "serial/local_port_hint.h"
#include "serial/network_port_address.h"
#include "serial/network_serial_device.h"

namespace qx {

namespace {

// "HOST:PORT" of a network address, else the text as given.
std::string ServerOf(const std::string& path) {
    const auto address = ParseNetworkPort(path);
    if (!address) return path;
    const bool v6 = address->host.find(':') != std::string::npos;
    return (v6 ? "[" + address->host + "]" : address->host) + ":" + address->port;
}

std::string InParentheses(const std::string& detail) { return detail.empty() ? "" : " (" + detail + ")"; }


}  // namespace

std::string OpenFailureHint(OpenStatus status, const std::string& path, const std::string& detail,
                            const std::string& portsHint) {
    switch (status) {
        case OpenStatus::InUse:
            if (IsNetworkPort(path))
                return "In use by another client of the port server at " + ServerOf(path) +
                       (detail.empty() ? "." : " (it said: " + detail + ").");
            return LocalPortHint(status, path, portsHint);
        case OpenStatus::NoSuchDevice:
        case OpenStatus::PermissionDenied: return LocalPortHint(status, path, portsHint);
        case OpenStatus::BadAddress: return "Not a network port address: " + path + InParentheses(detail);
        case OpenStatus::HostUnknown:
            if (const auto address = ParseNetworkPort(path))
                return "Host unknown: " + address->host + InParentheses(detail);
            return "Host unknown: " + path + InParentheses(detail);
        case OpenStatus::ConnectionRefused:
            return "Connection refused by " + ServerOf(path) + ": is the port server running, and is this its port?";
        case OpenStatus::NoAnswer: return "No answer from " + ServerOf(path) + " within " + std::to_string(NetworkSerialDevice::kServerAnswerMs / 1000) + " s" + InParentheses(detail) + ".";
        case OpenStatus::NetworkError: return "Network error with " + ServerOf(path) + InParentheses(detail) + ".";
        case OpenStatus::SettingsRefused:
            return "The port server at " + ServerOf(path) + " " + detail + ": its port cannot be set so.";
        case OpenStatus::Abandoned:
        case OpenStatus::Opened:
        case OpenStatus::Unavailable:
        case OpenStatus::NotCharacterDevice: break;
    }
    return {};
}

}  // namespace qx
