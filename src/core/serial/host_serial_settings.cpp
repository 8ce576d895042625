#include "serial/host_serial_settings.h"

#include "config/module_serial.h"
#include "config/working_config.h"

namespace qx {

namespace {
template <std::size_t N>
std::string TextAt(const std::array<std::string_view, N>& texts, std::size_t i) {
    return i < N ? std::string(texts[i]) : std::string("?");
}
}  // namespace

void SetDefaultSerialSettings(HostSerialSettings& s, bool includePort) {
    s.BaudIndex = 3;
    s.DataBits = 1;
    s.StopBits = 0;
    s.Parity = 0;
    if (includePort) s.PortIndex = 0;
}

SerialSettingsTexts DisplaySerialSettings(const HostSerialSettings& s) {
    return {TextAt(kPortTexts, s.PortIndex), TextAt(kBaudTexts, s.BaudIndex),
            TextAt(kParityTexts, s.Parity) + "-" + TextAt(kDataBitsTexts, s.DataBits) + "-" +
                TextAt(kStopBitsTexts, s.StopBits)};
}

std::optional<std::uint8_t> HostBaudIndexForModuleRate(int serialBaudIndex) {
    if (serialBaudIndex == 0) return 11;
    if (serialBaudIndex >= 1 && serialBaudIndex <= 12) return static_cast<std::uint8_t>(serialBaudIndex - 1);
    return std::nullopt;
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
