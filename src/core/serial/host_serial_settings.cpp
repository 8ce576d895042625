#include "serial/host_serial_settings.h"

namespace qx {

namespace {
template <std::size_t N>
std::string TextAt(const std::array<std::string_view, N>& texts, std::size_t i) {
    return i < N ? std::string(texts[i]) : std::string("?");
}
}  // namespace

SerialFormat HostFormatOf(const HostSerialSettings& s) { return {.parity = s.Parity, .data = s.DataBits, .stop = s.StopBits}; }

void SetHostFormat(HostSerialSettings& s, const SerialFormat& format) {
    s.Parity = static_cast<std::uint8_t>(format.parity);
    s.DataBits = static_cast<std::uint8_t>(format.data);
    s.StopBits = static_cast<std::uint8_t>(format.stop);
}

std::optional<std::uint8_t> HostRateIndexFor(int moduleRateCode) {
    const ModuleRate* rate = ModuleRateOf(moduleRateCode);
    if (!rate || rate->hostIndex < 0 || !PortTakesRate(rate->bitsPerSecond)) return std::nullopt;
    return static_cast<std::uint8_t>(rate->hostIndex);
}

void SetDefaultSerialSettings(HostSerialSettings& s, bool includePort) {
    s.BaudIndex = 3;
    s.DataBits = 1;
    s.StopBits = 0;
    s.Parity = 0;
    if (includePort) s.PortIndex = 0;
}

SerialSettingsTexts DisplaySerialSettings(const HostSerialSettings& s) {
    const auto rate = HostRateBitsPerSecond(s.BaudIndex);
    const std::string parity =
        s.Parity < kHostParityLetters.size() ? std::string(1, kHostParityLetters[s.Parity]) : std::string("?");
    return {TextAt(kPortTexts, s.PortIndex), rate ? std::to_string(*rate) : "?",
            parity + "-" + TextAt(kDataBitsTexts, s.DataBits) + "-" + TextAt(kStopBitsTexts, s.StopBits)};
}

}  // namespace qx
