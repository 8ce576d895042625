#include "cli/port_options.h"

#include <algorithm>

#include "cli/usage_error.h"
#include "serial/network_port_address.h"
#include "serial/system_port_names.h"

namespace qx::cli {

namespace {

// A network address must be whole to be tried at all; a com name must be
// one of the eight slots, or a port the system itself names (on Windows,
// "COM12"): on Linux a "COM9" is a typing error, not a file name.
void CheckPortText(const std::string& port, const std::string& option) {
    if (IsNetworkPort(port) && !ParseNetworkPort(port))
        throw UsageError(option + " takes a network port as " + std::string(kNetworkPortForms) + ", not '" + port + "'");
    if (IsComName(port) && !PortIndexFromName(port) && !IsSystemPortName(port))
        throw UsageError(option + " takes COM1..COM8, not '" + port + "'");
}

}  // namespace

PortOptions::PortOptions() { SetDefaultSerialSettings(settings_, true); }

void ParseFormat(const std::string& text, HostSerialSettings& settings) {
    const std::string parities = "NOE";
    if (text.size() != 5 || text[1] != '-' || text[3] != '-' || parities.find(text[0]) == std::string::npos ||
        (text[2] != '7' && text[2] != '8') || (text[4] != '1' && text[4] != '2'))
        throw UsageError("--format takes PARITY-DATABITS-STOPBITS such as N-8-1 or E-7-1, not '" + text + "'");
    settings.Parity = static_cast<std::uint8_t>(parities.find(text[0]));
    settings.DataBits = text[2] == '8' ? 1 : 0;
    settings.StopBits = text[4] == '2' ? 1 : 0;
}

bool PortOptions::Take(ArgReader& reader) {
    if (auto port = reader.TakeOption("--port")) {
        SelectPort(*port);
        return true;
    }
    if (auto baud = reader.TakeOption("--baud")) {
        const long rate = ParseIntArg(*baud, 1, 10'000'000, "--baud");
        const auto it = std::find(kHostBaudRates.begin(), kHostBaudRates.end(), rate);
        if (it == kHostBaudRates.end())
            throw UsageError("--baud takes 1200, 2400, 4800, 9600, 14400, 19200, 28800, 31250, 38400, 57600, "
                             "76800 or 115200, not '" + *baud + "'");
        settings_.BaudIndex = static_cast<std::uint8_t>(it - kHostBaudRates.begin());
        return true;
    }
    if (auto format = reader.TakeOption("--format")) {
        ParseFormat(*format, settings_);
        return true;
    }
    if (auto com = reader.TakeOption("--com")) {
        const auto eq = com->find('=');
        const auto slot = eq == std::string::npos ? std::nullopt : PortIndexFromName("COM" + com->substr(0, eq));
        if (!slot || eq + 1 >= com->size()) throw UsageError("--com takes N=PATH with N from 1 to 8, not '" + *com + "'");
        CheckPortText(com->substr(eq + 1), "--com");
        ports_.Override(*slot, com->substr(eq + 1));
        return true;
    }
    return false;
}

void PortOptions::SelectPort(const std::string& port) {
    if (port.empty()) throw UsageError("--port takes COM1..COM8, a device path or " + std::string(kNetworkPortForms));
    CheckPortText(port, "--port");
    if (auto index = PortIndexFromName(port)) {
        settings_.PortIndex = *index;
        portPath_.reset();
    } else {
        portPath_ = port;
    }
}

HostSerialSettings PortOptions::Settings() const { return settings_; }

PortMap PortOptions::Ports() const {
    PortMap ports = ports_;
    // A port given by its path or address is named so in error texts.
    if (portPath_) ports.Override(settings_.PortIndex, *portPath_, SlotNaming::ByPath);
    return ports;
}

ChannelSetup PortOptions::Setup(const ModelVariant& variant) const {
    return ChannelSetup{variant.ProductName, EscapeCharacter{}, Ports(), "qxcfg ports"};
}

}  // namespace qx::cli
