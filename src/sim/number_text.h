#pragma once
// Decimal numbers in module texts: digits only, no sign, no blanks.

#include <optional>
#include <string>
#include <string_view>

namespace qx::sim {

// The value of a non-empty run of decimal digits (at most 9 of them).
std::optional<int> ParseDecimal(std::string_view text);

// `value` with leading zeros up to `width` digits: (7, 3) gives "007".
std::string ZeroPadded(int value, int width);

}  // namespace qx::sim
