#include "cli/port_options.h"

#include <algorithm>

#include "cli/option_table.h"
#include "cli/usage_error.h"
#include "serial/network_port_address.h"
#include "serial/system_port_names.h"

namespace qx::cli {

namespace {

// A network address must be whole to be tried at all; a com name must be
// one of the eight slots, or a port the system itself names (on Windows,
// "COM12"): on Linux a "COM9" is a typing error, not a file name.
void CheckPortText(const std::string& port, const std::string& option) {
    if (const std::string problem = PortTextProblem(port, option); !problem.empty()) throw UsageError(problem);
}

// "1200, 2400, ... 76800 or 115200".
std::string HostRateList() {
    std::string list;
    for (std::size_t i = 0; i < kHostRates.size(); ++i)
        list += (i == 0 ? "" : i + 1 == kHostRates.size() ? " or " : ", ") + std::string(kHostRates[i].text);
    return list;
}

}  // namespace

PortOptions::PortOptions() { SetDefaultSerialSettings(settings_, true); }

void PortOptions::TakeBaud(const std::string& baud) {
    const long rate = ParseIntArg(baud, 1, 10'000'000, "--baud");
    const auto it = std::find_if(kHostRates.begin(), kHostRates.end(),
                                 [rate](const ModuleRate& r) { return r.bitsPerSecond == rate; });
    if (it == kHostRates.end()) throw UsageError("--baud takes " + HostRateList() + ", not '" + baud + "'");
    settings_.BaudIndex = static_cast<std::uint8_t>(it - kHostRates.begin());
    lineOption_ = "--baud";
}

void PortOptions::TakeFormat(const std::string& text) {
    const auto format = ParseSerialFormatText(text, kHostParityLetters);
    if (!format) throw UsageError("--format takes PARITY-DATABITS-STOPBITS such as N-8-1 or E-7-1, not '" + text + "'");
    SetHostFormat(settings_, *format);
    lineOption_ = "--format";
}

void PortOptions::TakeCom(const std::string& com) {
    const auto mapping = ParseComMapping(com);
    if (!mapping) throw UsageError(BadComMappingText(com));
    CheckPortText(mapping->path, "--com");
    ports_.Override(mapping->slot, mapping->path);
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

bool PortOptions::CarriesBytesOnly() const {
    const auto address = ParseNetworkPort(Ports().PathFor(settings_.PortIndex));
    return address && address->scheme == NetworkScheme::RawSocket;
}

void PortOptions::CheckLineOptions() const {
    if (lineOption_ && CarriesBytesOnly())
        throw UsageError(std::string(lineOption_) + " cannot be used with " + Ports().PathFor(settings_.PortIndex) +
                         ": a socket:// port carries bytes only, and its line settings are the port server's own "
                         "(rfc2217:// sets them)");
}

void PortOptions::CheckLineOptionsFor(const std::string& port) const {
    PortOptions chosen = *this;
    chosen.SelectPort(port);
    chosen.CheckLineOptions();
}

ChannelSetup PortOptions::Setup(const ModelVariant& variant) const {
    return ChannelSetup{variant.ProductName, EscapeCharacter{}, Ports(), "qxcfg ports"};
}

}  // namespace qx::cli
