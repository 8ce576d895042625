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

namespace qx {

class WorkingConfig;

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

// Display texts, indexed by the field value.
inline constexpr std::array<std::string_view, 8> kPortTexts = {"Com 1", "Com 2", "Com 3", "Com 4",
                                                               "Com 5", "Com 6", "Com 7", "Com 8"};
inline constexpr std::array<std::string_view, 12> kBaudTexts = {"1200",  "2400",  "4800",  "9600",
                                                                "14400", "19200", "28800", "31250",
                                                                "38400", "57600", "76800", "115200"};
inline constexpr std::array<std::string_view, 2> kDataBitsTexts = {"7", "8"};
inline constexpr std::array<std::string_view, 2> kStopBitsTexts = {"1", "2"};
inline constexpr std::array<std::string_view, 3> kParityTexts = {"N", "O", "E"};

// The "Serial Port Setup" dialog's lists (selection index = field value).
inline constexpr std::array<std::string_view, 3> kDialogParityTexts = {"None", "Odd", "Even"};

// The rate pop-up menu of the status bar.
struct RateMenuItem {
    std::string_view name;     // br1200 ...
    std::string_view caption;  // "1200"
    bool enabled;
    std::string_view hint;
    std::optional<std::uint8_t> baudIndex;  // none: the item does nothing
};
inline constexpr std::array<RateMenuItem, 13> kRateMenu = {{
    {"br1200", "1200", true, "", 0},
    {"br2400", "2400", true, "", 1},
    {"br4800", "4800", true, "", 2},
    {"br9600", "9600", true, "", 3},
    {"br14400", "14400", true, "", 4},
    {"br19200", "19200", true, "", 5},
    {"br28800", "28800", true, "", 6},
    {"br31250", "31250", false, "Data Rate not Supported by Windows", 7},
    {"br38400", "38400", true, "", 8},
    {"br57600", "57600", true, "", 9},
    {"br76800", "76800", false, "", 10},
    {"br115200", "115200", true, "", 11},
    {"br93750", "93750", false, "", std::nullopt},
}};

// The port pop-up menu: "Com &1" .. "Com &8", tags 0..7.
inline constexpr std::array<std::string_view, 8> kPortMenuCaptions = {"Com &1", "Com &2", "Com &3", "Com &4",
                                                                      "Com &5", "Com &6", "Com &7", "Com &8"};

// The format pop-up menu.
struct FormatMenuItem {
    std::string_view name;
    std::string_view caption;
    std::uint8_t parity, dataBits, stopBits;
};
inline constexpr std::array<FormatMenuItem, 5> kFormatMenu = {{
    {"puN81", "N-8-1 (parity, databits, stopbits)", 0, 1, 0},
    {"puE71", "E-7-1", 2, 0, 0},
    {"puO71", "O-7-1", 1, 0, 0},
    {"puE72", "E-7-2", 2, 0, 1},
    {"puO72", "O-7-2", 1, 0, 1},
}};

// Distance in pixels above the status bar at which each pop-up opens.
inline constexpr int kPortMenuRise = 145;
inline constexpr int kRateMenuRise = 210;
inline constexpr int kFormatMenuRise = 90;

// 9600 bit/s, 8 data bits, one stop bit, no parity; COM1 only when asked.
void SetDefaultSerialSettings(HostSerialSettings& s, bool includePort);

struct SerialSettingsTexts {
    std::string port;   // "Com 1"
    std::string rate;   // "9600"
    std::string other;  // "N-8-1"
};
// The three status-bar panel texts.
SerialSettingsTexts DisplaySerialSettings(const HostSerialSettings& s);

// The host rate that follows the module's serial rate list (Serial_Baud):
// the top "115200" entry gives 115200, entries 1..12 give index - 1, and
// "93750" (which this computer cannot use) gives nothing.
std::optional<std::uint8_t> HostBaudIndexForModuleRate(int serialBaudIndex);

// The host settings take the module serial settings of the working
// configuration: rate (unless "93750"), data bits, stop bits, and parity
// ("None" and "Zero" both give none).
void UpdateSerialParams(HostSerialSettings& s, const WorkingConfig& config);

}  // namespace qx
