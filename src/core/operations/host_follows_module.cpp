#include "operations/host_follows_module.h"

#include <algorithm>

#include "config/module_serial.h"

namespace qx {

std::optional<std::uint8_t> HostBaudIndexForModuleRate(int serialBaudIndex) {
    if (serialBaudIndex < 0 || serialBaudIndex >= static_cast<int>(kModuleSerialRates.size())) return std::nullopt;
    const int rate = kModuleSerialRates[static_cast<std::size_t>(serialBaudIndex)];
    const auto host = std::find(kHostBaudRates.begin(), kHostBaudRates.end(), rate);
    if (host == kHostBaudRates.end()) return std::nullopt;
    return static_cast<std::uint8_t>(host - kHostBaudRates.begin());
}

void UpdateSerialParams(HostSerialSettings& s, const WorkingConfig& config) {
    s.Parity = static_cast<std::uint8_t>(HostParity(config.Choice(FieldId::Serial_Parity)));
    if (auto baud = HostBaudIndexForModuleRate(config.Choice(FieldId::Serial_Baud))) s.BaudIndex = *baud;
    const int data = config.Choice(FieldId::Serial_Data);
    const int stop = config.Choice(FieldId::Serial_Stop);
    // A list without a selection (only a damaged readout leaves one) keeps
    // the host's own value.
    if (data == 0 || data == 1) s.DataBits = static_cast<std::uint8_t>(data);
    if (stop == 0 || stop == 1) s.StopBits = static_cast<std::uint8_t>(stop);
}

}  // namespace qx
