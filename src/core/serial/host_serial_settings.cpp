#include "serial/host_serial_settings.h"

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
    const std::string rate = s.BaudIndex < kHostBaudRates.size() ? std::to_string(kHostBaudRates[s.BaudIndex]) : "?";
    return {TextAt(kPortTexts, s.PortIndex), rate,
            TextAt(kParityTexts, s.Parity) + "-" + TextAt(kDataBitsTexts, s.DataBits) + "-" +
                TextAt(kStopBitsTexts, s.StopBits)};
}

}  // namespace qx
