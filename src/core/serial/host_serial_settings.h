#pragma once
// How this computer talks to the module: which port, at what rate, with
// which character format. Not saved anywhere; every start begins with the
// defaults. Every command channel is opened with the values held at that
// moment.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

struct HostSerialSettings {
    std::uint8_t PortIndex = 0;  // 0..7: COM1..COM8
    std::uint8_t BaudIndex = 0;  // 0..11, see kHostBaudRates
    std::uint8_t DataBits = 0;   // 0 = 7 data bits, 1 = 8
    std::uint8_t StopBits = 0;   // 0 = one stop bit, 1 = two
    std::uint8_t Parity = 0;     // 0 none, 1 odd, 2 even

    bool operator==(const HostSerialSettings&) const = default;
};

inline constexpr std::array<int, 12> kHostBaudRates = {1200,  2400,  4800,  9600,  14400, 19200,
                                                       28800, 31250, 38400, 57600, 76800, 115200};

// A character format this computer's port can use.
struct HostFormat {
    std::uint8_t parity, dataBits, stopBits;  // as in HostSerialSettings
};
// The formats a module is set to, the usual one first: N-8-1, E-7-1,
// O-7-1, E-7-2, O-7-2.
inline constexpr std::array<HostFormat, 5> kHostFormats = {{{0, 1, 0}, {2, 0, 0}, {1, 0, 0}, {2, 0, 1}, {1, 0, 1}}};

// Display texts, indexed by the field value.
inline constexpr std::array<std::string_view, 8> kPortTexts = {"Com 1", "Com 2", "Com 3", "Com 4",
                                                               "Com 5", "Com 6", "Com 7", "Com 8"};
inline constexpr std::array<std::string_view, 2> kDataBitsTexts = {"7", "8"};
inline constexpr std::array<std::string_view, 2> kStopBitsTexts = {"1", "2"};
inline constexpr std::array<std::string_view, 3> kParityTexts = {"N", "O", "E"};

// 9600 bit/s, 8 data bits, one stop bit, no parity; COM1 only when asked.
void SetDefaultSerialSettings(HostSerialSettings& s, bool includePort);

struct SerialSettingsTexts {
    std::string port;   // "Com 1"
    std::string rate;   // "9600"
    std::string other;  // "N-8-1"
};
// The three status-bar panel texts.
SerialSettingsTexts DisplaySerialSettings(const HostSerialSettings& s);

}  // namespace qx
