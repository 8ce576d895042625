#pragma once
// Times as the user reads and writes them on this computer: its local time,
// to the second ("2024-05-01 14:34:56"). The history keeps UTC
// milliseconds; the listing shows them so, and --since takes them so.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx::cli {

// "YYYY-MM-DD HH:MM:SS" in local time.
std::string LocalTimeText(std::int64_t utcMs);

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" ("T" may stand
// for the blank), in local time, as UTC milliseconds; none for anything
// else, or a date that does not exist.
std::optional<std::int64_t> ParseLocalTime(std::string_view text);

}  // namespace qx::cli
