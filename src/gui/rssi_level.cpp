#include "rssi_level.h"

#include <cctype>

namespace qx::gui {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

// A whole number with an optional sign, nothing else; bounded to a level.
std::optional<int> WholeLevel(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || text.size() - i > 4) return std::nullopt;  // at most 4 digits
    int value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    if (value < kLowestLevelDbm || value > kHighestLevelDbm) return std::nullopt;
    return value;
}

}  // namespace

std::optional<int> ParseRssiLevel(std::string_view text) {
    const std::size_t unit = text.find("dBm");
    if (unit == std::string_view::npos) return WholeLevel(Trimmed(text));
    // The number ends right before the unit, blanks allowed between.
    std::size_t end = unit;
    while (end > 0 && IsBlank(text[end - 1])) --end;
    std::size_t start = end;
    while (start > 0 && IsDigit(text[start - 1])) --start;
    if (start == end) return std::nullopt;
    if (start > 0 && (text[start - 1] == '-' || text[start - 1] == '+')) --start;
    return WholeLevel(text.substr(start, end - start));
}

}  // namespace qx::gui
