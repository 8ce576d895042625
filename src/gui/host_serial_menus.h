#pragma once
// The window's own tables for this computer's serial settings: the status
// bar's three pop-up menus (their items' object names, captions and hints,
// and how far above the panel each opens) and the parity list of the
// "Serial Port Setup" dialog. Which rates are offered, and which this
// computer can use, comes from the core.

#include <array>
#include <string_view>

#include "serial/host_serial_settings.h"

namespace qx::gui {

// The rate pop-up: "br<rate>" for every host rate, then the module rate
// this computer's list lacks (93750), which does nothing; a rate this
// computer cannot use is shown disabled.
inline constexpr std::string_view kRateMenuNamePrefix = "br";
struct RateHint {
    int rate;
    std::string_view hint;
};
inline constexpr std::array<RateHint, 1> kRateMenuHints = {{{31250, "Data Rate not supported by this computer"}}};

// The port pop-up menu: "Com &1" .. "Com &8", tags 0..7.
inline constexpr std::array<std::string_view, 8> kPortMenuCaptions = {"Com &1", "Com &2", "Com &3", "Com &4",
                                                                      "Com &5", "Com &6", "Com &7", "Com &8"};

// The format pop-up menu.
struct FormatMenuItem {
    std::string_view name;
    std::string_view caption;
    SerialFormat format;
};
inline constexpr std::array<FormatMenuItem, 5> kFormatMenu = {{
    {"puN81", "N-8-1 (parity, databits, stopbits)", kHostFormats[0]},
    {"puE71", "E-7-1", kHostFormats[1]},
    {"puO71", "O-7-1", kHostFormats[2]},
    {"puE72", "E-7-2", kHostFormats[3]},
    {"puO72", "O-7-2", kHostFormats[4]},
}};

// Distance in pixels above the status bar at which each pop-up opens.
inline constexpr int kPortMenuRise = 145;
inline constexpr int kRateMenuRise = 210;
inline constexpr int kFormatMenuRise = 90;

// The "Serial Port Setup" dialog's parity list (selection index = field value).
inline constexpr std::array<std::string_view, 3> kDialogParityTexts = {"None", "Odd", "Even"};

}  // namespace qx::gui
