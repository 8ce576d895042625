#pragma once
// How this computer talks to the module: which port, at what rate, with
// which character format. Not saved anywhere; every start begins with the
// defaults. Every command channel is opened with the values held at that
// moment.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/module_rates.h"
#include "app/serial_format.h"

namespace qx {

struct HostSerialSettings {
    std::uint8_t PortIndex = 0;  // 0..7: COM1..COM8
    std::uint8_t BaudIndex = 0;  // 0..11: this computer's rate list, kHostRates
    std::uint8_t DataBits = 0;   // 0 = 7 data bits, 1 = 8
    std::uint8_t StopBits = 0;   // 0 = one stop bit, 1 = two
    std::uint8_t Parity = 0;     // 0 none, 1 odd, 2 even

    bool operator==(const HostSerialSettings&) const = default;
};

// This computer's character format is a SerialFormat of Parity (none,
// odd, even), DataBits and StopBits.
inline constexpr std::string_view kHostParityLetters = "NOE";
SerialFormat HostFormatOf(const HostSerialSettings& s);
void SetHostFormat(HostSerialSettings& s, const SerialFormat& format);

// The formats a module is set to, the usual one first: N-8-1, E-7-1,
// O-7-1, E-7-2, O-7-2.
inline constexpr std::array<SerialFormat, 5> kHostFormats = {{{.parity = 0, .data = 1, .stop = 0},
                                                              {.parity = 2, .data = 0, .stop = 0},
                                                              {.parity = 1, .data = 0, .stop = 0},
                                                              {.parity = 2, .data = 0, .stop = 1},
                                                              {.parity = 1, .data = 0, .stop = 1}}};

// Whether this computer's serial port can be set to the rate (bit/s): the
// platform's answer (a POSIX port by its rate constants or, on Linux, by
// number; a Windows port takes any number).
bool PortTakesRate(int bitsPerSecond);

// Where in this computer's rate list it reaches a module at the rate code
// (ATC n): the index of the same rate, when the list has it and the port
// takes it. None for 93750, which the list lacks, and for a code the module
// does not know.
std::optional<std::uint8_t> HostRateIndexFor(int moduleRateCode);

// Display texts, indexed by the field value.
inline constexpr std::array<std::string_view, 8> kPortTexts = {"Com 1", "Com 2", "Com 3", "Com 4",
                                                               "Com 5", "Com 6", "Com 7", "Com 8"};
inline constexpr std::array<std::string_view, 2> kDataBitsTexts = {"7", "8"};
inline constexpr std::array<std::string_view, 2> kStopBitsTexts = {"1", "2"};

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
