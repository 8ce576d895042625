#include "serial/network_port_address.h"

#include <algorithm>
#include <cctype>

namespace qx {

namespace {

struct SchemeName {
    std::string_view prefix;
    NetworkScheme scheme;
};
constexpr SchemeName kSchemes[] = {{"rfc2217://", NetworkScheme::Rfc2217}, {"socket://", NetworkScheme::RawSocket}};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(b)) == a; });
}

bool ValidPort(std::string_view port) {
    if (port.empty() || port.size() > 5) return false;
    if (!std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    const int value = std::stoi(std::string(port));
    return value >= 1 && value <= 65535;
}

bool ValidHost(std::string_view host) {
    return !host.empty() && std::none_of(host.begin(), host.end(), [](char c) {
        return c == '/' || c == '@' || c == '?' || c == '#' || std::isspace(static_cast<unsigned char>(c));
    });
}

}  // namespace

bool IsNetworkPort(std::string_view name) {
    return std::any_of(std::begin(kSchemes), std::end(kSchemes),
                       [name](const SchemeName& s) { return StartsWithNoCase(name, s.prefix); });
}

std::optional<NetworkPortAddress> ParseNetworkPort(std::string_view name) {
    for (const SchemeName& s : kSchemes) {
        if (!StartsWithNoCase(name, s.prefix)) continue;
        std::string_view rest = name.substr(s.prefix.size());
        std::string_view host;
        if (rest.starts_with('[')) {
            const auto close = rest.find(']');
            if (close == std::string_view::npos || rest.substr(close + 1, 1) != ":") return std::nullopt;
            host = rest.substr(1, close - 1);
            rest = rest.substr(close + 2);
        } else {
            const auto colon = rest.find(':');
            if (colon == std::string_view::npos || rest.find(':', colon + 1) != std::string_view::npos)
                return std::nullopt;
            host = rest.substr(0, colon);
            rest = rest.substr(colon + 1);
        }
        if (!ValidHost(host) || !ValidPort(rest)) return std::nullopt;
        return NetworkPortAddress{s.scheme, std::string(host), std::string(rest)};
    }
    return std::nullopt;
}

}  // namespace qx
