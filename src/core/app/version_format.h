#pragma once
// Firmware version numbers are written with "." as the decimal separator,
// whatever the user's locale; these helpers never consult the locale.

#include <optional>
#include <string>
#include <string_view>

namespace qx {

// A decimal number made of digits and at most one "."; nothing else.
// "1.89" -> 1.89; "" / "1..2" / "1.2.3" -> no value.
std::optional<double> ParseVersionNumber(std::string_view text);

// The number reduced to three significant digits, shown with two decimals:
// 1.9 -> "1.90", 2.1 -> "2.10", 12.345 -> "12.30".
std::string FormatVersionNumber(double version);

}  // namespace qx
