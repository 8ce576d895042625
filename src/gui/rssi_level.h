#pragma once
// The received signal level in a test window's Level field. The RSSI
// measurement shows the module's whole line ("RSSI -72 dBm"): the level is
// the whole number right before "dBm". The bit-error-rate tests show the
// level token alone ("-72"): the level is that number. Anything else (a
// heading, a half line, noise) has no level.

#include <optional>
#include <string_view>

namespace qx::gui {

// Levels outside this range are not a radio's signal level but misread text.
inline constexpr int kLowestLevelDbm = -200;
inline constexpr int kHighestLevelDbm = 50;

std::optional<int> ParseRssiLevel(std::string_view text);

}  // namespace qx::gui
