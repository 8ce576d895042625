#include "history/history_address.h"

#include <charconv>

namespace qx {

namespace {

std::optional<int> AddressNumber(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || value < 0 || value > 255)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<HistoryAddress> ParseHistoryAddress(std::string_view text) {
    const std::size_t slash = text.find('/');
    const auto system = AddressNumber(text.substr(0, slash));
    if (!system) return std::nullopt;
    if (slash == std::string_view::npos) return HistoryAddress{*system, std::nullopt};
    const auto unit = AddressNumber(text.substr(slash + 1));
    if (!unit) return std::nullopt;
    return HistoryAddress{*system, *unit};
}

void FilterByAddress(HistoryFilter& filter, const HistoryAddress& address) {
    filter.systemAddress = address.system;
    filter.unitAddress = address.unit;
}

std::string HistoryAddressText(const HistoryEntry& entry) {
    if (!entry.systemAddress) return {};
    std::string text = std::to_string(*entry.systemAddress);
    if (entry.unitAddress) text += "/" + std::to_string(*entry.unitAddress);
    return text;
}

}  // namespace qx
