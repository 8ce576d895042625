#include "cli/local_time.h"

#include <ctime>

namespace qx::cli {

namespace {

// The shape of the longest form: d a digit, T a blank or "T".
constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd";

bool HasShape(std::string_view text) {
    if (text.size() != 10 && text.size() != 16 && text.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (kShape[i]) {
            case 'd':
                if (c < '0' || c > '9') return false;
                break;
            case 'T':
                if (c != ' ' && c != 'T') return false;
                break;
            default:
                if (c != kShape[i]) return false;
        }
    }
    return true;
}

int Number(std::string_view text, std::size_t at, std::size_t digits) {
    int value = 0;
    for (std::size_t i = at; i < at + digits && i < text.size(); ++i) value = value * 10 + (text[i] - '0');
    return value;
}

}  // namespace

std::string LocalTimeText(std::int64_t utcMs) {
    // qxcfg reads the clock on one thread: the C library's own buffer serves.
    const std::time_t seconds = static_cast<std::time_t>(utcMs / 1000);
    const std::tm* local = std::localtime(&seconds);
    if (!local) return "?";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

std::optional<std::int64_t> ParseLocalTime(std::string_view text) {
    if (!HasShape(text)) return std::nullopt;
    std::tm wanted{};
    wanted.tm_year = Number(text, 0, 4) - 1900;
    wanted.tm_mon = Number(text, 5, 2) - 1;
    wanted.tm_mday = Number(text, 8, 2);
    wanted.tm_hour = Number(text, 11, 2);
    wanted.tm_min = Number(text, 14, 2);
    wanted.tm_sec = Number(text, 17, 2);
    wanted.tm_isdst = -1;  // whatever daylight saving time says on that day
    if (wanted.tm_hour > 23 || wanted.tm_min > 59 || wanted.tm_sec > 59) return std::nullopt;
    std::tm normalised = wanted;
    const std::time_t seconds = std::mktime(&normalised);
    // mktime moves a 31 April on to 1 May: such a date is refused.
    if (seconds == static_cast<std::time_t>(-1) || normalised.tm_mday != wanted.tm_mday ||
        normalised.tm_mon != wanted.tm_mon)
        return std::nullopt;
    return static_cast<std::int64_t>(seconds) * 1000;
}

}  // namespace qx::cli
