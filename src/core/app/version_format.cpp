#include "app/version_format.h"

#include <charconv>
#include <cmath>

namespace qx {

std::optional<double> ParseVersionNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int points = 0;
    bool digit = false;
    for (char c : text) {
        if (c == '.') ++points;
        else if (c >= '0' && c <= '9') digit = true;
        else return std::nullopt;
    }
    if (points > 1 || !digit) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        // from_chars does not take a leading or trailing "." ("1." / ".5").
        std::string padded = "0" + std::string(text) + "0";
        const auto r = std::from_chars(padded.data(), padded.data() + padded.size(), value);
        if (r.ec != std::errc() || r.ptr != padded.data() + padded.size()) return std::nullopt;
    }
    return value;
}

std::string FormatVersionNumber(double version) {
    if (!std::isfinite(version)) version = 0;
    // Three significant digits first...
    char buf[64];
    const auto sci = std::to_chars(buf, buf + sizeof buf, version, std::chars_format::scientific, 2);
    double reduced = 0;
    std::from_chars(buf, sci.ptr, reduced);
    // ...then two decimals. to_chars is locale-independent.
    char out[64];
    const auto r = std::to_chars(out, out + sizeof out, reduced, std::chars_format::fixed, 2);
    return std::string(out, r.ptr);
}

}  // namespace qx
