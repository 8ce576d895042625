#pragma once
// A serial port on the network, named as serial tools name them:
// "rfc2217://HOST:PORT" (Telnet with the COM-PORT-OPTION, which carries the
// line settings to the server) or "socket://HOST:PORT" (a plain TCP
// connection that carries bytes only). HOST is a name, an IPv4 address, or
// an IPv6 address in brackets ("rfc2217://[::1]:7777").

#include <optional>
#include <string>
#include <string_view>

namespace qx {

enum class NetworkScheme { Rfc2217, RawSocket };

struct NetworkPortAddress {
    NetworkScheme scheme;
    std::string host;  // without brackets
    std::string port;  // 1..65535, digits
};

// Whether `name` names a network port (by its scheme), well formed or not.
bool IsNetworkPort(std::string_view name);

// The parts of a well-formed network port name; none otherwise.
std::optional<NetworkPortAddress> ParseNetworkPort(std::string_view name);

// What a well-formed name looks like, for error texts.
inline constexpr std::string_view kNetworkPortForms = "rfc2217://HOST:PORT or socket://HOST:PORT";

}  // namespace qx
