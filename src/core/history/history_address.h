#pragma once
// A module's address as the history's listings show it and their filters
// take it: "17/3" is system address 17 with unit address 3, "17" the
// system address alone (any unit).

#include <optional>
#include <string>
#include <string_view>

#include "history/history_entry.h"
#include "history/history_store.h"

namespace qx {

struct HistoryAddress {
    int system = 0;
    std::optional<int> unit;
};

// "S" or "S/U", each a whole number from 0 to 255; none for anything else.
std::optional<HistoryAddress> ParseHistoryAddress(std::string_view text);

// The filter narrowed to that address.
void FilterByAddress(HistoryFilter& filter, const HistoryAddress& address);

// "17/3"; empty for an entry that kept no configuration.
std::string HistoryAddressText(const HistoryEntry& entry);

}  // namespace qx
